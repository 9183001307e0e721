#pragma once

#include <QDate>
#include <QString>
#include <chrono>
#include <optional>

#include "rates/HotelReply.h"

namespace tavolin {

// The hotel-availability service answers HTTPS GET requests whose "xml" query parameter carries a
// URL-encoded XML request. The address prefixes (everything up to and including the encoded opening
// tag of the request element) come from the first TExpedia row: RoomAvailabilityPath and
// HotelInformationPath.

struct AvailabilityRequest {
    QString hotelId;  // the hotel's id at the service (ExpediaID, ExpediaHotelID or a typed id)
    QDate arrival;
    QDate departure;
    QString adults = QStringLiteral("1");
    std::optional<QString> rooms;  // sent only when given (the rate shop sends it)
    // The rate shop writes the departure day with two digits; everyone else writes days without a
    // leading zero.
    bool departureDayTwoDigits = false;
};

// A date as the requests carry it: "mm", "%2F", the day ("d", or "dd" when asked), "%2F", "yyyy".
QString serviceDate(const QDate& date, bool twoDigitDay = false);

// The full address of an availability request. Ids and counts are percent-encoded, which leaves
// digits as they are and keeps a typed id from breaking the request.
QString availabilityRequest(const QString& prefix, const AvailabilityRequest& request);

// The full address of a hotel-information request.
QString informationRequest(const QString& prefix, const QString& hotelId);

// The web client windows ask for the service's replies; tests script one.
class HotelService {
public:
    virtual ~HotelService() = default;

    // The body of the reply to a GET of the address. Throws HotelServiceError when the service
    // cannot be reached, does not answer in time or answers with an HTTP error status.
    virtual QString GetURLAsString(const QString& address) = 0;

    // Fetches the address and reads the reply (readHotelReply).
    HotelReply fetch(const QString& address) { return readHotelReply(GetURLAsString(address)); }
};

// The service over libcurl: a fresh client for every call, a plain GET without extra headers or
// retries. Redirects are not followed.
class CurlHotelService final : public HotelService {
public:
    // Server certificates are checked only when the deployment asks for it.
    explicit CurlHotelService(bool verifyCertificates = false);

    QString GetURLAsString(const QString& address) override;

    // A service that does not answer in time ends the call with an error instead of freezing the
    // program for good.
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};

private:
    bool verifyCertificates_;
};

}  // namespace tavolin

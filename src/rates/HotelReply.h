#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tavolin {

// A request to the hotel-availability service that failed, or a reply that cannot be read. Commands
// do not catch it: the command stops and the text is shown.
class HotelServiceError : public std::runtime_error {
public:
    explicit HotelServiceError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// One room offer (a HotelRoomResponse) of an availability reply.
struct RoomOffer {
    double rate = 0;   // the nightly rate as sent, not yet rounded
    QString rateText;  // the same, as the service wrote it
    QString roomType;
    QString inventory;
    QString ratePolicy;
};

// What the windows read from a reply of either request. Named elements the reply lacks read as empty.
struct HotelReply {
    // The element children of the document element, by name (a namespace prefix removed), in order.
    // None: the service does not know the hotel.
    QStringList children;
    bool hotelFound() const { return !children.isEmpty(); }

    // The service refused the request; the two texts describe why.
    bool isError = false;
    QString errorCategory;
    QString errorMessage;
    // The two error texts as the rate shop shows them.
    QString errorText() const { return errorCategory + QStringLiteral(" - ") + errorMessage; }

    // The HotelRoomResponse children, in reply order (read even from an error reply).
    QList<RoomOffer> offers;

    // The text of the first element of each name, wherever it is in the reply.
    QString hotelId;
    QString name;
    QString hotelAddress;
    QString hotelCity;
    QString hotelStateProvince;
    QString hotelCountry;
    QString tripAdvisorRating;
    QString tripAdvisorReviewCount;
    QString checkInInstructions;  // may hold HTML markup
};

// Reads a reply of either request. Text that is not well-formed XML, or an offer without a readable
// rate, raises HotelServiceError with a text that says what is wrong.
HotelReply readHotelReply(const QString& text);

}  // namespace tavolin

#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>

#include "rates/HotelService.h"

namespace tavolin::test {

// The hotel-service stand-in (tools/hotel-service) on 127.0.0.1 and a free port, for as long as the
// object lives. It serves the demo hotels, or the hotels of a JSON text in the stand-in's file format.
class HotelServiceStandIn {
public:
    HotelServiceStandIn();
    explicit HotelServiceStandIn(const QString& hotelsJson);
    ~HotelServiceStandIn();
    HotelServiceStandIn(const HotelServiceStandIn&) = delete;
    HotelServiceStandIn& operator=(const HotelServiceStandIn&) = delete;

    int port() const { return port_; }
    // The two request prefixes as the TExpedia row holds them, pointing at this stand-in.
    QString availabilityPrefix() const;
    QString informationPrefix() const;
    // Stops the stand-in; later connections are refused.
    void stop();

private:
    void start(const QString& hotelsFile);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
};

// A web client for window tests: answers each call with the next scripted reply or failure and
// records every address asked for. A call nobody scripted fails the test.
class ScriptedHotelService final : public HotelService {
public:
    QString GetURLAsString(const QString& address) override;

    void reply(const QString& body) { replies_.push_back({body, false}); }
    // The call raises HotelServiceError with this text.
    void fail(const QString& errorText) { replies_.push_back({errorText, true}); }
    bool pendingReplies() const { return !replies_.empty(); }

    QStringList requested;

private:
    struct Scripted {
        QString text;
        bool failure;
    };
    std::deque<Scripted> replies_;
};

// Reply texts shaped as the service writes them, for scripting.
struct ScriptedOffer {
    QString rate;  // as the service writes it: "99.5", "120.00"
    QString roomType = QStringLiteral("Standard Room");
    QString inventory = QStringLiteral("5");
    QString ratePolicy = QStringLiteral("Free cancellation.");
};
struct ScriptedHotel {
    QString hotelId = QStringLiteral("214501");
    QString name = QStringLiteral("Seaport Harbor Hotel");
    QString address = QStringLiteral("1 Seaport Lane");
    QString city = QStringLiteral("Boston");
    QString stateProvince = QStringLiteral("MA");
    QString country = QStringLiteral("US");
    QString tripAdvisorRating = QStringLiteral("4.5");
    QString tripAdvisorReviewCount = QStringLiteral("3120");
    QString checkInInstructions = QStringLiteral("<p><b>Call ahead</b></p>");
};
QString availabilityReply(const QList<ScriptedOffer>& offers, const ScriptedHotel& hotel = {});
QString informationReply(const ScriptedHotel& hotel = {});
QString errorReply(const QString& category, const QString& message);
// The document element without children: the service does not know the hotel.
QString notFoundReply();

}  // namespace tavolin::test

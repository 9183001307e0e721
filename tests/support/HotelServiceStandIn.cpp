#include "HotelServiceStandIn.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tavolin::test {

namespace {

// The stand-in lives in the source tree's tools folder.
QString scriptPath() {
    return QFileInfo(QStringLiteral(__FILE__))
        .absoluteDir()
        .filePath(QStringLiteral("../../tools/hotel-service/hotel_service.py"));
}

QString python() {
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFileInfo::exists(system) ? system : QStringLiteral("python3");
}

[[noreturn]] void fail(const QString& why) { throw std::runtime_error(why.toStdString()); }

QString prefix(int port, const QString& request, const QString& element) {
    return QStringLiteral("https://127.0.0.1:") + QString::number(port) + QStringLiteral("/ean-services/rs/hotel/v3/") +
           request +
           QStringLiteral("?cid=55505&minorRev=28&apiKey=kq7mzt2wpa9vhx3nd5rbeu8c&locale=en_US&currencyCode=USD"
                          "&xml=%3C") +
           element + QStringLiteral("%3E%0A");
}

QString element(const QString& name, const QString& text) {
    return QStringLiteral("<%1>%2</%1>").arg(name, text.toHtmlEscaped());
}

const QString Namespace = QStringLiteral("xmlns:ns2=\"http://v3.hotel.wsapi.ean.com/\"");

}  // namespace

HotelServiceStandIn::HotelServiceStandIn() : folder_(), process_(std::make_unique<QProcess>()) { start({}); }

HotelServiceStandIn::HotelServiceStandIn(const QString& hotelsJson)
    : folder_(std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavolin-hotels-XXXXXX"))),
      process_(std::make_unique<QProcess>()) {
    const QString file = folder_->filePath(QStringLiteral("hotels.json"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(hotelsJson.toUtf8()) < 0) fail(QStringLiteral("Cannot write ") + file);
    f.close();
    start(file);
}

void HotelServiceStandIn::start(const QString& hotelsFile) {
    QStringList args{scriptPath(), QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--stop-on-eof")};
    if (!hotelsFile.isEmpty()) args << QStringLiteral("--hotels") << hotelsFile;
    process_->start(python(), args);
    if (!process_->waitForStarted(10000))
        fail(QStringLiteral("The hotel-service stand-in did not start: ") + process_->errorString());
    const QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!out.contains('\n')) {
        if (deadline.hasExpired() || !process_->waitForReadyRead(int(deadline.remainingTime())))
            fail(QStringLiteral("The hotel-service stand-in did not get ready: ") +
                 QString::fromLocal8Bit(process_->readAllStandardError()));
        out += process_->readAllStandardOutput();
    }
    const QByteArray line = out.left(out.indexOf('\n')).trimmed();
    const QByteArray ready = "listening on 127.0.0.1:";
    if (!line.startsWith(ready))
        fail(QStringLiteral("Unexpected hotel-service stand-in output: ") + QString::fromLatin1(line));
    port_ = line.mid(ready.size()).toInt();
}

HotelServiceStandIn::~HotelServiceStandIn() { stop(); }

void HotelServiceStandIn::stop() {
    if (process_->state() == QProcess::NotRunning) return;
    // Closing its input ends the stand-in; a signal and then a kill are the fallbacks.
    process_->closeWriteChannel();
    if (process_->waitForFinished(5000)) return;
    process_->terminate();
    if (process_->waitForFinished(3000)) return;
    process_->kill();
    process_->waitForFinished(3000);
}

QString HotelServiceStandIn::availabilityPrefix() const {
    return prefix(port_, QStringLiteral("avail"), QStringLiteral("HotelRoomAvailabilityRequest"));
}

QString HotelServiceStandIn::informationPrefix() const {
    return prefix(port_, QStringLiteral("info"), QStringLiteral("HotelInformationRequest"));
}

QString ScriptedHotelService::GetURLAsString(const QString& address) {
    requested << address;
    if (replies_.empty()) {
        ADD_FAILURE() << "unexpected hotel-service request: " << address.toStdString();
        throw HotelServiceError(QStringLiteral("No reply scripted."));
    }
    const Scripted next = replies_.front();
    replies_.pop_front();
    if (next.failure) throw HotelServiceError(next.text);
    return next.text;
}

QString availabilityReply(const QList<ScriptedOffer>& offers, const ScriptedHotel& hotel) {
    QString body = element(QStringLiteral("hotelId"), hotel.hotelId) +
                   element(QStringLiteral("hotelName"), hotel.name) +
                   element(QStringLiteral("hotelAddress"), hotel.address) +
                   element(QStringLiteral("hotelCity"), hotel.city) +
                   element(QStringLiteral("hotelStateProvince"), hotel.stateProvince) +
                   element(QStringLiteral("hotelCountry"), hotel.country) +
                   element(QStringLiteral("checkInInstructions"), hotel.checkInInstructions) +
                   element(QStringLiteral("tripAdvisorRating"), hotel.tripAdvisorRating) +
                   element(QStringLiteral("tripAdvisorReviewCount"), hotel.tripAdvisorReviewCount);
    for (const ScriptedOffer& o : offers) {
        // Room type: child 2; rate: child 11 / 0 / 1, attribute 1; policy: child 11 / 0 / 2;
        // inventory: child 11 / 0 / 6.
        body += QStringLiteral("<HotelRoomResponse><rateCode>1</rateCode><roomTypeCode>1</roomTypeCode>") +
                element(QStringLiteral("rateDescription"), o.roomType) +
                QStringLiteral("<roomTypeDescription/><supplierType>E</supplierType><propertyId>1</propertyId>"
                               "<BedTypes/><smokingPreferences>NS</smokingPreferences>"
                               "<rateOccupancyPerRoom>2</rateOccupancyPerRoom><quotedOccupancy>2</quotedOccupancy>"
                               "<minGuestAge>0</minGuestAge><RateInfos><RateInfo><RoomGroup/>") +
                QStringLiteral("<ChargeableRateInfo averageBaseRate=\"999.99\" averageRate=\"%1\" currencyCode=\"USD\" "
                               "total=\"999.99\"/>")
                    .arg(o.rate.toHtmlEscaped()) +
                element(QStringLiteral("cancellationPolicy"), o.ratePolicy) +
                QStringLiteral("<CancelPolicyInfoList/><nonRefundable>false</nonRefundable>"
                               "<rateType>MerchantStandard</rateType>") +
                element(QStringLiteral("currentAllotment"), o.inventory) +
                QStringLiteral("</RateInfo></RateInfos></HotelRoomResponse>");
    }
    return QStringLiteral("<ns2:HotelRoomAvailabilityResponse %1>%2</ns2:HotelRoomAvailabilityResponse>")
        .arg(Namespace, body);
}

QString informationReply(const ScriptedHotel& hotel) {
    return QStringLiteral("<ns2:HotelInformationResponse %1><HotelSummary>%2</HotelSummary>"
                          "</ns2:HotelInformationResponse>")
        .arg(Namespace, element(QStringLiteral("hotelId"), hotel.hotelId) +
                            element(QStringLiteral("name"), hotel.name) +
                            element(QStringLiteral("tripAdvisorRating"), hotel.tripAdvisorRating) +
                            element(QStringLiteral("tripAdvisorReviewCount"), hotel.tripAdvisorReviewCount));
}

QString errorReply(const QString& category, const QString& message) {
    // The error texts are children 2 and 5 of the first child.
    return QStringLiteral("<ns2:HotelRoomAvailabilityResponse %1><EanWsError><itineraryId>-1</itineraryId>"
                          "<handling>RECOVERABLE</handling>%2<exceptionConditionId>-1</exceptionConditionId>"
                          "<presentationMessage/>%3</EanWsError></ns2:HotelRoomAvailabilityResponse>")
        .arg(Namespace, element(QStringLiteral("category"), category),
             element(QStringLiteral("verboseMessage"), message));
}

QString notFoundReply() { return QStringLiteral("<ns2:HotelRoomAvailabilityResponse %1/>").arg(Namespace); }

}  // namespace tavolin::test

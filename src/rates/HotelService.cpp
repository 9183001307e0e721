#include "rates/HotelService.h"

#include <curl/curl.h>

#include <QByteArray>
#include <QStringDecoder>
#include <QUrl>
#include <memory>
#include <mutex>

namespace tavolin {

namespace {

QString encoded(const QString& value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); }

// Replies larger than this are no reply of the service.
constexpr qsizetype MaxReply = 64 * 1024 * 1024;

struct Body {
    QByteArray bytes;
    bool tooLarge = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* target) {
    auto* body = static_cast<Body*>(target);
    const size_t n = size * count;
    if (body->bytes.size() + qsizetype(n) > MaxReply) {
        body->tooLarge = true;
        return 0;  // ends the transfer
    }
    body->bytes.append(data, qsizetype(n));
    return n;
}

// The service's host as the user may see it (the address itself carries the service's key).
QString hostOf(const QString& address) {
    const QUrl url(address);
    if (url.host().isEmpty()) return QStringLiteral("\"%1\"").arg(address.left(60));
    return url.port() < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
}

QString seconds(std::chrono::milliseconds t) { return QString::number(double(t.count()) / 1000.0); }

// The body decoded by the charset the reply names; UTF-8 when it names none (or one unknown here).
QString decode(const QByteArray& bytes, const char* contentType) {
    std::optional<QStringConverter::Encoding> encoding;
    if (contentType) {
        const QByteArray type(contentType);
        const qsizetype at = type.toLower().indexOf("charset=");
        if (at >= 0) {
            QByteArray name = type.mid(at + 8);
            name = name.left(name.indexOf(';')).trimmed();
            if (name.startsWith('"') && name.endsWith('"') && name.size() >= 2) name = name.mid(1, name.size() - 2);
            encoding = QStringConverter::encodingForName(name.constData());
        }
    }
    if (!encoding) encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

}  // namespace

QString serviceDate(const QDate& date, bool twoDigitDay) {
    const QString slash = QStringLiteral("%2F");
    const QString day = QString::number(date.day());
    return QString::number(date.month()).rightJustified(2, u'0') + slash +
           (twoDigitDay ? day.rightJustified(2, u'0') : day) + slash +
           QString::number(date.year()).rightJustified(4, u'0');
}

QString availabilityRequest(const QString& prefix, const AvailabilityRequest& r) {
    QString s = prefix;
    s += QStringLiteral("%3ChotelId%3E") + encoded(r.hotelId) + QStringLiteral("%3C%2FhotelId%3E%0A");
    s += QStringLiteral("%3CarrivalDate%3E") + serviceDate(r.arrival) + QStringLiteral("%3C%2FarrivalDate%3E%0A");
    s += QStringLiteral("%3CdepartureDate%3E") + serviceDate(r.departure, r.departureDayTwoDigits) +
         QStringLiteral("%3C%2FdepartureDate%3E%0A");
    s += QStringLiteral("%3CincludeDetails%3Etrue%3C%2FincludeDetails%3E%0A");
    s += QStringLiteral("%3CRoomGroup%3E%0A");
    s += QStringLiteral("%3CRoom%3E%0A");
    s += QStringLiteral("%3CnumberOfAdults%3E") + encoded(r.adults) + QStringLiteral("%3C%2FnumberOfAdults%3E%0A");
    if (r.rooms) {
        s += QStringLiteral("%3CnumberOfRooms%3E") + encoded(*r.rooms) + QStringLiteral("%3C%2FnumberOfRooms%3E%0A");
    }
    s += QStringLiteral("%3C%2FRoom%3E%0A");
    s += QStringLiteral("%3C%2FRoomGroup%3E%0A");
    s += QStringLiteral("%3C%2FHotelRoomAvailabilityRequest%3E");
    return s;
}

QString informationRequest(const QString& prefix, const QString& hotelId) {
    return prefix + QStringLiteral("%3ChotelId%3E") + encoded(hotelId) + QStringLiteral("%3C%2FhotelId%3E%0A") +
           QStringLiteral("%3Coptions%3E0%3C%2Foptions%3E%0A") + QStringLiteral("%3C%2FHotelInformationRequest%3E");
}

CurlHotelService::CurlHotelService(bool verifyCertificates) : verifyCertificates_(verifyCertificates) {}

QString CurlHotelService::GetURLAsString(const QString& address) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) throw HotelServiceError(QStringLiteral("The hotel service could not be called: out of memory."));
    CURL* h = curl.get();

    const QByteArray url = address.toUtf8();
    const long ms = long(timeout.count());
    Body body;
    char detail[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, ms);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, ms);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, verifyCertificates_ ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, verifyCertificates_ ? 2L : 0L);

    const CURLcode rc = curl_easy_perform(h);
    const QString host = hostOf(address);
    if (rc == CURLE_OPERATION_TIMEDOUT) {
        throw HotelServiceError(
            QStringLiteral("The hotel service at %1 did not answer within %2 seconds.").arg(host, seconds(timeout)));
    }
    if (body.tooLarge) {
        throw HotelServiceError(QStringLiteral("The hotel service at %1 sent a reply larger than %2 MB.")
                                    .arg(host)
                                    .arg(MaxReply / (1024 * 1024)));
    }
    if (rc != CURLE_OK) {
        const QString why = detail[0] ? QString::fromUtf8(detail) : QString::fromUtf8(curl_easy_strerror(rc));
        throw HotelServiceError(QStringLiteral("The hotel service at %1 could not be reached: %2").arg(host, why));
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        throw HotelServiceError(
            QStringLiteral("The hotel service at %1 answered with HTTP status %2.").arg(host).arg(status));
    }
    const char* contentType = nullptr;
    curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &contentType);
    return decode(body.bytes, contentType);
}

}  // namespace tavolin

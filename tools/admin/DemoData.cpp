#include "admin/DemoData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QRegularExpression>
#include <stdexcept>

#include "data/Texts.h"

namespace tavolin::admin {

QString expandPlaceholders(const QString& text, const QDateTime& now, const QVariantMap& values) {
    if (!text.contains(u'{')) return text;
    static const QRegularExpression re(QStringLiteral("\\{(today|weekday)([+-]\\d+)?\\}|\\{now\\}|\\{([A-Za-z_][A-Za-z0-9_.]*)\\}"));
    QString out;
    qsizetype last = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        if (m.captured(0) == QLatin1String("{now}")) {
            out += timeText(now.time());
        } else if (!m.captured(1).isEmpty()) {
            const QDate day = now.date().addDays(m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
            out += m.captured(1) == QLatin1String("today") ? dateText(day) : QLocale::c().dayName(day.dayOfWeek());
        } else if (values.contains(m.captured(3))) {
            out += values.value(m.captured(3)).toString();
        } else {
            out += m.captured(0);
        }
    }
    out += text.mid(last);
    return out;
}

namespace {

// A small deterministic generator, so the demo (and the benchmarks) are the same on every machine.
quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

int between(quint32 seed, int low, int high) { return low + int(seed % quint32(high - low + 1)); }

}  // namespace

QVariantMap dailyStatisticsRow(const PropertyFacts& p, const QDate& day, const QDateTime& now) {
    const quint32 seed = mix(quint32(p.index) * 7919U + quint32(day.toJulianDay()));
    const int rooms = p.rooms;
    const int ooo = between(seed, 0, qMax(1, rooms / 40));
    // Fridays and Saturdays fill up; one property in seven sells out on the day.
    const bool weekend = day.dayOfWeek() >= 5 && day.dayOfWeek() <= 6;
    int sold = rooms * between(mix(seed), weekend ? 75 : 55, weekend ? 100 : 92) / 100;
    if (p.index % 7 == 0) sold = rooms;
    sold = qMin(sold, rooms - (p.index % 7 == 0 ? 0 : ooo));
    const int firstSold = qMax(0, sold - between(mix(seed + 1), 0, 12));
    const double occ = rooms > 0 ? double(sold) / rooms * 100.0 : 0.0;
    const double rate = 109 + between(mix(seed + 2), 0, 180) + (weekend ? 40 : 0);
    QVariantMap r;
    r[QStringLiteral("BusinessDate")] = dateText(day);
    r[QStringLiteral("HotelCode")] = p.hotelId;
    r[QStringLiteral("HotelName")] = p.hotelName;
    r[QStringLiteral("HotelRooms")] = rooms;
    r[QStringLiteral("HotelLastStatus")] = QStringLiteral("Yes");
    r[QStringLiteral("DateUpdate")] = dateText(qMin(day, now.date()));
    r[QStringLiteral("TimeUpdate")] = timeText(QTime(7 + int(seed % 12), int(seed % 60)));
    r[QStringLiteral("UpdatedByID")] = QStringLiteral("3");
    r[QStringLiteral("UpdatedByUserID")] = QStringLiteral("REVENUE");
    r[QStringLiteral("TodaySold")] = QString::number(sold);
    r[QStringLiteral("TodayOOO")] = QString::number(ooo);
    r[QStringLiteral("TodayAvailable")] = rooms - sold - ooo;
    r[QStringLiteral("TodayOcc")] = twoDecimals(occ);
    r[QStringLiteral("TodayArr")] = QString::number(sold / 3);
    r[QStringLiteral("TodayNGTD")] = QString::number(between(mix(seed + 3), 0, 4));
    r[QStringLiteral("TodayAward")] = QString::number(between(mix(seed + 4), 0, 3));
    r[QStringLiteral("Overbook")] = QString::number(between(mix(seed + 5), 0, 5));
    r[QStringLiteral("TodayRate")] = twoDecimals(rate);
    r[QStringLiteral("TodayWalkRate")] = sold >= rooms - ooo ? twoDecimals(rate + 60) : QStringLiteral("N/A");
    r[QStringLiteral("TodayMLOS")] = QStringLiteral("1");
    r[QStringLiteral("TodayCompSetRate")] = twoDecimals(rate - 12 + between(mix(seed + 6), 0, 24));
    r[QStringLiteral("isExpediaRate")] = QStringLiteral("False");
    r[QStringLiteral("TodayFirstUpdate")] = QStringLiteral("No");
    r[QStringLiteral("TodayFirstSold")] = QString::number(firstSold);
    r[QStringLiteral("PickUp")] = QString::number(sold - firstSold);
    for (const char* zero : {"TodayDep", "TodayDbl", "TodayComp", "TodayKings"}) r[QLatin1String(zero)] = QStringLiteral("0");
    r[QStringLiteral("TodayAcceptWalk")] = QStringLiteral("No");
    return r;
}

QVariantMap propertyRevenueRow(const PropertyFacts& p, const QDate& day) {
    const QVariantMap d = dailyStatisticsRow(p, day, QDateTime(day, QTime(8, 0)));
    const int rooms = p.rooms;
    const int sold = d.value(QStringLiteral("TodaySold")).toInt();
    const int ooo = d.value(QStringLiteral("TodayOOO")).toInt();
    const int doubles = rooms / 3;
    QVariantMap r;
    r[QStringLiteral("PropertyID")] = p.hotelId;
    r[QStringLiteral("BusinessDate")] = dateText(day);
    r[QStringLiteral("Sold")] = QString::number(sold);
    r[QStringLiteral("Doubles")] = QString::number(doubles);
    r[QStringLiteral("Arrivals")] = d.value(QStringLiteral("TodayArr"));
    r[QStringLiteral("Comp")] = QStringLiteral("0");
    r[QStringLiteral("OOO")] = QString::number(ooo);
    r[QStringLiteral("NGTD")] = d.value(QStringLiteral("TodayNGTD"));
    r[QStringLiteral("Awards")] = d.value(QStringLiteral("TodayAward"));
    r[QStringLiteral("Available")] = rooms - sold - ooo;
    r[QStringLiteral("Occupancy")] = d.value(QStringLiteral("TodayOcc"));
    r[QStringLiteral("Kings")] = QString::number(rooms - ooo - sold - doubles);
    r[QStringLiteral("CTA")] = QStringLiteral("False");
    r[QStringLiteral("MLOS")] = QStringLiteral("1");
    r[QStringLiteral("HouseOverbook")] = d.value(QStringLiteral("Overbook"));
    r[QStringLiteral("OTARate")] = d.value(QStringLiteral("TodayCompSetRate"));
    r[QStringLiteral("WalkRate")] = d.value(QStringLiteral("TodayWalkRate"));
    r[QStringLiteral("SellingRate")] = d.value(QStringLiteral("TodayRate"));
    r[QStringLiteral("isExpediaRate")] = QStringLiteral("False");
    r[QStringLiteral("AcceptingWalks")] = QStringLiteral("No");
    r[QStringLiteral("TodayFirstOcc")] = d.value(QStringLiteral("TodayOcc"));
    r[QStringLiteral("TodayFirstSold")] = d.value(QStringLiteral("TodayFirstSold"));
    return r;
}

QJsonObject demoRows() {
    QJsonObject merged;
    for (const char* area : {"foundation", "revenue", "operations", "guest"}) {
        QFile f(QStringLiteral(":/demo/%1.json").arg(QLatin1String(area)));
        if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(std::string("missing demo rows ") + area);
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
        if (doc.isNull()) throw std::runtime_error(std::string("demo rows ") + area + ": " + err.errorString().toStdString());
        const QJsonObject o = doc.object();
        for (auto db = o.begin(); db != o.end(); ++db) {
            QJsonObject tables = merged.value(db.key()).toObject();
            const QJsonObject add = db.value().toObject();
            for (auto t = add.begin(); t != add.end(); ++t) {
                if (tables.contains(t.key()))
                    throw std::runtime_error(QStringLiteral("demo rows of %1 given twice").arg(t.key()).toStdString());
                tables.insert(t.key(), t.value());
            }
            merged.insert(db.key(), tables);
        }
    }
    return merged;
}

}  // namespace tavolin::admin

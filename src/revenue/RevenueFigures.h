#pragma once

#include <QChar>
#include <QColor>
#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace tavolin::revenue {

// The figures of a daily statistics row and of the stored days, computed the one way every window
// writes them. Rooms is the HotelRooms of the property's TRealRevenue row.

// Sold ÷ rooms × 100 with two decimals ("78.89"); "0.00" for a property without rooms.
QString occupancyText(qint64 sold, qint64 rooms);
// Rooms left: rooms − sold − out of order; negative when oversold.
inline qint64 availableRooms(qint64 rooms, qint64 sold, qint64 outOfOrder) {
    return rooms - sold - outOfOrder;
}
// Whether a walk rate can be given: rooms − out of order > sold.
inline bool hasFreeRooms(qint64 rooms, qint64 sold, qint64 outOfOrder) {
    return rooms - outOfOrder > sold;
}

// A rate as typed, read as a currency amount and written with exactly two decimals (129 → "129.00");
// nullopt when the text is no amount.
std::optional<QString> rateText(const QString& typed);
// A whole number as typed ("40", "-3"); nullopt otherwise.
std::optional<qint64> wholeNumber(const QString& typed);

// The key filters of the update windows. A refused key is dropped and its message shown.
enum class KeyFilter {
    Plain,     // seven-day figures: digits, "-", ".", backspace, Enter
    Numeric,   // seven-day rates: the same keys, one "." only
    Integer,   // single-day figures: digits, backspace, Enter, Escape
    Rate,      // single-day selling rate: digits, ".", backspace, Enter, Escape; one "." only
    WalkRate,  // single-day walk rate: as Rate, plus "/", "A" and "N" for "N/A"
};
// The message for a refused key, or nullopt when the key is accepted into an edit holding `text`.
std::optional<QString> refusedKey(KeyFilter filter, QChar key, const QString& text);

// Colours of a dashboard row; invalid colours leave the grid's own.
struct DashboardColours {
    QColor background;
    QColor text;
};
// Light yellow from 95 % occupancy, light green when sold out, light red when oversold, and grey text
// on white while the property has not reported (occupancy 0); a later rule wins.
DashboardColours dashboardRowColours(const QString& todayOcc, const QString& todayAvailable);

// "Tue Jun/30": how the update e-mails head a day.
QString mailDayText(const QDate& date);

// One day of a seven-day update as it was saved (the in-memory grid).
struct WeekDay {
    QDate date;
    bool closedToArrival = false;
    QString overbook;
    QString sold;
    QString doubles;
    QString arrivals;
    QString comp;
    QString outOfOrder;
    QString ngtd;
    QString awards;
    QString rate;  // two decimals
    QString minimumStay;
    QString walkRate;  // day 1 only; "N/A" for the others
};

struct WeekUpdate {
    QString loginName;  // status panel 2
    QString userId;     // status panel 1
    QString propertyCode;
    qint64 rooms = 0;
    std::array<WeekDay, 7> days;
};
// The HTML body of the seven-day update e-mail.
QString sevenDayMailBody(const WeekUpdate& week);

struct DayUpdate {
    QString userId;     // status panel 1
    QString loginName;  // status panel 2
    QString message;    // the memo; no line when empty
    QString propertyCode;
    QDate date;
    qint64 rooms = 0;
    QString sold;
    QString outOfOrder;
    QString arrivals;
    QString ngtd;
    QString rate;      // as shown
    QString walkRate;  // as shown; no line when "N/A"
};
// The HTML body of the single-day update e-mail.
QString singleDayMailBody(const DayUpdate& day);

}  // namespace tavolin::revenue

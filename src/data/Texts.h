#pragma once

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace tavolin {

// Dates are stored, shown and compared as "mm/dd/yyyy"; times as "hh:mm AM/PM".
QString dateText(const QDate& date);
QString timeText(const QTime& time);
// Reads a "mm/dd/yyyy" text strictly (two-digit month and day, four-digit year); an invalid date otherwise.
QDate parseDateText(const QString& text);
// "yyyymmdd" of a "mm/dd/yyyy" text, so date texts can be compared in order; empty when the text is no date.
QString sortableDateText(const QString& text);

// Figures with exactly two decimals, as "%.2f" writes them.
QString twoDecimals(double value);
// The shortest decimal form of a number: 12.5, 100, 0.
QString shortestForm(double value);
// Reads a number typed or stored as text ("12", "-3", "95.24"); nullopt when the text is no number.
std::optional<double> parseNumber(const QString& text);
std::optional<qint64> parseInteger(const QString& text);

// A value quoted for the text form of filters and SQL: single quotes, an embedded quote doubled.
QString quoted(const QString& value);

// The key that ties a bank close or a petty-cash submission to its copied rows:
// "mmddyyyy" of the date immediately followed by "hhmmss AM/PM" of the time.
QString closeKey(const QDateTime& when);

// Colour texts as the schedule, the monitor profiles, the rate graph and the title editor store them:
// a colour name ("clRed"), a hexadecimal value ("$00BBGGRR") or a decimal number (0x00BBGGRR).
std::optional<QColor> colourFromText(const QString& text);
// The name when the colour has one ("clRed"), otherwise "$00BBGGRR".
QString colourToText(const QColor& colour);

}  // namespace tavolin

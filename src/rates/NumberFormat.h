#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tavolin {

// A number format code of a workbook ("#,##0.00", "m/d/yyyy", "[Red]\(0.00\)") rendered as the
// spreadsheet program displays a cell, in US English. Up to four sections (positive; negative; zero;
// text), conditions, colours (ignored), currency symbols, literal text, digit placeholders 0 # ?,
// grouping and scaling commas, percent, exponents, fractions, dates, times and elapsed times.
class NumberFormat {
public:
    // General.
    NumberFormat();
    explicit NumberFormat(const QString& code);

    // The code of a built-in format id as a US English workbook shows it; empty for ids without a
    // fixed code, which are shown as General.
    static QString builtInCode(int id);

    const QString& code() const { return code_; }
    // Numbers with this format are dates or times (decided by the first section, as the program does).
    bool isDateTime() const;
    QString formatNumber(double value, bool date1904 = false) const;
    QString formatText(const QString& text) const;

    // The General rendering: up to 15 significant digits, an exponent only for very large or small values.
    static QString general(double value);

    enum class Kind {
        Literal,
        Digit,
        Point,
        Comma,
        Percent,
        Exponent,
        Slash,
        At,
        General,
        Year,
        Month,
        Day,
        Hour,
        Minute,
        Second,
        SubSecond,
        AmPm,
        ElapsedHours,
        ElapsedMinutes,
        ElapsedSeconds,
    };
    struct Token {
        Kind kind = Kind::Literal;
        QString text;     // the literal, or the token as written
        int count = 0;    // letters of a date or time part, digits of a fraction of a second
        QChar symbol;     // digit placeholder (0 # ?) or exponent sign (+ -)
        bool upper = true;  // AM/PM written in capitals
    };
    struct Condition {
        enum class Op { None, Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual } op = Op::None;
        double operand = 0;
        bool matches(double value) const;
    };
    struct Section {
        QList<Token> tokens;
        Condition condition;
        bool dateTime = false;
        bool hasText = false;    // has the @ placeholder
        bool hasDigits = false;  // has digit placeholders (or General)
        bool twelveHour = false;
    };

private:
    QString code_;
    QList<Section> sections_;
};

// The calendar day of a date serial, counted as the spreadsheet program counts it: in the 1900 system
// serial 1 is 1 January 1900 and serial 60 the 29 February 1900 the program believes in; in the 1904
// system serial 0 is 1 January 1904. Invalid for that fictitious day, for day 0 and outside the years
// 1900 to 9999.
QDate serialDate(double serial, bool date1904);

}  // namespace tavolin

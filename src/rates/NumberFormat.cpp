#include "rates/NumberFormat.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace tavolin {

namespace {

using Kind = NumberFormat::Kind;
using Token = NumberFormat::Token;
using Section = NumberFormat::Section;
using Condition = NumberFormat::Condition;

// Bounds that keep a hostile format code from costing more than a normal one.
constexpr int MaxDecimals = 30;
constexpr int MaxFractionDigits = 4;
constexpr int MaxScaling = 10;

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};
const char* const DayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// A non-negative number as at most 15 significant decimal digits: value = 0.digits x 10^exponent.
// Rounding the displayed value from these digits is what makes 2.675 show as 2.68.
struct Decimal {
    QByteArray digits;  // no leading or trailing zeros; empty for zero
    int exponent = 0;
};

Decimal toDecimal(double value) {
    Decimal d;
    if (value == 0 || !std::isfinite(value)) return d;
    const QByteArray s = QByteArray::number(std::fabs(value), 'e', 14);  // "1.23450000000000e+02"
    const int e = s.indexOf('e');
    d.digits = s.left(1) + s.mid(2, e - 2);
    d.exponent = s.mid(e + 1).toInt() + 1;
    while (d.digits.endsWith('0')) d.digits.chop(1);
    return d;
}

// Rounds half away from zero to a number of decimals; the whole part has no leading zeros ("" for
// zero), the fraction exactly `decimals` digits.
void roundFixed(const Decimal& d, int decimals, QByteArray& whole, QByteArray& fraction) {
    whole.clear();
    fraction = QByteArray(decimals, '0');
    const int keep = d.exponent + decimals;
    if (d.digits.isEmpty() || keep < 0) return;
    QByteArray kept = d.digits.left(keep);
    if (kept.size() < keep) kept.append(QByteArray(keep - kept.size(), '0'));
    if (keep < d.digits.size() && d.digits[keep] >= '5') {
        int i = kept.size() - 1;
        while (i >= 0 && kept[i] == '9') kept[i--] = '0';
        if (i >= 0)
            kept[i] = char(kept[i] + 1);
        else
            kept.prepend('1');
    }
    if (kept.size() > decimals) {
        whole = kept.left(kept.size() - decimals);
        fraction = kept.right(decimals);
    } else {
        fraction = QByteArray(decimals - kept.size(), '0') + kept;
    }
    int zeros = 0;
    while (zeros < whole.size() && whole[zeros] == '0') ++zeros;
    whole.remove(0, zeros);
}

bool isDatePart(Kind k) {
    switch (k) {
        case Kind::Year:
        case Kind::Month:
        case Kind::Day:
        case Kind::Hour:
        case Kind::Minute:
        case Kind::Second:
        case Kind::SubSecond:
        case Kind::AmPm:
        case Kind::ElapsedHours:
        case Kind::ElapsedMinutes:
        case Kind::ElapsedSeconds:
            return true;
        default:
            return false;
    }
}

Token literal(const QString& text) {
    Token t;
    t.text = text;
    return t;
}

Token token(Kind kind, const QString& text, int count = 0) {
    Token t;
    t.kind = kind;
    t.text = text;
    t.count = count;
    return t;
}

QList<QString> splitSections(const QString& code) {
    QList<QString> parts;
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            quoted = c != u'"';
        } else if (bracket) {
            bracket = c != u']';
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'[') {
            bracket = true;
        } else if ((c == u'\\' || c == u'_' || c == u'*') && i + 1 < code.size()) {
            current += c;
            current += code[++i];
            continue;
        } else if (c == u';') {
            parts.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    parts.append(current);
    return parts;
}

bool parseCondition(const QString& text, Condition& condition) {
    using Op = Condition::Op;
    static const struct {
        const char* text;
        Op op;
    } ops[] = {{"<=", Op::LessEqual}, {">=", Op::GreaterEqual}, {"<>", Op::NotEqual},
               {"<", Op::Less},       {">", Op::Greater},       {"=", Op::Equal}};
    for (const auto& o : ops) {
        if (!text.startsWith(QLatin1String(o.text))) continue;
        bool ok = false;
        const double operand = text.mid(qsizetype(qstrlen(o.text))).trimmed().toDouble(&ok);
        if (!ok) return false;
        condition.op = o.op;
        condition.operand = operand;
        return true;
    }
    return false;
}

void tokenizeInto(const QString& s, Section& section, int depth);

// "[...]": elapsed time, currency and locale, condition; colours and anything else show nothing.
void bracket(const QString& content, Section& section, int depth) {
    const QString lower = content.toLower();
    if (!lower.isEmpty() && lower.count(lower[0]) == lower.size() &&
        (lower[0] == u'h' || lower[0] == u'm' || lower[0] == u's')) {
        const Kind k = lower[0] == u'h' ? Kind::ElapsedHours
                       : lower[0] == u'm' ? Kind::ElapsedMinutes
                                          : Kind::ElapsedSeconds;
        section.tokens.append(token(k, content, int(content.size())));
        return;
    }
    if (content.startsWith(u'$')) {
        const qsizetype dash = content.indexOf(u'-');
        const QString symbol = content.mid(1, dash < 0 ? -1 : dash - 1);
        const QString locale = dash < 0 ? QString() : content.mid(dash + 1).toUpper();
        if (!symbol.isEmpty()) section.tokens.append(literal(symbol));
        // The system's long date and time formats.
        if (depth == 0 && locale == u"F800") tokenizeInto(QStringLiteral("dddd, mmmm d, yyyy"), section, 1);
        if (depth == 0 && locale == u"F400") tokenizeInto(QStringLiteral("h:mm:ss AM/PM"), section, 1);
        return;
    }
    parseCondition(content, section.condition);
}

void tokenizeInto(const QString& s, Section& section, int depth) {
    QList<Token>& out = section.tokens;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        const QChar lower = c.toLower();
        if (c == u'"') {
            const qsizetype end = s.indexOf(u'"', i + 1);
            out.append(literal(s.mid(i + 1, end < 0 ? -1 : end - i - 1)));
            i = end < 0 ? n : end;
        } else if (c == u'\\' && i + 1 < n) {
            out.append(literal(QString(s[++i])));
        } else if (c == u'_' && i + 1 < n) {
            ++i;  // room for the width of the next character
            out.append(literal(QStringLiteral(" ")));
        } else if (c == u'*' && i + 1 < n) {
            ++i;  // fill to the column width: nothing in a text
        } else if (c == u'[') {
            const qsizetype end = s.indexOf(u']', i + 1);
            bracket(s.mid(i + 1, end < 0 ? -1 : end - i - 1), section, depth);
            i = end < 0 ? n : end;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            Token t = token(Kind::Digit, QString(c));
            t.symbol = c;
            out.append(t);
        } else if (c == u'.') {
            out.append(token(Kind::Point, QStringLiteral(".")));
        } else if (c == u',') {
            out.append(token(Kind::Comma, QStringLiteral(",")));
        } else if (c == u'%') {
            out.append(token(Kind::Percent, QStringLiteral("%")));
        } else if (lower == u'e' && i + 1 < n && (s[i + 1] == u'+' || s[i + 1] == u'-')) {
            Token t = token(Kind::Exponent, s.mid(i, 2));
            t.symbol = s[i + 1];
            out.append(t);
            ++i;
        } else if (c == u'/') {
            out.append(token(Kind::Slash, QStringLiteral("/")));
        } else if (c == u'@') {
            out.append(token(Kind::At, QStringLiteral("@")));
        } else if (s.mid(i, 7).compare(u"General", Qt::CaseInsensitive) == 0) {
            out.append(token(Kind::General, s.mid(i, 7)));
            i += 6;
        } else if (s.mid(i, 5).compare(u"AM/PM", Qt::CaseInsensitive) == 0) {
            Token t = token(Kind::AmPm, s.mid(i, 5), 2);
            out.append(t);
            i += 4;
        } else if (s.mid(i, 3).compare(u"A/P", Qt::CaseInsensitive) == 0) {
            Token t = token(Kind::AmPm, s.mid(i, 3), 1);
            t.upper = c.isUpper();
            out.append(t);
            i += 2;
        } else if (lower == u'y' || lower == u'm' || lower == u'd' || lower == u'h' || lower == u's') {
            qsizetype j = i;
            while (j < n && s[j].toLower() == lower) ++j;
            const int count = int(j - i);
            const Kind k = lower == u'y'   ? Kind::Year
                           : lower == u'm' ? Kind::Month
                           : lower == u'd' ? Kind::Day
                           : lower == u'h' ? Kind::Hour
                                           : Kind::Second;
            out.append(token(k, s.mid(i, count), count));
            i = j - 1;
        } else {
            out.append(literal(QString(c)));
        }
    }
}

// Dates and times: "m" is minutes right after hours or right before seconds; a point followed by
// zeros after seconds shows fractions of a second; what else looks numeric is literal text.
void finishDateTime(Section& section) {
    QList<Token>& t = section.tokens;
    auto previousPart = [&](qsizetype i) -> Kind {
        for (qsizetype j = i - 1; j >= 0; --j)
            if (isDatePart(t[j].kind)) return t[j].kind;
        return Kind::Literal;
    };
    auto nextPart = [&](qsizetype i) -> Kind {
        for (qsizetype j = i + 1; j < t.size(); ++j)
            if (isDatePart(t[j].kind)) return t[j].kind;
        return Kind::Literal;
    };
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != Kind::Month || t[i].count > 2) continue;
        const Kind before = previousPart(i);
        const Kind after = nextPart(i);
        if (before == Kind::Hour || before == Kind::ElapsedHours || after == Kind::Second ||
            after == Kind::ElapsedSeconds)
            t[i].kind = Kind::Minute;
    }
    QList<Token> out;
    for (qsizetype i = 0; i < t.size(); ++i) {
        Token tok = t[i];
        if (tok.kind == Kind::Point && i + 1 < t.size() && t[i + 1].kind == Kind::Digit &&
            t[i + 1].symbol == u'0' &&
            (previousPart(i) == Kind::Second || previousPart(i) == Kind::ElapsedSeconds)) {
            int digits = 0;
            while (i + 1 < t.size() && t[i + 1].kind == Kind::Digit && t[i + 1].symbol == u'0') {
                ++digits;
                ++i;
            }
            out.append(token(Kind::SubSecond, QString(), std::min(digits, 3)));
            continue;
        }
        if (tok.kind == Kind::AmPm) section.twelveHour = true;
        if (!isDatePart(tok.kind) && tok.kind != Kind::Literal && tok.kind != Kind::At) tok.kind = Kind::Literal;
        out.append(tok);
    }
    t = out;
}

Section parseSection(const QString& text) {
    Section section;
    tokenizeInto(text, section, 0);
    for (const Token& t : section.tokens) {
        if (isDatePart(t.kind)) section.dateTime = true;
        if (t.kind == Kind::At) section.hasText = true;
        if (t.kind == Kind::Digit || t.kind == Kind::General) section.hasDigits = true;
    }
    if (section.dateTime) finishDateTime(section);
    return section;
}

QString pad(qint64 value, int width) { return QString::number(value).rightJustified(width, u'0'); }

// ---- numbers ----

struct NumberParts {
    QString text;
    bool nonZero = false;  // some shown digit is not zero (a negative sign is worth showing)
};

// Integer digits spread over the placeholders right to left; the leftmost takes what is left over.
void placeWhole(const QList<Token>& t, const QList<qsizetype>& places, const QByteArray& digits, bool group,
                QList<QString>& out, bool& nonZero) {
    qsizetype next = digits.size();
    int shown = 0;
    for (qsizetype p = places.size() - 1; p >= 0; --p) {
        QString piece;
        const QChar symbol = t[places[p]].symbol;
        const qsizetype take = p == 0 ? next : std::min<qsizetype>(next, 1);
        QByteArray chunk = digits.mid(next - take, take);
        next -= take;
        if (chunk.isEmpty()) {
            if (symbol == u'0')
                chunk = "0";
            else if (symbol == u'?')
                piece = QStringLiteral(" ");
        }
        for (qsizetype k = chunk.size() - 1; k >= 0; --k) {
            if (group && shown > 0 && shown % 3 == 0) piece.prepend(u',');
            piece.prepend(QChar(chunk[k]));
            if (chunk[k] != '0') nonZero = true;
            ++shown;
        }
        out[places[p]] = piece;
    }
}

// Fraction digits left to right; trailing zeros show as 0, nothing (#) or a space (?).
void placeDecimals(const QList<Token>& t, const QList<qsizetype>& places, const QByteArray& digits,
                   QList<QString>& out, bool& nonZero) {
    qsizetype last = -1;
    for (qsizetype i = 0; i < digits.size(); ++i)
        if (digits[i] != '0') last = i;
    for (qsizetype p = 0; p < places.size(); ++p) {
        const QChar symbol = t[places[p]].symbol;
        const char d = p < digits.size() ? digits[p] : '0';
        if (p <= last) {
            out[places[p]] = QChar(d);
            nonZero = nonZero || d != '0';
        } else {
            out[places[p]] = symbol == u'0' ? QStringLiteral("0") : symbol == u'?' ? QStringLiteral(" ") : QString();
        }
    }
}

QByteArray wholeDigits(double value) {
    QByteArray whole;
    QByteArray fraction;
    roundFixed(toDecimal(value), 0, whole, fraction);
    return whole;
}

NumberParts renderNumber(const Section& s, double value) {
    const QList<Token>& t = s.tokens;
    QList<QString> out(t.size());
    NumberParts result;
    qsizetype point = -1;
    qsizetype exponent = -1;
    qsizetype slash = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind == Kind::Exponent && exponent < 0) exponent = i;
        if (t[i].kind == Kind::Point && point < 0 && exponent < 0) point = i;
    }
    const qsizetype mantissaEnd = exponent < 0 ? t.size() : exponent;
    const qsizetype wholeEnd = point < 0 ? mantissaEnd : point;
    auto digitIn = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = std::max<qsizetype>(from, 0); i < to; ++i)
            if (t[i].kind == Kind::Digit) return true;
        return false;
    };
    if (exponent < 0) {
        for (qsizetype i = 0; i < t.size(); ++i)
            if (t[i].kind == Kind::Slash && digitIn(0, i) && digitIn(i + 1, t.size())) {
                slash = i;
                break;
            }
    }

    // Percent signs multiply; commas after the last digit of their part divide by a thousand;
    // commas between whole-number digits group.
    bool group = false;
    int percents = 0;
    int thousands = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        out[i] = t[i].text;
        if (t[i].kind == Kind::Percent) ++percents;
        if (t[i].kind == Kind::Comma && slash < 0 && digitIn(0, i)) {
            const qsizetype partEnd = i < wholeEnd ? wholeEnd : mantissaEnd;
            if (i < wholeEnd && digitIn(i + 1, wholeEnd)) {
                group = true;
                out[i].clear();
            } else if (!digitIn(i + 1, partEnd)) {
                ++thousands;
                out[i].clear();
            }
        }
        if (t[i].kind == Kind::General) out[i] = NumberFormat::general(value);
    }
    for (int i = 0; i < std::min(percents, MaxScaling); ++i) value *= 100;
    for (int i = 0; i < std::min(thousands, MaxScaling); ++i) value /= 1000;
    if (!std::isfinite(value)) value = 0;

    QList<qsizetype> whole;
    QList<qsizetype> decimals;
    QList<qsizetype> expDigits;
    QList<qsizetype> numerator;
    QList<qsizetype> denominator;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].kind != Kind::Digit) continue;
        if (slash >= 0)
            (i < slash ? numerator : denominator).append(i);
        else if (i < wholeEnd)
            whole.append(i);
        else if (i < mantissaEnd)
            decimals.append(i);
        else
            expDigits.append(i);
    }

    if (slash >= 0) {
        // "# ?/?": a whole part when a literal separates two groups of digits before the slash.
        qsizetype split = -1;
        for (qsizetype k = 1; k < numerator.size(); ++k)
            if (numerator[k] != numerator[k - 1] + 1) split = k;
        if (split > 0) {
            whole = numerator.mid(0, split);
            numerator = numerator.mid(split);
        }
        // A fixed denominator is written as literal digits ("# ?/16").
        qint64 fixed = 0;
        qsizetype fixedEnd = slash + 1;
        if (denominator.isEmpty() || denominator.first() != slash + 1) {
            while (fixedEnd < t.size() && t[fixedEnd].kind == Kind::Literal && t[fixedEnd].text.size() == 1 &&
                   t[fixedEnd].text[0].isDigit() && fixed < 100000)
                fixed = fixed * 10 + t[fixedEnd++].text[0].digitValue();
        }
        double w = whole.isEmpty() ? 0 : std::floor(value);
        const double f = value - w;
        qint64 num = 0;
        qint64 den = 1;
        if (fixed > 0) {
            den = fixed;
            num = qint64(std::llround(f * double(den)));
        } else {
            const qint64 maxDen =
                qint64(std::pow(10.0, std::clamp<qsizetype>(denominator.size(), 1, MaxFractionDigits))) - 1;
            double best = 2;
            for (qint64 d = 1; d <= maxDen; ++d) {
                const qint64 n = qint64(std::llround(f * double(d)));
                const double err = std::fabs(f - double(n) / double(d));
                if (err < best - 1e-12) {
                    best = err;
                    num = n;
                    den = d;
                }
            }
        }
        if (!whole.isEmpty() && num == den) {
            w += 1;
            num = 0;
        }
        if (num > 1e15) num = 0;
        QByteArray wholeText = w >= 1 ? wholeDigits(w) : QByteArray();
        if (!whole.isEmpty() && wholeText.isEmpty() && num == 0) wholeText = "0";
        placeWhole(t, whole, wholeText, false, out, result.nonZero);
        if (num == 0 && !whole.isEmpty()) {
            // A whole number: the fraction becomes blank space of its width.
            const qsizetype end = fixed > 0 ? fixedEnd : (denominator.isEmpty() ? slash + 1 : denominator.last() + 1);
            for (qsizetype i = numerator.isEmpty() ? slash : numerator.first(); i < end; ++i)
                out[i] = QString(out[i].size() ? out[i].size() : 1, u' ');
        } else {
            placeWhole(t, numerator, QByteArray::number(num), false, out, result.nonZero);
            if (fixed == 0) {
                const QByteArray d = QByteArray::number(den);
                for (qsizetype p = 0; p < denominator.size(); ++p) {
                    const QChar symbol = t[denominator[p]].symbol;
                    if (p < d.size())
                        out[denominator[p]] = QString::fromLatin1(p + 1 == denominator.size() ? d.mid(p) : d.mid(p, 1));
                    else
                        out[denominator[p]] = symbol == u'0' ? QStringLiteral("0")
                                              : symbol == u'?' ? QStringLiteral(" ")
                                                               : QString();
                }
            }
            result.nonZero = result.nonZero || num != 0;
        }
    } else if (exponent >= 0) {
        Decimal d = toDecimal(value);
        int exp10 = d.digits.isEmpty() ? 0 : d.exponent - 1;
        const int wholePlaces = std::max<int>(1, int(whole.size()));
        bool engineering = false;
        for (qsizetype i : whole)
            if (t[i].symbol == u'#') engineering = whole.size() > 1;
        auto shift = [&](int e) {
            if (engineering)
                e = int(std::floor(double(e) / wholePlaces)) * wholePlaces;
            else
                e -= wholePlaces - 1;
            return e;
        };
        int e = shift(exp10);
        QByteArray w;
        QByteArray f;
        Decimal m = d;
        m.exponent -= e;
        roundFixed(m, std::min<int>(int(decimals.size()), MaxDecimals), w, f);
        if (w.size() > (engineering ? wholePlaces : wholePlaces)) {
            // Rounding carried into a new digit (9.99 -> 10.0): one more power of ten.
            e = shift(exp10 + 1);
            m = d;
            m.exponent -= e;
            roundFixed(m, std::min<int>(int(decimals.size()), MaxDecimals), w, f);
        }
        if (d.digits.isEmpty()) e = 0;
        placeWhole(t, whole, w, group, out, result.nonZero);
        placeDecimals(t, decimals, f, out, result.nonZero);
        QString sign = e < 0 ? QStringLiteral("-") : t[exponent].symbol == u'+' ? QStringLiteral("+") : QString();
        out[exponent] = t[exponent].text.left(1) + sign;
        placeWhole(t, expDigits, QByteArray::number(std::abs(e)), false, out, result.nonZero);
    } else {
        QByteArray w;
        QByteArray f;
        roundFixed(toDecimal(value), std::min<int>(int(decimals.size()), MaxDecimals), w, f);
        placeWhole(t, whole, w, group, out, result.nonZero);
        placeDecimals(t, decimals, f, out, result.nonZero);
        // A point with no decimal shown after it is dropped ("0.##" shows 5 as "5").
        bool decimalShown = false;
        for (qsizetype i : decimals) decimalShown = decimalShown || !out[i].isEmpty();
        if (point >= 0 && !decimals.isEmpty() && !decimalShown) out[point].clear();
        if (whole.isEmpty() && !w.isEmpty()) {
            // No whole-number placeholder: the whole part still shows, before the point.
            if (point >= 0) out[point] = QString::fromLatin1(w) + out[point];
            result.nonZero = true;
        }
    }
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t[i].kind == Kind::General) result.nonZero = result.nonZero || value != 0;
    result.text = out.join(QString());
    return result;
}

// ---- dates and times ----

QString renderDateTime(const Section& s, double serial, bool date1904) {
    // Negative serials and dates past 31 December 9999 do not fit the calendar.
    if (serial < 0 || serial >= (date1904 ? 2957004.0 : 2958466.0)) return QStringLiteral("########");
    int subDigits = -1;
    bool seconds = false;
    for (const Token& t : s.tokens) {
        if (t.kind == Kind::SubSecond) subDigits = std::max(subDigits, t.count);
        if (t.kind == Kind::Second || t.kind == Kind::ElapsedSeconds) seconds = true;
    }
    // Time in thousandths of a second, rounded to what is shown; unshown seconds are cut off.
    qint64 days = qint64(std::floor(serial));
    qint64 ms = qint64(std::llround((serial - double(days)) * 86400000.0));
    const qint64 unit = subDigits >= 0 ? qint64(std::pow(10.0, 3 - subDigits)) : 1000;
    if (subDigits >= 0 || seconds)
        ms = (ms + unit / 2) / unit * unit;
    else
        ms = ms / 1000 * 1000;
    if (ms >= 86400000) {
        ++days;
        ms -= 86400000;
    }
    int year = 1900;
    int month = 1;
    int day = 0;
    int weekday = 0;
    if (!date1904 && days == 60) {
        month = 2;
        day = 29;
        weekday = 3;
    } else if (!date1904 && days == 0) {
        weekday = 6;
    } else {
        const QDate date = serialDate(double(days), date1904);
        if (!date.isValid()) return QStringLiteral("########");
        year = date.year();
        month = date.month();
        day = date.day();
        weekday = date.dayOfWeek() % 7;
    }
    const qint64 totalSeconds = days * 86400 + ms / 1000;
    const int hour = int(ms / 3600000);
    const int minute = int(ms / 60000 % 60);
    const int second = int(ms / 1000 % 60);

    QString out;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
            case Kind::Year:
                out += t.count <= 2 ? pad(year % 100, 2) : pad(year, 4);
                break;
            case Kind::Month:
                if (t.count <= 2)
                    out += pad(month, t.count);
                else if (t.count == 3)
                    out += QString::fromLatin1(MonthNames[month - 1]).left(3);
                else if (t.count == 5)
                    out += QString::fromLatin1(MonthNames[month - 1]).left(1);
                else
                    out += QString::fromLatin1(MonthNames[month - 1]);
                break;
            case Kind::Day:
                if (t.count <= 2)
                    out += pad(day, t.count);
                else if (t.count == 3)
                    out += QString::fromLatin1(DayNames[weekday]).left(3);
                else
                    out += QString::fromLatin1(DayNames[weekday]);
                break;
            case Kind::Hour: {
                int h = hour;
                if (s.twelveHour) h = h % 12 == 0 ? 12 : h % 12;
                out += pad(h, std::min(t.count, 2));
                break;
            }
            case Kind::Minute:
                out += pad(minute, std::min(t.count, 2));
                break;
            case Kind::Second:
                out += pad(second, std::min(t.count, 2));
                break;
            case Kind::SubSecond:
                out += u'.' + pad(ms % 1000, 3).left(t.count);
                break;
            case Kind::AmPm: {
                QString text = t.count == 2 ? (hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"))
                                            : (hour < 12 ? QStringLiteral("A") : QStringLiteral("P"));
                out += t.upper ? text : text.toLower();
                break;
            }
            case Kind::ElapsedHours:
                out += pad(totalSeconds / 3600, std::min(t.count, 2));
                break;
            case Kind::ElapsedMinutes:
                out += pad(totalSeconds / 60, std::min(t.count, 2));
                break;
            case Kind::ElapsedSeconds:
                out += pad(totalSeconds, std::min(t.count, 2));
                break;
            case Kind::At:
                break;
            default:
                out += t.text;
        }
    }
    return out;
}

QString renderText(const Section& s, const QString& text) {
    QString out;
    for (const Token& t : s.tokens) out += t.kind == Kind::At ? text : t.text;
    return out;
}

}  // namespace

bool NumberFormat::Condition::matches(double v) const {
    switch (op) {
        case Op::None:
            return true;
        case Op::Less:
            return v < operand;
        case Op::LessEqual:
            return v <= operand;
        case Op::Greater:
            return v > operand;
        case Op::GreaterEqual:
            return v >= operand;
        case Op::Equal:
            return v == operand;
        case Op::NotEqual:
            return v != operand;
    }
    return true;
}

NumberFormat::NumberFormat() : NumberFormat(QStringLiteral("General")) {}

NumberFormat::NumberFormat(const QString& code) : code_(code) {
    const QList<QString> parts = splitSections(code.isEmpty() ? QStringLiteral("General") : code);
    for (qsizetype i = 0; i < std::min<qsizetype>(parts.size(), 4); ++i) sections_.append(parseSection(parts[i]));
}

QString NumberFormat::builtInCode(int id) {
    switch (id) {
        case 0: return QStringLiteral("General");
        case 1: return QStringLiteral("0");
        case 2: return QStringLiteral("0.00");
        case 3: return QStringLiteral("#,##0");
        case 4: return QStringLiteral("#,##0.00");
        case 5: return QStringLiteral("\"$\"#,##0_);\\(\"$\"#,##0\\)");
        case 6: return QStringLiteral("\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)");
        case 7: return QStringLiteral("\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)");
        case 8: return QStringLiteral("\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)");
        case 9: return QStringLiteral("0%");
        case 10: return QStringLiteral("0.00%");
        case 11: return QStringLiteral("0.00E+00");
        case 12: return QStringLiteral("# ?/?");
        case 13: return QStringLiteral("# ?\?/??");
        case 14: return QStringLiteral("m/d/yyyy");
        case 15: return QStringLiteral("d-mmm-yy");
        case 16: return QStringLiteral("d-mmm");
        case 17: return QStringLiteral("mmm-yy");
        case 18: return QStringLiteral("h:mm AM/PM");
        case 19: return QStringLiteral("h:mm:ss AM/PM");
        case 20: return QStringLiteral("h:mm");
        case 21: return QStringLiteral("h:mm:ss");
        case 22: return QStringLiteral("m/d/yyyy h:mm");
        case 37: return QStringLiteral("#,##0 ;(#,##0)");
        case 38: return QStringLiteral("#,##0 ;[Red](#,##0)");
        case 39: return QStringLiteral("#,##0.00;(#,##0.00)");
        case 40: return QStringLiteral("#,##0.00;[Red](#,##0.00)");
        case 41: return QStringLiteral("_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)");
        case 42: return QStringLiteral("_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)");
        case 43: return QStringLiteral("_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)");
        case 44: return QStringLiteral("_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)");
        case 45: return QStringLiteral("mm:ss");
        case 46: return QStringLiteral("[h]:mm:ss");
        case 47: return QStringLiteral("mm:ss.0");
        case 48: return QStringLiteral("##0.0E+0");
        case 49: return QStringLiteral("@");
        default: return QString();
    }
}

bool NumberFormat::isDateTime() const { return !sections_.isEmpty() && sections_.first().dateTime; }

QString NumberFormat::formatNumber(double value, bool date1904) const {
    if (!std::isfinite(value)) return QStringLiteral("#NUM!");
    // The sections for numbers: a last section that holds only the text placeholder is not one.
    qsizetype count = std::min<qsizetype>(sections_.size(), 3);
    if (count > 0 && sections_.size() < 4 && sections_[count - 1].hasText && !sections_[count - 1].hasDigits &&
        !sections_[count - 1].dateTime)
        --count;
    if (count == 0) return general(value);

    // Which section, and whether it shows the minus sign itself.
    qsizetype pick = 0;
    bool sign = value < 0;
    const bool explicitFirst = sections_[0].condition.op != Condition::Op::None;
    const bool explicitSecond = count > 1 && sections_[1].condition.op != Condition::Op::None;
    if (explicitFirst || explicitSecond) {
        if (explicitFirst ? sections_[0].condition.matches(value) : value >= 0) {
            pick = 0;
        } else if (count > 1 && (!explicitSecond || sections_[1].condition.matches(value))) {
            pick = 1;
            const auto op = sections_[1].condition.op;
            if (!explicitSecond || ((op == Condition::Op::Less || op == Condition::Op::LessEqual) &&
                                    sections_[1].condition.operand <= 0))
                sign = false;
        } else if (count > 2) {
            pick = 2;
        } else {
            return QString(10, u'#');
        }
    } else if (count >= 2 && value < 0) {
        pick = 1;
        sign = false;
    } else if (count >= 3 && value == 0) {
        pick = 2;
    }
    const Section& s = sections_[pick];
    if (s.dateTime) return sign ? QStringLiteral("########") : renderDateTime(s, std::fabs(value), date1904);
    const NumberParts parts = renderNumber(s, std::fabs(value));
    // A number that rounds to zero shows no minus sign.
    return sign && parts.nonZero ? u'-' + parts.text : parts.text;
}

QString NumberFormat::formatText(const QString& text) const {
    if (sections_.size() >= 4) return renderText(sections_[3], text);
    for (const Section& s : sections_)
        if (s.hasText && !s.hasDigits && !s.dateTime) return renderText(s, text);
    return text;
}

QString NumberFormat::general(double value) {
    if (!std::isfinite(value)) return QStringLiteral("#NUM!");
    const Decimal d = toDecimal(value);
    if (d.digits.isEmpty()) return QStringLiteral("0");
    const QString digits = QString::fromLatin1(d.digits);
    const int e = d.exponent - 1;  // scientific exponent of the first digit
    QString out;
    if (e >= 15 || e < -9) {
        out = digits.left(1);
        if (digits.size() > 1) out += u'.' + digits.mid(1);
        out += (e < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) + pad(std::abs(e), 2);
    } else if (e >= 0) {
        out = digits.left(e + 1).leftJustified(e + 1, u'0');
        if (digits.size() > e + 1) out += u'.' + digits.mid(e + 1);
    } else {
        out = QStringLiteral("0.") + QString(-e - 1, u'0') + digits;
    }
    return value < 0 ? u'-' + out : out;
}

QDate serialDate(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 3.0e6) return QDate();
    const qint64 days = qint64(std::floor(serial));
    if (date1904) {
        const QDate d = QDate(1904, 1, 1).addDays(days);
        return d.year() <= 9999 ? d : QDate();
    }
    if (days == 0 || days == 60) return QDate();
    const QDate d = days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
    return d.year() <= 9999 ? d : QDate();
}

}  // namespace tavolin

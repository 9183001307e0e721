#include "data/Texts.h"

#include <QLocale>
#include <array>
#include <cmath>

namespace tavolin {

QString dateText(const QDate& date) {
    if (!date.isValid()) return {};
    return QString::asprintf("%02d/%02d/%04d", date.month(), date.day(), date.year());
}

QString timeText(const QTime& time) {
    if (!time.isValid()) return {};
    int hour = time.hour() % 12;
    if (hour == 0) hour = 12;
    return QString::asprintf("%02d:%02d %s", hour, time.minute(), time.hour() < 12 ? "AM" : "PM");
}

QDate parseDateText(const QString& text) {
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/') return {};
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!text[i].isDigit() || text[i].unicode() > '9') return {};
    return QDate(text.mid(6, 4).toInt(), text.left(2).toInt(), text.mid(3, 2).toInt());
}

QString sortableDateText(const QString& text) {
    const QDate d = parseDateText(text);
    if (!d.isValid()) return {};
    return text.mid(6, 4) + text.left(2) + text.mid(3, 2);
}

QString twoDecimals(double value) { return QString::asprintf("%.2f", value); }

QString shortestForm(double value) {
    if (value == 0) return QStringLiteral("0");
    // Fifteen significant digits, as the figures were always shown; no exponent for ordinary amounts.
    QString s = QString::number(value, 'g', 15);
    return s;
}

std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<qint64> parseInteger(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

QString quoted(const QString& value) {
    QString q = value;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

QString closeKey(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    int hour = t.hour() % 12;
    if (hour == 0) hour = 12;
    return QString::asprintf("%02d%02d%04d%02d%02d%02d %s", d.month(), d.day(), d.year(), hour, t.minute(),
                             t.second(), t.hour() < 12 ? "AM" : "PM");
}

namespace {

struct NamedColour {
    const char* name;
    quint32 bgr;  // 0x00BBGGRR
};

// Named colours in the order their names are preferred when a colour is written back.
constexpr std::array<NamedColour, 20> namedColours{{
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},   {"clGreen", 0x008000},     {"clOlive", 0x008080},
    {"clNavy", 0x800000},      {"clPurple", 0x800080},   {"clTeal", 0x808000},      {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},    {"clRed", 0x0000FF},      {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF},  {"clAqua", 0xFFFF00},      {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},
}};

// Aliases and the desktop's own colours, read but never written; the desktop colours take the
// usual light-theme values.
constexpr std::array<NamedColour, 25> readOnlyColours{{
    {"clLtGray", 0xC0C0C0},         {"clDkGray", 0x808080},           {"clScrollBar", 0xC8C8C8},
    {"clBackground", 0x000000},     {"clActiveCaption", 0xD1B499},    {"clInactiveCaption", 0xDBCDBF},
    {"clMenu", 0xF0F0F0},           {"clWindow", 0xFFFFFF},           {"clWindowFrame", 0x646464},
    {"clMenuText", 0x000000},       {"clWindowText", 0x000000},       {"clCaptionText", 0x000000},
    {"clActiveBorder", 0xB4B4B4},   {"clInactiveBorder", 0xFCF7F4},   {"clAppWorkSpace", 0xABABAB},
    {"clHighlight", 0xFF9933},      {"clHighlightText", 0xFFFFFF},    {"clBtnFace", 0xF0F0F0},
    {"clBtnShadow", 0xA0A0A0},      {"clGrayText", 0x6D6D6D},         {"clBtnText", 0x000000},
    {"clInactiveCaptionText", 0x000000}, {"clBtnHighlight", 0xFFFFFF}, {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF},
}};

// The desktop colours by their index, for colours stored as numbers 0xFF0000nn.
constexpr std::array<quint32, 25> systemColoursByIndex{{
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF,
}};

QColor fromBgr(quint32 bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

std::optional<QColor> fromColourNumber(qint64 value) {
    const quint32 v = quint32(value);
    const quint32 high = v >> 24;
    if (high == 0xFF) {
        const quint32 index = v & 0xFFFFFF;
        if (index < systemColoursByIndex.size()) return fromBgr(systemColoursByIndex[index]);
        return std::nullopt;
    }
    if (high > 0x02) return std::nullopt;
    return fromBgr(v & 0xFFFFFF);
}

}  // namespace

std::optional<QColor> colourFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (const auto& c : namedColours)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return fromBgr(c.bgr);
    for (const auto& c : readOnlyColours)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) return fromBgr(c.bgr);
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(u'$'))
        value = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (!ok || value < -0x80000000LL || value > 0xFFFFFFFFLL) return std::nullopt;
    return fromColourNumber(value);
}

QString colourToText(const QColor& colour) {
    const quint32 bgr = quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
    for (const auto& c : namedColours)
        if (c.bgr == bgr) return QLatin1String(c.name);
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

}  // namespace tavolin

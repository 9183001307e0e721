#include "revenue/RevenueFigures.h"

#include <QLocale>

#include "data/Money.h"
#include "data/Texts.h"

namespace tavolin::revenue {

QString occupancyText(qint64 sold, qint64 rooms) {
    if (rooms <= 0)
        return QStringLiteral("0.00");
    // Hundredths of a percent, rounded half away from zero, so 1 of 800 rooms is 0.13 on every machine.
    const qint64 scaled = sold * 10000;
    qint64 hundredths = scaled / rooms;
    const qint64 rest = scaled % rooms;
    if (2 * (rest < 0 ? -rest : rest) >= rooms)
        hundredths += scaled < 0 ? -1 : 1;
    const qint64 whole = hundredths / 100;
    const qint64 cents = (hundredths < 0 ? -hundredths : hundredths) % 100;
    const QString sign = hundredths < 0 && whole == 0 ? QStringLiteral("-") : QString();
    return sign + QString::number(whole) + u'.' + QStringLiteral("%1").arg(cents, 2, 10, QLatin1Char('0'));
}

std::optional<QString> rateText(const QString& typed) {
    QString t = typed.trimmed();
    if (t.endsWith(u'.'))
        t.chop(1);  // "129." is 129
    const auto amount = Money::parse(t);
    if (!amount)
        return std::nullopt;
    return amount->twoDecimals();
}

std::optional<qint64> wholeNumber(const QString& typed) {
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (int i = 0; i < t.size(); ++i)
        if (!(t[i].isDigit() || (i == 0 && t[i] == u'-' && t.size() > 1)))
            return std::nullopt;
    return parseInteger(t);
}

namespace {
const QChar Backspace(8);
const QChar Enter(13);
const QChar Escape(27);

QString invalidCharacter(QChar key) {
    return QStringLiteral("This field only accepts numbers. '") + key +
           QStringLiteral("' [Invalid Character].");
}
QString duplicateSeparator(QChar key) {
    return QStringLiteral("This field only accepts onde decimal separator '") + key +
           QStringLiteral("' [Duplicate Entry].");
}
}  // namespace

std::optional<QString> refusedKey(KeyFilter filter, QChar key, const QString& text) {
    const bool digit = key >= u'0' && key <= u'9';
    switch (filter) {
        case KeyFilter::Plain:
        case KeyFilter::Numeric: {
            const bool accepted = key.unicode() <= 255 &&
                                  (digit || key == Backspace || key == Enter || key == u'-' || key == u'.');
            if (!accepted)
                return filter == KeyFilter::Plain ? QStringLiteral("Invalid Key Pressed.")
                                                  : invalidCharacter(key);
            if (filter == KeyFilter::Numeric && key == u'.' && text.contains(u'.'))
                return duplicateSeparator(key);
            return std::nullopt;
        }
        case KeyFilter::Integer:
            if (digit || key == Backspace || key == Enter || key == Escape)
                return std::nullopt;
            return QStringLiteral("Invalid Key Pressed.");
        case KeyFilter::Rate:
        case KeyFilter::WalkRate: {
            const bool walk = filter == KeyFilter::WalkRate && (key == u'/' || key == u'A' || key == u'N');
            if (!(digit || walk || key == Backspace || key == Enter || key == Escape || key == u'.'))
                return invalidCharacter(key);
            if (key == u'.' && text.contains(u'.'))
                return duplicateSeparator(key);
            return std::nullopt;
        }
    }
    return std::nullopt;
}

DashboardColours dashboardRowColours(const QString& todayOcc, const QString& todayAvailable) {
    DashboardColours c;
    const auto occupancy = parseNumber(todayOcc);
    const auto available = parseInteger(todayAvailable);
    if (occupancy && *occupancy >= 95)
        c = {QColor(255, 255, 183), Qt::black};
    if (available && *available == 0)
        c = {QColor(206, 255, 206), Qt::black};
    if (available && *available < 0)
        c = {QColor(255, 202, 202), Qt::black};
    if (occupancy && *occupancy == 0)
        c = {Qt::white, QColor(128, 128, 128)};
    return c;
}

QString mailDayText(const QDate& date) {
    return QLocale::c().toString(date, QStringLiteral("ddd MMM/dd"));
}

namespace {

const QString TableStart = QStringLiteral(
    R"html(<Table cellpadding="1"  border="1" > <tr> <td align="center" bgcolor="#CCCCCC">)html");
const QString DayHead = QStringLiteral(R"html(<td align="center" font color="navy" bgcolor="#CCCCCC">)html");
const QString WalkRateHead =
    QStringLiteral(R"html(<tr> <td align="center"> Walk Rate US$ </td><td align="center">)html");

// A row head of the figures: the grey label cell, then the first value cell.
QString head(const QString& paddedLabel) {
    return QStringLiteral(R"html(<tr> <td bgcolor="#CCCCCC">)html") + paddedLabel +
           QStringLiteral(R"html(</td> <td align="center">)html");
}

}  // namespace

QString sevenDayMailBody(const WeekUpdate& w) {
    const auto& d = w.days;
    QString s;
    s += QStringLiteral("<td> Submitted By: ") + w.loginName + u'-' + w.userId + QStringLiteral("</td>") +
         QStringLiteral("<br></br>");
    s += TableStart + w.propertyCode + QStringLiteral("</td>");
    for (int i = 0; i < 7; ++i)
        s += DayHead + mailDayText(d[size_t(i)].date) +
             (i == 6 ? QStringLiteral("</font></td> </tr>") : QStringLiteral("</font></td>"));

    // One row of figures: head, day 1, then each later day after its separator.
    auto row = [&](const QString& rowHead, auto value, const QString& firstSeparator,
                   const QString& separator, const QString& end) {
        s += rowHead + value(d[0]);
        for (int i = 1; i < 7; ++i) s += (i == 1 ? firstSeparator : separator) + value(d[size_t(i)]);
        s += end;
    };
    const QString cyanCell = QStringLiteral(R"html(</td> <td align="center" bgcolor="#99FFFF">)html");
    const QString cell = QStringLiteral(R"html(</td> <td align="center">)html");
    const QString tightCell = QStringLiteral(R"html(</td><td align="center">)html");
    const QString spacedEnd = QStringLiteral("</td> </tr>");
    const QString tightEnd = QStringLiteral("</td></tr>");
    row(
        QStringLiteral(
            R"html(<tr> <td bgcolor="#CCCCCC">OB    </td>  <td align="center" bgcolor="#99FFFF">)html"),
        [](const WeekDay& x) { return x.overbook; }, cyanCell, cyanCell, spacedEnd);
    row(
        QStringLiteral(
            R"html(<tr> <td bgcolor="#CCCCCC">MLOS    </td>  <td align="center" bgcolor="#99FFFF">)html"),
        [](const WeekDay& x) { return x.minimumStay; }, cyanCell, cyanCell, spacedEnd);

    s += QStringLiteral(R"html(<tr> <td bgcolor="#CCCCCC">CTA</td>)html");
    for (const WeekDay& x : d)
        s +=
            x.closedToArrival
                ? QStringLiteral(
                      R"html(</td>  <td align="center" bgcolor="#99FFFF"> <font color="red"> CTA </font></td>)html")
                : QStringLiteral(R"html(</td>  <td align="center" bgcolor="#99FFFF"> - </td>)html");
    s += QStringLiteral(" </tr>");

    const qint64 rooms = w.rooms;
    auto number = [](const QString& t) { return wholeNumber(t).value_or(0); };
    row(
        head(QStringLiteral("Occ.%     ")),
        [&](const WeekDay& x) { return occupancyText(number(x.sold), rooms) + u'%'; }, cell, cell, spacedEnd);
    row(
        head(QStringLiteral("Sold      ")), [](const WeekDay& x) { return x.sold; }, cell, cell, spacedEnd);
    row(
        head(QStringLiteral("Avail.    ")),
        [&](const WeekDay& x) {
            return QString::number(availableRooms(rooms, number(x.sold), number(x.outOfOrder)));
        },
        tightCell, cell, tightEnd);
    row(
        head(QStringLiteral("OOO       ")), [](const WeekDay& x) { return x.outOfOrder; }, tightCell,
        tightCell, tightEnd);
    row(
        head(QStringLiteral("Kings     ")),
        [&](const WeekDay& x) {
            return QString::number(rooms - number(x.sold) - number(x.outOfOrder) - number(x.doubles));
        },
        tightCell, tightCell, tightEnd);
    row(
        head(QStringLiteral("Dbls      ")), [](const WeekDay& x) { return x.doubles; }, tightCell, tightCell,
        tightEnd);
    row(
        head(QStringLiteral("Arr.      ")), [](const WeekDay& x) { return x.arrivals; }, tightCell, tightCell,
        tightEnd);
    row(
        head(QStringLiteral("NGTD      ")), [](const WeekDay& x) { return x.ngtd; }, tightCell, tightCell,
        tightEnd);
    row(
        head(QStringLiteral("Awards    ")), [](const WeekDay& x) { return x.awards; }, tightCell, tightCell,
        tightEnd);
    row(
        head(QStringLiteral("Rate      ")), [](const WeekDay& x) { return x.rate; }, tightCell, tightCell,
        QStringLiteral("</td></tr></Table>"));

    if (availableRooms(rooms, number(d[0].sold), number(d[0].outOfOrder)) > 0)
        s += WalkRateHead + d[0].walkRate + QStringLiteral("</td></tr>");
    return s;
}

QString singleDayMailBody(const DayUpdate& x) {
    QString s;
    s += QStringLiteral("<td> Submitted By: ") + x.userId + u'-' + x.loginName + QStringLiteral("</td>") +
         QStringLiteral("<br></br>");
    if (!x.message.isEmpty())
        s += QStringLiteral("<td> MESSAGE: ") + x.message + QStringLiteral("</td><br></br>");
    s += TableStart + x.propertyCode + QStringLiteral("</td>") + DayHead + mailDayText(x.date) +
         QStringLiteral("</font></td>");
    const qint64 sold = wholeNumber(x.sold).value_or(0);
    const qint64 ooo = wholeNumber(x.outOfOrder).value_or(0);
    s += head(QStringLiteral("Occ.%     ")) + occupancyText(sold, x.rooms) + QStringLiteral("</td> </tr>");
    s += head(QStringLiteral("Sold      ")) + x.sold + QStringLiteral("</td> </tr>");
    s += head(QStringLiteral("Avail.    ")) + QString::number(availableRooms(x.rooms, sold, ooo)) +
         QStringLiteral("</td></tr>");
    s += head(QStringLiteral("OOO       ")) + x.outOfOrder;
    s += head(QStringLiteral("Arr.      ")) + x.arrivals;
    s += head(QStringLiteral("NGTD      ")) + x.ngtd;
    s += head(QStringLiteral("OTAs      ")) + x.rate;
    if (x.walkRate != u"N/A")
        s += WalkRateHead + x.walkRate + QStringLiteral("</td></tr>");
    return s;
}

}  // namespace tavolin::revenue

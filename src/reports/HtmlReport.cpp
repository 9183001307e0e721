#include "reports/HtmlReport.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextOption>
#include <kainjow/mustache.hpp>
#include <optional>
#include <stdexcept>

#include "data/Money.h"
#include "data/Texts.h"
#include "platform/Services.h"

namespace tavolin {

namespace mustache = kainjow::mustache;

QString DatasetRows::text(int row, const QString& column) const {
    const int c = columnIndex(column);
    if (row < 0 || row >= rows.size() || c < 0) return {};
    return rows[row][c];
}

namespace {

QString cellText(const QVariant& v, ColumnType type) {
    if (!v.isValid() || v.isNull()) return {};
    if (v.metaType() == QMetaType::fromType<Money>()) return v.value<Money>().twoDecimals();
    switch (v.metaType().id()) {
        case QMetaType::Double: return shortestForm(v.toDouble());
        case QMetaType::QByteArray:
            // Pictures and files stored in a row are not text.
            return type == ColumnType::Bytes ? QString() : QString::fromUtf8(v.toByteArray());
        case QMetaType::QDateTime: {
            const QDateTime when = v.toDateTime();
            return dateText(when.date()) + u' ' + timeText(when.time());
        }
        default: return v.toString();
    }
}

}  // namespace

DatasetRows readDataset(const TableObject* table) {
    DatasetRows out;
    if (!table || !table->table()) return out;
    const TableDef& def = *table->table();
    for (const ColumnDef& c : def.columns) out.columns << c.name;
    if (!table->active()) return out;
    const int n = table->recordCount();
    out.rows.reserve(n);
    for (int r = 0; r < n; ++r) {
        QStringList row;
        row.reserve(out.columns.size());
        for (int c = 0; c < int(def.columns.size()); ++c) row << cellText(table->valueAt(r, c), def.columns[size_t(c)].type);
        out.rows << row;
    }
    out.current = n == 0 ? -1 : qBound(0, table->recNo(), n - 1);
    return out;
}

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }

// An empty text is false, so that a section over a column prints only when it has a value.
mustache::data textData(const QString& s) { return s.isEmpty() ? mustache::data(false) : mustache::data(utf8(s)); }

// Values print as HTML text; line breaks typed into a field stay line breaks.
std::string escapeHtml(const std::string& in) {
    std::string out;
    out.reserve(in.size() + in.size() / 8);
    for (size_t i = 0; i < in.size(); ++i) {
        const char ch = in[i];
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            case '\r':
                if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
                out += "<br/>";
                break;
            case '\n': out += "<br/>"; break;
            default: out += ch;
        }
    }
    return out;
}

QString unescapeHtml(QString s) {
    static const QRegularExpression lineBreak(QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption);
    s.replace(lineBreak, QStringLiteral(" "));
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

// An amount as the cashier prints it: two decimals when the text is a number, the text itself otherwise.
QString moneyText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return {};
    if (const auto m = Money::parse(t)) return m->twoDecimals();
    if (const auto n = parseNumber(t)) return twoDecimals(*n);
    return text;
}

mustache::data rowData(const DatasetRows& ds, int r) {
    mustache::data row(mustache::data::type::object);
    mustache::data money(mustache::data::type::object);
    const QStringList& values = ds.rows[r];
    for (int c = 0; c < ds.columns.size(); ++c) {
        const QString& v = values[c];
        row.set(utf8(ds.columns[c]), textData(v));
        money.set(utf8(ds.columns[c]), textData(moneyText(v)));
        // {{#Status=Redeemed}}: templates cannot compare, so short values also come as flags.
        if (!v.isEmpty() && v.size() <= 40) row.set(utf8(ds.columns[c] + u'=' + v), true);
    }
    row.set("money", money);
    row.set("_row", utf8(QString::number(r + 1)));
    row.set("_stripe", r % 2 ? "even" : "odd");
    row.set("_first", r == 0);
    row.set("_last", r == ds.rows.size() - 1);
    return row;
}

// The sum of a column when every value in it is a number; empty otherwise.
QString columnTotal(const DatasetRows& ds, int c) {
    Money exact;
    double approximate = 0;
    bool isExact = true;
    bool decimals = false;
    int numbers = 0;
    for (const QStringList& row : ds.rows) {
        const QString t = row[c].trimmed();
        if (t.isEmpty()) continue;
        const std::optional<double> n = parseNumber(t);
        if (!n) return {};
        ++numbers;
        decimals = decimals || t.contains(u'.');
        approximate += *n;
        if (const auto m = Money::parse(t))
            exact += *m;
        else
            isExact = false;
    }
    if (numbers == 0) return {};
    if (!decimals) return isExact ? exact.shortest() : shortestForm(approximate);
    return isExact ? exact.twoDecimals() : twoDecimals(approximate);
}

mustache::data contextOf(const ReportData& data) {
    mustache::data root(mustache::data::type::object);
    mustache::data current(mustache::data::type::object);
    mustache::data count(mustache::data::type::object);
    mustache::data total(mustache::data::type::object);
    mustache::data moneyTotal(mustache::data::type::object);
    for (auto it = data.datasets.cbegin(); it != data.datasets.cend(); ++it) {
        const DatasetRows& ds = it.value();
        const std::string name = utf8(it.key());
        mustache::data rows(mustache::data::type::list);
        for (int r = 0; r < ds.rows.size(); ++r) rows.push_back(rowData(ds, r));
        root.set(name, rows);
        if (ds.current >= 0) current.set(name, rowData(ds, ds.current));
        count.set(name, utf8(QString::number(ds.rows.size())));
        mustache::data sums(mustache::data::type::object);
        mustache::data moneySums(mustache::data::type::object);
        for (int c = 0; c < ds.columns.size(); ++c) {
            const QString sum = columnTotal(ds, c);
            sums.set(utf8(ds.columns[c]), textData(sum));
            moneySums.set(utf8(ds.columns[c]), textData(moneyText(sum)));
        }
        total.set(name, sums);
        moneyTotal.set(name, moneySums);
    }
    root.set("current", current);
    root.set("count", count);
    root.set("total", total);
    root.set("moneyTotal", moneyTotal);
    mustache::data report(mustache::data::type::object);
    report.set("date", utf8(dateText(data.printed.date())));
    report.set("time", utf8(timeText(data.printed.time())));
    root.set("report", report);
    for (auto it = data.values.cbegin(); it != data.values.cend(); ++it) root.set(utf8(it.key()), textData(it.value()));
    return root;
}

QMap<QString, QString> metaTags(const QString& html) {
    static const QRegularExpression meta(
        QStringLiteral("<meta\\s+name\\s*=\\s*\"([^\"]*)\"\\s+content\\s*=\\s*\"([^\"]*)\"[^>]*>"),
        QRegularExpression::CaseInsensitiveOption);
    QMap<QString, QString> tags;
    const qsizetype bodyStart = html.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    const QString head = bodyStart < 0 ? html : html.left(bodyStart);
    for (auto m = meta.globalMatch(head); m.hasNext();) {
        const auto match = m.next();
        tags.insert(match.captured(1).trimmed().toLower(), unescapeHtml(match.captured(2)).trimmed());
    }
    return tags;
}

QPageLayout layoutOf(const QMap<QString, QString>& tags) {
    const QString size = tags.value(QStringLiteral("page-size")).toLower();
    QPageSize::PageSizeId id = QPageSize::Letter;
    if (size == QStringLiteral("a4")) id = QPageSize::A4;
    if (size == QStringLiteral("legal")) id = QPageSize::Legal;
    const auto orientation = tags.value(QStringLiteral("orientation")).toLower() == QStringLiteral("landscape")
                                 ? QPageLayout::Landscape
                                 : QPageLayout::Portrait;
    QMarginsF margins(15, 12, 15, 12);
    QList<double> m;
    for (const QString& part : tags.value(QStringLiteral("margins")).split(u' ', Qt::SkipEmptyParts))
        if (const auto n = parseNumber(part); n && *n >= 0) m << *n;
    if (m.size() == 1) margins = QMarginsF(m[0], m[0], m[0], m[0]);
    if (m.size() == 4) margins = QMarginsF(m[3], m[0], m[1], m[2]);
    return QPageLayout(QPageSize(id), orientation, margins, QPageLayout::Millimeter);
}

QString errorPage(const QString& name, const std::string& error) {
    return QStringLiteral("<html><body><p>The report template %1 could not be read: %2</p></body></html>")
        .arg(name.toHtmlEscaped(), QString::fromStdString(error).toHtmlEscaped());
}

QString styleSheet() {
    QFile f(QStringLiteral(":/reports/report.css"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QFont bodyFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Arial"), QStringLiteral("Lato"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(points);
    // Latin text is set without shaping: ligature glyphs ("fi", "ti") have no text behind them in a PDF, so
    // searching and copying would find "Cer ficate". Scripts that need shaping still get it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

}  // namespace

RenderedReport renderReport(const ReportData& data) {
    RenderedReport out;
    out.title = QFileInfo(QString(data.templateName).replace(u'\\', u'/')).completeBaseName();
    out.layout = layoutOf({});
    if (data.templateText.trimmed().isEmpty()) return out;

    mustache::mustache tmpl(utf8(data.templateText));
    tmpl.set_custom_escape(escapeHtml);
    if (!tmpl.is_valid()) {
        out.html = errorPage(data.templateName, tmpl.error_message());
        return out;
    }
    const std::string html = tmpl.render(contextOf(data));
    if (!tmpl.is_valid()) {
        out.html = errorPage(data.templateName, tmpl.error_message());
        return out;
    }
    out.html = QString::fromStdString(html);
    const auto tags = metaTags(out.html);
    out.layout = layoutOf(tags);
    out.footer = tags.value(QStringLiteral("footer"));
    out.pageNumbers = tags.value(QStringLiteral("page-numbers")).toLower() != QStringLiteral("off");
    return out;
}

int paintReport(const RenderedReport& report, QPagedPaintDevice* device) {
    QPainter painter;
    if (!painter.begin(device)) return 0;
    if (report.html.isEmpty()) return 1;

    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(bodyFont(10));
    // Lines break between words only, so a number or a date never splits across lines; a table column
    // widens to its longest word.
    QTextOption wrapping = doc.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WordWrap);
    doc.setDefaultTextOption(wrapping);
    doc.setDefaultStyleSheet(styleSheet());
    // Laid out for the device, so fonts keep their size in points and pixel lengths are scaled to it.
    doc.documentLayout()->setPaintDevice(device);
    doc.setHtml(report.html);

    const QFont footerFont = bodyFont(7.5);
    const QFontMetricsF footerMetrics(footerFont, device);
    const double footerHeight = report.footer.isEmpty() ? 0 : footerMetrics.height() * 2.2;
    const QSizeF page(device->width(), device->height());
    const QSizeF body(page.width(), page.height() - footerHeight);
    doc.setPageSize(body);
    const int pages = doc.pageCount();

    for (int i = 0; i < pages; ++i) {
        if (i > 0) device->newPage();
        painter.save();
        const QRectF clip(0, i * body.height(), body.width(), body.height());
        painter.translate(0, -clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        if (!report.footer.isEmpty()) {
            painter.save();
            painter.setFont(footerFont);
            painter.setPen(QColor(0x55, 0x5f, 0x6d));
            const double rule = page.height() - footerMetrics.height() * 1.6;
            painter.drawLine(QPointF(0, rule), QPointF(page.width(), rule));
            const QRectF line(0, page.height() - footerMetrics.height() * 1.2, page.width(), footerMetrics.height() * 1.2);
            if (report.pageNumbers) {
                const QString number = QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages);
                const double numberWidth = footerMetrics.horizontalAdvance(number) * 1.1;
                painter.drawText(line.adjusted(0, 0, -numberWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                                 footerMetrics.elidedText(report.footer, Qt::ElideRight, line.width() - numberWidth * 1.2));
                painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, number);
            } else {
                painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
                                 footerMetrics.elidedText(report.footer, Qt::ElideRight, line.width()));
            }
            painter.restore();
        }
    }
    return pages;
}

int writePdf(const RenderedReport& report, const QString& file) {
    const QFileInfo info(file);
    QDir().mkpath(info.absolutePath());
    int pages = 0;
    {
        QPdfWriter writer(file);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("Tavolin"));
        writer.setTitle(report.title);
        writer.setPageLayout(report.layout);
        pages = paintReport(report, &writer);
    }
    return QFileInfo(file).size() > 0 ? pages : 0;
}

HtmlReportEngine::HtmlReportEngine(QStringList templateFolders) : folders_(std::move(templateFolders)) {}

void HtmlReportEngine::clear() {
    name_.clear();
    file_.clear();
    text_.clear();
    datasets_.clear();
    values_.clear();
}

bool HtmlReportEngine::loadFromFile(const QString& name) {
    name_ = name;
    file_ = locateTemplate(name, folders_);
    text_.clear();
    if (file_.isEmpty()) return false;
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly)) {
        file_.clear();
        return false;
    }
    text_ = QString::fromUtf8(f.readAll());
    return true;
}

void HtmlReportEngine::addDataset(const QString& name, TableObject* table) { datasets_.insert(name, table); }

void HtmlReportEngine::removeDataset(const QString& name) { datasets_.remove(name); }

void HtmlReportEngine::setValue(const QString& name, const QString& value) { values_.insert(name, value); }

bool HtmlReportEngine::exportToPdf(const QString& file) { return writePdf(render(), file) > 0; }

namespace {
QDateTime reportTime() {
    try {
        const Services& s = Services::current();
        if (s.clock) return s.clock->now();
    } catch (const std::logic_error&) {
        // No services outside the program (tools): the machine's clock.
    }
    return QDateTime::currentDateTime();
}
}  // namespace

ReportData HtmlReportEngine::snapshot() const {
    ReportData data;
    data.templateName = name_;
    data.templateFile = file_;
    data.templateText = text_;
    for (auto it = datasets_.cbegin(); it != datasets_.cend(); ++it) data.datasets.insert(it.key(), readDataset(it.value()));
    data.values = values_;
    data.printed = reportTime();
    return data;
}

}  // namespace tavolin

#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPageLayout>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "data/TableObject.h"
#include "reports/ReportEngine.h"

class QPagedPaintDevice;

namespace tavolin {

// The rows of one dataset as the report prints them.
struct DatasetRows {
    QStringList columns;
    QList<QStringList> rows;  // display texts, in column order
    int current = -1;         // the table object's current row; -1 when it has none

    int columnIndex(const QString& column) const { return columns.indexOf(column); }
    QString text(int row, const QString& column) const;
};

// Reads the rows a table object selects now, without moving its cursor. A closed table object has none.
// Amounts print with two decimals, other numbers in their shortest form.
DatasetRows readDataset(const TableObject* table);

// Everything a report is made of at the moment it is produced.
struct ReportData {
    QString templateName;  // as the module named it
    QString templateFile;  // empty when it was missing
    QString templateText;
    QMap<QString, DatasetRows> datasets;
    QMap<QString, QString> values;
    QDateTime printed;
};

// A report rendered to HTML, with the page it asks for.
struct RenderedReport {
    QString title;
    QString html;  // empty: the report is empty
    QPageLayout layout;
    QString footer;  // printed on every page with the page number; empty: no footer
    bool pageNumbers = true;
};

// Renders the template with the data. What a template sees:
//   {{#Name}}...{{/Name}}        every row of dataset Name; inside, {{Column}}, {{_row}} (1, 2, ...), {{_stripe}}
//                                ("odd", "even"), {{#_first}}, {{#_last}}
//   {{current.Name.Column}}      the table object's current row (fields printed outside a row list)
//   {{count.Name}}               the number of rows
//   {{money.Column}}             inside a row: the value with two decimals when it is a number (amounts)
//   {{total.Name.Column}}        the column's sum when every value is a number (two decimals when any has them)
//   {{moneyTotal.Name.Column}}   the same sum, always with two decimals
//   {{report.date}}, {{report.time}}   when the report is produced
//   {{value}}                    a value set by the module
// An empty text is false, so {{#Column}}...{{/Column}} prints only when the column has a value, and
// {{#Column=Text}}...{{/Column=Text}} prints only when the column holds that text (up to 40 characters).
// Page set-up comes from <meta name="..." content="..."> tags: "page-size" (Letter, A4, Legal),
// "orientation" (portrait, landscape), "margins" (millimetres: all, or top right bottom left), "footer"
// (text printed at the foot of every page with "Page n of m") and "page-numbers" ("off": the footer is
// printed centred, without the page number, as the foot of a letter).
RenderedReport renderReport(const ReportData& data);

// Lays the report out on the device's pages (its page layout as set) and paints them; returns the number
// of pages painted, 0 when the device cannot be painted on. An empty report is one blank page.
int paintReport(const RenderedReport& report, QPagedPaintDevice* device);

// Writes the report to a PDF file; returns the number of pages, 0 when the file cannot be written.
int writePdf(const RenderedReport& report, const QString& file);

// The engine's rendering: templates, datasets and PDF export. Preview and printing need windows and are
// added by the engine of the user interface (ReportPreview.h) and by the recording engine of tests.
class HtmlReportEngine : public ReportEngine {
public:
    explicit HtmlReportEngine(QStringList templateFolders = defaultTemplateFolders());

    void clear() override;
    bool loadFromFile(const QString& name) override;
    void addDataset(const QString& name, TableObject* table) override;
    void removeDataset(const QString& name) override;
    void setValue(const QString& name, const QString& value) override;
    bool exportToPdf(const QString& file) override;

    const QStringList& templateFolders() const { return folders_; }
    void setTemplateFolders(const QStringList& folders) { folders_ = folders; }
    const QString& templateName() const { return name_; }
    const QString& templateFile() const { return file_; }
    QStringList datasetNames() const { return datasets_.keys(); }

    // The template and the datasets' rows as they are now.
    ReportData snapshot() const;
    RenderedReport render() const { return renderReport(snapshot()); }

private:
    QStringList folders_;
    QString name_;
    QString file_;
    QString text_;
    QMap<QString, QPointer<TableObject>> datasets_;
    QMap<QString, QString> values_;
};

}  // namespace tavolin

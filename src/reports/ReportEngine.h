#pragma once

#include <QString>
#include <QStringList>

namespace tavolin {

class TableObject;

// The report engine as the modules use it: load a template by the name the module knows it by, hand it
// table objects as named datasets, then preview, print or export the report.
//
//     reports.addDataset("DBFRReceipt", DM->QMail);
//     reports.loadFromFile("MailReceiptRPT.fr3");
//     reports.showPreview();
//     reports.removeDataset("DBFRReceipt");
class ReportEngine {
public:
    virtual ~ReportEngine() = default;

    // Drops the template, every dataset and every value.
    virtual void clear() = 0;
    // Replaces the template; the datasets stay. The name is the one the module knows ("MailReceiptRPT.fr3",
    // "Reports\\CashierRPT.fr3", a path in the temporary folder, or a built-in layout below). A missing
    // template is no error: the report comes out empty. Returns whether a template was found.
    virtual bool loadFromFile(const QString& name) = 0;
    // Hands a table object over under a name (a name handed over again is replaced). The rows it selects
    // when the report is produced are printed, every column as display text; the cursor is not moved.
    virtual void addDataset(const QString& name, TableObject* table) = 0;
    virtual void removeDataset(const QString& name) = 0;
    // A single text the template prints as {{name}} (the task report's selection, for instance).
    virtual void setValue(const QString& name, const QString& value) = 0;

    // Shows the report in the preview, from which the user prints or exports it; returns when it is closed.
    virtual void showPreview() = 0;
    // Prints through the print dialog; false when the user cancelled it.
    virtual bool print() = 0;
    // Writes the report as a PDF file without asking, overwriting it; false when it cannot be written.
    virtual bool exportToPdf(const QString& file) = 0;
};

// The task board's two layouts are built into the program.
// Task report: dataset "QTask" (TTasks rows); value "criteria" (the selection, one line).
inline const QString TaskReportTemplate = QStringLiteral(":/reports/TaskReport.html");
// Task print: datasets "TMain" (the task's full record) and "TTask" (its board row).
inline const QString TaskPrintTemplate = QStringLiteral(":/reports/TaskPrint.html");

// Templates are HTML files: "Reports\\CashierRPT.fr3" is "Reports/CashierRPT.html" beside the program.
inline const QString TemplateExtension = QStringLiteral("html");

// Where templates are looked for: the program's folder, then the installed data folders
// (".../share/tavolin/templates").
QStringList defaultTemplateFolders();
// The file a template name stands for: a built-in layout as named; an absolute path as itself with our
// extension, or as given; a relative name under each folder in turn. Empty when there is none.
QString locateTemplate(const QString& name, const QStringList& folders);

}  // namespace tavolin

#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "reports/HtmlReport.h"

namespace tavolin {

// A report engine that opens no window: it records what the modules ask for and renders every report it
// would have shown or printed to a PDF file, so tests and unattended runs can read what came out.
class RecordingReportEngine final : public HtmlReportEngine {
public:
    enum class Kind { Preview, Print, Pdf };

    struct Output {
        Kind kind = Kind::Preview;
        QString templateName;  // as the module named it
        QString templateFile;  // empty when it was missing
        QMap<QString, DatasetRows> datasets;
        QMap<QString, QString> values;
        QString pdfFile;
        int pages = 0;

        bool hasDataset(const QString& name) const { return datasets.contains(name); }
        // The rows a dataset held, each as column -> text.
        QList<QMap<QString, QString>> rows(const QString& dataset) const;
    };

    // PDFs of previews and prints are written to outputFolder.
    explicit RecordingReportEngine(QString outputFolder, QStringList templateFolders = defaultTemplateFolders());

    bool loadFromFile(const QString& name) override;
    void showPreview() override;
    // Answers the print dialog with acceptPrint.
    bool print() override;
    bool exportToPdf(const QString& file) override;

    // Every template name loaded, in order.
    QStringList loaded;
    // Every report previewed, printed or exported, in order.
    QList<Output> outputs;
    bool acceptPrint = true;

    const Output& last() const { return outputs.last(); }
    QStringList shownTemplates() const;

private:
    Output produce(Kind kind, const QString& file);

    QString folder_;
};

}  // namespace tavolin

#pragma once

#include <QPrintPreviewDialog>

#include "reports/HtmlReport.h"

namespace tavolin {

// The preview of one report: zoom, page set-up, print, and export to PDF.
class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
public:
    explicit ReportPreview(RenderedReport report, QWidget* parent = nullptr);

    const RenderedReport& report() const { return report_; }
    int pageCount() const;
    // Writes the report, as currently set up, to a PDF file; false when it cannot be written.
    bool exportPdf(const QString& file);

private:
    void askAndExportPdf();

    RenderedReport report_;
};

// The program's report engine: the report opens in the preview window, prints through the print dialog.
class PreviewReportEngine final : public HtmlReportEngine {
public:
    explicit PreviewReportEngine(QStringList templateFolders = defaultTemplateFolders())
        : HtmlReportEngine(std::move(templateFolders)) {}

    void showPreview() override;
    bool print() override;
};

}  // namespace tavolin

#include "reports/ReportPreview.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace tavolin {

ReportPreview::ReportPreview(RenderedReport report, QWidget* parent)
    : QPrintPreviewDialog(parent), report_(std::move(report)) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(report_.title.isEmpty() ? QStringLiteral("Preview") : report_.title);
    printer()->setPageLayout(report_.layout);
    printer()->setDocName(report_.title);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { paintReport(report_, printer); });
    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("Export to PDF"), this, &ReportPreview::askAndExportPdf);
        pdf->setObjectName(QStringLiteral("ActExportPdf"));
        pdf->setToolTip(QStringLiteral("Save the report as a PDF file"));
    }
    resize(900, 1000);
}

int ReportPreview::pageCount() const {
    const auto* view = findChild<QPrintPreviewWidget*>();
    return view ? view->pageCount() : 0;
}

bool ReportPreview::exportPdf(const QString& file) {
    RenderedReport asShown = report_;
    asShown.layout = printer()->pageLayout();
    return writePdf(asShown, file) > 0;
}

void ReportPreview::askAndExportPdf() {
    const QString suggested = (report_.title.isEmpty() ? QStringLiteral("Report") : report_.title) + QStringLiteral(".pdf");
    const QString file =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export to PDF"), suggested, QStringLiteral("PDF files (*.pdf)"));
    if (!file.isEmpty()) exportPdf(file);
}

void PreviewReportEngine::showPreview() {
    ReportPreview preview(render(), QApplication::activeWindow());
    preview.exec();
}

bool PreviewReportEngine::print() {
    const RenderedReport report = render();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report.layout);
    printer.setDocName(report.title);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    return paintReport(report, &printer) > 0;
}

}  // namespace tavolin

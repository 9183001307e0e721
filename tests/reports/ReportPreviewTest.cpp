#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PdfText.h"
#include "TestServices.h"
#include "Windows.h"
#include "reports/ReportPreview.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

// Forty lines, one per paragraph, on pages that hold far fewer.
QByteArray longReport() {
    QByteArray html = R"(<html><head><meta name="orientation" content="landscape">
<meta name="footer" content="Long report"></head><body>)";
    for (int i = 1; i <= 40; ++i) html += "<p style=\"font-size: 24pt\">Line " + QByteArray::number(i) + "</p>\n";
    return html + "</body></html>";
}

}  // namespace

TEST(ReportPreview, ShowsEveryPageAndExportsWhatItShows) {
    TestServices services;
    QTemporaryDir program;
    QFile f(program.filePath(QStringLiteral("Long.html")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(longReport());
    f.close();

    PreviewReportEngine engine({program.path()});
    ASSERT_TRUE(engine.loadFromFile(QStringLiteral("Long.fr3")));
    const QString pdf = program.filePath(QStringLiteral("from-preview.pdf"));
    int shownPages = 0;
    QString title;
    onNextModal([&](QWidget* modal) {
        auto* preview = qobject_cast<ReportPreview*>(modal);
        ASSERT_NE(preview, nullptr);
        title = preview->windowTitle();
        shownPages = preview->pageCount();
        EXPECT_TRUE(preview->exportPdf(pdf));
        preview->reject();
    });
    engine.showPreview();

    EXPECT_EQ(title, "Long");
    EXPECT_GE(shownPages, 3);
    EXPECT_EQ(pdfPageCount(pdf), shownPages);
    const QString text = pdfText(pdf).simplified();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Line 1 Line 2 "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Line 40 Long report Page %1 of %1").arg(shownPages))) << text.toStdString();
    EXPECT_NEAR(pdfPageSize(pdf).width(), 792, 1);

    // A missing template previews as one empty page.
    engine.loadFromFile(QStringLiteral("Missing.fr3"));
    onNextModal([&](QWidget* modal) {
        auto* preview = qobject_cast<ReportPreview*>(modal);
        ASSERT_NE(preview, nullptr);
        shownPages = preview->pageCount();
        preview->reject();
    });
    engine.showPreview();
    EXPECT_EQ(shownPages, 1);
}

TEST(ReportPreview, PrintingCancelledInThePrintDialogPrintsNothing) {
    TestServices services;
    PreviewReportEngine engine{QStringList()};
    engine.loadFromFile(TaskPrintTemplate);
    bool asked = false;
    onNextModal([&](QWidget* modal) {
        asked = qobject_cast<QPrintDialog*>(modal) != nullptr;
        modal->close();
    });
    EXPECT_FALSE(engine.print());
    EXPECT_TRUE(asked);
}

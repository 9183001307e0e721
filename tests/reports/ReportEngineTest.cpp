#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PdfText.h"
#include "TestDatabases.h"
#include "TestServices.h"
#include "data/DataModule.h"
#include "reports/RecordingReportEngine.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

void writeFile(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

// The text of a PDF with every run of white space made one blank.
QString flatText(const QString& pdf) { return pdfText(pdf).simplified(); }

class Reports : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        dm = db().dataModule();
    }
    void TearDown() override {
        dm.reset();
        DatabaseTest::TearDown();
    }
    // A template in the engine's program folder.
    void templateFile(const QString& name, const QString& html) { writeFile(QDir(program.path()).filePath(name), html); }
    void lend(const QString& lastName, const QString& room, const QString& total, const QString& comments = {}) {
        db().insert(Database::Property, QStringLiteral("TBorrowed"),
                    {{QStringLiteral("GuestLastName"), lastName},
                     {QStringLiteral("GuestRoom"), room},
                     {QStringLiteral("TotalValue"), total},
                     {QStringLiteral("ItemComments"), comments},
                     {QStringLiteral("ItemStatus"), QStringLiteral("Borrowed")}});
    }

    TestServices services;
    QTemporaryDir program;
    QTemporaryDir output;
    std::unique_ptr<TDM> dm;
    RecordingReportEngine engine{output.path(), {program.path()}};
};

}  // namespace

TEST(ReportTemplates, NamesAreFoundBesideTheProgramThenInTheDataFolders) {
    QTemporaryDir program, data, temp, download;
    writeFile(program.filePath(QStringLiteral("MailReceiptRPT.html")), QStringLiteral("program"));
    writeFile(program.filePath(QStringLiteral("Reports/CashierRPT.html")), QStringLiteral("program"));
    writeFile(data.filePath(QStringLiteral("MailReceiptRPT.html")), QStringLiteral("data"));
    writeFile(data.filePath(QStringLiteral("VIPLetter.html")), QStringLiteral("data"));
    writeFile(temp.filePath(QStringLiteral("AwardTicketRPT.html")), QStringLiteral("ours"));
    writeFile(download.filePath(QStringLiteral("AwardTicketRPT.fr3")), QStringLiteral("downloaded"));
    const QStringList folders{program.path(), data.path()};

    const struct {
        QString name;
        QString found;
    } cases[] = {
        {QStringLiteral("MailReceiptRPT.fr3"), program.filePath(QStringLiteral("MailReceiptRPT.html"))},
        {QStringLiteral("Reports\\CashierRPT.fr3"), program.filePath(QStringLiteral("Reports/CashierRPT.html"))},
        {QStringLiteral("Reports/CashierRPT.fr3"), program.filePath(QStringLiteral("Reports/CashierRPT.html"))},
        {QStringLiteral("VIPLetter.fr3"), data.filePath(QStringLiteral("VIPLetter.html"))},
        {QStringLiteral("Schedule.fr3"), QString()},
        {QStringLiteral("CashierRPT.fr3"), QString()},
        {temp.filePath(QStringLiteral("AwardTicketRPT.fr3")), temp.filePath(QStringLiteral("AwardTicketRPT.html"))},
        {download.filePath(QStringLiteral("AwardTicketRPT.fr3")), download.filePath(QStringLiteral("AwardTicketRPT.fr3"))},
        {download.filePath(QStringLiteral("Missing.fr3")), QString()},
        {TaskReportTemplate, TaskReportTemplate},
        {TaskPrintTemplate, TaskPrintTemplate},
        {QStringLiteral(":/reports/Missing.html"), QString()},
        {QString(), QString()},
    };
    for (const auto& c : cases) EXPECT_EQ(locateTemplate(c.name, folders), c.found) << c.name.toStdString();
}

TEST_P(Reports, DatasetsPrintTheRowsTheTableObjectSelectsWhenTheReportIsProduced) {
    lend(QStringLiteral("Okafor"), QStringLiteral("318"), QStringLiteral("70"));
    lend(QStringLiteral("Castellano"), QStringLiteral("1204"), QStringLiteral("12.5"));
    lend(QStringLiteral("Brennan"), QStringLiteral("512"), QStringLiteral("35"));
    templateFile(QStringLiteral("Lent.html"),
                 QStringLiteral("<html><body>{{#Lent}}<p>{{_row}}. {{GuestLastName}} room {{GuestRoom}}</p>{{/Lent}}"
                                "<p>Rows {{count.Lent}}, value {{total.Lent.TotalValue}}, rooms {{total.Lent.GuestRoom}},"
                                " current {{current.Lent.GuestLastName}}</p></body></html>"));
    TableObject* lent = dm->TBorrowed;
    lent->open();
    engine.addDataset(QStringLiteral("Lent"), lent);
    ASSERT_TRUE(engine.loadFromFile(QStringLiteral("Lent.fr3")));
    // Narrowed after being handed over, as the modules do: the report follows the table object.
    lent->filterBy(Filter::ne(QStringLiteral("GuestLastName"), QStringLiteral("Brennan")));
    lent->last();
    engine.showPreview();

    ASSERT_EQ(engine.outputs.size(), 1);
    const auto& shown = engine.last();
    EXPECT_EQ(shown.kind, RecordingReportEngine::Kind::Preview);
    EXPECT_EQ(shown.templateName, "Lent.fr3");
    EXPECT_EQ(shown.templateFile, QDir(program.path()).filePath(QStringLiteral("Lent.html")));
    ASSERT_EQ(shown.rows(QStringLiteral("Lent")).size(), 2);
    EXPECT_EQ(shown.rows(QStringLiteral("Lent"))[1].value(QStringLiteral("GuestLastName")), "Castellano");
    EXPECT_EQ(flatText(shown.pdfFile),
              "1. Okafor room 318 2. Castellano room 1204 Rows 2, value 82.50, rooms 1522, current Castellano");
    // The cursor stays where the module left it.
    EXPECT_EQ(lent->recNo(), 1);

    // A new template keeps the datasets; clearing drops them.
    templateFile(QStringLiteral("Reports/Count.html"), QStringLiteral("<p>{{count.Lent}} lent</p>"));
    ASSERT_TRUE(engine.loadFromFile(QStringLiteral("Reports\\Count.fr3")));
    engine.showPreview();
    EXPECT_EQ(flatText(engine.last().pdfFile), "2 lent");
    engine.clear();
    engine.loadFromFile(QStringLiteral("Reports\\Count.fr3"));
    engine.showPreview();
    EXPECT_EQ(flatText(engine.last().pdfFile), "lent");
    EXPECT_FALSE(engine.last().hasDataset(QStringLiteral("Lent")));
    EXPECT_EQ(engine.loaded, (QStringList{"Lent.fr3", "Reports\\Count.fr3", "Reports\\Count.fr3"}));
}

TEST_P(Reports, ValuesPrintAsTextEscapedWithTheirLineBreaksAndEmptyOnesAreFalse) {
    db().insert(Database::Property, QStringLiteral("TCashier"),
                {{QStringLiteral("BankName"), QStringLiteral("Front <Desk> & Co")},
                 {QStringLiteral("TotalBank"), QStringLiteral("1234.5")},
                 {QStringLiteral("OverShort"), QStringLiteral("-0.25")},
                 {QStringLiteral("Remarks"), QStringLiteral("Counted twice\nSafe checked")},
                 {QStringLiteral("UserName"), QStringLiteral("JSMITH")}});
    templateFile(QStringLiteral("Close.html"),
                 QStringLiteral("<html><body>{{#current.Bank}}<p>{{BankName}}|{{TotalBank}}|{{OverShort}}|{{SystemDrop}}</p>"
                                "<p>{{Remarks}}</p>"
                                "<p>{{#UserName}}by {{UserName}}{{/UserName}}{{#UserID}}id {{UserID}}{{/UserID}}"
                                "{{^BankID}} no bank{{/BankID}}{{#UserName=JSMITH}} smith{{/UserName=JSMITH}}"
                                "{{#UserName=ADMIN}} admin{{/UserName=ADMIN}}</p>{{/current.Bank}}"
                                "<p>{{shift}} {{report.date}} {{report.time}}{{#missing}}never{{/missing}}</p></body></html>"));
    dm->TCashier->open();
    engine.addDataset(QStringLiteral("Bank"), dm->TCashier);
    engine.setValue(QStringLiteral("shift"), QStringLiteral("Night <audit>"));
    engine.loadFromFile(QStringLiteral("Close.fr3"));
    engine.showPreview();
    const QString text = pdfText(engine.last().pdfFile);
    EXPECT_TRUE(text.contains(QStringLiteral("Front <Desk> & Co|1234.50|-0.25|\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Counted twice\nSafe checked"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("by JSMITH no bank smith\n"))) << text.toStdString();
    // The fixed clock of the test services.
    EXPECT_TRUE(text.contains(QStringLiteral("Night <audit> 06/30/2015 09:05 AM\n"))) << text.toStdString();
}

TEST_P(Reports, AMissingTemplateOrTableGivesAnEmptyReportWithoutError) {
    templateFile(QStringLiteral("Here.html"), QStringLiteral("<p>{{#Gone}}{{GuestLastName}}{{/Gone}}"
                                                             "{{^Gone}}nothing lent{{/Gone}}</p>"));
    lend(QStringLiteral("Okafor"), QStringLiteral("318"), QStringLiteral("70"));
    {
        TableObject closed(QStringLiteral("TBorrowed"), QStringLiteral("TBorrowed"), dm->HotelConnection);
        engine.addDataset(QStringLiteral("Gone"), &closed);
        ASSERT_TRUE(engine.loadFromFile(QStringLiteral("Here.fr3")));
        engine.showPreview();  // a closed table object has no rows
        EXPECT_EQ(flatText(engine.last().pdfFile), "nothing lent");
    }
    engine.showPreview();  // nor has one that no longer exists
    EXPECT_EQ(flatText(engine.last().pdfFile), "nothing lent");

    EXPECT_FALSE(engine.loadFromFile(QStringLiteral("Reports\\Nowhere.fr3")));
    engine.showPreview();
    const QString pdf = QDir(output.path()).filePath(QStringLiteral("Certificate.pdf"));
    EXPECT_TRUE(engine.exportToPdf(pdf));
    EXPECT_EQ(engine.last().templateFile, "");
    for (const QString& file : {engine.outputs[engine.outputs.size() - 2].pdfFile, pdf}) {
        EXPECT_EQ(pdfPageCount(file), 1) << file.toStdString();
        EXPECT_EQ(flatText(file), "") << file.toStdString();
    }
    EXPECT_TRUE(services.dialogs.shown().isEmpty());

    // A template that is no template says so on the page rather than failing the command.
    templateFile(QStringLiteral("Broken.html"), QStringLiteral("<p>{{#Gone}} never closed</p>"));
    engine.loadFromFile(QStringLiteral("Broken.fr3"));
    engine.showPreview();
    EXPECT_TRUE(flatText(engine.last().pdfFile).startsWith(QStringLiteral("The report template Broken.fr3 could not be read")));
}

TEST_P(Reports, ManyRowsRunOnOverNumberedPagesWithTheHeadingsRepeated) {
    const int rows = 260;
    TableObject* lent = dm->TBorrowed;
    lent->open();
    for (int i = 1; i <= rows; ++i) {
        lent->insert();
        lent->set(QStringLiteral("GuestLastName"), QStringLiteral("Guest%1").arg(i, 3, 10, QLatin1Char('0')));
        lent->set(QStringLiteral("TotalValue"), QStringLiteral("1.25"));
        lent->post();
    }
    templateFile(QStringLiteral("List.html"),
                 QStringLiteral("<html><head><meta name=\"footer\" content=\"Lent items · {{count.Lent}}\"></head><body>"
                                "<table class=\"grid\" width=\"100%\"><thead><tr><th>Guest Heading</th><th>Value</th></tr></thead>"
                                "{{#Lent}}<tr class=\"{{_stripe}}\"><td>{{GuestLastName}}</td><td>{{TotalValue}}</td></tr>{{/Lent}}"
                                "<tr class=\"total\"><td>Total</td><td>{{total.Lent.TotalValue}}</td></tr></table></body></html>"));
    engine.addDataset(QStringLiteral("Lent"), lent);
    engine.loadFromFile(QStringLiteral("List.fr3"));
    engine.showPreview();

    const QString pdf = engine.last().pdfFile;
    const int pages = pdfPageCount(pdf);
    EXPECT_GE(pages, 4);
    EXPECT_EQ(engine.last().pages, pages);
    QString all;
    for (int p = 1; p <= pages; ++p) {
        const QString page = pdfPageText(pdf, p);
        EXPECT_TRUE(page.contains(QStringLiteral("Guest Heading"))) << "page " << p;
        EXPECT_TRUE(page.contains(QStringLiteral("Lent items · 260"))) << "page " << p;
        EXPECT_TRUE(page.contains(QStringLiteral("Page %1 of %2").arg(p).arg(pages))) << "page " << p;
        all += page;
    }
    for (int i = 1; i <= rows; ++i)
        EXPECT_EQ(all.count(QStringLiteral("Guest%1\n").arg(i, 3, 10, QLatin1Char('0'))), 1) << i;
    EXPECT_TRUE(all.simplified().endsWith(QStringLiteral("Total 325.00 Lent items · 260 Page %1 of %1").arg(pages)))
        << all.right(200).toStdString();
}

TEST_P(Reports, TheTemplateChoosesItsPage) {
    const struct {
        const char* meta;
        QSizeF points;
    } cases[] = {
        {"", {612, 792}},
        {R"(<meta name="orientation" content="landscape">)", {792, 612}},
        {R"(<meta name="page-size" content="A4">)", {595, 842}},
        {R"(<meta name="page-size" content="Legal"><meta name="orientation" content="Landscape">)", {1008, 612}},
    };
    for (const auto& c : cases) {
        templateFile(QStringLiteral("Page.html"),
                     QStringLiteral("<html><head>%1</head><body><p>page</p></body></html>").arg(QLatin1String(c.meta)));
        engine.loadFromFile(QStringLiteral("Page.fr3"));
        const QString pdf = QDir(output.path()).filePath(QStringLiteral("page.pdf"));
        ASSERT_TRUE(engine.exportToPdf(pdf));
        const QSizeF size = pdfPageSize(pdf);
        EXPECT_NEAR(size.width(), c.points.width(), 1) << c.meta;
        EXPECT_NEAR(size.height(), c.points.height(), 1) << c.meta;
    }
}

TAVOLIN_ON_EVERY_ENGINE(Reports);

#include "CashierFixture.h"
#include "PdfText.h"
#include "cashier/fCashierHistory.h"

namespace tavolin::test {
namespace {

class History : public CashierTest {};

TEST_P(History, ShowsEveryCloseWithItsFullCountAsStored) {
    receipt("PETTY CASH", "7.5");
    item("STAMP BOOK", "11.6", 1);
    count("EWPennies", "2");
    count("EUDollars", "3");
    count("ECHundreds", "1");
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-10"));
    cashier->MRemarks->setPlainText(QStringLiteral("Over after a tip"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    ASSERT_EQ(services.dialogs.last(), "Bank successfully updated!");
    // A second, later close of another bank.
    services.clock.advance(3600);
    selectBank(1);
    count("ECHundreds", "1");
    click(cashier, QStringLiteral("BtnCloseBank"));
    ASSERT_EQ(services.dialogs.last(), "Bank successfully updated!");
    services.reports.outputs.clear();

    click(cashier, QStringLiteral("BtnBankHistory"));
    Tf_CashierHistory* history = cashier->historyWindow();
    ASSERT_TRUE(history);
    EXPECT_EQ(history->windowTitle(), "Cashier History");
    EXPECT_FALSE(cashier->isEnabled());
    const QAbstractItemModel* list = history->DBGHistory->model();
    ASSERT_EQ(list->rowCount(), 2);
    QStringList headings;
    for (int c = 0; c < list->columnCount(); ++c) headings << list->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, (QStringList{"Date", "Time", "ID#", "User Name", "Bank ID", "Bank Name", "Set Amount",
                                     "Total Closed", "Over / Short", "System Drop"}));
    // Newest first.
    EXPECT_EQ(list->index(0, 5).data().toString(), "FRONT DESK 2");
    EXPECT_EQ(list->index(0, 1).data().toString(), "10:05 AM");

    history->DBGHistory->selectViewRow(1);
    // 1 + 3 + 100 + 11.6 + 7.5 = 123.1; 123.1 - 20 + 10 = 113.1
    const QList<std::pair<const char*, const char*>> expected{{"AWC01", "2"},
                                                              {"WC01", "1"},
                                                              {"AUC100", "3"},
                                                              {"UC100", "3"},
                                                              {"AC100", "1"},
                                                              {"C100", "100"},
                                                              {"AC1", "0"},
                                                              {"C1", "0"},
                                                              {"TotalMisc", "11.6"},
                                                              {"TotalPaidPetty", "7.5"},
                                                              {"TotalsTotalWrapped", "1"},
                                                              {"TotalsTotalUnwrapped", "3"},
                                                              {"TotalsTotalCurrency", "100"},
                                                              {"TotalsTotalBank", "123.1"},
                                                              {"TotalsBankSetAmount", "20"},
                                                              {"TotalsOverShort", "113.1"}};
    for (const auto& [column, text] : expected) {
        ASSERT_TRUE(history->detail(QLatin1String(column))) << column;
        EXPECT_EQ(history->detail(QLatin1String(column))->text(), text) << column;
    }
    EXPECT_EQ(history->MRemarks->toPlainText(), "Over after a tip");
    EXPECT_EQ(list->index(1, 9).data().toString(), "-10");

    // Print reproduces the close's report with its copies.
    click(history, QStringLiteral("BtnPrint"));
    ASSERT_EQ(services.reports.shownTemplates(), QStringList{"Reports\\CashierRPT.fr3"});
    const auto& out = services.reports.last();
    ASSERT_EQ(out.rows("CashierDataset").size(), 1);
    EXPECT_EQ(out.rows("CashierDataset")[0]["Remarks"], "Over after a tip");
    EXPECT_EQ(out.rows("DBFRPaidPetty_ClosedReport").size(), 2);
    EXPECT_EQ(out.rows("DBFRMisc_Report").size(), 1);
    EXPECT_TRUE(pdfText(out.pdfFile).contains("US$ 113.10"));
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_EQ(history->MRemarks->toPlainText(), "Over after a tip");

    click(history, QStringLiteral("BtnExit"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    EXPECT_FALSE(DM->TCashier->active());
}

TAVOLIN_ON_EVERY_ENGINE(History);

}  // namespace
}  // namespace tavolin::test

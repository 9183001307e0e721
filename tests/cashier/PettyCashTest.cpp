#include "CashierFixture.h"
#include "PdfText.h"
#include "cashier/fCashierPaidPettyHistory.h"
#include "cashier/fCashier_PettyCashAdd.h"
#include "cashier/fCashier_PettyCashSubmitted.h"
#include "tasks/TaskWidgets.h"

namespace tavolin::test {
namespace {

using Answer = Dialogs::Answer;

class PettyCash : public CashierTest {
protected:
    CashierPettyArea* area() { return cashier->Petty; }
    void select(const char* field, const QString& text) {
        selectRow(area()->DBGPetty, QLatin1String(field), text);
    }
};

TEST_P(PettyCash, AddAndModifyThroughTheDialog) {
    click(area(), QStringLiteral("BtnPettyAdd"));
    Tf_Cashier_PettyCashAdd* dialog = area()->pettyDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Petty Cash Transaction");
    EXPECT_EQ(dialog->BtnAdd->text(), "Add");
    EXPECT_FALSE(cashier->isEnabled());
    // An amount is required and must be a positive number.
    for (const char* typed : {"", "ten", "-5"}) {
        type(dialog, QStringLiteral("EAmount"), QLatin1String(typed));
        click(dialog, QStringLiteral("BtnAdd"));
        EXPECT_EQ(services.dialogs.last(),
                  *typed ? "Please enter a valid amount!" : "Please enter the amount!");
    }
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty")), 0);
    type(dialog, QStringLiteral("EAmount"), QStringLiteral("12.50"));
    onNextModal([](QWidget* w) {
        auto* pick = qobject_cast<PickDialog*>(w);
        ASSERT_TRUE(pick);
        pick->LVItems->selectRow(1);
        click(pick, QStringLiteral("BtnSelect"));
    });
    click(dialog, QStringLiteral("SBDepartment"));
    onNextModal([](QWidget* w) {
        auto* pick = qobject_cast<PickDialog*>(w);
        ASSERT_TRUE(pick);
        ASSERT_EQ(pick->LVItems->item(0, 2)->text(), "Night Auditor");
        pick->LVItems->selectRow(0);
        click(pick, QStringLiteral("BtnSelect"));
    });
    click(dialog, QStringLiteral("SBEmployee"));
    type(dialog, QStringLiteral("EGuestName"), QStringLiteral("Ada Lovelace"));
    type(dialog, QStringLiteral("ERoom"), QStringLiteral("12b"));
    EXPECT_EQ(dialog->ERoom->text(), "12B");
    dialog->MDescription->setPlainText(QStringLiteral("Taxi for a guest"));
    click(dialog, QStringLiteral("BtnAdd"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    EXPECT_EQ(cashier->LTotalPetty->text(), "12.5");
    const auto added = rows("TPaidPetty");
    ASSERT_EQ(added.size(), 1);
    const QVariantMap& r = added.first();
    EXPECT_EQ(r["ItemType"], "PETTY CASH");
    EXPECT_EQ(r["Status"], "Active");
    EXPECT_EQ(amountOf(r["Amount"]), amount("12.5"));
    EXPECT_EQ(r["Department"], "Housekeeping");
    EXPECT_EQ(r["Employee"], "Carla Mendes");
    EXPECT_EQ(r["GuestName"], "Ada Lovelace");
    EXPECT_EQ(r["Room"], "12B");
    EXPECT_EQ(r["Description"], "Taxi for a guest");
    EXPECT_EQ(r["BankID"], "1");
    EXPECT_EQ(r["BankName"], "FRONT DESK 1");
    EXPECT_EQ(r["AddDate"], "06/30/2015");
    EXPECT_EQ(r["AddTime"], "09:05 AM");
    EXPECT_EQ(r["AddUserID"], QString::number(cashierId));
    EXPECT_EQ(r["AddUserName"], "CASHIER");

    // Modify fills the dialog; Save writes the typed values into the same row.
    click(area(), QStringLiteral("BtnPettyModify"));
    dialog = area()->pettyDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->BtnAdd->text(), "Save");
    EXPECT_EQ(dialog->EGuestName->text(), "Ada Lovelace");
    EXPECT_EQ(dialog->EDepartment->text(), "Housekeeping");
    type(dialog, QStringLiteral("EAmount"), QStringLiteral("14"));
    click(dialog, QStringLiteral("BtnAdd"));
    settle();
    EXPECT_EQ(amountOf(rows("TPaidPetty").value(0)["Amount"]), Money::fromWhole(14));
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty")), 1);
    EXPECT_EQ(cashier->LTotalPetty->text(), "14");
    // Cancel leaves the row as it was.
    click(area(), QStringLiteral("BtnPettyModify"));
    type(area()->pettyDialog(), QStringLiteral("EAmount"), QStringLiteral("99"));
    click(area()->pettyDialog(), QStringLiteral("BtnCancel"));
    settle();
    EXPECT_EQ(amountOf(rows("TPaidPetty").value(0)["Amount"]), Money::fromWhole(14));
    EXPECT_TRUE(cashier->isEnabled());
}

TEST_P(PettyCash, CommandsRefuseWhatTheyCannotDo) {
    struct Case {
        const char* button;
        const char* message;
    };
    // An empty drawer.
    for (const Case& c :
         {Case{"BtnPettyModify", "There are no items to modify!"},
          Case{"BtnPettyDelete", "There are no items to delete"},
          Case{"BtnPettyMove", "Please select an item to move!"},
          Case{"BtnPettyPrint", "Please select an item to print!"},
          Case{"BtnPettyProcess", "There is not petty cash items to submitt on this bank!"}}) {
        click(area(), QLatin1String(c.button));
        EXPECT_EQ(services.dialogs.last(), c.message) << c.button;
    }
    // Receipts that cannot be modified, and a drawer with nothing to submit.
    receipt("DUE BACK", "25", 1, {{"ControlNum", "4"}});
    receipt("REPORT", "20", 1, {{"ReportNum", "06292015100000 PM"}});
    recompute();
    select("ItemType", "DUE BACK");
    click(area(), QStringLiteral("BtnPettyModify"));
    EXPECT_EQ(services.dialogs.last(), "Unable to modify Due Back!");
    select("ItemType", "REPORT");
    click(area(), QStringLiteral("BtnPettyModify"));
    EXPECT_EQ(services.dialogs.last(), "Unable to modify petty cash submitted!");
    click(area(), QStringLiteral("BtnPettyProcess"));
    EXPECT_EQ(services.dialogs.last(), "There is not petty cash items to submitt on this bank!");
    EXPECT_FALSE(area()->pettyDialog());
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty_Report")), 0);
}

TEST_P(PettyCash, ProcessSubmitsThePettyCashUnderOneKey) {
    receipt("PETTY CASH", "12.50", 1, {{"Employee", "Hugo Berg"}, {"Department", "Housekeeping"}});
    receipt("PETTY CASH", "7.50", 1, {{"Employee", "Fiona Ross"}});
    receipt("DUE BACK", "25", 1, {{"ControlNum", "4"}});
    receipt("PETTY CASH", "3", 2);
    recompute();
    ASSERT_EQ(cashier->LTotal->text(), "45");

    // No: nothing is submitted.
    services.dialogs.answer(Answer::No);
    click(area(), QStringLiteral("BtnPettyProcess"));
    EXPECT_EQ(services.dialogs.questions(),
              QStringList{"Please confirm that you would like to submit US$: 20 in Petty Cash!"});
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty_Report")), 0);
    EXPECT_EQ(area()->DBGPetty->model()->rowCount(), 3);

    services.dialogs.answer(Answer::Yes);
    click(area(), QStringLiteral("BtnPettyProcess"));
    const auto submitted = rows("TPaidPetty_Report");
    ASSERT_EQ(submitted.size(), 2);
    const QString key = QStringLiteral("06302015090507 AM");
    for (const auto& r : submitted) {
        EXPECT_EQ(r["ReportNum"], key);
        EXPECT_EQ(r["ReportDate"], "06/30/2015");
        EXPECT_EQ(r["ReportTime"], "09:05 AM");
        EXPECT_EQ(r["ReportID"], QString::number(cashierId));
        EXPECT_EQ(r["ReportName"], "CASHIER");
        EXPECT_EQ(r["ItemType"], "PETTY CASH");
    }
    EXPECT_EQ(amountOf(submitted[0]["Amount"]) + amountOf(submitted[1]["Amount"]), Money::fromWhole(20));
    const auto reportRows = rows("TPaidPetty", Filter::eq("ItemType", "REPORT"));
    ASSERT_EQ(reportRows.size(), 1);
    const QVariantMap& r = reportRows.first();
    EXPECT_EQ(amountOf(r["Amount"]), Money::fromWhole(20));
    EXPECT_EQ(r["ReportNum"], key);
    EXPECT_EQ(r["Description"], "Petty Cash Submitted to accounting");
    EXPECT_EQ(r["Employee"], "CASHIER");
    EXPECT_EQ(r["BankID"], "1");
    EXPECT_EQ(r["Status"], "Active");
    EXPECT_EQ(rows("TPaidPetty", Filter::eq("ItemType", "PETTY CASH")).size(), 1);  // the other bank's
    // The drawer total is unchanged and the list shows the bank's rows again.
    EXPECT_EQ(cashier->LTotal->text(), "45");
    EXPECT_EQ(area()->DBGPetty->model()->rowCount(), 2);
    // The submitted items were printed.
    ASSERT_EQ(services.reports.shownTemplates(), QStringList{"Reports\\PettyCashReport.fr3"});
    const QString pdf = pdfText(services.reports.last().pdfFile);
    EXPECT_TRUE(pdf.contains("Hugo Berg"));
    EXPECT_TRUE(pdf.contains("Fiona Ross"));

    // A double click on the REPORT row shows what it holds.
    select("ItemType", "REPORT");
    emit area()->DBGPetty->doubleClicked(area()->DBGPetty->currentIndex());
    Tf_Cashier_PettyCashSubmitted* details = area()->submittedDialog();
    ASSERT_TRUE(details);
    EXPECT_EQ(details->windowTitle(), "Petty Cash Submitted Details");
    EXPECT_EQ(details->DBGReport->model()->rowCount(), 2);
    EXPECT_FALSE(cashier->isEnabled());
    click(details, QStringLiteral("BtnClose"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    // Another row's double click opens nothing.
    select("ItemType", "DUE BACK");
    emit area()->DBGPetty->doubleClicked(area()->DBGPetty->currentIndex());
    EXPECT_FALSE(area()->submittedDialog());
}

TEST_P(PettyCash, DeletingKeepsAnAuditCopyAndLeavesTheTotal) {
    receipt("PETTY CASH", "12.5");
    receipt("REPORT", "20", 1,
            {{"ReportNum", "06292015100000 PM"}, {"Description", "Petty Cash Submitted to accounting"}});
    recompute();
    ASSERT_EQ(cashier->LTotalPetty->text(), "32.5");
    select("ItemType", "REPORT");
    services.dialogs.answer(Answer::No);
    click(area(), QStringLiteral("BtnPettyDelete"));
    EXPECT_EQ(services.dialogs.questions(),
              QStringList{"Please confirm that you would like delete this item!"});
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty")), 2);

    select("ItemType", "REPORT");
    services.dialogs.answer(Answer::Yes);
    click(area(), QStringLiteral("BtnPettyDelete"));
    EXPECT_EQ(cashier->LTotalPetty->text(), "12.5");
    const auto old = rows("TPaidPettyOld");
    ASSERT_EQ(old.size(), 1);
    EXPECT_EQ(old.first()["ItemType"], "REPORT");
    EXPECT_EQ(old.first()["ReportNum"], "06292015100000 PM");
    EXPECT_EQ(amountOf(old.first()["Amount"]), Money::fromWhole(20));
    EXPECT_EQ(old.first()["AddUserName"], "NIGHT");
    EXPECT_EQ(old.first()["DelDate"], "06/30/2015");
    EXPECT_EQ(old.first()["DelTime"], "09:05 AM");
    EXPECT_EQ(old.first()["DelUserID"], QString::number(cashierId));
    EXPECT_EQ(old.first()["DelUserName"], "CASHIER");
}

TEST_P(PettyCash, PrintChoosesTheSlipByType) {
    const qint64 petty = receipt("PETTY CASH", "12.5", 1, {{"Employee", "Hugo Berg"}});
    receipt("PETTY CASH", "8", 1, {{"Employee", "Fiona Ross"}});
    receipt("DUE BACK", "25", 1, {{"ControlNum", "7"}, {"GuestName", "SYSTEM DROP - DUE BACK"}});
    receipt("REPORT", "20", 1, {{"ReportNum", "06292015100000 PM"}});
    recompute();

    select("ID", QString::number(petty));
    click(area(), QStringLiteral("BtnPettyPrint"));
    ASSERT_EQ(services.reports.shownTemplates(), QStringList{"Reports\\PettyCashSlip.fr3"});
    ASSERT_EQ(services.reports.last().rows("PettyCashDataset").size(), 1);
    EXPECT_EQ(services.reports.last().rows("PettyCashDataset")[0]["Employee"], "Hugo Berg");
    EXPECT_TRUE(pdfText(services.reports.last().pdfFile).contains("US$ 12.50"));

    select("ItemType", "DUE BACK");
    click(area(), QStringLiteral("BtnPettyPrint"));
    ASSERT_EQ(services.reports.shownTemplates().size(), 2);
    EXPECT_EQ(services.reports.last().templateName, "Reports\\DueBackReprintSlip.fr3");
    ASSERT_EQ(services.reports.last().rows("PettyCashDataset").size(), 1);
    EXPECT_EQ(services.reports.last().rows("PettyCashDataset")[0]["ControlNum"], "7");

    select("ItemType", "REPORT");
    click(area(), QStringLiteral("BtnPettyPrint"));
    EXPECT_EQ(services.reports.shownTemplates().size(), 2);
    // Every print ends with the drawer listed whole again.
    EXPECT_EQ(area()->DBGPetty->model()->rowCount(), 4);
    EXPECT_EQ(cashier->LTotalPetty->text(), "65.5");
}

TEST_P(PettyCash, ViewDeletedTransfersAReceiptBackIntoAChosenBank) {
    receipt("PETTY CASH", "12.5", 1, {{"Employee", "Hugo Berg"}, {"Description", "Flowers"}});
    recompute();
    services.dialogs.answer(Answer::Yes);
    click(area(), QStringLiteral("BtnPettyDelete"));
    ASSERT_EQ(cashier->LTotalPetty->text(), "0");

    click(area(), QStringLiteral("BtnPettyViewDeleted"));
    Tf_CashierPaidPettyHistory* deleted = area()->deletedWindow();
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted->windowTitle(), "Cashier Register - Deleted  Paid Outs and Petty Cash");
    EXPECT_FALSE(cashier->isEnabled());
    ASSERT_EQ(deleted->DBGDeleted->model()->rowCount(), 1);
    EXPECT_EQ(deleted->detail("Employee")->text(), "Hugo Berg");
    EXPECT_EQ(deleted->detail("Description")->text(), "Flowers");
    EXPECT_EQ(deleted->detail("DelUser")->text(), QString::number(cashierId) + " CASHIER");
    EXPECT_EQ(deleted->detail("DelDate")->text(), "06/30/2015");
    EXPECT_FALSE(deleted->GBBanks->isVisibleTo(deleted));

    click(deleted, QStringLiteral("BtnTransfer"));
    EXPECT_TRUE(deleted->GBBanks->isVisibleTo(deleted));
    ASSERT_EQ(deleted->DBGBanks->model()->rowCount(), 3);
    deleted->DBGBanks->selectViewRow(1);
    click(deleted, QStringLiteral("BtnBankTransfer"));
    EXPECT_FALSE(deleted->GBBanks->isVisibleTo(deleted));
    EXPECT_EQ(deleted->DBGDeleted->model()->rowCount(), 0);
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPettyOld")), 0);
    const auto back = rows("TPaidPetty");
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back.first()["BankID"], "2");
    EXPECT_EQ(back.first()["BankName"], "FRONT DESK 2");
    EXPECT_EQ(back.first()["Description"], "Flowers");
    EXPECT_EQ(back.first()["Status"], "Active");
    EXPECT_EQ(amountOf(back.first()["Amount"]), amount("12.5"));

    click(deleted, QStringLiteral("BtnExit"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    selectBank(1);
    EXPECT_EQ(cashier->LTotalPetty->text(), "12.5");
}

TAVOLIN_ON_EVERY_ENGINE(PettyCash);

}  // namespace
}  // namespace tavolin::test

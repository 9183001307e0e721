#include "CashierFixture.h"
#include "cashier/fCashier_Misc.h"
#include "cashier/fCashier_Move.h"

namespace tavolin::test {
namespace {

using Answer = Dialogs::Answer;

class MiscItems : public CashierTest {
protected:
    CashierMiscArea* area() { return cashier->Misc; }
};

TEST_P(MiscItems, AddModifyAndDeleteALine) {
    click(area(), QStringLiteral("BtnMiscAdd"));
    Tf_Cashier_Misc* dialog = area()->itemDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->BtnAdd->text(), "Add");
    EXPECT_FALSE(cashier->isEnabled());
    ASSERT_EQ(dialog->DBGItems->model()->rowCount(), 2);
    selectRow(dialog->DBGItems, "Description", "PARKING VOUCHER");
    for (const char* typed : {"", "three", "0", "1.5"}) {
        type(dialog, QStringLiteral("EQty"), QLatin1String(typed));
        click(dialog, QStringLiteral("BtnAdd"));
        EXPECT_EQ(services.dialogs.last(), "Please enter a valid quantity!") << typed;
    }
    type(dialog, QStringLiteral("EQty"), QStringLiteral("3"));
    click(dialog, QStringLiteral("BtnAdd"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    auto lines = rows("TBankMisc");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first()["Description"], "PARKING VOUCHER");
    EXPECT_EQ(lines.first()["Amount"], "3");
    EXPECT_EQ(money(lines.first()["UnitValue"]), Money::fromWhole(5));
    EXPECT_EQ(money(lines.first()["Total"]), Money::fromWhole(15));
    EXPECT_EQ(lines.first()["BankID"], "1");
    EXPECT_EQ(lines.first()["UserName"], "CASHIER");
    EXPECT_EQ(lines.first()["AddDate"], "06/30/2015");
    EXPECT_EQ(cashier->LTotalMisc->text(), "15");
    EXPECT_EQ(cashier->LTotal->text(), "15");

    // Modify shows only the line's catalogue item and the quantity; Save recomputes the total.
    click(area(), QStringLiteral("BtnMiscModify"));
    dialog = area()->itemDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->BtnAdd->text(), "Save");
    EXPECT_EQ(dialog->EQty->text(), "3");
    EXPECT_EQ(dialog->DBGItems->model()->rowCount(), 1);
    type(dialog, QStringLiteral("EQty"), QStringLiteral("4"));
    click(dialog, QStringLiteral("BtnAdd"));
    settle();
    lines = rows("TBankMisc");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(money(lines.first()["Total"]), Money::fromWhole(20));
    EXPECT_EQ(cashier->LTotalMisc->text(), "20");

    // Cancel on a new line stores nothing.
    click(area(), QStringLiteral("BtnMiscAdd"));
    type(area()->itemDialog(), QStringLiteral("EQty"), QStringLiteral("2"));
    click(area()->itemDialog(), QStringLiteral("BtnCancel"));
    settle();
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TBankMisc")), 1);

    services.dialogs.answer(Answer::Yes);
    click(area(), QStringLiteral("BtnMiscDelete"));
    EXPECT_EQ(services.dialogs.questions(),
              QStringList{"Please confirm that you would like delete this item!"});
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TBankMisc")), 0);
    EXPECT_EQ(cashier->LTotalMisc->text(), "0");
    for (const auto& [button, message] : {std::pair{"BtnMiscModify", "There are no items to modify"},
                                          std::pair{"BtnMiscDelete", "There are no items to delete"},
                                          std::pair{"BtnMiscMove", "Please select an item to move!"}}) {
        click(area(), QLatin1String(button));
        EXPECT_EQ(services.dialogs.last(), message);
    }
}

TEST_P(MiscItems, MoveTakesEverySelectedLineToAnotherBank) {
    const qint64 a = item("PARKING VOUCHER", "5", 1);
    item("STAMP BOOK", "11.6", 2);
    const qint64 c = item("PARKING VOUCHER", "5", 4);
    recompute();
    ASSERT_EQ(cashier->LTotalMisc->text(), "48.2");
    // Click the first line, shift-click the last: all three are selected.
    DbGrid* grid = area()->DBGMisc;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 1)).center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualRect(grid->model()->index(2, 1)).center());
    ASSERT_EQ(grid->selectedTableRows().size(), 3);
    // Ctrl-click takes the middle one out again.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      grid->visualRect(grid->model()->index(1, 1)).center());
    ASSERT_EQ(grid->selectedTableRows().size(), 2);

    click(area(), QStringLiteral("BtnMiscMove"));
    Tf_Cashier_Move* move = area()->moveDialog();
    ASSERT_TRUE(move);
    EXPECT_EQ(move->windowTitle(), "Bank IDs Available");
    EXPECT_EQ(move->EMoveType->text(), "Misc");
    // Never the bank the lines belong to.
    ASSERT_EQ(move->DBGBanks->model()->rowCount(), 2);
    for (int r = 0; r < 2; ++r) EXPECT_NE(move->DBGBanks->model()->index(r, 0).data().toString(), "1");
    move->DBGBanks->selectViewRow(1);
    click(move, QStringLiteral("BtnMove"));
    settle();
    EXPECT_TRUE(cashier->isEnabled());
    EXPECT_EQ(rows("TBankMisc", Filter::eq("BankID", "3")).size(), 2);
    EXPECT_EQ(rows("TBankMisc", Filter::eq("ID", a)).value(0)["BankID"], "3");
    EXPECT_EQ(rows("TBankMisc", Filter::eq("ID", c)).value(0)["BankID"], "3");
    EXPECT_EQ(cashier->LTotalMisc->text(), "23.2");
    EXPECT_EQ(area()->DBGMisc->model()->rowCount(), 1);
}

TEST_P(MiscItems, PettyCashMovesWithItsBankName) {
    receipt("PETTY CASH", "12.5");
    receipt("PETTY CASH", "4");
    recompute();
    click(cashier->Petty, QStringLiteral("BtnPettyMove"));
    Tf_Cashier_Move* move = cashier->Petty->moveDialog();
    ASSERT_TRUE(move);
    EXPECT_EQ(move->EMoveType->text(), "Petty");
    move->DBGBanks->selectViewRow(0);
    // Cancel moves nothing.
    click(move, QStringLiteral("BtnCancel"));
    settle();
    EXPECT_EQ(rows("TPaidPetty", Filter::eq("BankID", "1")).size(), 2);
    // Only the current row when nothing is selected.
    cashier->Petty->DBGPetty->selectViewRow(0);
    click(cashier->Petty, QStringLiteral("BtnPettyMove"));
    move = cashier->Petty->moveDialog();
    move->DBGBanks->selectViewRow(0);
    click(move, QStringLiteral("BtnMove"));
    settle();
    const auto moved = rows("TPaidPetty", Filter::eq("BankID", "2"));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.first()["BankName"], "FRONT DESK 2");
    EXPECT_EQ(cashier->Petty->DBGPetty->model()->rowCount(), 1);
}

TAVOLIN_ON_EVERY_ENGINE(MiscItems);

}  // namespace
}  // namespace tavolin::test

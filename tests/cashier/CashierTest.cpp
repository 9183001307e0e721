#include <QRegularExpression>

#include "CashierFixture.h"
#include "PdfText.h"
#include "SmtpServer.h"
#include "cashier/CashierCount.h"
#include "data/Schema.h"

namespace tavolin::test {
namespace {

using Answer = Dialogs::Answer;

QColor textColour(QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

// The bank's over/short mail: the cashier's account at the test server and who receives the report.
void mailSetup(TestDatabases& db, const SmtpServer& server, const char* emailName,
               const QStringList& recipients) {
    const qint64 account = db.insert(Database::Property, QStringLiteral("TEmailAccounts"),
                                     {{"AccountDescription", "Front desk"},
                                      {"Host", "127.0.0.1"},
                                      {"Port", server.port()},
                                      {"UserName", "frontdesk@harbor.test"},
                                      {"Password", "fd-pass"},
                                      {"AuthType", "SSL"}});
    db.insert(Database::Property, QStringLiteral("TCashier_Email_From"),
              {{"EmailName", emailName}, {"SendEmailFromID", QString::number(account)}});
    for (const QString& r : recipients)
        db.insert(Database::Property, QStringLiteral("TCashier_Over_Short_Email_List"),
                  {{"EmailAddress", r}, {"EmailName", r.section(u'@', 0, 0)}});
}

const SmtpServer::Options FrontDesk{SmtpServer::Mode::StartTls, "frontdesk@harbor.test", "fd-pass", {}};

class Count : public CashierTest {};
class Close : public CashierTest {};

TEST_P(Count, LinesGroupsAndShortOverFollowTheCount) {
    EXPECT_EQ(cashier->windowTitle(), "Cashier Register");
    EXPECT_EQ(cashier->LBankAmount->text(), "20");
    EXPECT_EQ(cashier->LShortOver->text(), "-20");
    EXPECT_EQ(textColour(cashier->LShortOver), QColor(Qt::red));

    count("EWQuarters", "2");
    count("ECDollars", "5");
    EXPECT_EQ(cashier->lineValue("EWQuarters")->text(), "US$ 20");
    EXPECT_EQ(cashier->lineValue("ECDollars")->text(), "US$ 5");
    EXPECT_EQ(cashier->GBWrapped->title(), "Wrapped Coins US$ 20  ");
    EXPECT_EQ(cashier->GBCurrency->title(), "Currency US$ 5  ");
    EXPECT_EQ(cashier->GBUnwrapped->title(), "Unwrapped Coins US$ 0  ");
    EXPECT_EQ(cashier->LTotalWrapped->text(), "20");
    EXPECT_EQ(cashier->LTotalCurrency->text(), "5");
    EXPECT_EQ(cashier->LTotal->text(), "25");
    EXPECT_EQ(cashier->LShortOver->text(), "5");
    EXPECT_EQ(textColour(cashier->LShortOver), QColor(Qt::blue));
    EXPECT_EQ(textColour(cashier->LShortOverUS), QColor(Qt::blue));

    // Three nickel rolls are six dollars, shown in the shortest form.
    count("EWNickles", "3");
    EXPECT_EQ(cashier->lineValue("EWNickles")->text(), "US$ 6");
    // Every denomination's value per count, one at a time on an otherwise empty count.
    for (const cashier::Denomination& d : cashier::denominations()) {
        type(cashier, QStringLiteral("EWNickles"), QString());
        type(cashier, QStringLiteral("EWQuarters"), QString());
        type(cashier, QStringLiteral("ECDollars"), QString());
        count(d.field, "7");
        EXPECT_EQ(cashier->totals().total(), d.value.times(Money::fromWhole(7))) << d.field;
        type(cashier, QLatin1String(d.field), QString());
    }

    // Balanced: the normal text colour. The system drop takes its share.
    count("EUPennies", "1999");
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-0.99"));
    EXPECT_EQ(cashier->totals().total(), amount("19.99"));
    EXPECT_EQ(cashier->LShortOver->text(), "0.98");
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-0.01"));
    EXPECT_EQ(cashier->LShortOver->text(), "0");
    EXPECT_EQ(textColour(cashier->LShortOver),
              QApplication::palette(cashier->LShortOver).color(QPalette::WindowText));
}

TEST_P(Count, FieldsRefillClearAndRefuseTextThatIsNoNumber) {
    count("ECTens", "3");
    count("ECFives", "1");
    // An emptied field becomes 0 and its line value US$ 0.00.
    type(cashier, QStringLiteral("ECTens"), QString());
    EXPECT_EQ(cashier->countField("ECTens")->text(), "0");
    EXPECT_EQ(cashier->lineValue("ECTens")->text(), "US$ 0.00");
    EXPECT_EQ(cashier->LTotalCurrency->text(), "5");
    // An emptied system drop becomes 0.00.
    type(cashier, QStringLiteral("ESystemDrop"), QString());
    EXPECT_EQ(cashier->ESystemDrop->text(), "0.00");

    // Text that is no number: a clear message, the totals as they were, nothing stored on Close.
    services.dialogs.clear();
    count("ECTwenties", "2x");
    EXPECT_EQ(services.dialogs.shown(), QStringList{"'2x' is not a valid number (Currency US$ 20.00)."});
    EXPECT_EQ(cashier->LTotalCurrency->text(), "45");
    EXPECT_EQ(cashier->totals().currency, Money::fromWhole(45));
    services.dialogs.clear();
    cashier->MRemarks->setPlainText(QStringLiteral("typo"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.shown(), QStringList{"'2x' is not a valid number (Currency US$ 20.00)."});
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TCashier")), 0);
    count("ECTwenties", "2");
    EXPECT_EQ(cashier->LTotalCurrency->text(), "45");
    // A lone minus sign in the system drop is waited on.
    services.dialogs.clear();
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-"));
    EXPECT_TRUE(services.dialogs.shown().isEmpty());
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-5"));
    EXPECT_EQ(cashier->totals().systemDrop, Money::fromWhole(-5));
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-5x"));
    EXPECT_EQ(services.dialogs.last(), "'-5x' is not a valid number (System Drop).");
    EXPECT_EQ(cashier->totals().systemDrop, Money::fromWhole(-5));
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("0"));

    // Clear empties one group only.
    count("EWDimes", "1");
    click(cashier, QStringLiteral("BtnClearCurrency"));
    for (const char* f :
         {"ECDollars", "ECTwos", "ECFives", "ECTens", "ECTwenties", "ECFifties", "ECHundreds"})
        EXPECT_EQ(cashier->countField(QLatin1String(f))->text(), "0");
    EXPECT_EQ(cashier->countField("EWDimes")->text(), "1");
    EXPECT_EQ(cashier->LTotal->text(), "5");
}

TEST_P(Count, TheDrawerAddsItemsAndReceiptsOfTheSelectedBankOnly) {
    item("PARKING VOUCHER", "5", 3);
    item("STAMP BOOK", "11.6", 1, 2);
    receipt("PETTY CASH", "12.5");
    receipt("DUE BACK", "25");
    receipt("PETTY CASH", "99", 2);
    recompute();
    EXPECT_EQ(cashier->Misc->title(), "Miscellaneous Items: US$ 15  ");
    EXPECT_EQ(cashier->Petty->title(), "Petty Cash && Due Backs: US$ 37.5   ");
    EXPECT_EQ(cashier->LTotal->text(), "52.5");
    EXPECT_EQ(cashier->LShortOver->text(), "32.5");
    selectBank(1);
    EXPECT_EQ(cashier->LBankAmount->text(), "100");
    EXPECT_EQ(cashier->LTotalMisc->text(), "11.6");
    EXPECT_EQ(cashier->LTotalPetty->text(), "99");
    EXPECT_EQ(cashier->LShortOver->text(), "10.6");
    selectBank(2);
    EXPECT_EQ(cashier->LTotal->text(), "0");
    EXPECT_EQ(cashier->LShortOver->text(), "-50");
}

TEST_P(Close, OutOfBalanceWithoutRemarksIsRefused) {
    count("ECTwenties", "1");
    count("ECDollars", "3");
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.last(),
              "Your Bank if out of balance by: US$ 3, Please provide an explanation efore closing the bank!");
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TCashier")), 0);
    EXPECT_EQ(cashier->countField("ECDollars")->text(), "3");
}

TEST_P(Close, ABalancedBankClosesWithoutRemarksAndSendsNoMail) {
    SmtpServer server(FrontDesk);
    mailSetup(db(), server, "frontdesk@harbor.test", {"gm@harbor.test"});
    item("PARKING VOUCHER", "5", 1);
    count("ECTens", "1");
    count("EUQuarters", "20");
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.last(), "Bank successfully updated!");
    const auto closes = rows("TCashier");
    ASSERT_EQ(closes.size(), 1);
    const QVariantMap& c = closes.first();
    EXPECT_EQ(c["Date"], "06/30/2015");
    EXPECT_EQ(c["Time"], "09:05 AM");
    EXPECT_EQ(c["UserID"], QString::number(cashierId));
    EXPECT_EQ(c["UserName"], "CASHIER");
    EXPECT_EQ(c["BankID"], "1");
    EXPECT_EQ(c["BankName"], "FRONT DESK 1");
    EXPECT_EQ(c["AC10"], "1");
    EXPECT_EQ(c["AUC25"], "20");
    EXPECT_EQ(c["AWC01"], "0");
    EXPECT_EQ(money(c["C10"]), Money::fromWhole(10));
    EXPECT_EQ(money(c["UC25"]), Money::fromWhole(5));
    EXPECT_EQ(money(c["TotalMisc"]), Money::fromWhole(5));
    EXPECT_EQ(money(c["TotalBank"]), Money::fromWhole(20));
    EXPECT_EQ(money(c["OverShort"]), Money());
    EXPECT_EQ(c["PettyCashClosedID"], "06302015090507 AM");
    EXPECT_TRUE(server.messages().isEmpty());
    // The miscellaneous line is copied under the close key and stays with the bank.
    const auto copies = rows("TBankMisc_Report");
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(copies.first()["ReportNum"], "06302015090507 AM");
    EXPECT_EQ(money(copies.first()["Total"]), Money::fromWhole(5));
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TBankMisc")), 1);
    EXPECT_EQ(services.reports.shownTemplates(), QStringList{"Reports\\CashierRPT.fr3"});
    // The form is ready for the next count.
    EXPECT_EQ(cashier->countField("ECTens")->text(), "0");
    EXPECT_EQ(cashier->ESystemDrop->text(), "0.00");
    EXPECT_EQ(cashier->LTotal->text(), "5");
}

TEST_P(Close, ANegativeSystemDropLeavesADueBackAndPrintsItsSlip) {
    item("STAMP BOOK", "11.6", 2);
    receipt("PETTY CASH", "7.5", 1, {{"Description", "Printer paper"}});
    count("ECTwenties", "2");
    count("EWDimes", "1");
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("-25.00"));
    cashier->MRemarks->setPlainText(QStringLiteral("Guest refund paid from the drawer"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.last(), "Bank successfully updated!");

    const auto closes = rows("TCashier");
    ASSERT_EQ(closes.size(), 1);
    const QVariantMap& c = closes.first();
    const QString key = QStringLiteral("06302015090507 AM");
    // 40 + 5 + 23.2 + 7.5 = 75.7; 75.7 - 20 - (-25) = 80.7
    EXPECT_EQ(money(c["TotalBank"]), amount("75.7"));
    EXPECT_EQ(money(c["SystemDrop"]), Money::fromWhole(-25));
    EXPECT_EQ(money(c["SystemDropInvert"]), Money::fromWhole(25));
    EXPECT_EQ(money(c["TotalPaidPetty"]), amount("7.5"));
    EXPECT_EQ(money(c["OverShort"]), amount("80.7"));
    EXPECT_EQ(c["Remarks"], "Guest refund paid from the drawer");

    const auto dueBacks = rows("TPaidPetty", Filter::eq("ItemType", "DUE BACK"));
    ASSERT_EQ(dueBacks.size(), 1);
    const QVariantMap& d = dueBacks.first();
    EXPECT_EQ(amountOf(d["Amount"]), Money::fromWhole(25));
    EXPECT_EQ(d["Description"], "DUE BACK");
    EXPECT_EQ(d["GuestName"], "SYSTEM DROP - DUE BACK");
    EXPECT_EQ(d["Status"], "Active");
    EXPECT_EQ(d["BankID"], "1");
    EXPECT_EQ(d["BankName"], "FRONT DESK 1");
    EXPECT_EQ(d["ControlNum"], c["ID"].toString());
    EXPECT_EQ(d["AddUserName"], "CASHIER");

    // Both receipts, the new due back among them, copied under the close key; the receipts stay.
    const auto closed = rows("TPaidPetty_ClosedReport", Filter::eq("PettyCashClosedID", key));
    ASSERT_EQ(closed.size(), 2);
    QStringList types;
    for (const auto& r : closed) types << r["ItemType"].toString();
    types.sort();
    EXPECT_EQ(types, (QStringList{"DUE BACK", "PETTY CASH"}));
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty")), 2);
    EXPECT_EQ(rows("TBankMisc_Report", Filter::eq("ReportNum", key)).size(), 1);

    // The close report, then the due-back slip, each read back from its PDF.
    ASSERT_EQ(services.reports.shownTemplates(),
              (QStringList{"Reports\\CashierRPT.fr3", "Reports\\DueBackSlip.fr3"}));
    const QString report = pdfText(services.reports.outputs[0].pdfFile, true);
    EXPECT_TRUE(report.contains("Bank Close Report")) << report.toStdString();
    EXPECT_TRUE(report.contains(QRegularExpression("US\\$ 20\\.00\\s+2\\s+40\\.00"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QRegularExpression("US\\$ 0\\.10\\s+1\\s+5\\.00"))) << report.toStdString();
    EXPECT_TRUE(report.contains("STAMP BOOK"));
    EXPECT_TRUE(pdfText(services.reports.outputs[0].pdfFile)
                    .contains(QRegularExpression("SYSTEM DROP - DUE\\s+BACK")));
    EXPECT_TRUE(report.contains("Printer paper"));
    EXPECT_TRUE(report.contains("US$ 75.70"));
    EXPECT_TRUE(report.contains("US$ 80.70"));
    EXPECT_TRUE(report.contains("Guest refund paid from the drawer"));
    const QString slip = pdfText(services.reports.outputs[1].pdfFile);
    EXPECT_TRUE(slip.contains("Due Back Slip"));
    EXPECT_TRUE(slip.contains("US$ 25.00"));
    EXPECT_TRUE(slip.contains("FRONT DESK 1"));
    EXPECT_TRUE(slip.contains("Harborview Suites Boston"));
    // The drawer now counts the due back too.
    EXPECT_EQ(cashier->LTotalPetty->text(), "32.5");
}

TEST_P(Close, APositiveSystemDropAddsNoReceiptAndPrintsOnlyTheReport) {
    count("ECTwenties", "2");
    type(cashier, QStringLiteral("ESystemDrop"), QStringLiteral("25.00"));
    cashier->MRemarks->setPlainText(QStringLiteral("drop"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.last(), "Bank successfully updated!");
    EXPECT_EQ(money(rows("TCashier").value(0)["OverShort"]), Money::fromWhole(-5));
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TPaidPetty")), 0);
    EXPECT_EQ(services.reports.shownTemplates(), QStringList{"Reports\\CashierRPT.fr3"});
}

TEST_P(Close, AnOverShortReportArrivesThroughStartTls) {
    SmtpServer server(FrontDesk);
    mailSetup(db(), server, "frontdesk@harbor.test",
              {"gm@harbor.test", "audit@harbor.test", "gm@harbor.test"});
    count("ECTwenties", "1");
    count("EUDimes", "3");
    cashier->MRemarks->setPlainText(QStringLiteral("Counted twice"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    EXPECT_EQ(services.dialogs.last(), "Bank successfully updated!");
    const auto mails = server.messages();
    ASSERT_EQ(mails.size(), 1);
    const ReceivedMail& m = mails.first();
    EXPECT_EQ(m.tls, "starttls");
    EXPECT_EQ(m.authUser, "frontdesk@harbor.test");
    EXPECT_EQ(m.fromAddress, "frontdesk@harbor.test");
    EXPECT_EQ(m.fromName, "Carla Mendes");
    EXPECT_EQ(m.rcptTo, (QStringList{"gm@harbor.test", "audit@harbor.test"}));
    const QString subject =
        QString("Over/Short Bank Report for: %1 - CASHIER on 06/30/2015 at 09:05 AM").arg(cashierId);
    EXPECT_EQ(m.headers["Subject"], subject);
    EXPECT_EQ(m.body.trimmed(), subject + " - Amount US$ 0.3 EXPLANATION: Counted twice");
}

TEST_P(Close, NoOverShortReportWithoutSenderNameOrRecipients) {
    for (const bool withName : {false, true}) {
        SmtpServer server(FrontDesk);
        mailSetup(db(), server, withName ? "frontdesk@harbor.test" : "",
                  withName ? QStringList{} : QStringList{"gm@harbor.test"});
        count("ECFives", "1");
        cashier->MRemarks->setPlainText(QStringLiteral("short"));
        services.dialogs.clear();
        click(cashier, QStringLiteral("BtnCloseBank"));
        EXPECT_EQ(services.dialogs.shown(), QStringList{"Bank successfully updated!"}) << withName;
        EXPECT_TRUE(server.messages().isEmpty()) << withName;
        // Start the next case with no mail settings.
        for (TableObject* t :
             {DM->TCashier_Email_From, DM->TCashier_Over_Short_Email_List, DM->TEmailAccounts}) {
            t->open();
            while (!t->isEmpty()) t->remove();
            t->close();
        }
    }
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TCashier")), 2);
}

TEST_P(Close, AFailedSendSaysSoAndTheCloseStaysStoredOnce) {
    SmtpServer server(FrontDesk);
    mailSetup(db(), server, "frontdesk@harbor.test", {"gm@harbor.test"});
    server.stop();
    count("ECFives", "1");
    cashier->MRemarks->setPlainText(QStringLiteral("short"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    const QStringList shown = services.dialogs.shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("The bank was closed, but the over/short e-mail could not be sent: "))
        << shown[0].toStdString();
    EXPECT_EQ(shown[1], "Bank successfully updated!");
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TCashier")), 1);
    EXPECT_EQ(cashier->countField("ECFives")->text(), "0");
}

TEST_P(Close, ADatabaseErrorStopsTheCloseWhereItAroseAndSaysSo) {
    item("STAMP BOOK", "11.6", 1);
    // The items' copy table is gone: the close stops at the copies, with the database's own words.
    DM->HotelConnection->execute(QStringLiteral("DROP TABLE TBankMisc_Report"));
    count("ECTwenties", "1");
    cashier->MRemarks->setPlainText(QStringLiteral("short"));
    click(cashier, QStringLiteral("BtnCloseBank"));
    const QString shown = services.dialogs.last();
    EXPECT_TRUE(shown.contains("TBankMisc_Report")) << shown.toStdString();
    EXPECT_FALSE(services.dialogs.shown().contains("Bank successfully updated!"));
    // What was posted before stays; nothing after it ran.
    EXPECT_EQ(db().count(Database::Property, QStringLiteral("TCashier")), 1);
    EXPECT_TRUE(services.reports.outputs.isEmpty());
    EXPECT_EQ(cashier->countField("ECTwenties")->text(), "1");
    Schema::ensureTables(*DM->HotelConnection);
}

TEST_P(Close, ExitShowsTheMainWindowAgain) {
    EXPECT_FALSE(menu->isEnabled());
    click(cashier, QStringLiteral("BtnExit"));
    settle();
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(DM->TPaidPetty->active());
    EXPECT_FALSE(DM->HotelConnection->isConnected());
}

TAVOLIN_ON_EVERY_ENGINE(Count);
TAVOLIN_ON_EVERY_ENGINE(Close);

}  // namespace
}  // namespace tavolin::test

#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <memory>

#include "TestDatabases.h"
#include "TestServices.h"
#include "Windows.h"
#include "app/fLogin.h"
#include "app/fMain.h"
#include "cashier/CashierAreas.h"
#include "cashier/fCashier.h"
#include "data/DataModule.h"

QT_BEGIN_NAMESPACE
// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* os) {
    *os << '"' << value.toString().toStdString() << '"';
}
QT_END_NAMESPACE

namespace tavolin {
inline void PrintTo(const Money& m, std::ostream* os) {
    *os << m.fourDecimals().toStdString();
}
}  // namespace tavolin

namespace tavolin::test {

// Harborview Suites Boston with three banks and a catalogue of drawer items, a cashier logged in on the
// real main window and the register opened from it. The clock stands at 06/30/2015 09:05:07 AM.
class CashierTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().addProperty(QStringLiteral("BOSHX"), QStringLiteral("Harborview Suites Boston"), 0);
        db().insert(Database::Central, QStringLiteral("TVersion"),
                    {{"LatestVersion", QLatin1String(ProgramVersion)}, {"MandatoryUpgrade", "No"}});
        db().insert(Database::Property, QStringLiteral("TSysConfig"),
                    {{"HotelName", "Harborview Suites Boston"}, {"HotelCity", "Boston"}});
        bank("FRONT DESK 1", "Front Office", "20");
        bank("FRONT DESK 2", "Front Office", "100");
        bank("NIGHT AUDIT", "Accounting", "50");
        db().insert(
            Database::Property, QStringLiteral("TMisc"),
            {{"Description", "PARKING VOUCHER"}, {"UnitValue", QVariant::fromValue(Money::fromWhole(5))}});
        db().insert(
            Database::Property, QStringLiteral("TMisc"),
            {{"Description", "STAMP BOOK"}, {"UnitValue", QVariant::fromValue(*Money::parse("11.6"))}});
        for (const char* d : {"Front Office", "Housekeeping"})
            db().insert(Database::Central, QStringLiteral("TDepartments"), {{"DepartmentName", d}});
        cashierId =
            db().addUser(QStringLiteral("CASHIER"), QStringLiteral("PW"),
                         {{"UserName", "Carla"}, {"UserLastName", "Mendes"}, {"UserTitle", "Night Auditor"}},
                         {{"UserAccessCashier", "True"}}, {"BOSHX"});
        login = std::make_unique<Tf_Login>(db().settings());
        login->show();
        type(login.get(), QStringLiteral("E1"), QStringLiteral("BOSHX"));
        type(login.get(), QStringLiteral("E2"), QStringLiteral("CASHIER"));
        type(login.get(), QStringLiteral("E3"), QStringLiteral("PW"));
        click(login.get(), QStringLiteral("BtnLogin"));
        settle();
        menu = login->mainWindow();
        ASSERT_TRUE(menu) << services.dialogs.last().toStdString();
        click(menu, QStringLiteral("SBCashier"));
        settle();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<Tf_Cashier*>(w); c && c->isVisible())
                cashier = c;
        ASSERT_TRUE(cashier) << services.dialogs.last().toStdString();
    }
    void TearDown() override {
        if (cashier)
            cashier->close();
        settle();
        login.reset();
        settle();
        DatabaseTest::TearDown();
    }

    qint64 bank(const char* name, const char* department, const char* setAmount) {
        return db().insert(Database::Property, QStringLiteral("TBankID"),
                           {{"BankName", name},
                            {"Department", department},
                            {"SetAmount", QVariant::fromValue(*Money::parse(QLatin1String(setAmount)))}});
    }
    // A receipt in a bank's drawer; returns its ID.
    qint64 receipt(const char* type, const char* amount, qint64 bankId = 1, const QVariantMap& more = {}) {
        QVariantMap row{{"ItemType", type},
                        {"Amount", amount},
                        {"BankID", QString::number(bankId)},
                        {"BankName", bankId == 1 ? "FRONT DESK 1" : "FRONT DESK 2"},
                        {"AddDate", "06/29/2015"},
                        {"AddTime", "10:00 PM"},
                        {"AddUserID", "9"},
                        {"AddUserName", "NIGHT"},
                        {"Status", "Active"}};
        for (auto it = more.begin(); it != more.end(); ++it) row.insert(it.key(), it.value());
        return db().insert(Database::Property, QStringLiteral("TPaidPetty"), row);
    }
    // A line of drawer items; returns its ID.
    qint64 item(const char* description, const char* unit, int qty, qint64 bankId = 1) {
        const Money value = *Money::parse(QLatin1String(unit));
        return db().insert(Database::Property, QStringLiteral("TBankMisc"),
                           {{"BankID", QString::number(bankId)},
                            {"Description", description},
                            {"UnitValue", QVariant::fromValue(value)},
                            {"Amount", QString::number(qty)},
                            {"Total", QVariant::fromValue(value.times(Money::fromWhole(qty)))},
                            {"AddDate", "06/29/2015"},
                            {"AddTime", "11:00 PM"},
                            {"UserID", "9"},
                            {"UserName", "NIGHT"}});
    }

    // Selects a bank in the register's list (rows are in ID order) and recomputes as a click does.
    void selectBank(int row) { cashier->DBGBanks->selectViewRow(row); }
    // Re-reads the drawer, as every command of the register ends.
    void recompute() { ASSERT_TRUE(cashier->CalculateTotals()); }
    void count(const char* field, const char* text) {
        type(cashier, QLatin1String(field), QLatin1String(text));
    }

    QList<QVariantMap> rows(const char* table, const Filter& where = {}) {
        return db().rows(Database::Property, QLatin1String(table), where);
    }
    static Money money(const QVariant& v) { return v.value<Money>(); }
    static Money amount(const char* text) { return *Money::parse(QLatin1String(text)); }
    // A text amount column read as an amount.
    static Money amountOf(const QVariant& v) {
        return Money::parse(v.toString()).value_or(Money::fromWhole(-999999));
    }

    // The row of a grid whose column `field` shows `text`, selected.
    static void selectRow(DbGrid* grid, const QString& field, const QString& text) {
        TableObject* t = grid->tableModel()->table();
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            grid->selectViewRow(r);
            if (t->text(field) == text)
                return;
        }
        ADD_FAILURE() << "no row with " << field.toStdString() << " " << text.toStdString();
    }

    TestServices services;
    std::unique_ptr<Tf_Login> login;
    Tf_Menu* menu = nullptr;
    QPointer<Tf_Cashier> cashier;
    qint64 cashierId = 0;
};

}  // namespace tavolin::test

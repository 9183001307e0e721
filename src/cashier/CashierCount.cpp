#include "cashier/CashierCount.h"

#include <stdexcept>

#include "data/DataModule.h"
#include "data/TableObject.h"
#include "data/Texts.h"
#include "platform/Services.h"
#include "reports/ReportEngine.h"

namespace tavolin::cashier {

namespace {
constexpr Money cents(qint64 c) {
    return Money::fromUnits(c * 100);
}
}  // namespace

const std::array<Denomination, 17>& denominations() {
    static const std::array<Denomination, 17> list{{
        {"EWPennies", "US$ 0.01", cents(50), "AWC01", "WC01", Group::Wrapped},
        {"EWNickles", "US$ 0.05", cents(200), "AWC05", "WC05", Group::Wrapped},
        {"EWDimes", "US$ 0.10", cents(500), "AWC10", "WC10", Group::Wrapped},
        {"EWQuarters", "US$ 0.25", cents(1000), "AWC25", "WC25", Group::Wrapped},
        {"EUPennies", "US$ 0.01", cents(1), "AUC01", "UC01", Group::Unwrapped},
        {"EUNickles", "US$ 0.05", cents(5), "AUC05", "UC05", Group::Unwrapped},
        {"EUDimes", "US$ 0.10", cents(10), "AUC10", "UC10", Group::Unwrapped},
        {"EUQuarters", "US$ 0.25", cents(25), "AUC25", "UC25", Group::Unwrapped},
        {"EUFifties", "US$ 0.50", cents(50), "AUC50", "UC50", Group::Unwrapped},
        {"EUDollars", "US$ 1.00", cents(100), "AUC100", "UC100", Group::Unwrapped},
        {"ECDollars", "US$ 1.00", Money::fromWhole(1), "AC1", "C1", Group::Currency},
        {"ECTwos", "US$ 2.00", Money::fromWhole(2), "AC2", "C2", Group::Currency},
        {"ECFives", "US$ 5.00", Money::fromWhole(5), "AC5", "C5", Group::Currency},
        {"ECTens", "US$ 10.00", Money::fromWhole(10), "AC10", "C10", Group::Currency},
        {"ECTwenties", "US$ 20.00", Money::fromWhole(20), "AC20", "C20", Group::Currency},
        {"ECFifties", "US$ 50.00", Money::fromWhole(50), "AC50", "C50", Group::Currency},
        {"ECHundreds", "US$ 100.00", Money::fromWhole(100), "AC100", "C100", Group::Currency},
    }};
    return list;
}

QString groupName(Group group) {
    switch (group) {
        case Group::Wrapped:
            return QStringLiteral("Wrapped Coins");
        case Group::Unwrapped:
            return QStringLiteral("Unwrapped Coins");
        case Group::Currency:
            break;
    }
    return QStringLiteral("Currency");
}

std::optional<Money> parseCount(const QString& text) {
    return Money::parse(text.trimmed());
}

QString lineValueText(Money amount) {
    return QStringLiteral("US$ ") + amount.shortest();
}

QString notANumberMessage(const QString& text, const QString& where) {
    return QStringLiteral("'%1' is not a valid number (%2).").arg(text, where);
}

Money sumOf(const TableObject& table, const QString& column) {
    Money sum;
    const int rows = table.recordCount();
    for (int r = 0; r < rows; ++r) {
        const QString text = table.textAt(r, column);
        if (text.isEmpty())
            continue;
        const auto amount = Money::parse(text.trimmed());
        if (!amount)
            throw std::runtime_error(
                notANumberMessage(text, QStringLiteral("%1 of a row of %2").arg(column, table.tableName()))
                    .toStdString());
        sum += *amount;
    }
    return sum;
}

QString outOfBalanceMessage(Money overShort) {
    return QStringLiteral("Your Bank if out of balance by: US$ ") + overShort.shortest() +
           QStringLiteral(", Please provide an explanation efore closing the bank!");
}

QString overShortSubject(const QString& userId, const QString& userName, const QDateTime& now) {
    return QStringLiteral("Over/Short Bank Report for: ") + userId + QStringLiteral(" - ") + userName +
           QStringLiteral(" on ") + dateText(now.date()) + QStringLiteral(" at ") + timeText(now.time());
}

QString overShortBody(const QString& subject, Money overShort, const QString& remarks) {
    return subject + QStringLiteral(" - Amount US$ ") + overShort.shortest() +
           QStringLiteral(" EXPLANATION: ") + remarks;
}

void copyColumns(const TableObject& from, TableObject& to, std::initializer_list<const char*> columns) {
    for (const char* column : columns) {
        const QString name = QString::fromLatin1(column);
        // Texts are copied as texts (an unset one as the empty text), amounts as amounts.
        const ColumnDef* def = to.table()->column(name);
        to.set(name, def && def->type == ColumnType::Text ? QVariant(from.text(name)) : from.value(name));
    }
}

void addReportDatasets(ReportEngine& report, TDM& dm) {
    report.addDataset(QStringLiteral("CashierDataset"), dm.TCashier);
    report.addDataset(QStringLiteral("PettyCashDataset"), dm.TPaidPetty);
    report.addDataset(QStringLiteral("MiscDataSet"), dm.TBankMisc);
    report.addDataset(QStringLiteral("DBFRMisc_Report"), dm.TBankMisc_Report);
    report.addDataset(QStringLiteral("PropertyDataset"), dm.TSysConfig);
    report.addDataset(QStringLiteral("DBFRPaidPetty_ClosedReport"), dm.TPaidPetty_ClosedReport);
    report.addDataset(QStringLiteral("DBFRPettyReport"), dm.TPaidPetty_Report);
}

void showReport(TDM& dm, const QString& templateName) {
    auto report = services().reports();
    addReportDatasets(*report, dm);
    report->loadFromFile(templateName);
    report->showPreview();
}

void selectClose(TDM& dm, qint64 closeId, const QString& key) {
    dm.TPaidPetty_ClosedReport->open();
    dm.TBankMisc_Report->open();
    dm.TCashier->filterBy(Filter::eq(QStringLiteral("ID"), closeId));
    dm.TPaidPetty_ClosedReport->filterBy(Filter::eq(QStringLiteral("PettyCashClosedID"), key));
    dm.TBankMisc_Report->filterBy(Filter::eq(QStringLiteral("ReportNum"), key));
}

void stampAdded(TableObject& row, const QDateTime& now, const QString& userId, const QString& userName) {
    row.set(QStringLiteral("AddDate"), dateText(now.date()));
    row.set(QStringLiteral("AddTime"), timeText(now.time()));
    row.set(QStringLiteral("AddUserID"), userId);
    row.set(QStringLiteral("AddUserName"), userName);
}

}  // namespace tavolin::cashier

#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <initializer_list>
#include <optional>

#include "data/Money.h"

namespace tavolin {

class ReportEngine;
class TableObject;
class TDM;

namespace cashier {

enum class Group { Wrapped, Unwrapped, Currency };

// One line of the drawer count: the count field, its caption, what one count is worth (a wrapped-coin
// count is a number of rolls) and the close record's columns for the count as typed and its amount.
struct Denomination {
    const char* field;
    const char* caption;
    Money value;
    const char* countColumn;
    const char* amountColumn;
    Group group;
};

const std::array<Denomination, 17>& denominations();
QString groupName(Group group);

// A count as typed: an exact amount ("3", "2.5"); nullopt when the text is no number.
std::optional<Money> parseCount(const QString& text);
// "US$ 6": a line's value in the shortest decimal form.
QString lineValueText(Money amount);
// Said when a count or the system drop holds text that is no number.
QString notANumberMessage(const QString& text, const QString& where);

// The drawer's totals for one bank.
struct Totals {
    Money wrapped;
    Money unwrapped;
    Money currency;
    Money misc;
    Money petty;
    Money setAmount;
    Money systemDrop;
    Money total() const { return misc + wrapped + unwrapped + currency + petty; }
    Money overShort() const { return total() - setAmount - systemDrop; }
};

// The sum of a text or currency column over the rows a table object selects; an amount stored as
// text that is no number stops the computation with a message naming it.
Money sumOf(const TableObject& table, const QString& column);

// The refusal of a close that is out of balance without an explanation.
QString outOfBalanceMessage(Money overShort);
// The over/short report's subject and body.
QString overShortSubject(const QString& userId, const QString& userName, const QDateTime& now);
QString overShortBody(const QString& subject, Money overShort, const QString& remarks);

// Copies columns of the current row of one table object into the row being inserted in another.
void copyColumns(const TableObject& from, TableObject& to, std::initializer_list<const char*> columns);

// Hands every report of the cashier its datasets, as the table objects select them at that moment.
void addReportDatasets(ReportEngine& report, TDM& dm);
// Loads a report of the cashier ("Reports\\CashierRPT.fr3" ...) with those datasets and shows it.
void showReport(TDM& dm, const QString& templateName);
// Points the close report's tables at one close: TCashier at its record, TPaidPetty_ClosedReport and
// TBankMisc_Report at the copies made under its key.
void selectClose(TDM& dm, qint64 closeId, const QString& key);
// Who added a receipt and when: AddDate, AddTime, AddUserID, AddUserName of the row being inserted.
void stampAdded(TableObject& row, const QDateTime& now, const QString& userId, const QString& userName);

}  // namespace cashier
}  // namespace tavolin

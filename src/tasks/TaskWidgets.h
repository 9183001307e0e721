#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <optional>

namespace tavolin {

// A titled group of radio buttons with an item index, where "no item selected" is a state of its own
// (the task board clears its choices while a search is shown).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr,
               bool horizontal = true);
    // The selected item, -1 when none is.
    int itemIndex() const;
    // Selects an item; -1 clears the selection.
    void setItemIndex(int index);
    QString itemText() const;
    QRadioButton* button(int index) const { return buttons_.value(index); }

Q_SIGNALS:
    // The user clicked an item.
    void clicked(int index);

private:
    QButtonGroup* group_;
    QList<QRadioButton*> buttons_;
};

// Grid rows coloured by priority: a selected row keeps its colour, a shade darker, with its text in bold.
class TaskRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// A small modal list to pick one row from (departments, types, users, VIP levels).
class PickDialog : public QDialog {
    Q_OBJECT
public:
    PickDialog(const QString& title, const QStringList& headings, const QList<QStringList>& rows,
               QWidget* parent);
    QTableWidget* LVItems;
    // The chosen row, or none when the list was left without a choice.
    std::optional<int> chosen() const { return chosen_; }
    // Shows the list modally; the chosen row, if any.
    static std::optional<int> pick(const QString& title, const QStringList& headings,
                                   const QList<QStringList>& rows, QWidget* parent);

private:
    std::optional<int> chosen_;
};

// The "…" button beside a field that is filled from a list.
QToolButton* pickerButton(QWidget* parent, const char* name);

// The task pickers, shared by the task dialog, the standing-task list and the reports.
// A department of TDepartments.
std::optional<QString> pickDepartment(QWidget* parent);
// A type of the department's complaint category (TComplaint_Description); every type when the
// department has none.
std::optional<QString> pickType(const QString& department, QWidget* parent);
// An active user (TUser_Info UserStatus "True").
struct PickedUser {
    QString id;
    QString name;   // first and last name
    QString email;  // the work address, else the personal one
};
std::optional<PickedUser> pickUser(QWidget* parent);

}  // namespace tavolin

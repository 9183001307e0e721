#include "tasks/TaskWidgets.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <algorithm>

#include "data/DataModule.h"

namespace tavolin {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent, bool horizontal)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(this)) : new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        layout->addWidget(b);
        buttons_ << b;
    }
    if (horizontal)
        layout->addStretch();
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < buttons_.size()) {
        buttons_[index]->setChecked(true);
        return;
    }
    // An exclusive group never lets its last button go; lift that for a moment.
    group_->setExclusive(false);
    for (QRadioButton* b : buttons_) b->setChecked(false);
    group_->setExclusive(true);
}

QString RadioGroup::itemText() const {
    const int i = itemIndex();
    return i < 0 ? QString() : buttons_[i]->text();
}

void TaskRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (!(option->state & QStyle::State_Selected) || !background.isValid())
        return;
    option->state &= ~QStyle::State_Selected;
    option->font.setBold(true);
    option->backgroundBrush = background.value<QColor>().darker(112);
    option->palette.setColor(QPalette::Text, Qt::black);
}

PickDialog::PickDialog(const QString& title, const QStringList& headings, const QList<QStringList>& rows,
                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("f_Pick"));
    setWindowTitle(title);
    LVItems = new QTableWidget(int(rows.size()), int(headings.size()), this);
    LVItems->setObjectName(QStringLiteral("LVItems"));
    LVItems->setHorizontalHeaderLabels(headings);
    LVItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVItems->setSelectionMode(QAbstractItemView::SingleSelection);
    LVItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVItems->verticalHeader()->setVisible(false);
    LVItems->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < headings.size(); ++c)
            LVItems->setItem(r, c, new QTableWidgetItem(rows[r].value(c)));
    LVItems->resizeColumnsToContents();
    if (!rows.isEmpty())
        LVItems->selectRow(0);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* select = buttons->addButton(QStringLiteral("Select"), QDialogButtonBox::AcceptRole);
    select->setObjectName(QStringLiteral("BtnSelect"));
    select->setEnabled(!rows.isEmpty());
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BtnCancel"));
    auto accept = [this] {
        const int row = LVItems->currentRow();
        if (row < 0)
            return;
        chosen_ = row;
        QDialog::accept();
    };
    connect(select, &QPushButton::clicked, this, accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(LVItems, &QTableWidget::cellDoubleClicked, this, accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LVItems);
    layout->addWidget(buttons);
    resize(440, 360);
}

std::optional<int> PickDialog::pick(const QString& title, const QStringList& headings,
                                    const QList<QStringList>& rows, QWidget* parent) {
    PickDialog dialog(title, headings, rows, parent);
    dialog.exec();
    return dialog.chosen();
}

namespace {
QString s(const char* text) {
    return QString::fromUtf8(text);
}
}  // namespace

QToolButton* pickerButton(QWidget* parent, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(s(name));
    b->setText(s("\u2026"));
    b->setToolTip(s("Select from the list"));
    return b;
}

std::optional<QString> pickDepartment(QWidget* parent) {
    TableObject* d = DM->TDepartments;
    d->open();
    d->setFiltered(false);
    QList<QStringList> rows;
    for (d->first(); !d->eof(); d->next()) rows << QStringList{d->text(s("DepartmentName"))};
    d->close();
    const auto row = PickDialog::pick(s("Department"), {s("Department")}, rows, parent);
    if (!row)
        return std::nullopt;
    return rows[*row][0];
}

std::optional<QString> pickType(const QString& department, QWidget* parent) {
    // A department's types are those of its complaint category: the same name, kept in capitals there.
    TableObject* d = DM->TComplaint_Description;
    d->open();
    d->filterBy(Filter::eqNoCase(s("ComplaintType"), department));
    if (department.isEmpty() || d->isEmpty())
        d->setFiltered(false);
    QList<QStringList> rows;
    for (d->first(); !d->eof(); d->next())
        rows << QStringList{d->text(s("ComplaintDescription")), d->text(s("ComplaintType"))};
    d->close();
    d->setFiltered(false);
    const auto row = PickDialog::pick(s("Type"), {s("Type"), s("Category")}, rows, parent);
    if (!row)
        return std::nullopt;
    return rows[*row][0];
}

std::optional<PickedUser> pickUser(QWidget* parent) {
    TableObject* u = DM->TUser;
    u->open();
    u->filterBy(Filter::eq(s("UserStatus"), s("True")));
    struct Person {
        PickedUser user;
        QString login, department;
    };
    QList<Person> people;
    for (u->first(); !u->eof(); u->next()) {
        QString email = u->text(s("UserHotelEmail"));
        if (email.isEmpty())
            email = u->text(s("UserEmail"));
        const QString name = (u->text(s("UserName")) + u' ' + u->text(s("UserLastName"))).trimmed();
        people << Person{
            {u->text(s("ID")), name, email}, u->text(s("UserIDName")), u->text(s("UserDepartment"))};
    }
    u->close();
    u->setFiltered(false);
    std::sort(people.begin(), people.end(), [](const Person& a, const Person& b) {
        return QString::localeAwareCompare(a.user.name, b.user.name) < 0;
    });
    QList<QStringList> rows;
    for (const Person& p : people) rows << QStringList{p.user.name, p.login, p.department, p.user.id};
    const auto row =
        PickDialog::pick(s("Assigned To"), {s("Name"), s("User ID"), s("Department"), s("ID")}, rows, parent);
    if (!row)
        return std::nullopt;
    return people[*row].user;
}

}  // namespace tavolin

#include "users/fUser_Signup.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScopeGuard>
#include <QValidator>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "data/DataModule.h"
#include "data/Texts.h"
#include "platform/Services.h"

namespace tavolin {

namespace {

// Turns typed letters into one case, as the password and e-mail fields store them.
class CaseValidator final : public QValidator {
public:
    CaseValidator(bool upper, QObject* parent) : QValidator(parent), upper_(upper) {}
    State validate(QString& input, int&) const override {
        input = upper_ ? input.toUpper() : input.toLower();
        return Acceptable;
    }

private:
    bool upper_;
};

// Focus changes caused by another window or a popup are not the user leaving or entering a field.
bool userMovedFocus(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void refuse(const QString& text) { services().dialogs->message(text, Dialogs::Icon::Warning); }

QLabel* boldLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

}  // namespace

void DropDownComboBox::showPopup() {
    Q_EMIT dropDown();
    QComboBox::showPopup();
}

Tf_User_Signup::Tf_User_Signup(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("f_User_Signup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("New User Request Form"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 14, 16, 10);
    root->setSpacing(10);
    auto* intro = new QVBoxLayout;
    intro->setSpacing(2);
    intro->addWidget(boldLabel(QStringLiteral("Please fully complete this form to request TAVOLIN access. ")));
    intro->addWidget(new QLabel(QStringLiteral("Once your request is submitted, your system administrator must approve your request.")));
    intro->addWidget(new QLabel(
        QStringLiteral("You'll receive an email from the TAVOLIN support team once your request is approved and processed.")));
    root->addLayout(intro);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(16);
    columns->addWidget(buildCompanyPanel(), 5);
    columns->addWidget(buildUserPanel(), 4);
    root->addLayout(columns, 1);

    root->addWidget(new QLabel(QStringLiteral("Additional Comments:")));
    MComments = new QPlainTextEdit;
    MComments->setObjectName(QStringLiteral("MComments"));
    MComments->setFixedHeight(70);
    root->addWidget(MComments);

    PB = new QProgressBar;
    PB->setObjectName(QStringLiteral("PB"));
    PB->setTextVisible(false);
    PB->setFixedHeight(12);
    PB->setVisible(false);
    root->addWidget(PB);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    SBSubmit = new QPushButton(QStringLiteral("Submit"));
    SBSubmit->setObjectName(QStringLiteral("SBSubmit"));
    SBExit = new QPushButton(QStringLiteral("Exit"));
    SBExit->setObjectName(QStringLiteral("SBExit"));
    for (QPushButton* b : {SBSubmit, SBExit}) {
        // Pressing a button must not count as leaving the field being typed in.
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);

    connect(SBSubmit, &QPushButton::clicked, this, &Tf_User_Signup::SBSubmitClick);
    connect(SBExit, &QPushButton::clicked, this, &Tf_User_Signup::SBExitClick);
    resize(860, 600);
}

QWidget* Tf_User_Signup::buildCompanyPanel() {
    auto* panel = new QWidget;
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);

    v->addWidget(new QLabel(QStringLiteral("Select Management Company:")));
    CBManagementCompany = new QComboBox;
    CBManagementCompany->setObjectName(QStringLiteral("CBManagementCompany"));
    // With a placeholder the list stays unchosen when the login window fills it.
    CBManagementCompany->setPlaceholderText(QStringLiteral(" "));
    v->addWidget(CBManagementCompany);

    v->addSpacing(6);
    v->addWidget(new QLabel(QStringLiteral("Select the properties you would like to have access to:")));
    LVProperties = new QTreeWidget;
    LVProperties->setObjectName(QStringLiteral("LVProperties"));
    LVProperties->setColumnCount(2);
    LVProperties->setHeaderLabels({QStringLiteral("Property ID"), QStringLiteral("Property Name")});
    LVProperties->setRootIsDecorated(false);
    LVProperties->setUniformRowHeights(true);
    LVProperties->setColumnWidth(0, 110);
    LVProperties->header()->setStretchLastSection(true);
    v->addWidget(LVProperties, 1);

    v->addSpacing(6);
    v->addWidget(new QLabel(QStringLiteral("Select your MAIN Property:")));
    CBMainProperty = new DropDownComboBox;
    CBMainProperty->setObjectName(QStringLiteral("CBMainProperty"));
    CBMainProperty->setPlaceholderText(QStringLiteral(" "));
    v->addWidget(CBMainProperty);

    connect(CBManagementCompany, &QComboBox::currentIndexChanged, this, &Tf_User_Signup::CBManagementCompanyChange);
    connect(LVProperties, &QTreeWidget::itemClicked, this, &Tf_User_Signup::LVPropertiesClick);
    connect(LVProperties, &QTreeWidget::itemChanged, CBMainProperty, &QComboBox::clear);
    connect(CBMainProperty, &DropDownComboBox::dropDown, this, &Tf_User_Signup::CBMainPropertyDropDown);
    return panel;
}

QWidget* Tf_User_Signup::buildUserPanel() {
    auto* panel = new QWidget;
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto edit = [&](const char* name) {
        auto* e = new QLineEdit;
        e->setObjectName(QLatin1String(name));
        return e;
    };

    EUserID = edit("EUserID");
    IUserIDFree = new QLabel(QString(QChar(0x2714)));
    IUserIDFree->setObjectName(QStringLiteral("IUserIDFree"));
    IUserIDFree->setStyleSheet(QStringLiteral("color: #1a8f2e; font-weight: bold;"));
    IUserIDFree->setFixedWidth(18);
    IUserIDFree->setVisible(false);
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(EUserID, 1);
    idRow->addWidget(IUserIDFree);
    form->addRow(QStringLiteral("User ID:"), idRow);
    paintUserId(false);

    EName = edit("EName");
    form->addRow(QStringLiteral("Name"), EName);
    ELastName = edit("ELastName");
    form->addRow(QStringLiteral("Last Name"), ELastName);
    EEmail = edit("EEmail");
    EEmail->setValidator(new CaseValidator(false, EEmail));
    form->addRow(QStringLiteral("E-Mail:"), EEmail);
    EPassword = edit("EPassword");
    EConfirmPassword = edit("EConfirmPassword");
    for (QLineEdit* e : {EPassword, EConfirmPassword}) {
        e->setEchoMode(QLineEdit::Password);
        e->setValidator(new CaseValidator(true, e));
    }
    form->addRow(QStringLiteral("Password:"), EPassword);
    form->addRow(QStringLiteral("Confirm Password:"), EConfirmPassword);

    RGSex = new QGroupBox;
    RGSex->setObjectName(QStringLiteral("RGSex"));
    RGSex->setFlat(true);
    auto* sexRow = new QHBoxLayout(RGSex);
    sexRow->setContentsMargins(0, 0, 0, 0);
    sexButtons_ = new QButtonGroup(RGSex);
    for (const char* s : {"Male", "Female"}) {
        auto* r = new QRadioButton(QLatin1String(s));
        r->setObjectName(QStringLiteral("RB") + QLatin1String(s));
        sexButtons_->addButton(r);
        sexRow->addWidget(r);
    }
    sexRow->addStretch(1);
    form->addRow(QStringLiteral("Sex:"), RGSex);

    DTPHireDate = new QDateEdit;
    DTPHireDate->setObjectName(QStringLiteral("DTPHireDate"));
    DTPHireDate->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    DTPHireDate->setCalendarPopup(true);
    form->addRow(QStringLiteral("Hire Date:"), DTPHireDate);

    CBDepartments = new QComboBox;
    CBDepartments->setObjectName(QStringLiteral("CBDepartments"));
    CBDepartments->setPlaceholderText(QStringLiteral(" "));
    form->addRow(QStringLiteral("Department:"), CBDepartments);
    CBTitle = new QComboBox;
    CBTitle->setObjectName(QStringLiteral("CBTitle"));
    CBTitle->setPlaceholderText(QStringLiteral(" "));
    form->addRow(QStringLiteral("Title:"), CBTitle);

    connect(EUserID, &QLineEdit::textEdited, this, &Tf_User_Signup::EUserIDChange);
    EUserID->installEventFilter(this);
    EConfirmPassword->installEventFilter(this);
    CBTitle->installEventFilter(this);
    return panel;
}

bool Tf_User_Signup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && userMovedFocus(event)) {
        if (watched == EUserID) EUserIDExit();
        if (watched == EConfirmPassword) EConfirmPasswordExit();
    } else if (event->type() == QEvent::FocusIn && watched == CBTitle && userMovedFocus(event)) {
        CBTitleEnter();
    }
    return QWidget::eventFilter(watched, event);
}

void Tf_User_Signup::CBManagementCompanyChange() {
    LVProperties->clear();
    CBMainProperty->clear();
    const QString company = CBManagementCompany->currentText();
    if (company.isEmpty()) return;
    PB->setValue(0);
    PB->setVisible(true);
    const auto hideBar = qScopeGuard([this] { PB->setVisible(false); });
    runCommand([&] {
        TableObject* t = DM->TLicenses;
        t->close();
        t->filterBy(Filter::eq(QStringLiteral("Status"), QStringLiteral("Active")) &&
                    Filter::eq(QStringLiteral("ManagementCompanyName"), company));
        t->setOrder({Order::asc(QStringLiteral("HotelName"))});
        const auto restore = qScopeGuard([t] {
            t->close();
            t->setFiltered(false);
            t->setOrder({});
        });
        t->open();
        PB->setMaximum(std::max(1, t->recordCount()));
        for (t->first(); !t->eof(); t->next()) {
            auto* item = new QTreeWidgetItem({t->text(QStringLiteral("HotelID")), t->text(QStringLiteral("HotelName"))});
            // The tick follows a click anywhere on the line, so the box itself must not flip it too.
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setCheckState(0, Qt::Unchecked);
            LVProperties->addTopLevelItem(item);
            PB->setValue(PB->value() + 1);
        }
        LVProperties->sortItems(0, Qt::AscendingOrder);
    });
}

void Tf_User_Signup::LVPropertiesClick(QTreeWidgetItem* item) {
    if (!item) return;
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

QStringList Tf_User_Signup::tickedIds() const {
    QStringList ids;
    for (int i = 0; i < LVProperties->topLevelItemCount(); ++i)
        if (LVProperties->topLevelItem(i)->checkState(0) == Qt::Checked) ids << LVProperties->topLevelItem(i)->text(0);
    return ids;
}

void Tf_User_Signup::CBMainPropertyDropDown() {
    const QVariant chosen = CBMainProperty->currentData();
    CBMainProperty->clear();
    for (int i = 0; i < LVProperties->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LVProperties->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked) CBMainProperty->addItem(item->text(1), item->text(0));
    }
    if (CBMainProperty->count() == 0) {
        refuse(QStringLiteral(
            "In order to assign a MAIN Property, you must select at least one property from the list on the left!"));
        return;
    }
    CBMainProperty->setCurrentIndex(chosen.isValid() ? CBMainProperty->findData(chosen) : -1);
}

void Tf_User_Signup::CBTitleEnter() {
    if (!services().network->isConnected()) {
        refuse(NoInternet);
        return;
    }
    const QString department = CBDepartments->currentText();
    if (department.isEmpty()) {
        CBDepartments->setFocus();
        refuse(QStringLiteral("Please select a DEPARTMENT first!"));
        return;
    }
    const QString chosen = CBTitle->currentText();
    CBTitle->clear();
    runCommand([&] {
        TableObject* t = DM->TTitles;
        t->filterBy(Filter::eq(QStringLiteral("TitleDepartment"), department));
        const auto restore = qScopeGuard([t] {
            t->close();
            t->setFiltered(false);
        });
        t->open();
        for (t->first(); !t->eof(); t->next()) CBTitle->addItem(t->text(QStringLiteral("TitleName")));
    });
    // A title chosen before stays chosen while it belongs to the department.
    CBTitle->setCurrentIndex(CBTitle->findText(chosen));
}

void Tf_User_Signup::paintUserId(bool taken) {
    QPalette p = EUserID->palette();
    p.setColor(QPalette::Base, taken ? QColor(Qt::red) : QColor(Qt::white));
    p.setColor(QPalette::Text, taken ? QColor(Qt::white) : QColor(0, 0, 128));
    EUserID->setPalette(p);
}

void Tf_User_Signup::EUserIDChange() {
    paintUserId(false);
    IUserIDFree->setVisible(false);
}

bool Tf_User_Signup::userIdTaken(const QString& id) {
    TableObject* t = DM->TUser;
    t->filterBy(Filter::eq(QStringLiteral("UserIDName"), id));
    const auto restore = qScopeGuard([t] {
        t->close();
        t->setFiltered(false);
    });
    t->open();
    return !t->isEmpty();
}

void Tf_User_Signup::EUserIDExit() {
    const QString id = EUserID->text();
    if (id.isEmpty()) return;
    runCommand([&] {
        if (userIdTaken(id)) {
            IUserIDFree->setVisible(false);
            paintUserId(true);
            refuse(QStringLiteral("User ID ") + quoted(id) + QStringLiteral(" ia already being used!"));
        } else {
            IUserIDFree->setVisible(true);
        }
    });
}

void Tf_User_Signup::EConfirmPasswordExit() {
    if (EConfirmPassword->text() == EPassword->text()) return;
    EConfirmPassword->clear();
    refuse(QStringLiteral("CONFIRM PASSWORD does NOT match entered PASSWORD!"));
}

void Tf_User_Signup::SBSubmitClick() {
    runCommand([&] {
        if (CBManagementCompany->currentText().isEmpty())
            return refuse(QStringLiteral("Please select MANAGEMENT COMPANY!"));
        if (CBMainProperty->currentIndex() < 0) return refuse(QStringLiteral("Please select MAIN PROPERTY"));
        if (tickedIds().isEmpty())
            return refuse(QStringLiteral(
                "Please select the properties you are requesting access to from the list on the left!"));
        const QString id = EUserID->text();
        if (id.isEmpty()) return refuse(QStringLiteral("Please enter USER ID!"));
        // Someone may have taken the id since the field was left.
        if (userIdTaken(id)) {
            paintUserId(true);
            IUserIDFree->setVisible(false);
            return refuse(QStringLiteral("User ID ") + quoted(id) + QStringLiteral(" is already being used!"));
        }
        if (EName->text().trimmed().isEmpty()) return refuse(QStringLiteral("Please enter NAME!"));
        if (ELastName->text().trimmed().isEmpty()) return refuse(QStringLiteral("Please enter LAST NAME"));
        if (EEmail->text().trimmed().isEmpty()) return refuse(QStringLiteral("Please enter EMAIL"));
        if (EPassword->text().isEmpty()) return refuse(QStringLiteral("Please select a PASSWORD"));
        if (EConfirmPassword->text().isEmpty()) return refuse(QStringLiteral("Please enter CONFIRM PASSWORD"));
        if (EPassword->text() != EConfirmPassword->text()) {
            EConfirmPassword->clear();
            return refuse(QStringLiteral("CONFIRM PASSWORD does NOT match entered PASSWORD!"));
        }
        if (!sexButtons_->checkedButton()) return refuse(QStringLiteral("Please select MALE or FEMALE"));
        if (CBDepartments->currentText().isEmpty()) return refuse(QStringLiteral("Please select DEPARTMENT"));
        if (CBTitle->currentText().isEmpty()) return refuse(QStringLiteral("Please select your TITLE"));

        writeRequest();
        services().dialogs->message(
            QStringLiteral("Your request was submitted. It must be approved by your system administrator in order to be "
                           "processed. You'll receive an email once your request is processed"));
        close();
    });
}

void Tf_User_Signup::writeRequest() {
    TableObject* user = DM->TUser;
    TableObject* properties = DM->TUser_Properties;
    const auto closeBoth = qScopeGuard([&] {
        user->close();
        user->setFiltered(false);
        properties->close();
    });
    // Read the (empty) selection of the new login name first, so the posted row becomes the current one
    // and its new ID can be read back.
    user->filterBy(Filter::eq(QStringLiteral("UserIDName"), EUserID->text()));
    user->open();
    user->first();
    user->insert();
    user->set(QStringLiteral("UserIDName"), EUserID->text());
    user->set(QStringLiteral("UserName"), EName->text());
    user->set(QStringLiteral("UserLastName"), ELastName->text());
    user->set(QStringLiteral("UserHireDate"), dateText(DTPHireDate->date()));
    user->set(QStringLiteral("UserHotelEmail"), EEmail->text());
    user->set(QStringLiteral("UserPassword"), EPassword->text());
    user->set(QStringLiteral("UserStatus"), QStringLiteral("Pending"));
    user->set(QStringLiteral("UserTitle"), CBTitle->currentText());
    user->set(QStringLiteral("UserDepartment"), CBDepartments->currentText());
    user->set(QStringLiteral("UserHomeProperty"), CBMainProperty->currentData().toString());
    user->set(QStringLiteral("UserHomePropertyName"), CBMainProperty->currentText());
    user->set(QStringLiteral("CommentsRequest"), MComments->toPlainText());
    user->set(QStringLiteral("UserSex"), sexButtons_->checkedButton()->text());
    user->post();
    const QString newId = user->text(QStringLiteral("ID"));

    properties->open();
    for (int i = 0; i < LVProperties->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = LVProperties->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked) continue;
        properties->insert();
        properties->set(QStringLiteral("UserID"), newId);
        properties->set(QStringLiteral("User_Property"), item->text(0));
        properties->set(QStringLiteral("User_Property_Name"), item->text(1));
        properties->post();
    }
}

void Tf_User_Signup::SBExitClick() { close(); }

void Tf_User_Signup::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

}  // namespace tavolin

#include "app/fMyProfile.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/LoginState.h"
#include "data/DataModule.h"
#include "platform/Services.h"

namespace tavolin {

namespace {

QStringList texts(std::initializer_list<const char*> names) {
    QStringList out;
    for (const char* n : names) out << QLatin1String(n);
    return out;
}

}  // namespace

Tf_MyProfile::Tf_MyProfile(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("f_MyProfile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("My Profile"));
    // Fields that cannot be typed in look it.
    setStyleSheet(QStringLiteral("QLineEdit[readOnly=\"true\"] { background: #f0f0f0; color: #202020; }"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 0);

    auto* groups = new QGridLayout;
    groups->setHorizontalSpacing(12);
    groups->setVerticalSpacing(8);
    groups->addWidget(group(QStringLiteral("Personal information:"),
                            {{"ID", "Record ID:"},
                             {"UserIDName", "User ID:"},
                             {"UserName", "First Name:"},
                             {"UserMiddleName", "Middle Name:"},
                             {"UserLastName", "Last Name:"},
                             {"UserDOB", "Date of Birth:"},
                             {"UserSex", "Sex:"},
                             {"UserAddr1", "Address:"},
                             {"UserAddr2", "Address 2:"},
                             {"UserCity", "City:"},
                             {"UserState", "State:"},
                             {"UserZip", "Zip Code:"},
                             {"UserCountry", "Country:"},
                             {"UserCellNum", "Cell Phone:"},
                             {"UserHomeNum", "Home Phone:"},
                             {"UserEmail", "Personal E-Mail:"}},
                            texts({"UserAddr1", "UserAddr2", "UserCity", "UserState", "UserZip", "UserCountry",
                                   "UserCellNum", "UserHomeNum", "UserEmail"})),
                      0, 0, 2, 1);
    groups->addWidget(group(QStringLiteral("Professional information:"),
                            {{"UserHireDate", "Hire Date:"},
                             {"UserDepartment", "Department:"},
                             {"UserTitle", "Title:"},
                             {"UserEmpStatus", "Employment Status:"},
                             {"UserSPGNum", "SPG Number:"},
                             {"UserStarwoodOneID", "Starwood One ID:"},
                             {"UserGalaxyID", "Galaxy ID:"},
                             {"UserWindowsID", "Windows ID:"},
                             {"UserCCProcessdorID", "CC Processor ID:"},
                             {"UserHotelEmail", "Hotel E-Mail:"},
                             {"UserHotelEmailPassword", "E-Mail Password:"}},
                            texts({"UserSPGNum", "UserStarwoodOneID", "UserGalaxyID", "UserWindowsID",
                                   "UserCCProcessdorID", "UserHotelEmail", "UserHotelEmailPassword"})),
                      0, 1);
    groups->addWidget(group(QStringLiteral("Emergency Contacts:"),
                            {{"User911Name1", "Name:"},
                             {"User911Phone1", "Phone:"},
                             {"User911Relationship1", "Relationship:"},
                             {"User911Name2", "Name:"},
                             {"User911Phone2", "Phone:"},
                             {"User911Relationship2", "Relationship:"}},
                            texts({"User911Name1", "User911Phone1", "User911Relationship1", "User911Name2",
                                   "User911Phone2", "User911Relationship2"})),
                      1, 1);
    groups->addWidget(group(QStringLiteral("Statistics:"),
                            {{"UserFirstAccessDate", "First Access Date:"},
                             {"UserFirstAccessTime", "First Access Time:"},
                             {"UserLastAccessDate", "Last Access Date:"},
                             {"UserLastAccessTime", "Last Access Time:"},
                             {"UserAddedByUserNum", "Added By (Record ID):"},
                             {"UserAddedNyUserID", "Added By (User ID):"},
                             {"UserAddedDate", "Date Added:"},
                             {"UserAddedTime", "Time Added:"}},
                            {}),
                      0, 2, 2, 1);
    groups->setColumnStretch(0, 1);
    groups->setColumnStretch(1, 1);
    groups->setColumnStretch(2, 1);
    root->addLayout(groups);
    for (const Field& f : fields_)
        if (f.column == QLatin1String("UserHotelEmailPassword")) f.edit->setEchoMode(QLineEdit::Password);

    auto* buttons = new QHBoxLayout;
    BtnAttendance = new QPushButton(QStringLiteral("My Attendance"));
    BtnAttendance->setObjectName(QStringLiteral("BtnAttendance"));
    buttons->addWidget(BtnAttendance);
    buttons->addStretch(1);
    BtnEditSave = new QPushButton(QStringLiteral("Edit"));
    BtnEditSave->setObjectName(QStringLiteral("BtnEditSave"));
    BtnCancel = new QPushButton(QStringLiteral("Cancel"));
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setEnabled(false);
    BtnExit = new QPushButton(QStringLiteral("Exit"));
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    for (QPushButton* b : {BtnAttendance, BtnEditSave, BtnCancel, BtnExit}) b->setMinimumWidth(100);
    buttons->addWidget(BtnEditSave);
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnExit);
    root->addLayout(buttons);

    GBAttendance = new QGroupBox(QStringLiteral("Associate Attendance: "));
    GBAttendance->setObjectName(QStringLiteral("GBAttendance"));
    auto* attendance = new QVBoxLayout(GBAttendance);
    DBGAttendance = new DbGrid;
    DBGAttendance->setObjectName(QStringLiteral("DBGAttendance"));
    DBGAttendance->setTable(DM->TAttendance, {{QStringLiteral("IncidentDate"), QStringLiteral("Date"), 90},
                                              {QStringLiteral("FileType"), QStringLiteral("Type"), 80},
                                              {QStringLiteral("OriginalSchedule"), QStringLiteral("Original Schedule"), 130},
                                              {QStringLiteral("ArrivalTime"), QStringLiteral("Arrival Time"), 90},
                                              {QStringLiteral("ReportedByDate"), QStringLiteral("Reported"), 90},
                                              {QStringLiteral("ReportedByIDName"), QStringLiteral("Reported By"), 100},
                                              {QStringLiteral("IncidentComments"), QStringLiteral("Comments")}});
    DBGAttendance->setMinimumHeight(160);
    attendance->addWidget(DBGAttendance);
    GBAttendance->setVisible(false);
    root->addWidget(GBAttendance, 1);

    SBStatus = new StatusPanels(10);
    SBStatus->setObjectName(QStringLiteral("SBStatus"));
    SBStatus->setPanel(0, QStringLiteral("User ID:"));
    root->addWidget(SBStatus);

    connect(BtnEditSave, &QPushButton::clicked, this, &Tf_MyProfile::BtnEditSaveClick);
    connect(BtnCancel, &QPushButton::clicked, this, &Tf_MyProfile::BtnCancelClick);
    connect(BtnExit, &QPushButton::clicked, this, &Tf_MyProfile::BtnExitClick);
    connect(BtnAttendance, &QPushButton::clicked, this, &Tf_MyProfile::BtnAttendanceClick);
    connect(DM->TUser, &TableObject::rowsChanged, this, [this] {
        if (!editing_) loadProfile();
    });
    setEditing(false);
}

QGroupBox* Tf_MyProfile::group(const QString& title, const QList<std::pair<const char*, const char*>>& fields,
                               const QStringList& editable) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setVerticalSpacing(4);
    for (const auto& [column, label] : fields) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("E") + QLatin1String(column));
        edit->setMinimumWidth(130);
        form->addRow(QLatin1String(label), edit);
        fields_.append({QLatin1String(column), edit, editable.contains(QLatin1String(column))});
    }
    return box;
}

void Tf_MyProfile::copyStatus(const StatusPanels& from) { SBStatus->copyFrom(from, 1, 6); }

void Tf_MyProfile::loadProfile() {
    const TableObject* t = DM ? DM->TUser : nullptr;
    const bool row = t && t->active() && !t->isEmpty();
    for (const Field& f : fields_) f.edit->setText(row ? t->text(f.column) : QString());
}

void Tf_MyProfile::setEditing(bool on) {
    editing_ = on;
    for (const Field& f : fields_) {
        f.edit->setReadOnly(!(on && f.editable));
        // The read-only look follows the property only after a new polish.
        f.edit->style()->unpolish(f.edit);
        f.edit->style()->polish(f.edit);
    }
    BtnEditSave->setText(on ? QStringLiteral("Save") : QStringLiteral("Edit"));
    BtnCancel->setEnabled(on);
}

void Tf_MyProfile::BtnEditSaveClick() {
    if (!editing_) {
        if (!DM->TUser->active() || DM->TUser->isEmpty()) return;
        setEditing(true);
        for (const Field& f : fields_)
            if (f.editable) {
                f.edit->setFocus();
                break;
            }
        return;
    }
    if (!services().network->isConnected()) {
        services().dialogs->message(NoInternet, Dialogs::Icon::Warning);
        return;
    }
    if (runCommand([this] { saveProfile(); })) {
        setEditing(false);
        loadProfile();
    }
}

void Tf_MyProfile::saveProfile() {
    TableObject* t = DM->TUser;
    t->edit();
    try {
        for (const Field& f : fields_)
            if (f.editable) t->set(f.column, f.edit->text());
        t->post();
    } catch (...) {
        // The fields keep what was typed; the row stays as stored.
        t->cancel();
        throw;
    }
}

void Tf_MyProfile::BtnCancelClick() {
    setEditing(false);
    loadProfile();
}

void Tf_MyProfile::BtnAttendanceClick() {
    const QString id = DM->TUser->active() ? DM->TUser->text(QStringLiteral("ID")) : QString();
    if (id.isEmpty()) return;
    runCommand([&] {
        TableObject* t = DM->TAttendance;
        t->setOrder({Order::date(QStringLiteral("IncidentDate"), true)});
        // Open, then filter: the change of selection is what the grid follows.
        t->open();
        t->filterBy(Filter::eq(QStringLiteral("UserID"), id));
        GBAttendance->setVisible(true);
    });
}

void Tf_MyProfile::BtnExitClick() { close(); }

void Tf_MyProfile::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!editing_) loadProfile();
    // Once more when the command that showed the window has finished preparing the table.
    QTimer::singleShot(0, this, [this] {
        if (!editing_) loadProfile();
    });
}

void Tf_MyProfile::closeEvent(QCloseEvent* event) {
    // Unsaved changes are dropped; the tables are left as the next opener expects to find them.
    if (DM) {
        DM->TUser->close();
        DM->TUser->setFiltered(false);
        DM->TAttendance->close();
        DM->TAttendance->setFiltered(false);
        DM->TAttendance->setOrder({});
    }
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

}  // namespace tavolin

#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QWidget>

#include "forms/DbGrid.h"
#include "forms/StatusPanels.h"

namespace tavolin {

// The current user's own TUser_Info row. The main window opens DM->TUser filtered to the user before
// it shows the window. Contact and account fields can be edited and saved; the identity and employment
// values are kept by the administrators.
class Tf_MyProfile : public QWidget {
    Q_OBJECT
public:
    explicit Tf_MyProfile(QWidget* parent = nullptr);

    // Copies the main window's status panels 1 to 6 (the user) into this window's status bar.
    void copyStatus(const StatusPanels& from);
    StatusPanels* SBStatus;

    // Shows the table's current row in the fields.
    void loadProfile();
    bool editing() const { return editing_; }

    void BtnEditSaveClick();
    void BtnCancelClick();
    void BtnExitClick();
    void BtnAttendanceClick();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Field {
        QString column;
        QLineEdit* edit;
        bool editable;
    };
    QGroupBox* group(const QString& title, const QList<std::pair<const char*, const char*>>& fields,
                     const QStringList& editable);
    void setEditing(bool on);
    void saveProfile();

    QList<Field> fields_;
    bool editing_ = false;
    QPushButton* BtnEditSave;
    QPushButton* BtnCancel;
    QPushButton* BtnExit;
    QPushButton* BtnAttendance;
    QGroupBox* GBAttendance;
    DbGrid* DBGAttendance;
};

}  // namespace tavolin

#pragma once

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWidget>

namespace tavolin {

// A list that tells before it opens, so its entries can be built from the state of the form.
class DropDownComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

Q_SIGNALS:
    void dropDown();
};

// The request form a person without an account fills in from the login window. The login window
// creates it, fills the company and department lists and the hire date, and shows it; the request
// becomes a "Pending" TUser_Info row with one TUser_Properties row per requested property.
class Tf_User_Signup : public QWidget {
    Q_OBJECT
public:
    explicit Tf_User_Signup(QWidget* parent = nullptr);

    // Filled by the login window before the form is shown.
    QComboBox* CBManagementCompany;
    QComboBox* CBDepartments;
    QDateEdit* DTPHireDate;

    // Handlers.
    void CBManagementCompanyChange();
    void LVPropertiesClick(QTreeWidgetItem* item);
    void CBMainPropertyDropDown();
    void CBTitleEnter();
    void EUserIDChange();
    void EUserIDExit();
    void EConfirmPasswordExit();
    void SBSubmitClick();
    void SBExitClick();

Q_SIGNALS:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildCompanyPanel();
    QWidget* buildUserPanel();
    QStringList tickedIds() const;
    // The id field's look: taken (red with white text) or as typed (white with dark blue text).
    void paintUserId(bool taken);
    bool userIdTaken(const QString& id);
    void writeRequest();

    QTreeWidget* LVProperties;
    DropDownComboBox* CBMainProperty;
    QLineEdit* EUserID;
    QLabel* IUserIDFree;
    QLineEdit* EName;
    QLineEdit* ELastName;
    QLineEdit* EEmail;
    QLineEdit* EPassword;
    QLineEdit* EConfirmPassword;
    QGroupBox* RGSex;
    QButtonGroup* sexButtons_;
    QComboBox* CBTitle;
    QPlainTextEdit* MComments;
    QProgressBar* PB;
    QPushButton* SBSubmit;
    QPushButton* SBExit;
};

}  // namespace tavolin

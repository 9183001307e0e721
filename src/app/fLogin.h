#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include "data/Settings.h"

namespace tavolin {

class Tf_Menu;
class Tf_About;
class Tf_User_Signup;
class TableObject;

// The program's main window for the whole run: log-in, password change, forgotten password and the
// access request. Closing it ends the program.
class Tf_Login : public QWidget {
    Q_OBJECT
public:
    explicit Tf_Login(const DeploymentSettings& settings, QWidget* parent = nullptr);
    ~Tf_Login() override;

    QLabel* LTitle;
    QLabel* LVersion;
    QPlainTextEdit* MMessage;
    QLabel* L1;
    QLabel* L2;
    QLabel* L3;
    QLineEdit* E1;
    QLineEdit* E2;
    QLineEdit* E3;
    QPushButton* BtnExit;
    QPushButton* BtnLogin;
    QPushButton* LForgotPassword;
    QPushButton* LChancePassword;
    QPushButton* LRequestAccess;
    QProgressBar* PB;

    // The windows of the current login (null when nobody is logged in).
    Tf_Menu* mainWindow() const;
    Tf_About* aboutWindow() const;
    QWidget* signupWindow() const { return signup_; }
    // Creates the About window when it does not exist (the About command after its Ok).
    Tf_About* ensureAboutWindow();

    void Login();
    void CheckUserID();
    void CheckUserFirstAccess();
    void UploadSystemSettings();
    void CloseConnections();
    void StartPasswordChange();
    void ChangePassword();
    void ForgotPassword();
    void RequestAccess();
    // Log-off from the main window: the login window returns with the login name filled in.
    void LogOff(const QString& loginName);
    // Ends the program: every process of the program's executable is terminated, this one last.
    static void endProgram();

    bool inPasswordChangeMode() const { return BtnExit->text() == QLatin1String("Cancel"); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createDataModule();
    // Shows the no-internet text and returns true when the workstation is offline.
    bool refusedOffline();
    // A new data module with TUser_Info opened on the user of that login name.
    TableObject* openUserNamed(const QString& loginName);
    void returnToLoginMode();
    void clearUserAndPassword();
    void addMessage(const QString& text);
    void advance();
    void BtnExitClick();
    void BtnLoginClick();
    void EnterPressed();

    DeploymentSettings settings_;
    QPointer<Tf_Menu> menu_;
    QPointer<Tf_About> about_;
    QPointer<QWidget> signup_;
};

}  // namespace tavolin

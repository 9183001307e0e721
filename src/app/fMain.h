#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QToolButton>

#include "forms/StatusPanels.h"

namespace tavolin {

class Tf_Login;
class Tf_SwitchProperty;
class TaskBoard;
struct LoginState;

// The program's own version text, compared with the latest release.
inline constexpr const char* ProgramVersion = "1.0 BETA";

// The main menu of a login: the module buttons and menus, the property's task board and the status
// panels of the login state.
class Tf_Menu : public QMainWindow {
    Q_OBJECT
public:
    explicit Tf_Menu(Tf_Login* login);
    ~Tf_Menu() override;

    QLabel* LProperty;
    QToolButton* SBExit;
    QToolButton* SBLogoff;
    QToolButton* SBSystemUtils;
    QToolButton* SBUserConfiguration;
    QToolButton* SBRevenue;
    QToolButton* SBCashier;
    QToolButton* SBTransportation;
    QToolButton* SBMail;
    QToolButton* SBSchedule;
    QToolButton* SBPhone;
    QAction* Exit1;
    QAction* LogOff1;
    QAction* Dash;
    QAction* SwitchProperty1;
    QAction* MyProfile1;
    QAction* Statistics1;
    QAction* ApproveUsers1;
    QAction* N1;
    QAction* SOPs1;
    QAction* PointsRequest1;
    QAction* MiscellaneousItems1;
    QAction* VIPLetters1;
    QAction* Certificates1;
    QAction* IncidentReports1;
    QAction* LostFound1;
    QAction* InventoryControl1;
    QAction* Amenities1;
    QAction* Sales1;
    QAction* Tavolin1;
    StatusPanels* SBStatus;
    QProgressBar* pProgressBar;
    QWidget* TaskBoardArea;
    // The property's task board, inside TaskBoardArea.
    TaskBoard* Board;

    // Writes status panels 1 to 9 and the heading from the login state.
    void showLoginState(const LoginState& state);
    // Shows or hides the commands by the user's permission flags.
    void applyPermissions(const LoginState& state);
    // The version check that runs each time the window is shown.
    void CheckVersion();
    // Makes a property the current one exactly as a login to it would.
    void switchToProperty();

    void SBLogoffClick();
    void Exit1Click();
    void SwitchProperty1Click();
    void Tavolin1Click();
    void ApproveUsers1Click();
    void MyProfile1Click();
    void Statistics1Click();
    void PointsRequest1Click();

    // Destroys the window at log-off or a failed login, without ending the program.
    void releaseWithoutEnding();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* bigButton(const QString& name, const QString& text);
    // Shows the main window again when a module window it opened closes.
    void returnHereWhenClosed(QObject* window);

    Tf_Login* login_;
    QPointer<Tf_SwitchProperty> switch_;
    bool releasing_ = false;
};

}  // namespace tavolin

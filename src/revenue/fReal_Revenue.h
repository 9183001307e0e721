#pragma once

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "forms/DbGrid.h"

namespace tavolin {

class TDM;
class Tf_Menu;
class Tf_MessageBox;

// The revenue dashboard: the daily statistics rows of one business date, side by side, and the hub
// that opens the update windows and every other revenue and rate window.
class Tf_Real_Revenue : public QWidget {
    Q_OBJECT
public:
    // The dashboard works on the data module it was opened with.
    explicit Tf_Real_Revenue(TDM& dm, QWidget* parent = nullptr);
    ~Tf_Real_Revenue() override;

    TDM& dm() const { return dm_; }
    // The business date shown.
    QDate date() const { return DTPDate->date(); }

    // Opening steps, as the main window's revenue button runs them: the grid of today, the day's rows
    // when there are none yet (the progress bar counts the properties), the commands by permission.
    void loadToday(QProgressBar* progress);
    // Creates one row per active property of the user's company for the picker's date.
    void createDayRows(QProgressBar* progress);
    void applyPermissions();

    // The grid query for the picker's date.
    void UpdateGrid();

    // Blinks a message in LMessage for about four seconds (eight half-second toggles).
    void blinkMessage(const QString& text);
    // Whether the current user may submit updates for the selected row's property. The double-click
    // path also keeps the value read as the login state's UserProperty.
    bool checkUpdateAccess(bool keepUserProperty);

    // Commands.
    void SBPrviousDayClick();
    void SBNextDayClick();
    void SBTodayClick();
    void SBManualUpdateClick();
    void SBLoadRatesExcelClick();
    void SBDownloadRatesExpediaClick();
    void SBExitClick();
    void DBGInventoryDblClick();
    void ResetPickup1Click();
    // The "Update Statistics" choices.
    void singleDayUpdate(bool fromChooser);
    void sevenDayUpdate();
    // Ticks of the two timers.
    void TimerTimer();
    void TTimerMessageTimer();
    // Enables "Reset Pick-up" as the context menu opens.
    void prepareGridMenu();
    // Whether the cells are painted: the connection as last seen by the refresh timer or the grid query
    // (asking the system for every cell would make painting slow).
    bool paintsCells() const { return paintOnline_; }

    QToolButton* SBPrviousDay;
    QDateEdit* DTPDate;
    QToolButton* SBNextDay;
    QToolButton* SBToday;
    QLabel* LMessage;
    QToolButton* SBMonitor;
    QToolButton* SBSettingsExcel;
    QToolButton* SBNotifications;
    QToolButton* SBDetails;
    QToolButton* SBGraph;
    QToolButton* SBContacts;
    QToolButton* SBEmail;
    QToolButton* SBMessage;
    QToolButton* SBRequestUpdate;
    QToolButton* SBExpediaShop;
    DbGrid* DBGInventory;
    QMenu* GridMenu;
    QAction* ResetPickup1;
    QToolButton* SBManualUpdate;
    QToolButton* SBLoadRatesExcel;
    QToolButton* SBDownloadRatesExpedia;
    QToolButton* SBCompSet;
    QLabel* LLastUpdated;
    QToolButton* SBExit;
    QProgressBar* PB;
    QTimer* Timer;
    QTimer* TTimerMessage;
    // The option chooser while it is open.
    QPointer<Tf_MessageBox> chooser;

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* topButton(const QString& name, const QString& symbol, const QColor& colour,
                           const QString& hint);
    QToolButton* bottomButton(const QString& name, const QString& text, const QString& symbol,
                              const QColor& colour, const QString& hint);
    // Steps a day forward or back; restores the date when that day has no rows.
    void stepDay(int days);
    // Commands that open another window: the internet check, then the timer stops.
    bool prepareToOpen(bool disableDashboard);
    void openChooser(const QString& caption, const QStringList& lines, const QString& first,
                     const QString& second);
    bool rowSelected() const;

    TDM& dm_;
    int blinks_ = 0;
    bool paintOnline_ = true;
};

// What the main window's Revenue button does: opens the dashboard on today (creating the day's rows
// on the first opening of the day, counted on the main window's progress bar), hides the main window
// and shows it again when the dashboard closes. Returns the dashboard, or null when opening failed.
Tf_Real_Revenue* openRevenueDashboard(Tf_Menu& menu);

// Sends a statistics update (HTML) from the current user to the followers of the property who want
// e-mail, through the system-use account; nothing is sent when nobody is to be notified.
void sendRevenueUpdateMail(TDM& dm, const QString& propertyCode, const QString& subject, const QString& body);

}  // namespace tavolin

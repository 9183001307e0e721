#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "forms/StatusPanels.h"
#include "revenue/RevenueFigures.h"

namespace tavolin {

class Tf_Real_Revenue;

// A correction of the dashboard's selected row for the dashboard's date only.
class Tf_Real_Revenue_Update_Single_Day : public QDialog {
    Q_OBJECT
public:
    // With `rates`, the selling rate and the walk rate can be edited.
    Tf_Real_Revenue_Update_Single_Day(Tf_Real_Revenue& dashboard, bool rates);

    QLineEdit* ERoomsSold;
    QLineEdit* EArrivals;
    QLineEdit* ENGTD;
    QLineEdit* EOOO;
    QLabel* LOTA;
    QLineEdit* EOTARate;
    QLabel* LWalkRate;
    QLineEdit* EWalkRate;
    QCheckBox* CBSubmitEmail;
    QPlainTextEdit* Memo;
    QPushButton* SBSave;
    QPushButton* SBExit;
    StatusPanels* SB;

    // Shows the stored figures of the day (done when the window is first shown).
    void loadDay();
    void InsertNewDataAction();
    void SBExitClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit(const QString& name, revenue::KeyFilter filter);
    void leaveEdit(QLineEdit* e);
    // Free rooms: rooms − out of order > sold; nullopt while either figure is missing.
    std::optional<bool> freeRooms() const;
    // Puts the focus back on an edit that must not be left empty.
    void requireText(QLineEdit* e, const QString& message);
    bool checkFigures();
    void save();
    void EmailUpdate();

    Tf_Real_Revenue& dashboard_;
    bool rates_;
    bool loaded_ = false;
    bool refocusing_ = false;
    QHash<QObject*, revenue::KeyFilter> filters_;
};

}  // namespace tavolin

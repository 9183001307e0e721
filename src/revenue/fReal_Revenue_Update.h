#pragma once

#include <QCheckBox>
#include <QDate>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <array>

#include "revenue/RevenueFigures.h"

namespace tavolin {

class Tf_Real_Revenue;

// The seven-day statistics update of the dashboard's selected property, from the dashboard's date on.
class Tf_Real_Revenue_Update : public QDialog {
    Q_OBJECT
public:
    // With `rates`, the rate panel (overbook, selling rate, closed to arrival, minimum stay) can be edited.
    Tf_Real_Revenue_Update(Tf_Real_Revenue& dashboard, bool rates);

    using Edits = std::array<QLineEdit*, 7>;
    QLabel* LProperty;
    std::array<QLabel*, 7> LDay;
    std::array<QLabel*, 7> LDate;
    Edits ESold, EDouble, EArrivals, EComp, EOOO, ENGTD, EAward;
    QLineEdit* EWalkRate;
    QFrame* PRate;
    Edits EHO, EOTA;
    std::array<QCheckBox*, 7> CBCTA;
    Edits MLOS;
    QCheckBox* CBEmail;
    QPushButton* SBSave;
    QPushButton* SBExit;
    QProgressBar* PB;

    // Loads the row's values and the seven stored days (done when the window is first shown).
    void loadWeek();
    void SBSaveClick();
    void SBExitClick();
    // The week as saved, which the e-mail shows.
    const std::array<revenue::WeekDay, 7>& hotelData() const { return HotelData; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit(const QString& name, int day, revenue::KeyFilter filter);
    // The walk rate opens only while day 1 has rooms left; `open` is the text it takes then.
    void walkRateRule(const QString& openText);
    void walkRateExitRule();
    void leaveEdit(QLineEdit* e);
    // A refused save names the field and writes nothing.
    bool checkFigures();
    void save();
    void InsertNewData();
    void logRateChange();
    void sendUpdateMail();

    Tf_Real_Revenue& dashboard_;
    bool loaded_ = false;
    QHash<QObject*, revenue::KeyFilter> filters_;
    std::array<revenue::WeekDay, 7> HotelData;
    QDate CurrentDate;
    qint64 HotelRooms = 0;
    QString HotelCode;
    QString TodayFirstUpdate;
    QString TodaySold;
    QString TodayRate;
    QString TodayFirstSold;
    QString TodayWalkRate;
};

}  // namespace tavolin

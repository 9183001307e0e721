#pragma once

#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include "forms/DbGrid.h"
#include "forms/StatusPanels.h"

namespace tavolin {

// The property's daily house statistics. The main window opens DM->THotel_Statistics on its last row
// before it shows the window; Close closes the table.
class Tf_HotelStatistics : public QWidget {
    Q_OBJECT
public:
    explicit Tf_HotelStatistics(QWidget* parent = nullptr);

    // Copies the main window's status panels 1 to 6 (the user) into this window's status bar.
    void copyStatus(const StatusPanels& from);
    StatusPanels* SBStatus;

    void BtnCloseClick();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void bindGrid();
    QToolButton* navigatorButton(const char* name, const QString& hint, QStyle::StandardPixmap icon);
    // Moves the table's cursor and the grid with it.
    void move(void (TableObject::*step)());
    void updateNavigator();

    DbGrid* DBGStatistics;
    QToolButton* BtnFirst;
    QToolButton* BtnPrior;
    QToolButton* BtnNext;
    QToolButton* BtnLast;
    QPushButton* BtnClose;
};

}  // namespace tavolin

#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>

namespace tavolin {

// A status bar of numbered text panels, as the main window and several module windows carry it
// ("status panel 1" is the user's record id, 7 the property id ...).
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(int count, QWidget* parent = nullptr);
    int count() const { return int(panels_.size()); }
    QString panel(int index) const;
    void setPanel(int index, const QString& text);
    // Copies panels first..last from another bar (module windows copy 1 to 6 from the main window).
    void copyFrom(const StatusPanels& other, int first, int last);

private:
    QList<QLabel*> panels_;
};

// The main window's status bar while someone is logged in; null otherwise. Modules read the current
// user and property from it.
StatusPanels* mainStatus();
void setMainStatus(StatusPanels* bar);
// Panel `index` of the main window's status bar, empty when there is none.
QString statusPanel(int index);

}  // namespace tavolin

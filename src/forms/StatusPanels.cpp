#include "forms/StatusPanels.h"

#include <QPointer>

namespace tavolin {

StatusPanels::StatusPanels(int count, QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setContentsMargins(6, 0, 6, 0);
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        addWidget(label, i == count - 1 ? 1 : 0);
        panels_ << label;
    }
}

QString StatusPanels::panel(int index) const {
    return index >= 0 && index < panels_.size() ? panels_[index]->text() : QString();
}

void StatusPanels::setPanel(int index, const QString& text) {
    if (index < 0 || index >= panels_.size()) return;
    panels_[index]->setText(text);
    panels_[index]->setVisible(true);
}

void StatusPanels::copyFrom(const StatusPanels& other, int first, int last) {
    for (int i = first; i <= last; ++i) setPanel(i, other.panel(i));
}

namespace {
QPointer<StatusPanels> mainBar;
}

StatusPanels* mainStatus() { return mainBar.data(); }
void setMainStatus(StatusPanels* bar) { mainBar = bar; }
QString statusPanel(int index) { return mainBar ? mainBar->panel(index) : QString(); }

}  // namespace tavolin

#include "platform/WidgetDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace tavolin {

namespace {
QMessageBox::Icon toIcon(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information: return QMessageBox::Information;
        case Dialogs::Icon::Warning: return QMessageBox::Warning;
        case Dialogs::Icon::Error: return QMessageBox::Critical;
        case Dialogs::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::Information;
}
}  // namespace

void WidgetDialogs::message(const QString& text, Icon icon) {
    QMessageBox box(toIcon(icon), QApplication::applicationName(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Dialogs::Answer WidgetDialogs::ask(const QString& text, Buttons buttons) {
    QMessageBox::StandardButtons set;
    switch (buttons) {
        case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
        case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
        case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, set, QApplication::activeWindow());
    switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        case QMessageBox::Ok: return Answer::Ok;
        default: return Answer::Cancel;
    }
}

}  // namespace tavolin

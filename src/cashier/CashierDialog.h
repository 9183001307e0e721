#pragma once

#include <QCloseEvent>
#include <QWidget>

#include "platform/Services.h"

namespace tavolin {

// A command of a cashier window for a signal to run: a database error stops it where it arose and its
// text is shown, whatever the command was reading or writing at the time.
template <typename Window>
auto command(Window* window, void (Window::*handler)()) {
    return [window, handler] { runCommand([window, handler] { (window->*handler)(); }); };
}

// A dialog of the cashier register: its own window, kept on top of the register, which stays disabled
// while the dialog is open and recomputes its totals when it closes (the `closed` signal).
class CashierDialog : public QWidget {
    Q_OBJECT
public:
    // Without title-bar buttons the dialog is left only through its own buttons.
    explicit CashierDialog(bool titleBarButtons) : QWidget(nullptr, flags(titleBarButtons)) {
        setAttribute(Qt::WA_DeleteOnClose);
    }

Q_SIGNALS:
    void closed();

protected:
    // Called before the dialog closes, whichever way it is closed.
    virtual void leaving() {}
    void closeEvent(QCloseEvent* event) override {
        leaving();
        Q_EMIT closed();
        QWidget::closeEvent(event);
    }

private:
    static Qt::WindowFlags flags(bool titleBarButtons) {
        Qt::WindowFlags f = Qt::Window | Qt::WindowStaysOnTopHint;
        if (!titleBarButtons)
            f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        return f;
    }
};

}  // namespace tavolin

#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace tavolin::test {

// The named child of a window; fails the test when there is none.
template <typename T = QWidget>
T* child(QObject* root, const QString& name) {
    T* w = root->findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no " << T::staticMetaObject.className() << " named " << name.toStdString();
    return w;
}

// Clicks a button as a user would (it must be visible and enabled to react).
void click(QObject* root, const QString& button);
// Replaces an edit's text by typing it.
void type(QObject* root, const QString& edit, const QString& text);
// Presses a key in a widget.
void press(QObject* root, const QString& widget, Qt::Key key);

// Runs `action` on the next modal window to open (found within a few seconds), then lets the
// triggering call go on. Use it right before the click that opens the modal window.
void onNextModal(std::function<void(QWidget*)> action);
// Processes pending events (timers due now, deferred deletes).
void settle();

}  // namespace tavolin::test

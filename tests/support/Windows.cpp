#include "Windows.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace tavolin::test {

void click(QObject* root, const QString& button) {
    auto* b = child<QAbstractButton>(root, button);
    if (!b) return;
    if (!b->isEnabled()) ADD_FAILURE() << button.toStdString() << " is disabled";
    QTest::mouseClick(b, Qt::LeftButton);
}

void type(QObject* root, const QString& edit, const QString& text) {
    auto* e = child<QLineEdit>(root, edit);
    if (!e) return;
    e->setFocus();
    e->clear();
    QTest::keyClicks(e, text);
}

void press(QObject* root, const QString& widget, Qt::Key key) {
    auto* w = child<QWidget>(root, widget);
    if (!w) return;
    w->setFocus();
    QTest::keyClick(w, key);
}

void onNextModal(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, started, action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (started->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window opened";
        }
    });
    timer->start();
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace tavolin::test

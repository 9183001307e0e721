#pragma once

#include <QPointer>
#include <QTest>
#include <memory>

#include "TestDatabases.h"
#include "TestServices.h"
#include "Windows.h"
#include "data/DataModule.h"
#include "forms/StatusPanels.h"

namespace tavolin::test {

// Fresh databases, scripted services, a data module (the global DM) and the main window's status bar
// with the logged-in user (panels 1 and 2) and the current property (panel 7).
class UsersTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        ui_ = std::make_unique<TestServices>();
        dm_ = db().dataModule();
        main_ = std::make_unique<StatusPanels>(10);
        main_->setPanel(0, QStringLiteral("User ID:"));
        main_->setPanel(1, QStringLiteral("42"));
        main_->setPanel(2, QStringLiteral("BOSS"));
        main_->setPanel(3, QStringLiteral("Bo"));
        main_->setPanel(4, QStringLiteral("Ssman"));
        main_->setPanel(5, QStringLiteral("General Manager"));
        main_->setPanel(6, QStringLiteral("Executive"));
        main_->setPanel(7, QStringLiteral("BOSHX"));
        setMainStatus(main_.get());
    }
    void TearDown() override {
        for (const QPointer<QWidget>& w : windows_) delete w.data();
        settle();
        setMainStatus(nullptr);
        main_.reset();
        dm_.reset();
        ui_.reset();
        DatabaseTest::TearDown();
    }

    // Shows a window as the active one, so focus moves between its fields as a user's clicks move it.
    template <typename W>
    W* open(W* window) {
        windows_ << window;
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    TestServices& ui() { return *ui_; }
    ScriptedDialogs& dialogs() { return ui_->dialogs; }
    StatusPanels& mainStatus() { return *main_; }

private:
    std::unique_ptr<TestServices> ui_;
    std::unique_ptr<TDM> dm_;
    std::unique_ptr<StatusPanels> main_;
    QList<QPointer<QWidget>> windows_;
};

}  // namespace tavolin::test

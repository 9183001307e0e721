#include <QMenu>

#include "TaskFixture.h"
#include "tasks/fMain_New_Task.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class TaskBoardTest : public TaskTest {};

TEST_P(TaskBoardTest, ListsByStatusAndAssignmentMyTasksAcrossProperties) {
    const QString a = addTask("BOSHX", "Pending", "High", "Front Office", front);
    const QString b = addTask("BOSHX", "Pending", "Medium", "Housekeeping", house);
    const QString c = addTask("NYCMT", "Pending", "Low", "Front Office", front);
    const QString d = addTask("BOSHX", "Completed", "Low", "Front Office", front);
    const QString e = addTask("NYCMT", "Completed", "High", "Front Office", house);
    const QString f = addTask("BOSHX", "Pending", "Urgent", "Front Office", house);
    ASSERT_NE(logInAs("FRONT"), nullptr);
    EXPECT_EQ(board->RGStatus->itemIndex(), 0);
    EXPECT_EQ(board->RGAssignment->itemIndex(), 0);
    EXPECT_EQ(listed(), (QStringList{a, b, f}));

    const struct {
        int status, assignment;
        QStringList codes;
    } cases[] = {
        {0, 1, {a, f}},  // My Department: Front Office of this property only
        {0, 2, {a, c}},  // My Tasks: every property
        {1, 2, {d}},    {1, 1, {d}}, {1, 0, {d}}, {0, 0, {a, b, f}},
    };
    for (const auto& k : cases) {
        clickRadio(board->RGStatus, k.status);
        clickRadio(board->RGAssignment, k.assignment);
        EXPECT_EQ(listed(), k.codes) << k.status << "/" << k.assignment;
    }

    // Rows take their priority's colour; an unknown level keeps the grid's.
    const QAbstractItemModel* m = board->CRDBGTask->model();
    const QMap<QString, QColor> colours{
        {a, QColor(255, 183, 183)}, {b, QColor(255, 255, 168)}, {f, QColor()}};
    for (int r = 0; r < m->rowCount(); ++r) {
        const QString code = m->index(r, 0).data().toString();
        EXPECT_EQ(m->index(r, 3).data(Qt::BackgroundRole).value<QColor>(), colours.value(code))
            << code.toStdString();
    }
    clickRadio(board->RGAssignment, 2);
    const int lowRow = int(listed().indexOf(c));
    EXPECT_EQ(m->index(lowRow, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(179, 255, 179));
    EXPECT_EQ(m->index(lowRow, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
}

TEST_P(TaskBoardTest, SearchFindsOnlyThisPropertysCodeAndResetRestoresTheChoices) {
    const QString here = addTask("BOSHX", "Completed", "High", "Housekeeping", house);
    const QString other = addTask("NYCMT", "Pending", "High", "Front Office", front);
    const QString pending = addTask("BOSHX", "Pending", "Low", "Front Office", front);
    ASSERT_NE(logInAs("FRONT"), nullptr);
    clickRadio(board->RGAssignment, 2);

    // A completed task of another department is found from any view.
    type(menu, "ESearchText", here);
    click(menu, "SBSearchTask");
    EXPECT_EQ(listed(), QStringList{here});
    EXPECT_EQ(board->RGStatus->itemIndex(), -1);
    EXPECT_EQ(board->RGAssignment->itemIndex(), -1);
    EXPECT_FALSE(board->RGStatus->isEnabled());
    EXPECT_FALSE(board->RGAssignment->isEnabled());
    EXPECT_TRUE(board->searching());
    EXPECT_EQ(board->SBSearchTask->text(), "Reset");
    EXPECT_TRUE(services.dialogs.shown().isEmpty());

    click(menu, "SBSearchTask");
    EXPECT_FALSE(board->searching());
    EXPECT_EQ(board->SBSearchTask->text(), "Search");
    EXPECT_EQ(board->RGStatus->itemIndex(), 0);
    EXPECT_EQ(board->RGAssignment->itemIndex(), 0);
    EXPECT_TRUE(board->RGStatus->isEnabled());
    EXPECT_TRUE(board->ESearchText->text().isEmpty());
    EXPECT_EQ(listed(), QStringList{pending});

    // The other property's code exists but is not found here; the board resets by itself.
    for (const QString& code : {other, QStringLiteral("999"), QStringLiteral("x' OR '1'='1")}) {
        services.dialogs.clear();
        type(menu, "ESearchText", code);
        click(menu, "SBSearchTask");
        EXPECT_EQ(services.dialogs.shown(), QStringList{"Task not found!"}) << code.toStdString();
        EXPECT_FALSE(board->searching());
        EXPECT_EQ(board->RGStatus->itemIndex(), 0);
        EXPECT_EQ(board->RGAssignment->itemIndex(), 0);
        EXPECT_EQ(listed(), QStringList{pending});
    }
}

TEST_P(TaskBoardTest, SwitchingPropertyShowsTheOtherPropertysBoard) {
    const QString boston = addTask("BOSHX", "Pending", "High", "Front Office", house);
    const QString newYork = addTask("NYCMT", "Pending", "High", "Front Office", house);
    db().addUser("ROVER", "PW", {{"UserDepartment", "Front Office"}},
                 {{"UserAccessMultipleProperties", "True"}}, {"BOSHX", "NYCMT"});
    ASSERT_NE(logInAs("ROVER"), nullptr);
    clickRadio(board->RGAssignment, 1);
    EXPECT_EQ(listed(), QStringList{boston});
    menu->SwitchProperty1->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("f_SwitchProperty") && w->isVisible()) {
            auto* grid = w->findChild<DbGrid*>("DBGLicenses");
            ASSERT_NE(grid, nullptr);
            grid->selectViewRow(1);
            click(w, "BtnSelect");
        }
    settle();
    ASSERT_EQ(menu->SBStatus->panel(7), "NYCMT");
    EXPECT_EQ(board->RGAssignment->itemIndex(), 1);  // the choices stay
    EXPECT_EQ(listed(), QStringList{newYork});
}

TEST_P(TaskBoardTest, RefusalsLeaveTheBoardAsItWas) {
    db().addUser("NOPE", "PW", {{"UserDepartment", "Front Office"}}, {{"UserAccessCheckList", "true"}},
                 {"BOSHX"});
    ASSERT_NE(logInAs("NOPE"), nullptr);
    ASSERT_TRUE(listed().isEmpty());
    const struct {
        const char* command;
        const char* message;
    } cases[] = {
        {"SBNewItem", "You do NOT have access to add items!"},
        {"SBAddFromList", "You do NOT have access to add items!"},
        {"SBViewModify", "Please select an item to View/Modify...!"},
        {"SBChangeStatus", "Please select a task!"},
        {"SBPrintEmail", "Please select an item to PRINT / E-MAIL!"},
    };
    for (const auto& c : cases) {
        services.dialogs.clear();
        click(menu, QLatin1String(c.command));
        settle();
        EXPECT_EQ(services.dialogs.shown(), QStringList{QLatin1String(c.message)}) << c.command;
        EXPECT_TRUE(menu->isEnabled()) << c.command;
        EXPECT_EQ(board->taskDialog(), nullptr) << c.command;
        EXPECT_EQ(board->listDialog(), nullptr) << c.command;
        EXPECT_EQ(board->printEmailDialog(), nullptr) << c.command;
    }
    // No row: the pop-up offers nothing.
    board->PMTaskPopup();
    for (QAction* a :
         {board->MarkAsCompleted1, board->MarkAsPending1, board->ViewModify1, board->PrintEmail1})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
}

TEST_P(TaskBoardTest, ChangeStatusAsksAndSwitchesBothTablesUntilThePendingListIsEmpty) {
    const QString a = addTask("BOSHX", "Pending", "High", "Front Office", front);
    addBoardRow("77", "BOSHX", "Pending", "Low", "Front Office", front);  // its full record is gone
    ASSERT_NE(logInAs("FRONT"), nullptr);
    ASSERT_EQ(listed(), (QStringList{a, "77"}));

    select(a);
    board->PMTaskPopup();
    EXPECT_TRUE(board->MarkAsCompleted1->isEnabled());
    EXPECT_FALSE(board->MarkAsPending1->isEnabled());
    EXPECT_TRUE(board->ViewModify1->isEnabled());
    EXPECT_TRUE(board->PrintEmail1->isEnabled());

    services.dialogs.answer(Dialogs::Answer::No);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(services.dialogs.questions(),
              QStringList{"Would you like to switch the status of this task from PENDING to COMPLETED?"});
    EXPECT_EQ(mainRow(a).value("Status"), "Pending");
    EXPECT_EQ(listed(), (QStringList{a, "77"}));

    services.dialogs.answer(Dialogs::Answer::Yes);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(mainRow(a).value("Status"), "Completed");
    EXPECT_EQ(boardRow(a).value("Status"), "Completed");
    EXPECT_EQ(listed(), QStringList{"77"});

    // A task without its full record cannot be viewed, but its status still switches.
    select("77");
    services.dialogs.clear();
    click(menu, "SBViewModify");
    EXPECT_EQ(services.dialogs.shown(), QStringList{"Task not found!"});
    EXPECT_TRUE(menu->isEnabled());
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(boardRow("77").value("Status"), "Completed");
    EXPECT_TRUE(listed().isEmpty());

    // The completed view: the reverse question, and the pop-up items without one.
    clickRadio(board->RGStatus, 1);
    ASSERT_EQ(listed(), (QStringList{a, "77"}));
    select(a);
    board->PMTaskPopup();
    EXPECT_FALSE(board->MarkAsCompleted1->isEnabled());
    EXPECT_TRUE(board->MarkAsPending1->isEnabled());
    services.dialogs.clear();
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(services.dialogs.questions(),
              QStringList{"Would you like to switch the status of this task from COMPLETED to PENDING?"});
    EXPECT_EQ(mainRow(a).value("Status"), "Pending");
    EXPECT_EQ(boardRow(a).value("Status"), "Pending");
    select("77");
    board->PMTaskPopup();
    board->MarkAsPending1->trigger();
    EXPECT_EQ(boardRow("77").value("Status"), "Pending");
    EXPECT_TRUE(listed().isEmpty());
    clickRadio(board->RGStatus, 0);
    select(a);
    services.dialogs.clear();
    board->PMTaskPopup();
    board->MarkAsCompleted1->trigger();
    EXPECT_TRUE(services.dialogs.shown().isEmpty());
    EXPECT_EQ(mainRow(a).value("Status"), "Completed");
    EXPECT_EQ(boardRow(a).value("Status"), "Completed");
    EXPECT_EQ(listed(), QStringList{"77"});

    // Anything but the two words: nothing to do from the pop-up.
    addBoardRow("78", "BOSHX", "On Hold", "High", "Front Office", front);
    type(menu, "ESearchText", "78");
    click(menu, "SBSearchTask");
    ASSERT_EQ(listed(), QStringList{"78"});
    select("78");
    board->PMTaskPopup();
    for (QAction* act :
         {board->MarkAsCompleted1, board->MarkAsPending1, board->ViewModify1, board->PrintEmail1})
        EXPECT_FALSE(act->isEnabled()) << act->text().toStdString();
}

}  // namespace

TAVOLIN_ON_EVERY_ENGINE(TaskBoardTest);

#include <algorithm>
#include <functional>

#include "PdfText.h"
#include "SmtpServer.h"
#include "TaskFixture.h"
#include "tasks/fMain_New_Task.h"
#include "tasks/fMain_Task_List.h"
#include "tasks/fMain_Task_Print_Email.h"
#include "tasks/fMain_Task_Reports.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

class TaskDialogs : public TaskTest {
protected:
    // The columns both tables must agree on.
    void expectSameTask(const QString& code) {
        const QVariantMap m = mainRow(code);
        const QVariantMap t = boardRow(code);
        ASSERT_FALSE(m.isEmpty());
        ASSERT_FALSE(t.isEmpty());
        const std::pair<const char*, const char*> pairs[] = {{"Status", "Status"},
                                                             {"Level", "Level"},
                                                             {"ComplaintDepartment", "Department"},
                                                             {"ComplaintType", "Type"},
                                                             {"DueDate", "DueDate"},
                                                             {"DueTime", "DueTime"},
                                                             {"AssignedToID", "AssignedToUserID"},
                                                             {"AssignedToName", "AssignedToUserName"},
                                                             {"Description", "Description"}};
        for (const auto& [main, task] : pairs) EXPECT_EQ(m.value(main), t.value(task)) << main;
    }
    QColor panelColour(Tf_Main_New_Task* d) { return d->PPriority->palette().color(QPalette::Window); }
    QColor captionColour(Tf_Main_New_Task* d) { return d->PPriority->palette().color(QPalette::WindowText); }
};

TEST_P(TaskDialogs, NewTaskIsListedFoundSwitchedPrintedAndMailed) {
    SmtpServer server;
    db().insert(Database::Corporate, "TEmailAccountsSystemUseOnly",
                {{"Host", "127.0.0.1"}, {"Port", server.port()}, {"UserName", ""}, {"Password", ""}});
    ASSERT_NE(logInAs("FRONT"), nullptr);
    click(menu, "SBNewItem");
    Tf_Main_New_Task* d = board->taskDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Add New Task");
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(menu->isEnabled());
    // Insert mode.
    EXPECT_EQ(d->LTaskID->text(), "N/A");
    EXPECT_EQ(d->BtnSave->text(), "Insert");
    EXPECT_TRUE(d->RBPending->isChecked());
    EXPECT_TRUE(d->RBHigh->isChecked());
    EXPECT_EQ(panelColour(d), QColor(255, 0, 0));
    EXPECT_EQ(d->DTPDueDate->date(), QDate(2015, 6, 30));
    EXPECT_EQ(d->DTPDepartureDate->date(), QDate(2015, 6, 30));
    EXPECT_TRUE(d->CBNotSpecified->isChecked());
    EXPECT_FALSE(d->DTPDueTime->isEnabled());
    EXPECT_FALSE(d->EMembershipNumber->isEnabled());
    EXPECT_FALSE(d->BtnPrint->isEnabled());

    // Nothing is stored without the department, type and assignee.
    click(d, "BtnSave");
    EXPECT_EQ(services.dialogs.last(), "Please select a DEPARTMENT!");
    pickNext("Front Office");
    click(d, "SBDepartment");
    pickNext("BILLING ERROR");  // the department's own types, from its complaint category
    click(d, "SBType");
    pickNext("Hugo Berg");
    click(d, "SBAssignedTo");
    EXPECT_EQ(d->EAssignedToID->text(), QString::number(house));
    EXPECT_EQ(d->LAssignedToEmail->text(), "hugo@home.test");  // no work address: the personal one
    pickNext("Gold");
    click(d, "SBVIPStatus");
    EXPECT_TRUE(d->EMembershipNumber->isEnabled());
    type(d, "EMembershipNumber", "88120");
    type(d, "EGuestName", "Laura Whitfield");
    type(d, "EReservation", "BX4471203");
    type(d, "ERoom", "512");
    type(d, "EPhone", "(617) 555-0404");
    type(d, "EEmail", "Laura.W@Mail.Test");
    EXPECT_EQ(d->EEmail->text(), "laura.w@mail.test");
    d->MDescription->setPlainText("Charged twice for parking; refund one night.");
    d->DTPDueDate->setDate(QDate(2015, 7, 1));
    d->CBNotSpecified->click();
    EXPECT_TRUE(d->DTPDueTime->isEnabled());
    d->DTPDueTime->setTime(QTime(15, 30));
    QTest::mouseClick(d->RBMedium, Qt::LeftButton);
    EXPECT_EQ(panelColour(d), QColor(255, 255, 0));
    EXPECT_EQ(captionColour(d), QColor(Qt::black));
    services.dialogs.clear();
    click(d, "BtnSave");
    EXPECT_TRUE(services.dialogs.shown().isEmpty()) << services.dialogs.last().toStdString();

    const QString code = d->LTaskID->text();
    ASSERT_NE(code, "N/A");
    EXPECT_EQ(d->BtnSave->text(), "Save");
    const QVariantMap m = mainRow(code);
    EXPECT_EQ(m.value("ComplaintDepartment"), "Front Office");
    EXPECT_EQ(m.value("ComplaintType"), "BILLING ERROR");
    EXPECT_EQ(m.value("AssignedToName"), "Hugo Berg");
    EXPECT_EQ(m.value("AssignedToEmail"), "hugo@home.test");
    EXPECT_EQ(m.value("Level"), "Medium");
    EXPECT_EQ(m.value("Status"), "Pending");
    EXPECT_EQ(m.value("DueDate"), "07/01/2015");
    EXPECT_EQ(m.value("DueTime"), "03:30 PM");
    EXPECT_EQ(m.value("MemberLevel"), "Gold");
    EXPECT_EQ(m.value("MembershipNumber"), "88120");
    EXPECT_EQ(m.value("DepartureDate"), "06/30/2015");
    EXPECT_EQ(m.value("Email"), "laura.w@mail.test");
    const QVariantMap t = boardRow(code);
    EXPECT_EQ(t.value("PropertyID"), "BOSHX");
    EXPECT_EQ(t.value("UserID"), QString::number(front));
    EXPECT_EQ(t.value("UserIDName"), "FRONT");
    EXPECT_EQ(t.value("DateInsert"), "06/30/2015");
    EXPECT_EQ(t.value("TimeInsert"), "09:05 AM");
    expectSameTask(code);
    EXPECT_EQ(listed(), QStringList{code});

    click(d, "BtnExit");
    settle();
    EXPECT_TRUE(menu->isEnabled());

    // Found by its code.
    type(menu, "ESearchText", code);
    click(menu, "SBSearchTask");
    EXPECT_EQ(listed(), QStringList{code});
    click(menu, "SBSearchTask");

    // Completed and back: both tables follow.
    select(code);
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(mainRow(code).value("Status"), "Completed");
    expectSameTask(code);
    EXPECT_TRUE(listed().isEmpty());
    clickRadio(board->RGStatus, 1);
    select(code);
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(menu, "SBChangeStatus");
    EXPECT_EQ(mainRow(code).value("Status"), "Pending");
    expectSameTask(code);
    clickRadio(board->RGStatus, 0);
    ASSERT_EQ(listed(), QStringList{code});

    // Printed.
    select(code);
    click(menu, "SBPrintEmail");
    Tf_Main_Task_Print_Email* p = board->printEmailDialog();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->windowTitle(), "Print / E-mail Task");
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(p->LTask->text(), "Task ID: " + code);
    EXPECT_TRUE(p->CBEmail->isChecked());
    EXPECT_EQ(p->EEmail->text(), "hugo@home.test");
    EXPECT_EQ(p->PB->value(), 0);
    click(p, "BtnPrint");
    ASSERT_FALSE(services.reports.outputs.isEmpty());
    EXPECT_EQ(services.reports.last().templateName, TaskPrintTemplate);
    const QString pdf = pdfText(services.reports.last().pdfFile).simplified();
    for (const QString& field :
         {QString("Task " + code), QString("Front Office"), QString("BILLING ERROR"), QString("Hugo Berg"),
          QString("07/01/2015 03:30 PM"), QString("Laura Whitfield"), QString("Gold"), QString("88120"),
          QString("BX4471203"), QString("512"), QString("laura.w@mail.test"),
          QString("Charged twice for parking; refund one night."), QString("Medium priority"),
          QString("06/30/2015 09:05 AM"), QString("FRONT")})
        EXPECT_TRUE(pdf.contains(field)) << field.toStdString() << "\n" << pdf.toStdString();

    // E-mailed as HTML.
    type(p, "EEmail", "Hugo.Berg@Hotel.Test");
    services.dialogs.clear();
    click(p, "BtnEmail");
    EXPECT_EQ(p->PB->value(), 100);
    const auto got = server.messages();
    ASSERT_EQ(got.size(), 1) << services.dialogs.last().toStdString();
    EXPECT_EQ(got[0].rcptTo, QStringList{"hugo.berg@hotel.test"});
    EXPECT_EQ(got[0].fromAddress, "fiona.ross@hotel.test");
    EXPECT_EQ(got[0].fromName, "FRONT");
    EXPECT_EQ(got[0].contentType, "text/html");
    EXPECT_EQ(got[0].charset.toLower(), "us-ascii");
    EXPECT_EQ(got[0].headers.value("Subject"),
              "Task " + code + " - Medium priority - Front Office / BILLING ERROR");
    for (const char* field : {"Laura Whitfield", "Charged twice for parking; refund one night.", "BX4471203",
                              "07/01/2015 03:30 PM", "Hugo Berg", "Gold - 88120", "<table"})
        EXPECT_TRUE(got[0].body.contains(QLatin1String(field))) << field;
    EXPECT_EQ(services.dialogs.shown(),
              QStringList{"Task " + code + " was e-mailed to hugo.berg@hotel.test."});
    click(p, "BtnExit");
    settle();
    EXPECT_TRUE(menu->isEnabled());

    // A refused send stops where it failed and says why.
    server.stop();
    select(code);
    click(menu, "SBPrintEmail");
    p = board->printEmailDialog();
    ASSERT_NE(p, nullptr);
    services.dialogs.clear();
    click(p, "BtnEmail");
    EXPECT_EQ(services.dialogs.shown().size(), 1);
    EXPECT_FALSE(services.dialogs.last().startsWith("Task ")) << services.dialogs.last().toStdString();
    EXPECT_EQ(p->PB->value(), 0);
    click(p, "BtnExit");
}

TEST_P(TaskDialogs, ViewModifyShowsTheRecordAndSaveWritesBothRows) {
    const QString plain = addTask("BOSHX", "Completed", "Low", "Housekeeping", house,
                                  {{"AssignedToName", "Hugo Berg"},
                                   {"AssignedToEmail", ""},
                                   {"DueTime", ""},
                                   {"GuestName", "Peter Olsen"},
                                   {"Description", "Towels"},
                                   {".UserIDName", "HOUSE"}});
    const QString vip = addTask("BOSHX", "Pending", "Medium", "Front Office", front,
                                {{"AssignedToName", "Fiona Ross"},
                                 {"AssignedToEmail", "fiona.ross@hotel.test"},
                                 {"DueTime", "10:00 AM"},
                                 {"MemberLevel", "Platinum"},
                                 {"MembershipNumber", "41988120"},
                                 {"DepartureDate", "07/02/2015"}});
    ASSERT_NE(logInAs("FRONT"), nullptr);

    const struct {
        QString code;
        int statusView;
        bool completed;
        bool member;
        bool timeGiven;
        QRadioButton* Tf_Main_New_Task::*level;
        QColor panel, captions;
    } cases[] = {
        {plain, 1, true, false, false, &Tf_Main_New_Task::RBLow, QColor(0, 128, 0), QColor(Qt::white)},
        {vip, 0, false, true, true, &Tf_Main_New_Task::RBMedium, QColor(255, 255, 0), QColor(Qt::black)},
    };
    for (const auto& c : cases) {
        clickRadio(board->RGStatus, c.statusView);
        select(c.code);
        click(menu, "SBViewModify");
        Tf_Main_New_Task* d = board->taskDialog();
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(menu->isEnabled());
        EXPECT_EQ(d->LTaskID->text(), c.code);
        EXPECT_EQ(d->BtnSave->text(), "Save");
        EXPECT_EQ(d->RBCompleted->isChecked(), c.completed);
        EXPECT_EQ(d->EMembershipNumber->isEnabled(), c.member);
        EXPECT_EQ(d->EMembershipNumber->text(), c.member ? "41988120" : "");
        EXPECT_EQ(d->CBNotSpecified->isChecked(), !c.timeGiven);
        EXPECT_EQ(d->DTPDueTime->isEnabled(), c.timeGiven);
        if (c.timeGiven) {
            EXPECT_EQ(d->DTPDueTime->time(), QTime(10, 0));
        }
        EXPECT_TRUE((d->*c.level)->isChecked());
        EXPECT_EQ(panelColour(d), c.panel);
        EXPECT_EQ(captionColour(d), c.captions);
        click(d, "BtnExit");
        settle();
        EXPECT_TRUE(menu->isEnabled());
    }

    // Changes reach both rows; "Not Specified" stores no time.
    clickRadio(board->RGStatus, 0);
    select(vip);
    click(menu, "SBViewModify");
    Tf_Main_New_Task* d = board->taskDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->EGuestName->text(), "");
    EXPECT_EQ(d->DTPDepartureDate->date(), QDate(2015, 7, 2));
    EXPECT_EQ(d->LAssignedToEmail->text(), "fiona.ross@hotel.test");
    d->CBNotSpecified->click();
    QTest::mouseClick(d->RBHigh, Qt::LeftButton);
    EXPECT_EQ(panelColour(d), QColor(255, 0, 0));
    d->RBCompleted->click();
    d->MDescription->setPlainText("Moved to a quieter room.");
    click(d, "BtnSave");
    EXPECT_EQ(mainRow(vip).value("DueTime"), "");
    EXPECT_EQ(mainRow(vip).value("Level"), "High");
    EXPECT_EQ(mainRow(vip).value("Status"), "Completed");
    EXPECT_EQ(mainRow(vip).value("MembershipNumber"), "41988120");
    EXPECT_EQ(boardRow(vip).value("Description"), "Moved to a quieter room.");
    expectSameTask(vip);
    EXPECT_FALSE(listed().contains(vip));                    // it left the pending view
    EXPECT_EQ(mainRow(plain).value("Status"), "Completed");  // the other task is untouched
    click(d, "BtnExit");
}

TEST_P(TaskDialogs, TaskReportListsExactlyTheMatchingTasksInTheChosenOrder) {
    struct T {
        const char *created, *due, *status, *level, *department, *type;
        qint64 assignee;
        const char* description;
        const char* property;
    };
    const T tasks[] = {
        {"06/10/2015", "07/05/2015", "Pending", "High", "Front Office", "ROOM NOT READY", 1, "Alpha-task",
         "BOSHX"},
        {"06/02/2015", "07/01/2015", "Completed", "Low", "Front Office", "BILLING ERROR", 2, "Bravo-task",
         "BOSHX"},
        {"06/20/2015", "06/21/2015", "Pending", "Medium", "Front Office", "BILLING ERROR", 1, "Charlie-task",
         "BOSHX"},
        {"05/31/2015", "06/01/2015", "Pending", "High", "Front Office", "ROOM NOT READY", 1, "Delta-task",
         "BOSHX"},
        {"07/01/2015", "07/02/2015", "Pending", "Low", "Front Office", "ROOM NOT READY", 1, "Echo-task",
         "BOSHX"},
        {"06/15/2015", "06/16/2015", "Pending", "High", "Housekeeping", "MISSING AMENITIES", 2,
         "Foxtrot-task", "BOSHX"},
        {"06/15/2015", "06/16/2015", "Pending", "High", "Front Office", "ROOM NOT READY", 1, "Golf-task",
         "NYCMT"},
        {"06/15/2014", "06/30/2015", "Pending", "Low", "Front Office", "BILLING ERROR", 1, "Hotel-task",
         "BOSHX"},
        {"06/30/2015", "06/30/2015", "Completed", "High", "Front Office", "ROOM NOT READY", 2, "India-task",
         "BOSHX"},
    };
    QMap<QString, QString> codeOf;
    for (const T& t : tasks) {
        const qint64 who = t.assignee == 1 ? front : house;
        codeOf[QLatin1String(t.description)] = addTask(t.property, t.status, t.level, t.department, who,
                                                       {{"ComplaintType", t.type},
                                                        {"DueDate", t.due},
                                                        {"Description", t.description},
                                                        {".DateInsert", t.created},
                                                        {".DueDate", t.due},
                                                        {".Type", t.type},
                                                        {".Description", t.description}});
    }
    ASSERT_NE(logInAs("FRONT"), nullptr);

    auto run = [&](const std::function<void(Tf_Main_Task_Reports*)>& choose) {
        onNextModal([&](QWidget* w) {
            auto* r = qobject_cast<Tf_Main_Task_Reports*>(w);
            if (!r) {
                ADD_FAILURE() << "no reports dialog";
                return;
            }
            EXPECT_EQ(r->windowTitle(), "Task Reports");
            choose(r);
            click(r, "BtnPrint");
            click(r, "BtnExit");
        });
        const int before = int(services.reports.outputs.size());
        click(menu, "SBReports");
        EXPECT_EQ(services.reports.outputs.size(), before + 1);
    };
    // The descriptions in the order the PDF prints them.
    auto printed = [&] {
        const QString text = pdfText(services.reports.last().pdfFile, true);
        QList<std::pair<qsizetype, QString>> at;
        for (const QString& d : codeOf.keys())
            if (const qsizetype i = text.indexOf(d); i >= 0)
                at.append({i, d});
        std::sort(at.begin(), at.end());
        QStringList order;
        for (const auto& p : at) order << p.second;
        return order;
    };

    // Created in June, both statuses, Front Office, High and Low, by created date.
    run([&](Tf_Main_Task_Reports* r) {
        clickRadio(r->RGDates, 1);
        EXPECT_TRUE(r->DTPEnd->isVisibleTo(r));
        r->DTPStart->setDate(QDate(2015, 6, 1));
        r->DTPEnd->setDate(QDate(2015, 6, 30));
        pickNext("Front Office");
        click(r, "SBDepartment");
        r->CBMedium->setChecked(false);
        clickRadio(r->RGSort, 1);
    });
    EXPECT_EQ(services.reports.last().templateName, TaskReportTemplate);
    EXPECT_EQ(printed(), (QStringList{"Bravo-task", "Alpha-task", "India-task"}));
    QStringList codes;
    for (const auto& row : services.reports.last().rows("QTask")) codes << row.value("IDCODE");
    EXPECT_EQ(codes, (QStringList{codeOf["Bravo-task"], codeOf["Alpha-task"], codeOf["India-task"]}));
    const QString pdf = pdfText(services.reports.last().pdfFile).simplified();
    EXPECT_TRUE(pdf.contains("Task Report"));
    EXPECT_TRUE(pdf.contains("Department: Front Office"));

    // Due from 06/16 to 07/05, pending only, one assignee, by due date; then by type after Clear All.
    run([&](Tf_Main_Task_Reports* r) {
        clickRadio(r->RGDates, 1);
        clickRadio(r->RGDateKind, 1);
        r->DTPStart->setDate(QDate(2015, 6, 16));
        r->DTPEnd->setDate(QDate(2015, 7, 5));
        r->CBCompleted->setChecked(false);
        pickNext("Fiona Ross");
        click(r, "SBUserID");
        clickRadio(r->RGSort, 0);
    });
    EXPECT_EQ(printed(), (QStringList{"Charlie-task", "Hotel-task", "Echo-task", "Alpha-task"}));
    run([&](Tf_Main_Task_Reports* r) {
        clickRadio(r->RGDates, 1);
        clickRadio(r->RGDateKind, 1);
        r->DTPStart->setDate(QDate(2015, 6, 16));
        r->DTPEnd->setDate(QDate(2015, 7, 5));
        pickNext("Fiona Ross");
        click(r, "SBUserID");
        click(r, "BtnClearAll");
        EXPECT_TRUE(r->EUserID->text().isEmpty());
        clickRadio(r->RGSort, 3);
    });
    // BILLING ERROR, MISSING AMENITIES, ROOM NOT READY; ties by code.
    EXPECT_EQ(printed(), (QStringList{"Bravo-task", "Charlie-task", "Hotel-task", "Foxtrot-task",
                                      "Alpha-task", "Echo-task", "India-task"}));

    // A single date; nothing chosen to print is refused.
    run([&](Tf_Main_Task_Reports* r) {
        r->DTPStart->setDate(QDate(2015, 6, 15));
        clickRadio(r->RGSort, 2);
    });
    EXPECT_EQ(printed(), QStringList{"Foxtrot-task"});
    onNextModal([&](QWidget* w) {
        auto* r = qobject_cast<Tf_Main_Task_Reports*>(w);
        ASSERT_NE(r, nullptr);
        r->CBPending->setChecked(false);
        r->CBCompleted->setChecked(false);
        services.dialogs.clear();
        click(r, "BtnPrint");
        EXPECT_EQ(services.dialogs.shown(), QStringList{"Please select at least one STATUS!"});
        click(r, "BtnExit");
    });
    const auto before = services.reports.outputs.size();
    click(menu, "SBReports");
    EXPECT_EQ(services.reports.outputs.size(), before);
}

TEST_P(TaskDialogs, AddFromListKeepsStandingTasksPerPropertyAndStartsANewTaskFromOne) {
    db().insert(Database::Corporate, "TTask_List",
                {{"PropertyID", "NYCMT"}, {"Department", "Front Office"}, {"Description", "Not ours"}});
    ASSERT_NE(logInAs("FRONT"), nullptr);
    click(menu, "SBAddFromList");
    Tf_Main_Task_List* l = board->listDialog();
    ASSERT_NE(l, nullptr);
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(l->list()->recordCount(), 0);

    pickNext("Engineering");
    click(l, "SBDepartment");
    pickNext("Hugo Berg");
    click(l, "SBAssignedTo");
    l->CBLevel->setCurrentText("Low");
    type(l, "EDescription", "Test the fire alarm panel");
    click(l, "BtnKeep");
    ASSERT_EQ(l->list()->recordCount(), 1);
    const auto kept = db().rows(Database::Corporate, "TTask_List", Filter::eq("PropertyID", "BOSHX"));
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].value("Department"), "Engineering");
    EXPECT_EQ(kept[0].value("Level"), "Low");
    EXPECT_EQ(kept[0].value("AssignedToUserID"), QString::number(house));
    EXPECT_TRUE(l->EDescription->text().isEmpty());

    l->DBGList->selectViewRow(0);
    click(l, "BtnAddTask");
    settle();
    EXPECT_EQ(board->listDialog(), nullptr);
    Tf_Main_New_Task* d = board->taskDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(d->LTaskID->text(), "N/A");
    EXPECT_EQ(d->EDepartment->text(), "Engineering");
    EXPECT_EQ(d->EAssignedToName->text(), "Hugo Berg");
    EXPECT_EQ(d->MDescription->toPlainText(), "Test the fire alarm panel");
    EXPECT_TRUE(d->RBLow->isChecked());
    EXPECT_EQ(d->DTPDueDate->date(), QDate(2015, 6, 30));
    pickNext("ROOM NOT READY");  // Engineering has no category of its own: every type is offered
    click(d, "SBType");
    click(d, "BtnSave");
    const QString code = d->LTaskID->text();
    ASSERT_NE(code, "N/A");
    EXPECT_EQ(boardRow(code).value("Department"), "Engineering");
    expectSameTask(code);
    EXPECT_EQ(listed(), QStringList{code});
    click(d, "BtnExit");
    settle();
    EXPECT_TRUE(menu->isEnabled());

    // The standing task stays for next time; removing it asks first.
    click(menu, "SBAddFromList");
    l = board->listDialog();
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(l->list()->recordCount(), 1);
    l->DBGList->selectViewRow(0);
    services.dialogs.answer(Dialogs::Answer::Yes);
    click(l, "BtnRemove");
    EXPECT_EQ(db().count(Database::Corporate, "TTask_List", Filter::eq("PropertyID", "BOSHX")), 0);
    EXPECT_EQ(db().count(Database::Corporate, "TTask_List"), 1);
    click(l, "BtnExit");
    settle();
    EXPECT_TRUE(menu->isEnabled());
}

}  // namespace

TAVOLIN_ON_EVERY_ENGINE(TaskDialogs);

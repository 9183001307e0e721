#pragma once

#include <QAbstractItemModel>
#include <QTest>
#include <memory>

#include "TestDatabases.h"
#include "TestServices.h"
#include "Windows.h"
#include "app/fLogin.h"
#include "app/fMain.h"
#include "data/DataModule.h"
#include "tasks/TaskBoard.h"
#include "tasks/TaskWidgets.h"

QT_BEGIN_NAMESPACE
// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QVariant& value, std::ostream* os) {
    *os << '"' << value.toString().toStdString() << '"';
}
QT_END_NAMESPACE

namespace tavolin::test {

// Two properties, a logged-in user on the real main window, and helpers to put tasks on the board.
// The clock stands at 06/30/2015 09:05 AM.
class TaskTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        db().addProperty(QStringLiteral("BOSHX"), QStringLiteral("Harborview Suites Boston"), 0);
        db().addProperty(QStringLiteral("NYCMT"), QStringLiteral("Midtown Park Hotel"), 1);
        db().insert(Database::Central, QStringLiteral("TVersion"),
                    {{"LatestVersion", QLatin1String(ProgramVersion)}, {"MandatoryUpgrade", "No"}});
        for (const char* d : {"Front Office", "Housekeeping", "Engineering"})
            db().insert(Database::Central, QStringLiteral("TDepartments"), {{"DepartmentName", d}});
        for (const auto& [category, type] :
             {std::pair{"FRONT OFFICE", "ROOM NOT READY"}, std::pair{"FRONT OFFICE", "BILLING ERROR"},
              std::pair{"HOUSEKEEPING", "MISSING AMENITIES"}})
            db().insert(Database::Central, QStringLiteral("TComplaint_Description"),
                        {{"ComplaintType", category}, {"ComplaintDescription", type}});
        front = db().addUser(QStringLiteral("FRONT"), QStringLiteral("PW"),
                             {{"UserName", "Fiona"},
                              {"UserLastName", "Ross"},
                              {"UserDepartment", "Front Office"},
                              {"UserHotelEmail", "fiona.ross@hotel.test"}},
                             {{"UserAccessCheckList", "True"}}, {"BOSHX", "NYCMT"});
        house = db().addUser(QStringLiteral("HOUSE"), QStringLiteral("PW"),
                             {{"UserName", "Hugo"},
                              {"UserLastName", "Berg"},
                              {"UserDepartment", "Housekeeping"},
                              {"UserEmail", "hugo@home.test"}},
                             {}, {"BOSHX"});
        login = std::make_unique<Tf_Login>(db().settings());
        login->show();
    }
    void TearDown() override {
        login.reset();
        settle();
        DatabaseTest::TearDown();
    }

    Tf_Menu* logInAs(const QString& user, const QString& property = QStringLiteral("BOSHX")) {
        type(login.get(), QStringLiteral("E1"), property);
        type(login.get(), QStringLiteral("E2"), user);
        type(login.get(), QStringLiteral("E3"), QStringLiteral("PW"));
        click(login.get(), QStringLiteral("BtnLogin"));
        settle();
        menu = login->mainWindow();
        if (!menu) {
            ADD_FAILURE() << "login failed: " << services.dialogs.last().toStdString();
            return nullptr;
        }
        board = menu->Board;
        return menu;
    }

    // A task with its full record; returns its code.
    QString addTask(const QString& property, const QString& status, const QString& level,
                    const QString& department, qint64 assignee, const QVariantMap& more = {}) {
        QVariantMap main{{"Status", status},
                         {"Level", level},
                         {"ComplaintDepartment", department},
                         {"ComplaintType", "ROOM NOT READY"},
                         {"AssignedToID", QString::number(assignee)},
                         {"DueDate", "06/30/2015"}};
        for (auto it = more.begin(); it != more.end(); ++it)
            if (!it.key().startsWith(u'.'))
                main.insert(it.key(), it.value());
        const QString code = QString::number(db().insert(Database::Corporate, QStringLiteral("TMain"), main));
        addBoardRow(code, property, status, level, department, assignee, more);
        return code;
    }
    // Only the board row (a task whose full record is missing). Keys of `more` starting with "." are
    // board columns.
    void addBoardRow(const QString& code, const QString& property, const QString& status,
                     const QString& level, const QString& department, qint64 assignee,
                     const QVariantMap& more = {}) {
        QVariantMap row{{"IDCODE", code},
                        {"PropertyID", property},
                        {"Status", status},
                        {"Level", level},
                        {"Department", department},
                        {"Type", "ROOM NOT READY"},
                        {"AssignedToUserID", QString::number(assignee)},
                        {"DueDate", "06/30/2015"},
                        {"DateInsert", "06/30/2015"},
                        {"TimeInsert", "08:00 AM"}};
        for (auto it = more.begin(); it != more.end(); ++it)
            if (it.key().startsWith(u'.'))
                row.insert(it.key().mid(1), it.value());
        db().insert(Database::Corporate, QStringLiteral("TTasks"), row);
    }

    // The codes the board lists, top to bottom.
    QStringList listed() const {
        QStringList codes;
        const QAbstractItemModel* m = board->CRDBGTask->model();
        for (int r = 0; m && r < m->rowCount(); ++r) codes << m->index(r, 0).data().toString();
        return codes;
    }
    void select(const QString& code) {
        const int row = int(listed().indexOf(code));
        ASSERT_GE(row, 0) << code.toStdString() << " is not listed";
        board->CRDBGTask->selectViewRow(row);
    }
    static void clickRadio(RadioGroup* group, int index) { group->button(index)->click(); }

    // Picks the row whose first column is `text` in the next picker to open.
    static void pickNext(const QString& text) {
        onNextModal([text](QWidget* w) {
            auto* picker = qobject_cast<PickDialog*>(w);
            if (!picker) {
                ADD_FAILURE() << "no picker opened";
                return;
            }
            const auto found = picker->LVItems->findItems(text, Qt::MatchExactly);
            if (found.isEmpty()) {
                ADD_FAILURE() << "no " << text.toStdString() << " to pick";
                picker->reject();
                return;
            }
            picker->LVItems->selectRow(found.first()->row());
            click(picker, QStringLiteral("BtnSelect"));
        });
    }

    // TMain and TTasks rows of a code.
    QVariantMap mainRow(const QString& code) {
        const auto rows =
            db().rows(Database::Corporate, QStringLiteral("TMain"), Filter::eq("ID", code.toLongLong()));
        return rows.isEmpty() ? QVariantMap{} : rows.first();
    }
    QVariantMap boardRow(const QString& code) {
        const auto rows =
            db().rows(Database::Corporate, QStringLiteral("TTasks"), Filter::eq("IDCODE", code));
        return rows.isEmpty() ? QVariantMap{} : rows.first();
    }

    TestServices services;
    std::unique_ptr<Tf_Login> login;
    Tf_Menu* menu = nullptr;
    TaskBoard* board = nullptr;
    qint64 front = 0;
    qint64 house = 0;
};

}  // namespace tavolin::test

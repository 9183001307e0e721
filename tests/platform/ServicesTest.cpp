#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include "TestServices.h"
#include "data/DbError.h"
#include "platform/MachineServices.h"

using namespace tavolin;
using namespace tavolin::test;

TEST(Workstation, IdIsTheComputerNameFollowedByTheSerialInTwoHexGroups) {
    FixedWorkstation w;
    EXPECT_EQ(w.workstationId(), "FRONT11A2B-3C4D");
    w.serial = 0x000A00BC;
    w.name = QStringLiteral("desk");
    EXPECT_EQ(w.serialText(), "000A-00BC");
    EXPECT_EQ(w.workstationId(), "desk000A-00BC");

    MachineWorkstation machine;
    EXPECT_FALSE(machine.computerName().isEmpty());
    EXPECT_LE(machine.computerName().size(), 256);
    EXPECT_EQ(machine.volumeSerial(), MachineWorkstation().volumeSerial());
    EXPECT_NE(machine.volumeSerial(), 0u);
}

TEST(Processes, KillTaskEndsEveryProcessOfThatNameComparedInUpperCase) {
    QTemporaryDir dir;
    const QString exe = dir.filePath(QStringLiteral("tavolin-test-sleeper"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), exe));
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
    QProcess a, b;
    a.start(exe, {QStringLiteral("60")});
    b.start(exe, {QStringLiteral("60")});
    ASSERT_TRUE(a.waitForStarted());
    ASSERT_TRUE(b.waitForStarted());
    MachineProcesses processes;
    EXPECT_EQ(processes.killTask(QStringLiteral("no-such-program-here")), 0);
    EXPECT_EQ(processes.killTask(QStringLiteral("TAVOLIN-TEST-SLEEPER")), 2);
    EXPECT_TRUE(a.waitForFinished(5000));
    EXPECT_TRUE(b.waitForFinished(5000));
    EXPECT_EQ(a.exitStatus(), QProcess::CrashExit);
}

TEST(Downloads, AFileArrivesWholeOrNotAtAll) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.wav"));
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(100000, 'w'));
    f.close();
    CurlDownloader curl(10);
    const QString target = dir.filePath(QStringLiteral("sub/target.wav"));
    EXPECT_TRUE(curl.download(QUrl::fromLocalFile(source).toString(), target));
    EXPECT_EQ(QFileInfo(target).size(), 100000);
    const QString missing = dir.filePath(QStringLiteral("missing.wav"));
    EXPECT_FALSE(curl.download(QUrl::fromLocalFile(dir.filePath(QStringLiteral("nothing.wav"))).toString(), missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST(Network, ACheckSwitchedOffCountsAsConnected) { EXPECT_TRUE(MachineNetwork(false).isConnected()); }

TEST(Commands, AnErrorStopsTheCommandAndItsTextIsShown) {
    TestServices services;
    int reached = 0;
    EXPECT_FALSE(runCommand([&] {
        ++reached;
        throw DbError(QStringLiteral("Lost connection to server during query"));
    }));
    EXPECT_TRUE(runCommand([&] { ++reached; }));
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(services.dialogs.shown(), QStringList{"Lost connection to server during query"});
}

TEST(Dialogs, UnscriptedQuestionsFailAndScriptedOnesAnswerInOrder) {
    TestServices services;
    services.dialogs.answer(Dialogs::Answer::Yes);
    services.dialogs.answer(Dialogs::Answer::Cancel);
    EXPECT_TRUE(services.dialogs.confirm(QStringLiteral("Delete?")));
    EXPECT_FALSE(services.dialogs.confirm(QStringLiteral("Download?"), Dialogs::Buttons::OkCancel));
    EXPECT_EQ(services.dialogs.questions(), (QStringList{"Delete?", "Download?"}));
    EXPECT_FALSE(services.dialogs.pendingAnswers());
}

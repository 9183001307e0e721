#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs its windows offscreen, with an application object as the program has.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavolin"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

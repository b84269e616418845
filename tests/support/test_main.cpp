#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs with a QApplication, so widget and database tests
// share one entry point; windows are offscreen (set by CTest).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/db/Database.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program runs with a QApplication, so widget and database tests
// share one entry point; windows are offscreen (set by CTest).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    meridox::ui::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    // Connections go before the application object does.
    meridox::db::Database::closeAll();
    return rc;
}

// meridox: the purchasing module, started once per menu choice with six
// arguments: menu id, user id, company database, (unused), menu number,
// working date dd/mm/yyyy.
#include "framework/Fr_Form.h"
#include "platform/db/Database.h"
#include "platform/ui/Application.h"
#include "start/Startup.h"

#include <QTimer>

int main(int argc, char** argv)
{
    meridox::ui::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("Meridox"));
    int exitCode = 0;
    const auto windows = meridox::startUp(app.arguments().mid(1), exitCode);
    if (windows.empty()) {
        meridox::db::Database::closeAll();
        return exitCode;
    }
    meridox::TFrForm* main = windows.front();
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    // For timing start-up: leave as soon as the first window is on screen.
    if (!qEnvironmentVariableIsEmpty("MERIDOX_EXIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QApplication::quit);
    const int rc = app.exec();
    meridox::db::Database::closeAll();
    return rc;
}

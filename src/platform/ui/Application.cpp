#include "platform/ui/Application.h"

#include "platform/os/Errors.h"
#include "platform/ui/Dialogs.h"

#include <QFont>
#include <QFontDatabase>

namespace meridox::ui {

namespace {
Application::ExceptionHandler& handler()
{
    static Application::ExceptionHandler h;
    return h;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // One font for every window: a Thai face whose vowels and tone marks
    // stack cleanly and whose Latin letters suit the English captions.
    const QStringList families = QFontDatabase::families();
    for (const QString& name : {QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Norasi")}) {
        if (families.contains(name)) {
            QFont f(name);
            f.setPointSize(10);
            setFont(f);
            break;
        }
    }
}

void Application::setExceptionHandler(ExceptionHandler h)
{
    handler() = std::move(h);
}

void Application::handleException(const QString& message)
{
    if (handler())
        handler()(message);
    else
        Dialogs::instance().error(message);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error& e) {
        handleException(e.message());
    } catch (const std::exception& e) {
        handleException(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        // Anything else would end the program from inside the event loop.
        handleException(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace meridox::ui

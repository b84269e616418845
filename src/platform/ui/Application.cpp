#include "platform/ui/Application.h"

#include "platform/os/Errors.h"
#include "platform/ui/Dialogs.h"

namespace meridox::ui {

namespace {
Application::ExceptionHandler& handler()
{
    static Application::ExceptionHandler h;
    return h;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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

#pragma once
// The application object. Every error that no code handled where it arose
// (database, conversion, printer) ends here, on its way out of an event
// handler, and goes to the one exception handler the company data module
// installs: the operation is abandoned, the window stays open, the program
// keeps running.
#include <QApplication>
#include <functional>

namespace meridox::ui {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    using ExceptionHandler = std::function<void(const QString& message)>;
    static void setExceptionHandler(ExceptionHandler handler);
    // Hands an error to the handler (also for code outside an event handler).
    static void handleException(const QString& message);
};

} // namespace meridox::ui

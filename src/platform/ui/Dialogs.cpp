#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace meridox::ui {

namespace {

std::unique_ptr<Dialogs>& current()
{
    // MERIDOX_DIALOGS_ECHO: texts go to standard error only and every question
    // is answered Yes, so scripted checks never wait on a box.
    static std::unique_ptr<Dialogs> d = qEnvironmentVariableIsEmpty("MERIDOX_DIALOGS_ECHO")
                                            ? std::make_unique<Dialogs>()
                                            : std::unique_ptr<Dialogs>(std::make_unique<RecordingDialogs>());
    return d;
}

Dialogs::ErrorWindow& errorWindow()
{
    static Dialogs::ErrorWindow w;
    return w;
}

void echo(const QString& text)
{
    std::fprintf(stderr, "meridox: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace

Dialogs& Dialogs::instance()
{
    return *current();
}

std::unique_ptr<Dialogs> Dialogs::install(std::unique_ptr<Dialogs> dialogs)
{
    auto old = std::move(current());
    current() = dialogs ? std::move(dialogs) : std::make_unique<Dialogs>();
    return old;
}

void Dialogs::setErrorWindow(ErrorWindow w)
{
    errorWindow() = std::move(w);
}

void Dialogs::information(const QString& text)
{
    echo(text);
    showInformation(text);
}

bool Dialogs::question(const QString& text, const QColor& colour)
{
    echo(text);
    return askQuestion(text, colour);
}

void Dialogs::error(const QString& text)
{
    echo(text);
    showError(text);
}

bool Dialogs::input(const QString& caption, const QString& prompt, QString& value)
{
    echo(prompt);
    return askInput(caption, prompt, value);
}

void Dialogs::showInformation(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool Dialogs::askQuestion(const QString& text, const QColor& colour)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setStyleSheet(QStringLiteral("QMessageBox { background-color: %1; } QLabel { color: white; font-size: 11pt; }")
                          .arg(colour.name()));
    return box.exec() == QMessageBox::Yes;
}

void Dialogs::showError(const QString& text)
{
    if (errorWindow()) {
        errorWindow()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Windows Error Message"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool Dialogs::askInput(const QString& caption, const QString& prompt, QString& value)
{
    bool ok = false;
    const QString v = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = v;
    return ok;
}

void RecordingDialogs::showInformation(const QString& text)
{
    informations << text;
    m_all << text;
}

bool RecordingDialogs::askQuestion(const QString& text, const QColor&)
{
    questions << text;
    m_all << text;
    return answers.isEmpty() ? true : answers.takeFirst();
}

void RecordingDialogs::showError(const QString& text)
{
    errors << text;
    m_all << text;
}

bool RecordingDialogs::askInput(const QString&, const QString& prompt, QString& value)
{
    m_all << prompt;
    if (inputs.isEmpty())
        return false;
    value = inputs.takeFirst();
    return true;
}

} // namespace meridox::ui

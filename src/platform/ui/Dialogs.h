#pragma once
// Every message, question and error window the program shows goes through
// this one service. Each text is also written to standard error after
// "meridox: ", so support staff can see what a user was told. Tests install
// a recorder that answers questions and keeps every text.
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace meridox::ui {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain information box with one OK button.
    void information(const QString& text);
    // A Yes/No question on a coloured box; true only for Yes.
    bool question(const QString& text, const QColor& colour);
    // The red error window (shown modally; closes itself after its count).
    void error(const QString& text);
    // A one-line input box; nullopt-like empty QString and false on cancel.
    bool input(const QString& caption, const QString& prompt, QString& value);

    static Dialogs& instance();
    // Replaces the service (tests); returns the previous one.
    static std::unique_ptr<Dialogs> install(std::unique_ptr<Dialogs> dialogs);

    // How the error window is shown; set by the company data module's error window.
    using ErrorWindow = std::function<void(const QString& text)>;
    static void setErrorWindow(ErrorWindow w);

protected:
    virtual void showInformation(const QString& text);
    virtual bool askQuestion(const QString& text, const QColor& colour);
    virtual void showError(const QString& text);
    virtual bool askInput(const QString& caption, const QString& prompt, QString& value);
};

// Answers every question with the queued answers (Yes when the queue is
// empty) and keeps every text shown, so window tests run headless.
class RecordingDialogs : public Dialogs {
public:
    QStringList informations;
    QStringList questions;
    QStringList errors;
    QList<bool> answers;      // next answers to questions, front first
    QStringList inputs;       // next answers to input boxes

    QStringList all() const { return m_all; }
    void clear()
    {
        informations.clear();
        questions.clear();
        errors.clear();
        m_all.clear();
    }

protected:
    void showInformation(const QString& text) override;
    bool askQuestion(const QString& text, const QColor& colour) override;
    void showError(const QString& text) override;
    bool askInput(const QString& caption, const QString& prompt, QString& value) override;

private:
    QStringList m_all;
};

} // namespace meridox::ui

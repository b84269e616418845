#pragma once
// TFrShowError, the red error window. It shows the translated error text and
// closes itself at the ninth tick of its timer as if "Don't Send" were pressed;
// nothing is sent either way, the message is already in the error log.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace meridox {

class TFrShowError : public QDialog {
    Q_OBJECT
public:
    explicit TFrShowError(QWidget* parent = nullptr);

    void setText(const QString& text) { m_text = text; }
    // Ticks counted since the window was shown (the count itself is not displayed).
    int ticks() const { return m_ticks; }
    bool timerActive() const;

    // The tick of every new window, in milliseconds (1000; tests shorten it).
    static void setTickInterval(int ms);
    static int tickInterval();

    // Shows the text in a new modal window and destroys it afterwards.
    static void showText(const QString& text);

    QPlainTextEdit* ErrorBox = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BOkClick();
    void BCancelClick();
    void Timer1Timer();

    QString m_text;
    int m_count = 10;
    int m_ticks = 0;
};

} // namespace meridox

#include "data/Fr_ShowError.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace meridox {

namespace {
int& interval()
{
    static int ms = 1000;
    return ms;
}
} // namespace

TFrShowError::TFrShowError(QWidget* parent)
    // A title and nothing else: no close box, so the user answers with a button.
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrShowError"));
    setWindowTitle(QStringLiteral("Windows Error Message"));
    setModal(true);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("QDialog#FrShowError { background-color: red; }"
                                 "QPlainTextEdit#ErrorBox { background-color: red; color: white; }"));
    resize(520, 260);

    ErrorBox = new QPlainTextEdit(this);
    ErrorBox->setObjectName(QStringLiteral("ErrorBox"));
    ErrorBox->setReadOnly(true);
    BOk = new QPushButton(QStringLiteral("Send Error"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BCancel = new QPushButton(QStringLiteral("Don't Send"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));
    BCancel->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ErrorBox, 1);
    layout->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setInterval(interval());
    connect(Timer1, &QTimer::timeout, this, &TFrShowError::Timer1Timer);
    connect(BOk, &QPushButton::clicked, this, &TFrShowError::BOkClick);
    connect(BCancel, &QPushButton::clicked, this, &TFrShowError::BCancelClick);
}

void TFrShowError::setTickInterval(int ms)
{
    interval() = ms;
}

int TFrShowError::tickInterval()
{
    return interval();
}

bool TFrShowError::timerActive() const
{
    return Timer1->isActive();
}

void TFrShowError::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    move(50, 100);
    ErrorBox->setPlainText(m_text);
    BCancel->setFocus();
    m_count = 10;
    m_ticks = 0;
    Timer1->start();
}

void TFrShowError::Timer1Timer()
{
    ++m_ticks;
    --m_count;
    // The count starts at 10 and the window goes when it reaches 1: the ninth tick.
    if (m_count <= 1)
        BCancelClick();
}

void TFrShowError::BOkClick()
{
    Timer1->stop();
    accept();
}

void TFrShowError::BCancelClick()
{
    Timer1->stop();
    reject();
}

void TFrShowError::showText(const QString& text)
{
    TFrShowError w;
    w.setText(text);
    w.exec();
}

} // namespace meridox

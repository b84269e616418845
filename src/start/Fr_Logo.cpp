#include "start/Fr_Logo.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace meridox {

TFormLogo::TFormLogo() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormLogo"));
    setFixedSize(301, 166);
    setCursor(Qt::PointingHandCursor);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TFormLogo::showNow()
{
    show();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormLogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0xb4));
    g.setColorAt(1, QColor(0x0b, 0x24, 0x6b));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("Meridox"));
    f.setPointSize(11);
    f.setBold(false);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 60, 0, 0), Qt::AlignCenter, QStringLiteral("ระบบจัดซื้อ"));
}

} // namespace meridox

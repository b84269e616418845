#pragma once
#include <QWidget>

namespace meridox {

// TFormLogo, the splash window shown until the company database is connected.
class TFormLogo : public QWidget {
public:
    TFormLogo();
    // Shows and paints at once, before the event loop runs.
    void showNow();

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace meridox

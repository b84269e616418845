// The yardstick for start-up: a Qt program that shows an empty window and leaves.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.resize(1024, 640);
    w.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}

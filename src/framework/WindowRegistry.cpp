#include "framework/WindowRegistry.h"

#include <QHash>

namespace meridox {

namespace {
QHash<QString, WindowMaker>& makers()
{
    static QHash<QString, WindowMaker> m;
    return m;
}
} // namespace

void registerWindow(const QString& windowClass, WindowMaker maker)
{
    makers().insert(windowClass, std::move(maker));
}

TFrForm* createWindow(const QString& windowClass)
{
    auto it = makers().constFind(windowClass);
    TFrForm* w = it != makers().constEnd() ? (*it)() : new TFrForm();
    w->setWindowClass(windowClass);
    return w;
}

} // namespace meridox

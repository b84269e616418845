#include "platform/ui/SubWindows.h"

#include <QHash>

namespace meridox::ui {

namespace {
QHash<QString, SubWindowMaker>& makers()
{
    static QHash<QString, SubWindowMaker> m;
    return m;
}
} // namespace

SubWindowMaker registerSubWindow(const QString& name, SubWindowMaker maker)
{
    SubWindowMaker previous = makers().take(name);
    if (maker)
        makers().insert(name, std::move(maker));
    return previous;
}

QWidget* createSubWindow(const QString& name, QWidget* parent)
{
    auto it = makers().constFind(name);
    return it == makers().constEnd() ? nullptr : (*it)(parent);
}

} // namespace meridox::ui

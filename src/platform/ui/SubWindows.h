#pragma once
// Factories for the sub-windows a window opens (searches, print window,
// history): a window asks for one by name, so a test can put its own in place.
#include <QString>
#include <QWidget>
#include <functional>

namespace meridox::ui {

using SubWindowMaker = std::function<QWidget*(QWidget* parent)>;

// Registers the maker of a sub-window; returns the one it replaces.
SubWindowMaker registerSubWindow(const QString& name, SubWindowMaker maker);
// Makes the named sub-window, or returns nullptr when none is registered.
QWidget* createSubWindow(const QString& name, QWidget* parent);

// Puts a maker in place for the life of the scope (tests).
class ScopedSubWindow {
public:
    ScopedSubWindow(QString name, SubWindowMaker maker) : m_name(std::move(name))
    {
        m_previous = registerSubWindow(m_name, std::move(maker));
    }
    ~ScopedSubWindow() { registerSubWindow(m_name, std::move(m_previous)); }
    ScopedSubWindow(const ScopedSubWindow&) = delete;
    ScopedSubWindow& operator=(const ScopedSubWindow&) = delete;

private:
    QString m_name;
    SubWindowMaker m_previous;
};

} // namespace meridox::ui

#pragma once
// Makes working windows by their class name, so the menu table is data and
// tests can put their own windows in place. A class without a window of its
// own yet opens as a plain TFrForm carrying its name.
#include "framework/Fr_Form.h"

#include <functional>

namespace meridox {

using WindowMaker = std::function<TFrForm*()>;

void registerWindow(const QString& windowClass, WindowMaker maker);
TFrForm* createWindow(const QString& windowClass);

} // namespace meridox

#pragma once
// The menu numbers this module answers: the window each opens and its mode.
#include "framework/ModeFields.h"

#include <QString>
#include <vector>

namespace meridox {

struct MenuEntry {
    int menuNo;
    QString windowClass;
    QString auxiliaryClass;  // created right after, not shown by the dispatcher
    ModeFields mode;
};

const std::vector<MenuEntry>& menuTable();
// nullptr for a number the module does not answer.
const MenuEntry* findMenu(int menuNo);

} // namespace meridox

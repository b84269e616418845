#include "data/Dm_Misc.h"

namespace meridox {

TDmMisc& TDmMisc::instance()
{
    static TDmMisc m;
    return m;
}

} // namespace meridox

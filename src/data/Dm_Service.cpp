#include "data/Dm_Service.h"

namespace meridox {

TDmService& TDmService::instance()
{
    static TDmService m;
    return m;
}

} // namespace meridox

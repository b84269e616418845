#include "data/Dm_Vendor.h"

namespace meridox {

TDmVendor& TDmVendor::instance()
{
    static TDmVendor m;
    return m;
}

} // namespace meridox

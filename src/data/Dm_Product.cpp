#include "data/Dm_Product.h"

namespace meridox {

TDmProduct& TDmProduct::instance()
{
    static TDmProduct m;
    return m;
}

} // namespace meridox

#include "data/Session.h"

namespace meridox {

Session& Session::current()
{
    static Session s;
    return s;
}

} // namespace meridox

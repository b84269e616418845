#pragma once
// TDmMisc, the lookup of miscellaneous products by code; the found row is read from
// QChkMisc right after the call. One instance for the whole run.
#include "data/ModuleQueries.h"

#include <QString>

namespace meridox {

class TDmMisc {
public:
    static TDmMisc& instance();

    bool ExistsMisc(const QString& code);
    db::Query& QChkMisc();

private:
    TDmMisc() = default;

    ModuleQueries m_q;
};

} // namespace meridox

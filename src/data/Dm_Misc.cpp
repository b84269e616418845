#include "data/Dm_Misc.h"

#include "data/ModuleQueries.h"

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

} // namespace

TDmMisc& TDmMisc::instance()
{
    static TDmMisc m;
    return m;
}

db::Query& TDmMisc::QChkMisc()
{
    return m_q.get(S("QChkMisc"), productOfKindSql());
}

bool TDmMisc::ExistsMisc(const QString& code)
{
    db::Query& q = QChkMisc();
    q.bind(S("Code"), code).bind(S("Kind"), S("M")).open();
    return !q.isEmpty();
}

} // namespace meridox

#include "data/Dm_Service.h"

#include "data/ModuleQueries.h"

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

} // namespace

TDmService& TDmService::instance()
{
    static TDmService m;
    return m;
}

db::Query& TDmService::QChkService()
{
    return m_q.get(S("QChkService"), productOfKindSql());
}

bool TDmService::ExistsService(const QString& code)
{
    db::Query& q = QChkService();
    q.bind(S("Code"), code).bind(S("Kind"), S("S")).open();
    return !q.isEmpty();
}

} // namespace meridox

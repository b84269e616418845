#pragma once
// TDmService, the lookup of service products by code; the found row is read from
// QChkService right after the call. One instance for the whole run.
#include "data/ModuleQueries.h"

#include <QString>

namespace meridox {

class TDmService {
public:
    static TDmService& instance();

    bool ExistsService(const QString& code);
    db::Query& QChkService();

private:
    TDmService() = default;

    ModuleQueries m_q;
};

} // namespace meridox

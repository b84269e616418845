#pragma once
// The named result queries of a data module on the company connection. Each is
// prepared once and reused by every lookup; all are dropped before the company
// connection closes, so none outlives its connection, and made again on the
// next use.
#include "platform/db/Query.h"

#include <QHash>
#include <QString>
#include <memory>

namespace meridox {

// The look-up of a service or miscellaneous product by code (kind bound as
// :Kind): not blocked, with its tax rate and its default warehouse when it has one.
QString productOfKindSql();

class ModuleQueries {
public:
    ModuleQueries();
    ~ModuleQueries();
    ModuleQueries(const ModuleQueries&) = delete;
    ModuleQueries& operator=(const ModuleQueries&) = delete;

    // The query `name` with its text, on the company connection (opened when needed).
    db::Query& get(const QString& name, const QString& sql);
    void clear() { m_queries.clear(); }

    // Called by the company data module before its connection closes.
    static void releaseAll();

private:
    QHash<QString, std::shared_ptr<db::Query>> m_queries;
};

} // namespace meridox

#include "platform/db/StoredProc.h"

#include "platform/os/Errors.h"

namespace meridox::db {

namespace {
QHash<QString, Procedure>& procedures()
{
    static QHash<QString, Procedure> p;
    return p;
}
} // namespace

void registerProcedure(const QString& name, Procedure procedure)
{
    procedures().insert(name.toUpper(), std::move(procedure));
}

bool hasProcedure(const QString& name)
{
    return procedures().contains(name.toUpper());
}

void StoredProc::exec()
{
    auto it = procedures().constFind(m_name.toUpper());
    if (it == procedures().constEnd())
        throw DatabaseError(QStringLiteral("Could not find stored procedure '%1'.").arg(m_name));
    (*it)(m_db, m_params);
}

} // namespace meridox::db

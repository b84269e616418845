#include "data/ModuleQueries.h"

#include "data/U_DM.h"

#include <QList>

namespace meridox {

namespace {

QList<ModuleQueries*>& holders()
{
    static QList<ModuleQueries*> all;
    return all;
}

} // namespace

ModuleQueries::ModuleQueries()
{
    holders().append(this);
}

ModuleQueries::~ModuleQueries()
{
    holders().removeAll(this);
}

db::Query& ModuleQueries::get(const QString& name, const QString& sql)
{
    db::Database& db = TDM::instance().database();
    auto it = m_queries.find(name);
    if (it != m_queries.end() && &(*it)->database() != &db) {
        m_queries.erase(it);
        it = m_queries.end();
    }
    if (it == m_queries.end())
        it = m_queries.insert(name, std::make_shared<db::Query>(db, sql));
    return **it;
}

void ModuleQueries::releaseAll()
{
    for (ModuleQueries* q : holders())
        q->clear();
}

} // namespace meridox

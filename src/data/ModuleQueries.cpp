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

QString productOfKindSql()
{
    return QStringLiteral(
        "SELECT p.Id, p.Code, p.ThaiName, p.EngName, p.PosName, p.ProductType, p.UseSerial, "
        "COALESCE(p.CheckSerialPurc, 'N') AS CheckSerialPurc, COALESCE(p.CheckSerialSale, 'N') AS CheckSerialSale, "
        "COALESCE(p.CheckSerialStock, 'N') AS CheckSerialStock, COALESCE(p.CheckSerialOnhand, 'N') AS CheckSerialOnhand, "
        "p.LotControl, p.TaxCode, p.DefaultWh, t.Rate AS TaxRate, p.Discount, w.Code AS WhCode, w.Name AS WhName, "
        "p.PriceIE, p.PrintFrac "
        "FROM Product p JOIN Tax t ON t.Id = p.TaxCode LEFT JOIN Warehouse w ON w.Id = p.DefaultWh "
        "WHERE p.Code = :Code AND p.ProductType = :Kind AND (p.Blocked IS NULL OR p.Blocked <> 'Y')");
}

} // namespace meridox

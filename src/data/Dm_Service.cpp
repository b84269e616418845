#include "data/Dm_Service.h"

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Not blocked (NULL reads as "N"), of kind "S", with its tax rate; its default warehouse when it
// has one (services and miscellaneous products usually have none and are still found).
const char* const kChkService = R"(SELECT p.Id, p.Code, p.ThaiName, p.EngName, p.PosName, p.ProductType, p.UseSerial,
       COALESCE(p.CheckSerialPurc, 'N') AS CheckSerialPurc, COALESCE(p.CheckSerialSale, 'N') AS CheckSerialSale,
       COALESCE(p.CheckSerialStock, 'N') AS CheckSerialStock,
       COALESCE(p.CheckSerialOnhand, 'N') AS CheckSerialOnhand,
       p.LotControl, p.TaxCode, p.DefaultWh, t.Rate AS TaxRate, p.Discount, w.Code AS WhCode, w.Name AS WhName, p.PriceIE, p.PrintFrac
FROM Product p
JOIN Tax t ON t.Id = p.TaxCode
LEFT JOIN Warehouse w ON w.Id = p.DefaultWh
WHERE p.Code = :Code AND p.ProductType = 'S' AND (p.Blocked IS NULL OR p.Blocked <> 'Y'))";

} // namespace

TDmService& TDmService::instance()
{
    static TDmService m;
    return m;
}

db::Query& TDmService::QChkService()
{
    return m_q.get(S("QChkService"), S(kChkService));
}

bool TDmService::ExistsService(const QString& code)
{
    db::Query& q = QChkService();
    q.bind(S("Code"), code).open();
    return !q.isEmpty();
}

} // namespace meridox

// Views of the company database. Their SQL runs unchanged on both engines:
// plain joins, unions and GROUP BY, unquoted names, no engine functions.
#include "server/schema/SchemaParts.h"

namespace meridox::schema::detail {

namespace {

// Stock per product and warehouse for the warehouse search with stock: the
// balance of the latest year the warehouse holds for the product, and what
// open order lines still expect (small units). Sales orders belong to another
// module, so WaitSO is 0 here.
const char* const kCurrentStock = R"(SELECT k.Product AS Product, w.Id AS Warehouse, w.Code AS Code, w.Name AS Name,
       w.IsLocation AS IsLocation, w.WareGroup AS WareGroup, w.Blocked AS Blocked,
       COALESCE(oh.Onhand, 0) AS Onhand, COALESCE(po.WaitPO, 0) AS WaitPO, 0 AS WaitSO
FROM (SELECT o.product AS Product, o.warehouse AS Warehouse FROM ProductOnHand o
      UNION
      SELECT d.Product AS Product, d.Warehouse AS Warehouse FROM PoDt d
      WHERE d.Product IS NOT NULL AND d.Warehouse IS NOT NULL) k
INNER JOIN Warehouse w ON w.Id = k.Warehouse
LEFT JOIN (SELECT o.product AS Product, o.warehouse AS Warehouse, SUM(o.quantity) AS Onhand
           FROM ProductOnHand o
           WHERE o.balanceyear = (SELECT MAX(y.balanceyear) FROM ProductOnHand y
                                  WHERE y.product = o.product AND y.warehouse = o.warehouse)
           GROUP BY o.product, o.warehouse) oh
       ON oh.Product = k.Product AND oh.Warehouse = k.Warehouse
LEFT JOIN (SELECT d.Product AS Product, d.Warehouse AS Warehouse, SUM(d.BackOrder) AS WaitPO
           FROM PoDt d INNER JOIN PoHd h ON h.Id = d.PoHd
           WHERE COALESCE(h.DelFlag, 'N') <> 'Y' AND COALESCE(d.Clear, 'N') <> 'Y'
           GROUP BY d.Product, d.Warehouse) po
       ON po.Product = k.Product AND po.Warehouse = k.Warehouse)";

// Products with their small unit, searched instead of Product when
// Config.SearchProductNo is 2.
const char* const kProductView = R"(SELECT p.Id AS Id, p.Code AS Code, p.ThaiName AS ThaiName, p.EngName AS EngName,
       p.PosName AS PosName, p.ProductType AS ProductType, p.Blocked AS Blocked, p.MasterCode AS MasterCode,
       p.BuyingCode AS BuyingCode, p.ItemClassify AS ItemClassify, p.TaxCode AS TaxCode, p.DefaultWh AS DefaultWh,
       p.Vendor AS Vendor, p.Remark AS Remark, p.Picture1 AS Picture1,
       u.Id AS SmallUnitId, u.UnitName AS SmallUnitName, u.BarCode AS BarCode
FROM Product p
LEFT JOIN ProductUnits u ON u.Product = p.Id AND u.SmallUnitFlag = 'Y')";

} // namespace

void addCompanyViews(std::vector<View>& views)
{
    views.push_back({"view_currentstock", kCurrentStock});
    views.push_back({"ProductView", kProductView});
}

} // namespace meridox::schema::detail

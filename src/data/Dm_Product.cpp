#include "data/Dm_Product.h"

#include "data/Session.h"
#include "data/U_DM.h"
#include "data/units/QuantityTexts.h"
#include "platform/db/StoredProc.h"
#include "platform/ui/Dialogs.h"

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// A NULL flag reads as "N" everywhere: "not Y" must hold for NULL as well.
// The warehouse permission is bound (:Restrict 0 or 1), so the text never changes.
const char* const kChkProduct = R"(SELECT p.Id, p.Code, p.ThaiName, p.EngName, p.PosName, p.ProductType, p.PriceIE,
       p.PrintFrac, p.UseSerial, p.LotControl, p.TaxCode, p.DefaultWh, p.PriceByVolumn, p.Discount,
       w.flagin, w.flagout, p.BuyingCode, p.VolumnUnit, t.Rate AS TaxRate, w.Code AS WhCode, w.Name AS WhName,
       p.Blocked, p.Negative, COALESCE(p.ProductFree, 'N') AS ProductFree, p.Size_W, p.Size_L, p.Size_H,
       p.CartonsUnits, p.Cartons, p.NetWeight, p.GrossWeight, p.ProductDesc,
       COALESCE(p.CheckSerialPurc, 'N') AS CheckSerialPurc, COALESCE(p.CheckSerialSale, 'N') AS CheckSerialSale,
       COALESCE(p.CheckSerialStock, 'N') AS CheckSerialStock,
       COALESCE(p.CheckSerialOnhand, 'N') AS CheckSerialOnhand,
       COALESCE(p.PerDiscountOver, 0) AS PerDiscountOver, COALESCE(p.CostMoving, 0) AS CostMoving
FROM Product p
JOIN Tax t ON t.Id = p.TaxCode
LEFT JOIN Warehouse w ON w.Id = p.DefaultWh
     AND (:Restrict = 0 OR w.Id IN (SELECT uw.Warehouse FROM UserWarehouse uw WHERE uw.UserName = :UserId))
WHERE p.Code = :Code AND (p.Blocked IS NULL OR p.Blocked <> 'Y')
  AND (p.MasterCode IS NULL OR p.MasterCode <> 'Y'))";

const char* const kSpecialName = R"(SELECT ThaiName FROM ProductView
WHERE Code = :Code AND (Blocked IS NULL OR Blocked <> 'Y'))";

// Any asked role matches (a role not asked is 0 and never matches).
const char* const kChkUnit = R"(SELECT u.Id, u.UnitName, u.Fraction, u.VolumnFraction, u.BarCode, u.PurcPrice, u.LabourCost
FROM ProductUnits u
WHERE u.Product = :Product AND u.UnitName = :UnitName
  AND ((:Sale = 1 AND u.SaleFlag LIKE 'Y%') OR (:Purc = 1 AND u.PurcFlag LIKE 'Y%')
       OR (:Stock = 1 AND u.StockUnitFlag LIKE 'Y%') OR (:Small = 1 AND u.SmallUnitFlag LIKE 'Y%'))
ORDER BY u.Id)";

// Every asked role must match (a role not asked is 0 and is not tested).
const char* const kDefaultUnit = R"(SELECT u.Id, u.UnitName, u.Fraction, u.BarCode, u.VolumnFraction, u.PurcPrice
FROM ProductUnits u
WHERE u.Product = :Product
  AND (:Sale = 0 OR u.SaleFlag LIKE 'Y%') AND (:Purc = 0 OR u.PurcFlag LIKE 'Y%')
  AND (:Stock = 0 OR u.StockUnitFlag LIKE 'Y%') AND (:Small = 0 OR u.SmallUnitFlag LIKE 'Y%')
ORDER BY u.Fraction, u.Id)";

const char* const kSmallUnit = R"(SELECT u.Id, u.UnitName, u.Fraction, u.BarCode, u.VolumnFraction
FROM ProductUnits u
WHERE u.Product = :Product AND u.SmallUnitFlag = 'Y'
ORDER BY u.Id)";

// Price type 19 is a fixed row of the company's price types.
const char* const kChkBarCode = R"(SELECT u.Id, u.BarCode, u.Fraction, u.UnitName, u.SaleFlag, u.PurcFlag, u.StockUnitFlag,
       u.SmallUnitFlag, p.Id AS ProductId, p.Code, p.ThaiName, p.EngName, p.PosName, p.UseSerial, p.LotControl,
       p.TaxCode, p.DefaultWh, p.ItemClassify, u.PurcPrice, u.LabourCost, u.VolumnFraction, t.Rate AS TaxRate,
       p.BuyingCode, w.Code AS WhCode, w.Name AS WhName,
       (SELECT MIN(pp.Price) FROM ProductPrice pp WHERE pp.ProductUnits = u.Id AND pp.PriceType = 19) AS price,
       COALESCE(p.PerDiscountOver, 0) AS PerDiscountOver
FROM ProductUnits u
JOIN Product p ON p.Id = u.Product
LEFT JOIN Tax t ON t.Id = p.TaxCode
LEFT JOIN Warehouse w ON w.Id = p.DefaultWh
WHERE u.BarCode = :BarCode AND (p.Blocked IS NULL OR p.Blocked <> 'Y')
ORDER BY u.Id)";

const char* const kChkWarehouse = R"(SELECT w.Id, w.Code, w.Name, w.IsLocation AS islocation
FROM Warehouse w
WHERE w.Code = :Code
  AND (:Restrict = 0 OR w.Id IN (SELECT uw.Warehouse FROM UserWarehouse uw WHERE uw.UserName = :UserId)))";

const char* const kChkLotNo = "SELECT Id, Code, HasExpired, ExpiredDate FROM LotNo WHERE Code = :Code";

const char* const kSerialProduct = "SELECT UseSerial, CheckSerialOnhand FROM Product WHERE Id = :Product";

const char* const kChkSerial = "SELECT Id, Serial, OnHand FROM SerialNo WHERE Product = :Product AND Serial = :Serial";

const char* const kChkProjectItem = "SELECT id, code FROM projectitemhd WHERE project = :Project AND code = :Code";

const char* const kPriceStandard = R"(SELECT CASE WHEN m.Code = 'LAK' THEN u.PurcPriceKip
                 WHEN m.Code = 'USD' THEN u.PurcPriceUsd
                 WHEN m.Code = 'THB' THEN u.PurcPriceBaht END AS PurcPrice,
       0 AS LabourCost
FROM ProductUnits u
CROSS JOIN Vendor v
LEFT JOIN Misc m ON m.Id = v.VendorCurrency
WHERE u.Id = :Unit AND v.Id = :Vendor)";

#define MX_PART_SOURCE_PRICE                                                                          \
    "CASE WHEN m.Code = 'LAK' THEN ps.PriceKip WHEN m.Code = 'USD' THEN ps.PriceUsd "                 \
    "WHEN m.Code = 'THB' THEN ps.PriceBaht ELSE ps.Price END"

#define MX_PART_SOURCE                                                                                \
    "SELECT ps.Id, ps.PurchaseCode, ps.PurchaseName, ps.DiscountStr, ps.lastprice, ps.lastdoccode, "  \
    "ps.lastdocno, ps.lastdate, " MX_PART_SOURCE_PRICE " AS Price "                                   \
    "FROM PartSource ps JOIN Vendor v ON v.Id = ps.Vendor LEFT JOIN Misc m ON m.Id = v.POCurrencyId " \
    "WHERE ps.ProductUnits = :Unit AND ps.Vendor = :Vendor"

const char* const kExistsPartSource = MX_PART_SOURCE " ORDER BY ps.Id";
const char* const kExistsPartSourcePr = MX_PART_SOURCE " AND " MX_PART_SOURCE_PRICE " > 0 ORDER BY ps.Id";

const char* const kChkPartSource = R"(SELECT ps.Id, ps.Product, ps.ProductUnits, ps.PurchaseCode, ps.PurchaseName,
       p.Code, p.ThaiName, u.UnitName, u.Fraction, u.BarCode
FROM PartSource ps
JOIN Product p ON p.Id = ps.Product
LEFT JOIN ProductUnits u ON u.Id = ps.ProductUnits
WHERE ps.PurchaseCode = :Code AND ps.Vendor = :Vendor
ORDER BY ps.Id)";

int asked(UnitRoles roles, unsigned role) { return (roles & role) ? 1 : 0; }

void bindRoles(db::Query& q, UnitRoles roles)
{
    q.bind(S("Sale"), asked(roles, UnitRole::Sale))
        .bind(S("Purc"), asked(roles, UnitRole::Purchase))
        .bind(S("Stock"), asked(roles, UnitRole::Stock))
        .bind(S("Small"), asked(roles, UnitRole::Small));
}

// The user-warehouse permission as bound values: 1 and the user when it applies.
void bindWarehousePermission(db::Query& q)
{
    const bool restrict = TDM::instance().config(S("CheckUserWarehouseFlag")).isYes();
    q.bind(S("Restrict"), restrict ? 1 : 0).bind(S("UserId"), Session::current().UserId);
}

} // namespace

TDmProduct& TDmProduct::instance()
{
    static TDmProduct m;
    return m;
}

db::Query& TDmProduct::QChkProduct() { return m_q.get(S("QChkProduct"), S(kChkProduct)); }
db::Query& TDmProduct::QChkUnit() { return m_q.get(S("QChkUnit"), S(kChkUnit)); }
db::Query& TDmProduct::QDefaultUnit() { return m_q.get(S("QDefaultUnit"), S(kDefaultUnit)); }
db::Query& TDmProduct::QSmallUnit() { return m_q.get(S("QSmallUnit"), S(kSmallUnit)); }
db::Query& TDmProduct::QChkBarCode() { return m_q.get(S("QChkBarCode"), S(kChkBarCode)); }
db::Query& TDmProduct::QChkWarehouse() { return m_q.get(S("QChkWarehouse"), S(kChkWarehouse)); }
db::Query& TDmProduct::QChkLotNo() { return m_q.get(S("QChkLotNo"), S(kChkLotNo)); }
db::Query& TDmProduct::QChkSerial() { return m_q.get(S("QChkSerial"), S(kChkSerial)); }
db::Query& TDmProduct::QChkProjectItemCode() { return m_q.get(S("QChkProjectItemCode"), S(kChkProjectItem)); }
db::Query& TDmProduct::QPriceStandard() { return m_q.get(S("QPriceStandard"), S(kPriceStandard)); }
db::Query& TDmProduct::QExistsPartSource() { return m_q.get(S("QExistsPartSource"), S(kExistsPartSource)); }
db::Query& TDmProduct::QExistsPartSource_PR() { return m_q.get(S("QExistsPartSource_PR"), S(kExistsPartSourcePr)); }
db::Query& TDmProduct::QChkPartSource() { return m_q.get(S("QChkPartSource"), S(kChkPartSource)); }

bool TDmProduct::ExistsProduct(const QString& code)
{
    db::Query& q = QChkProduct();
    bindWarehousePermission(q);
    q.bind(S("Code"), code).open();
    const bool found = !q.isEmpty();
    m_specialName.clear();
    if (found && TDM::instance().config(S("SearchProductNo")).asInt() == 2) {
        db::Query& v = m_q.get(S("QProductView"), S(kSpecialName));
        v.bind(S("Code"), code).open();
        if (!v.isEmpty())
            m_specialName = v.field(S("ThaiName")).asString().trimmed();
        v.close();
    }
    return found;
}

bool TDmProduct::ExistsProductUnit(qint64 productId, const QString& unitName, UnitRoles roles)
{
    db::Query& q = QChkUnit();
    bindRoles(q, roles);
    q.bind(S("Product"), productId).bind(S("UnitName"), unitName).open();
    return !q.isEmpty();
}

QString TDmProduct::GetFirstUnit(qint64 productId, UnitRoles roles)
{
    db::Query& q = QDefaultUnit();
    bindRoles(q, roles);
    q.bind(S("Product"), productId).open();
    return q.isEmpty() ? QString() : q.field(S("UnitName")).asString();
}

QString TDmProduct::GetSmallUnit(qint64 productId)
{
    db::Query& q = QSmallUnit();
    q.bind(S("Product"), productId).open();
    return q.isEmpty() ? QString() : q.field(S("UnitName")).asString();
}

bool TDmProduct::ExistsBarCode(const QString& barCode)
{
    db::Query& q = QChkBarCode();
    q.bind(S("BarCode"), barCode).open();
    return !q.isEmpty();
}

bool TDmProduct::ExistsWarehouse(const QString& code)
{
    db::Query& q = QChkWarehouse();
    bindWarehousePermission(q);
    q.bind(S("Code"), code).open();
    return !q.isEmpty();
}

bool TDmProduct::ExistsLotNo(const QString& code, const QDate& date)
{
    db::Query& q = QChkLotNo();
    q.bind(S("Code"), code).open();
    if (q.isEmpty())
        return false;
    // A lot that expires but has no expiry date counts as expired, as an empty
    // date lies before every document date.
    const bool valid = !q.field(S("HasExpired")).isYes()
        || (q.field(S("ExpiredDate")).asDate().isValid() && q.field(S("ExpiredDate")).asDate() >= date);
    if (!valid)
        ui::Dialogs::instance().information(S("LotNo หมดอายุแล้ว"));
    return valid;
}

bool TDmProduct::ExistsSerialNo(const QString& serial, qint64 productId)
{
    db::Database& db = TDM::instance().database();
    db::Query& p = m_q.get(S("QSerialProduct"), S(kSerialProduct));
    p.bind(S("Product"), productId).open();
    // A product whose serials are not checked against the stock records a new serial on first use.
    if (!p.isEmpty() && p.field(S("UseSerial")).isYes() && !p.field(S("CheckSerialOnhand")).isYes()) {
        db::StoredProc proc(db, S("CreateSerialNo"));
        proc.setParam(S("@ProductId"), productId).setParam(S("@SerialCode"), serial);
        proc.exec();
    }
    p.close();
    db::Query& q = QChkSerial();
    // The procedure records the serial trimmed; the lookup reads it the same way.
    q.bind(S("Product"), productId).bind(S("Serial"), serial.trimmed()).open();
    return !q.isEmpty() && q.field(S("OnHand")).isYes();
}

bool TDmProduct::ExistsProjectItemCode(const QString& code, qint64 projectId)
{
    db::Query& q = QChkProjectItemCode();
    q.bind(S("Project"), projectId).bind(S("Code"), code).open();
    return !q.isEmpty();
}

bool TDmProduct::ExistsPartSource(qint64 unitId, qint64 vendorId)
{
    db::Query& standard = QPriceStandard();
    standard.bind(S("Unit"), unitId).bind(S("Vendor"), vendorId).open();
    db::Query& source = QExistsPartSource();
    source.bind(S("Unit"), unitId).bind(S("Vendor"), vendorId).open();
    db::Query& priced = QExistsPartSource_PR();
    priced.bind(S("Unit"), unitId).bind(S("Vendor"), vendorId).open();
    return !source.isEmpty();
}

bool TDmProduct::ExistsVendorPartCode(const QString& purchaseCode, qint64 vendorId)
{
    db::Query& q = QChkPartSource();
    q.bind(S("Code"), purchaseCode).bind(S("Vendor"), vendorId).open();
    return !q.isEmpty();
}

QString TDmProduct::OnHandText(qint64 productId, int balanceYear)
{
    return meridox::OnHandText(productId, balanceYear);
}

} // namespace meridox

#include "data/units/QuantityTexts.h"

#include "data/ModuleQueries.h"
#include "data/U_DM.h"
#include "data/units/UnitText.h"

#include <cmath>

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

ModuleQueries& queries()
{
    static ModuleQueries q;
    return q;
}

// Each stock row and the sum taken with 2 decimals (CAST: PostgreSQL rounds only
// exact numbers to a number of decimals).
const char* const kOnHand = R"(SELECT st.UnitName AS StockName, st.Fraction AS StockFraction, sm.UnitName AS SmallName,
       (SELECT SUM(ROUND(CAST(oh.quantity AS NUMERIC), 2)) FROM ProductOnHand oh
        WHERE oh.product = :Product AND oh.balanceyear = :Year) AS Quantity
FROM ProductUnits st
LEFT JOIN ProductUnits sm ON sm.Product = st.Product AND sm.SmallUnitFlag = 'Y'
WHERE st.Product = :Product AND st.StockUnitFlag = 'Y'
ORDER BY st.Id)";

const char* const kUnit = R"(SELECT u.UnitName, u.Fraction, sm.UnitName AS SmallName
FROM ProductUnits u
LEFT JOIN ProductUnits sm ON sm.Product = u.Product AND sm.SmallUnitFlag = 'Y'
WHERE u.Id = :Unit
ORDER BY sm.Id)";

const char* const kStockOfUnit = R"(SELECT u.Fraction, st.Fraction AS StockFraction, st.UnitName AS StockName
FROM ProductUnits u
LEFT JOIN ProductUnits st ON st.Product = u.Product AND st.StockUnitFlag = 'Y'
WHERE u.Id = :Unit
ORDER BY st.Id)";

// Fractions are whole numbers of small units, stored as numbers.
int fractionOf(const db::Value& v) { return static_cast<int>(std::llround(v.asFloat())); }

UnitDescription unitOf(qint64 unitId)
{
    db::Query& q = queries().get(S("QuantityUnit"), S(kUnit));
    q.bind(S("Unit"), unitId).open();
    UnitDescription u;
    u.found = !q.isEmpty();
    if (u.found) {
        u.unitName = q.field(S("UnitName")).asString();
        u.fraction = fractionOf(q.field(S("Fraction")));
        u.smallUnitName = q.field(S("SmallName")).asString();
    }
    q.close();
    return u;
}

} // namespace

QString OnHandText(qint64 productId, int balanceYear)
{
    db::Query& q = queries().get(S("OnHand"), S(kOnHand));
    q.bind(S("Product"), productId).bind(S("Year"), balanceYear).open();
    UnitDescription u;
    u.found = !q.isEmpty();
    double quantity = 0;
    if (u.found) {
        u.stockUnitName = q.field(S("StockName")).asString();
        u.stockFraction = fractionOf(q.field(S("StockFraction")));
        u.smallUnitName = q.field(S("SmallName")).asString();
        quantity = std::round(q.field(S("Quantity")).asFloat() * 100.0) / 100.0;
    }
    q.close();
    return renderOnHand(quantity, u);
}

QString QuantityText(double smallQuantity, qint64 unitId)
{
    UnitDescription u = unitOf(unitId);
    TDM& dm = TDM::instance();
    u.unitLeft = dm.config(S("UnitLeft")).asString();
    u.unitRight = dm.config(S("UnitRight")).asString();
    u.onhandDecimal = dm.config(S("OnhandDecimal")).asInt();
    return renderQuantity(smallQuantity, u);
}

QString QuantityPartText(double smallQuantity, qint64 unitId, int part)
{
    return renderQuantityPart(smallQuantity, unitOf(unitId), part);
}

QString StockFractionText(double quantity, qint64 unitId)
{
    db::Query& q = queries().get(S("StockOfUnit"), S(kStockOfUnit));
    q.bind(S("Unit"), unitId).open();
    UnitDescription u;
    u.found = !q.isEmpty();
    if (u.found) {
        u.fraction = fractionOf(q.field(S("Fraction")));
        u.stockFraction = fractionOf(q.field(S("StockFraction")));
        u.stockUnitName = q.field(S("StockName")).asString();
    }
    q.close();
    return renderStockFraction(quantity, u);
}

} // namespace meridox

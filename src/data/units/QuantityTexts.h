#pragma once
// The quantity texts read from the company database: each reads the units (and
// the stock) it needs in one query and renders them with the pure functions of
// UnitText.h, with the company's unit settings.
#include <QString>

namespace meridox {

// Stock on hand of the product in every warehouse for the balance year, in its
// stock unit and the small units left over; "Error" when the product has no stock unit.
QString OnHandText(qint64 productId, int balanceYear);
// Report function "ONHANDQUANTITY": a small-unit quantity in the given unit.
QString QuantityText(double smallQuantity, qint64 unitId);
// Report function "ONHANDQUANTITYLSUNIT": part 1 the whole units, part 2 the small units left over.
QString QuantityPartText(double smallQuantity, qint64 unitId, int part);
// Report function "FRACSMALLBYSTOCK": a quantity of the given unit as whole stock
// units and the fraction of one.
QString StockFractionText(double quantity, qint64 unitId);

} // namespace meridox

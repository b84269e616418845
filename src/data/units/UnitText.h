#pragma once
// The four texts of a quantity counted in several units: the stock on hand of the
// document windows' status bar and the quantity functions of the printed forms.
// They are pure: the caller reads the unit, the product's small and stock units
// and the company settings, and passes them in.
#include <QString>

namespace meridox {

struct UnitDescription {
    // False when the unit (or, for the stock on hand, the product's units) was not found.
    bool found = true;
    // The unit the quantity is given in.
    QString unitName;
    int fraction = 1;  // small units in one of it
    // The product's small unit and stock unit.
    QString smallUnitName;
    QString stockUnitName;
    int stockFraction = 1;
    // Company settings: texts around every unit name of renderQuantity, and its
    // number of decimals (NULL is passed as 0: free format).
    QString unitLeft;
    QString unitRight;
    int onhandDecimal = 0;
};

// Stock on hand in the stock unit and the small units left over ("2 box 6 pcs").
// The caller passes the sum of the product's stock rows, already taken with 2
// decimals; not trimmed; "Error" when the product's units were not found.
QString renderOnHand(double smallQuantity, const UnitDescription& unit);

// A small-unit quantity in the given unit and the small units left over, names
// between unitLeft and unitRight, trimmed; "ERROR" after the number when the unit
// is unknown.
QString renderQuantity(double smallQuantity, const UnitDescription& unit);

// One piece of the same split: part 1 the whole units, part 2 the small units left
// over; "IDERROR" after the number for any other part, "ERROR" for an unknown unit.
QString renderQuantityPart(double smallQuantity, const UnitDescription& unit, int part);

// A quantity of the given unit as whole stock units, ";", and the fraction of a
// stock unit left over, two blanks and the stock unit's name ("2;1/2  box").
QString renderStockFraction(double quantity, const UnitDescription& unit);

} // namespace meridox

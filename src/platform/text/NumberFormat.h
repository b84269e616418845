#pragma once
// Picture formats for numbers, as every window, report and rendering shows them.
#include <QString>

namespace meridox {

// Writes value by a picture such as "#,##0.00" or " ######.###### ":
//   "0"  a required digit, "#" an optional digit;
//   ","  anywhere before the decimal point: thousands grouping of the whole part;
//   "."  the decimal point, written only when a decimal digit follows it;
//   ";"  separates sections: positive;negative;zero. The negative section is used
//        as it stands (it carries its own sign); without one a "-" goes first.
//        A value that rounds to zero is never written with a minus sign.
//   text in '...' or "..." and any other character are kept as literals, blanks included.
// The value is rounded half away from zero at the picture's decimals, decided on
// its 15-digit decimal text, so 2.345 gives "2.35" although the double is
// 2.34499999...; the output uses "." and "," whatever the locale.
// An empty picture gives the plain number (up to 15 significant digits).
QString formatNumber(double value, const QString& picture);

} // namespace meridox

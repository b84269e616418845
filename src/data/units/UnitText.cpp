#include "data/units/UnitText.h"

#include "platform/text/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace meridox {

namespace {

const QString kWholeFormat = QStringLiteral("###,###,##0 ");
const QString kDecimalFormat = QStringLiteral("###,###,##0.###### ");
const QString kRestFormat = QStringLiteral(" ######.###### ");
const QString kCountFormat = QStringLiteral("#,###.##;-#,###.##");

// A fraction below 1 is bad data; it counts as 1 rather than dividing by zero
// or counting the quantity twice.
int safeFraction(int fraction) { return std::max(fraction, 1); }

// Quantities are never shown with more than 6 decimals; dropping the binary noise
// below that first keeps 35.99999999999 pieces from reading as 2 boxes 12 pieces.
double settled(double quantity)
{
    return formatNumber(quantity, QStringLiteral("0.######")).toDouble();
}

struct Split {
    QString sign;
    QString large;  // whole units with the unit's name
    QString small;  // small units left over with the small unit's name
};

// Counts |quantity| small units as whole units of the given fraction and the rest.
Split split(double quantity, int fraction, const QString& unitName, const QString& smallName,
            const QString& decimalFormat, const QString& restFormat)
{
    Split s;
    double q = settled(quantity);
    if (q < 0) {
        s.sign = QStringLiteral("- ");
        q = -q;
    }
    if (fraction == 1) {
        const QString number = formatNumber(q, decimalFormat);
        // A format of optional digits writes nothing for 0; the quantity then reads "0 unit".
        if (!number.trimmed().isEmpty())
            s.large = number + unitName;
        return s;
    }
    const double whole = std::trunc(q / fraction);
    if (whole != 0)
        s.large = formatNumber(whole, kWholeFormat) + unitName;
    const double rest = q - whole * fraction;
    if (rest != 0)
        s.small = formatNumber(rest, restFormat) + smallName;
    return s;
}

QString joined(const Split& s, const QString& unitName)
{
    const QString text = s.large + s.small;
    return s.sign + (text.isEmpty() ? QStringLiteral("0 ") + unitName : text);
}

} // namespace

QString renderOnHand(double smallQuantity, const UnitDescription& unit)
{
    if (!unit.found)
        return QStringLiteral("Error");
    const Split s = split(smallQuantity, safeFraction(unit.stockFraction), unit.stockUnitName,
                          unit.smallUnitName, kDecimalFormat, kRestFormat);
    return joined(s, unit.stockUnitName);
}

QString renderQuantity(double smallQuantity, const UnitDescription& unit)
{
    const QString format = unit.onhandDecimal > 0
        ? QStringLiteral(" #,###,##0.") + QString(unit.onhandDecimal, u'0') + u' '
        : QStringLiteral(" #,###,###.###### ");
    if (!unit.found)
        return (formatNumber(smallQuantity, format) + QStringLiteral("ERROR")).trimmed();
    const QString unitName = unit.unitLeft + unit.unitName + unit.unitRight;
    const QString smallName = unit.unitLeft + unit.smallUnitName + unit.unitRight;
    const Split s = split(smallQuantity, safeFraction(unit.fraction), unitName, smallName, format, format);
    return joined(s, unitName).trimmed();
}

QString renderQuantityPart(double smallQuantity, const UnitDescription& unit, int part)
{
    if (!unit.found)
        return formatNumber(smallQuantity, kDecimalFormat) + QStringLiteral("ERROR");
    if (part != 1 && part != 2)
        return formatNumber(smallQuantity, kDecimalFormat) + QStringLiteral("IDERROR");
    Split s = split(smallQuantity, safeFraction(unit.fraction), unit.unitName, unit.smallUnitName,
                    kDecimalFormat, kRestFormat);
    if (s.large.isEmpty() && s.small.isEmpty())
        s.large = QStringLiteral("0 ") + unit.unitName;
    const QString& piece = part == 1 ? s.large : s.small;
    // An empty piece stays empty: a sign alone would print as "- ".
    return piece.isEmpty() ? QString() : s.sign + piece;
}

QString renderStockFraction(double quantity, const UnitDescription& unit)
{
    if (!unit.found)
        return QStringLiteral(";0");
    const long long stock = safeFraction(unit.stockFraction);
    long long n = static_cast<long long>(std::trunc(settled(quantity * safeFraction(unit.fraction))));

    QString wholeText;
    QString fractionText;
    if (n == 0) {
        fractionText = QStringLiteral("0");
    } else {
        const long long whole = n / stock;  // truncates toward zero
        if (whole != 0) {
            wholeText = formatNumber(double(whole), kCountFormat);
            n -= whole * stock;
        }
        if (n != 0) {
            if (stock == 2 * n) {
                fractionText = QStringLiteral("1/2");
            } else {
                // The rest keeps its sign in the numerator ("-1/3").
                const long long divisor = std::gcd(std::llabs(n), stock);
                fractionText = formatNumber(double(n / divisor), kCountFormat) + u'/'
                    + formatNumber(double(stock / divisor), kCountFormat);
            }
        }
    }
    return wholeText.trimmed() + u';' + (fractionText + QStringLiteral("  ") + unit.stockUnitName).trimmed();
}

} // namespace meridox

#pragma once
// The decimal rounding routine shared by every purchase document, and the two
// text forms of numbers the arithmetic compares and shows. "." is the decimal
// point whatever the locale.
#include <QString>
#include <string>

namespace meridox::arithmetic {

// Rounds `value` half away from zero to `digits` decimals, deciding on its
// fixed-point text: the value is first written with `digits + 5` decimals and
// at most `precision` significant digits (18 for money, 15 for prices and the
// measure test), so 2.34499999 gives 2.35 and 2.3449999 gives 2.34 with 2
// digits. Callers pass their intermediate products in extended precision; the
// result is stored as double. Values with more integer digits than
// `precision` are returned unchanged.
double RoundDecimal(long double value, int digits, int precision);

namespace detail {
// The fixed-point text of step one: `decimals` decimals, at most `precision`
// significant digits; empty when the value has more integer digits than
// `precision` (or is not finite).
std::string FixedText(long double value, int decimals, int precision);
// RoundDecimal taken entirely through the text (the general path; the public
// function takes an exact integer shortcut whenever the text cannot differ).
double RoundDecimalByText(long double value, int digits, int precision);
} // namespace detail

// The general text of a number with at most 15 significant digits and no
// trailing zeros ("2.9", "100", "0.3"): how amounts are turned into discount
// texts and how hand-typed VAT is compared as text.
QString FloatText(double value);

// A money amount in the form "###,###,##0.00" ("1,234.50", "-0.40").
QString MoneyText(double value);

} // namespace meridox::arithmetic

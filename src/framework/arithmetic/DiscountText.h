#pragma once
// The interpreter of line discount texts.
#include <QString>

namespace meridox::arithmetic {

// Returns `amount` after the discounts `text` describes: percentage terms, each
// a number followed by "%" (or "/", the same), optionally followed by a plain
// number that is subtracted as an amount. "10%" leaves 90 %, "10%5%" and
// "10/5/" apply 10 % and then 5 % of the rest, "100" subtracts 100, "10%100"
// applies 10 % and then subtracts 100; an empty text and a lone "%" change
// nothing.
//
// A number is an optional sign and decimal digits with "." as the decimal
// point under any locale, with blanks allowed around it. Any other piece (an
// empty one from a doubled "%", "10+5", letters, a "," or an exponent) raises
// meridox::ConversionError with the message "'<piece>' is not a valid floating
// point value".
double ApplyDiscountText(const QString& text, double amount);

} // namespace meridox::arithmetic

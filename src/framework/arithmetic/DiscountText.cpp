#include "framework/arithmetic/DiscountText.h"

#include "platform/os/Errors.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace meridox::arithmetic {

namespace {

// Without the blanks (control characters and spaces) at either end.
QStringView Trimmed(QStringView t)
{
    const auto blank = [](QChar c) { return c.unicode() <= u' '; };
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && blank(t[begin]))
        ++begin;
    while (end > begin && blank(t[end - 1]))
        --end;
    return t.sliced(begin, end - begin);
}

// The value of a text of decimal digits with at most one ".". Up to 19
// digits the integer they make and 10^decimals are exact in extended
// precision, so one division gives the correctly rounded value, as the
// general conversion does.
bool DecimalValue(const std::string& number, long double& value)
{
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (char c : number) {
        if (c == '.') {
            point = true;
            continue;
        }
        if (mantissa == 0 && c == '0') {
            decimals += point ? 1 : 0;
            continue;
        }
        if (++digits > 19)
            break;
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        decimals += point ? 1 : 0;
    }
    if (digits <= 19 && decimals <= 27) {
        long double scale = 1.0L;
        for (int i = 0; i < decimals; ++i)
            scale *= 10.0L;
        value = static_cast<long double>(mantissa) / scale;
        return true;
    }
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    return r.ec == std::errc() && r.ptr == number.data() + number.size();
}

// The value of one piece of a discount text.
long double PieceValue(QStringView rawPiece)
{
    const QStringView piece = Trimmed(rawPiece);
    qsizetype i = 0;
    const qsizetype end = piece.size();

    std::string number;
    number.reserve(static_cast<size_t>(end - i));
    bool negative = false;
    if (i < end && (piece[i] == u'+' || piece[i] == u'-')) {
        negative = piece[i] == u'-';
        ++i;
    }
    int digitCount = 0;
    bool point = false;
    bool valid = i < end;
    for (; i < end && valid; ++i) {
        const char16_t c = piece[i].unicode();
        if (c >= u'0' && c <= u'9') {
            ++digitCount;
            number += static_cast<char>(c);
        } else if (c == u'.' && !point) {
            point = true;
            number += '.';
        } else {
            valid = false;
        }
    }
    long double value = 0.0L;
    if (valid && digitCount > 0)
        valid = DecimalValue(number, value);
    else
        valid = false;
    if (!valid)
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(rawPiece.toString()));
    return negative ? -value : value;
}

} // namespace

double ApplyDiscountText(const QString& text, double amount)
{
    const QStringView t = Trimmed(text);
    if (t.isEmpty())
        return amount;
    const auto isPercent = [](QChar c) { return c == u'%' || c == u'/'; };
    if (t.size() == 1 && isPercent(t[0]))
        return amount; // "%" reads as "0%"

    double a = amount;
    qsizetype start = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!isPercent(t[i]))
            continue;
        const long double rate = PieceValue(t.sliced(start, i - start));
        a = static_cast<double>(static_cast<long double>(a) * (100.0L - rate) / 100.0L);
        start = i + 1;
    }
    if (start < t.size())
        a = static_cast<double>(static_cast<long double>(a) - PieceValue(t.sliced(start)));
    return a;
}

} // namespace meridox::arithmetic

#include "framework/arithmetic/RoundDecimal.h"

#include <array>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdlib>

namespace meridox::arithmetic {

namespace {

constexpr std::array<long double, 28> kPow10L = [] {
    std::array<long double, 28> p{};
    long double v = 1.0L;
    for (auto& x : p) {
        x = v;
        v *= 10.0L;
    }
    return p;
}();

constexpr std::array<double, 23> kPow10 = [] {
    std::array<double, 23> p{};
    double v = 1.0;
    for (auto& x : p) {
        x = v;
        v *= 10.0;
    }
    return p;
}();

double NoNegativeZero(double v) { return v == 0.0 ? 0.0 : v; }

// Adds one unit of the last decimal to the magnitude of a decimal text
// ("-2.34" -> "-2.35", "9.99" -> "10.00").
void IncrementMagnitude(std::string& t)
{
    int i = static_cast<int>(t.size()) - 1;
    for (; i >= 0; --i) {
        char& c = t[static_cast<size_t>(i)];
        if (c == '.')
            continue;
        if (c < '0' || c > '9')
            break;
        if (c == '9') {
            c = '0';
            continue;
        }
        ++c;
        return;
    }
    t.insert(static_cast<size_t>(i + 1), 1, '1');
}

// The integer nearest to 0 <= y < 2^63, as an integer and as a long double.
// On the x87 format, adding 2^63 leaves a significand of exactly 2^63 + that
// integer, read without switching the rounding mode as floorl and integer
// conversions do.
void NearestInteger(long double y, std::uint64_t& n, long double& nearest)
{
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
    const long double shifted = y + 0x1p63L;
    std::uint64_t significand = 0;
    std::memcpy(&significand, &shifted, sizeof significand);
    n = significand - (std::uint64_t{1} << 63);
    nearest = shifted - 0x1p63L;
#else
    nearest = std::nearbyint(y);
    n = static_cast<std::uint64_t>(nearest);
#endif
}

} // namespace

namespace detail {

std::string FixedText(long double value, int decimals, int precision)
{
    if (!std::isfinite(value))
        return {};
    char buf[128];
    int exponent = 0;
    if (value != 0.0L) {
        auto sci = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, precision - 1);
        const std::string_view s(buf, static_cast<size_t>(sci.ptr - buf));
        const auto e = s.find('e');
        exponent = std::atoi(std::string(s.substr(e + 1)).c_str());
    }
    const int allowed = precision - 1 - exponent; // decimals within `precision` significant digits
    if (allowed < 0)
        return {};
    const int used = std::min(decimals, allowed);
    auto fixed = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, used);
    std::string text(buf, fixed.ptr);
    if (text.find('.') == std::string::npos)
        text += '.';
    text.append(static_cast<size_t>(decimals - used), '0');
    return text;
}

double RoundDecimalByText(long double value, int digits, int precision)
{
    std::string text = FixedText(value, digits + 5, precision);
    if (text.empty())
        return static_cast<double>(value);
    text += '0';
    const size_t point = text.find('.');
    const std::string s = text.substr(0, point + static_cast<size_t>(digits) + 2);
    std::string r = s.substr(0, s.size() - 1);
    if (s.back() > '4')
        IncrementMagnitude(r);
    double result = 0.0;
    std::from_chars(r.data(), r.data() + r.size(), result);
    return NoNegativeZero(result);
}

} // namespace detail

double RoundDecimal(long double value, int digits, int precision)
{
    // Shortcut: when `digits + 5` decimals fit within `precision` significant
    // digits, the text of step one is the value scaled by 10^(digits + 5) and
    // rounded to an integer. That integer is taken exactly unless the scaled
    // value lies so near a half that the product's rounding could matter; then
    // the text itself decides.
    if (digits >= 0 && digits <= 12 && precision <= 18 && precision - digits - 5 >= 0) {
        const long double a = std::fabs(value);
        if (a < kPow10L[static_cast<size_t>(precision - digits - 5)]) {
            const long double y = a * kPow10L[static_cast<size_t>(digits + 5)]; // below 10^18 < 2^63
            std::uint64_t n = 0;
            long double nearest = 0;
            NearestInteger(y, n, nearest);
            const long double off = std::fabs(y - nearest); // at most one half
            if (std::fabs(off - 0.5L) > y * 0x1p-60L + 0x1p-60L) {
                std::uint64_t r = n / 100000;
                if ((n / 10000) % 10 > 4)
                    ++r;
                // r < 10^13 and 10^digits are exact doubles: one correctly
                // rounded division gives the double nearest the decimal result.
                const double result = static_cast<double>(r) / kPow10[static_cast<size_t>(digits)];
                return NoNegativeZero(value < 0 ? -result : result);
            }
        }
    }
    return detail::RoundDecimalByText(value, digits, precision);
}

QString FloatText(double value)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, NoNegativeZero(value), std::chars_format::general, 15);
    return QString::fromLatin1(buf, static_cast<int>(r.ptr - buf));
}

QString MoneyText(double value)
{
    const double rounded = RoundDecimal(value, 2, 18);
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(rounded), std::chars_format::fixed, 2);
    const std::string digits(buf, r.ptr);
    const size_t point = digits.find('.');
    std::string out;
    for (size_t i = 0; i < point; ++i) {
        if (i > 0 && (point - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    out += digits.substr(point);
    if (rounded < 0)
        out.insert(out.begin(), '-');
    return QString::fromLatin1(out.data(), static_cast<int>(out.size()));
}

} // namespace meridox::arithmetic

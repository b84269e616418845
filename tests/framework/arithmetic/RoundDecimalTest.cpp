#include "framework/arithmetic/RoundDecimal.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <cmath>
#include <random>

using namespace meridox::arithmetic;

namespace {

struct RoundCase {
    long double value;
    int digits;
    int precision;
    double expected;
};

void PrintTo(const RoundCase& c, std::ostream* os)
{
    *os << static_cast<double>(c.value) << " to " << c.digits << " digits, precision " << c.precision;
}

class RoundDecimalTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecimalTable, RoundsOnTheFixedPointText)
{
    const RoundCase& c = GetParam();
    EXPECT_EQ(RoundDecimal(c.value, c.digits, c.precision), c.expected);
    EXPECT_EQ(detail::RoundDecimalByText(c.value, c.digits, c.precision), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundDecimalTable,
    ::testing::Values(
        // The decision is taken on the text with digits + 5 decimals.
        RoundCase{2.34499999L, 2, 18, 2.35}, RoundCase{2.3449999L, 2, 18, 2.34},
        RoundCase{2.3449, 2, 18, 2.34}, RoundCase{2.345, 2, 18, 2.35},
        // Negative values round away from zero; a negative value that rounds to nothing is 0.
        RoundCase{-2.345, 2, 18, -2.35}, RoundCase{-0.004, 2, 18, 0.0}, RoundCase{-0.005, 2, 18, -0.01},
        RoundCase{-1234567.125L, 2, 18, -1234567.13}, RoundCase{0.0L, 2, 18, 0.0},
        // Half cases at 2 digits: the binary value lies just under the half,
        // the text of step one does not.
        RoundCase{1.005, 2, 18, 1.01}, RoundCase{2.675, 2, 18, 2.68}, RoundCase{0.125, 2, 18, 0.13},
        RoundCase{-0.125, 2, 18, -0.13}, RoundCase{999.995, 2, 18, 1000.0}, RoundCase{9.9999999L, 2, 18, 10.0},
        RoundCase{100.0L * 100 / 107, 2, 18, 93.46}, RoundCase{100.0L * 7 / 107, 2, 18, 6.54},
        // Half cases at 3 digits.
        RoundCase{1.0005, 3, 18, 1.001}, RoundCase{-1.0005, 3, 18, -1.001}, RoundCase{10.2775, 3, 18, 10.278},
        RoundCase{3.6L, 3, 18, 3.6}, RoundCase{1.0004999L, 3, 18, 1.0},
        // Half cases at 6 digits.
        RoundCase{0.0000005L, 6, 15, 0.000001}, RoundCase{1.2345675, 6, 15, 1.234568},
        RoundCase{-1.2345665, 6, 15, -1.234567}, RoundCase{100.0L / 3, 6, 15, 33.333333},
        RoundCase{0.33333333333L, 6, 15, 0.333333},
        // Near precision 15: ten integer digits leave five decimals, so the
        // text already reads .00500; precision 18 keeps .0049960.
        RoundCase{1234567890.004996L, 2, 15, 1234567890.01}, RoundCase{1234567890.004996L, 2, 18, 1234567890.0},
        RoundCase{12345.12345649999L, 6, 15, 12345.123457}, RoundCase{12345.12345649999L, 6, 18, 12345.123456},
        // Near precision 18: thirteen integer digits leave five decimals at 18
        // and two at 15.
        RoundCase{1234567890123.004996L, 2, 18, 1234567890123.01},
        RoundCase{1234567890123.004996L, 2, 15, 1234567890123.0},
        // More integer digits than the precision: returned as it is.
        RoundCase{1e16L, 2, 15, 1e16}));

TEST(RoundDecimal, ShortcutAgreesWithTheText)
{
    std::mt19937_64 gen(20240611);
    std::uniform_real_distribution<double> money(-1e7, 1e7);
    std::uniform_int_distribution<int> cents(-100000000, 100000000);
    for (int i = 0; i < 20000; ++i) {
        const long double a = money(gen);
        // Values on and near the halves, where the text decides.
        const long double b = (cents(gen) + 0.5L) / 1000.0L;
        const long double c = static_cast<long double>(static_cast<double>(b));
        for (long double v : {a, b, c}) {
            for (auto [digits, precision] : {std::pair{2, 18}, std::pair{3, 18}, std::pair{6, 15}, std::pair{2, 15}}) {
                ASSERT_EQ(RoundDecimal(v, digits, precision), detail::RoundDecimalByText(v, digits, precision))
                    << static_cast<double>(v) << " " << digits << " " << precision;
            }
        }
    }
}

TEST(RoundDecimal, FixedTextHasDigitsPlusFiveDecimals)
{
    EXPECT_EQ(detail::FixedText(2.34499999L, 7, 18), "2.3450000");
    EXPECT_EQ(detail::FixedText(-0.004, 7, 18), "-0.0040000");
    EXPECT_EQ(detail::FixedText(1234567890.004996L, 7, 15), "1234567890.0050000");
    EXPECT_EQ(detail::FixedText(1e16L, 7, 15), "");
}

TEST(RoundDecimal, IgnoresTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* c = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(RoundDecimal(2.34499999L, 2, 18), 2.35);
    EXPECT_EQ(FloatText(2.9), QStringLiteral("2.9"));
    EXPECT_EQ(MoneyText(1234.5), QStringLiteral("1,234.50"));
    if (c)
        std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(before);
}

TEST(NumberText, GeneralForm)
{
    EXPECT_EQ(FloatText(2.9), QStringLiteral("2.9"));
    EXPECT_EQ(FloatText(100.0), QStringLiteral("100"));
    EXPECT_EQ(FloatText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(FloatText(70.00000000000001), QStringLiteral("70"));
    EXPECT_EQ(FloatText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(FloatText(-12.25), QStringLiteral("-12.25"));
}

TEST(NumberText, MoneyForm)
{
    EXPECT_EQ(MoneyText(59.85), QStringLiteral("59.85"));
    EXPECT_EQ(MoneyText(70), QStringLiteral("70.00"));
    EXPECT_EQ(MoneyText(0), QStringLiteral("0.00"));
    EXPECT_EQ(MoneyText(-0.4), QStringLiteral("-0.40"));
    EXPECT_EQ(MoneyText(999.995), QStringLiteral("1,000.00"));
    EXPECT_EQ(MoneyText(1234567.5), QStringLiteral("1,234,567.50"));
    EXPECT_EQ(MoneyText(-123456789.125), QStringLiteral("-123,456,789.13"));
}

} // namespace

#include "framework/arithmetic/DiscountText.h"

#include "platform/os/Errors.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

using namespace meridox::arithmetic;

namespace {

struct DiscountCase {
    const char* text;
    double amount;
    double expected;
};

void PrintTo(const DiscountCase& c, std::ostream* os) { *os << '"' << c.text << "\" on " << c.amount; }

class DiscountTable : public ::testing::TestWithParam<DiscountCase> {};

TEST_P(DiscountTable, Applies)
{
    const DiscountCase& c = GetParam();
    EXPECT_DOUBLE_EQ(ApplyDiscountText(QString::fromLatin1(c.text), c.amount), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DiscountTable,
    ::testing::Values(
        DiscountCase{"", 1000, 1000}, DiscountCase{"   ", 1000, 1000}, DiscountCase{"%", 1000, 1000},
        DiscountCase{"/", 1000, 1000}, DiscountCase{" % ", 1000, 1000}, DiscountCase{"10%", 1000, 900},
        DiscountCase{"10/", 1000, 900}, DiscountCase{"10%5%", 1000, 855}, DiscountCase{"10/5/", 1000, 855},
        DiscountCase{"10%5/", 1000, 855}, DiscountCase{"100", 1000, 900}, DiscountCase{"10%100", 1000, 800},
        DiscountCase{"5%5%5%", 1000, 857.375}, DiscountCase{"0%", 1000, 1000}, DiscountCase{"0", 1000, 1000},
        DiscountCase{"100%", 1000, 0}, DiscountCase{"2.5%", 1000, 975}, DiscountCase{"10.5", 1000, 989.5},
        DiscountCase{"12.5%0.75", 200, 174.25}, DiscountCase{".5", 10, 9.5}, DiscountCase{"5.", 10, 5},
        DiscountCase{" 10 % ", 1000, 900}, DiscountCase{"10 % 5 %", 1000, 855}, DiscountCase{"-5%", 1000, 1050},
        DiscountCase{"+5%", 1000, 950}, DiscountCase{"10%-20", 1000, 920}, DiscountCase{"10%", -200, -180},
        DiscountCase{"10%", 0, 0}));

class MalformedDiscount : public ::testing::TestWithParam<const char*> {};

TEST_P(MalformedDiscount, RaisesAConversionError)
{
    EXPECT_THROW(ApplyDiscountText(QString::fromUtf8(GetParam()), 1000), meridox::ConversionError);
}

INSTANTIATE_TEST_SUITE_P(Texts, MalformedDiscount,
                         ::testing::Values("10+5", "10%%", "%%", "//", "%10%", "abc", "10%x", "x10", "1,5",
                                           "5.5.5", "1e2", "--5", "+-5", ".", "-", "10%5 5", "10 5",
                                           "๑๐%" /* Thai digits */, "10%\t%"));

TEST(DiscountText, MessageNamesThePiece)
{
    try {
        ApplyDiscountText(QStringLiteral("10+5"), 1000);
        FAIL() << "no error";
    } catch (const meridox::ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'10+5' is not a valid floating point value"));
    }
    try {
        ApplyDiscountText(QStringLiteral("10%%"), 1000);
        FAIL() << "no error";
    } catch (const meridox::ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'' is not a valid floating point value"));
    }
}

} // namespace

namespace {

TEST(DiscountText, NumbersReadAsTheGeneralConversionReadsThem)
{
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<std::uint64_t> digits(0, 9999999999999ULL);
    std::uniform_int_distribution<int> places(0, 12);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(digits(gen));
        const int p = std::min(places(gen), static_cast<int>(text.size()));
        text.insert(text.size() - static_cast<size_t>(p), ".");
        long double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        // The amount less the number: 0 - value, stored as double.
        ASSERT_EQ(ApplyDiscountText(QString::fromStdString(text), 0), static_cast<double>(-value)) << text;
        // As a rate: 1000 x (100 - value) / 100.
        ASSERT_EQ(ApplyDiscountText(QString::fromStdString(text + "%"), 1000),
                  static_cast<double>(1000.0L * (100.0L - value) / 100.0L))
            << text;
    }
}

} // namespace

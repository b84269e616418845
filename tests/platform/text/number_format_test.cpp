#include "platform/text/NumberFormat.h"

#include <QLocale>
#include <gtest/gtest.h>

using meridox::formatNumber;

namespace {

struct Case {
    double value;
    const char* picture;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.value << " by \"" << c.picture << "\""; }

class FormatNumberTest : public ::testing::TestWithParam<Case> {};

TEST_P(FormatNumberTest, WritesValueByPicture)
{
    const Case& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.picture)), QString::fromUtf8(c.expected));
}

// The pictures of the grids, edits, footers and unit texts.
INSTANTIATE_TEST_SUITE_P(SystemPictures, FormatNumberTest, ::testing::Values(
    Case{1234567.891, "#,##0.00", "1,234,567.89"},
    Case{0, "#,##0.00", "0.00"},
    Case{5, "#,##0.000", "5.000"},
    Case{1234.5678, "#,##0.0000", "1,234.5678"},
    Case{1234.5, "#,##0.##", "1,234.5"},
    Case{3, "#,##0.##", "3"},
    Case{999.5, "#,##0", "1,000"},
    Case{1000000, "#,##0", "1,000,000"},
    Case{1234, "#,###", "1,234"},
    Case{0, "#,###", ""},
    Case{1234.5, "#,###.00", "1,234.50"},
    Case{0.5, "#,###.00", ".50"},
    Case{1234.5, "###0.##", "1234.5"},
    Case{0.125, "###0.##", "0.13"},
    Case{1234.5, "###0.00", "1234.50"},
    Case{1234.5, "###0.0000", "1234.5000"},
    Case{1234567.5, "###,###,##0.00", "1,234,567.50"},
    Case{12.5, "#,##0.", "13"},
    Case{1234.5678, ",0.000", "1,234.568"},
    Case{1234.5, ",0.0000", "1,234.5000"},
    Case{3.14159, ",0.###", "3.142"},
    Case{3.1, ",0.###", "3.1"},
    Case{0, ",0.00", "0.00"},
    Case{1234567.5, "###,###,##0 ", "1,234,568 "},
    Case{2, "###,###,##0.###### ", "2 "},
    Case{0.1234567, "###,###,##0.###### ", "0.123457 "},
    Case{6, " ######.###### ", " 6 "},
    Case{1234567.25, " ######.###### ", " 1234567.25 "},
    Case{0.5, " ######.###### ", " .5 "},
    Case{1.5, " #,###,##0.00 ", " 1.50 "},
    Case{0, " #,###,##0.00 ", " 0.00 "},
    Case{1234.125, " #,###,###.###### ", " 1,234.125 "},
    Case{0, " #,###,###.###### ", "  "},
    Case{1234, "#,###.##;-#,###.##", "1,234"},
    Case{0.5, "#,###.##;-#,###.##", ".5"}));

INSTANTIATE_TEST_SUITE_P(Negatives, FormatNumberTest, ::testing::Values(
    Case{-1234.5, "#,##0.00", "-1,234.50"},
    Case{-1234.5, "#,##0.00;-#,##0.00", "-1,234.50"},
    Case{-1234.5, ",0.00;-,0.00", "-1,234.50"},
    Case{-1234.5, "#,##0.00;(#,##0.00)", "(1,234.50)"},
    Case{-2, "#,###.##;-#,###.##", "-2"},
    // Without a second section the sign goes in front of the literals.
    Case{-5, " #,###,###.###### ", "- 5 "},
    Case{-5, "#,##0.00;", "-5.00"},
    // What rounds to zero carries no sign.
    Case{-0.001, "#,##0.00", "0.00"},
    Case{-0.001, "#,##0.00;(#,##0.00)", "0.00"}));

INSTANTIATE_TEST_SUITE_P(Rounding, FormatNumberTest, ::testing::Values(
    Case{2.345, "#,##0.00", "2.35"},     // the double is 2.34499999...
    Case{1.005, "#,##0.00", "1.01"},
    Case{0.15, "0.0", "0.2"},
    Case{0.995, "0.00", "1.00"},
    Case{2.344999, "#,##0.00", "2.34"},
    Case{-2.345, "#,##0.00", "-2.35"},
    Case{0.5, "#,##0", "1"},
    Case{2.5, "#,##0", "3"},
    Case{-2.5, "#,##0", "-3"},
    Case{9.995, "0.00", "10.00"},
    Case{999999.995, "#,##0.00", "1,000,000.00"},
    Case{0.4, "#,###", ""},
    Case{1e-20, "#,##0.00", "0.00"},
    Case{1e15, "#,##0", "1,000,000,000,000,000"},
    Case{123456789012.345, "#,##0.00", "123,456,789,012.35"}));

INSTANTIATE_TEST_SUITE_P(Literals, FormatNumberTest, ::testing::Values(
    Case{1234.5, "#,##0.00 บาท", "1,234.50 บาท"},
    Case{-5, "$#,##0", "-$5"},
    Case{5, "0000", "0005"},
    Case{7, "\"No. \"0;'minus' 0", "No. 7"},
    Case{-7, "\"No. \"0;'minus' 0", "minus 7"},
    Case{0, "0.00;-0.00;'nil'", "nil"},
    Case{0.001, "0.00;-0.00;'nil'", "nil"},
    Case{1.5, "0.00;-0.00;'nil'", "1.50"}));

TEST(FormatNumber, IgnoresTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(formatNumber(1234567.5, "#,##0.00"), "1,234,567.50");
    QLocale::setDefault(saved);
}

TEST(FormatNumber, EmptyPictureGivesThePlainNumber)
{
    EXPECT_EQ(formatNumber(1234.5, QString()), "1234.5");
    EXPECT_EQ(formatNumber(-0.25, QString()), "-0.25");
}

} // namespace

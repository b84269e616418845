#include "data/units/UnitText.h"

#include <gtest/gtest.h>

namespace meridox {
namespace {

// A product counted in pieces, kept in stock by the box of 12, also bought by
// the pack of 6.
UnitDescription unitOf(const char* name, int fraction)
{
    UnitDescription u;
    u.unitName = QString::fromUtf8(name);
    u.fraction = fraction;
    u.smallUnitName = "ชิ้น";
    u.stockUnitName = "กล่อง";
    u.stockFraction = 12;
    return u;
}

const UnitDescription kPiece = unitOf("ชิ้น", 1);
const UnitDescription kPack = unitOf("แพ็ค", 6);
const UnitDescription kBox = unitOf("กล่อง", 12);

UnitDescription unknownUnit()
{
    UnitDescription u;
    u.found = false;
    return u;
}

UnitDescription withSettings(UnitDescription u, int onhandDecimal, const char* left = "(", const char* right = ")")
{
    u.onhandDecimal = onhandDecimal;
    u.unitLeft = QString::fromUtf8(left);
    u.unitRight = QString::fromUtf8(right);
    return u;
}

struct Case {
    const char* what;
    double quantity;
    UnitDescription unit;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

// Stock on hand: whole stock units, then the rest in pieces; never trimmed.
class OnHandTest : public ::testing::TestWithParam<Case> {};

TEST_P(OnHandTest, Renders)
{
    EXPECT_EQ(renderOnHand(GetParam().quantity, GetParam().unit), QString::fromUtf8(GetParam().expected));
}

UnitDescription stockInPieces()
{
    UnitDescription u = kPiece;
    u.stockUnitName = "ชิ้น";
    u.stockFraction = 1;
    return u;
}

INSTANTIATE_TEST_SUITE_P(Cases, OnHandTest, ::testing::Values(
    Case{"boxes and pieces", 30, kBox, "2 กล่อง 6 ชิ้น"},
    Case{"exact boxes", 36, kBox, "3 กล่อง"},
    Case{"pieces only, leading blank kept", 4, kBox, " 4 ชิ้น"},
    Case{"zero", 0, kBox, "0 กล่อง"},
    Case{"negative stock", -30, kBox, "- 2 กล่อง 6 ชิ้น"},
    Case{"fractional rest", 30.5, kBox, "2 กล่อง 6.5 ชิ้น"},
    Case{"thousands grouped in the whole part", 1234567, kBox, "102,880 กล่อง 7 ชิ้น"},
    Case{"binary noise below a multiple", 35.99999999999999, kBox, "3 กล่อง"},
    Case{"stock unit of fraction 1", 1234.5, stockInPieces(), "1,234.5 ชิ้น"},
    Case{"fraction 1, zero", 0, stockInPieces(), "0 ชิ้น"},
    Case{"units not found", 30, unknownUnit(), "Error"}));

// The status-bar and report quantity: names between the company's brackets, trimmed.
class QuantityTest : public ::testing::TestWithParam<Case> {};

TEST_P(QuantityTest, Renders)
{
    EXPECT_EQ(renderQuantity(GetParam().quantity, GetParam().unit), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, QuantityTest, ::testing::Values(
    Case{"fraction 1, 2 decimals", 1.5, withSettings(kPiece, 2), "1.50 (ชิ้น)"},
    Case{"fraction 1, free format", 1.5, withSettings(kPiece, 0), "1.5 (ชิ้น)"},
    Case{"fraction 1, grouped", 1234567.891, withSettings(kPiece, 2), "1,234,567.89 (ชิ้น)"},
    Case{"fraction 1, zero, 2 decimals", 0, withSettings(kPiece, 2), "0.00 (ชิ้น)"},
    Case{"fraction 1, zero, free format", 0, withSettings(kPiece, 0), "0 (ชิ้น)"},
    Case{"boxes and pieces", 30, withSettings(kBox, 0), "2 (กล่อง) 6 (ชิ้น)"},
    Case{"rest in the decimals", 30, withSettings(kBox, 2), "2 (กล่อง) 6.00 (ชิ้น)"},
    Case{"exact boxes", 36, withSettings(kBox, 0), "3 (กล่อง)"},
    Case{"pieces only", 4, withSettings(kBox, 0), "4 (ชิ้น)"},
    Case{"zero", 0, withSettings(kBox, 0), "0 (กล่อง)"},
    Case{"negative", -30, withSettings(kBox, 0), "- 2 (กล่อง) 6 (ชิ้น)"},
    Case{"packs", 15, withSettings(kPack, 0, "[", "]"), "2 [แพ็ค] 3 [ชิ้น]"},
    Case{"no brackets set", 30, withSettings(kBox, 0, "", ""), "2 กล่อง 6 ชิ้น"},
    Case{"unknown unit", 5, withSettings(unknownUnit(), 0), "5 ERROR"},
    Case{"unknown unit, 2 decimals", 1234.5, withSettings(unknownUnit(), 2), "1,234.50 ERROR"},
    Case{"unknown unit, negative", -5, withSettings(unknownUnit(), 0), "- 5 ERROR"}));

// The two pieces of the split, one per report field.
struct PartCase {
    const char* what;
    double quantity;
    UnitDescription unit;
    const char* large;
    const char* small;
};

void PrintTo(const PartCase& c, std::ostream* os) { *os << c.what; }

class QuantityPartTest : public ::testing::TestWithParam<PartCase> {};

TEST_P(QuantityPartTest, RendersBothParts)
{
    const PartCase& c = GetParam();
    EXPECT_EQ(renderQuantityPart(c.quantity, c.unit, 1), QString::fromUtf8(c.large));
    EXPECT_EQ(renderQuantityPart(c.quantity, c.unit, 2), QString::fromUtf8(c.small));
}

INSTANTIATE_TEST_SUITE_P(Cases, QuantityPartTest, ::testing::Values(
    PartCase{"boxes and pieces", 30, kBox, "2 กล่อง", " 6 ชิ้น"},
    PartCase{"exact boxes", 36, kBox, "3 กล่อง", ""},
    PartCase{"pieces only", 4, kBox, "", " 4 ชิ้น"},
    PartCase{"zero", 0, kBox, "0 กล่อง", ""},
    PartCase{"negative", -30, kBox, "- 2 กล่อง", "-  6 ชิ้น"},
    PartCase{"negative exact boxes: no lone sign", -36, kBox, "- 3 กล่อง", ""},
    PartCase{"negative pieces only", -4, kBox, "", "-  4 ชิ้น"},
    PartCase{"fraction 1", 1.5, kPiece, "1.5 ชิ้น", ""}));

TEST(QuantityPart, OtherPartOrUnknownUnitNamesTheFault)
{
    EXPECT_EQ(renderQuantityPart(30, kBox, 3), "30 IDERROR");
    EXPECT_EQ(renderQuantityPart(-1234.5, kBox, 0), "-1,234.5 IDERROR");
    EXPECT_EQ(renderQuantityPart(30, unknownUnit(), 1), "30 ERROR");
    EXPECT_EQ(renderQuantityPart(30, unknownUnit(), 3), "30 ERROR");
}

// Whole boxes ";" the fraction of a box, with the two blanks before the name kept.
class StockFractionTest : public ::testing::TestWithParam<Case> {};

TEST_P(StockFractionTest, Renders)
{
    EXPECT_EQ(renderStockFraction(GetParam().quantity, GetParam().unit), QString::fromUtf8(GetParam().expected));
}

UnitDescription hundredsOf(int fraction)
{
    UnitDescription u = unitOf("ร้อย", fraction);
    u.stockUnitName = "ร้อย";
    u.stockFraction = 100;
    return u;
}

INSTANTIATE_TEST_SUITE_P(Cases, StockFractionTest, ::testing::Values(
    Case{"two and a half boxes", 30, kPiece, "2;1/2  กล่อง"},
    Case{"exact boxes", 36, kPiece, "3;กล่อง"},
    Case{"a third of a box", 4, kPiece, ";1/3  กล่อง"},
    Case{"half a box", 6, kPiece, ";1/2  กล่อง"},
    Case{"reduced fraction", 8, kPiece, ";2/3  กล่อง"},
    Case{"boxes and a quarter", 27, kPiece, "2;1/4  กล่อง"},
    Case{"zero", 0, kPiece, ";0  กล่อง"},
    Case{"given in boxes", 2.5, kBox, "2;1/2  กล่อง"},
    Case{"given in packs", 1, kPack, ";1/2  กล่อง"},
    Case{"fractional pieces dropped", 30.7, kPiece, "2;1/2  กล่อง"},
    Case{"thousands of boxes", 18006, kPiece, "1,500;1/2  กล่อง"},
    Case{"negative keeps its sign in the fraction", -30, kPiece, "-2;-1/2  กล่อง"},
    Case{"negative third", -4, kPiece, ";-1/3  กล่อง"},
    Case{"stock kept by the piece", 5, stockInPieces(), "5;ชิ้น"},
    Case{"binary noise in quantity times fraction", 1.15, hundredsOf(100), "1;3/20  ร้อย"},
    Case{"unknown unit", 30, unknownUnit(), ";0"}));

} // namespace
} // namespace meridox

// The purchase order's arithmetic, the reference for every other document.
#include "ArithmeticTestSupport.h"

#include "platform/os/Errors.h"

#include <gtest/gtest.h>

using namespace meridox::arithmetic;
using namespace meridox::arithmetic::testing;

namespace {

Calc Order(CalculatorOptions options = {}, const PackingSource* packing = nullptr)
{
    return Calc(DocumentKind::PurchaseOrder, options, packing);
}

// --- The line -------------------------------------------------------------

struct VatCase {
    const char* priceIE;
    double taxRate;
    double quantity;
    double price;
    double productAmount;
    double lineTax;
    // header after CalculateAll
    double taxAmt;
    double noTaxAmt;
    double taxCal;
    double total;
    double amountProduct;
};

class VatSplit : public ::testing::TestWithParam<VatCase> {};

TEST_P(VatSplit, LineAndDocument)
{
    const VatCase& c = GetParam();
    Calc po = Order();
    DocumentModel m = Document(c.priceIE, c.taxRate);
    m.lines = {Line(1, c.quantity, c.price)};
    m.currentLine = 0;
    po->CalculateAll(m);
    const DocumentLine& l = m.lines[0];
    EXPECT_DOUBLE_EQ(l.Total, c.quantity * c.price);
    if (c.priceIE[0] == 'E')
        EXPECT_DOUBLE_EQ(l.ProductAmount, c.productAmount); // the Total as it is
    else
        EXPECT_EQ(l.ProductAmount, c.productAmount);        // rounded
    EXPECT_EQ(l.TaxTotal, c.lineTax);
    EXPECT_EQ(l.TaxRate, c.taxRate);
    // Price x Quantity in extended precision less the stored double Total:
    // no discount, at most the residue of storing the product.
    EXPECT_NEAR(l.DiscountAmt, 0.0, kHair);
    EXPECT_NEAR(m.header.TaxAmt, c.taxAmt, kHair);
    EXPECT_NEAR(m.header.NoTaxAmt, c.noTaxAmt, kHair);
    EXPECT_NEAR(m.header.TaxCal, c.taxCal, kHair);
    EXPECT_NEAR(m.header.TaxTotal, c.taxCal, kHair);
    EXPECT_NEAR(m.header.Total, c.total, kHair);
    EXPECT_NEAR(m.AmountProduct, c.amountProduct, kHair);
    EXPECT_TRUE(po.notices.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VatSplit,
    ::testing::Values(
        // VAT included at 7 %: 100 = 93.46 + 6.54; 107 = 100 + 7.
        VatCase{"I", 7, 1, 100, 93.46, 6.54, 100, 0, 6.54, 100, 93.46},
        VatCase{"I", 7, 1, 107, 100.00, 7.00, 107, 0, 7.00, 107, 100},
        // Rounded separately: 10 x 9.99 = 99.90 -> 93.364... = 93.36 and 6.535... = 6.54.
        VatCase{"I", 7, 10, 9.99, 93.36, 6.54, 99.9, 0, 6.54, 99.9, 93.36},
        // VAT included at 0 %: untaxed.
        VatCase{"I", 0, 1, 100, 100, 0, 0, 100, 0, 100, 100},
        // VAT excluded at 7 %: 2 x 50 = 100 + 7.
        VatCase{"E", 7, 2, 50, 100, 7, 100, 0, 7, 107, 100},
        // 3 x 33.335 = 100.005; 7.00035 -> 7.00; total 107.00535 -> 107.01.
        VatCase{"E", 7, 3, 33.335, 100.005, 7.0, 100.005, 0, 7.0, 107.01, 100.005},
        // VAT excluded at 0 %.
        VatCase{"E", 0, 4, 25, 100, 0, 0, 100, 0, 100, 100},
        // Any value other than "E" includes VAT.
        VatCase{"", 7, 1, 107, 100, 7, 107, 0, 7, 107, 100},
        VatCase{"e", 7, 1, 107, 100, 7, 107, 0, 7, 107, 100}));

TEST(PurchaseOrderLine, DiscountTextAndUnroundedDiscountAmt)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 3, 10.125, "10%")};
    m.currentLine = 0;
    po->CalculateDtRecord(m);
    // 3 x 10.125 = 30.375; less 10 % = 27.3375; DiscountAmt 3.0375 as it is.
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 27.3375);
    EXPECT_DOUBLE_EQ(m.lines[0].DiscountAmt, 3.0375);
    EXPECT_DOUBLE_EQ(m.lines[0].ProductAmount, 27.3375);
}

TEST(PurchaseOrderLine, CopiesTheHeaderTaxAndFillsAnEmptyPrice)
{
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    m.header.TaxCode = 4;
    DocumentLine l = Line(1, 2, std::nullopt);
    l.TaxCode = 9;
    l.TaxRate = 10;
    m.lines = {l};
    m.currentLine = 0;
    po->CalculateDtRecord(m);
    EXPECT_EQ(m.lines[0].TaxCode, 4);
    EXPECT_EQ(m.lines[0].TaxRate, 7);
    ASSERT_TRUE(m.lines[0].Price.has_value());
    EXPECT_EQ(*m.lines[0].Price, 0.0);
    EXPECT_EQ(m.lines[0].Total, 0.0);
}

TEST(PurchaseOrderLine, LineWithoutProductIsNeverCalculated)
{
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    DocumentLine l = Line(0, 2, 10);
    l.Total = 55;
    m.lines = {l};
    m.currentLine = 0;
    po->CalculateAll(m);
    EXPECT_EQ(m.lines[0].Total, 55.0);
    EXPECT_EQ(m.lines[0].TaxRate, 0.0);
    EXPECT_EQ(m.lines[0].RecNo, 1);
}

TEST(PurchaseOrderLine, LaotaxAndExciseFollowTheQuantity)
{
    Calc po = Order({.ShowMeasure = true});
    DocumentModel m = Document("E", 0);
    DocumentLine l = Line(1, 10, 100);
    l.QWeightSize = 3.6;
    l.LaotaxUom = 2;
    l.ExciseTaxUom = 0.5;
    m.lines = {l};
    m.currentLine = 0;
    po->CalculateDtRecord(m);
    EXPECT_EQ(m.lines[0].Laotax, 20.0);
    EXPECT_EQ(m.lines[0].ExciseTax, 5.0);
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 360.0); // the measure is the basis of the amount
}

TEST(PurchaseOrderLine, MalformedDiscountKeepsTheEarlierValues)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 10, 100, "10%"), Line(2, 1, 50)};
    m.currentLine = 0;
    po->CalculateAll(m);
    ASSERT_DOUBLE_EQ(m.lines[0].Total, 900);
    ASSERT_DOUBLE_EQ(m.header.Total, 1016.5); // (900 + 50) x 1.07

    m.lines[0].Discount = QStringLiteral("10+5");
    m.lines[0].Quantity = 20;
    try {
        po->FieldChanged(m, u"Discount");
        FAIL() << "no error";
    } catch (const meridox::ConversionError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'10+5' is not a valid floating point value"));
    }
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 900);
    EXPECT_DOUBLE_EQ(m.lines[0].DiscountAmt, 100);
    EXPECT_EQ(m.lines[0].TaxTotal, 63.0);
    EXPECT_DOUBLE_EQ(m.header.Total, 1016.5);

    // In the document calculation the header is not touched either.
    m.currentLine = 1;
    m.lines[1].Quantity = 2;
    EXPECT_THROW(po->CalculateAll(m), meridox::ConversionError);
    EXPECT_DOUBLE_EQ(m.header.Total, 1016.5);
    EXPECT_EQ(m.header.TaxCal, 66.5);
}

// --- Bill discounts ---------------------------------------------------------

struct CascadeCase {
    const char* priceIE;
    double lineAmount;
    std::array<double, 3> rates;
    std::array<double, 3> typed;
    std::array<double, 3> amounts;
    double sumDiscount;
    double total;
    double taxCal;
    double amountProduct;
};

class BillDiscounts : public ::testing::TestWithParam<CascadeCase> {};

TEST_P(BillDiscounts, Cascade)
{
    const CascadeCase& c = GetParam();
    Calc po = Order();
    DocumentModel m = Document(c.priceIE, 7);
    m.lines = {Line(1, 1, c.lineAmount)};
    m.header.DiscRate = c.rates;
    m.header.DiscAmt = c.typed;
    po->CalculateAll(m);
    for (size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(m.header.DiscAmt[k], c.amounts[k], kHair) << "DiscAmt" << k + 1;
    EXPECT_NEAR(m.SumDiscount, c.sumDiscount, kHair);
    EXPECT_NEAR(m.header.Total, c.total, kHair);
    EXPECT_NEAR(m.header.TaxCal, c.taxCal, kHair);
    EXPECT_NEAR(m.AmountProduct, c.amountProduct, kHair);
    EXPECT_NEAR(m.header.TaxAmt, c.lineAmount, kHair);
    EXPECT_EQ(m.header.DiscRate, c.rates);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, BillDiscounts,
    ::testing::Values(
        // 1000 excluded, 10 % and 5 %: 100 + 45; 855 x 1.07 = 914.85; VAT 59.85.
        CascadeCase{"E", 1000, {10, 5, 0}, {0, 0, 0}, {100, 45, 0}, 145, 914.85, 59.85, 855},
        // 10 %, a typed 50, then 5 % of 850 = 42.50; 807.5 x 1.07 = 864.025 -> 864.03; 56.525 -> 56.53.
        CascadeCase{"E", 1000, {10, 0, 5}, {0, 50, 0}, {100, 50, 42.5}, 192.5, 864.03, 56.53, 807.5},
        // Typed amounts only: 980 x 1.07 = 1048.60; 68.60.
        CascadeCase{"E", 1000, {0, 0, 0}, {20, 0, 0}, {20, 0, 0}, 20, 1048.6, 68.6, 980},
        // 3.3333 % of 1000 = 33.333 -> 33.33; 966.67 x 1.07 = 1034.3369 -> 1034.34.
        CascadeCase{"E", 1000, {3.3333, 0, 0}, {0, 0, 0}, {33.33, 0, 0}, 33.33, 1034.34, 67.67, 966.67},
        // 1070 included: 107 + 48.15 (5 % of 963); 914.85 of which 855 net, VAT 59.85.
        CascadeCase{"I", 1070, {10, 5, 0}, {0, 0, 0}, {107, 48.15, 0}, 155.15, 914.85, 59.85, 855},
        // Included, three rates: 107, 48.15, 1 % of 914.85 = 9.1485 -> 9.15; 905.70; net 846.449.. -> 846.45.
        CascadeCase{"I", 1070, {10, 5, 1}, {0, 0, 0}, {107, 48.15, 9.15}, 164.3, 905.7, 59.25, 846.45}));

TEST(BillDiscounts, CalDiscountReturnsWhatRemains)
{
    Calc po = Order();
    DocumentHeader h;
    h.DiscRate = {10, 0, 5};
    h.DiscAmt = {0, 50, 0};
    EXPECT_DOUBLE_EQ(po->CalDiscount(h, 1000), 807.5);
    EXPECT_EQ(h.DiscAmt[0], 100.0);
    EXPECT_EQ(h.DiscAmt[1], 50.0);
    EXPECT_EQ(h.DiscAmt[2], 42.5);
}

TEST(BillDiscounts, UntaxedOrderExcludedIsRounded)
{
    // The only line has TaxRate 0: Total = CalDiscount(q), rounded in "E" mode.
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 1, 100.05)};
    m.header.DiscAmt = {0.001, 0, 0};
    po->CalculateAll(m);
    EXPECT_EQ(m.header.Total, 100.05); // 100.049 -> 100.05
    EXPECT_EQ(m.header.TaxCal, 0.0);
    EXPECT_DOUBLE_EQ(m.header.NoTaxAmt, 100.05);
    EXPECT_DOUBLE_EQ(m.AmountProduct, 100.049);

    m.header.Price_IE = QStringLiteral("I");
    po->CalculateAll(m);
    EXPECT_DOUBLE_EQ(m.header.Total, 100.049); // not rounded with VAT included
    EXPECT_EQ(m.header.TaxCal, 0.0);
}

// --- The mixed-tax warning ----------------------------------------------------

TEST(MixedTax, TaxedAndUntaxedPositiveLinesClearTheDiscounts)
{
    // 0.05 excluded at 7 % gives VAT 0.0035 -> 0.00: that line is untaxed.
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 100), Line(2, 1, 0.05)};
    m.header.DiscRate = {10, 0, 0};
    m.header.DiscAmt = {10, 0, 0};
    po->CalculateAll(m);
    ASSERT_EQ(po.notices.size(), 1);
    EXPECT_EQ(po.notices[0], kMixedTax);
    EXPECT_EQ(m.header.DiscRate, (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(m.header.DiscAmt, (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(m.SumDiscount, 0.0);
    EXPECT_EQ(m.header.Total, 107.05);
    EXPECT_EQ(m.header.TaxCal, 7.0);
    EXPECT_DOUBLE_EQ(m.header.TaxAmt, 100);
    EXPECT_DOUBLE_EQ(m.header.NoTaxAmt, 0.05);
    EXPECT_DOUBLE_EQ(m.AmountProduct, 100.05);
}

TEST(MixedTax, NegativeLineIsUntaxedAndMakesTheOrderMixed)
{
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    m.lines = {Line(1, 1, 200), Line(2, 1, -50)};
    m.header.DiscRate = {10, 0, 0};
    m.header.DiscAmt = {20, 0, 0};
    po->CalculateAll(m);
    EXPECT_EQ(m.lines[1].TaxTotal, -3.27);
    EXPECT_EQ(po.notices, QStringList{kMixedTax});
    EXPECT_EQ(m.header.DiscRate, (std::array<double, 3>{0, 0, 0}));
    EXPECT_EQ(m.header.DiscAmt, (std::array<double, 3>{0, 0, 0}));
    EXPECT_DOUBLE_EQ(m.header.Total, 150);
    EXPECT_EQ(m.header.TaxCal, 13.08); // 7 x 200 / 107 = 13.084
    EXPECT_DOUBLE_EQ(m.header.TaxAmt, 200);
    EXPECT_DOUBLE_EQ(m.header.NoTaxAmt, -50);
    EXPECT_NEAR(m.AmountProduct, 136.92, kHair);
}

TEST(MixedTax, ZeroLineAddsNothing)
{
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    m.lines = {Line(1, 1, 200), Line(2, 3, 0)};
    m.header.DiscRate = {10, 0, 0};
    po->CalculateAll(m);
    EXPECT_TRUE(po.notices.isEmpty());
    EXPECT_EQ(m.header.DiscAmt[0], 20.0);
    EXPECT_DOUBLE_EQ(m.header.Total, 180);
    EXPECT_NEAR(m.header.TaxCal, 11.78, kHair); // 180 - 168.22
    EXPECT_DOUBLE_EQ(m.SumDiscount, 20);
    EXPECT_NEAR(m.AmountProduct, 168.22, kHair);
    EXPECT_DOUBLE_EQ(m.header.NoTaxAmt, 0);
}

TEST(MixedTax, NoWarningWithoutDiscounts)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 100), Line(2, 1, 0.05)};
    po->CalculateAll(m);
    EXPECT_TRUE(po.notices.isEmpty());
    EXPECT_EQ(m.header.Total, 107.05);
}

// --- Hand-typed VAT -------------------------------------------------------------

TEST(HandTypedVat, KeptWhileItDiffersAndClearedWhenTypedBack)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 1000)};
    m.currentLine = 0;
    po->CalculateAll(m);
    ASSERT_EQ(m.header.TaxTotal, 70.0);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption);

    m.header.TaxTotal = 71;
    po->TaxTotalChange(m);
    EXPECT_TRUE(m.TaxAdjusted);
    EXPECT_TRUE(m.taxTotalHighlighted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption + QStringLiteral(" (70.00)"));
    EXPECT_EQ(m.header.Total, 1070.0); // the order keeps the computed VAT in its Total

    m.lines[0].Quantity = 2;
    po->FieldChanged(m, u"QUANTITY");
    EXPECT_EQ(m.header.TaxCal, 140.0);
    EXPECT_EQ(m.header.TaxTotal, 71.0);
    EXPECT_TRUE(m.TaxAdjusted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption + QStringLiteral(" (140.00)"));
    EXPECT_EQ(m.header.Total, 2140.0);

    m.header.TaxTotal = 140;
    po->TaxTotalChange(m);
    EXPECT_FALSE(m.TaxAdjusted);
    EXPECT_FALSE(m.taxTotalHighlighted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption);

    m.lines[0].Quantity = 3;
    po->FieldChanged(m, u"QUANTITY");
    EXPECT_EQ(m.header.TaxTotal, 210.0);
}

TEST(HandTypedVat, CaptionGroupsThousands)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 17635.71)};
    po->CalculateAll(m);
    ASSERT_EQ(m.header.TaxCal, 1234.5); // 1234.4997 -> 1234.50
    m.header.TaxTotal = 1234;
    po->TaxTotalChange(m);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption + QStringLiteral(" (1,234.50)"));
}

TEST(HandTypedVat, TheBoxIsAnIndicator)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 1000)};
    po->CalculateAll(m);
    m.TaxAdjusted = true; // clicked
    po->TaxAdjustedClick(m);
    EXPECT_FALSE(m.TaxAdjusted);
    m.header.TaxTotal = 69;
    po->TaxAdjustedClick(m);
    EXPECT_TRUE(m.TaxAdjusted);
}

TEST(HandTypedVat, NewDocumentResetsOnlyTheCaption)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 1000)};
    po->CalculateAll(m);
    m.header.TaxTotal = 71;
    po->TaxTotalChange(m);
    po->StartNewDocument(m);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption);
    EXPECT_TRUE(m.TaxAdjusted);
    EXPECT_TRUE(m.lines.empty());
}

// --- Case packing -----------------------------------------------------------------

TEST(CasePacking, RoundsUpToWholeCasesOfTwelve)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral(" 1 "), 12};
    Calc po = Order({}, &packing);
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 13, 10)};
    m.currentLine = 0;
    po->FieldChanged(m, u"Quantity");
    const DocumentLine& l = m.lines[0];
    EXPECT_EQ(l.Quantity, 24.0);
    EXPECT_EQ(l.PackQnty, 2);
    EXPECT_EQ(l.PcsQnty, 0);
    EXPECT_EQ(l.HeadUnitName, QStringLiteral("1 x 12"));
    EXPECT_EQ(l.Total, 240.0);
    EXPECT_EQ(m.header.Total, 240.0);
}

TEST(CasePacking, OnePieceACaseRoundsToAWholeNumber)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("6"), 1};
    Calc po = Order({}, &packing);
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 2.5, 10)};
    m.currentLine = 0;
    po->FieldChanged(m, u"QUANTITY");
    EXPECT_EQ(m.lines[0].Quantity, 3.0);
    EXPECT_EQ(m.lines[0].PackQnty, 0);
    EXPECT_EQ(m.lines[0].PcsQnty, 3);
    EXPECT_EQ(m.lines[0].HeadUnitName, QStringLiteral("6 x 1"));
    EXPECT_EQ(m.lines[0].Total, 30.0);
}

TEST(CasePacking, WholeCasesStayAndNoPackingLeavesTheLineEmpty)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("2"), 12};
    packing.products[8] = {QStringLiteral("x"), 0};
    Calc po = Order({}, &packing);
    DocumentModel m = Document("E", 0);
    DocumentLine unknown = Line(9, 5, 1);
    unknown.HeadUnitName = QStringLiteral("old");
    unknown.PackQnty = 4;
    m.lines = {Line(7, 36, 1), Line(8, 5, 1), unknown};
    po->CalculateAll(m);
    EXPECT_EQ(m.lines[0].Quantity, 36.0);
    EXPECT_EQ(m.lines[0].PackQnty, 3);
    EXPECT_EQ(m.lines[0].PcsQnty, 0);
    EXPECT_EQ(m.lines[1].Quantity, 5.0);
    EXPECT_EQ(m.lines[1].HeadUnitName, QStringLiteral("x x 0"));
    EXPECT_FALSE(m.lines[1].PackQnty.has_value());
    EXPECT_FALSE(m.lines[1].PcsQnty.has_value());
    EXPECT_EQ(m.lines[2].HeadUnitName, QString());
    EXPECT_FALSE(m.lines[2].PackQnty.has_value());
}

TEST(CasePacking, OneLineCalculationRoundsTheQuantityAfterTheAmounts)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("1"), 12};
    Calc po = Order({}, &packing);
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 13, 10)};
    m.currentLine = 0;
    po->CalculateDtRecord(m);
    EXPECT_EQ(m.lines[0].Quantity, 24.0);
    EXPECT_EQ(m.lines[0].Total, 130.0); // the next calculation follows 24
}

TEST(CasePacking, ReadsEachProductOncePerCalculation)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("1"), 12};
    Calc po = Order({}, &packing);
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 12, 1), Line(7, 24, 1), Line(8, 1, 1), Line(7, 1, 1), Line(8, 2, 1)};
    m.currentLine = 3;
    po->FieldChanged(m, u"PRICE"); // the line, then the document: one operation
    EXPECT_EQ(packing.lookups, 2);
    po->CalculateAll(m);
    EXPECT_EQ(packing.lookups, 4);
}

// --- Measure ------------------------------------------------------------------------

TEST(Measure, RoundTripAtSixtyBySixty)
{
    Calc po = Order({.ShowMeasure = true});
    const ProductMeasure tile{true, 60, 60};
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 10, 100)};
    m.currentLine = 0;
    po->QuantityExit(m, tile);
    EXPECT_EQ(m.lines[0].QWeightSize, 3.6);
    po->MeasureExit(m, 3.7, tile); // 3.7 x 10000 / 3600 = 10.28 -> 10
    EXPECT_EQ(m.lines[0].Quantity, 10.0);
    EXPECT_EQ(m.lines[0].QWeightSize, 3.6);
    po->CalculateDtRecord(m);
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 360);
}

TEST(Measure, HalvesGoToTheEvenQuantity)
{
    Calc po = Order({.ShowMeasure = true});
    const ProductMeasure square{true, 100, 100};
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 1, 1)};
    m.currentLine = 0;
    po->MeasureExit(m, 2.5, square);
    EXPECT_EQ(m.lines[0].Quantity, 2.0);
    EXPECT_EQ(m.lines[0].QWeightSize, 2.0);
    po->MeasureExit(m, 3.5, square);
    EXPECT_EQ(m.lines[0].Quantity, 4.0);
    EXPECT_EQ(m.lines[0].QWeightSize, 4.0);
}

TEST(Measure, OnlyForAreaPricedGoods)
{
    Calc po = Order({.ShowMeasure = true});
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 10, 1)};
    m.currentLine = 0;
    po->MeasureExit(m, 3.7, ProductMeasure{false, 60, 60});
    EXPECT_EQ(m.lines[0].QWeightSize, 0.0);
    po->MeasureExit(m, 3.7, ProductMeasure{true, 0, 60}); // no sizes: the typed measure stays
    EXPECT_EQ(m.lines[0].QWeightSize, 3.7);
    EXPECT_EQ(m.lines[0].Quantity, 10.0);
    m.lines[0].ProductType = QStringLiteral("S");
    m.lines[0].QWeightSize = 0;
    po->QuantityExit(m, ProductMeasure{true, 60, 60});
    EXPECT_EQ(m.lines[0].QWeightSize, 0.0);
}

TEST(Measure, WithoutShowMeasureTheQuantityIsTheBasis)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    DocumentLine l = Line(1, 10, 100);
    l.QWeightSize = 3.6;
    m.lines = {l};
    m.currentLine = 0;
    po->CalculateDtRecord(m);
    EXPECT_EQ(m.lines[0].Total, 1000.0);
    // A measure that rounds to 0.00 is no basis either.
    Calc shown = Order({.ShowMeasure = true});
    m.lines[0].QWeightSize = 0.004;
    shown->CalculateDtRecord(m);
    EXPECT_EQ(m.lines[0].Total, 1000.0);
}

// --- Typed line total -----------------------------------------------------------------

TEST(TypedTotal, PriceZeroTakesThePriceFromTheTotal)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 3, 0, "")};
    m.currentLine = 0;
    po->CalculateAll(m);
    EXPECT_TRUE(po->LineTotalEditable(m.lines[0]));
    po->TotalEnter(m);
    m.lines[0].Total = 100;
    po->TotalExit(m);
    EXPECT_EQ(*m.lines[0].Price, 33.333333);
    EXPECT_EQ(m.lines[0].Discount, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 99.999999);
    EXPECT_DOUBLE_EQ(m.header.Total, 100.0); // 99.999999 rounded in "E" mode
}

TEST(TypedTotal, EmptyPriceCountsAsZero)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 4, std::nullopt, "5%")};
    m.currentLine = 0;
    po->ReCalculatePrice(m, 4, 50);
    EXPECT_EQ(*m.lines[0].Price, 12.5);
    EXPECT_EQ(m.lines[0].Discount, QStringLiteral("0"));
    EXPECT_EQ(m.lines[0].Total, 50.0);
}

TEST(TypedTotal, PricedLineDoesNotKeepTheTypedTotal)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 3, 5)};
    m.currentLine = 0;
    po->CalculateAll(m);
    EXPECT_FALSE(po->LineTotalEditable(m.lines[0]));
    po->TotalEnter(m);
    m.lines[0].Total = 12;
    po->TotalExit(m);
    EXPECT_EQ(*m.lines[0].Price, 5.0);
    EXPECT_EQ(m.lines[0].Discount, QString());
    EXPECT_EQ(m.lines[0].Total, 12.0);
    po->CalculateAll(m);
    EXPECT_EQ(m.lines[0].Total, 15.0);
}

TEST(TypedTotal, NothingForZeroQuantityOrAnUnchangedTotal)
{
    Calc po = Order();
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 0, 0)};
    m.currentLine = 0;
    po->ReCalculatePrice(m, 0, 100);
    EXPECT_EQ(*m.lines[0].Price, 0.0);
    EXPECT_EQ(m.lines[0].Discount, QString());
    m.lines[0].Quantity = 2;
    po->TotalEnter(m);
    po->TotalExit(m); // Total not changed
    EXPECT_EQ(m.lines[0].Discount, QString());
}

// --- Delivery cost ----------------------------------------------------------------------

TEST(DeliveryCost, SpreadsOverTheVatFreeTotal)
{
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    m.lines = {Line(1, 2, 321), Line(2, 4, 107)};
    m.currentLine = 0;
    po->CalculateAll(m);
    ASSERT_DOUBLE_EQ(m.header.Total, 1070);
    ASSERT_NEAR(m.header.TaxTotal, 70, kHair);
    m.header.DeliveryCost = 100;
    EXPECT_TRUE(po->DeliveryCostExit(m));
    // The shares use the line totals with VAT against 1000: 64.2 and 42.8.
    EXPECT_NEAR(m.lines[0].DeliveryCost, 64.2, kHair);
    EXPECT_NEAR(m.lines[0].DeliveryCostUom, 32.1, kHair);
    EXPECT_NEAR(m.lines[1].DeliveryCost, 42.8, kHair);
    EXPECT_NEAR(m.lines[1].DeliveryCostUom, 10.7, kHair);
    EXPECT_NEAR(m.footer.DeliveryCost, 107, kHair);
    EXPECT_TRUE(po.notices.isEmpty());
}

TEST(DeliveryCost, LimitIsFifteenPercentOfTheTotal)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 2, 500)};
    m.currentLine = 0;
    po->CalculateAll(m);
    ASSERT_EQ(m.header.Total, 1070.0);
    m.header.DeliveryCost = 160.5;
    EXPECT_TRUE(po->DeliveryCostWithinLimit(m.header));
    m.header.DeliveryCost = 160.51;
    EXPECT_FALSE(po->DeliveryCostWithinLimit(m.header));
    EXPECT_FALSE(po->DeliveryCostExit(m));
    EXPECT_EQ(po.notices, QStringList{kDeliveryLimit});
    EXPECT_EQ(m.lines[0].DeliveryCost, 0.0);
}

TEST(DeliveryCost, NothingToShareWithoutAVatFreeTotal)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 0, 0)};
    m.lines[0].DeliveryCost = 9;
    m.lines[0].DeliveryCostUom = 9;
    po->BCalCostClick(m);
    EXPECT_EQ(m.lines[0].DeliveryCost, 0.0);
    EXPECT_EQ(m.lines[0].DeliveryCostUom, 0.0);
}

// --- Document walk, VAT code, currency, opening ----------------------------------------

TEST(PurchaseOrderDocument, RenumbersAndSumsTheFooter)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    DocumentLine a = Line(1, 2.7, 10);
    a.LaotaxUom = 1.5;
    DocumentLine b = Line(2, 3, 10);
    b.RecNo = 9;
    m.lines = {a, b};
    po->CalculateAll(m);
    EXPECT_EQ(m.lines[0].RecNo, 1);
    EXPECT_EQ(m.lines[1].RecNo, 2);
    EXPECT_EQ(m.footer.Quantity, 5.0); // 2 + 3
    EXPECT_DOUBLE_EQ(m.footer.Laotax, 4.05);
    EXPECT_EQ(m.footer.DeliveryCost, 0.0);
}

TEST(PurchaseOrderDocument, VatCodeChangeReachesEveryLine)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 100), Line(2, 1, 200)};
    po->CalculateAll(m);
    ASSERT_EQ(m.header.Total, 321.0);
    po->TaxCodeChange(m, 5, 10.0);
    EXPECT_EQ(m.lines[1].TaxCode, 5);
    EXPECT_EQ(m.lines[1].TaxRate, 10.0);
    EXPECT_TRUE(po->TaxCodeExit(m));
    EXPECT_EQ(m.header.Total, 330.0);
    EXPECT_EQ(m.header.TaxCal, 30.0);

    po->TaxCodeChange(m, 77, std::nullopt); // not found: rate 0
    EXPECT_EQ(m.lines[0].TaxRate, 0.0);
    m.header.Price_IE = QStringLiteral("I");
    EXPECT_TRUE(po->PriceIEChange(m));
    EXPECT_EQ(m.header.Total, 300.0);
    EXPECT_DOUBLE_EQ(m.header.NoTaxAmt, 300);

    DocumentModel empty = Document("E", 7);
    EXPECT_FALSE(po->TaxCodeExit(empty));
}

TEST(PurchaseOrderDocument, OtherFieldsDoNotCalculate)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 1, 100)};
    m.currentLine = 0;
    EXPECT_FALSE(po->FieldChanged(m, u"MEMOLINE"));
    EXPECT_EQ(m.header.Total, 0.0);
    EXPECT_TRUE(po->FieldChanged(m, u"ExciseTaxUom"));
    EXPECT_EQ(m.header.Total, 107.0);
}

TEST(Currency, MainCurrencyAndOthers)
{
    Calc po = Order({.MainCurrencyId = 1});
    DocumentHeader h;
    h.CurrencyId = 1;
    h.Rate = 30;
    h.Scrap = 2;
    po->MainCurrencyCloseUp(h, PurchaseRate{35.5, 0.2, 0.1});
    EXPECT_EQ(h.Rate, 1.0);
    EXPECT_EQ(h.Scrap, 0.0);
    EXPECT_EQ(h.Part, 0.0);
    h.CurrencyId = 2;
    po->MainCurrencyCloseUp(h, PurchaseRate{35.5, 0.2, 0.1});
    EXPECT_EQ(h.Rate, 35.5);
    EXPECT_EQ(h.Scrap, 0.2);
    EXPECT_EQ(h.Part, 0.1);
    po->MainCurrencyCloseUp(h, std::nullopt);
    EXPECT_EQ(h.Rate, 0.0);
}

TEST(OpenStoredOrder, RecalculatesEveryLineThenTheDocument)
{
    Calc po = Order({.MainCurrencyId = 3});
    DocumentModel m = Document("I", 7);
    DocumentLine a = TaxedLine(1, 1, 107, 7);
    a.ProductType = QString();
    a.Total = 1;
    DocumentLine b = TaxedLine(2, 2, 107, 7);
    b.ProductType = QStringLiteral("S");
    m.lines = {a, b};
    m.header.TaxTotal = 21; // as stored, the computed value
    po->OpenStoredDocument(m);
    EXPECT_EQ(m.lines[0].ProductType, QStringLiteral("P"));
    EXPECT_EQ(m.lines[1].ProductType, QStringLiteral("S"));
    EXPECT_EQ(m.lines[0].Total, 107.0);
    EXPECT_EQ(m.lines[0].ProductAmount, 100.0);
    EXPECT_EQ(m.lines[1].TaxTotal, 14.0);
    EXPECT_EQ(m.header.Total, 321.0);
    EXPECT_EQ(m.header.TaxCal, 21.0); // 321 - 300
    EXPECT_EQ(m.header.TaxTotal, 21.0);
    EXPECT_FALSE(m.TaxAdjusted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption);
    EXPECT_EQ(m.header.CurrencyId, 3);
    EXPECT_EQ(m.header.Rate, 1.0);
}

TEST(OpenStoredOrder, NumbersCompareExactlyOnTheOrder)
{
    // With VAT included TaxCal is Total less a rounded amount and is not
    // rounded itself: 207 - 193.46 is not the double nearest 13.54, so the
    // order (which compares numbers) takes a typed 13.54 as an adjustment.
    Calc po = Order();
    DocumentModel m = Document("I", 7);
    m.lines = {Line(1, 1, 100), Line(2, 1, 107)};
    po->CalculateAll(m);
    EXPECT_NEAR(m.header.TaxCal, 13.54, kHair);
    m.header.TaxTotal = 13.54;
    po->TaxTotalChange(m);
    EXPECT_TRUE(m.TaxAdjusted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption + QStringLiteral(" (13.54)"));
}

TEST(OpenStoredOrder, HandTypedVatSurvivesReopening)
{
    Calc po = Order();
    DocumentModel m = Document("E", 7);
    m.header.CurrencyId = 2;
    m.header.Rate = 35;
    m.lines = {TaxedLine(1, 1, 1000, 7)};
    m.header.TaxTotal = 71; // typed by hand before saving
    po->OpenStoredDocument(m);
    EXPECT_EQ(m.header.TaxCal, 70.0);
    EXPECT_EQ(m.header.TaxTotal, 71.0);
    EXPECT_TRUE(m.TaxAdjusted);
    EXPECT_EQ(m.taxAdjustedCaption, kCaption + QStringLiteral(" (70.00)"));
    EXPECT_EQ(m.header.Total, 1070.0);
    EXPECT_EQ(m.header.CurrencyId, 2);
    EXPECT_EQ(m.header.Rate, 35.0);
}

} // namespace

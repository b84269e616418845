// Where each document differs from the purchase order: every scenario runs the
// same input through the order and through the other document.
#include "ArithmeticTestSupport.h"

#include <gtest/gtest.h>

using namespace meridox::arithmetic;
using namespace meridox::arithmetic::testing;

namespace {

constexpr DocumentKind kOrder = DocumentKind::PurchaseOrder;

// --- The table as data ----------------------------------------------------------

TEST(DocumentPolicies, OnePolicyPerKind)
{
    for (DocumentKind k : {DocumentKind::Requisition, DocumentKind::PurchaseOrder, DocumentKind::GoodsReceipt,
                           DocumentKind::CashPurchase, DocumentKind::GoodsReturn, DocumentKind::VendorCreditNote,
                           DocumentKind::VendorDebitNote})
        EXPECT_EQ(PolicyFor(k).kind, k);
    EXPECT_STREQ(PolicyFor(DocumentKind::Requisition).window, "TFrPoRQTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::PurchaseOrder).window, "TFrPoTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::GoodsReceipt).window, "TFrMrTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::CashPurchase).window, "TFrPcTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::GoodsReturn).window, "TFrPrTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::VendorCreditNote).window, "TFrVCnTran");
    EXPECT_STREQ(PolicyFor(DocumentKind::VendorDebitNote).window, "TFrVDnTran");
}

TEST(DocumentPolicies, LinesRecalculatedAndRenumbered)
{
    EXPECT_EQ(PolicyFor(kOrder).recalculation, LineRecalculation::EveryLine);
    EXPECT_EQ(PolicyFor(DocumentKind::Requisition).recalculation, LineRecalculation::CurrentLineThenEveryLine);
    EXPECT_EQ(PolicyFor(DocumentKind::GoodsReceipt).recalculation, LineRecalculation::EveryLineTwice);
    EXPECT_EQ(PolicyFor(DocumentKind::CashPurchase).recalculation, LineRecalculation::EveryLineTwice);
    EXPECT_EQ(PolicyFor(DocumentKind::GoodsReturn).recalculation, LineRecalculation::EveryLine);
    EXPECT_EQ(PolicyFor(DocumentKind::VendorCreditNote).recalculation, LineRecalculation::CurrentLineThenEveryLine);
    EXPECT_EQ(PolicyFor(DocumentKind::VendorDebitNote).recalculation, LineRecalculation::CurrentLineThenEveryLine);
    EXPECT_STREQ(PolicyFor(kOrder).recNoColumn, "PoRecNo");
    EXPECT_STREQ(PolicyFor(DocumentKind::Requisition).recNoColumn, "PoRQRecNo");
    EXPECT_EQ(PolicyFor(DocumentKind::GoodsReceipt).recNoColumn, nullptr);
    EXPECT_EQ(PolicyFor(DocumentKind::GoodsReturn).recNoColumn, nullptr);
    EXPECT_EQ(PolicyFor(DocumentKind::VendorDebitNote).recNoColumn, nullptr);
}

TEST(DocumentPolicies, EveryKindCalculatesThroughTheOneCalculator)
{
    for (DocumentKind k : {DocumentKind::Requisition, DocumentKind::PurchaseOrder, DocumentKind::GoodsReceipt,
                           DocumentKind::CashPurchase, DocumentKind::GoodsReturn, DocumentKind::VendorCreditNote,
                           DocumentKind::VendorDebitNote}) {
        Calc c(k);
        DocumentModel m = Document("E", 7);
        m.lines = {TaxedLine(1, 4, 250, 7)};
        m.currentLine = 0;
        m.header.DiscRate = {10, 0, 0};
        c->FieldChanged(m, u"QUANTITY");
        EXPECT_EQ(m.lines[0].TaxTotal, 70.0) << PolicyFor(k).window;
        EXPECT_EQ(m.header.DiscAmt[0], 100.0) << PolicyFor(k).window;
        EXPECT_DOUBLE_EQ(m.header.Total, 963) << PolicyFor(k).window; // 900 x 1.07
        EXPECT_EQ(m.header.TaxCal, 63.0) << PolicyFor(k).window;
        EXPECT_EQ(m.header.TaxTotal, 63.0) << PolicyFor(k).window;
    }
}

// --- Requisition (TFrPoRQTran) -----------------------------------------------------

TEST(RequisitionDiffers, NoLaotaxNoExciseNoFooter)
{
    DocumentModel m = Document("E", 0);
    DocumentLine l = Line(1, 10, 1);
    l.LaotaxUom = 2.5;
    l.ExciseTaxUom = 1;
    m.lines = {l};
    DocumentModel rq = m;
    Calc(kOrder)->CalculateAll(m);
    Calc(DocumentKind::Requisition)->CalculateAll(rq);
    EXPECT_EQ(m.lines[0].Laotax, 25.0);
    EXPECT_EQ(m.lines[0].ExciseTax, 10.0);
    EXPECT_EQ(m.footer.Quantity, 10.0);
    EXPECT_EQ(m.footer.Laotax, 25.0);
    EXPECT_EQ(rq.lines[0].Laotax, 0.0);
    EXPECT_EQ(rq.lines[0].ExciseTax, 0.0);
    EXPECT_EQ(rq.footer.Quantity, 0.0);
    EXPECT_EQ(rq.footer.Laotax, 0.0);
}

TEST(RequisitionDiffers, CurrentLineFirstSoItsAmountsFollowTheRoundedQuantity)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("1"), 12};
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 13, 10), Line(8, 2, 5)};
    m.currentLine = 0;
    DocumentModel rq = m;
    Calc(kOrder, {}, &packing)->CalculateAll(m);
    Calc(DocumentKind::Requisition, {}, &packing)->CalculateAll(rq);
    EXPECT_EQ(m.lines[0].Quantity, 24.0);
    EXPECT_EQ(m.lines[0].Total, 130.0);
    EXPECT_EQ(m.header.Total, 140.0);
    EXPECT_EQ(rq.lines[0].Quantity, 24.0);
    EXPECT_EQ(rq.lines[0].Total, 240.0);
    EXPECT_EQ(rq.header.Total, 250.0);
    // Both renumber their lines (PoRecNo, PoRQRecNo).
    EXPECT_EQ(rq.lines[1].RecNo, 2);
    EXPECT_EQ(m.lines[1].RecNo, 2);
}

TEST(RequisitionDiffers, TypedTotalGivesPriceAndDiscountAmount)
{
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 300, 0)};
    m.currentLine = 0;
    DocumentModel rq = m;
    Calc po(kOrder);
    Calc req(DocumentKind::Requisition);
    for (auto [calc, doc] : {std::pair{&po, &m}, std::pair{&req, &rq}}) {
        (*calc)->TotalEnter(*doc);
        doc->lines[0].Total = 100;
        (*calc)->TotalExit(*doc);
    }
    // Order: 100 / 300 to 6 decimals.
    EXPECT_EQ(*m.lines[0].Price, 0.333333);
    EXPECT_EQ(m.lines[0].Discount, QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 99.9999);
    // Requisition: 0.333 x 300 = 99.90 is below 100, so 0.343; 102.90 - 100 = 2.90 as discount.
    EXPECT_EQ(*rq.lines[0].Price, 0.343);
    EXPECT_EQ(rq.lines[0].Discount, QStringLiteral("2.9"));
    EXPECT_DOUBLE_EQ(rq.lines[0].Total, 100);
    EXPECT_NEAR(rq.lines[0].DiscountAmt, 2.9, kHair);
}

TEST(RequisitionDiffers, TypedTotalOnAPricedLineAndOnEveryExit)
{
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 3, 5)};
    m.currentLine = 0;
    DocumentModel rq = m;
    Calc po(kOrder);
    Calc req(DocumentKind::Requisition);
    po->CalculateAll(m);
    req->CalculateAll(rq);
    EXPECT_FALSE(po->LineTotalEditable(m.lines[0]));
    EXPECT_TRUE(req->LineTotalEditable(rq.lines[0]));

    // Leaving the total unchanged: only the requisition derives the price again.
    po->TotalEnter(m);
    po->TotalExit(m);
    req->TotalEnter(rq);
    req->TotalExit(rq);
    EXPECT_EQ(m.lines[0].Discount, QString());
    EXPECT_EQ(rq.lines[0].Discount, QStringLiteral("0"));
    EXPECT_EQ(*rq.lines[0].Price, 5.0);

    // Typing 12 on the priced line.
    for (auto [calc, doc] : {std::pair{&po, &m}, std::pair{&req, &rq}}) {
        (*calc)->TotalEnter(*doc);
        doc->lines[0].Total = 12;
        (*calc)->TotalExit(*doc);
    }
    EXPECT_EQ(*m.lines[0].Price, 5.0);
    EXPECT_EQ(*rq.lines[0].Price, 4.0);
    EXPECT_EQ(rq.lines[0].Discount, QStringLiteral("0"));
    EXPECT_EQ(rq.lines[0].Total, 12.0);
}

TEST(RequisitionDiffers, NoDeliverySpread)
{
    DocumentModel m = Document("E", 7);
    m.lines = {Line(1, 2, 500)};
    Calc po(kOrder);
    Calc req(DocumentKind::Requisition);
    po->CalculateAll(m);
    m.header.DeliveryCost = 100;
    DocumentModel rq = m;
    EXPECT_TRUE(po->DeliveryCostExit(m));
    EXPECT_FALSE(req->DeliveryCostExit(rq));
    req->BCalCostClick(rq);
    EXPECT_DOUBLE_EQ(m.lines[0].DeliveryCost, 100);
    EXPECT_EQ(rq.lines[0].DeliveryCost, 0.0);
}

// --- Receipt and cash purchase (TFrMrTran, TFrPcTran) ----------------------------------

class ReceiptDiffers : public ::testing::TestWithParam<DocumentKind> {
protected:
    Calc po{kOrder};
    Calc mr{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Kinds, ReceiptDiffers,
                         ::testing::Values(DocumentKind::GoodsReceipt, DocumentKind::CashPurchase));

TEST_P(ReceiptDiffers, LineKeepsItsOwnTaxCode)
{
    DocumentModel m = Document("I", 7);
    m.lines = {TaxedLine(1, 1, 100, 0)};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_EQ(m.lines[0].TaxRate, 7.0);
    EXPECT_EQ(m.lines[0].TaxCode, 1);
    EXPECT_EQ(m.lines[0].ProductAmount, 93.46);
    EXPECT_EQ(m.lines[0].TaxTotal, 6.54);
    EXPECT_EQ(m.header.TaxAmt, 100.0);
    EXPECT_NEAR(m.header.TaxCal, 6.54, kHair);

    EXPECT_EQ(r.lines[0].TaxRate, 0.0);
    EXPECT_EQ(r.lines[0].TaxCode, 2);
    EXPECT_EQ(r.lines[0].ProductAmount, 100.0);
    EXPECT_EQ(r.lines[0].TaxTotal, 0.0);
    EXPECT_EQ(r.header.TaxAmt, 0.0);
    EXPECT_EQ(r.header.NoTaxAmt, 100.0);
    EXPECT_EQ(r.header.Total, 100.0);
    EXPECT_EQ(r.header.TaxCal, 0.0);
}

TEST_P(ReceiptDiffers, DiscountAmtFromTheRoundedGross)
{
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 3, 10.125, "10%")};
    m.currentLine = 0;
    DocumentModel r = m;
    po->CalculateDtRecord(m);
    mr->CalculateDtRecord(r);
    EXPECT_DOUBLE_EQ(m.lines[0].DiscountAmt, 3.0375); // 30.375 - 27.3375
    EXPECT_DOUBLE_EQ(r.lines[0].DiscountAmt, 3.0425); // 30.38 - 27.3375
    EXPECT_DOUBLE_EQ(r.lines[0].Total, 27.3375);
}

TEST_P(ReceiptDiffers, NoCasePacking)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("1"), 12};
    Calc order(kOrder, {}, &packing);
    Calc receipt(GetParam(), {}, &packing);
    DocumentModel m = Document("E", 0);
    m.lines = {Line(7, 13, 10)};
    m.currentLine = 0;
    DocumentModel r = m;
    order->FieldChanged(m, u"QUANTITY");
    receipt->FieldChanged(r, u"QUANTITY");
    EXPECT_EQ(m.lines[0].Quantity, 24.0);
    EXPECT_EQ(r.lines[0].Quantity, 13.0);
    EXPECT_EQ(r.lines[0].HeadUnitName, QString());
    EXPECT_EQ(r.lines[0].Total, 130.0);
    EXPECT_EQ(packing.lookups, 1); // the order's only
}

TEST_P(ReceiptDiffers, BillDiscountsFromARateAreNotRounded)
{
    DocumentModel m = Document("E", 0);
    m.lines = {Line(1, 1, 1000)};
    m.header.DiscRate = {3.3333, 0, 0};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_EQ(m.header.DiscAmt[0], 33.33);
    EXPECT_EQ(m.header.Total, 966.67);
    EXPECT_DOUBLE_EQ(r.header.DiscAmt[0], 33.333);
    EXPECT_DOUBLE_EQ(r.header.Total, 966.667); // and not rounded in "E" mode either
    EXPECT_DOUBLE_EQ(r.SumDiscount, 33.333);
}

TEST_P(ReceiptDiffers, LinesAreNotRenumbered)
{
    DocumentModel m = Document("E", 7);
    DocumentLine a = TaxedLine(1, 1, 10, 7);
    a.RecNo = 7;
    DocumentLine b = TaxedLine(2, 1, 10, 7);
    b.RecNo = 3;
    m.lines = {a, b};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_EQ(m.lines[0].RecNo, 1);
    EXPECT_EQ(m.lines[1].RecNo, 2);
    EXPECT_EQ(r.lines[0].RecNo, 7);
    EXPECT_EQ(r.lines[1].RecNo, 3);
}

TEST_P(ReceiptDiffers, TaxableByItsOwnRate)
{
    DocumentModel m = Document("I", 7);
    m.lines = {TaxedLine(1, 1, 200, 7), TaxedLine(2, 1, -100, 7)};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    // Order: the negative line (VAT -6.54) is untaxed; the order is mixed.
    EXPECT_EQ(m.header.TaxAmt, 200.0);
    EXPECT_EQ(m.header.NoTaxAmt, -100.0);
    EXPECT_EQ(m.header.Total, 100.0);
    EXPECT_EQ(m.header.TaxCal, 13.08);
    // Receipt: both lines have rate 7; 100 of which 93.46 net.
    EXPECT_EQ(r.header.TaxAmt, 100.0);
    EXPECT_EQ(r.header.NoTaxAmt, 0.0);
    EXPECT_EQ(r.header.Total, 100.0);
    EXPECT_NEAR(r.header.TaxCal, 6.54, kHair);
    EXPECT_NEAR(r.AmountProduct, 93.46, kHair);
}

TEST_P(ReceiptDiffers, DepositComesOffTheTaxableSum)
{
    DocumentModel m = Document("I", 7);
    m.lines = {TaxedLine(1, 1, 1070, 7)};
    m.header.PrePaidAmount = 100;
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_EQ(m.header.Total, 1070.0);
    EXPECT_EQ(m.header.TaxCal, 70.0);
    EXPECT_EQ(m.header.TaxAmt, 1070.0);
    EXPECT_EQ(r.header.TaxAmt, 970.0);
    EXPECT_EQ(r.header.Total, 970.0);
    EXPECT_NEAR(r.header.TaxCal, 63.46, kHair); // 970 - 906.54
    EXPECT_NEAR(r.AmountProduct, 906.54, kHair);
}

TEST_P(ReceiptDiffers, DepositComesOffTheUntaxedSumWhenNothingIsTaxed)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 500, 0)};
    m.header.PrePaidAmount = 100;
    DocumentModel r = m;
    mr->CalculateAll(r);
    EXPECT_EQ(r.header.NoTaxAmt, 400.0);
    EXPECT_EQ(r.header.TaxAmt, 0.0);
    EXPECT_EQ(r.header.Total, 400.0);
    EXPECT_EQ(r.AmountProduct, 400.0);
}

TEST_P(ReceiptDiffers, ExcludedTotalIsNotRounded)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 100.01, 7)};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_EQ(m.header.Total, 107.01);
    EXPECT_DOUBLE_EQ(r.header.Total, 107.0107);
    EXPECT_EQ(m.header.TaxCal, 7.0);
    EXPECT_EQ(r.header.TaxCal, 7.0);
}

TEST_P(ReceiptDiffers, HandTypedVatMovesTheTotal)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 1000, 7)};
    m.currentLine = 0;
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    m.header.TaxTotal = 71;
    r.header.TaxTotal = 71;
    po->TaxTotalChange(m);
    mr->TaxTotalChange(r);
    EXPECT_EQ(m.header.Total, 1070.0);
    EXPECT_EQ(r.header.Total, 1071.0);
    EXPECT_TRUE(r.TaxAdjusted);
    EXPECT_EQ(r.taxAdjustedCaption, kCaption + QStringLiteral(" (70.00)"));

    // Recalculating keeps the typed VAT; a second typed value starts again
    // from the computed total.
    mr->CalculateAll(r);
    EXPECT_EQ(r.header.Total, 1071.0);
    EXPECT_EQ(r.header.TaxTotal, 71.0);
    r.header.TaxTotal = 72;
    mr->TaxTotalChange(r);
    EXPECT_EQ(r.header.Total, 1072.0);

    // Typed back: cleared and calculated again.
    r.header.TaxTotal = 70;
    mr->TaxTotalChange(r);
    EXPECT_FALSE(r.TaxAdjusted);
    EXPECT_EQ(r.taxAdjustedCaption, kCaption);
    EXPECT_EQ(r.header.Total, 1070.0);
    EXPECT_EQ(r.header.TaxTotal, 70.0);
}

TEST_P(ReceiptDiffers, HandTypedVatComparedAsText)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 1000, 7)};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    m.header.TaxTotal = 70.00000000000001;
    r.header.TaxTotal = 70.00000000000001;
    po->TaxTotalChange(m);
    mr->TaxTotalChange(r);
    EXPECT_TRUE(m.TaxAdjusted);  // a different number
    EXPECT_FALSE(r.TaxAdjusted); // the same text "70"
    EXPECT_EQ(r.header.TaxTotal, 70.0);
}

TEST_P(ReceiptDiffers, TypedTotalBelowTheGrossBecomesADiscount)
{
    DocumentModel m = Document("E", 0);
    m.lines = {TaxedLine(1, 3, 10, 0)};
    m.currentLine = 0;
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    EXPECT_TRUE(mr->LineTotalEditable(r.lines[0]));
    for (auto [calc, doc] : {std::pair{&po, &m}, std::pair{&mr, &r}}) {
        (*calc)->TotalEnter(*doc);
        doc->lines[0].Total = 25;
        (*calc)->TotalExit(*doc);
    }
    EXPECT_EQ(m.lines[0].Discount, QString());
    EXPECT_EQ(*m.lines[0].Price, 10.0);
    EXPECT_EQ(r.lines[0].Discount, QStringLiteral("5"));
    EXPECT_EQ(r.lines[0].DiscountAmt, 5.0);
    EXPECT_EQ(r.lines[0].Total, 25.0);
    EXPECT_EQ(r.header.Total, 25.0);
}

TEST_P(ReceiptDiffers, TypedTotalAboveTheGrossGivesThePrice)
{
    DocumentModel r = Document("E", 0);
    r.lines = {TaxedLine(1, 3, 10, 0)};
    r.currentLine = 0;
    mr->CalculateAll(r);
    mr->TotalEnter(r);
    r.lines[0].Total = 40;
    mr->TotalExit(r);
    EXPECT_EQ(*r.lines[0].Price, 13.33); // 40 / 3 to 2 decimals
    EXPECT_DOUBLE_EQ(r.lines[0].Total, 39.99);
}

TEST_P(ReceiptDiffers, DeliverySpreadWithoutTheLimit)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 2, 500, 7)};
    DocumentModel r = m;
    po->CalculateAll(m);
    mr->CalculateAll(r);
    m.header.DeliveryCost = 200; // above 15 % of 1070
    r.header.DeliveryCost = 200;
    EXPECT_FALSE(po->DeliveryCostExit(m));
    EXPECT_EQ(po.notices, QStringList{kDeliveryLimit});
    EXPECT_EQ(m.lines[0].DeliveryCost, 0.0);
    EXPECT_TRUE(mr->DeliveryCostWithinLimit(r.header));
    EXPECT_TRUE(mr->DeliveryCostExit(r));
    EXPECT_TRUE(mr.notices.isEmpty());
    EXPECT_DOUBLE_EQ(r.lines[0].DeliveryCost, 200);
    EXPECT_DOUBLE_EQ(r.lines[0].DeliveryCostUom, 100);
    EXPECT_DOUBLE_EQ(r.footer.DeliveryCost, 200);
}

// --- Goods return (TFrPrTran) -----------------------------------------------------------

TEST(GoodsReturnDiffers, NoMeasureBasis)
{
    const CalculatorOptions shown{.ShowMeasure = true};
    DocumentModel m = Document("E", 0);
    DocumentLine l = TaxedLine(1, 10, 100, 0);
    l.QWeightSize = 3.6;
    m.lines = {l};
    m.currentLine = 0;
    DocumentModel pr = m;
    Calc(kOrder, shown)->CalculateAll(m);
    Calc ret(DocumentKind::GoodsReturn, shown);
    ret->CalculateAll(pr);
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 360);
    EXPECT_EQ(pr.lines[0].Total, 1000.0);
    ret->MeasureExit(pr, 3.7, ProductMeasure{true, 60, 60});
    EXPECT_EQ(pr.lines[0].QWeightSize, 3.6);
    EXPECT_EQ(pr.lines[0].Quantity, 10.0);
}

TEST(GoodsReturnDiffers, LineKeepsItsTaxNoLaotaxNoPackingNoRenumbering)
{
    CountingPacking packing;
    packing.products[7] = {QStringLiteral("1"), 12};
    DocumentModel m = Document("I", 7);
    DocumentLine l = TaxedLine(7, 13, 10, 0);
    l.LaotaxUom = 1;
    l.RecNo = 4;
    m.lines = {l};
    m.currentLine = 0;
    DocumentModel pr = m;
    Calc(kOrder, {}, &packing)->FieldChanged(m, u"QUANTITY");
    Calc(DocumentKind::GoodsReturn, {}, &packing)->FieldChanged(pr, u"QUANTITY");
    EXPECT_EQ(m.lines[0].TaxRate, 7.0);
    EXPECT_EQ(m.lines[0].Quantity, 24.0);
    EXPECT_EQ(m.lines[0].Laotax, 24.0);
    EXPECT_EQ(m.lines[0].RecNo, 1);
    EXPECT_EQ(m.footer.Quantity, 24.0);
    EXPECT_EQ(pr.lines[0].TaxRate, 0.0);
    EXPECT_EQ(pr.lines[0].TaxTotal, 0.0);
    EXPECT_EQ(pr.lines[0].Quantity, 13.0);
    EXPECT_EQ(pr.lines[0].Laotax, 0.0);
    EXPECT_EQ(pr.lines[0].RecNo, 4);
    EXPECT_EQ(pr.footer.Quantity, 0.0);
    EXPECT_EQ(pr.header.Total, 130.0);
}

TEST(GoodsReturnDiffers, HandTypedVatMovesTheTotalUntilSaved)
{
    Calc po(kOrder);
    Calc ret(DocumentKind::GoodsReturn);
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 1000, 7)};
    DocumentModel fresh = m;
    DocumentModel saved = m;
    saved.header.Id = 12;
    po->CalculateAll(m);
    ret->CalculateAll(fresh);
    ret->CalculateAll(saved);
    for (DocumentModel* d : {&m, &fresh, &saved})
        d->header.TaxTotal = 71;
    po->TaxTotalChange(m);
    ret->TaxTotalChange(fresh);
    ret->TaxTotalChange(saved);
    EXPECT_EQ(m.header.Total, 1070.0);
    EXPECT_EQ(fresh.header.Total, 1071.0);
    EXPECT_EQ(saved.header.Total, 1070.0);
    EXPECT_TRUE(fresh.TaxAdjusted);
    EXPECT_TRUE(saved.TaxAdjusted);
    // A recalculation starts from the computed total again.
    ret->CalculateAll(fresh);
    EXPECT_EQ(fresh.header.Total, 1071.0);
    // Typed back: the box clears, nothing else.
    fresh.header.TaxTotal = 70;
    ret->TaxTotalChange(fresh);
    EXPECT_FALSE(fresh.TaxAdjusted);
    EXPECT_EQ(fresh.header.Total, 1071.0);
}

TEST(GoodsReturnDiffers, TypedTotalNotOfferedAndNoDeliverySpread)
{
    Calc po(kOrder);
    Calc ret(DocumentKind::GoodsReturn);
    DocumentModel m = Document("E", 0);
    m.lines = {TaxedLine(1, 3, 0, 0)};
    m.currentLine = 0;
    DocumentModel pr = m;
    EXPECT_FALSE(ret->LineTotalEditable(pr.lines[0]));
    for (auto [calc, doc] : {std::pair{&po, &m}, std::pair{&ret, &pr}}) {
        (*calc)->TotalEnter(*doc);
        doc->lines[0].Total = 100;
        (*calc)->TotalExit(*doc);
    }
    EXPECT_EQ(*m.lines[0].Price, 33.333333);
    EXPECT_EQ(*pr.lines[0].Price, 0.0);
    EXPECT_EQ(pr.lines[0].Discount, QString());
    EXPECT_EQ(pr.lines[0].Total, 100.0);

    pr.header.Total = 1000;
    pr.header.DeliveryCost = 10;
    EXPECT_FALSE(ret->DeliveryCostExit(pr));
    EXPECT_EQ(pr.lines[0].DeliveryCost, 0.0);
}

// --- Vendor credit and debit notes (TFrVCnTran, TFrVDnTran) ---------------------------------

class NoteDiffers : public ::testing::TestWithParam<DocumentKind> {
protected:
    Calc po{kOrder};
    Calc vn{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Kinds, NoteDiffers,
                         ::testing::Values(DocumentKind::VendorCreditNote, DocumentKind::VendorDebitNote));

TEST_P(NoteDiffers, LineKeepsItsTaxNoMeasureNoLaotaxNoFooter)
{
    const CalculatorOptions shown{.ShowMeasure = true};
    DocumentModel m = Document("E", 7);
    DocumentLine l = TaxedLine(1, 10, 100, 0);
    l.QWeightSize = 3.6;
    l.LaotaxUom = 2;
    l.RecNo = 5;
    m.lines = {l};
    m.currentLine = 0;
    DocumentModel n = m;
    Calc(kOrder, shown)->CalculateAll(m);
    Calc(GetParam(), shown)->CalculateAll(n);
    EXPECT_DOUBLE_EQ(m.lines[0].Total, 360);
    EXPECT_NEAR(m.lines[0].TaxTotal, 25.2, kHair);
    EXPECT_EQ(m.lines[0].Laotax, 20.0);
    EXPECT_NEAR(m.header.Total, 385.2, kHair);
    EXPECT_EQ(n.lines[0].Total, 1000.0);
    EXPECT_EQ(n.lines[0].TaxTotal, 0.0);
    EXPECT_EQ(n.lines[0].Laotax, 0.0);
    EXPECT_EQ(n.lines[0].RecNo, 5);
    EXPECT_EQ(n.header.NoTaxAmt, 1000.0);
    EXPECT_EQ(n.header.Total, 1000.0);
    EXPECT_EQ(n.footer.Quantity, 0.0);
}

TEST_P(NoteDiffers, HandTypedVatAsTheReceipt)
{
    DocumentModel m = Document("E", 7);
    m.lines = {TaxedLine(1, 1, 1000, 7)};
    DocumentModel n = m;
    po->CalculateAll(m);
    vn->CalculateAll(n);
    m.header.TaxTotal = 71;
    n.header.TaxTotal = 71;
    po->TaxTotalChange(m);
    vn->TaxTotalChange(n);
    EXPECT_EQ(m.header.Total, 1070.0);
    EXPECT_EQ(n.header.Total, 1071.0);
    n.header.TaxTotal = 70;
    vn->TaxTotalChange(n);
    EXPECT_FALSE(n.TaxAdjusted);
    EXPECT_EQ(n.header.Total, 1070.0);
}

TEST_P(NoteDiffers, TypedTotalNotOfferedAndNoDeliverySpread)
{
    DocumentModel n = Document("E", 0);
    n.lines = {TaxedLine(1, 3, 0, 0)};
    n.currentLine = 0;
    vn->TotalEnter(n);
    n.lines[0].Total = 100;
    vn->TotalExit(n);
    EXPECT_EQ(*n.lines[0].Price, 0.0);
    EXPECT_FALSE(vn->LineTotalEditable(n.lines[0]));
    n.header.Total = 1000;
    n.header.DeliveryCost = 10;
    EXPECT_FALSE(vn->DeliveryCostExit(n));
    EXPECT_EQ(n.lines[0].DeliveryCost, 0.0);
}

} // namespace

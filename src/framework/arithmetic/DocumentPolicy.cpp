#include "framework/arithmetic/DocumentPolicy.h"

#include <array>
#include <cstddef>

namespace meridox::arithmetic {

namespace {

using D = DiscountAmtRule;
using L = LineRecalculation;
using T = TaxableRule;
using V = HandTypedVatRule;
using P = TypedTotalRule;
using S = DeliverySpread;

constexpr DocumentPolicy kPurchaseOrder{
    DocumentKind::PurchaseOrder, "TFrPoTran",
    /*copyHeaderTax*/ true, /*measureBasis*/ true, D::Unrounded, /*laotaxAndExcise*/ true,
    /*casePacking*/ true, /*roundBillDiscounts*/ true, L::EveryLine, /*recNoColumn*/ "PoRecNo",
    T::LineTaxTotal, /*deposit*/ false, /*roundExcludedTotal*/ true, /*footerSums*/ true,
    V::Indicator, P::PriceFromTotal, S::WithinLimit};

constexpr DocumentPolicy kRequisition{
    DocumentKind::Requisition, "TFrPoRQTran",
    true, true, D::Unrounded, /*laotaxAndExcise*/ false,
    true, true, L::CurrentLineThenEveryLine, "PoRQRecNo",
    T::LineTaxTotal, false, true, /*footerSums*/ false,
    V::Indicator, P::PriceAndDiscountAmount, S::None};

constexpr DocumentPolicy Receipt(DocumentKind kind, const char* window)
{
    return {kind, window,
            /*copyHeaderTax*/ false, true, D::RoundedGross, true,
            /*casePacking*/ false, /*roundBillDiscounts*/ false, L::EveryLineTwice, nullptr,
            T::LineTaxRate, /*deposit*/ true, /*roundExcludedTotal*/ false, true,
            V::AdjustComputedTotal, P::DiscountOrPrice, S::Unlimited};
}

constexpr DocumentPolicy kGoodsReturn{
    DocumentKind::GoodsReturn, "TFrPrTran",
    false, /*measureBasis*/ false, D::Unrounded, false,
    false, true, L::EveryLine, nullptr,
    T::LineTaxTotal, false, true, false,
    V::AdjustTotalWhileUnsaved, P::NotOffered, S::None};

constexpr DocumentPolicy Note(DocumentKind kind, const char* window)
{
    return {kind, window,
            false, false, D::Unrounded, false,
            false, true, L::CurrentLineThenEveryLine, nullptr,
            T::LineTaxTotal, false, true, false,
            V::AdjustComputedTotal, P::NotOffered, S::None};
}

constexpr std::array<DocumentPolicy, 7> kPolicies{
    kRequisition,
    kPurchaseOrder,
    Receipt(DocumentKind::GoodsReceipt, "TFrMrTran"),
    Receipt(DocumentKind::CashPurchase, "TFrPcTran"),
    kGoodsReturn,
    Note(DocumentKind::VendorCreditNote, "TFrVCnTran"),
    Note(DocumentKind::VendorDebitNote, "TFrVDnTran"),
};

} // namespace

const DocumentPolicy& PolicyFor(DocumentKind kind)
{
    return kPolicies[static_cast<size_t>(kind)];
}

} // namespace meridox::arithmetic

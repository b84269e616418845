#pragma once
// Where each purchase document's arithmetic differs from the purchase order,
// as data. One DocumentCalculator reads these; no window has a calculator of
// its own.
namespace meridox::arithmetic {

enum class DocumentKind {
    Requisition,      // TFrPoRQTran
    PurchaseOrder,    // TFrPoTran (the reference)
    GoodsReceipt,     // TFrMrTran
    CashPurchase,     // TFrPcTran
    GoodsReturn,      // TFrPrTran
    VendorCreditNote, // TFrVCnTran
    VendorDebitNote,  // TFrVDnTran
};

// DiscountAmt of a line.
enum class DiscountAmtRule {
    Unrounded,        // Price x basis - Total
    RoundedGross,     // RoundDecimal(Price x basis, 2, 15) - Total
};

// Which lines the document calculation recalculates.
enum class LineRecalculation {
    EveryLine,                // each line once, as it is summed
    CurrentLineThenEveryLine, // the current line first, then each line once
    EveryLineTwice,           // each line before and after it is summed
};

// What makes a line taxable in the document sums.
enum class TaxableRule {
    LineTaxTotal,     // its TaxTotal is above 0
    LineTaxRate,      // its own TaxRate is above 0
};

// What a hand-typed TaxTotal does (TaxTotalChange / TaxTotalExit).
enum class HandTypedVatRule {
    Indicator,               // compared as numbers; only the TaxAdjusted box follows, Total keeps the computed VAT
    AdjustComputedTotal,     // compared as texts; different: Total := Total as last computed - TaxCal + TaxTotal;
                             // equal: the box is cleared and the document calculated again
    AdjustTotalWhileUnsaved, // compared as texts; different and Id 0: Total := Total - TaxCal + TaxTotal
};

// What a typed line total does (ReCalculatePrice).
enum class TypedTotalRule {
    NotOffered,
    PriceFromTotal,          // price 0 only: Price := RoundDecimal(Total / Quantity, 6, 15), Discount "0"
    PriceAndDiscountAmount,  // every exit, any price: Price to 3 decimals, the remainder as discount amount
    DiscountOrPrice,         // below the gross: the difference as discount; otherwise Price to 2 decimals
};

enum class DeliverySpread {
    None,
    WithinLimit,      // at most 15 % of the document Total
    Unlimited,
};

struct DocumentPolicy {
    DocumentKind kind;
    const char* window;                 // the window class
    bool copyHeaderTax;                 // header TaxCode and TaxRate copied onto the line
    bool measureBasis;                  // QWeightSize is the basis when opened with ShowMeasure
    DiscountAmtRule discountAmt;
    bool laotaxAndExcise;               // Laotax and ExciseTax computed per line
    bool casePacking;                   // packing shown and quantities rounded up to whole cases
    bool roundBillDiscounts;            // DiscAmt1..3 from a rate rounded to 2 decimals
    LineRecalculation recalculation;
    const char* recNoColumn;            // column renumbered by the document calculation; nullptr: none
    TaxableRule taxable;
    bool deposit;                       // PrePaidAmount subtracted from the sums
    bool roundExcludedTotal;            // Total rounded to 2 decimals in "E" mode
    bool footerSums;                    // grid footer under Quantity, Laotax, DeliveryCost
    HandTypedVatRule handTypedVat;
    TypedTotalRule typedTotal;
    DeliverySpread deliverySpread;
};

const DocumentPolicy& PolicyFor(DocumentKind kind);

} // namespace meridox::arithmetic

#pragma once
// The arithmetic of every purchase document: the line calculation, the three
// bill discounts in cascade, the document calculation, the hand-typed VAT, the
// price from a typed line total, the delivery-cost spread, the currency rate
// and the measure quantities. One calculator serves all seven documents; what
// differs between them is its DocumentPolicy.
//
// Pure: the document is a DocumentModel; product packing comes through a
// PackingSource (asked once per product and operation); messages go to the
// NoticeSink. A malformed discount text raises meridox::ConversionError; the
// line keeps its earlier values and the header is left as it was.
#include "framework/arithmetic/DocumentModel.h"
#include "framework/arithmetic/DocumentPolicy.h"
#include "framework/arithmetic/PackingSource.h"

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace meridox::arithmetic {

using NoticeSink = std::function<void(const QString&)>;

// The messages the calculator shows.
inline constexpr char16_t kMixedTaxMessage[] =
    u"รายการสินค้า มีแบบ มีภาษี และ ไม่มีภาษี\rไม่สามารถกำหนดส่วนลดท้ายบิลได้\rโปรแกรมจะกำหนดให้ส่วนลดท้ายบิลเป็น 0";
inline constexpr char16_t kDeliveryCostLimitMessage[] = u"ค่าขนส่ง ต้องไปเกิน 15% ของมูลค่าบิล !!";

// Window mode fields the arithmetic reads.
struct CalculatorOptions {
    bool ShowMeasure = false;
    int MainCurrencyId = 0;        // Config.MainCurrencyId
};

// The sizes of the product loaded for the current line (measure mode).
struct ProductMeasure {
    bool PriceByVolumn = false;    // Product.PriceByVolumn = "Y"
    double Size_W = 0;             // centimetres
    double Size_L = 0;
};

// The purchase figures of a currency (its latest CurrencyEx row).
struct PurchaseRate {
    double PurcRate = 0;
    double PurcScrap = 0;
    double PurcPart = 0;
};

class DocumentCalculator {
public:
    explicit DocumentCalculator(const DocumentPolicy& policy, CalculatorOptions options = {},
                                const PackingSource* packing = nullptr, NoticeSink notices = {});

    const DocumentPolicy& policy() const { return m_policy; }

    // Calculates the current line.
    void CalculateDtRecord(DocumentModel& doc) const;
    // Applies the three bill discounts to `x`, writes DiscAmt1..3, returns what remains.
    double CalDiscount(DocumentHeader& header, double x) const;
    // Calculates the whole document.
    void CalculateAll(DocumentModel& doc) const;
    // Leaving the TaxTotal edit (TaxTotalExit in the receipt and note windows).
    void TaxTotalChange(DocumentModel& doc) const;
    // Clicking the TaxAdjusted box: it is checked exactly when TaxTotal differs from TaxCal.
    void TaxAdjustedClick(DocumentModel& doc) const;
    // Derives the current line's price from a typed line total, by the policy's rule.
    void ReCalculatePrice(DocumentModel& doc, double quantity, double total) const;
    // Spreads the header DeliveryCost over the lines, then calculates the document.
    void BCalCostClick(DocumentModel& doc) const;
    // The header DeliveryCost is at most 15 % of the Total (always true without the limit).
    bool DeliveryCostWithinLimit(const DocumentHeader& header) const;
    // Sets Rate, Scrap and Part for the chosen currency; `chosen` is its row of
    // the currency list (empty when it has none: the three become 0).
    void MainCurrencyCloseUp(DocumentHeader& header, const std::optional<PurchaseRate>& chosen) const;

    // Event wiring of the document windows.
    // A line field changed (compared in upper case): PRODUCTCODE, QUANTITY, PRICE,
    // DISCOUNT, LAOTAXUOM, DELIVERYCOSTUOM and EXCISETAXUOM calculate the current
    // line and then the document; returns whether it did.
    bool FieldChanged(DocumentModel& doc, QStringView fieldName) const;
    // The header VAT code changed: header TaxCode and TaxRate (0 when the code is
    // not found) and, where the policy copies them, every line's.
    void TaxCodeChange(DocumentModel& doc, int taxCode, std::optional<double> taxRate) const;
    // Leaving the VAT code or Price_IE: the document is calculated when its Total
    // is above 0; returns whether it was (the window then moves the focus on).
    bool TaxCodeExit(DocumentModel& doc) const;
    bool PriceIEChange(DocumentModel& doc) const;
    // Entering and leaving the line total editor; the editor has written the
    // typed value into the current line's Total before TotalExit.
    void TotalEnter(DocumentModel& doc) const;
    void TotalExit(DocumentModel& doc) const;
    // Whether the line total editor accepts typing on this line.
    bool LineTotalEditable(const DocumentLine& line) const;
    // Leaving the header delivery cost: the limit check (its message when
    // exceeded), then the spread; returns whether it spread.
    bool DeliveryCostExit(DocumentModel& doc) const;
    // Leaving the quantity and leaving the measure (windows opened with ShowMeasure).
    void QuantityExit(DocumentModel& doc, const ProductMeasure& product) const;
    void MeasureExit(DocumentModel& doc, double typedMeasure, const ProductMeasure& product) const;
    // A stored document was loaded: every line's amounts from its own TaxRate,
    // then the document, then the hand-typed VAT.
    void OpenStoredDocument(DocumentModel& doc) const;
    // A new, empty document: the TaxAdjusted caption is reset; the box keeps its state.
    void StartNewDocument(DocumentModel& doc) const;

private:
    class Run;

    DocumentPolicy m_policy;
    CalculatorOptions m_options;
    const PackingSource* m_packing;
    NoticeSink m_notices;
};

} // namespace meridox::arithmetic

#pragma once
// A purchase document as the arithmetic sees it, independent of widgets: the
// header money columns, the lines, and the window state that takes part in
// the calculation. Member names are the columns' own names (PoHd, PoRqHd,
// MrHd, PcHd, PrHd, VCnHd, VDnHd and their line tables).
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace meridox::arithmetic {

inline constexpr char16_t kTaxAdjustedCaption[] = u"ปรับปรุงภาษี"; // tax adjusted

struct DocumentHeader {
    int Id = 0;                    // 0 while the document has not been saved
    int TaxCode = 0;
    double TaxRate = 0;            // percent
    QString Price_IE = QStringLiteral("I"); // "E": prices exclude VAT; anything else includes it
    std::array<QString, 3> DiscName;        // DiscName1..3
    std::array<double, 3> DiscRate{};       // DiscRate1..3, percent; 0 = the amount is typed
    std::array<double, 3> DiscAmt{};        // DiscAmt1..3
    double TaxAmt = 0;             // sum of the taxable lines
    double NoTaxAmt = 0;           // sum of the non-taxable lines
    double TaxCal = 0;             // VAT as computed
    double TaxTotal = 0;           // VAT of the document
    double Total = 0;
    double DeliveryCost = 0;
    double PrePaidAmount = 0;      // deposit (receipt and cash purchase)
    int CurrencyId = 0;
    double Rate = 1;
    double Scrap = 0;
    double Part = 0;

    bool pricesExcludeVat() const { return Price_IE == u"E"; }
};

struct DocumentLine {
    int Product = 0;               // 0 or less: the line is never calculated
    QString ProductType = QStringLiteral("P");
    double Quantity = 0;
    double QWeightSize = 0;        // measure (area or weight)
    std::optional<double> Price;   // empty reads as 0 and is set to 0 by the line calculation
    QString Discount;              // discount text
    double DiscountAmt = 0;
    double Total = 0;
    double ProductAmount = 0;
    double TaxTotal = 0;
    int TaxCode = 0;
    double TaxRate = 0;
    double LaotaxUom = 0;
    double Laotax = 0;
    double ExciseTaxUom = 0;
    double ExciseTax = 0;
    double DeliveryCost = 0;
    double DeliveryCostUom = 0;
    // Case packing shown on order and requisition lines (not stored).
    QString HeadUnitName;
    std::optional<long long> PackQnty;
    std::optional<long long> PcsQnty;
    int RecNo = 0;                 // PoRecNo / PoRQRecNo where the document renumbers its lines
};

// The grid footer under Quantity, Laotax and DeliveryCost.
struct FooterSums {
    double Quantity = 0;           // sum of the whole parts of the quantities
    double Laotax = 0;
    double DeliveryCost = 0;
};

struct DocumentModel {
    DocumentHeader header;
    std::vector<DocumentLine> lines;
    int currentLine = -1;          // the grid's current line; -1 when none

    // Window state taking part in the calculation.
    bool TaxAdjusted = false;      // check box: TaxTotal is hand-typed
    double rememberedLineTotal = 0; // line Total remembered on entering its editor

    // Shown, never stored.
    double SumDiscount = 0;        // DiscAmt1 + DiscAmt2 + DiscAmt3
    double AmountProduct = 0;      // net goods amount
    FooterSums footer;
    QString taxAdjustedCaption = QString::fromUtf16(kTaxAdjustedCaption);
    bool taxTotalHighlighted = false; // the TaxTotal edit drawn in red
    double computedTotal = 0;      // header Total as the last document calculation left it

    DocumentLine* current()
    {
        return currentLine >= 0 && currentLine < static_cast<int>(lines.size()) ? &lines[static_cast<size_t>(currentLine)] : nullptr;
    }
};

} // namespace meridox::arithmetic

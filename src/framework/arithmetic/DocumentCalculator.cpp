#include "framework/arithmetic/DocumentCalculator.h"

#include "framework/arithmetic/DiscountText.h"
#include "framework/arithmetic/RoundDecimal.h"

#include <cmath>
#include <unordered_map>
#include <utility>

namespace meridox::arithmetic {

namespace {

using LD = long double;

double D(LD v) { return static_cast<double>(v); }

double Money(LD v) { return RoundDecimal(v, 2, 18); }

QString Caption() { return QString::fromUtf16(kTaxAdjustedCaption); }

// The three bill discounts in cascade: each one with a rate applies to what
// the earlier ones left; one with rate 0 keeps its typed amount.
double CascadeDiscounts(DocumentHeader& h, bool round, double x)
{
    for (size_t k = 0; k < 3; ++k) {
        if (h.DiscRate[k] == 0)
            continue;
        LD rest = x;
        for (size_t j = 0; j < k; ++j)
            rest -= h.DiscAmt[j];
        const LD amount = rest * h.DiscRate[k] / 100;
        h.DiscAmt[k] = round ? Money(amount) : D(amount);
    }
    return D(static_cast<LD>(x) - h.DiscAmt[0] - h.DiscAmt[1] - h.DiscAmt[2]);
}

// What the line calculation needs of a product's packing, prepared once per
// product and operation.
struct CachedPacking {
    bool found = false;
    QString headUnitName;
    int pcsCase = 0;
};

} // namespace

// One operation on one document: the model, and the packing read so far.
class DocumentCalculator::Run {
public:
    Run(const DocumentCalculator& calc, DocumentModel& doc)
        : c(calc), p(calc.m_policy), doc(doc), h(doc.header)
    {
    }

    void calculateLine(size_t index);
    void lineAmounts(DocumentLine& line, double taxRate, double price) const;
    double calDiscount(double x);
    void calculateAll();
    void taxTotalChange();
    bool taxTotalDiffers() const;
    void reCalculatePrice(double quantity, double total);
    void calculateCurrent();

private:
    double basis(const DocumentLine& line) const;
    void casePacking(DocumentLine& line);
    const CachedPacking& packing(int product);

    const DocumentCalculator& c;
    const DocumentPolicy& p;
    DocumentModel& doc;
    DocumentHeader& h;
    std::unordered_map<int, CachedPacking> m_packing;
};

double DocumentCalculator::Run::basis(const DocumentLine& line) const
{
    if (p.measureBasis && c.m_options.ShowMeasure && RoundDecimal(line.QWeightSize, 2, 15) != 0)
        return line.QWeightSize;
    return line.Quantity;
}

// Total, DiscountAmt, ProductAmount and TaxTotal of a line. Raises
// ConversionError before writing anything when the discount text is malformed.
void DocumentCalculator::Run::lineAmounts(DocumentLine& line, double taxRate, double price) const
{
    const LD gross = static_cast<LD>(price) * basis(line);
    const double total = ApplyDiscountText(line.Discount, D(gross));
    line.Total = total;
    line.DiscountAmt = p.discountAmt == DiscountAmtRule::RoundedGross ? D(RoundDecimal(gross, 2, 15) - static_cast<LD>(total))
                                                                      : D(gross - total);
    const LD t = total;
    if (!h.pricesExcludeVat()) {
        if (taxRate > 0) {
            line.ProductAmount = Money(t * 100 / (taxRate + 100.0L));
            line.TaxTotal = Money(t * taxRate / (taxRate + 100.0L));
        } else {
            line.ProductAmount = total;
            line.TaxTotal = 0;
        }
    } else {
        line.ProductAmount = total;
        line.TaxTotal = taxRate > 0 ? Money(t * (taxRate / 100.0L)) : 0.0;
    }
}

const CachedPacking& DocumentCalculator::Run::packing(int product)
{
    auto [it, inserted] = m_packing.try_emplace(product);
    if (inserted && c.m_packing) {
        if (const auto pk = c.m_packing->packing(product)) {
            it->second.found = true;
            it->second.headUnitName = pk->MinOrderPack.trimmed() + QStringLiteral(" x ") + QString::number(pk->MinOrderPcsCase);
            it->second.pcsCase = pk->MinOrderPcsCase;
        }
    }
    return it->second;
}

void DocumentCalculator::Run::casePacking(DocumentLine& line)
{
    const CachedPacking& pk = packing(line.Product);
    if (!pk.found) {
        line.HeadUnitName.clear();
        line.PackQnty.reset();
        line.PcsQnty.reset();
        return;
    }
    line.HeadUnitName = pk.headUnitName;
    const int perCase = pk.pcsCase;
    if (perCase < 1) {
        line.PackQnty.reset();
        line.PcsQnty.reset();
        return;
    }
    const LD cases = static_cast<LD>(line.Quantity) / perCase;
    if (cases != std::trunc(cases))
        line.Quantity = D((std::trunc(cases) + 1) * perCase);
    if (perCase == 1) {
        line.PackQnty = 0;
        line.PcsQnty = static_cast<long long>(std::trunc(line.Quantity));
    } else {
        const long long packs = static_cast<long long>(std::trunc(static_cast<LD>(line.Quantity) / perCase));
        line.PackQnty = packs;
        line.PcsQnty = static_cast<long long>(std::trunc(static_cast<LD>(line.Quantity) - static_cast<LD>(packs) * perCase));
    }
}

void DocumentCalculator::Run::calculateLine(size_t index)
{
    DocumentLine& line = doc.lines[index];
    if (line.Product <= 0)
        return;
    const double price = line.Price.value_or(0.0);
    const double taxRate = p.copyHeaderTax ? h.TaxRate : line.TaxRate;
    lineAmounts(line, taxRate, price); // the only step that can fail: nothing is written before it
    if (p.copyHeaderTax) {
        line.TaxCode = h.TaxCode;
        line.TaxRate = h.TaxRate;
    }
    line.Price = price;
    if (p.laotaxAndExcise) {
        line.Laotax = D(static_cast<LD>(line.LaotaxUom) * line.Quantity);
        line.ExciseTax = D(static_cast<LD>(line.ExciseTaxUom) * line.Quantity);
    }
    if (p.casePacking)
        casePacking(line);
}

void DocumentCalculator::Run::calculateCurrent()
{
    if (doc.current())
        calculateLine(static_cast<size_t>(doc.currentLine));
}

double DocumentCalculator::Run::calDiscount(double x)
{
    return CascadeDiscounts(h, p.roundBillDiscounts, x);
}

void DocumentCalculator::Run::calculateAll()
{
    const bool excluded = h.pricesExcludeVat();
    if (p.recalculation == LineRecalculation::CurrentLineThenEveryLine)
        calculateCurrent();

    // The sums are gathered first; the header is written only once every line
    // has been calculated, so a failing line leaves the header as it was.
    double taxable = 0;    // p
    double untaxed = 0;    // q
    FooterSums footer;
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        calculateLine(i);
        DocumentLine& line = doc.lines[i];
        if (p.recNoColumn)
            line.RecNo = static_cast<int>(i) + 1;
        const bool isTaxable = p.taxable == TaxableRule::LineTaxRate ? line.TaxRate > 0 : line.TaxTotal > 0;
        (isTaxable ? taxable : untaxed) += excluded ? line.ProductAmount : line.Total;
        if (p.footerSums) {
            footer.Quantity += std::trunc(line.Quantity);
            footer.Laotax += line.Laotax;
            footer.DeliveryCost += line.DeliveryCost;
        }
        if (p.recalculation == LineRecalculation::EveryLineTwice)
            calculateLine(i);
    }
    doc.footer = footer;

    const LD rate = h.TaxRate;
    double sumDiscount = 0;
    const auto clearDiscounts = [this] {
        h.DiscRate = {};
        h.DiscAmt = {};
    };
    const auto discountSum = [this] { return D(static_cast<LD>(h.DiscAmt[0]) + h.DiscAmt[1] + h.DiscAmt[2]); };

    // Bill discounts need all lines taxable or all non-taxable.
    if (rate > 0 && taxable != 0 && untaxed != 0 && discountSum() > 0) {
        if (c.m_notices)
            c.m_notices(QString::fromUtf16(kMixedTaxMessage));
        clearDiscounts();
    }
    if (p.deposit) {
        if (taxable > 0)
            taxable = D(static_cast<LD>(taxable) - h.PrePaidAmount);
        else
            untaxed = D(static_cast<LD>(untaxed) - h.PrePaidAmount);
    }

    const bool mixed = taxable != 0 && untaxed != 0;
    const LD pSum = taxable;
    const LD qSum = untaxed;
    double total = 0;
    double taxCal = 0;
    double amountProduct = 0;
    if (!excluded) {
        if (mixed) {
            clearDiscounts();
            total = D(pSum + qSum);
            taxCal = Money(rate * pSum / (rate + 100));
        } else if (taxable > 0) {
            total = D(calDiscount(taxable) + qSum);
            sumDiscount = discountSum();
            taxCal = D(total - static_cast<LD>(Money(static_cast<LD>(total) * 100 / (rate + 100))));
        } else {
            total = calDiscount(untaxed);
            sumDiscount = discountSum();
        }
        amountProduct = D(pSum + qSum - sumDiscount - taxCal);
    } else {
        const auto totalOf = [this](LD v) { return p.roundExcludedTotal ? Money(v) : D(v); };
        if (mixed) {
            total = totalOf((rate + 100) * pSum / 100 + qSum);
            clearDiscounts();
        } else if (taxable > 0) {
            total = totalOf(static_cast<LD>(calDiscount(taxable)) * (rate + 100) / 100 + qSum);
        } else {
            total = totalOf(static_cast<LD>(calDiscount(untaxed)) + (rate + 100) * pSum / 100);
        }
        sumDiscount = discountSum();
        if (taxable > 0)
            taxCal = Money((pSum - sumDiscount) * rate / 100);
        amountProduct = D(pSum + qSum - sumDiscount);
    }

    h.TaxAmt = taxable;
    h.NoTaxAmt = untaxed;
    h.TaxCal = taxCal;
    h.Total = total;
    doc.computedTotal = total;
    doc.SumDiscount = sumDiscount;
    doc.AmountProduct = amountProduct;
    if (doc.TaxAdjusted)
        taxTotalChange();
    else
        h.TaxTotal = h.TaxCal;
}

bool DocumentCalculator::Run::taxTotalDiffers() const
{
    if (p.handTypedVat == HandTypedVatRule::Indicator)
        return h.TaxTotal != h.TaxCal;
    return FloatText(h.TaxTotal) != FloatText(h.TaxCal);
}

void DocumentCalculator::Run::taxTotalChange()
{
    if (taxTotalDiffers()) {
        doc.taxAdjustedCaption = Caption() + QStringLiteral(" (") + MoneyText(h.TaxCal) + QStringLiteral(")");
        doc.TaxAdjusted = true;
        doc.taxTotalHighlighted = true;
        switch (p.handTypedVat) {
        case HandTypedVatRule::Indicator:
            break;
        case HandTypedVatRule::AdjustComputedTotal:
            h.Total = D(static_cast<LD>(doc.computedTotal) - h.TaxCal + h.TaxTotal);
            break;
        case HandTypedVatRule::AdjustTotalWhileUnsaved:
            if (h.Id == 0)
                h.Total = D(static_cast<LD>(h.Total) - h.TaxCal + h.TaxTotal);
            break;
        }
        return;
    }
    doc.taxAdjustedCaption = Caption();
    doc.TaxAdjusted = false;
    doc.taxTotalHighlighted = false;
    if (p.handTypedVat == HandTypedVatRule::AdjustComputedTotal)
        calculateAll();
}

void DocumentCalculator::Run::reCalculatePrice(double quantity, double total)
{
    DocumentLine* line = doc.current();
    if (!line || quantity == 0)
        return;
    const double price = line->Price.value_or(0.0);
    switch (p.typedTotal) {
    case TypedTotalRule::NotOffered:
        return;
    case TypedTotalRule::PriceFromTotal: {
        if (price > 0)
            return;
        if (line->Discount.isEmpty())
            line->Discount = QStringLiteral("0");
        const double newPrice = RoundDecimal(static_cast<LD>(total) / quantity, 6, 15);
        if (line->Discount == u"0" && line->Price && *line->Price == newPrice)
            return;
        line->Discount = QStringLiteral("0");
        line->Price = newPrice;
        break;
    }
    case TypedTotalRule::PriceAndDiscountAmount: {
        double newPrice = RoundDecimal(static_cast<LD>(total) / quantity, 3, 15);
        if (RoundDecimal(static_cast<LD>(newPrice) * quantity, 2, 15) < total)
            newPrice = RoundDecimal(static_cast<LD>(newPrice) + 0.01L, 3, 15);
        const double remainder = RoundDecimal(static_cast<LD>(newPrice) * quantity - total, 2, 15);
        line->Price = newPrice;
        line->Discount = FloatText(remainder);
        break;
    }
    case TypedTotalRule::DiscountOrPrice: {
        const double gross = RoundDecimal(static_cast<LD>(price) * basis(*line), 2, 15);
        if (price > 0 && total < gross) {
            const double difference = RoundDecimal(static_cast<LD>(gross) - total, 2, 15);
            line->Discount = FloatText(difference);
            line->DiscountAmt = difference;
        } else {
            line->Price = RoundDecimal(static_cast<LD>(total) / quantity, 2, 15);
        }
        break;
    }
    }
    // The changed price or discount recalculates the line and the document.
    calculateCurrent();
    calculateAll();
}

DocumentCalculator::DocumentCalculator(const DocumentPolicy& policy, CalculatorOptions options,
                                       const PackingSource* packing, NoticeSink notices)
    : m_policy(policy), m_options(options), m_packing(packing), m_notices(std::move(notices))
{
}

void DocumentCalculator::CalculateDtRecord(DocumentModel& doc) const
{
    Run(*this, doc).calculateCurrent();
}

double DocumentCalculator::CalDiscount(DocumentHeader& header, double x) const
{
    return CascadeDiscounts(header, m_policy.roundBillDiscounts, x);
}

void DocumentCalculator::CalculateAll(DocumentModel& doc) const
{
    Run(*this, doc).calculateAll();
}

void DocumentCalculator::TaxTotalChange(DocumentModel& doc) const
{
    Run(*this, doc).taxTotalChange();
}

void DocumentCalculator::TaxAdjustedClick(DocumentModel& doc) const
{
    doc.TaxAdjusted = Run(*this, doc).taxTotalDiffers();
}

void DocumentCalculator::ReCalculatePrice(DocumentModel& doc, double quantity, double total) const
{
    Run(*this, doc).reCalculatePrice(quantity, total);
}

void DocumentCalculator::BCalCostClick(DocumentModel& doc) const
{
    if (m_policy.deliverySpread == DeliverySpread::None)
        return;
    const DocumentHeader& h = doc.header;
    const LD net = static_cast<LD>(h.Total) - h.TaxTotal;
    for (DocumentLine& line : doc.lines) {
        line.DeliveryCost = net > 0 ? D(line.Total / net * h.DeliveryCost) : 0.0;
        line.DeliveryCostUom = line.Quantity > 0 ? D(static_cast<LD>(line.DeliveryCost) / line.Quantity) : 0.0;
    }
    Run(*this, doc).calculateAll();
}

bool DocumentCalculator::DeliveryCostWithinLimit(const DocumentHeader& header) const
{
    if (m_policy.deliverySpread != DeliverySpread::WithinLimit)
        return true;
    return static_cast<LD>(header.Total) * 15 / 100 >= header.DeliveryCost;
}

void DocumentCalculator::MainCurrencyCloseUp(DocumentHeader& header, const std::optional<PurchaseRate>& chosen) const
{
    if (header.CurrencyId == m_options.MainCurrencyId) {
        header.Rate = 1;
        header.Scrap = 0;
        header.Part = 0;
        return;
    }
    const PurchaseRate r = chosen.value_or(PurchaseRate{});
    header.Rate = r.PurcRate;
    header.Scrap = r.PurcScrap;
    header.Part = r.PurcPart;
}

bool DocumentCalculator::FieldChanged(DocumentModel& doc, QStringView fieldName) const
{
    static const QStringView kFields[] = {u"PRODUCTCODE", u"QUANTITY",        u"PRICE",       u"DISCOUNT",
                                          u"LAOTAXUOM",   u"DELIVERYCOSTUOM", u"EXCISETAXUOM"};
    bool known = false;
    for (QStringView f : kFields)
        known = known || fieldName.compare(f, Qt::CaseInsensitive) == 0;
    if (!known)
        return false;
    Run run(*this, doc); // one packing read per product for both calculations
    run.calculateCurrent();
    run.calculateAll();
    return true;
}

void DocumentCalculator::TaxCodeChange(DocumentModel& doc, int taxCode, std::optional<double> taxRate) const
{
    doc.header.TaxCode = taxCode;
    doc.header.TaxRate = taxRate.value_or(0.0);
    if (!m_policy.copyHeaderTax)
        return;
    for (DocumentLine& line : doc.lines) {
        line.TaxCode = doc.header.TaxCode;
        line.TaxRate = doc.header.TaxRate;
    }
}

bool DocumentCalculator::TaxCodeExit(DocumentModel& doc) const
{
    if (doc.header.Total <= 0)
        return false;
    CalculateAll(doc);
    return true;
}

bool DocumentCalculator::PriceIEChange(DocumentModel& doc) const
{
    return TaxCodeExit(doc);
}

void DocumentCalculator::TotalEnter(DocumentModel& doc) const
{
    if (const DocumentLine* line = doc.current())
        doc.rememberedLineTotal = line->Total;
}

void DocumentCalculator::TotalExit(DocumentModel& doc) const
{
    const DocumentLine* line = doc.current();
    if (!line || m_policy.typedTotal == TypedTotalRule::NotOffered)
        return;
    if (m_policy.typedTotal == TypedTotalRule::PriceAndDiscountAmount || line->Total != doc.rememberedLineTotal)
        ReCalculatePrice(doc, line->Quantity, line->Total);
}

bool DocumentCalculator::LineTotalEditable(const DocumentLine& line) const
{
    switch (m_policy.typedTotal) {
    case TypedTotalRule::NotOffered:
        return false;
    case TypedTotalRule::PriceFromTotal:
        return line.Price.value_or(0.0) == 0;
    default:
        return true;
    }
}

bool DocumentCalculator::DeliveryCostExit(DocumentModel& doc) const
{
    if (m_policy.deliverySpread == DeliverySpread::None)
        return false;
    if (!DeliveryCostWithinLimit(doc.header)) {
        if (m_notices)
            m_notices(QString::fromUtf16(kDeliveryCostLimitMessage));
        return false;
    }
    BCalCostClick(doc);
    return true;
}

void DocumentCalculator::QuantityExit(DocumentModel& doc, const ProductMeasure& product) const
{
    DocumentLine* line = doc.current();
    if (!line || !m_options.ShowMeasure || !m_policy.measureBasis)
        return;
    if (line->ProductType == u"P" && product.PriceByVolumn && product.Size_W > 0 && product.Size_L > 0)
        line->QWeightSize = RoundDecimal(static_cast<LD>(line->Quantity) * product.Size_W * product.Size_L / 10000, 3, 18);
}

void DocumentCalculator::MeasureExit(DocumentModel& doc, double typedMeasure, const ProductMeasure& product) const
{
    DocumentLine* line = doc.current();
    if (!line || !m_options.ShowMeasure || !m_policy.measureBasis)
        return;
    if (!product.PriceByVolumn) {
        line->QWeightSize = 0;
        return;
    }
    line->QWeightSize = typedMeasure;
    if (product.Size_W > 0 && product.Size_L > 0) {
        const LD area = static_cast<LD>(product.Size_L) * product.Size_W;
        line->Quantity = D(std::nearbyint(static_cast<LD>(typedMeasure) * 10000 / area)); // halves to even
        line->QWeightSize = RoundDecimal(area * line->Quantity / 10000, 3, 18);
    }
}

void DocumentCalculator::OpenStoredDocument(DocumentModel& doc) const
{
    DocumentHeader& h = doc.header;
    if (h.CurrencyId == 0) {
        h.CurrencyId = m_options.MainCurrencyId;
        h.Rate = 1;
    }
    Run run(*this, doc);
    for (DocumentLine& line : doc.lines) {
        if (line.ProductType != u"S" && line.ProductType != u"M")
            line.ProductType = QStringLiteral("P");
        if (line.Product > 0)
            run.lineAmounts(line, line.TaxRate, line.Price.value_or(0.0));
    }
    // The stored TaxTotal is measured against the recomputed TaxCal, so a
    // hand-typed VAT survives reopening while the two differ.
    doc.TaxAdjusted = true;
    run.calculateAll();
    run.taxTotalChange();
}

void DocumentCalculator::StartNewDocument(DocumentModel& doc) const
{
    const bool adjusted = doc.TaxAdjusted;
    const bool highlighted = doc.taxTotalHighlighted;
    doc = DocumentModel{};
    doc.TaxAdjusted = adjusted;
    doc.taxTotalHighlighted = highlighted;
}

} // namespace meridox::arithmetic

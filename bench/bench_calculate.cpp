// CalculateAll on purchase orders of 1,000 and 10,000 lines (half of them
// case-packed) and on a goods receipt of 1,000 lines. See docs/PERFORMANCE.md.
#include "framework/arithmetic/DocumentCalculator.h"

#include <benchmark/benchmark.h>

#include <unordered_map>

using namespace meridox::arithmetic;

namespace {

// An in-memory packing table standing in for the product master: even
// product ids are packed 12 to a case, odd ones have no packing row.
class PackingTable : public PackingSource {
public:
    explicit PackingTable(int products)
    {
        for (int id = 2; id <= products; id += 2)
            m_rows.emplace(id, ProductPacking{QStringLiteral("1"), 12});
    }
    std::optional<ProductPacking> packing(int productId) const override
    {
        const auto it = m_rows.find(productId);
        if (it == m_rows.end())
            return std::nullopt;
        return it->second;
    }

private:
    std::unordered_map<int, ProductPacking> m_rows;
};

constexpr int kProducts = 500;

DocumentModel MakeDocument(int lines, const char* priceIE)
{
    static const QString kDiscounts[] = {QString(), QStringLiteral("5%"), QStringLiteral("10%5%"), QStringLiteral("2.5")};
    DocumentModel m;
    m.header.Price_IE = QString::fromLatin1(priceIE);
    m.header.TaxCode = 1;
    m.header.TaxRate = 7;
    m.header.DiscRate = {2, 0, 0};
    m.lines.reserve(static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        DocumentLine l;
        l.Product = 1 + i % kProducts; // half the lines are on an even (packed) product
        l.Quantity = 12 * (1 + i % 7);
        l.Price = 10.25 + (i % 97) * 1.5;
        l.Discount = kDiscounts[i % 4];
        l.TaxCode = 1;
        l.TaxRate = 7;
        l.LaotaxUom = 0.5;
        l.ExciseTaxUom = 0.25;
        m.lines.push_back(l);
    }
    m.currentLine = 0;
    return m;
}

void BM_CalculateAll_PurchaseOrder(benchmark::State& state)
{
    const PackingTable packing(kProducts);
    const DocumentCalculator calc(PolicyFor(DocumentKind::PurchaseOrder), {}, &packing);
    DocumentModel doc = MakeDocument(static_cast<int>(state.range(0)), "E");
    for (auto _ : state) {
        calc.CalculateAll(doc);
        benchmark::DoNotOptimize(doc.header.Total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CalculateAll_GoodsReceipt(benchmark::State& state)
{
    const DocumentCalculator calc(PolicyFor(DocumentKind::GoodsReceipt));
    DocumentModel doc = MakeDocument(static_cast<int>(state.range(0)), "I");
    doc.header.PrePaidAmount = 500;
    for (auto _ : state) {
        calc.CalculateAll(doc);
        benchmark::DoNotOptimize(doc.header.Total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_CalculateAll_PurchaseOrder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_CalculateAll_GoodsReceipt)->Arg(1000)->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();

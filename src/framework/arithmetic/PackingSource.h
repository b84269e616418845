#pragma once
// Where the case packing of a product comes from (Product.MinOrderPack and
// Product.MinOrderPcsCase). The windows plug in a database-backed source; the
// calculator asks once per product and calculation.
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace meridox::arithmetic {

struct ProductPacking {
    QString MinOrderPack;          // packs, as text
    int MinOrderPcsCase = 0;       // pieces per case
};

class PackingSource {
public:
    virtual ~PackingSource() = default;
    // The product's packing; empty when the product is not found.
    virtual std::optional<ProductPacking> packing(int productId) const = 0;
};

// A source over a function, for tests and simple callers.
class FunctionPackingSource : public PackingSource {
public:
    using Lookup = std::function<std::optional<ProductPacking>(int)>;
    explicit FunctionPackingSource(Lookup lookup) : m_lookup(std::move(lookup)) {}
    std::optional<ProductPacking> packing(int productId) const override { return m_lookup(productId); }

private:
    Lookup m_lookup;
};

} // namespace meridox::arithmetic

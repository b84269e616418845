#pragma once
// Builders shared by the arithmetic tests. Every expected value in the tests
// is worked out by hand and written as a literal.
#include "framework/arithmetic/DocumentCalculator.h"

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace meridox::arithmetic::testing {

// Money values computed through chains of binary arithmetic are compared to
// their decimal literal within a hair; values that come straight out of
// RoundDecimal are compared exactly.
inline constexpr double kHair = 1e-9;

inline DocumentModel Document(const char* priceIE, double taxRate)
{
    DocumentModel m;
    m.header.Price_IE = QString::fromLatin1(priceIE);
    m.header.TaxCode = taxRate > 0 ? 1 : 2;
    m.header.TaxRate = taxRate;
    return m;
}

inline DocumentLine Line(int product, double quantity, std::optional<double> price, const char* discount = "")
{
    DocumentLine l;
    l.Product = product;
    l.Quantity = quantity;
    l.Price = price;
    l.Discount = QString::fromLatin1(discount);
    return l;
}

// A line carrying its own VAT code (receipts, returns, notes keep it).
inline DocumentLine TaxedLine(int product, double quantity, double price, double taxRate)
{
    DocumentLine l = Line(product, quantity, price);
    l.TaxCode = taxRate > 0 ? 1 : 2;
    l.TaxRate = taxRate;
    return l;
}

// Packing by product id, counting the lookups.
class CountingPacking : public PackingSource {
public:
    std::map<int, ProductPacking> products;
    mutable int lookups = 0;
    std::optional<ProductPacking> packing(int productId) const override
    {
        ++lookups;
        const auto it = products.find(productId);
        if (it == products.end())
            return std::nullopt;
        return it->second;
    }
};

// A calculator of one document kind that records the messages it shows.
struct Calc {
    explicit Calc(DocumentKind kind, CalculatorOptions options = {}, const PackingSource* packing = nullptr)
        : calc(PolicyFor(kind), options, packing, [this](const QString& m) { notices << m; })
    {
    }
    Calc(const Calc&) = delete; // the sink refers to this object
    Calc& operator=(const Calc&) = delete;
    QStringList notices;
    DocumentCalculator calc;
    const DocumentCalculator* operator->() const { return &calc; }
};

inline const QString kMixedTax = QString::fromUtf8(
    "รายการสินค้า มีแบบ มีภาษี และ ไม่มีภาษี\r"
    "ไม่สามารถกำหนดส่วนลดท้ายบิลได้\r"
    "โปรแกรมจะกำหนดให้ส่วนลดท้ายบิลเป็น 0");
inline const QString kDeliveryLimit = QString::fromUtf8("ค่าขนส่ง ต้องไปเกิน 15% ของมูลค่าบิล !!");
inline const QString kCaption = QString::fromUtf8("ปรับปรุงภาษี");

} // namespace meridox::arithmetic::testing

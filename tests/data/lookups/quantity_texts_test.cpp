#include "data/Dm_Product.h"
#include "data/units/QuantityTexts.h"
#include "data/lookups/LookupFixture.h"

using namespace meridox;

namespace {

// A product counted in pieces (small unit) and kept in dozens (stock unit).
class QuantityTextsTest : public test::LookupFixture {
protected:
    void SetUp() override
    {
        LookupFixture::SetUp();
        if (IsSkipped())
            return;
        m_product = product(S("QT1"));
        m_piece = unit(m_product, S("ชิ้น"), 1, {{S("SmallUnitFlag"), S("Y")}, {S("StockUnitFlag"), S("N")}});
        m_dozen = unit(m_product, S("โหล"), 12, {{S("SmallUnitFlag"), S("N")}, {S("StockUnitFlag"), S("Y")}});
    }
    void stock(const char* warehouse, int year, double quantity, qint64 productId = 0)
    {
        insert(S("ProductOnHand"), {{S("product"), productId ? productId : m_product},
                                    {S("warehouse"), idOf(S("Warehouse"), S(warehouse))},
                                    {S("balanceyear"), year},
                                    {S("quantity"), quantity}});
    }
    qint64 m_product = 0, m_piece = 0, m_dozen = 0;
};

TEST_P(QuantityTextsTest, OnHandSumsEveryWarehouseOfTheYear)
{
    stock("WH01", 2026, 20);
    stock("WH02", 2026, 10);
    stock("WH01", 2025, 100);
    EXPECT_EQ(OnHandText(m_product, 2026), S("2 โหล 6 ชิ้น"));
    EXPECT_EQ(TDmProduct::instance().OnHandText(m_product, 2026), S("2 โหล 6 ชิ้น"));
    EXPECT_EQ(OnHandText(m_product, 2025), S("8 โหล 4 ชิ้น"));
    EXPECT_EQ(OnHandText(m_product, 2024), S("0 โหล"));
}

TEST_P(QuantityTextsTest, OnHandCases)
{
    stock("WH01", 2026, -30);
    EXPECT_EQ(OnHandText(m_product, 2026), S("- 2 โหล 6 ชิ้น"));

    // Each row is taken with 2 decimals before the sum: 0.004 + 0.004 is 0, not 0.01.
    const qint64 loose = product(S("QT2"));
    unit(loose, S("กก."), 1, {{S("SmallUnitFlag"), S("Y")}, {S("StockUnitFlag"), S("Y")}});
    stock("WH01", 2026, 0.004, loose);
    stock("WH02", 2026, 0.004, loose);
    EXPECT_EQ(OnHandText(loose, 2026), S("0 กก."));
    stock("WH03", 2026, 1.256, loose);
    EXPECT_EQ(OnHandText(loose, 2026), S("1.26 กก."));

    const qint64 noUnits = product(S("QT3"));
    EXPECT_EQ(OnHandText(noUnits, 2026), S("Error"));
}

TEST_P(QuantityTextsTest, QuantityTextWithTheCompanysBracketsAndDecimals)
{
    // Demo settings: UnitLeft "[", UnitRight "]", OnhandDecimal 0.
    EXPECT_EQ(QuantityText(30, m_dozen), S("2 [โหล] 6 [ชิ้น]"));
    EXPECT_EQ(QuantityText(-36, m_dozen), S("- 3 [โหล]"));
    EXPECT_EQ(QuantityText(5, 999999), S("5 ERROR"));
    setConfig(S("OnhandDecimal"), 2);
    EXPECT_EQ(QuantityText(1.5, m_piece), S("1.50 [ชิ้น]"));
    setConfig(S("UnitLeft"), QVariant());
    setConfig(S("UnitRight"), QVariant());
    setConfig(S("OnhandDecimal"), QVariant());
    EXPECT_EQ(QuantityText(1.5, m_piece), S("1.5 ชิ้น"));
}

TEST_P(QuantityTextsTest, QuantityParts)
{
    const struct {
        double quantity;
        qint64 unit;
        int part;
        const char* text;
    } cases[] = {
        {30, m_dozen, 1, "2 โหล"},   {30, m_dozen, 2, " 6 ชิ้น"},    {36, m_dozen, 2, ""},
        {0, m_dozen, 1, "0 โหล"},    {-30, m_dozen, 1, "- 2 โหล"},   {30, m_dozen, 3, "30 IDERROR"},
        {30, 999999, 1, "30 ERROR"}, {7, m_piece, 1, "7 ชิ้น"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuantityPartText(c.quantity, c.unit, c.part), S(c.text)) << c.quantity << " part " << c.part;
}

TEST_P(QuantityTextsTest, StockFractions)
{
    const struct {
        double quantity;
        qint64 unit;
        const char* text;
    } cases[] = {
        {30, m_piece, "2;1/2  โหล"}, {6, m_piece, ";1/2  โหล"},   {4, m_piece, ";1/3  โหล"},
        {36, m_piece, "3;โหล"},      {0, m_piece, ";0  โหล"},     {2.5, m_dozen, "2;1/2  โหล"},
        {8, m_piece, ";2/3  โหล"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StockFractionText(c.quantity, c.unit), S(c.text)) << c.quantity;
}

MERIDOX_ON_ENGINES(QuantityTextsTest);

} // namespace

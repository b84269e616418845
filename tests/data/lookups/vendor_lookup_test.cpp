#include "data/Dm_Product.h"
#include "data/Dm_Vendor.h"
#include "data/lookups/LookupFixture.h"

using namespace meridox;

namespace {

class VendorLookupTest : public test::LookupFixture {
protected:
    qint64 currency(const char* code)
    {
        db::Query q(m_demo->company(), S("SELECT Id FROM Misc WHERE GroupCode = 'CURRENCY' AND Code = :Code"));
        q.bind(S("Code"), S(code)).open();
        if (!q.isEmpty())
            return q.field(S("Id")).asInteger();
        return insert(S("Misc"), {{S("GroupCode"), S("CURRENCY")}, {S("Code"), S(code)}, {S("Description"), S(code)}});
    }
    qint64 vendor(const QString& code, const QVariant& currencyId, double creditLimit = 0)
    {
        return insert(S("Vendor"), {{S("Code"), code}, {S("Name"), code}, {S("VendorCurrency"), currencyId},
                                    {S("POCurrencyId"), currencyId}, {S("CreditLimit"), creditLimit}});
    }
};

TEST_P(VendorLookupTest, PricesAreTakenInTheVendorsCurrency)
{
    const qint64 p = product(S("PS1"));
    const qint64 u = unit(p, S("กล่อง"), 12, {{S("PurcPriceBaht"), 10.0}, {S("PurcPriceUsd"), 20.0}, {S("PurcPriceKip"), 30.0}});
    const struct {
        const char* currency;
        QVariant standard;  // invalid: NULL
        double price;
    } cases[] = {{"THB", 10.0, 11.0}, {"USD", 20.0, 21.0}, {"LAK", 30.0, 31.0}, {"EUR", QVariant(), 41.0}};
    TDmProduct& dm = TDmProduct::instance();
    for (const auto& c : cases) {
        const qint64 v = vendor(S("VC-") + S(c.currency), currency(c.currency));
        insert(S("PartSource"), {{S("Product"), p}, {S("ProductUnits"), u}, {S("Vendor"), v}, {S("PurchaseCode"), S("X-1")},
                                 {S("PriceBaht"), 11.0}, {S("PriceUsd"), 21.0}, {S("PriceKip"), 31.0}, {S("Price"), 41.0},
                                 {S("lastprice"), 9.5}, {S("lastdate"), QDate(2026, 11, 30)}});
        ASSERT_TRUE(dm.ExistsPartSource(u, v)) << c.currency;
        ASSERT_EQ(dm.QPriceStandard().recordCount(), 1) << c.currency;
        if (c.standard.isValid())
            EXPECT_DOUBLE_EQ(dm.QPriceStandard().field(S("PurcPrice")).asFloat(), c.standard.toDouble()) << c.currency;
        else
            EXPECT_TRUE(dm.QPriceStandard().field(S("PurcPrice")).isNull()) << c.currency;
        EXPECT_DOUBLE_EQ(dm.QPriceStandard().field(S("LabourCost")).asFloat(), 0.0);
        EXPECT_DOUBLE_EQ(dm.QExistsPartSource().field(S("Price")).asFloat(), c.price) << c.currency;
        EXPECT_EQ(dm.QExistsPartSource().field(S("lastdate")).asDate(), QDate(2026, 11, 30));
        EXPECT_EQ(dm.QExistsPartSource_PR().recordCount(), 1) << c.currency;
    }
}

TEST_P(VendorLookupTest, ARecordWithoutAPriceIsFoundButNotPriced)
{
    const qint64 p = product(S("PS2"));
    const qint64 u = unit(p, S("ชิ้น"), 1, {{S("PurcPriceBaht"), 10.0}});
    const qint64 v = vendor(S("VZ"), currency("THB"));
    const qint64 other = vendor(S("VNONE"), currency("THB"));
    insert(S("PartSource"), {{S("Product"), p}, {S("ProductUnits"), u}, {S("Vendor"), v}, {S("PriceBaht"), 0.0}, {S("Price"), 50.0}});
    TDmProduct& dm = TDmProduct::instance();
    EXPECT_TRUE(dm.ExistsPartSource(u, v));
    EXPECT_EQ(dm.QExistsPartSource().recordCount(), 1);
    EXPECT_TRUE(dm.QExistsPartSource_PR().isEmpty());

    EXPECT_FALSE(dm.ExistsPartSource(u, other));
    EXPECT_TRUE(dm.QExistsPartSource().isEmpty());
    EXPECT_DOUBLE_EQ(dm.QPriceStandard().field(S("PurcPrice")).asFloat(), 10.0);  // still read for the line
}

TEST_P(VendorLookupTest, VendorPurchaseCodeBringsItsProductAndUnit)
{
    const qint64 p = product(S("PS3"), {{S("ThaiName"), S("สว่านไฟฟ้า")}});
    const qint64 u = unit(p, S("เครื่อง"), 1, {{S("BarCode"), S("8851234")}});
    const qint64 v = vendor(S("VPC"), currency("THB"));
    const qint64 w = vendor(S("VPC2"), currency("THB"));
    insert(S("PartSource"), {{S("Product"), p}, {S("ProductUnits"), u}, {S("Vendor"), v}, {S("PurchaseCode"), S("DRL-500")},
                             {S("PurchaseName"), S("Drill 500W")}});
    TDmProduct& dm = TDmProduct::instance();
    ASSERT_TRUE(dm.ExistsVendorPartCode(S("DRL-500"), v));
    db::Query& q = dm.QChkPartSource();
    EXPECT_EQ(q.field(S("Code")).asString(), S("PS3"));
    EXPECT_EQ(q.field(S("ThaiName")).asString(), S("สว่านไฟฟ้า"));
    EXPECT_EQ(q.field(S("UnitName")).asString(), S("เครื่อง"));
    EXPECT_EQ(q.field(S("ProductUnits")).asInteger(), u);
    EXPECT_EQ(q.field(S("PurchaseName")).asString(), S("Drill 500W"));
    EXPECT_FALSE(dm.ExistsVendorPartCode(S("DRL-500"), w));
}

TEST_P(VendorLookupTest, CreditCheckAtTheLimitAndOneSatangOver)
{
    const qint64 v = vendor(S("VCR"), currency("THB"), 100000.0);
    // This year's balance 80000 + 10000 due cheques + NULL returned cheques = 90000;
    // last year's row does not count.
    insert(S("VendorBalance"), {{S("Vendor"), v}, {S("BalanceYear"), 2026}, {S("Balance"), 80000.0}, {S("ChqDue"), 10000.0},
                                {S("ChqRtd"), QVariant()}});
    insert(S("VendorBalance"), {{S("Vendor"), v}, {S("BalanceYear"), 2025}, {S("Balance"), 50000.0}});
    const QString over = S("ยอดเกินวงเงินเครดิต\n\nบริษัทมีเครดิตคงเหลือ 10000");
    TDmVendor& dm = TDmVendor::instance();

    EXPECT_TRUE(dm.CheckVendorCredit(v, 10000.0));
    EXPECT_TRUE(dialogs().informations.isEmpty());

    // Demo setting purcunlockcredit "N": refused.
    EXPECT_FALSE(dm.CheckVendorCredit(v, 10000.01));
    EXPECT_EQ(dialogs().informations, QStringList{over});

    const struct {
        QVariant setting;
        bool passes;
    } unlock[] = {{QVariant(), true}, {S(""), true}, {S("  "), true}, {S("Y"), false}};
    for (const auto& c : unlock) {
        setConfig(S("purcunlockcredit"), c.setting);
        dialogs().clear();
        EXPECT_EQ(dm.CheckVendorCredit(v, 10000.01), c.passes) << c.setting.toString().toStdString();
        EXPECT_EQ(dialogs().informations, QStringList{over});
    }
}

TEST_P(VendorLookupTest, CreditWithoutLimitOrBalance)
{
    const qint64 unlimited = vendor(S("VUL"), currency("THB"), 0.0);
    insert(S("VendorBalance"), {{S("Vendor"), unlimited}, {S("BalanceYear"), 2026}, {S("Balance"), 1e9}});
    const qint64 fresh = vendor(S("VFR"), currency("THB"), 500.0);
    const qint64 cents = vendor(S("VCT"), currency("THB"), 1000.0);
    insert(S("VendorBalance"), {{S("Vendor"), cents}, {S("BalanceYear"), 2026}, {S("Balance"), 0.1}, {S("ChqDue"), 0.2}});
    TDmVendor& dm = TDmVendor::instance();
    EXPECT_TRUE(dm.CheckVendorCredit(unlimited, 5e6));
    EXPECT_TRUE(dm.CheckVendorCredit(fresh, 500.0));  // no balance rows: 0
    EXPECT_TRUE(dm.CheckVendorCredit(cents, 999.7));  // 0.1 + 0.2 + 999.7 is exactly the limit
    EXPECT_TRUE(dialogs().informations.isEmpty());
    EXPECT_FALSE(dm.CheckVendorCredit(fresh, 600.0));
    EXPECT_EQ(dialogs().informations, QStringList{S("ยอดเกินวงเงินเครดิต\n\nบริษัทมีเครดิตคงเหลือ 500")});
    dialogs().clear();
    EXPECT_FALSE(dm.CheckVendorCredit(cents, 1000.0));
    EXPECT_EQ(dialogs().informations, QStringList{S("ยอดเกินวงเงินเครดิต\n\nบริษัทมีเครดิตคงเหลือ 999.7")});
}

MERIDOX_ON_ENGINES(VendorLookupTest);

} // namespace

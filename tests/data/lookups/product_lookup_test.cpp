#include "data/Dm_Misc.h"
#include "data/Dm_Product.h"
#include "data/Dm_Service.h"
#include "data/lookups/LookupFixture.h"

using namespace meridox;

namespace {

class ProductLookupTest : public test::LookupFixture {};

TEST_P(ProductLookupTest, BlockedAndMasterCodesAreNotFoundWhileNullFlagsReadAsN)
{
    product(S("B-Y"), {{S("Blocked"), S("Y")}});
    product(S("B-NULL"), {{S("Blocked"), QVariant()}});
    product(S("B-N"), {{S("Blocked"), S("N")}});
    product(S("MC-Y"), {{S("MasterCode"), S("Y")}});
    product(S("MC-NULL"), {{S("MasterCode"), QVariant()}});
    const struct {
        const char* code;
        bool found;
    } cases[] = {{"B-Y", false}, {"B-NULL", true}, {"B-N", true}, {"MC-Y", false}, {"MC-NULL", true}, {"NOSUCH", false}};
    TDmProduct& dm = TDmProduct::instance();
    for (const auto& c : cases) {
        EXPECT_EQ(dm.ExistsProduct(S(c.code)), c.found) << c.code;
        EXPECT_EQ(dm.QChkProduct().recordCount(), c.found ? 1 : 0) << c.code;
    }
}

TEST_P(ProductLookupTest, FoundProductCarriesTaxWarehouseAndDefaultsForNullColumns)
{
    product(S("COLS"), {{S("CheckSerialOnhand"), QVariant()}, {S("ProductFree"), QVariant()},
                        {S("PerDiscountOver"), QVariant()}, {S("CostMoving"), QVariant()}, {S("CheckSerialPurc"), S("Y")}});
    TDmProduct& dm = TDmProduct::instance();
    ASSERT_TRUE(dm.ExistsProduct(S("cols")));  // codes are typed in any case
    db::Query& q = dm.QChkProduct();
    EXPECT_EQ(q.field(S("Code")).asString(), S("COLS"));
    EXPECT_DOUBLE_EQ(q.field(S("TaxRate")).asFloat(), 7.0);
    EXPECT_EQ(q.field(S("WhCode")).asString(), S("WH01"));
    EXPECT_EQ(q.field(S("WhName")).asString(), S("คลังสินค้าหลัก"));
    EXPECT_EQ(q.field(S("flagin")).asString(), S("Y"));
    EXPECT_EQ(q.field(S("ProductFree")).asString(), S("N"));
    EXPECT_EQ(q.field(S("CheckSerialOnhand")).asString(), S("N"));
    EXPECT_EQ(q.field(S("CheckSerialPurc")).asString(), S("Y"));
    EXPECT_FALSE(q.field(S("PerDiscountOver")).isNull());
    EXPECT_DOUBLE_EQ(q.field(S("PerDiscountOver")).asFloat(), 0.0);
    EXPECT_FALSE(q.field(S("CostMoving")).isNull());
}

TEST_P(ProductLookupTest, SpecialNameIsTheTrimmedViewNameOnlyWhenSearchProductNoIs2)
{
    product(S("SN1"), {{S("ThaiName"), S("  ปากกาพิเศษ  ")}});
    TDmProduct& dm = TDmProduct::instance();
    ASSERT_TRUE(dm.ExistsProduct(S("SN1")));
    EXPECT_EQ(dm.SpecialName(), QString());  // demo: SearchProductNo 1

    setConfig(S("SearchProductNo"), 2);
    ASSERT_TRUE(dm.ExistsProduct(S("SN1")));
    EXPECT_EQ(dm.SpecialName(), S("ปากกาพิเศษ"));
    // A failed lookup leaves no name of the product before.
    EXPECT_FALSE(dm.ExistsProduct(S("NOSUCH")));
    EXPECT_EQ(dm.SpecialName(), QString());
}

TEST_P(ProductLookupTest, UserWarehouseFlagHidesTheWarehouseButNotTheProduct)
{
    const qint64 wh02 = idOf(S("Warehouse"), S("WH02"));
    insert(S("UserWarehouse"), {{S("UserName"), 1}, {S("Warehouse"), wh02}, {S("LastUpdate"), QDateTime(QDate(2026, 12, 1), QTime(9, 0))}});
    // A grant to another user gives user 1 nothing.
    insert(S("UserWarehouse"), {{S("UserName"), 2}, {S("Warehouse"), idOf(S("Warehouse"), S("WH01"))},
                                {S("LastUpdate"), QDateTime(QDate(2026, 12, 1), QTime(9, 0))}});
    product(S("AT02"), {{S("DefaultWh"), wh02}});
    TDmProduct& dm = TDmProduct::instance();

    // Flag off: every warehouse.
    EXPECT_TRUE(dm.ExistsWarehouse(S("WH01")));
    ASSERT_TRUE(dm.ExistsProduct(S("P0001")));
    EXPECT_EQ(dm.QChkProduct().field(S("WhCode")).asString(), S("WH01"));

    setConfig(S("CheckUserWarehouseFlag"), S("Y"));
    EXPECT_FALSE(dm.ExistsWarehouse(S("WH01")));
    EXPECT_TRUE(dm.QChkWarehouse().isEmpty());
    ASSERT_TRUE(dm.ExistsWarehouse(S("WH02")));
    EXPECT_EQ(dm.QChkWarehouse().field(S("Name")).asString(), S("คลังสาขาบางนา"));
    EXPECT_EQ(dm.QChkWarehouse().field(S("islocation")).asString(), S("N"));

    ASSERT_TRUE(dm.ExistsProduct(S("P0001")));  // default warehouse WH01, not the user's
    EXPECT_TRUE(dm.QChkProduct().field(S("WhCode")).isNull());
    EXPECT_TRUE(dm.QChkProduct().field(S("WhName")).isNull());
    ASSERT_TRUE(dm.ExistsProduct(S("AT02")));
    EXPECT_EQ(dm.QChkProduct().field(S("WhCode")).asString(), S("WH02"));
}

TEST_P(ProductLookupTest, UnitRolesAnyForExistsProductUnitEveryForGetFirstUnit)
{
    const qint64 p = product(S("ROLES"));
    unit(p, S("ชิ้น"), 1, {{S("SmallUnitFlag"), S("Y")}, {S("SaleFlag"), S("Y")}, {S("PurcFlag"), S("N")}, {S("StockUnitFlag"), S("N")}});
    unit(p, S("แพ็ค"), 6, {{S("PurcFlag"), S("Y")}, {S("SaleFlag"), S("N")}, {S("StockUnitFlag"), S("N")}, {S("SmallUnitFlag"), S("N")}});
    unit(p, S("โหล"), 12, {{S("PurcFlag"), S("Y")}, {S("StockUnitFlag"), S("Y")}, {S("SaleFlag"), S("N")}, {S("SmallUnitFlag"), S("N")}});
    unit(p, S("ลัง"), 24, {{S("PurcFlag"), QVariant()}, {S("SaleFlag"), QVariant()}, {S("StockUnitFlag"), QVariant()},
                          {S("SmallUnitFlag"), QVariant()}});
    using namespace UnitRole;
    TDmProduct& dm = TDmProduct::instance();

    const struct {
        const char* unit;
        UnitRoles roles;
        bool found;
    } units[] = {
        {"แพ็ค", Purchase, true},      {"แพ็ค", Sale, false},   {"แพ็ค", Sale | Purchase, true},
        {"แพ็ค", 0, false},            {"ลัง", Sale | Purchase | Stock | Small, false},
        {"โหล", Stock, true},          {"ชิ้น", Small, true},   {"กล่อง", Purchase, false},
    };
    for (const auto& c : units) {
        EXPECT_EQ(dm.ExistsProductUnit(p, S(c.unit), c.roles), c.found) << c.unit << " " << c.roles;
        EXPECT_EQ(dm.QChkUnit().recordCount(), c.found ? 1 : 0) << c.unit;
    }
    ASSERT_TRUE(dm.ExistsProductUnit(p, S("แพ็ค"), Purchase));
    EXPECT_EQ(dm.QChkUnit().field(S("Fraction")).asInt(), 6);

    const struct {
        UnitRoles roles;
        const char* first;
        int count;
    } firsts[] = {
        {Purchase, "แพ็ค", 2}, {Purchase | Stock, "โหล", 1}, {Sale, "ชิ้น", 1}, {0, "ชิ้น", 4}, {Small | Purchase, "", 0},
    };
    for (const auto& c : firsts) {
        EXPECT_EQ(dm.GetFirstUnit(p, c.roles), S(c.first)) << c.roles;
        EXPECT_EQ(dm.QDefaultUnit().recordCount(), c.count) << c.roles;
    }

    EXPECT_EQ(dm.GetSmallUnit(p), S("ชิ้น"));
    EXPECT_EQ(dm.QSmallUnit().field(S("Fraction")).asInt(), 1);
    EXPECT_EQ(dm.GetSmallUnit(999999), QString());
}

TEST_P(ProductLookupTest, BarCodeOfABlockedProductIsNotFound)
{
    const qint64 open = product(S("BC1"));
    const qint64 blocked = product(S("BC2"), {{S("Blocked"), S("Y")}});
    const qint64 u1 = unit(open, S("กล่อง"), 12, {{S("BarCode"), S("8850000000017")}, {S("PurcPrice"), 60.0}});
    unit(blocked, S("กล่อง"), 12, {{S("BarCode"), S("8850000000024")}});
    insert(S("ProductPrice"), {{S("Product"), open}, {S("ProductUnits"), u1}, {S("PriceType"), 19}, {S("Price"), 75.5}});
    insert(S("ProductPrice"), {{S("Product"), open}, {S("ProductUnits"), u1}, {S("PriceType"), 1}, {S("Price"), 99.0}});
    TDmProduct& dm = TDmProduct::instance();

    ASSERT_TRUE(dm.ExistsBarCode(S("8850000000017")));
    db::Query& q = dm.QChkBarCode();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.field(S("Id")).asInteger(), u1);
    EXPECT_EQ(q.field(S("ProductId")).asInteger(), open);
    EXPECT_EQ(q.field(S("Code")).asString(), S("BC1"));
    EXPECT_DOUBLE_EQ(q.field(S("price")).asFloat(), 75.5);
    EXPECT_DOUBLE_EQ(q.field(S("TaxRate")).asFloat(), 7.0);
    EXPECT_EQ(q.field(S("WhCode")).asString(), S("WH01"));
    EXPECT_FALSE(dm.ExistsBarCode(S("8850000000024")));
    EXPECT_FALSE(dm.ExistsBarCode(S("")));
}

TEST_P(ProductLookupTest, ServiceAndMiscFindOnlyTheirKind)
{
    product(S("SVC-B"), {{S("ProductType"), S("S")}, {S("Blocked"), S("Y")}});
    product(S("SVC-NULL"), {{S("ProductType"), S("S")}, {S("Blocked"), QVariant()}});
    TDmService& svc = TDmService::instance();
    TDmMisc& misc = TDmMisc::instance();
    // Demo services and miscellaneous products have no default warehouse.
    ASSERT_TRUE(svc.ExistsService(S("S0001")));
    EXPECT_DOUBLE_EQ(svc.QChkService().field(S("TaxRate")).asFloat(), 7.0);
    EXPECT_TRUE(svc.QChkService().field(S("WhCode")).isNull());
    EXPECT_EQ(svc.QChkService().field(S("PriceIE")).asString(), S("E"));
    EXPECT_FALSE(svc.ExistsService(S("M0001")));
    EXPECT_FALSE(svc.ExistsService(S("P0001")));
    EXPECT_FALSE(svc.ExistsService(S("SVC-B")));
    EXPECT_TRUE(svc.ExistsService(S("SVC-NULL")));
    ASSERT_TRUE(misc.ExistsMisc(S("M0004")));
    EXPECT_EQ(misc.QChkMisc().field(S("ThaiName")).asString(), S("ค่าน้ำมันรถยนต์"));
    EXPECT_FALSE(misc.ExistsMisc(S("S0001")));
}

TEST_P(ProductLookupTest, LotIsValidUpToItsExpiryDateWithAMessageAfter)
{
    const QDate docDate(2026, 12, 11);
    insert(S("LotNo"), {{S("Code"), S("L-ON")}, {S("HasExpired"), S("Y")}, {S("ExpiredDate"), docDate}});
    insert(S("LotNo"), {{S("Code"), S("L-BEFORE")}, {S("HasExpired"), S("Y")}, {S("ExpiredDate"), QDate(2026, 12, 10)}});
    insert(S("LotNo"), {{S("Code"), S("L-NOEXP")}, {S("HasExpired"), S("N")}, {S("ExpiredDate"), QDate(2020, 1, 1)}});
    insert(S("LotNo"), {{S("Code"), S("L-NULL")}, {S("HasExpired"), QVariant()}, {S("ExpiredDate"), QDate(2020, 1, 1)}});
    insert(S("LotNo"), {{S("Code"), S("L-NODATE")}, {S("HasExpired"), S("Y")}, {S("ExpiredDate"), QVariant()}});
    const struct {
        const char* code;
        bool valid;
        bool message;
    } cases[] = {{"L-ON", true, false},    {"L-BEFORE", false, true}, {"L-NOEXP", true, false},
                 {"L-NULL", true, false},  {"L-NODATE", false, true}, {"L-NONE", false, false}};
    TDmProduct& dm = TDmProduct::instance();
    for (const auto& c : cases) {
        dialogs().clear();
        EXPECT_EQ(dm.ExistsLotNo(S(c.code), docDate), c.valid) << c.code;
        EXPECT_EQ(dialogs().informations, c.message ? QStringList{S("LotNo หมดอายุแล้ว")} : QStringList()) << c.code;
    }
    ASSERT_TRUE(dm.ExistsLotNo(S("L-ON"), docDate));
    EXPECT_EQ(dm.QChkLotNo().field(S("ExpiredDate")).asDate(), docDate);
}

TEST_P(ProductLookupTest, SerialIsRecordedWhenNewAndFoundOnlyWhileOnHand)
{
    const qint64 free = product(S("SER-FREE"), {{S("UseSerial"), S("Y")}, {S("CheckSerialOnhand"), S("N")}});
    const qint64 nullCheck = product(S("SER-NULL"), {{S("UseSerial"), S("Y")}, {S("CheckSerialOnhand"), QVariant()}});
    const qint64 checked = product(S("SER-CHK"), {{S("UseSerial"), S("Y")}, {S("CheckSerialOnhand"), S("Y")}});
    const qint64 noSerial = product(S("SER-NO"), {{S("UseSerial"), S("N")}, {S("CheckSerialOnhand"), S("N")}});
    insert(S("SerialNo"), {{S("Product"), checked}, {S("Serial"), S("IN-STOCK")}, {S("OnHand"), S("Y")}});
    insert(S("SerialNo"), {{S("Product"), checked}, {S("Serial"), S("SOLD")}, {S("OnHand"), S("N")}});
    insert(S("SerialNo"), {{S("Product"), free}, {S("Serial"), S("F-IN")}, {S("OnHand"), S("Y")}});
    auto rows = [&](qint64 productId, const QString& serial) {
        db::Query q(m_demo->company(), S("SELECT COUNT(*) AS N FROM SerialNo WHERE Product = :P AND Serial = :S"));
        return q.bind(S("P"), productId).bind(S("S"), serial).open().field(S("N")).asInt();
    };
    TDmProduct& dm = TDmProduct::instance();

    // New serial: recorded (not yet on hand), so not found; a second call adds no row.
    EXPECT_FALSE(dm.ExistsSerialNo(S("NEW-1"), free));
    EXPECT_EQ(rows(free, S("NEW-1")), 1);
    EXPECT_FALSE(dm.ExistsSerialNo(S("NEW-1"), free));
    EXPECT_EQ(rows(free, S("NEW-1")), 1);
    EXPECT_TRUE(dm.ExistsSerialNo(S("F-IN"), free));
    EXPECT_EQ(dm.QChkSerial().field(S("Serial")).asString(), S("F-IN"));

    EXPECT_FALSE(dm.ExistsSerialNo(S("NEW-2"), nullCheck));  // NULL check reads as "N"
    EXPECT_EQ(rows(nullCheck, S("NEW-2")), 1);

    // Serials checked against the stock are never made here.
    EXPECT_TRUE(dm.ExistsSerialNo(S("IN-STOCK"), checked));
    EXPECT_FALSE(dm.ExistsSerialNo(S("SOLD"), checked));
    EXPECT_FALSE(dm.ExistsSerialNo(S("NEW-3"), checked));
    EXPECT_EQ(rows(checked, S("NEW-3")), 0);
    EXPECT_FALSE(dm.ExistsSerialNo(S("NEW-4"), noSerial));
    EXPECT_EQ(rows(noSerial, S("NEW-4")), 0);
}

TEST_P(ProductLookupTest, ProjectItemBelongsToItsProject)
{
    const qint64 p1 = insert(S("Project"), {{S("Code"), S("PJ1")}, {S("Description"), S("โครงการ 1")}});
    const qint64 p2 = insert(S("Project"), {{S("Code"), S("PJ2")}, {S("Description"), S("โครงการ 2")}});
    server::insertRow(m_demo->company(), S("projectitemhd"),
                      {{S("code"), S("WI-01")}, {S("description"), S("งานฐานราก")}, {S("project"), p1}});
    TDmProduct& dm = TDmProduct::instance();
    ASSERT_TRUE(dm.ExistsProjectItemCode(S("WI-01"), p1));
    EXPECT_EQ(dm.QChkProjectItemCode().field(S("code")).asString(), S("WI-01"));
    EXPECT_FALSE(dm.ExistsProjectItemCode(S("WI-01"), p2));
    EXPECT_FALSE(dm.ExistsProjectItemCode(S("WI-02"), p1));
}

MERIDOX_ON_ENGINES(ProductLookupTest);

} // namespace

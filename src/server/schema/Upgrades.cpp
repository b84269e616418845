// The upgrade scripts of both databases, as data. Each step tests the
// catalogue first, so every script may run on every start. Steps on tables of
// other modules of the suite (quotations, sales, payments, ...) stay in the
// scripts: the runner skips them on a database without those tables.
#include "server/schema/Schema.h"

#include <initializer_list>
#include <string>

namespace meridox::schema {

namespace {

using Steps = std::vector<UpgradeStep>;

void addToEach(Steps& steps, std::initializer_list<const char*> tables, std::initializer_list<Column> columns)
{
    for (const char* t : tables)
        for (const Column& c : columns)
            steps.push_back(addColumn(t, c));
}

// A flag that is added and then set to 'N' where it is still NULL.
void addFlagN(Steps& steps, const std::string& table, const std::string& column)
{
    steps.push_back(addColumn(table, flag(column)));
    steps.push_back(fill(table, "UPDATE " + table + " SET " + column + " = 'N' WHERE " + column + " IS NULL"));
}

// Run by the configuration data module after connecting.
UpgradeScript configSqlUpdate()
{
    Steps s;
    s.push_back(addColumn("Menu", integer("Version")));
    s.push_back(fill("Menu", "UPDATE Menu SET Version = 3 WHERE Version IS NULL AND Command IS NOT NULL"));
    s.push_back(addColumn("UserName", flag("UserSeeImport")));
    s.push_back(addColumn("UserName", flag("UserSeeCost")));
    // The installation's chat notice endpoint.
    s.push_back(addColumn("softwareconfig", text("ChatNotifyUrl", 255)));
    return {"SQLUpdate", std::move(s)};
}

UpgradeScript sqlUpdateConfig()
{
    Steps s;
    addFlagN(s, "Config", "CheckUserWarehouseFlag");
    addFlagN(s, "Config", "CheckUserSubtypeFlag");
    s.push_back(addColumn("Config", integer("MainCurrencyId")));
    s.push_back(fill("Config", "UPDATE Config SET MainCurrencyId = (SELECT m.Id FROM Misc m "
                               "WHERE m.GroupCode = 'CURRENCY' AND m.Code = 'THB') WHERE MainCurrencyId IS NULL"));
    return {"SQLUpdateConfig", std::move(s)};
}

Table permissionTable(const char* name, const char* what)
{
    return {name,
            {id(), integer("UserName", true), integer(what, true), datetime("LastUpdate", true)},
            {uniqueKey({"UserName", what})}};
}

UpgradeScript sqlUpdate()
{
    Steps s;

    // 1. newest program versions seen on this database
    s.push_back(createTable({"CheckVersionProgramEXE",
                             {id(), text("ProgramEXE", 30, true), integer("Version", true), datetime("LastUpdate")},
                             {}}));
    s.push_back(createIndex("CheckVersionProgramEXE", "CheckVersionProgramIndexProgramEXE",
                            uniqueKey({"ProgramEXE"})));

    // 2. serial checks, taken over from UseSerial on existing products
    for (const char* check : {"CheckSerialPurc", "CheckSerialSale", "CheckSerialStock", "CheckSerialOnhand"}) {
        const std::string c = check;
        s.push_back(addColumn("Product", flag(c)));
        s.push_back(fill("Product", "UPDATE Product SET " + c + " = UseSerial WHERE " + c + " IS NULL"));
    }
    s.push_back(addColumn("Product", flag("ProductFree")));

    // 3.
    s.push_back(addColumn("Config", flag("ShowProductPriceList")));

    // 4. warehouses and document subtypes a user may use
    s.push_back(createTable(permissionTable("UserWarehouse", "Warehouse")));
    s.push_back(createTable(permissionTable("UserSubtype", "Subtype")));

    // 5.
    s.push_back(addColumn("SystemForm", text("Subtype", 10)));
    s.push_back(addColumn("Employee", text("Address1", 255)));
    s.push_back(addColumn("Employee", text("PhoneNo", 50)));
    s.push_back(addColumn("Vendor", flag("VendorImport")));

    // 6. document currency
    addToEach(s,
              {"PoRQHd", "Pohd", "Pchd", "Mrhd", "Prhd", "Vcnhd", "Vdnhd", "QuoHD", "SoHd", "IvHd", "PosHd",
               "PosHeader", "SrHd", "PoSrHd", "CcnHd", "CdnHd", "RcptChq", "PaidChq", "RcDt", "MiscRcDt", "PdDt",
               "MiscPdDt", "PrePaid", "PreRcpt", "PaidCustomer"},
              {integer("CurrencyId"), number("Rate")});

    // 7. balances per currency
    addToEach(s, {"VendorBalance", "CustomerBalance"},
              {ref("CurrencyId", "Misc"), number("MainCurrencyAmount")});

    // 8. drivers and transport of the delivery documents
    s.push_back(addColumn("IvHd", integer("Driver")));
    s.push_back(createIndex("IvHd", "IvHdindexDriver", key({"Driver"})));
    addToEach(s, {"IsHd", "RiHd", "PreIsHd"}, {integer("Transportation"), integer("Driver")});

    // 9. cash and bank currencies of receipts and payments
    addToEach(s, {"RcHd", "MiscRcHd", "PdHd", "MiscPdHd"},
              {integer("CashCurrencyId"), number("CashRate"), integer("BankCurrencyId"), number("BankRate")});
    addToEach(s, {"RcHd", "MiscRcHd"}, {integer("PrettyCash")});

    // 10.
    addToEach(s, {"CurrencyEx"},
              {number("PurcScrap"), number("PurcPart"), number("SaleScrap"), number("SalePart")});

    // 11. the two further figures of the exchange rate
    addToEach(s,
              {"PoRQHd", "Pohd", "Pchd", "Mrhd", "Prhd", "Vcnhd", "Vdnhd", "QuoHd", "Sohd", "IvHd", "Poshd",
               "PosHeader", "Srhd", "PoSrhd", "Ccnhd", "Cdnhd", "PrePaid", "PreRcpt"},
              {number("Scrap"), number("Part")});
    addToEach(s, {"PdHd", "RcHd", "MiscPdHd", "MiscRcHd"},
              {number("CashScrap"), number("CashPart"), number("BankScrap"), number("BankPart")});

    return {"SQLUpdate", std::move(s)};
}

// Run when the requisition window is shown.
UpgradeScript frPoRqTran()
{
    Steps s;
    s.push_back(addColumn("PoRQDt", text("PrintPackageAs", 40)));
    s.push_back(addColumn("PoRQHd", integer("SoHd")));
    s.push_back(addColumn("PoRQHd", text("Attachfile", 40)));
    s.push_back(addColumn("PoHd", text("Attachfile", 40)));
    s.push_back(addColumn("PoRQHd", text("RemarkDel", 100)));
    s.push_back(addColumn("PoHd", text("RemarkDel", 100)));
    return {"TFrPoRQTran", std::move(s)};
}

void addPrintPackageAs(Steps& s, std::initializer_list<const char*> lineTables)
{
    addToEach(s, lineTables, {text("PrintPackageAs", 40)});
}

// Run when the goods receipt window is shown.
UpgradeScript frMrTran()
{
    Steps s;
    addPrintPackageAs(s, {"PoRQDt", "PoDt", "MrDt"});
    s.push_back(addColumn("MrHd", integer("SoHd")));
    addFlagN(s, "Config", "EditPricePO");
    s.push_back(addColumn("Config", integer("PurchasePriceDecimal")));
    s.push_back(addColumn("MrHd", number("MiscCost")));
    return {"TFrMrTran", std::move(s)};
}

// Run when the cash purchase window is shown. It writes PcDt.PrintPackageAs
// like the receipt window writes MrDt's, so it makes sure that column exists too.
UpgradeScript frPcTran()
{
    Steps s;
    addPrintPackageAs(s, {"PoRQDt", "PoDt", "MrDt", "PcDt"});
    addToEach(s, {"MrHd", "PcHd"}, {integer("SoHd"), number("MiscCost")});
    return {"TFrPcTran", std::move(s)};
}

// Run when the print window is shown: its form list reads ShowPrintPreview.
UpgradeScript frDocPrintForm()
{
    Steps s;
    s.push_back(addColumn("SystemForm", flag("ShowPrintPreview")));
    s.push_back(fill("SystemForm", "UPDATE SystemForm SET ShowPrintPreview = 'N' "
                                   "WHERE ShowPrintPreview IS NULL OR TRIM(ShowPrintPreview) = ''"));
    return {"TFrDocPrintForm", std::move(s)};
}

} // namespace

const std::vector<UpgradeScript>& configUpgrades()
{
    static const std::vector<UpgradeScript> scripts{configSqlUpdate()};
    return scripts;
}

const std::vector<UpgradeScript>& companyUpgrades()
{
    static const std::vector<UpgradeScript> scripts{sqlUpdateConfig(), sqlUpdate(), frPoRqTran(), frMrTran(),
                                                    frPcTran(), frDocPrintForm()};
    return scripts;
}

} // namespace meridox::schema

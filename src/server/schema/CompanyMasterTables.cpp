// Master tables of the company database: products with their units, prices
// and stock; warehouses; vendors; customers; people; projects and the small
// code lists of the documents. Other modules of the suite write most of them,
// so only ProductUnits.Product is a foreign key (a product with units must
// not be deleted); every other reference is a plain integer.
// Product.CheckSerial*, Product.ProductFree, Vendor.VendorImport,
// Employee.Address1, Employee.PhoneNo and the currency columns of
// VendorBalance come with the company upgrade.
#include "server/schema/SchemaParts.h"

namespace meridox::schema::detail {

namespace {

// A code list with an identity, a unique code and a description.
Table codeList(std::string name, std::vector<Column> extra = {})
{
    Table t{std::move(name), {id(), text("Code", 30, true), text("Description", 255)}, {uniqueKey({"Code"})}};
    for (Column& c : extra)
        t.columns.push_back(std::move(c));
    return t;
}

// Attribute tables of the searches: groups, codes of a group, and the
// attribute rows of a record (owner, group, code).
void addAttributeTables(std::vector<Table>& tables, const std::string& groupTable, const std::string& codeTable,
                        const std::string& attrTable, const std::string& owner, const std::string& groupColumn,
                        std::vector<Column> groupExtra = {})
{
    tables.push_back(codeList(groupTable, std::move(groupExtra)));
    Table codes = codeList(codeTable, {integer(groupTable, true)});
    codes.indexes = {uniqueKey({groupTable, "Code"})};
    tables.push_back(std::move(codes));
    tables.push_back({attrTable,
                      {id(), integer(owner, true), integer(groupColumn, true), integer(codeTable)},
                      {key({owner, groupColumn}), key({codeTable})}});
}

Table product()
{
    return {"Product",
            {
                id(),
                text("Code", 30, true),
                text("ThaiName", 255),
                text("EngName", 255),
                text("PosName", 100),
                text("ProductType", 1),  // P goods, S service, M miscellaneous
                text("PriceIE", 1),
                flag("PrintFrac"),
                withDefault(flag("UseSerial"), "'N'"),
                withDefault(flag("LotControl"), "'N'"),
                integer("TaxCode"),
                integer("DefaultWh"),
                withDefault(flag("PriceByVolumn"), "'N'"),
                text("VolumnUnit", 30),
                text("Discount", 30),
                number("PerDiscountOver"),
                text("BuyingCode", 30),
                withDefault(flag("Blocked"), "'N'"),
                withDefault(flag("MasterCode"), "'N'"),
                flag("Negative"),
                number("Size_W"),
                number("Size_L"),
                number("Size_H"),
                number("Cartons"),
                text("CartonsUnits", 30),
                number("NetWeight"),
                number("GrossWeight"),
                text("ProductDesc", 255),
                number("CostMoving"),
                text("ItemClassify", 30),
                integer("Vendor"),
                text("Remark", 255),
                text("Picture1", 255),
                number("MinOrderPack"),
                number("MinOrderPcsCase"),
                number("ImprotTax"),  // import-tax percent, spelled as the suite spells it
                number("ExciseTax"),
            },
            {uniqueKey({"Code"}), key({"ProductType"})}};
}

Table productUnits()
{
    return {"ProductUnits",
            {id(), ref("Product", "Product", true), text("UnitName", 30, true), text("UnitDesc", 100),
             number("Fraction", true), number("VolumnFraction"), text("BarCode", 30),
             withDefault(flag("PurcFlag"), "'N'"), withDefault(flag("SaleFlag"), "'N'"),
             withDefault(flag("StockUnitFlag"), "'N'"), withDefault(flag("SmallUnitFlag"), "'N'"),
             number("PurcPrice"), number("PurcPriceBaht"), number("PurcPriceUsd"), number("PurcPriceKip"),
             number("LabourCost")},
            {key({"Product"}), key({"BarCode"})}};
}

Table productPrice()
{
    return {"ProductPrice",
            {id(), integer("Product", true), integer("ProductUnits", true), integer("PriceType", true),
             number("Price")},
            {key({"ProductUnits", "PriceType"}), key({"Product"})}};
}

// A vendor's own code, name and price for one unit of a product.
Table partSource()
{
    return {"PartSource",
            {id(), integer("Product", true), integer("ProductUnits"), integer("Vendor", true),
             text("PurchaseCode", 30), text("PurchaseName", 255), text("DiscountStr", 30), number("Price"),
             number("PriceBaht"), number("PriceUsd"), number("PriceKip"), number("lastprice"),
             text("lastdoccode", 30), text("lastdocno", 20), date("lastdate")},
            {key({"Product", "Vendor"}), key({"ProductUnits", "Vendor"}), key({"PurchaseCode", "Vendor"})}};
}

Table productVendorOther()
{
    return {"ProductVendorOther",
            {id(), integer("Product", true), integer("Vendor", true)},
            {uniqueKey({"Product", "Vendor"}), key({"Vendor"})}};
}

// Stock in small units by product, warehouse and year; kept by the postings.
Table productOnHand()
{
    return {"ProductOnHand",
            {id(), integer("product", true), integer("warehouse", true), integer("balanceyear", true),
             withDefault(number("quantity"), "0")},
            {uniqueKey({"product", "warehouse", "balanceyear"})}};
}

Table lotNo()
{
    return {"LotNo",
            {id(), text("Code", 30, true), text("Description", 255), withDefault(flag("HasExpired"), "'N'"),
             date("ExpiredDate")},
            {uniqueKey({"Code"})}};
}

Table lotOnHand()
{
    return {"LotOnHand",
            {id(), integer("Product", true), integer("LotNo", true), integer("Warehouse", true),
             integer("BalanceYear", true), withDefault(number("Quantity"), "0")},
            {uniqueKey({"Product", "LotNo", "Warehouse", "BalanceYear"})}};
}

Table serialNo()
{
    return {"SerialNo",
            {id(), integer("Product", true), text("Serial", 50, true), withDefault(flag("OnHand"), "'N'")},
            {uniqueKey({"Product", "Serial"})}};
}

Table warehouse()
{
    return {"Warehouse",
            {id(), text("Code", 30, true), text("Name", 255), withDefault(flag("IsLocation"), "'N'"),
             withDefault(flag("Blocked"), "'N'"), integer("WareGroup"), flag("flagin"), flag("flagout")},
            {uniqueKey({"Code"})}};
}

Table vendor()
{
    return {"Vendor",
            {
                id(),
                text("Code", 30, true),
                text("Name", 255),
                withDefault(flag("Blocked"), "'N'"),
                text("HeadCode", 30),
                integer("Customer"),
                text("TaxNumber", 30),
                integer("TaxCode"),
                integer("DueDays"),
                number("CreditLimit"),
                date("OpenAccount"),
                flag("DirectVendor"),
                text("ReplenishmentType", 30),
                flag("UseFranchise"),
                text("VendorCurrentStatus", 1),  // A active
                integer("POCurrencyId"),
                integer("VendorCurrency"),
                text("Price_IE", 1),
                text("PaymentChannel", 1),  // C cash, Q cheque, T bank transfer
                text("Address1", 255),
                text("Address2", 255),
                text("Address3", 255),
                text("ZipCode", 10),
                integer("Province"),
                text("ShipAddr1", 255),
                text("ShipAddr2", 255),
                text("ShipAddr3", 255),
                integer("ShipProvince"),
                text("ShipZipCode", 10),
                text("ShipPhone", 50),
                text("PhoneNo", 50),
                text("FaxNo", 50),
                text("Remark", 255),
                integer("LeadTimeDelivery"),
                text("SCRCode", 30),
                text("TradeTerm", 100),
            },
            {uniqueKey({"Code"}), key({"Name"})}};
}

Table vendorContact()
{
    return {"vendorcontact", {id(), integer("vendor", true), text("Name", 100), text("PhoneNo", 50)}, {key({"vendor"})}};
}

// Payable balance by vendor and year. Not unique on (Vendor, BalanceYear):
// the upgrade adds a currency, and a vendor then has one row per currency.
Table vendorBalance()
{
    return {"VendorBalance",
            {id(), integer("Vendor", true), integer("BalanceYear", true), withDefault(number("Balance"), "0"),
             withDefault(number("ChqDue"), "0"), withDefault(number("ChqRtd"), "0")},
            {key({"Vendor", "BalanceYear"})}};
}

Table customer()
{
    std::vector<Column> cols{
        id(),
        text("Code", 30, true),
        integer("CustomerGroup"),
        text("HeadCode", 30),
        integer("Vendor"),
        text("Name", 255),
        text("NameShort", 100),
        text("NameEng", 255),
        text("TaxNumber", 30),
        integer("TaxCode"),
        text("Address1", 255),
        text("Address2", 255),
        text("Address3", 255),
        integer("Province"),
        text("ZIPCode", 10),
        text("PhoneNo", 50),
        text("FaxNo", 50),
        date("OpenAccount"),
        integer("DueDays"),
        number("CreditLimit"),
        integer("Salesman", true),
        integer("Transport"),
        integer("PriceLevel"),
        flag("DirectCus"),
        text("Remark", 255),
        text("Picture", 255),
        flag("LocalCustomer"),
        flag("DropCredit"),
        withDefault(flag("Blocked"), "'N'"),
        text("Barcode", 30),
        withDefault(integer("BarCodeId"), "0"),
        text("Email", 100),
        text("Website", 100),
        date("AddDate"),
        integer("Currency"),
        text("fob", 30),
        integer("statementperiod"),
        integer("billperiod"),
        integer("chqperiod"),
        text("DiscountStr", 30),
        number("DistanceKm"),
        number("DistanceCost"),
        text("PictureMap", 255),
        text("CustomerOther", 255),
        flag("BranchHead"),
        text("BranchCode", 10),
        text("Zone", 30),
        text("StoreCode", 30),
        flag("PriceByCost"),
    };
    for (const char* n : {"1", "2", "3"}) {
        cols.push_back(text(std::string("DiscName") + n, 100));
        cols.push_back(number(std::string("DiscRate") + n));
    }
    return {"Customer", std::move(cols), {uniqueKey({"Code"}), key({"Name"})}};
}

Table salesman()
{
    return {"Salesman",
            {id(), text("Code", 30, true), text("Name", 100), text("Surname", 100), integer("Department"),
             flag("Status"), date("StartDate"), date("StopDate"), text("Address", 255),
             text("PhoneNo", 50), text("FaxNo", 50), text("Email", 100)},
            {uniqueKey({"Code"})}};
}

Table employee()
{
    return {"Employee",
            {id(), text("Code", 30, true), text("Name", 255), flag("Status"),
             text("UserCode", 30), text("EmpPosition", 100)},
            {uniqueKey({"Code"})}};
}

Table project()
{
    return {"Project",
            {id(), text("Code", 30, true), text("Description", 255), withDefault(flag("Blocked"), "'N'"),
             withDefault(flag("Closed"), "'N'"), date("InputDate"), integer("Customer")},
            {uniqueKey({"Code"})}};
}

Table projectItemHd()
{
    return {"projectitemhd",
            {id("id"), text("code", 30, true), text("description", 255), integer("project", true)},
            {uniqueKey({"project", "code"})}};
}

Table budget()
{
    return {"Budget",
            {id(), text("BudgetNo", 30, true), integer("BudgetYear"), text("BudgetDesc", 255), integer("Department")},
            {key({"BudgetNo", "BudgetYear"})}};
}

} // namespace

void addMasterTables(std::vector<Table>& tables)
{
    for (Table t : {product(), productUnits(), productPrice(), partSource(), productVendorOther(), productOnHand(),
                    lotNo(), lotOnHand(), serialNo(), warehouse(), vendor(), vendorContact(), vendorBalance(),
                    customer(), codeList("CustomerGroup"), salesman(), employee(), project(), projectItemHd(),
                    codeList("PrettyCash"), budget(), codeList("VCnDnCode")})
        tables.push_back(std::move(t));
    addAttributeTables(tables, "VenAttrGroup", "VenAttrCode", "VendorAttribute", "Vendor", "GroupCode");
    addAttributeTables(tables, "CusAttrGroup", "CusAttrCode", "CustomerAttribute", "Customer", "CusAttrGroup");
    addAttributeTables(tables, "ProdAttrGroup", "ProdAttrCode", "ProductAttribute", "Product", "ProdAttrGroup",
                       {text("ProductType", 1)});
}

} // namespace meridox::schema::detail

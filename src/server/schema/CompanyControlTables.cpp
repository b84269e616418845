// Control tables of the company database: settings, code lists, tax codes,
// numbering series, accounting periods, exchange rates, the audit trail and
// the printable forms.
// Settings added by the upgrade scripts (CheckUserWarehouseFlag,
// CheckUserSubtypeFlag, MainCurrencyId, ShowProductPriceList, EditPricePO,
// PurchasePriceDecimal) and the tables they create (CheckVersionProgramEXE,
// UserWarehouse, UserSubtype) are declared with their scripts.
#include "server/schema/SchemaParts.h"

#include <string>

namespace meridox::schema::detail {

namespace {

// One row, id = 1.
Table config()
{
    return {"Config",
            {
                id("id"),
                text("BranchCode", 30),
                integer("RunYear"),
                withDefault(flag("AutoRunDocMonth"), "'N'"),
                withDefault(flag("AutoGenGL"), "'N'"),
                withDefault(flag("MasterDatabase"), "'N'"),
                flag("LinkPurcSale"),
                date("CalculateCostDate"),
                withDefault(flag("LockInputProject"), "'N'"),
                withDefault(flag("MrRefPO"), "'N'"),
                flag("IvRefSO"),
                withDefault(flag("PurchaseLastPriceOnly"), "'N'"),
                text("Purc_IE", 1),
                text("Default_IE", 1),
                withDefault(flag("PO_Approved"), "'N'"),
                number("PO_LimitAutoApproved"),
                number("PoAmountLevel1"),
                number("PoAmountLevel2"),
                text("LineTokenPoApproveLevel1", 255),
                text("LineTokenPoApproveLevel4", 255),
                withDefault(flag("PORQ_Approved"), "'N'"),
                withDefault(flag("PORQ_ApprovedDT"), "'N'"),
                withDefault(flag("PrintOldDocument"), "'N'"),
                integer("DefaultWH_PurcReturn"),
                withDefault(flag("Islocation"), "'N'"),
                flag("SearchWHShowStock"),
                integer("SearchProductNo"),
                integer("SearchProductMethod"),
                flag("DisplayFraction"),
                flag("ShowLastSearch"),
                text("UnitLeft", 10),
                text("UnitRight", 10),
                integer("OnhandDecimal"),
                text("purcunlockcredit", 10),
                withDefault(flag("UseCustomerLinkHead"), "'N'"),
                text("MainServerIP", 100),
                text("MainDbName", 100),
            },
            {}};
}

// General code lists by group (CURRENCY, SUBTYPE, CITY, remarks, ...).
Table misc()
{
    return {"Misc",
            {id(), text("GroupCode", 30, true), text("Code", 30, true), text("Description", 255),
             withDefault(flag("Blocked"), "'N'"), integer("OrderNo"), withDefault(flag("AutoRunDocMonth"), "'N'")},
            {uniqueKey({"GroupCode", "Code"})}};
}

Table tax()
{
    return {"Tax", {id(), text("Code", 30, true), text("Description", 100), number("Rate")}, {uniqueKey({"Code"})}};
}

// Numbering series per code and year; LastNo is advanced only by NewDocumentNo.
Table documentNo()
{
    return {"DocumentNo",
            {id(), text("Code", 30, true), integer("DocYear", true), text("Description", 255), text("Prefix", 20),
             withDefault(integer("LastNo"), "0"), integer("DocumentLength"), flag("AutoRun"),
             text("DocType", 30)},
            {uniqueKey({"Code", "DocYear"})}};
}

Table docNoConvert()
{
    return {"DocNoConvert",
            {id(), text("Code", 30, true), integer("DocYear", true), integer("DocumentNo", true)},
            {uniqueKey({"Code", "DocYear"})}};
}

// One row per accounting year: Start1..12, Stop1..12 and Lock1..12.
Table accountPeriod()
{
    Table t{"accountperiod", {integer("accountyear", true)}, {uniqueKey({"accountyear"})}};
    for (int n = 1; n <= 12; ++n) {
        const std::string suffix = std::to_string(n);
        t.columns.push_back(date("Start" + suffix));
        t.columns.push_back(date("Stop" + suffix));
        t.columns.push_back(withDefault(flag("Lock" + suffix), "'N'"));
    }
    return t;
}

// Exchange rates by date; PurcScrap, PurcPart, SaleScrap and SalePart come
// with the company upgrade.
Table currencyEx()
{
    return {"CurrencyEx",
            {id(), integer("Currency", true), date("ExchangeDate", true), number("PurcRate"), number("SaleRate")},
            {key({"Currency", "ExchangeDate"})}};
}

// Audit trail written by UserAddLog: who added, changed, deleted or printed what.
Table userLog()
{
    return {"UserLog",
            {id(), integer("UserId"), integer("MenuId"), integer("FunctionListId", true), integer("DocumentId"),
             text("Remark", 255), datetime("LogDate", true)},
            {key({"LogDate"}), key({"FunctionListId", "DocumentId"})}};
}

// The printable forms of each print code; Subtype and ShowPrintPreview come
// with the upgrade scripts.
Table systemForm()
{
    return {"SystemForm",
            {id(), text("FormCode", 30, true), integer("FormOrderNo"), text("FormDesc", 255), text("FrfName", 255),
             text("SpName", 100), text("DocCode", 30), text("DocParaName", 100)},
            {key({"FormCode", "FormOrderNo"})}};
}

} // namespace

void addControlTables(std::vector<Table>& tables)
{
    for (Table t : {config(), misc(), tax(), documentNo(), docNoConvert(), accountPeriod(), currencyEx(), userLog(),
                    systemForm()})
        tables.push_back(std::move(t));
}

} // namespace meridox::schema::detail

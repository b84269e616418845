// The purchasing documents: requisitions, purchase orders with their delivery
// address and schedule, goods receipts, cash purchases, returns to vendors,
// vendor credit and debit notes, and bill acceptance.
//
// Each line table's header column is a foreign key to its header, so a header
// that still has lines cannot be purged. Every other reference is a plain
// integer: other modules of the suite write these tables too.
//
// Columns the upgrade scripts add are declared with their scripts, not here:
// CurrencyId, Rate, Scrap and Part of every header; PrintPackageAs of the
// requisition, order, receipt and cash purchase lines; SoHd, Attachfile,
// RemarkDel of PoRQHd; Attachfile, RemarkDel of PoHd; SoHd, MiscCost of MrHd
// and PcHd.
#include "server/schema/SchemaParts.h"

#include <initializer_list>

namespace meridox::schema::detail {

namespace {

constexpr int kDocNo = 20;
constexpr int kCode = 30;
constexpr int kRemark = 255;

void append(std::vector<Column>& to, std::initializer_list<Column> cols)
{
    to.insert(to.end(), cols.begin(), cols.end());
}

Column flagN(std::string name) { return withDefault(flag(std::move(name)), "'N'"); }
Column zero(std::string name) { return withDefault(number(std::move(name)), "0"); }

// The money of one line: quantity, unit, price, discount and amounts. The
// price is required: a line without one is refused by the engine, which the
// error window explains as incomplete prices.
void appendLineMoney(std::vector<Column>& cols, bool withUnit)
{
    cols.push_back(integer("Product"));
    if (withUnit) {
        cols.push_back(integer("ProductUnits"));
        // Required: a missing fraction means the unit is missing or wrong.
        cols.push_back(number("Fraction", true));
    }
    append(cols, {integer("TaxCode"), number("TaxRate"), zero("Quantity"), number("Price", true),
                  text("Discount", kCode), zero("DiscountAmt"), zero("ProductAmount"), zero("Total")});
}

// Per-line taxes and delivery share of orders and receipts.
void appendLineCharges(std::vector<Column>& cols)
{
    append(cols, {zero("Laotax"), zero("LaotaxUom"), zero("ExciseTax"), zero("ExciseTaxUom"), zero("DeliveryCost"),
                  zero("DeliveryCostUom")});
}

Table lineTable(std::string name, std::string header, std::vector<Column> cols, std::vector<Index> extraIndexes = {})
{
    cols.insert(cols.begin(), {id(), ref(header, header, true)});
    std::vector<Index> indexes{key({header})};
    indexes.insert(indexes.end(), extraIndexes.begin(), extraIndexes.end());
    return {std::move(name), std::move(cols), std::move(indexes)};
}

// ---- requisitions

Table poRqHd()
{
    std::vector<Column> c{id(), flagN("DelFlag"), text("PoRQType", 1, true), text("PoRQNo", kDocNo, true),
                          date("PoRQDate"), integer("Vendor", true), integer("PrePaid"), integer("Department"),
                          integer("Project"), date("ShipDate"), withDefault(integer("CreditDays"), "0"),
                          text("Reference", kRemark), text("Remark", kRemark)};
    appendDocumentSums(c);
    append(c, {flagN("Clear"), integer("LotNo"), text("PaidType", 1), flagN("Posted"), flagN("Imported"),
               flagN("Approved"), flag("canusetax"), text("attnname", 100), integer("workorderhd"),
               integer("employee"), text("SubType", kCode), text("Remark2", kRemark), text("Remark3", kRemark),
               text("Remark4", kRemark), text("ToBranchCode", kCode)});
    return {"PoRQHd", std::move(c), {uniqueKey({"PoRQNo", "PoRQType"}), key({"Vendor"}), key({"PoRQDate"})}};
}

Table poRqDt()
{
    std::vector<Column> c{integer("PoRQRecNo"), date("PoRQDate")};
    appendLineMoney(c, true);
    append(c, {date("ShipDate"), integer("Warehouse"), integer("LotNo"), number("QWeightSize"), zero("Received"),
               zero("BackOrder"), flagN("Clear"), text("ClearRemark", kRemark), memo("MemoLine"), memo("MemoLine2"),
               integer("ProjectItemHd"), flagN("Approved")});
    return lineTable("PoRQDt", "PoRQHd", std::move(c), {key({"Product"})});
}

// ---- purchase orders

Table poHd()
{
    std::vector<Column> c{id(), flagN("DelFlag"), text("PoType", 1, true), text("PoNo", kDocNo, true),
                          date("PoDate"), text("PrNo", kDocNo), flagN("Printed"), integer("Vendor", true),
                          integer("PrePaid"), integer("Department"), integer("Project"), date("ShipDate"),
                          withDefault(integer("CreditDays"), "0"), text("Reference", kRemark),
                          text("Remark", kRemark)};
    appendDocumentSums(c);
    append(c, {flagN("Clear"), integer("LotNo"), flagN("Posted"), flagN("Imported"), text("PurcRequestNo", kDocNo),
               date("PurcRequestDate"), text("PaidType", 1), flagN("Approved"), flag("CanUseTax"),
               text("AttnName", 100), integer("WorkOrderHd"), integer("SoHd"), text("MrTaxNo", kCode),
               date("MrTaxDate"), integer("porqhd"), text("SubType", kCode), memo("Memoline"),
               text("approve_name", 100), zero("DeliveryCost"), flagN("CheckPrice"), flagN("CheckShipCost"),
               flagN("CheckIn"), date("CheckInDate"), text("ToBranchCode", kCode), text("UserCodeApproved", kCode)});
    return {"PoHd", std::move(c),
            {uniqueKey({"PoNo", "PoType"}), key({"Vendor"}), key({"porqhd"}), key({"PoDate"})}};
}

Table poDt()
{
    std::vector<Column> c{integer("PoRecNo"), date("PoDate")};
    appendLineMoney(c, true);
    append(c, {date("ShipDate"), integer("Warehouse"), integer("LotNo"), number("QWeightSize"), zero("Received"),
               zero("BackOrder"), flagN("Clear"), text("ClearRemark", kRemark), memo("MemoLine"), memo("MemoLine2"),
               integer("ProjectItemHd"), integer("Project"), integer("WorkOrderHd"), integer("ProcessId"),
               integer("PoRQDt")});
    appendLineCharges(c);
    return lineTable("PoDt", "PoHd", std::move(c), {key({"PoRQDt"}), key({"Product", "Warehouse"})});
}

// The delivery address of an order: at most one row, keyed by the order.
Table poShip()
{
    return {"PoShip",
            {integer("PoHd", true), text("ShipAddr1", kRemark), text("ShipAddr2", kRemark), text("ShipAddr3", kRemark),
             integer("Province"), text("ZipCode", 10), text("PhoneNo", 50), text("FaxNo", 50)},
            {uniqueKey({"PoHd"})}};
}

// Part deliveries of an order line: quantity due on each date.
Table shipTable()
{
    return {"ShipTable",
            {id("id"), integer("pohd", true), integer("product"), integer("productunits"), date("shipdate"),
             zero("quantity")},
            {key({"pohd", "product"})}};
}

// ---- goods receipts and cash purchases

struct ReceiptNames {
    const char* header;  // MrHd / PcHd
    const char* line;    // MrDt / PcDt
    const char* no;
    const char* date;
    const char* type;
    const char* taxNo;
    const char* taxDate;
    const char* printTaxDate;
    const char* recNo;
    bool onCredit;  // receipt on credit: due date, payment state, destination branch
};

constexpr ReceiptNames kReceipt{"MrHd", "MrDt", "MrNo", "MrDate", "MrType", "MrTAXNO", "MrTaxDate",
                                "MrPrintTaxDate", "MrRecNo", true};
constexpr ReceiptNames kCashPurchase{"PcHd", "PcDt", "PcNo", "PcDate", "PcType", "PcTaxNo", "PcTaxDate",
                                     "PcPrintTaxDate", "PcRecNo", false};

Table receiptHd(const ReceiptNames& n)
{
    std::vector<Column> c{id(), flagN("DelFlag"), text(n.type, 1, true), text(n.no, kDocNo, true), date(n.date),
                          text("ImportLotNo", kCode), text(n.taxNo, kCode), date(n.taxDate), date(n.printTaxDate),
                          integer("Department"), integer("Project"), withDefault(integer("PoHd"), "0"),
                          integer("Vendor", true)};
    if (n.onCredit)
        append(c, {integer("DueDays"), date("DueDate")});
    append(c, {integer("Warehouse"), text("Reference", kRemark), text("Remark", kRemark)});
    appendDocumentSums(c);
    if (n.onCredit)
        append(c, {flagN("Clear"), zero("PaidAmount")});
    append(c, {flag("CanUseTax"), integer("LotNo"), flagN("Posted"), flagN("Imported"), flagN("BeginBalance"),
               flagN("Transfer"), integer("Prepaid"), zero("PrepaidAmount"), text("SubType", kCode),
               zero("DeliveryCost"), flagN("Printed"), flag("NotCutStock")});
    if (n.onCredit)
        c.push_back(text("ToBranchCode", kCode));
    else
        c.push_back(integer("PrettyCash"));
    return {n.header, std::move(c),
            {key({n.no, n.type}), key({"Vendor"}), key({"PoHd"}), key({n.date})}};
}

Table receiptDt(const ReceiptNames& n)
{
    // Warehouse stays nullable: service and sundry lines have none.
    std::vector<Column> c{integer(n.recNo), date(n.date), withDefault(integer("PoDt"), "0"), integer("Warehouse"),
                          integer("LotNo"), integer("SerialNo"), number("QWeightSize"), number("Cost")};
    appendLineMoney(c, true);
    append(c, {memo("MemoLine"), memo("MemoLine2"), integer("ProjectItemHd"), integer("project"),
               integer("workorderhd"), integer("processid")});
    appendLineCharges(c);
    return lineTable(n.line, n.header, std::move(c), {key({"PoDt"}), key({"Product", "Warehouse"})});
}

// ---- returns to vendors

Table prHd()
{
    std::vector<Column> c{id(), flagN("DelFlag"), text("PrType", 1, true), text("PrNo", kDocNo, true), date("PrDate"),
                          integer("Department"), integer("Project"),
                          text("MrHd", 15),  // number of the returned receipt, not its id
                          integer("Vendor", true), integer("Warehouse"), text("Reference", kRemark),
                          text("Remark", kRemark)};
    appendDocumentSums(c);
    append(c, {flagN("Clear"), zero("PaidAmount"), integer("LotNo"), flagN("Posted"), flagN("Imported"),
               number("OldTotal"), number("OldTaxTotal"), flagN("BeginBalance"), text("PurcTaxNo", kCode),
               flag("CanUseTax"), text("SubType", kCode), text("RefIvNo", kDocNo), text("RefPackNo", kDocNo),
               flagN("Transfer")});
    return {"PrHd", std::move(c), {key({"PrNo", "PrType"}), key({"Vendor"}), key({"MrHd"}), key({"RefPackNo"})}};
}

Table prDt()
{
    std::vector<Column> c{integer("PrRecNo"), date("PrDate"), withDefault(integer("MrDt"), "0"), integer("Warehouse"),
                          integer("LotNo"), integer("SerialNo")};
    appendLineMoney(c, true);
    c.push_back(memo("MemoLine"));
    return lineTable("PrDt", "PrHd", std::move(c), {key({"MrDt"})});
}

// ---- vendor credit and debit notes

Table noteHd(const char* name, bool creditNote)
{
    std::vector<Column> c{id(), flagN("DelFlag"), text("CDType", 1, true), text("CDNo", kDocNo, true), date("CDDate"),
                          integer("Department"), integer("Project"),
                          text("MrHd", 15),  // number of the referred receipt
                          integer("Vendor", true)};
    if (creditNote)
        c.push_back(integer("PrHd"));
    append(c, {text("TaxNo", kCode), date("TaxDate"), date("TaxPrintDate"), number("OldTaxAmount"),
               number("NewTaxAmount"), text("Reference", kRemark), text("Remark", kRemark)});
    appendDocumentSums(c);
    append(c, {flagN("Clear"), flag("CanUseTax"), zero("PaidAmount"), integer("LotNo"), flagN("Posted"),
               flagN("Imported"), flagN("Transfer"), flagN("BeginBalance"), text("SubType", kCode), flagN("Printed")});
    return {name, std::move(c), {uniqueKey({"CDNo", "CDType"}), key({"Vendor"}), key({"MrHd"})}};
}

// Note lines have no fraction: a reason-code line (type O) has no unit.
Table noteDt(const char* name, const char* header, bool creditNote)
{
    std::vector<Column> c{integer("CDRecNo"), integer("MrDt"), text("MrNo", kDocNo), text("ProductType", 1),
                          integer("ProductUnits"), integer("LotNo"), date("CdDate")};
    appendLineMoney(c, false);
    if (creditNote)
        c.push_back(integer("PrDt"));
    return lineTable(name, header, std::move(c), {key({"MrDt"})});
}

// ---- bill acceptance

Table vBillHd()
{
    std::vector<Column> c{id(), flagN("DelFlag"), text("BiNo", kDocNo, true), date("BiDate"), integer("Department"),
                          integer("Project"), integer("Vendor", true), date("IvDateBegin"), date("IvDateEnd"),
                          integer("DueDays"), date("DueDate"), text("Reference", kRemark), text("Remark", kRemark),
                          flagN("Printed")};
    for (const char* n : {"1", "2", "3"})
        append(c, {text(std::string("DiscName") + n, 100), zero(std::string("DiscRate") + n),
                   zero(std::string("DiscAmt") + n)});
    append(c, {flagN("Clear"), zero("Total"), zero("PaidAmount"), text("SubType", kCode)});
    return {"VBillHd", std::move(c), {key({"BiNo"}), key({"Vendor"})}};
}

Table vBillDt()
{
    return lineTable("VBillDt", "VBillHd",
                     {integer("BiRecNo"), text("BillDocType", 1, true), integer("BillDocId"), zero("DocAmount")},
                     {key({"BillDocType", "BillDocId"})});
}

} // namespace

void appendDocumentSums(std::vector<Column>& c)
{
    append(c, {integer("TaxCode"), number("TaxRate"), text("Price_IE", 1), zero("NoTaxAmt"), zero("TaxAmt"),
               zero("TaxTotal"), zero("TaxCal"), zero("Total")});
    for (const char* n : {"1", "2", "3"})
        append(c, {text(std::string("DiscName") + n, 100), zero(std::string("DiscRate") + n),
                   zero(std::string("DiscAmt") + n)});
}

void addDocumentTables(std::vector<Table>& tables)
{
    for (Table t : {poRqHd(), poRqDt(), poHd(), poDt(), poShip(), shipTable(), receiptHd(kReceipt),
                    receiptDt(kReceipt), receiptHd(kCashPurchase), receiptDt(kCashPurchase), prHd(), prDt(),
                    noteHd("VCnHd", true), noteDt("VcnDt", "VCnHd", true), noteHd("VDnHd", false),
                    noteDt("VDnDt", "VDnHd", false), vBillHd(), vBillDt()})
        tables.push_back(std::move(t));
}

} // namespace meridox::schema::detail

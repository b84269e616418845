// Tables that other modules of the suite own and write, declared with only the
// columns this module's own queries read (deposits, payments, ledger vouchers,
// accrued expenses, returned cheques, work orders), so that a fresh company
// database answers those queries. Their other columns belong to their modules.
#include "server/schema/SchemaParts.h"

namespace meridox::schema::detail {

namespace {

Column flagN(std::string name) { return withDefault(flag(std::move(name)), "'N'"); }
Column zero(std::string name) { return withDefault(number(std::move(name)), "0"); }

} // namespace

void addSharedTables(std::vector<Table>& tables)
{
    // Vendor deposits and their application to receipts.
    tables.push_back({"PrePaid",
                      {id(), flagN("DelFlag"), text("PrNo", 20, true), date("PrDate"), integer("Vendor"),
                       text("Reference", 255), text("Remark", 255), zero("Total"), zero("TaxTotal"), number("TaxRate"),
                       zero("PaidAmount"), flagN("Clear")},
                      {key({"PrNo"}), key({"Vendor"})}});
    tables.push_back({"MrPrePaid",
                      {id(), integer("RecNo"), integer("PrePaid", true), integer("MrHd", true), zero("PaidAmount")},
                      {key({"MrHd"}), key({"PrePaid"})}});

    // Orders whose receiving has started outside this module.
    tables.push_back({"PoReceivedTemp", {id(), integer("PoHd", true)}, {key({"PoHd"})}});

    // Ledger vouchers made from documents.
    tables.push_back({"glhd", {id("id"), integer("glfromdocid"), text("glfromdocno", 20)},
                      {key({"glfromdocid", "glfromdocno"})}});
    tables.push_back({"gldt", {id("id"), integer("glhd", true)}, {key({"glhd"})}});

    // Payments to vendors: which document each payment line settles.
    tables.push_back({"PdHd", {id(), text("PdNo", 20, true), date("PdDate")}, {key({"PdNo"})}});
    tables.push_back({"PdDt", {id(), integer("PdHd", true), integer("PdDocId"), text("PdDocType", 1)},
                      {key({"PdHd"}), key({"PdDocType", "PdDocId"})}});

    // The further sources of a vendor bill.
    tables.push_back({"AcluHd",
                      {id(), flagN("DelFlag"), text("AcluNo", 20, true), date("AcluDate"), integer("Vendor"),
                       text("Reference", 255), zero("Total"), zero("PaidAmount"), flagN("Clear"), flagN("Billed")},
                      {key({"AcluNo"}), key({"Vendor"})}});
    tables.push_back({"PaidChq",
                      {id(), text("ChqNo", 30, true), date("ChqDueDate"), integer("Vendor"), zero("Amount")},
                      {key({"ChqNo"}), key({"Vendor"})}});
    tables.push_back({"PdChqReturnDt",
                      {id(), integer("PaidChq", true), zero("Total"), zero("PaidAmount"), flagN("Clear")},
                      {key({"PaidChq"})}});
    tables.push_back({"Expense",
                      {id(), text("Code", 30, true), text("Description", 255), flagN("Blocked")},
                      {uniqueKey({"Code"})}});
    tables.push_back({"WithHoldingTax",
                      {id(), text("Code", 30, true), text("Description", 255), text("RcPd", 1)},
                      {key({"Code"})}});

    // Production orders that order and requisition lines refer to.
    tables.push_back({"WorkOrderHd", {id(), text("WorkOrderNo", 20, true)}, {key({"WorkOrderNo"})}});
}

} // namespace meridox::schema::detail

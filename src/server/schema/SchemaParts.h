#pragma once
// Internal: the pieces the two database declarations are assembled from.
#include "server/schema/Schema.h"

namespace meridox::schema::detail {

// Company database
void addControlTables(std::vector<Table>& tables);   // Config, Misc, numbering, periods, logs
void addMasterTables(std::vector<Table>& tables);    // products, stock, vendors, customers, ...
void addDocumentTables(std::vector<Table>& tables);  // requisitions, orders, receipts, returns, notes, bills
void addSharedTables(std::vector<Table>& tables);    // tables of other modules that our queries read
void addCompanyViews(std::vector<View>& views);

// The columns every purchasing document header carries for its arithmetic.
void appendDocumentSums(std::vector<Column>& columns);

} // namespace meridox::schema::detail

#pragma once
// Creates databases from the schema declaration and runs the upgrade
// scripts, on either engine.
#include "platform/db/Database.h"
#include "server/schema/Schema.h"

#include <QStringList>

namespace meridox::server {

// The statements that create one table with its keys and indexes.
QStringList createTableStatements(const db::Dialect& dialect, const schema::Table& table);

// Creates every table, index and view of `schema` in an empty database.
void createSchema(db::Database& db, const schema::DatabaseSchema& schema);

// Runs one upgrade script; each step first tests the catalogue and changes
// nothing when its object exists. Returns the number of steps that changed something.
int runUpgrade(db::Database& db, const schema::UpgradeScript& script);
int runUpgrades(db::Database& db, const std::vector<schema::UpgradeScript>& scripts);

// A fresh configuration or company database: base schema, then every upgrade.
void installConfigDatabase(db::Database& db);
void installCompanyDatabase(db::Database& db);

// After rows were inserted with explicit ids, identities continue after them.
void resetIdentities(db::Database& db, const schema::DatabaseSchema& schema);

} // namespace meridox::server

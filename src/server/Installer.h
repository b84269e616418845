#pragma once
// Creates databases from the schema declaration and runs the upgrade
// scripts, on either engine.
#include "platform/db/Database.h"
#include "server/schema/Schema.h"

#include <QSet>
#include <QStringList>

namespace meridox::server {

// The statements that create one table with its keys and indexes.
QStringList createTableStatements(const db::Dialect& dialect, const schema::Table& table);

// Creates every table, index and view of `schema` in an empty database.
void createSchema(db::Database& db, const schema::DatabaseSchema& schema);

// What the database holds (tables 'T', columns 'C', indexes 'I'), read in one
// query and kept up to date as steps add to it, so the scripts of one start
// test the catalogue without a query per step.
class Catalogue {
public:
    explicit Catalogue(db::Database& db);
    bool has(const char* kind, const QString& table, const QString& name = {}) const;
    void add(const char* kind, const QString& table, const QString& name = {});

private:
    static QString key(const QString& kind, const QString& table, const QString& name);
    QSet<QString> m_names;
};

// Runs one upgrade script; each step first tests the catalogue and changes
// nothing when its object exists. Returns the number of steps that changed something.
int runUpgrade(db::Database& db, const schema::UpgradeScript& script);
int runUpgrade(db::Database& db, const schema::UpgradeScript& script, Catalogue& catalogue);
int runUpgrades(db::Database& db, const std::vector<schema::UpgradeScript>& scripts);

// A fresh configuration or company database: base schema, then every upgrade.
void installConfigDatabase(db::Database& db);
void installCompanyDatabase(db::Database& db);

// After rows were inserted with explicit ids, identities continue after them.
void resetIdentities(db::Database& db, const schema::DatabaseSchema& schema);

} // namespace meridox::server

#pragma once
// The demonstration server: a configuration database and the company DEMO
// with Thai masters, users, rights and numbering series; and the large
// company LARGE used by the benchmarks.
#include "platform/db/ServerName.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace meridox::db {
class Database;
}

namespace meridox::server {

// The menu numbers this module answers, with their Thai captions.
const std::vector<std::pair<int, QString>>& menuCaptions();

// Creates VANTEL_CONFIG and DEMO on the server. Refuses, with a message
// naming it, when either database already exists.
void createDemoServer(const db::ServerName& server, QDate today = QDate::currentDate());

// Creates the configuration database (when missing) and the company LARGE
// with `products` products, `vendors` vendors and `warehouses` warehouses.
void createLargeCompany(const db::ServerName& server, int products = 100000, int vendors = 2000, int warehouses = 20,
                        QDate today = QDate::currentDate());

// Fills a fresh configuration database: company rows are added per company.
void seedConfigDatabase(db::Database& cfg);
void registerCompany(db::Database& cfg, int companyId, const QString& code, const QString& databaseName,
                     const QString& thaiName, int runYear);
// Fills a fresh company database with the demo masters for `today`.
void seedDemoCompany(db::Database& company, QDate today);

// INSERT of one row; column names come from the program, values are bound.
void insertRow(db::Database& db, const QString& table, const std::vector<std::pair<QString, QVariant>>& values);

} // namespace meridox::server

#pragma once
// The server procedures, registered by name so the db layer can call them
// like stored procedures on either engine.
#include <QDateTime>
#include <optional>

namespace meridox::db {
class Database;
}

namespace meridox::server {

// Registers every procedure of the configuration and company databases.
// Idempotent; called once at start-up and by the test fixtures.
void registerProcedures();

// The server clock ("ServerTime"): PostgreSQL's localtimestamp, or the local
// clock on the embedded server. A fixture may pin it (also through the
// environment variable MERIDOX_SERVER_TIME, ISO date-time) so date rules are testable.
void pinServerTime(std::optional<QDateTime> at);
QDateTime serverTime(db::Database& db);

// The number of series `code` for `year`: the document number text. Kept
// apart so the number format is stated once.
QString formatDocumentNumber(const QString& prefix, qint64 lastNo, int documentLength);

} // namespace meridox::server

#pragma once
// Everything that differs between the embedded engine and PostgreSQL lives
// here: column types, identities, catalogue tests, transaction start, locks
// and the wording of engine errors.
#include "platform/db/ServerName.h"

#include <QSqlError>
#include <QString>
#include <memory>

namespace meridox::db {

enum class ColumnKind { Id, Integer, Double, Text, Memo, Flag, Date, DateTime, Blob };

class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;

    // SQL type for a column of this kind (`size` for Text).
    virtual QString columnType(ColumnKind kind, int size) const = 0;
    // Statements run once on a new, empty database.
    virtual QStringList prepareNewDatabase() const = 0;
    // Statements run on every new connection.
    virtual QStringList prepareConnection() const = 0;

    virtual QString beginTransaction() const = 0;

    // The id the last INSERT on this connection gave its identity column.
    virtual QString lastIdentitySql() const = 0;
    // Text appended to an INSERT so that it hands back the new identity as
    // New_Id; empty where the engine reports it without a result row.
    virtual QString returningIdentity(const QString& idColumn) const = 0;
    // Text appended to a SELECT that is read to be updated in the same transaction.
    virtual QString forUpdate() const = 0;

    // One query listing the catalogue: rows of Kind ('T' table, 'C' column,
    // 'I' index), TableName and ObjectName; lets a script test it once.
    virtual QString catalogueSql() const = 0;

    // Identity columns continue after explicitly inserted ids.
    virtual QStringList resetIdentity(const QString& table, const QString& idColumn) const = 0;

    // The engine's error in the classic server wording (see Errors.cpp).
    virtual QString classicMessage(const QSqlError& error, const QString& sql) const = 0;

    static std::unique_ptr<Dialect> create(Engine engine);
};

} // namespace meridox::db

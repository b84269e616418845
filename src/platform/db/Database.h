#pragma once
// A named connection to one database of a server, and the registry that
// keeps them for the whole run ("DmCfg", "DMdata", ...). Windows never open
// connections of their own; they look them up here.
#include "platform/db/Dialect.h"
#include "platform/db/ServerName.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

namespace meridox::db {

class Database {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (or returns the already open) connection `connectionName` to the
    // database `databaseName` of `server`. Throws DatabaseError naming the
    // server and the database when it cannot be reached or does not exist.
    static Database& open(const QString& connectionName, const ServerName& server, const QString& databaseName);
    static Database& get(const QString& connectionName);
    static bool isOpen(const QString& connectionName);
    static void close(const QString& connectionName);
    static void closeAll();

    // Whether the server holds a database of that name.
    static bool exists(const ServerName& server, const QString& databaseName);
    // Creates an empty database; refuses (throws) when one of that name exists.
    static void create(const ServerName& server, const QString& databaseName);
    // Removes a database (tests and the installer's clean-up only).
    static void drop(const ServerName& server, const QString& databaseName);

    const QString& connectionName() const { return m_connectionName; }
    const QString& databaseName() const { return m_databaseName; }
    const ServerName& server() const { return m_server; }
    const Dialect& dialect() const { return *m_dialect; }
    Engine engine() const { return m_server.engine; }
    QSqlDatabase& sql() { return m_sql; }

    // Runs one statement without parameters (DDL, PRAGMA, COMMIT); throws on error.
    void execute(const QString& statement);

    // Transaction depth; see Transaction.
    bool inTransaction() const { return m_transactionDepth > 0; }

private:
    friend class Transaction;
    Database(QString connectionName, ServerName server, QString databaseName);
    void connect();

    QString m_connectionName;
    ServerName m_server;
    QString m_databaseName;
    std::unique_ptr<Dialect> m_dialect;
    QSqlDatabase m_sql;
    int m_transactionDepth = 0;
    bool m_transactionFailed = false;
};

// Raises the DatabaseError for a failed engine call, in the classic wording.
[[noreturn]] void raise(Database& db, const QSqlError& error, const QString& sql);

} // namespace meridox::db

#include "platform/db/Database.h"

#include "platform/os/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>
#include <map>

namespace meridox::db {

namespace {

std::map<QString, std::unique_ptr<Database>>& registry()
{
    static std::map<QString, std::unique_ptr<Database>> r;
    return r;
}

QString registryKey(const QString& name) { return name.toUpper(); }

QString sqliteFile(const ServerName& server, const QString& databaseName)
{
    return QDir(server.directory).filePath(server.databasePrefix + databaseName + QStringLiteral(".db"));
}

QString pgName(const ServerName& server, const QString& databaseName)
{
    return (server.databasePrefix + databaseName).toLower();
}

void configurePg(QSqlDatabase& db, const ServerName& server, const QString& databaseName)
{
    db.setDatabaseName(databaseName);
    if (!server.host.isEmpty())
        db.setHostName(server.host);
    if (server.port)
        db.setPort(server.port);
    db.setUserName(server.user);
    if (!server.password.isEmpty())
        db.setPassword(server.password);
    QStringList opts{QStringLiteral("connect_timeout=10")};
    for (auto it = server.options.begin(); it != server.options.end(); ++it)
        opts << it.key() + u'=' + it.value();
    db.setConnectOptions(opts.join(u';'));
}

// A short-lived connection for server-level work (listing, creating databases).
class MaintenanceConnection {
public:
    explicit MaintenanceConnection(const ServerName& server)
        : m_name(QStringLiteral("maint-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        configurePg(m_db, server, QStringLiteral("postgres"));
        if (!m_db.open())
            throw DatabaseError(QStringLiteral("Cannot reach the database server %1: %2")
                                    .arg(server.describe(), m_db.lastError().text().trimmed()));
    }
    ~MaintenanceConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase& db() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
};

QString quotedPgName(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n.toLower() + u'"';
}

} // namespace

Database::Database(QString connectionName, ServerName server, QString databaseName)
    : m_connectionName(std::move(connectionName)), m_server(std::move(server)), m_databaseName(std::move(databaseName)),
      m_dialect(Dialect::create(m_server.engine))
{
}

Database::~Database()
{
    if (m_sql.isValid())
        m_sql.close();
    m_sql = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void Database::connect()
{
    if (m_server.engine == Engine::SQLite) {
        const QFileInfo dir(m_server.directory);
        if (!dir.isDir())
            throw DatabaseError(QStringLiteral("Cannot open the database folder %1: it does not exist or is not a folder")
                                    .arg(m_server.directory));
        if (!dir.isReadable() || !dir.isExecutable())
            throw DatabaseError(QStringLiteral("Cannot open the database folder %1: permission denied").arg(m_server.directory));
        const QString file = sqliteFile(m_server, m_databaseName);
        if (!QFileInfo::exists(file))
            throw DatabaseError(QStringLiteral("Database '%1' does not exist on %2").arg(m_databaseName, m_server.directory));
        m_sql = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        m_sql.setDatabaseName(file);
        m_sql.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
    } else {
        m_sql = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        configurePg(m_sql, m_server, pgName(m_server, m_databaseName));
    }
    if (!m_sql.open()) {
        const QString why = m_sql.lastError().text().trimmed();
        throw DatabaseError(QStringLiteral("Cannot open database '%1' on %2: %3").arg(m_databaseName, m_server.describe(), why));
    }
    for (const QString& s : m_dialect->prepareConnection())
        execute(s);
}

Database& Database::open(const QString& connectionName, const ServerName& server, const QString& databaseName)
{
    auto& r = registry();
    auto it = r.find(registryKey(connectionName));
    if (it != r.end()) {
        Database& db = *it->second;
        if (db.m_databaseName.compare(databaseName, Qt::CaseInsensitive) == 0 && db.m_server.describe() == server.describe()
            && db.m_server.databasePrefix == server.databasePrefix)
            return db;
        r.erase(it);
    }
    std::unique_ptr<Database> db(new Database(connectionName, server, databaseName));
    db->connect();
    Database& ref = *db;
    r[registryKey(connectionName)] = std::move(db);
    return ref;
}

Database& Database::get(const QString& connectionName)
{
    auto& r = registry();
    auto it = r.find(registryKey(connectionName));
    if (it == r.end())
        throw DatabaseError(QStringLiteral("Connection '%1' is not open").arg(connectionName));
    return *it->second;
}

bool Database::isOpen(const QString& connectionName)
{
    return registry().count(registryKey(connectionName)) > 0;
}

void Database::close(const QString& connectionName)
{
    registry().erase(registryKey(connectionName));
}

void Database::closeAll()
{
    registry().clear();
}

bool Database::exists(const ServerName& server, const QString& databaseName)
{
    if (server.engine == Engine::SQLite)
        return QFileInfo::exists(sqliteFile(server, databaseName));
    MaintenanceConnection m(server);
    QSqlQuery q(m.db());
    q.prepare(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"));
    q.addBindValue(pgName(server, databaseName));
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    return q.next();
}

void Database::create(const ServerName& server, const QString& databaseName)
{
    if (exists(server, databaseName))
        throw DatabaseError(QStringLiteral("Database '%1' already exists on %2").arg(databaseName, server.describe()));
    if (server.engine == Engine::SQLite) {
        if (!QDir().mkpath(server.directory))
            throw DatabaseError(QStringLiteral("Cannot create the database folder %1").arg(server.directory));
        const QString name = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(sqliteFile(server, databaseName));
            if (!db.open())
                throw DatabaseError(QStringLiteral("Cannot create database '%1' in %2: %3")
                                        .arg(databaseName, server.directory, db.lastError().text()));
            auto dialect = Dialect::create(server.engine);
            for (const QString& s : dialect->prepareNewDatabase()) {
                QSqlQuery q(db);
                if (!q.exec(s))
                    throw DatabaseError(q.lastError().text());
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return;
    }
    {
        MaintenanceConnection m(server);
        QSqlQuery q(m.db());
        if (!q.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(quotedPgName(pgName(server, databaseName)))))
            throw DatabaseError(QStringLiteral("Cannot create database '%1' on %2: %3")
                                    .arg(databaseName, server.describe(), q.lastError().text()));
    }
    const QString name = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        configurePg(db, server, pgName(server, databaseName));
        if (!db.open())
            throw DatabaseError(db.lastError().text());
        auto dialect = Dialect::create(server.engine);
        for (const QString& s : dialect->prepareNewDatabase()) {
            QSqlQuery q(db);
            if (!q.exec(s))
                throw DatabaseError(q.lastError().text());
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void Database::drop(const ServerName& server, const QString& databaseName)
{
    // Connections of this process to it go first.
    auto& r = registry();
    for (auto it = r.begin(); it != r.end();) {
        if (it->second->m_databaseName.compare(databaseName, Qt::CaseInsensitive) == 0
            && it->second->m_server.describe() == server.describe()
            && it->second->m_server.databasePrefix == server.databasePrefix)
            it = r.erase(it);
        else
            ++it;
    }
    if (server.engine == Engine::SQLite) {
        const QString f = sqliteFile(server, databaseName);
        QFile::remove(f);
        QFile::remove(f + QStringLiteral("-wal"));
        QFile::remove(f + QStringLiteral("-shm"));
        return;
    }
    MaintenanceConnection m(server);
    QSqlQuery q(m.db());
    if (!q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(quotedPgName(pgName(server, databaseName)))))
        throw DatabaseError(q.lastError().text());
}

void Database::execute(const QString& statement)
{
    QSqlQuery q(m_sql);
    if (!q.exec(statement))
        raise(*this, q.lastError(), statement);
}

void raise(Database& db, const QSqlError& error, const QString& sql)
{
    throw DatabaseError(db.dialect().classicMessage(error, sql));
}

} // namespace meridox::db

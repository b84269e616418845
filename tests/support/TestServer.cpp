#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

namespace meridox::test {

std::vector<db::Engine> engines()
{
    return {db::Engine::SQLite, db::Engine::PostgreSQL};
}

bool engineAvailable(db::Engine engine)
{
    return engine == db::Engine::SQLite || !qEnvironmentVariableIsEmpty("MERIDOX_TEST_PG");
}

std::string engineName(const ::testing::TestParamInfo<db::Engine>& info)
{
    return info.param == db::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

db::ServerName testServer(db::Engine engine)
{
    if (engine == db::Engine::PostgreSQL) {
        db::ServerName s = db::ServerName::parse(qEnvironmentVariable("MERIDOX_TEST_PG"));
        s.databasePrefix = QStringLiteral("p%1_").arg(QCoreApplication::applicationPid());
        return s;
    }
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/meridox-test-XXXXXX"));
    return db::ServerName::parse(dir.path());
}

ScratchDatabase::ScratchDatabase(db::Engine engine, const QString& prefix)
    : m_server(testServer(engine)),
      m_name(prefix + QStringLiteral("_") + QUuid::createUuid().toString(QUuid::Id128).left(12)),
      m_connection(QStringLiteral("scratch-") + m_name)
{
    db::Database::create(m_server, m_name);
}

ScratchDatabase::~ScratchDatabase()
{
    try {
        db::Database::close(m_connection);
        db::Database::drop(m_server, m_name);
    } catch (...) {
    }
}

db::Database& ScratchDatabase::db()
{
    return db::Database::open(m_connection, m_server, m_name);
}

} // namespace meridox::test

#pragma once
// Throw-away databases for the tests: the embedded engine always, PostgreSQL
// when MERIDOX_TEST_PG holds a libpq connection string (the test command
// starts a cluster and sets it).
#include "platform/db/Database.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace meridox::db {
// Test names and messages show the engine by name.
inline void PrintTo(Engine e, std::ostream* os)
{
    *os << (e == Engine::SQLite ? "SQLite" : "PostgreSQL");
}
} // namespace meridox::db

namespace meridox::test {

// Both engines, always, so the test list is the same with or without a
// PostgreSQL server; tests of an engine that is not available skip.
std::vector<db::Engine> engines();
bool engineAvailable(db::Engine engine);
std::string engineName(const ::testing::TestParamInfo<db::Engine>& info);

// The test server of an engine (SQLite: a folder private to this process).
db::ServerName testServer(db::Engine engine);

// A database with a unique name, created empty and dropped at the end.
class ScratchDatabase {
public:
    ScratchDatabase(db::Engine engine, const QString& prefix = QStringLiteral("t"));
    ~ScratchDatabase();
    db::Database& db();
    const QString& name() const { return m_name; }
    const QString& connection() const { return m_connection; }
    const db::ServerName& server() const { return m_server; }

private:
    db::ServerName m_server;
    QString m_name;
    QString m_connection;
};

} // namespace meridox::test

#define MERIDOX_REQUIRE_ENGINE(engine)                         \
    if (!::meridox::test::engineAvailable(engine))             \
    GTEST_SKIP() << "no PostgreSQL test server (MERIDOX_TEST_PG)"

// Runs a test suite once per engine.
#define MERIDOX_ON_ENGINES(Suite) \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(::meridox::test::engines()), ::meridox::test::engineName)

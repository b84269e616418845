#include "platform/db/DataSet.h"
#include "platform/db/Query.h"
#include "platform/db/StoredProc.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace meridox;
using namespace meridox::db;

namespace {

class DatabaseTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        m_scratch = std::make_unique<test::ScratchDatabase>(GetParam());
        Database& d = m_scratch->db();
        const Dialect& x = d.dialect();
        d.execute(QStringLiteral("CREATE TABLE Item (Id %1, Code %2 NOT NULL, Name %3, Price %4 NOT NULL, "
                                 "Qty %5, Made %6, Stamp %7, Flag %8)")
                      .arg(x.columnType(ColumnKind::Id, 0), x.columnType(ColumnKind::Text, 20),
                           x.columnType(ColumnKind::Text, 100), x.columnType(ColumnKind::Double, 0),
                           x.columnType(ColumnKind::Integer, 0), x.columnType(ColumnKind::Date, 0),
                           x.columnType(ColumnKind::DateTime, 0), x.columnType(ColumnKind::Flag, 1)));
        d.execute(QStringLiteral("CREATE UNIQUE INDEX ix_item_code ON Item (Code)"));
        d.execute(QStringLiteral("CREATE TABLE ItemPart (Id %1, Item INTEGER NOT NULL REFERENCES Item (Id), Note %2)")
                      .arg(x.columnType(ColumnKind::Id, 0), x.columnType(ColumnKind::Text, 50)));
    }
    void TearDown() override { m_scratch.reset(); }

    Database& db() { return m_scratch->db(); }
    int count(const QString& table)
    {
        Query q(db(), QStringLiteral("SELECT COUNT(*) AS N FROM ") + table);
        return q.open().field(QStringLiteral("n")).asInt();
    }
    void insertItem(const QString& code, double price = 1.0)
    {
        Query(db(), QStringLiteral("INSERT INTO Item (Code, Price) VALUES (:Code, :Price)"))
            .bind(QStringLiteral("Code"), code)
            .bind(QStringLiteral("Price"), price)
            .exec();
    }
    QString errorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const DatabaseError& e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    }

    std::unique_ptr<test::ScratchDatabase> m_scratch;
};

TEST_P(DatabaseTest, ParametersAndTypesRoundTrip)
{
    const QDate day(2024, 12, 31);
    const QDateTime stamp(QDate(2024, 2, 29), QTime(23, 59, 58, 125));
    const QString thai = QStringLiteral("ปากกาลูกลื่น สีน้ำเงิน 'แท่ง' 100%_");
    Query ins(db(), QStringLiteral("INSERT INTO Item (Code, Name, Price, Qty, Made, Stamp, Flag) "
                                   "VALUES (:Code, :Name, :Price, :Qty, :Made, :Stamp, :Flag)"));
    ins.bind(QStringLiteral("Code"), QStringLiteral("A-01"))
        .bind(QStringLiteral("name"), thai)
        .bind(QStringLiteral(":PRICE"), 1234567.891234)
        .bind(QStringLiteral("Qty"), QVariant())
        .bind(QStringLiteral("Made"), day)
        .bind(QStringLiteral("Stamp"), stamp)
        .bind(QStringLiteral("Flag"), QStringLiteral("Y"));
    EXPECT_EQ(ins.exec(), 1);

    // The same name twice, a code typed in another case, a quote kept as text.
    Query q(db(), QStringLiteral("SELECT * FROM Item WHERE (Code = :Code OR Name = :Code) AND Made <= :Made AND Name LIKE :Like"));
    q.bind(QStringLiteral("Code"), QStringLiteral("a-01")).bind(QStringLiteral("Made"), day).bind(QStringLiteral("Like"), QStringLiteral("%'แท่ง'%"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.field(QStringLiteral("NAME")).asString(), thai);
    EXPECT_DOUBLE_EQ(q.field(QStringLiteral("price")).asFloat(), 1234567.891234);
    EXPECT_TRUE(q.field(QStringLiteral("Qty")).isNull());
    EXPECT_EQ(q.field(QStringLiteral("Qty")).asInt(), 0);
    EXPECT_EQ(q.field(QStringLiteral("Made")).asDate(), day);
    EXPECT_EQ(q.field(QStringLiteral("Stamp")).asDateTime(), stamp);
    EXPECT_TRUE(q.field(QStringLiteral("Flag")).isYes());
    EXPECT_TRUE(q.field(QStringLiteral("Id")).asInt() > 0);
    EXPECT_THROW(q.field(QStringLiteral("NoSuchField")), DatabaseError);

    // A typed quote or percent sign is never SQL.
    Query inj(db(), QStringLiteral("SELECT * FROM Item WHERE Code = :Code"));
    inj.bind(QStringLiteral("Code"), QStringLiteral("x' OR '1'='1"));
    EXPECT_EQ(inj.open().recordCount(), 0);
}

TEST_P(DatabaseTest, RollbackLeavesNothingAndInnerScopesJoin)
{
    {
        Transaction t(db());
        insertItem(QStringLiteral("R1"));
        {
            Transaction inner(db());
            insertItem(QStringLiteral("R2"));
            inner.commit();  // joins; only the outer one commits
        }
    }  // no commit: rolled back
    EXPECT_EQ(count(QStringLiteral("Item")), 0);

    {
        Transaction t(db());
        insertItem(QStringLiteral("C1"));
        t.commit();
    }
    EXPECT_EQ(count(QStringLiteral("Item")), 1);

    {
        Transaction t(db());
        insertItem(QStringLiteral("C2"));
        { Transaction inner(db()); }  // an inner failure dooms the outer
        EXPECT_THROW(t.commit(), DatabaseError);
    }
    EXPECT_EQ(count(QStringLiteral("Item")), 1);
}

TEST_P(DatabaseTest, CachedUpdatesStayPendingAfterAFailedApplyAndApplyOnRetry)
{
    insertItem(QStringLiteral("OLD1"), 5);
    insertItem(QStringLiteral("OLD2"), 6);
    DataSet ds(db(), QStringLiteral("SELECT Id, Code, Price FROM Item ORDER BY Code"));
    ds.setUpdateSql({QStringLiteral("INSERT INTO Item (Code, Price) VALUES (:Code, :Price)"),
                     QStringLiteral("UPDATE Item SET Code = :Code, Price = :Price WHERE Id = :OLD_Id"),
                     QStringLiteral("DELETE FROM Item WHERE Id = :OLD_Id")});
    ds.open();
    ASSERT_EQ(ds.recordCount(), 2);
    ds.first();
    ds.setField(QStringLiteral("Price"), 7.5);  // OLD1 modified
    ds.next();
    ds.remove();                               // OLD2 deleted
    ds.append();
    ds.setField(QStringLiteral("Code"), QStringLiteral("NEW1"));
    ds.setField(QStringLiteral("Price"), 1.25);
    ds.append();
    ds.setField(QStringLiteral("Code"), QStringLiteral("NEW2"));  // Price missing: the engine refuses

    {
        Transaction t(db());
        EXPECT_THROW(ds.applyUpdates(), DatabaseError);
    }
    EXPECT_TRUE(ds.hasPendingChanges());
    EXPECT_EQ(count(QStringLiteral("Item")), 2);
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds.field(2, QStringLiteral("Code")).asString(), QStringLiteral("NEW2"));
    EXPECT_TRUE(ds.field(1, QStringLiteral("Id")).isNull());

    ds.setField(2, QStringLiteral("Price"), 2.0);
    {
        Transaction t(db());
        ds.applyUpdates();
        t.commit();
    }
    ds.commitUpdates();
    EXPECT_FALSE(ds.hasPendingChanges());
    EXPECT_GT(ds.field(1, QStringLiteral("Id")).asInt(), 0);  // identity given back after the commit

    Query q(db(), QStringLiteral("SELECT Code, Price FROM Item ORDER BY Code"));
    q.open();
    ASSERT_EQ(q.recordCount(), 3);
    EXPECT_EQ(q.field(0, QStringLiteral("Code")).asString(), QStringLiteral("NEW1"));
    EXPECT_EQ(q.field(1, QStringLiteral("Code")).asString(), QStringLiteral("NEW2"));
    EXPECT_EQ(q.field(2, QStringLiteral("Code")).asString(), QStringLiteral("OLD1"));
    EXPECT_DOUBLE_EQ(q.field(2, QStringLiteral("Price")).asFloat(), 7.5);
}

TEST_P(DatabaseTest, EngineErrorsComeInTheClassicWording)
{
    insertItem(QStringLiteral("DUP"));
    const QString dup = errorOf([&] { insertItem(QStringLiteral("dup")); });
    EXPECT_TRUE(dup.startsWith(QStringLiteral("Cannot insert duplicate key"))) << dup.toStdString();

    const QString nul = errorOf([&] {
        Query(db(), QStringLiteral("INSERT INTO Item (Code) VALUES (:Code)")).bind(QStringLiteral("Code"), QStringLiteral("N1")).exec();
    });
    EXPECT_TRUE(nul.toUpper().contains(QStringLiteral("CANNOT INSERT THE VALUE NULL INTO COLUMN 'PRICE'"))) << nul.toStdString();

    Query(db(), QStringLiteral("INSERT INTO ItemPart (Item, Note) SELECT Id, 'x' FROM Item")).exec();
    const QString ref = errorOf([&] { Query(db(), QStringLiteral("DELETE FROM Item")).exec(); });
    EXPECT_TRUE(ref.startsWith(QStringLiteral("DELETE statement conflicted with COLUMN REFERENCE"))) << ref.toStdString();

    EXPECT_THROW(StoredProc(db(), QStringLiteral("NoSuchProcedure")).exec(), DatabaseError);
}

TEST_P(DatabaseTest, ALostConnectionReadsAsANetworkError)
{
    if (GetParam() != Engine::PostgreSQL)
        GTEST_SKIP() << "the embedded engine has no connection to lose";
    Query pid(db(), QStringLiteral("SELECT pg_backend_pid() AS Pid"));
    const int backend = pid.open().field(QStringLiteral("Pid")).asInt();
    {
        test::ScratchDatabase other(GetParam(), QStringLiteral("kill"));
        Query(other.db(), QStringLiteral("SELECT pg_terminate_backend(:Pid)")).bind(QStringLiteral("Pid"), backend).open();
    }
    const QString lost = errorOf([&] { Query(db(), QStringLiteral("SELECT 1 AS X")).open(); });
    EXPECT_TRUE(lost.contains(QStringLiteral("Possible network error"))) << lost.toStdString();
}

MERIDOX_ON_ENGINES(DatabaseTest);

TEST(NamedParameters, ParsedOutsideLiteralsCommentsAndCasts)
{
    struct Case {
        const char* sql;
        const char* text;
        QStringList names;
    };
    const std::vector<Case> cases{
        {"SELECT * FROM T WHERE A = :A AND B = :a", "SELECT * FROM T WHERE A = ? AND B = ?", {"A", "a"}},
        {"SELECT ':X', \"c:Y\" FROM T WHERE Z = :Z", "SELECT ':X', \"c:Y\" FROM T WHERE Z = ?", {"Z"}},
        {"SELECT 'it''s :no' WHERE x = :Yes", "SELECT 'it''s :no' WHERE x = ?", {"Yes"}},
        {"SELECT x::int -- :Comment\n FROM T WHERE Id = :OLD_Id", "SELECT x::int -- :Comment\n FROM T WHERE Id = ?", {"OLD_Id"}},
        {"SELECT 1", "SELECT 1", {}},
    };
    for (const Case& c : cases) {
        const ParsedSql p = parseNamedParameters(QString::fromUtf8(c.sql));
        EXPECT_EQ(p.text, QString::fromUtf8(c.text)) << c.sql;
        EXPECT_EQ(p.names, c.names) << c.sql;
    }
}

TEST(ServerNames, ReadFromServerDat)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    EXPECT_EQ(ServerName::fromServerDat(folder).directory, QDir(folder).filePath(QStringLiteral("data")));

    struct Case {
        const char* line;
        Engine engine;
        const char* host;
        int port;
        const char* user;
    };
    const std::vector<Case> cases{
        {"postgresql://erp@db.local:5433/ignored?sslmode=require", Engine::PostgreSQL, "db.local", 5433, "erp"},
        {"postgresql://db.local", Engine::PostgreSQL, "db.local", 0, "vantel"},
        {"host=/run/pg port=5432 dbname=x", Engine::PostgreSQL, "/run/pg", 5432, "vantel"},
        {"sqlite:store", Engine::SQLite, "", 0, "vantel"},
    };
    for (const Case& c : cases) {
        QFile f(QDir(folder).filePath(QStringLiteral("Server.Dat")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(c.line) + "\r\nsecond line ignored\r\n");
        f.close();
        const ServerName s = ServerName::fromServerDat(folder);
        EXPECT_EQ(s.engine, c.engine) << c.line;
        EXPECT_EQ(s.host, QString::fromUtf8(c.host)) << c.line;
        EXPECT_EQ(s.port, c.port) << c.line;
        EXPECT_EQ(s.user, QString::fromUtf8(c.user)) << c.line;
    }
    EXPECT_EQ(ServerName::fromServerDat(folder).directory, QDir(folder).filePath(QStringLiteral("store")));
}

TEST(ServerNames, AnUnreachableServerOrFolderIsOneClearError)
{
    auto messageOf = [](const ServerName& s) {
        try {
            Database::open(QStringLiteral("unreachable"), s, QStringLiteral("DEMO"));
        } catch (const DatabaseError& e) {
            return e.message();
        }
        return QString();
    };
    const QString pg = messageOf(ServerName::parse(QStringLiteral("host=127.0.0.1 port=1 connect_timeout=2")));
    EXPECT_TRUE(pg.contains(QStringLiteral("host=127.0.0.1 port=1"))) << pg.toStdString();
    const QString dir = messageOf(ServerName::parse(QStringLiteral("/nonexistent/meridox")));
    EXPECT_TRUE(dir.contains(QStringLiteral("/nonexistent/meridox"))) << dir.toStdString();
    QTemporaryDir empty;
    const QString missing = messageOf(ServerName::parse(empty.path()));
    EXPECT_TRUE(missing.contains(QStringLiteral("'DEMO'"))) << missing.toStdString();
}

} // namespace

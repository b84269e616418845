#include "platform/db/Query.h"
#include "platform/db/StoredProc.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"
#include "server/Installer.h"
#include "server/procedures/Procedures.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

using namespace meridox;
using db::Query;

namespace {

QString draw(db::Database& db, const QString& code, int year)
{
    db::StoredProc sp(db, QStringLiteral("NewDocumentNo"));
    sp.setParam(QStringLiteral("@DocCode"), code).setParam(QStringLiteral("@DocYear"), year);
    sp.exec();
    return sp.param(QStringLiteral("@NewNo")).toString();
}

class NumberingTest : public ::testing::TestWithParam<db::Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        server::registerProcedures();
        m_scratch = std::make_unique<test::ScratchDatabase>(GetParam(), QStringLiteral("num"));
        server::installCompanyDatabase(db());
        Query(db(), QStringLiteral("INSERT INTO DocumentNo (Code, Prefix, LastNo, DocumentLength, AutoRun, DocYear) "
                                   "VALUES ('PO-01', 'PO26', 0, 10, 'Y', 2026), ('MR-P', 'MR', 998, 5, 'Y', 2026), "
                                   "('PR-01', 'XX', 0, 8, 'Y', 2026)"))
            .exec();
        Query(db(), QStringLiteral("INSERT INTO DocNoConvert (Code, DocYear, DocumentNo) "
                                   "SELECT 'PR-02', 2026, Id FROM DocumentNo WHERE Code = 'PO-01'"))
            .exec();
    }
    db::Database& db() { return m_scratch->db(); }
    qint64 lastNo(const QString& code)
    {
        Query q(db(), QStringLiteral("SELECT LastNo FROM DocumentNo WHERE Code = :C"));
        return q.bind(QStringLiteral("C"), code).open().field(QStringLiteral("LastNo")).asInteger();
    }
    std::unique_ptr<test::ScratchDatabase> m_scratch;
};

TEST_P(NumberingTest, NumbersAreExactlyTheSeriesLengthAndRedirectsAreFollowed)
{
    EXPECT_EQ(draw(db(), QStringLiteral("PO-01"), 2026), QStringLiteral("PO26000001"));
    EXPECT_EQ(draw(db(), QStringLiteral("po-01"), 2026), QStringLiteral("PO26000002"));  // codes in any case
    EXPECT_EQ(draw(db(), QStringLiteral("PR-02"), 2026), QStringLiteral("PO26000003"));  // through DocNoConvert
    EXPECT_EQ(draw(db(), QStringLiteral("MR-P"), 2026), QStringLiteral("MR999"));
    // A number that no longer fits, an unknown series, another year: errors, never a made-up number.
    EXPECT_THROW(draw(db(), QStringLiteral("MR-P"), 2026), DatabaseError);
    EXPECT_THROW(draw(db(), QStringLiteral("NOPE-01"), 2026), DatabaseError);
    EXPECT_THROW(draw(db(), QStringLiteral("PO-01"), 2025), DatabaseError);
    EXPECT_EQ(lastNo(QStringLiteral("MR-P")), 999);

    {
        db::Transaction t(db());
        draw(db(), QStringLiteral("PR-01"), 2026);
    }  // rolled back: the number is not used up
    EXPECT_EQ(lastNo(QStringLiteral("PR-01")), 0);
}

// Eight processes draw fifty numbers each from one series at once.
TEST_P(NumberingTest, ConcurrentProcessesNeverShareANumber)
{
    const int processes = 8, each = 50;
    const db::ServerName& s = m_scratch->server();
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < processes; ++i) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MERIDOX_WORKER_SERVER"),
                   GetParam() == db::Engine::SQLite ? s.directory : qEnvironmentVariable("MERIDOX_TEST_PG"));
        env.insert(QStringLiteral("MERIDOX_WORKER_PREFIX"), s.databasePrefix);
        env.insert(QStringLiteral("MERIDOX_WORKER_DB"), m_scratch->name());
        env.insert(QStringLiteral("MERIDOX_WORKER_COUNT"), QString::number(each));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=NumberingWorker.DISABLED_Draw")});
        workers.push_back(std::move(p));
    }
    QSet<QString> numbers;
    int drawn = 0;
    for (auto& p : workers) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        for (const QByteArray& line : p->readAllStandardOutput().split('\n'))
            if (line.startsWith("NUMBER ")) {
                numbers.insert(QString::fromUtf8(line.mid(7)).trimmed());
                ++drawn;
            }
    }
    EXPECT_EQ(drawn, processes * each);
    EXPECT_EQ(numbers.size(), processes * each);
    EXPECT_EQ(lastNo(QStringLiteral("PO-01")), processes * each);
}

MERIDOX_ON_ENGINES(NumberingTest);

// Run only as a child of the test above.
TEST(NumberingWorker, DISABLED_Draw)
{
    server::registerProcedures();
    db::ServerName s = db::ServerName::parse(qEnvironmentVariable("MERIDOX_WORKER_SERVER"));
    s.databasePrefix = qEnvironmentVariable("MERIDOX_WORKER_PREFIX");
    db::Database& d = db::Database::open(QStringLiteral("worker"), s, qEnvironmentVariable("MERIDOX_WORKER_DB"));
    const int count = qEnvironmentVariableIntValue("MERIDOX_WORKER_COUNT");
    for (int i = 0; i < count; ++i) {
        db::Transaction t(d);
        const QString n = draw(d, QStringLiteral("PO-01"), 2026);
        t.commit();
        std::printf("NUMBER %s\n", n.toUtf8().constData());
    }
    std::fflush(stdout);
    db::Database::closeAll();
}

} // namespace

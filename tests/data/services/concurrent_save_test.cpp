#include "ServicesFixture.h"

#include "platform/db/DataSet.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "server/procedures/Procedures.h"

#include <QCoreApplication>
#include <QProcess>

using namespace meridox;
using db::DataSet;
using db::Query;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

using ConcurrentSaveTest = test::ServicesTest;

// Two copies of this program save 200 orders each in the series PO-01 at the same time.
TEST_P(ConcurrentSaveTest, TwoProcessesSavingInOneSeriesNeverShareANumber)
{
    const int processes = 2, each = 200;
    const db::ServerName& s = m_demo->server();
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int i = 0; i < processes; ++i) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(S("MERIDOX_WORKER_SERVER"), GetParam() == db::Engine::SQLite ? s.directory : qEnvironmentVariable("MERIDOX_TEST_PG"));
        env.insert(S("MERIDOX_WORKER_PREFIX"), s.databasePrefix);
        env.insert(S("MERIDOX_WORKER_COUNT"), QString::number(each));
        env.insert(S("QT_QPA_PLATFORM"), S("offscreen"));
        p->setProcessEnvironment(env);
        p->start(QCoreApplication::applicationFilePath(),
                 {S("--gtest_also_run_disabled_tests"), S("--gtest_filter=SaveWorker.DISABLED_SaveOrders")});
        workers.push_back(std::move(p));
    }
    for (auto& p : workers) {
        ASSERT_TRUE(p->waitForFinished(300000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput());
        EXPECT_EQ(p->exitCode(), 0) << out.right(3000).toStdString() << p->readAllStandardError().right(3000).toStdString();
        EXPECT_TRUE(out.contains(S("[  PASSED  ] 1 test"))) << out.right(3000).toStdString();
    }
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM PoHd")).asInt(), 400);
    EXPECT_EQ(scalar(S("SELECT COUNT(DISTINCT PoNo) FROM PoHd")).asInt(), 400);
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM UserLog WHERE FunctionListId = 1 AND DocumentId = 0")).asInt(), 400);
    // Every audit row names a saved order, and every order has its row.
    EXPECT_EQ(scalar(S("SELECT COUNT(DISTINCT l.Remark) FROM UserLog l JOIN PoHd h ON h.PoNo = l.Remark")).asInt(), 400);
    EXPECT_EQ(scalar(S("SELECT LastNo FROM DocumentNo WHERE Code = 'PO-01' AND DocYear = 2026")).asInt(), 400);
    EXPECT_EQ(scalar(S("SELECT MAX(PoNo) FROM PoHd")).asString(), S("PO2600000400"));
}

MERIDOX_ON_ENGINES(ConcurrentSaveTest);

// Run only as a child of the test above: saves orders as the order window does.
TEST(SaveWorker, DISABLED_SaveOrders)
{
    server::registerProcedures();
    db::ServerName s = db::ServerName::parse(qEnvironmentVariable("MERIDOX_WORKER_SERVER"));
    s.databasePrefix = qEnvironmentVariable("MERIDOX_WORKER_PREFIX");
    auto previous = ui::Dialogs::install(std::make_unique<ui::RecordingDialogs>());
    Session& session = Session::current();
    session.UserId = 1;
    session.MenuId = 2;
    session.CompanyDbName = S("DEMO");
    TDM::reset();
    TDM& dm = TDM::instance();
    dm.setServer(s);
    const int count = qEnvironmentVariableIntValue("MERIDOX_WORKER_COUNT");
    for (int i = 0; i < count; ++i) {
        DataSet hd(dm.database(), S("SELECT * FROM PoHd WHERE PoNo = :PoNo AND PoType = :PoType"));
        hd.setUpdateSql({S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES (:PoType, :PoNo, :PoDate, :Vendor)"), {}, {}});
        hd.bind(S("PoNo"), QString()).bind(S("PoType"), S("1")).open();
        hd.append();
        hd.setField(S("PoType"), S("1"));
        hd.setField(S("PoDate"), QDate(2026, 12, 11));
        hd.setField(S("Vendor"), 1);
        db::Transaction tx(dm.database());
        const qint64 id = dm.PostWithNewNumber(hd, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo"));
        ASSERT_GT(id, 0);
        tx.commit();
        hd.commitUpdates();
    }
    TDM::reset();
    db::Database::closeAll();
    ui::Dialogs::install(std::move(previous));
}

} // namespace

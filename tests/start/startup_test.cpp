#include "data/Session.h"
#include "data/U_DM.h"
#include "framework/Fr_Form.h"
#include "platform/db/Query.h"
#include "server/Installer.h"
#include "start/Dm_Config.h"
#include "start/Startup.h"
#include "support/DemoServer.h"
#include "support/TestServer.h"

using namespace meridox;
using db::Query;

namespace {

class StartupTest : public ::testing::TestWithParam<db::Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        qputenv("MERIDOX_NO_SPLASH", "1");
        m_demo = std::make_unique<test::DemoServer>(GetParam());
        TDMConfig::reset();
        TDMConfig::instance().setServer(m_demo->server());
    }
    void TearDown() override
    {
        TDMConfig::reset();
        m_demo.reset();
    }

    // Starts the module as the menu program would; returns the main window's class or "".
    QString start(const QStringList& args, int* exitCode = nullptr)
    {
        int rc = 0;
        auto windows = startUp(args, rc);
        if (exitCode)
            *exitCode = rc;
        if (windows.empty())
            return {};
        QString cls = windows.front()->windowClass();
        m_title = windows.front()->windowTitle();
        delete windows.front();
        return cls;
    }
    void sql(const QString& s) { Query(m_demo->config(), s).exec(); }
    void companySql(const QString& s) { Query(m_demo->company(), s).exec(); }

    std::unique_ptr<test::DemoServer> m_demo;
    QString m_title;
};

const QString Today = QStringLiteral("11/12/2026");

TEST_P(StartupTest, OpensTheTitledWindowOfTheMenu)
{
    EXPECT_EQ(start({"2", "1", "demo", "0", "2", Today}), QStringLiteral("TFrPoTran"));
    EXPECT_EQ(m_title, QString::fromUtf8("ใบสั่งซื้อสินค้า [6.0]"));
    EXPECT_EQ(Session::current().CompanyDbName, QStringLiteral("DEMO"));
    EXPECT_TRUE(m_demo->dialogs().all().isEmpty()) << m_demo->dialogs().all().join(u'|').toStdString();
}

TEST_P(StartupTest, RefusalsShowTheirOneMessage)
{
    int rc = -1;
    EXPECT_EQ(start({"2", "1", "NOPE", "0", "2", Today}, &rc), QString());
    EXPECT_EQ(m_demo->dialogs().informations, QStringList{QStringLiteral("Not Found Database : NOPE")});
    EXPECT_EQ(rc, 0);

    // The clerk's group has no right on menu 2 once its row goes.
    m_demo->dialogs().clear();
    sql(QStringLiteral("DELETE FROM UserRight WHERE UserName = 101 AND Menu = 2"));
    EXPECT_EQ(start({"2", "2", "DEMO", "0", "2", Today}), QString());
    EXPECT_EQ(m_demo->dialogs().informations, QStringList{QStringLiteral("No User Right Access !2")});

    // A menu number the module does not answer ends quietly (the menu entry itself is granted).
    m_demo->dialogs().clear();
    EXPECT_EQ(start({"2", "1", "DEMO", "0", "4", Today}), QString());
    EXPECT_TRUE(m_demo->dialogs().all().isEmpty());

    // A wrong argument: one message naming it, a failing exit status.
    m_demo->dialogs().clear();
    EXPECT_EQ(start({"2", "1", "DEMO", "0", "2", "12/31/2024"}, &rc), QString());
    ASSERT_EQ(m_demo->dialogs().informations.size(), 1);
    EXPECT_TRUE(m_demo->dialogs().informations[0].startsWith(QStringLiteral("Argument 6 (working date)")));
    EXPECT_NE(rc, 0);
}

TEST_P(StartupTest, ProgramVersionIsCheckedAgainstTheCompany)
{
    auto stored = [&] {
        Query q(m_demo->company(), QStringLiteral("SELECT Version FROM CheckVersionProgramEXE WHERE ProgramEXE = 'MERIDOX.EXE'"));
        q.open();
        return q.isEmpty() ? -1 : q.field(QStringLiteral("Version")).asInt();
    };
    m_demo->signIn();
    companySql(QStringLiteral("DELETE FROM CheckVersionProgramEXE"));
    TDM& dm = TDM::instance();
    EXPECT_TRUE(dm.CheckVersionProgramEXE(QStringLiteral("MERIDOX.EXE"), 6));  // inserted and raised in one call
    EXPECT_EQ(stored(), 6);

    companySql(QStringLiteral("UPDATE CheckVersionProgramEXE SET Version = 5"));
    EXPECT_TRUE(dm.CheckVersionProgramEXE(QStringLiteral("MERIDOX.EXE"), 6));
    EXPECT_EQ(stored(), 6);

    companySql(QStringLiteral("UPDATE CheckVersionProgramEXE SET Version = 7"));
    EXPECT_FALSE(dm.CheckVersionProgramEXE(QStringLiteral("MERIDOX.EXE"), 6));
    EXPECT_EQ(m_demo->dialogs().informations.value(0),
              QString::fromUtf8("โปรแกรม MERIDOX.EXE เป็นตัวเก่า กรุณา Update Program ด้วย"));
    EXPECT_EQ(stored(), 7);

    m_demo->dialogs().clear();
    EXPECT_EQ(start({"2", "1", "DEMO", "0", "2", Today}), QString());
    EXPECT_EQ(m_demo->dialogs().informations.value(1), QStringLiteral("No User Right Access !2"));
}

TEST_P(StartupTest, RightsComeFromTheGroupRow)
{
    // The clerk's own row says yes; the group's row decides.
    sql(QStringLiteral("UPDATE UserName SET Approve_PO = 'Y', CanSeeCost = 'Y' WHERE Id = 2"));
    sql(QStringLiteral("UPDATE UserName SET Approved_PORQ = NULL, UserSeeImport = 'y ' WHERE Id = 101"));
    TDMConfig& cfg = TDMConfig::instance();
    cfg.CheckRight(2, 2);
    const Session& s = Session::current();
    EXPECT_TRUE(s.AccessRight);
    EXPECT_TRUE(s.AddRight);
    EXPECT_FALSE(s.DeleteRight);
    EXPECT_FALSE(s.Approve_PO);
    EXPECT_FALSE(s.CanSeeCost);
    EXPECT_FALSE(s.Approved_PORQ);
    EXPECT_TRUE(s.UserSeeImport);
    EXPECT_EQ(s.UserCode, QStringLiteral("SOMCHAI"));
    EXPECT_TRUE(s.LanguageThai);
    EXPECT_EQ(s.SavePrompt, QString::fromUtf8("จัดเก็บข้อมูล ?"));

    sql(QStringLiteral("UPDATE UserRight SET DeleteRight = NULL WHERE UserName = 100"));
    cfg.CheckRight(2, 4);  // JOHN: language 2
    EXPECT_FALSE(s.LanguageThai);
    EXPECT_FALSE(s.DeleteRight);
    EXPECT_TRUE(s.Approve_PO);
    EXPECT_EQ(s.SavePrompt, QStringLiteral("Save Data ?"));
    EXPECT_EQ(s.DeletePrompt, QStringLiteral("Delete Data ?"));
}

TEST_P(StartupTest, TheSuffixedConfigurationDatabaseWins)
{
    EXPECT_EQ(TDMConfig::instance().configDatabaseName(), QStringLiteral("VANTEL_CONFIG"));
    db::Database::create(m_demo->server(), QStringLiteral("VANTEL_CONFIG_NORLA"));
    EXPECT_EQ(TDMConfig::instance().configDatabaseName(), QStringLiteral("VANTEL_CONFIG_NORLA"));
    db::Database::drop(m_demo->server(), QStringLiteral("VANTEL_CONFIG_NORLA"));
}

MERIDOX_ON_ENGINES(StartupTest);

// Upgrades run twice leave the database as the first run left it, starting
// from a database that has none of the objects they add.
class UpgradeTest : public ::testing::TestWithParam<db::Engine> {};

TEST_P(UpgradeTest, RunningTheScriptsTwiceChangesNothing)
{
    MERIDOX_REQUIRE_ENGINE(GetParam());
    for (bool company : {false, true}) {
        test::ScratchDatabase scratch(GetParam(), company ? QStringLiteral("upc") : QStringLiteral("upg"));
        db::Database& db = scratch.db();
        server::createSchema(db, company ? schema::companySchema() : schema::configSchema());
        const auto& scripts = company ? schema::companyUpgrades() : schema::configUpgrades();
        EXPECT_GT(server::runUpgrades(db, scripts), 0);
        const server::Catalogue after(db);  // read afresh from the database
        for (const auto& script : scripts)
            for (const auto& step : script.steps)
                if (step.kind == schema::UpgradeStep::Kind::AddColumn && after.has("T", QString::fromStdString(step.table)))
                    EXPECT_TRUE(after.has("C", QString::fromStdString(step.table), QString::fromStdString(step.column.name)))
                        << script.name << " " << step.table << "." << step.column.name;
        EXPECT_EQ(server::runUpgrades(db, scripts), 0);
    }
}

MERIDOX_ON_ENGINES(UpgradeTest);

} // namespace

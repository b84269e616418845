#include "support/DemoServer.h"

#include "data/Session.h"
#include "data/U_DM.h"
#include "platform/db/Database.h"
#include "server/demo/Demo.h"
#include "server/procedures/Procedures.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace meridox::test {

namespace {
int counter = 0;
}

DemoServer::DemoServer(db::Engine engine, QDate today)
{
    server::registerProcedures();
    m_server = testServer(engine);
    ++counter;
    if (engine == db::Engine::SQLite) {
        m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/meridox-demo-XXXXXX"));
        m_server.directory = m_dir->path();
    } else {
        m_server.databasePrefix += QStringLiteral("d%1_").arg(counter);
    }
    auto rec = std::make_unique<ui::RecordingDialogs>();
    m_dialogs = rec.get();
    m_previousDialogs = ui::Dialogs::install(std::move(rec));
    server::createDemoServer(m_server, today);
    server::pinServerTime(QDateTime(today, QTime(10, 30)));
    Session::current() = Session();
    TDM::reset();
    TDM::instance().setServer(m_server);
}

DemoServer::~DemoServer()
{
    TDM::reset();
    server::pinServerTime(std::nullopt);
    db::Database::closeAll();
    try {
        db::Database::drop(m_server, QStringLiteral("VANTEL_CONFIG"));
        db::Database::drop(m_server, QStringLiteral("DEMO"));
    } catch (...) {
    }
    Session::current() = Session();
    ui::Dialogs::install(std::move(m_previousDialogs));
}

db::Database& DemoServer::config()
{
    return db::Database::open(QStringLiteral("test-config"), m_server, QStringLiteral("VANTEL_CONFIG"));
}

db::Database& DemoServer::company()
{
    return db::Database::open(QStringLiteral("test-company"), m_server, QStringLiteral("DEMO"));
}

void DemoServer::signIn(int menuNo, int userId)
{
    Session& s = Session::current();
    s.MenuNo = menuNo;
    s.MenuId = menuNo;
    s.UserId = userId;
    s.CompanyDbName = QStringLiteral("DEMO");
}

} // namespace meridox::test

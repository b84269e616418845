#include "start/Dm_Config.h"

#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/chat/SendLine.h"
#include "platform/db/StoredProc.h"
#include "platform/os/Machine.h"
#include "platform/ui/Dialogs.h"
#include "server/Installer.h"
#include "server/procedures/Procedures.h"

#include <QDir>
#include <QFile>

namespace meridox {

using db::DataSet;
using db::Query;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
const QString Connection = QStringLiteral("DmCfg");
std::unique_ptr<TDMConfig>& single()
{
    static std::unique_ptr<TDMConfig> t;
    return t;
}
} // namespace

TDMConfig::TDMConfig() : m_server(db::ServerName::fromServerDat(QDir::currentPath()))
{
    Session::current().writeErrorLog = [this](const QString& m) { WriteErrorLog(m); };
}

TDMConfig& TDMConfig::instance()
{
    if (!single())
        single().reset(new TDMConfig());
    return *single();
}

void TDMConfig::reset()
{
    db::Database::close(Connection);
    single().reset();
}

QString TDMConfig::ReadServerName()
{
    QFile f(QDir::current().filePath(S("Server.Dat")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString line = QString::fromUtf8(f.readLine());
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

QString TDMConfig::configDatabaseName()
{
    return db::Database::exists(m_server, S("VANTEL_CONFIG_NORLA")) ? S("VANTEL_CONFIG_NORLA") : S("VANTEL_CONFIG");
}

db::Database& TDMConfig::database()
{
    if (!db::Database::isOpen(Connection)) {
        server::registerProcedures();
        db::Database::open(Connection, m_server, configDatabaseName());
        afterConnect();
    }
    return db::Database::get(Connection);
}

// After connecting: the configuration upgrade script, then the software settings.
void TDMConfig::afterConnect()
{
    db::Database& db = db::Database::get(Connection);
    server::runUpgrades(db, schema::configUpgrades());
    m_software.reset();
    QSoftware();
    // The installation's chat notice endpoint, when it has one of its own.
    if (m_software->hasField(S("ChatNotifyUrl")) && !m_software->isEmpty()) {
        const QString url = m_software->field(0, S("ChatNotifyUrl")).asString().trimmed();
        if (!url.isEmpty())
            setChatNotifyEndpoint(url);
    }
}

DataSet& TDMConfig::QSoftware()
{
    if (!m_software) {
        m_software = std::make_unique<DataSet>(database(), S("SELECT * FROM softwareconfig"));
        m_software->open();
    }
    return *m_software;
}

bool TDMConfig::GetCompanyConfig(const QString& rawName)
{
    const QString name = rawName.toUpper();
    m_companyConfig = std::make_unique<DataSet>(
        database(), S("SELECT cc.*, d.DatabaseName, d.Description AS DatabaseDescription, d.YearNo, c.Code, c.NameThai, "
                      "c.NameEng, m.Description AS DefaultPosMenu FROM CompanyConfig cc "
                      "JOIN DatabaseList d ON d.Company = cc.Company JOIN Company c ON c.Id = d.Company "
                      "LEFT JOIN Menu m ON m.Id = cc.DefaultPosMenuId WHERE d.DatabaseName = :GetName"));
    m_companyConfig->bind(S("GetName"), name).open();
    if (m_companyConfig->isEmpty()) {
        ui::Dialogs::instance().information(S("Not Found Database : ") + name);
        return false;
    }
    Session& s = Session::current();
    s.CompanyName = m_companyConfig->field(0, S("NameThai")).asString();
    s.CompanyDbName = name;
    m_company = std::make_unique<DataSet>(
        database(), S("SELECT Id, Code, NameThai, NameEng, ShortName, Address1, Address2, Address3, Address4, Province, Zip, "
                      "Telephone, Fax, EMail, Logo, TaxNo, RunYear AS RUNYEAR, FUNDNAME, "
                      "COALESCE(TaxBranchHead, 'N') AS TaxBranchHead, COALESCE(TaxBranchCode, '') AS TaxBranchCode, "
                      "TaxBranchName FROM Company WHERE Id IN (SELECT DISTINCT Company FROM DatabaseList "
                      "WHERE DatabaseName = :GetName)"));
    m_company->bind(S("GetName"), name).open();
    QSoftware();
    return true;
}

void TDMConfig::CheckRight(int menuId, int userId)
{
    Session& s = Session::current();
    db::StoredProc sp(database(), S("MENUCAPTION"));
    sp.setParam(S("@MENUID"), menuId).setParam(S("@USERID"), userId);
    sp.exec();
    auto yes = [&](const char* p) { return sp.param(S(p)).toString().trimmed() == QLatin1String("Y"); };
    s.MenuCaption = sp.param(S("@CAPTION")).toString().trimmed();
    s.UserCode = sp.param(S("@USERCODE")).toString();
    s.AccessRight = yes("@ACCESS_R");
    s.AddRight = yes("@ADD_R");
    s.ModifyRight = yes("@MODIFY_R");
    s.DeleteRight = yes("@DELETE_R");

    Query user(database(), S("SELECT * FROM UserName WHERE Id = :uid"));
    user.bind(S("uid"), userId).open();
    const int group = user.isEmpty() ? 0 : user.field(S("GroupId")).asInt();
    s.LanguageThai = !user.isEmpty() && user.field(S("LanguageNo")).asInt() == 1;

    // Every right but the menu's four comes from the group's own row.
    Query g(database(), S("SELECT * FROM UserName WHERE Id = :uid"));
    g.bind(S("uid"), group).open();
    auto right = [&](const char* column) { return !g.isEmpty() && g.hasField(S(column)) && g.field(S(column)).isYes(); };
    s.Approve_PO = right("Approve_PO");
    s.Approved_PORQ = right("Approved_PORQ");
    s.CanSeeCost = right("CanSeeCost");
    s.UserSeeImport = right("UserSeeImport");

    s.SavePrompt = s.tr(S("จัดเก็บข้อมูล ?"), S("Save Data ?"));
    s.DeletePrompt = s.tr(S("ลบข้อมูล ?"), S("Delete Data ?"));
    s.ExitPrompt = s.tr(S("ออกจากโปรแกรม ?"), S("Exit Program ?"));
}

bool TDMConfig::AskConfirm(const QString& message)
{
    return ui::Dialogs::instance().question(message, Qt::blue);
}

void TDMConfig::WriteErrorLog(const QString& message)
{
    const Session& s = Session::current();
    db::StoredProc sp(database(), S("AddErrorLog"));
    sp.setParam(S("@CompName"), os::computerName())
        .setParam(S("@LogName"), os::userName())
        .setParam(S("@UserId"), s.UserId)
        .setParam(S("@MenuId"), s.MenuId)
        .setParam(S("@ErrorMsg"), message);
    sp.exec();
}

DataSet& TDMConfig::Qfranchise(const QString& dbName)
{
    m_franchise = std::make_unique<DataSet>(database(), S("SELECT Franchise FROM Branch WHERE ServerName = :dbName"));
    m_franchise->bind(S("dbName"), dbName).open();
    return *m_franchise;
}

} // namespace meridox

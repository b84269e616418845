#pragma once
// TDMConfig, the configuration data module: the connection to the suite's
// configuration database ("DmCfg"), the company profile, the user's rights
// on the menu entry, the confirmation texts and the error-log writer.
#include "data/Session.h"
#include "platform/db/DataSet.h"
#include "platform/db/ServerName.h"

#include <memory>

namespace meridox {

class TDMConfig {
public:
    static TDMConfig& instance();
    static void reset();

    // The first line of Server.Dat in the working directory, or empty.
    static QString ReadServerName();
    // The server of the suite (Server.Dat, or the embedded server in ./data).
    const db::ServerName& server() const { return m_server; }
    void setServer(const db::ServerName& s) { m_server = s; }

    // The configuration database: "VANTEL_CONFIG_NORLA" when the server has it.
    db::Database& database();
    QString configDatabaseName();

    // Loads the company profile; false (after "Not Found Database : ") when unknown.
    bool GetCompanyConfig(const QString& name);
    // Loads caption, rights, language and prompts for the menu entry and user.
    void CheckRight(int menuId, int userId);
    bool AskConfirm(const QString& message);
    void WriteErrorLog(const QString& message);

    db::DataSet& QCompany() { return *m_company; }
    db::DataSet& QCompanyConfig() { return *m_companyConfig; }
    db::DataSet& QSoftware();
    // Franchise flag of the branch whose company database is `dbName`.
    db::DataSet& Qfranchise(const QString& dbName);

private:
    TDMConfig();
    void afterConnect();

    db::ServerName m_server;
    std::unique_ptr<db::DataSet> m_company, m_companyConfig, m_software, m_franchise;
};

} // namespace meridox

#pragma once
// TDM, the company data module: the connection to the company database
// ("DMdata"), its schema upgrades and version check, the settings row and
// the shared services every document window calls (numbering, periods,
// audit log, server time, new ids).
#include "data/Session.h"
#include "platform/db/DataSet.h"
#include "platform/db/ServerName.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <functional>
#include <optional>
#include <memory>

namespace meridox {

class TDM {
public:
    // Audit action codes (the FunctionListId of the audit log).
    static constexpr int LogAdd = 1;
    static constexpr int LogEdit = 2;
    static constexpr int LogDelete = 3;
    static constexpr int LogPrint = 5;
    static constexpr int LogPreview = 10;
    static constexpr int LogClearPorqBackOrder = 17;
    static constexpr int LogClearPoBackOrder = 18;

    static TDM& instance();
    // Drops the single instance (tests start each case afresh).
    static void reset();

    // Where the company database lives; set from Server.Dat at start-up.
    void setServer(const db::ServerName& server) { m_server = server; }
    const db::ServerName& server() const { return m_server; }

    // The connection; the first use opens it and runs the after-connect steps.
    db::Database& database();
    void closeConnection();
    bool isConnected() const;
    std::function<void()> afterConnect;  // start-up removes its splash window here

    // Session values.
    QString CompanyDbName;
    int MainCurrencyId = 0;
    QString MainCurrencyName;
    bool AutoRunFlag = false;
    QColor ConfirmColor = Qt::blue;

    db::DataSet& QConfig();
    db::DataSet& QchkPeriod();
    db::DataSet& QMiscCurrency();
    db::DataSet& QTax();
    // A setting of the Config row by column name.
    db::Value config(const QString& column);

    bool CheckVersionProgramEXE(const QString& programExe, int version);
    bool AskConfirm(const QString& message);
    double GetTaxRate(int taxId);
    void ReloadConfig();

    // Numbering, periods, audit, time, ids.
    int GetDocumentLength(const QString& code);
    QString NextDocumentNo(const QString& code, const QDate& date);
    bool CheckRunYear(const QDate& date);
    bool CheckPeriodOpen(const QDate& date);
    void AddUserLog(int action, qint64 documentId, const QString& remark);
    QDateTime ServerNow();
    qint64 LastIdentity();
    qint64 PostWithNewNumber(db::DataSet& header, const QDate& date, const QString& code, const QString& numberColumn,
                             const QString& numberParam);
    qint64 PostWithNumber(db::DataSet& header, const QString& typedNumber, const QDate& date, const QString& code,
                          const QString& numberColumn, const QString& numberParam);
    void DelGL(qint64 id, const QString& no);

    // A typed number made exactly `length` long: trimmed, cut, or padded on the left with blanks.
    static QString PadDocumentNo(const QString& typed, int length);

private:
    TDM() = default;
    void connect();
    // The save steps both posting helpers share; `newNumber` gives the number
    // of a new header, or nothing to refuse the save.
    qint64 postHeader(db::DataSet& header, const QString& numberColumn, const QString& numberParam,
                      const std::function<std::optional<QString>()>& newNumber);
    // The header's own query, run with `number` in place of its number parameter.
    db::Query headerWithNumber(db::DataSet& header, const QString& number, const QString& numberParam);
    void loadMainCurrency();
    std::unique_ptr<db::DataSet> makeSet(const QString& sql);

    db::ServerName m_server = db::ServerName::parse(QString());
    std::unique_ptr<db::DataSet> m_config, m_period, m_currency, m_tax;
};

} // namespace meridox

#include "data/U_DM.h"

#include "data/ModuleQueries.h"

#include "platform/db/Query.h"
#include "platform/db/StoredProc.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"
#include "platform/ui/Dialogs.h"
#include "server/Installer.h"
#include "server/procedures/Procedures.h"

namespace meridox {

using db::DataSet;
using db::Query;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
const QString Connection = QStringLiteral("DMdata");
// The header query's parameter that takes the document number; the name is
// compared without regard to case and with or without its ':'.
bool isNumberParam(const QString& name, QString numberParam)
{
    if (numberParam.startsWith(u':'))
        numberParam.remove(0, 1);
    return name.compare(numberParam, Qt::CaseInsensitive) == 0;
}

std::unique_ptr<TDM>& single()
{
    static std::unique_ptr<TDM> t;
    return t;
}
} // namespace

TDM& TDM::instance()
{
    if (!single())
        single().reset(new TDM());
    return *single();
}

void TDM::reset()
{
    if (single())
        single()->closeConnection();
    single().reset();
}

bool TDM::isConnected() const
{
    return db::Database::isOpen(Connection);
}

db::Database& TDM::database()
{
    if (!isConnected())
        connect();
    return db::Database::get(Connection);
}

void TDM::closeConnection()
{
    ModuleQueries::releaseAll();
    m_config.reset();
    m_period.reset();
    m_currency.reset();
    m_tax.reset();
    db::Database::close(Connection);
}

// Before connecting: the name of the company database from the command line,
// trimmed with its case kept. After: settings, periods and currencies.
void TDM::connect()
{
    CompanyDbName = Session::current().CompanyDbName.trimmed();
    server::registerProcedures();
    db::Database::open(Connection, m_server, CompanyDbName);
    QConfig();
    QchkPeriod();
    loadMainCurrency();
    if (afterConnect)
        afterConnect();
    m_currency.reset();
    QMiscCurrency();
}

void TDM::loadMainCurrency()
{
    MainCurrencyId = config(S("MainCurrencyId")).asInt();
    MainCurrencyName = config(S("MainCurrencyName")).asString();
}

std::unique_ptr<DataSet> TDM::makeSet(const QString& sql)
{
    return std::make_unique<DataSet>(database(), sql);
}

DataSet& TDM::QConfig()
{
    if (!m_config) {
        m_config = makeSet(S("SELECT c.*, m.Code AS MainCurrencyCode, m.Description AS MainCurrencyName "
                             "FROM Config c LEFT JOIN Misc m ON m.Id = c.MainCurrencyId WHERE c.id = 1"));
        m_config->open();
    }
    return *m_config;
}

db::Value TDM::config(const QString& column)
{
    DataSet& c = QConfig();
    if (c.isEmpty() || !c.hasField(column))
        return {};
    return c.field(0, column);
}

DataSet& TDM::QchkPeriod()
{
    if (!m_period) {
        m_period = makeSet(S("SELECT * FROM accountperiod ORDER BY accountyear DESC"));
        m_period->open();
    }
    return *m_period;
}

// Each currency with its latest exchange values not after today (server clock).
DataSet& TDM::QMiscCurrency()
{
    if (!m_currency) {
        m_currency = makeSet(S("SELECT m.Id, m.Code, m.Description, m.OrderNo, e.PurcScrap, e.PurcPart, e.PurcRate, "
                               "e.SaleScrap, e.SalePart, e.SaleRate FROM Misc m LEFT JOIN CurrencyEx e ON e.Currency = m.Id "
                               "AND e.ExchangeDate = (SELECT MAX(x.ExchangeDate) FROM CurrencyEx x "
                               "WHERE x.Currency = m.Id AND x.ExchangeDate <= :Today) "
                               "WHERE m.GroupCode = 'CURRENCY' ORDER BY m.OrderNo, m.Code"));
        m_currency->bind(S("Today"), ServerNow().date());
        m_currency->open();
    }
    return *m_currency;
}

DataSet& TDM::QTax()
{
    if (!m_tax) {
        m_tax = makeSet(S("SELECT Id, Code, Rate FROM Tax ORDER BY Code"));
        m_tax->open();
    }
    return *m_tax;
}

void TDM::ReloadConfig()
{
    m_config.reset();
    m_period.reset();
    QConfig();
    QchkPeriod();
}

double TDM::GetTaxRate(int taxId)
{
    Query q(database(), S("SELECT Rate FROM Tax WHERE Id = :Id"));
    q.bind(S("Id"), taxId).open();
    return q.isEmpty() ? 0.0 : q.field(S("Rate")).asFloat();
}

bool TDM::AskConfirm(const QString& message)
{
    return ui::Dialogs::instance().question(message, ConfirmColor);
}

bool TDM::CheckVersionProgramEXE(const QString& programExe, int version)
{
    // The settings script first, so the rest reads a complete Config row;
    // then every other script, so a database upgraded here ends up as a
    // fresh one is installed.
    db::Database& db = database();
    server::Catalogue catalogue(db);
    for (const auto& script : schema::companyUpgrades()) {
        server::runUpgrade(db, script, catalogue);
        if (QString::fromStdString(script.name) == QLatin1String("SQLUpdateConfig")) {
            m_config.reset();
            loadMainCurrency();
        }
    }

    int stored = 0;
    {
        db::Transaction tx(db);
        const QDateTime now = ServerNow();
        Query find(db, S("SELECT Version FROM CheckVersionProgramEXE WHERE ProgramEXE = :ProgramExe"));
        find.bind(S("ProgramExe"), programExe).open();
        if (find.isEmpty())
            Query(db, S("INSERT INTO CheckVersionProgramEXE (ProgramEXE, Version, LastUpdate) VALUES (:ProgramExe, 1, :Now)"))
                .bind(S("ProgramExe"), programExe)
                .bind(S("Now"), now)
                .exec();
        Query(db, S("UPDATE CheckVersionProgramEXE SET Version = :Version, LastUpdate = :Now "
                    "WHERE ProgramEXE = :ProgramExe AND Version < :Version"))
            .bind(S("Version"), version)
            .bind(S("Now"), now)
            .bind(S("ProgramExe"), programExe)
            .exec();
        find.open();
        stored = find.field(S("Version")).asInt();
        tx.commit();
    }
    if (version < stored) {
        ui::Dialogs::instance().information(S("โปรแกรม ") + programExe + S(" เป็นตัวเก่า กรุณา Update Program ด้วย"));
        return false;
    }
    return true;
}

QString TDM::PadDocumentNo(const QString& typed, int length)
{
    const QString t = typed.trimmed();
    if (t.size() > length)
        return t.left(length);
    return t.rightJustified(length, u' ');
}

int TDM::GetDocumentLength(const QString& code)
{
    const int year = config(S("RunYear")).asInt();
    Query conv(database(), S("SELECT d.DocumentLength, d.AutoRun FROM DocNoConvert c JOIN DocumentNo d ON c.DocumentNo = d.Id "
                             "WHERE c.Code = :Code AND c.DocYear = :Year"));
    conv.bind(S("Code"), code).bind(S("Year"), year).open();
    if (!conv.isEmpty()) {
        // The redirected series numbers the document, so its mode is the one that counts.
        AutoRunFlag = conv.field(S("AutoRun")).isYes();
        return conv.field(S("DocumentLength")).asInt();
    }
    Query q(database(), S("SELECT DocumentLength, AutoRun FROM DocumentNo WHERE Code = :Code AND DocYear = :Year"));
    q.bind(S("Code"), code).bind(S("Year"), year).open();
    if (q.isEmpty()) {
        ui::Dialogs::instance().information(S("ไม่พบรหัสเอกสาร ") + code + u'\n' + S("ปี ") + QString::number(year));
        AutoRunFlag = false;
        return 0;
    }
    AutoRunFlag = q.field(S("AutoRun")).isYes();
    return q.field(S("DocumentLength")).asInt();
}

QString TDM::NextDocumentNo(const QString& code, const QDate& date)
{
    db::StoredProc sp(database(), S("NewDocumentNo"));
    sp.setParam(S("@DocCode"), code).setParam(S("@DocYear"), date.year());
    sp.exec();
    return sp.param(S("@NewNo")).toString();
}

bool TDM::CheckRunYear(const QDate& date)
{
    return config(S("RunYear")).asInt() + 1 >= date.year();
}

bool TDM::CheckPeriodOpen(const QDate& date)
{
    DataSet& p = QchkPeriod();
    for (int r = 0; r < p.recordCount(); ++r) {
        for (int n = 1; n <= 12; ++n) {
            const QDate start = p.field(r, S("Start%1").arg(n)).asDate();
            const QDate stop = p.field(r, S("Stop%1").arg(n)).asDate();
            if (!start.isValid() || !stop.isValid() || start > date || stop < date)
                continue;
            if (p.field(r, S("Lock%1").arg(n)).isYes()) {
                ui::Dialogs::instance().information(
                    S("รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้"));
                return false;
            }
            return true;
        }
    }
    return true;
}

void TDM::AddUserLog(int action, qint64 documentId, const QString& remark)
{
    const Session& s = Session::current();
    db::StoredProc sp(database(), S("UserAddLog"));
    sp.setParam(S("@UserId"), s.UserId)
        .setParam(S("@MenuId"), s.MenuId)
        .setParam(S("@FunctionListId"), action)
        .setParam(S("@DocumentId"), documentId)
        .setParam(S("@Remark"), remark);
    sp.exec();
}

QDateTime TDM::ServerNow()
{
    db::StoredProc sp(database(), S("ServerTime"));
    sp.exec();
    return sp.param(S("@ServerTime")).toDateTime();
}

qint64 TDM::LastIdentity()
{
    Query q(database(), database().dialect().lastIdentitySql());
    return q.open().field(S("New_Id")).asInteger();
}

Query TDM::headerWithNumber(DataSet& header, const QString& number, const QString& numberParam)
{
    Query q(database(), header.query().sql());
    for (const QString& name : q.paramNames())
        q.bind(name, isNumberParam(name, numberParam) ? QVariant(number) : header.query().param(name));
    q.open();
    return q;
}

// Numbers a new header (audit action 1) or keeps an existing one's number
// (action 2), applies it, and reads it back through its own query. A new
// header's id is the one its INSERT produced on this connection, never a later
// look-up by number that could find another document with the same number.
qint64 TDM::postHeader(DataSet& header, const QString& numberColumn, const QString& numberParam,
                       const std::function<std::optional<QString>()>& newNumber)
{
    const int row = header.recNo();
    const bool isNew = header.state() == db::RowState::Inserted;
    QString number;
    if (isNew) {
        const auto drawn = newNumber();
        if (!drawn)
            return -1;
        number = *drawn;
        header.setField(numberColumn, number);
        AddUserLog(LogAdd, 0, number);
    } else {
        number = header.field(numberColumn).asString();
        AddUserLog(LogEdit, header.field(S("Id")).asInteger(), number);
    }
    header.applyUpdates();
    const Query again = headerWithNumber(header, number, numberParam);
    if (again.isEmpty()) {
        ui::Dialogs::instance().information(S("Impossible Error IvNo !!!!"));
        return -1;
    }
    if (isNew) {
        if (auto id = header.insertedId(row))
            return *id;
    } else if (!header.field(row, S("Id")).isNull()) {
        return header.field(row, S("Id")).asInteger();
    }
    return again.field(S("Id")).asInteger();
}

qint64 TDM::PostWithNewNumber(DataSet& header, const QDate& date, const QString& code, const QString& numberColumn,
                              const QString& numberParam)
{
    return postHeader(header, numberColumn, numberParam,
                      [&]() -> std::optional<QString> { return NextDocumentNo(code, date); });
}

qint64 TDM::PostWithNumber(DataSet& header, const QString& typedNumber, const QDate& date, const QString& code,
                           const QString& numberColumn, const QString& numberParam)
{
    Q_UNUSED(date);
    Q_UNUSED(code);
    return postHeader(header, numberColumn, numberParam, [&]() -> std::optional<QString> {
        // A typed number that a live document of this kind already carries is
        // refused before anything is written: the header's own query (number
        // and kind) must find no row that is not deleted.
        const Query same = headerWithNumber(header, typedNumber, numberParam);
        for (int r = 0; r < same.recordCount(); ++r) {
            if (same.hasField(S("DelFlag")) && same.field(r, S("DelFlag")).isYes())
                continue;
            ui::Dialogs::instance().information(S("เลขที่เอกสาร ") + typedNumber.trimmed() +
                                                S(" มีอยู่แล้ว กรุณาป้อนเลขที่ใหม่"));
            return std::nullopt;
        }
        return typedNumber;
    });
}

void TDM::DelGL(qint64 id, const QString& no)
{
    db::Database& db = database();
    const QString which = S("SELECT id FROM glhd WHERE glfromdocid = :id AND TRIM(glfromdocno) = :no");
    Query(db, S("DELETE FROM gldt WHERE glhd IN (") + which + u')').bind(S("id"), id).bind(S("no"), no.trimmed()).exec();
    Query(db, S("DELETE FROM glhd WHERE glfromdocid = :id AND TRIM(glfromdocno) = :no"))
        .bind(S("id"), id)
        .bind(S("no"), no.trimmed())
        .exec();
}

} // namespace meridox

#include "server/procedures/Procedures.h"

#include "platform/db/Query.h"
#include "platform/db/StoredProc.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"

namespace meridox::server {

using db::Database;
using db::ProcParams;
using db::Query;

namespace {

std::optional<QDateTime>& pinned()
{
    static std::optional<QDateTime> p = [] () -> std::optional<QDateTime> {
        const QString env = qEnvironmentVariable("MERIDOX_SERVER_TIME");
        if (env.isEmpty())
            return std::nullopt;
        const QDateTime t = QDateTime::fromString(env, Qt::ISODate);
        return t.isValid() ? std::optional<QDateTime>(t) : std::nullopt;
    }();
    return p;
}

QString S(const char* s) { return QString::fromUtf8(s); }

// --- configuration database ---------------------------------------------

// Caption of a menu entry and the user's rights on it. A menu is granted to
// the user's group (a UserName row of its own) by a UserRight row whose
// AccessRight, AddRight, ModifyRight and DeleteRight flags grant the four rights.
void menuCaption(Database& db, ProcParams& p)
{
    const int menuId = p.get(S("@MENUID")).toInt();
    const int userId = p.get(S("@USERID")).toInt();
    Query menu(db, S("SELECT Description FROM Menu WHERE Id = :Id"));
    menu.bind(S("Id"), menuId).open();
    p.set(S("@CAPTION"), menu.isEmpty() ? QString() : menu.field(S("Description")).asString());

    Query user(db, S("SELECT Code, GroupId, Saleman FROM UserName WHERE Id = :Id"));
    user.bind(S("Id"), userId).open();
    QString access = S("N"), add = S("N"), modify = S("N"), del = S("N");
    if (!user.isEmpty()) {
        p.set(S("@USERCODE"), user.field(S("Code")).asString());
        p.set(S("@SALESID"), user.field(S("Saleman")).asInt());
        const int group = user.field(S("GroupId")).isNull() ? userId : user.field(S("GroupId")).asInt();
        Query right(db, S("SELECT AccessRight, AddRight, ModifyRight, DeleteRight FROM UserRight WHERE UserName = :G AND Menu = :M"));
        right.bind(S("G"), group).bind(S("M"), menuId).open();
        if (!right.isEmpty()) {
            access = right.field(S("AccessRight")).asString();
            add = right.field(S("AddRight")).asString();
            modify = right.field(S("ModifyRight")).asString();
            del = right.field(S("DeleteRight")).asString();
        }
    } else {
        p.set(S("@USERCODE"), QString());
        p.set(S("@SALESID"), 0);
    }
    p.set(S("@ACCESS_R"), access);
    p.set(S("@ADD_R"), add);
    p.set(S("@MODIFY_R"), modify);
    p.set(S("@DELETE_R"), del);
}

void addErrorLog(Database& db, ProcParams& p)
{
    Query(db, S("INSERT INTO errorlog (compname, logname, username, menu, errordate, errormsg) "
                "VALUES (:CompName, :LogName, :UserId, :MenuId, :Now, :ErrorMsg)"))
        .bind(S("CompName"), p.get(S("@CompName")))
        .bind(S("LogName"), p.get(S("@LogName")))
        .bind(S("UserId"), p.get(S("@UserId")))
        .bind(S("MenuId"), p.get(S("@MenuId")))
        .bind(S("Now"), serverTime(db))
        .bind(S("ErrorMsg"), p.get(S("@ErrorMsg")))
        .exec();
}

// --- company database ----------------------------------------------------

// Draws the next number of a series. The UPDATE comes first: it takes the
// series row's lock (PostgreSQL) inside the write transaction (embedded), so
// concurrent savers queue on the row and never see the same LastNo.
void newDocumentNo(Database& db, ProcParams& p)
{
    const QString code = p.get(S("@DocCode")).toString().trimmed();
    const int year = p.get(S("@DocYear")).toInt();

    Query conv(db, S("SELECT DocumentNo FROM DocNoConvert WHERE Code = :Code AND DocYear = :Year"));
    conv.bind(S("Code"), code).bind(S("Year"), year).open();
    qint64 seriesId = 0;
    if (!conv.isEmpty() && !conv.field(S("DocumentNo")).isNull()) {
        seriesId = conv.field(S("DocumentNo")).asInteger();
    } else {
        Query series(db, S("SELECT Id FROM DocumentNo WHERE Code = :Code AND DocYear = :Year"));
        series.bind(S("Code"), code).bind(S("Year"), year).open();
        if (series.isEmpty())
            throw DatabaseError(S("NewDocumentNo: no numbering series for code '%1' and year %2").arg(code).arg(year));
        seriesId = series.field(S("Id")).asInteger();
    }

    db::Transaction tx(db);
    const int changed = Query(db, S("UPDATE DocumentNo SET LastNo = COALESCE(LastNo, 0) + 1 WHERE Id = :Id"))
                            .bind(S("Id"), seriesId)
                            .exec();
    if (changed != 1)
        throw DatabaseError(S("NewDocumentNo: numbering series %1 not found").arg(seriesId));
    Query row(db, S("SELECT Prefix, LastNo, DocumentLength FROM DocumentNo WHERE Id = :Id"));
    row.bind(S("Id"), seriesId).open();
    const QString number = formatDocumentNumber(row.field(S("Prefix")).asString(), row.field(S("LastNo")).asInteger(),
                                                row.field(S("DocumentLength")).asInt());
    tx.commit();
    p.set(S("@NewNo"), number);
}

void userAddLog(Database& db, ProcParams& p)
{
    Query(db, S("INSERT INTO UserLog (UserId, MenuId, FunctionListId, DocumentId, Remark, LogDate) "
                "VALUES (:UserId, :MenuId, :FunctionListId, :DocumentId, :Remark, :Now)"))
        .bind(S("UserId"), p.get(S("@UserId")))
        .bind(S("MenuId"), p.get(S("@MenuId")))
        .bind(S("FunctionListId"), p.get(S("@FunctionListId")))
        .bind(S("DocumentId"), p.get(S("@DocumentId")))
        .bind(S("Remark"), p.get(S("@Remark")))
        .bind(S("Now"), serverTime(db))
        .exec();
}

void serverTimeProc(Database& db, ProcParams& p)
{
    p.set(S("@ServerTime"), serverTime(db));
}

void createSerialNo(Database& db, ProcParams& p)
{
    const QVariant product = p.get(S("@ProductId"));
    const QString serial = p.get(S("@SerialCode")).toString().trimmed();
    Query find(db, S("SELECT Id FROM SerialNo WHERE Product = :Product AND Serial = :Serial"));
    find.bind(S("Product"), product).bind(S("Serial"), serial).open();
    if (!find.isEmpty()) {
        p.set(S("@SerialId"), find.field(S("Id")).asInteger());
        return;
    }
    Query(db, S("INSERT INTO SerialNo (Product, Serial, OnHand) VALUES (:Product, :Serial, 'N')"))
        .bind(S("Product"), product)
        .bind(S("Serial"), serial)
        .exec();
    Query id(db, db.dialect().lastIdentitySql());
    p.set(S("@SerialId"), id.open().field(S("New_Id")).asInteger());
}

} // namespace

void pinServerTime(std::optional<QDateTime> at)
{
    pinned() = std::move(at);
}

QDateTime serverTime(Database& db)
{
    if (pinned())
        return *pinned();
    if (db.engine() == db::Engine::PostgreSQL) {
        Query q(db, S("SELECT localtimestamp AS Now"));
        return q.open().field(S("Now")).asDateTime();
    }
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second(), now.time().msec()));
}

// Prefix, then the running number with leading zeros up to the length.
QString formatDocumentNumber(const QString& prefix, qint64 lastNo, int documentLength)
{
    const QString p = prefix.trimmed();
    const QString digits = QString::number(lastNo);
    const int width = documentLength - static_cast<int>(p.size());
    if (documentLength <= 0 || width < static_cast<int>(digits.size()))
        throw DatabaseError(S("NewDocumentNo: number %1 does not fit the series length %2 after prefix '%3'")
                                .arg(lastNo)
                                .arg(documentLength)
                                .arg(p));
    return p + digits.rightJustified(width, u'0');
}

void registerProcedures()
{
    db::registerProcedure(S("MENUCAPTION"), menuCaption);
    db::registerProcedure(S("AddErrorLog"), addErrorLog);
    db::registerProcedure(S("NewDocumentNo"), newDocumentNo);
    db::registerProcedure(S("UserAddLog"), userAddLog);
    db::registerProcedure(S("ServerTime"), serverTimeProc);
    db::registerProcedure(S("CreateSerialNo"), createSerialNo);
}

} // namespace meridox::server

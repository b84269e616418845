#include "server/Installer.h"

#include "platform/db/Query.h"
#include "platform/db/Transaction.h"


namespace meridox::server {

using schema::Column;
using schema::Type;

namespace {

db::ColumnKind kindOf(Type t)
{
    switch (t) {
    case Type::Id: return db::ColumnKind::Id;
    case Type::Integer: return db::ColumnKind::Integer;
    case Type::Double: return db::ColumnKind::Double;
    case Type::Text: return db::ColumnKind::Text;
    case Type::Memo: return db::ColumnKind::Memo;
    case Type::Flag: return db::ColumnKind::Flag;
    case Type::Date: return db::ColumnKind::Date;
    case Type::DateTime: return db::ColumnKind::DateTime;
    case Type::Blob: return db::ColumnKind::Blob;
    }
    return db::ColumnKind::Text;
}

QString q(const std::string& s) { return QString::fromStdString(s); }

QString columnDefinition(const db::Dialect& d, const Column& c, bool inlineReference)
{
    QString def = q(c.name) + u' ' + d.columnType(kindOf(c.type), c.size);
    if (c.type != Type::Id && c.notNull)
        def += QStringLiteral(" NOT NULL");
    if (!c.defaultValue.empty())
        def += QStringLiteral(" DEFAULT ") + q(c.defaultValue);
    if (inlineReference && !c.references.empty())
        def += QStringLiteral(" REFERENCES %1 (Id)").arg(q(c.references));
    return def;
}

QString indexName(const std::string& table, const schema::Index& index)
{
    QString n = QStringLiteral("ix_") + q(table);
    for (const auto& c : index.columns)
        n += u'_' + q(c);
    return n.toLower();
}

QString indexStatement(const std::string& table, const QString& name, const schema::Index& index)
{
    QStringList cols;
    for (const auto& c : index.columns)
        cols << q(c);
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), name, q(table), cols.join(QStringLiteral(", ")));
}

// The embedded engine declares references inline; PostgreSQL adds them once
// every table exists, so declaration order does not matter.
QStringList referenceStatements(const db::Dialect& d, const schema::Table& t)
{
    QStringList out;
    if (d.engine() == db::Engine::SQLite)
        return out;
    for (const Column& c : t.columns)
        if (!c.references.empty())
            out << QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT fk_%2_%3 FOREIGN KEY (%3) REFERENCES %4 (Id)")
                       .arg(q(t.name), q(t.name).toLower(), q(c.name), q(c.references));
    return out;
}

} // namespace

QStringList createTableStatements(const db::Dialect& d, const schema::Table& t)
{
    QStringList cols;
    for (const Column& c : t.columns)
        cols << columnDefinition(d, c, d.engine() == db::Engine::SQLite);
    QStringList out{QStringLiteral("CREATE TABLE %1 (%2)").arg(q(t.name), cols.join(QStringLiteral(", ")))};
    for (const auto& i : t.indexes)
        out << indexStatement(t.name, indexName(t.name, i), i);
    return out;
}

void createSchema(db::Database& db, const schema::DatabaseSchema& s)
{
    db::Transaction tx(db);
    for (const auto& t : s.tables)
        for (const QString& st : createTableStatements(db.dialect(), t))
            db.execute(st);
    for (const auto& t : s.tables)
        for (const QString& st : referenceStatements(db.dialect(), t))
            db.execute(st);
    for (const auto& v : s.views)
        db.execute(QStringLiteral("CREATE VIEW %1 AS %2").arg(q(v.name), q(v.sql)));
    tx.commit();
}

Catalogue::Catalogue(db::Database& db)
{
    db::Query c(db, db.dialect().catalogueSql());
    c.open();
    for (int r = 0; r < c.recordCount(); ++r)
        m_names.insert(key(c.field(r, QStringLiteral("Kind")).asString(), c.field(r, QStringLiteral("TableName")).asString(),
                           c.field(r, QStringLiteral("ObjectName")).asString()));
}

bool Catalogue::has(const char* kind, const QString& table, const QString& name) const
{
    return m_names.contains(key(QString::fromLatin1(kind), table, name.isEmpty() ? table : name));
}

void Catalogue::add(const char* kind, const QString& table, const QString& name)
{
    m_names.insert(key(QString::fromLatin1(kind), table, name.isEmpty() ? table : name));
}

QString Catalogue::key(const QString& kind, const QString& table, const QString& name)
{
    return (kind + u'|' + table + u'|' + name).toUpper();
}

int runUpgrade(db::Database& db, const schema::UpgradeScript& script)
{
    Catalogue catalogue(db);
    return runUpgrade(db, script, catalogue);
}

int runUpgrade(db::Database& db, const schema::UpgradeScript& script, Catalogue& catalogue)
{
    // One transaction per script: one commit instead of one per statement,
    // and a step that fails leaves the script's earlier steps undone with it.
    db::Transaction tx(db);
    const db::Dialect& d = db.dialect();
    int changed = 0;
    for (const auto& step : script.steps) {
        using K = schema::UpgradeStep::Kind;
        const QString table = q(step.table);
        if (step.kind == K::CreateTable) {
            if (catalogue.has("T", table))
                continue;
            for (const QString& st : createTableStatements(d, step.newTable))
                db.execute(st);
            for (const QString& st : referenceStatements(d, step.newTable))
                db.execute(st);
            catalogue.add("T", table);
            for (const auto& c : step.newTable.columns)
                catalogue.add("C", table, q(c.name));
            ++changed;
            continue;
        }
        // Tables of other modules of the suite may be absent here.
        if (!catalogue.has("T", table))
            continue;
        switch (step.kind) {
        case K::AddColumn:
            if (!catalogue.has("C", table, q(step.column.name))) {
                db.execute(QStringLiteral("ALTER TABLE %1 ADD %2").arg(table, columnDefinition(d, step.column, true)));
                catalogue.add("C", table, q(step.column.name));
                ++changed;
            }
            break;
        case K::CreateIndex:
            if (!catalogue.has("I", table, q(step.indexName))) {
                db.execute(indexStatement(step.table, q(step.indexName), step.index));
                catalogue.add("I", table, q(step.indexName));
                ++changed;
            }
            break;
        case K::Fill:
            if (db::Query(db, q(step.sql)).exec() > 0)
                ++changed;
            break;
        case K::CreateTable:
            break;
        }
    }
    tx.commit();
    return changed;
}

int runUpgrades(db::Database& db, const std::vector<schema::UpgradeScript>& scripts)
{
    Catalogue catalogue(db);
    int changed = 0;
    for (const auto& s : scripts)
        changed += runUpgrade(db, s, catalogue);
    return changed;
}

void installConfigDatabase(db::Database& db)
{
    createSchema(db, schema::configSchema());
    runUpgrades(db, schema::configUpgrades());
}

void installCompanyDatabase(db::Database& db)
{
    createSchema(db, schema::companySchema());
    runUpgrades(db, schema::companyUpgrades());
}

void resetIdentities(db::Database& db, const schema::DatabaseSchema& s)
{
    for (const auto& t : s.tables)
        for (const Column& c : t.columns)
            if (c.type == Type::Id)
                for (const QString& st : db.dialect().resetIdentity(q(t.name), q(c.name)))
                    db::Query(db, st).open();
}

} // namespace meridox::server

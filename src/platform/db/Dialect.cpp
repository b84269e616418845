#include "platform/db/Dialect.h"

#include <QRegularExpression>

namespace meridox::db {

namespace {

QString statementVerb(const QString& sql)
{
    return sql.trimmed().section(u' ', 0, 0).toUpper();
}

QString failsClause(const QString& sql)
{
    const QString verb = statementVerb(sql);
    return (verb == QLatin1String("UPDATE") ? QStringLiteral("UPDATE") : QStringLiteral("INSERT")) + QStringLiteral(" fails.");
}

QString notNullMessage(const QString& table, const QString& column, const QString& sql)
{
    return QStringLiteral("Cannot insert the value NULL into column '%1', table '%2'; column does not allow nulls. %3")
        .arg(column, table, failsClause(sql));
}

QString duplicateMessage(const QString& table, const QString& index)
{
    return QStringLiteral("Cannot insert duplicate key row in object '%1' with unique index '%2'.").arg(table, index);
}

QString referenceMessage(const QString& sql, const QString& constraint, const QString& table)
{
    if (statementVerb(sql) == QLatin1String("DELETE"))
        return QStringLiteral("DELETE statement conflicted with COLUMN REFERENCE constraint '%1'. "
                              "The conflict occurred in table '%2'.")
            .arg(constraint, table);
    return QStringLiteral("%1 statement conflicted with COLUMN FOREIGN KEY constraint '%2'. "
                          "The conflict occurred in table '%3'.")
        .arg(statementVerb(sql), constraint, table);
}

QString networkMessage(const QString& detail)
{
    return QStringLiteral("General SQL error.\nPossible network error: %1").arg(detail.trimmed());
}

class SqliteDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::SQLite; }

    QString columnType(ColumnKind kind, int size) const override
    {
        switch (kind) {
        case ColumnKind::Id: return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        case ColumnKind::Integer: return QStringLiteral("INTEGER");
        case ColumnKind::Double: return QStringLiteral("DOUBLE PRECISION");
        case ColumnKind::Text: return QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(size > 0 ? size : 255);
        case ColumnKind::Memo: return QStringLiteral("TEXT COLLATE NOCASE");
        case ColumnKind::Flag: return QStringLiteral("VARCHAR(1) COLLATE NOCASE");
        case ColumnKind::Date: return QStringLiteral("DATE");
        case ColumnKind::DateTime: return QStringLiteral("DATETIME");
        case ColumnKind::Blob: return QStringLiteral("BLOB");
        }
        return {};
    }
    QStringList prepareNewDatabase() const override { return {QStringLiteral("PRAGMA journal_mode=WAL")}; }
    QStringList prepareConnection() const override
    {
        return {QStringLiteral("PRAGMA foreign_keys=ON"), QStringLiteral("PRAGMA synchronous=NORMAL")};
    }
    // IMMEDIATE takes the write lock at once, so two savers queue instead of
    // both reading and one failing at its first write.
    QString beginTransaction() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString lastIdentitySql() const override { return QStringLiteral("SELECT last_insert_rowid() AS New_Id"); }
    QString returningIdentity(const QString&) const override { return {}; }
    QString forUpdate() const override { return {}; }

    QStringList resetIdentity(const QString&, const QString&) const override { return {}; }
    QString catalogueSql() const override
    {
        return QStringLiteral("SELECT 'T' AS Kind, name AS TableName, name AS ObjectName FROM sqlite_master WHERE type = 'table' "
                              "UNION ALL SELECT 'C', m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p "
                              "WHERE m.type = 'table' "
                              "UNION ALL SELECT 'I', tbl_name, name FROM sqlite_master WHERE type = 'index'");
    }

    QString classicMessage(const QSqlError& error, const QString& sql) const override
    {
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        static const QRegularExpression notNull(QStringLiteral("NOT NULL constraint failed: (\\w+)\\.(\\w+)"));
        static const QRegularExpression unique(QStringLiteral("UNIQUE constraint failed: (\\w+)\\.([\\w., ]+)"));
        if (auto m = notNull.match(text); m.hasMatch())
            return notNullMessage(m.captured(1), m.captured(2), sql);
        if (auto m = unique.match(text); m.hasMatch())
            return duplicateMessage(m.captured(1), m.captured(2));
        if (text.contains(QLatin1String("FOREIGN KEY constraint failed"))) {
            static const QRegularExpression table(QStringLiteral("(?:FROM|INTO|UPDATE)\\s+(\\w+)"),
                                                  QRegularExpression::CaseInsensitiveOption);
            return referenceMessage(sql, QStringLiteral("FOREIGN KEY"), table.match(sql).captured(1));
        }
        if (text.contains(QLatin1String("disk I/O error")) || text.contains(QLatin1String("unable to open database")))
            return networkMessage(text);
        return text;
    }
};

class PostgresDialect final : public Dialect {
public:
    Engine engine() const override { return Engine::PostgreSQL; }

    QString columnType(ColumnKind kind, int) const override
    {
        switch (kind) {
        case ColumnKind::Id: return QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case ColumnKind::Integer: return QStringLiteral("INTEGER");
        case ColumnKind::Double: return QStringLiteral("DOUBLE PRECISION");
        // citext: codes typed in any case find their row, as on the classic server.
        case ColumnKind::Text:
        case ColumnKind::Memo:
        case ColumnKind::Flag: return QStringLiteral("CITEXT");
        case ColumnKind::Date: return QStringLiteral("DATE");
        case ColumnKind::DateTime: return QStringLiteral("TIMESTAMP");
        case ColumnKind::Blob: return QStringLiteral("BYTEA");
        }
        return {};
    }
    QStringList prepareNewDatabase() const override { return {QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext")}; }
    QStringList prepareConnection() const override { return {QStringLiteral("SET client_min_messages TO warning")}; }
    QString beginTransaction() const override { return QStringLiteral("BEGIN"); }
    QString lastIdentitySql() const override { return QStringLiteral("SELECT lastval() AS New_Id"); }
    QString returningIdentity(const QString& idColumn) const override
    {
        return QStringLiteral(" RETURNING %1 AS New_Id").arg(idColumn);
    }
    QString forUpdate() const override { return QStringLiteral(" FOR UPDATE"); }

    QString catalogueSql() const override
    {
        return QStringLiteral(
            "SELECT 'T' AS Kind, c.relname AS TableName, c.relname AS ObjectName FROM pg_class c "
            "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind = 'r' "
            "UNION ALL SELECT 'C', c.relname, a.attname FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
            "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = current_schema() AND c.relkind = 'r' "
            "AND a.attnum > 0 AND NOT a.attisdropped "
            "UNION ALL SELECT 'I', tablename, indexname FROM pg_indexes WHERE schemaname = current_schema()");
    }
    QStringList resetIdentity(const QString& table, const QString& idColumn) const override
    {
        return {QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                    .arg(table.toLower(), idColumn.toLower())};
    }

    QString classicMessage(const QSqlError& error, const QString& sql) const override
    {
        const QString state = error.nativeErrorCode();
        const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
        QStringList names;
        for (auto it = quoted.globalMatch(text); it.hasNext();)
            names << it.next().captured(1);
        if (state == QLatin1String("23502"))  // column, relation
            return notNullMessage(names.value(1), names.value(0), sql);
        if (state == QLatin1String("23505"))  // constraint
            return duplicateMessage(tableOf(sql), names.value(0));
        if (state == QLatin1String("23503"))  // table, constraint, table
            return referenceMessage(sql, names.value(1), names.value(2).isEmpty() ? names.value(0) : names.value(2));
        if (state == QLatin1String("57014"))
            return QStringLiteral("SQL Server connection timed out: %1").arg(text);
        if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"))
            || error.type() == QSqlError::ConnectionError || text.contains(QLatin1String("server closed the connection"))
            || text.contains(QLatin1String("no connection to the server"))
            || text.contains(QLatin1String("terminating connection")))
            return networkMessage(text.isEmpty() ? error.text() : text);
        return text;
    }

private:
    static QString tableOf(const QString& sql)
    {
        static const QRegularExpression table(QStringLiteral("(?:INTO|UPDATE)\\s+(\\w+)"), QRegularExpression::CaseInsensitiveOption);
        return table.match(sql).captured(1);
    }
};

} // namespace

std::unique_ptr<Dialect> Dialect::create(Engine engine)
{
    if (engine == Engine::SQLite)
        return std::make_unique<SqliteDialect>();
    return std::make_unique<PostgresDialect>();
}

} // namespace meridox::db

#pragma once
// A SQL text with named parameters (":Name"; the same name may appear more
// than once), run on one connection. Every value reaches the engine bound,
// never pasted into the text. A SELECT is read whole into memory, so the
// rows can be walked and re-read freely while the connection does other work.
#include "platform/db/Database.h"
#include "platform/db/Value.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

namespace meridox::db {

// The SQL text with ":Name" placeholders turned into "?" and the names in order.
struct ParsedSql {
    QString text;
    QStringList names;  // as written, one per placeholder
};
ParsedSql parseNamedParameters(const QString& sql);

class Query {
public:
    explicit Query(Database& db, QString sql = {});

    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    Database& database() const { return *m_db; }

    // ParamByName: names compared without regard to case, with or without ':'.
    Query& bind(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;
    // The distinct parameter names of the text, in order of first use.
    QStringList paramNames() const;
    void clearParams() { m_params.clear(); }

    // Runs a SELECT and keeps its rows; the current row is the first.
    Query& open();
    // Runs any other statement; returns the rows it changed.
    int exec();
    // The identity the last exec() gave a new row (embedded engine only).
    qint64 lastInsertId() const { return m_lastInsertId; }
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    bool eof() const { return m_row >= m_rows.size(); }
    void first() { m_row = 0; }
    void next() { ++m_row; }
    int recNo() const { return m_row; }
    void setRecNo(int row) { m_row = row; }

    // FieldByName on the current row; names compared without regard to case.
    Value field(const QString& name) const;
    Value field(int row, const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    int fieldIndex(const QString& name) const;
    const QStringList& fieldNames() const { return m_fieldNames; }
    const QVector<QVariant>& rowValues(int row) const { return m_rows[row]; }

private:
    void prepare();
    void bindAll();

    Database* m_db;
    QString m_sql;
    ParsedSql m_parsed;
    std::optional<QSqlQuery> m_query;
    QHash<QString, QVariant> m_params;  // keyed by upper-case name
    bool m_open = false;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex;   // upper-case name -> column
    QVector<QVector<QVariant>> m_rows;
    int m_row = 0;
    qint64 m_lastInsertId = 0;
};

} // namespace meridox::db

#include "platform/db/Query.h"

#include "platform/os/Errors.h"

#include <QSqlRecord>

namespace meridox::db {

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

} // namespace

ParsedSql parseNamedParameters(const QString& sql)
{
    ParsedSql out;
    out.text.reserve(sql.size());
    const int n = sql.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // Copy a quoted literal or identifier untouched ('' doubles a quote).
            const QChar q = c;
            out.text += c;
            for (++i; i < n; ++i) {
                out.text += sql[i];
                if (sql[i] == q) {
                    if (i + 1 < n && sql[i + 1] == q) {
                        out.text += sql[++i];
                        continue;
                    }
                    break;
                }
            }
            continue;
        }
        if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                out.text += sql[i++];
            if (i < n)
                out.text += sql[i];
            continue;
        }
        if (c == u':') {
            if (i + 1 < n && sql[i + 1] == u':') {  // PostgreSQL cast
                out.text += QStringLiteral("::");
                ++i;
                continue;
            }
            const bool afterName = i > 0 && isNameChar(sql[i - 1]);
            if (!afterName && i + 1 < n && isNameStart(sql[i + 1])) {
                int j = i + 1;
                while (j < n && isNameChar(sql[j]))
                    ++j;
                out.names << sql.mid(i + 1, j - i - 1);
                out.text += u'?';
                i = j - 1;
                continue;
            }
        }
        out.text += c;
    }
    return out;
}

Query::Query(Database& db, QString sql) : m_db(&db)
{
    setSql(sql);
}

void Query::setSql(const QString& sql)
{
    if (sql == m_sql && !m_parsed.text.isEmpty())
        return;
    close();
    m_sql = sql;
    m_parsed = parseNamedParameters(sql);
    m_query.reset();
}

static QString key(const QString& name)
{
    QString k = name.startsWith(u':') ? name.mid(1) : name;
    return k.toUpper();
}

Query& Query::bind(const QString& name, const QVariant& value)
{
    m_params.insert(key(name), value);
    return *this;
}

QVariant Query::param(const QString& name) const
{
    return m_params.value(key(name));
}

QStringList Query::paramNames() const
{
    QStringList out;
    for (const QString& n : m_parsed.names) {
        bool seen = false;
        for (const QString& o : out)
            if (o.compare(n, Qt::CaseInsensitive) == 0)
                seen = true;
        if (!seen)
            out << n;
    }
    return out;
}

void Query::prepare()
{
    if (m_query)
        return;
    m_query.emplace(m_db->sql());
    m_query->setForwardOnly(true);
    if (!m_query->prepare(m_parsed.text)) {
        const QSqlError e = m_query->lastError();
        m_query.reset();
        raise(*m_db, e, m_sql);
    }
}

void Query::bindAll()
{
    for (int i = 0; i < m_parsed.names.size(); ++i) {
        const QString k = m_parsed.names[i].toUpper();
        auto it = m_params.constFind(k);
        if (it == m_params.constEnd())
            throw DatabaseError(QStringLiteral("Parameter '%1' not found").arg(m_parsed.names[i]));
        QVariant v = *it;
        if (m_db->engine() == Engine::SQLite)
            v = toSqlValue(v);
        m_query->bindValue(i, v);
    }
}

Query& Query::open()
{
    close();
    prepare();
    bindAll();
    if (!m_query->exec()) {
        const QSqlError e = m_query->lastError();
        m_query.reset();  // a failed statement may leave the prepared handle unusable
        raise(*m_db, e, m_sql);
    }
    const QSqlRecord rec = m_query->record();
    m_fieldNames.clear();
    m_fieldIndex.clear();
    for (int c = 0; c < rec.count(); ++c) {
        m_fieldNames << rec.fieldName(c);
        m_fieldIndex.insert(rec.fieldName(c).toUpper(), c);
    }
    const int cols = rec.count();
    while (m_query->next()) {
        QVector<QVariant> row(cols);
        for (int c = 0; c < cols; ++c)
            row[c] = m_query->value(c);
        m_rows.push_back(std::move(row));
    }
    m_query->finish();
    m_open = true;
    m_row = 0;
    return *this;
}

int Query::exec()
{
    close();
    prepare();
    bindAll();
    if (!m_query->exec()) {
        const QSqlError e = m_query->lastError();
        m_query.reset();
        raise(*m_db, e, m_sql);
    }
    const int n = m_query->numRowsAffected();
    // PostgreSQL's driver would run a query of its own here, which fails
    // inside a transaction that used no sequence; it hands ids back through RETURNING.
    if (m_db->engine() == Engine::SQLite)
        m_lastInsertId = m_query->lastInsertId().toLongLong();
    m_query->finish();
    return n;
}

void Query::close()
{
    m_open = false;
    m_rows.clear();
    m_row = 0;
}

int Query::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toUpper(), -1);
}

Value Query::field(const QString& name) const
{
    return field(m_row, name);
}

Value Query::field(int row, const QString& name) const
{
    const int c = fieldIndex(name);
    if (c < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    if (row < 0 || row >= m_rows.size())
        return {};
    return Value(m_rows[row][c]);
}

} // namespace meridox::db

#include "platform/db/DataSet.h"

#include "platform/os/Errors.h"

namespace meridox::db {

DataSet::DataSet(Database& db, QString selectSql) : m_query(db, std::move(selectSql)) {}

void DataSet::open()
{
    m_query.open();
    m_fields = m_query.fieldNames();
    m_fieldIndex.clear();
    for (int i = 0; i < m_fields.size(); ++i)
        m_fieldIndex.insert(m_fields[i].toUpper(), i);
    m_prepared.clear();
    m_rows.clear();
    m_rows.reserve(m_query.recordCount());
    for (int r = 0; r < m_query.recordCount(); ++r) {
        Row row;
        row.values = m_query.rowValues(r);
        row.original = row.values;
        m_rows.push_back(std::move(row));
    }
    m_query.close();
    rebuildVisible();
    m_current = 0;
    m_open = true;
    if (afterOpen)
        afterOpen();
}

void DataSet::close()
{
    m_rows.clear();
    m_visible.clear();
    m_current = 0;
    m_open = false;
}

int DataSet::fieldIndex(const QString& name) const
{
    return m_fieldIndex.value(name.toUpper(), -1);
}

void DataSet::addField(const QString& name)
{
    if (hasField(name))
        return;
    m_fieldIndex.insert(name.toUpper(), m_fields.size());
    m_fields << name;
    m_prepared.clear();
    for (Row& r : m_rows) {
        r.values.push_back(QVariant());
        r.original.push_back(QVariant());
    }
}

void DataSet::rebuildVisible()
{
    m_visible.clear();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].state != RowState::Deleted)
            m_visible.push_back(i);
}

void DataSet::setRecNo(int r)
{
    m_current = std::clamp(r, 0, static_cast<int>(m_visible.size()));
}

DataSet::Row& DataSet::row(int visibleRow)
{
    if (visibleRow < 0 || visibleRow >= m_visible.size())
        throw DatabaseError(QStringLiteral("No current record"));
    return m_rows[m_visible[visibleRow]];
}

const DataSet::Row& DataSet::row(int visibleRow) const
{
    if (visibleRow < 0 || visibleRow >= m_visible.size())
        throw DatabaseError(QStringLiteral("No current record"));
    return m_rows[m_visible[visibleRow]];
}

static int requireField(const DataSet& ds, const QString& name)
{
    const int c = ds.fieldIndex(name);
    if (c < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    return c;
}

Value DataSet::field(const QString& name) const
{
    return field(m_current, name);
}

Value DataSet::field(int r, const QString& name) const
{
    const int c = requireField(*this, name);
    if (r < 0 || r >= m_visible.size())
        return {};
    return Value(row(r).values[c]);
}

Value DataSet::oldField(const QString& name) const
{
    const int c = requireField(*this, name);
    if (eof())
        return {};
    return Value(row(m_current).original[c]);
}

void DataSet::setField(const QString& name, const QVariant& value)
{
    setField(m_current, name, value);
}

void DataSet::setField(int r, const QString& name, const QVariant& value)
{
    const int c = requireField(*this, name);
    Row& rw = row(r);
    rw.values[c] = value;
    if (rw.state == RowState::Unchanged)
        rw.state = RowState::Modified;
    if (onFieldChange) {
        const int keep = m_current;
        m_current = r;
        onFieldChange(m_fields[c]);
        m_current = keep;
    }
}

RowState DataSet::state() const
{
    return eof() ? RowState::Unchanged : row(m_current).state;
}

RowState DataSet::state(int r) const
{
    return row(r).state;
}

void DataSet::append()
{
    Row r;
    r.values.resize(m_fields.size());
    r.original.resize(m_fields.size());
    r.state = RowState::Inserted;
    m_rows.push_back(std::move(r));
    rebuildVisible();
    m_current = m_visible.size() - 1;
    m_open = true;
    if (onNewRecord)
        onNewRecord();
}

void DataSet::remove()
{
    if (eof())
        return;
    const int idx = m_visible[m_current];
    if (m_rows[idx].state == RowState::Inserted)
        m_rows.removeAt(idx);
    else
        m_rows[idx].state = RowState::Deleted;
    rebuildVisible();
    if (m_current >= m_visible.size() && m_current > 0)
        --m_current;
}

void DataSet::cancelUpdates()
{
    QVector<Row> kept;
    for (Row& r : m_rows) {
        if (r.state == RowState::Inserted)
            continue;
        r.values = r.original;
        r.state = RowState::Unchanged;
        r.appliedId.reset();
        kept.push_back(std::move(r));
    }
    m_rows = std::move(kept);
    rebuildVisible();
    setRecNo(m_current);
}

bool DataSet::hasPendingChanges() const
{
    for (const Row& r : m_rows)
        if (r.state != RowState::Unchanged)
            return true;
    return false;
}

DataSet::Prepared& DataSet::prepared(const QString& sql)
{
    if (sql.isEmpty())
        throw DatabaseError(QStringLiteral("No update statement for this change"));
    for (auto& p : m_prepared)
        if (p.query->sql() == sql)
            return p;
    Prepared p;
    p.query = std::make_unique<Query>(m_query.database(), sql);
    for (const QString& name : p.query->paramNames()) {
        const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
        const int c = requireField(*this, old ? name.mid(4) : name);
        p.params.push_back({name, old ? -1 - c : c});
    }
    m_prepared.push_back(std::move(p));
    return m_prepared.back();
}

void DataSet::bindRow(Prepared& p, const Row& r)
{
    for (const auto& [name, c] : p.params)
        p.query->bind(name, c >= 0 ? r.values[c] : r.original[-1 - c]);
}

void DataSet::applyUpdates()
{
    if (beforePost)
        beforePost();
    // Identities given in an earlier, failed attempt are forgotten.
    for (Row& r : m_rows)
        r.appliedId.reset();
    for (const Row& r : m_rows)
        if (r.state == RowState::Deleted) {
            Prepared& p = prepared(m_update.deleteSql);
            bindRow(p, r);
            p.query->exec();
        }
    const int idCol = fieldIndex(m_identityField);
    const db::Dialect& dialect = m_query.database().dialect();
    for (Row& r : m_rows) {
        if (r.state == RowState::Inserted) {
            const bool wantId = idCol >= 0 && r.values[idCol].isNull();
            const QString returning = wantId ? dialect.returningIdentity(m_fields[idCol]) : QString();
            Prepared& p = prepared(m_update.insertSql + returning);
            bindRow(p, r);
            // The new identity comes from this very INSERT, on this connection.
            if (!returning.isEmpty()) {
                r.appliedId = p.query->open().field(QStringLiteral("New_Id")).asInteger();
            } else {
                p.query->exec();
                if (wantId)
                    r.appliedId = p.query->lastInsertId();
            }
        } else if (r.state == RowState::Modified) {
            Prepared& p = prepared(m_update.modifySql);
            bindRow(p, r);
            p.query->exec();
        }
    }
}

void DataSet::commitUpdates()
{
    const int idCol = fieldIndex(m_identityField);
    QVector<Row> kept;
    kept.reserve(m_rows.size());
    for (Row& r : m_rows) {
        if (r.state == RowState::Deleted)
            continue;
        if (r.appliedId && idCol >= 0)
            r.values[idCol] = *r.appliedId;
        r.appliedId.reset();
        r.original = r.values;
        r.state = RowState::Unchanged;
        kept.push_back(std::move(r));
    }
    m_rows = std::move(kept);
    rebuildVisible();
    setRecNo(m_current);
}

} // namespace meridox::db

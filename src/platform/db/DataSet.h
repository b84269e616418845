#pragma once
// Rows opened from a query and edited in memory as pending changes (cached
// updates). Each row keeps its original values and a state; an update object
// (insert, modify and delete statements using ":Name" for the current value
// and ":OLD_Name" for the original) writes them inside the caller's
// transaction. Only commitUpdates(), called after the commit, marks them
// written: a failed save leaves every typed value and state in place.
#include "platform/db/Query.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

namespace meridox::db {

enum class RowState { Unchanged, Inserted, Modified, Deleted };

struct UpdateSql {
    QString insertSql;
    QString modifySql;
    QString deleteSql;
};

class DataSet {
public:
    DataSet(Database& db, QString selectSql = {});

    Query& query() { return m_query; }
    Database& database() { return m_query.database(); }
    void setSql(const QString& sql) { m_query.setSql(sql); }
    DataSet& bind(const QString& name, const QVariant& value)
    {
        m_query.bind(name, value);
        return *this;
    }
    void setUpdateSql(UpdateSql u) { m_update = std::move(u); m_prepared.clear(); }
    // The identity column filled from the engine after an insert (default "Id").
    void setIdentityField(const QString& name) { m_identityField = name; }

    void open();
    void close();
    bool isOpen() const { return m_open; }

    // Fields: those of the query, plus any added for calculated values.
    const QStringList& fieldNames() const { return m_fields; }
    int fieldIndex(const QString& name) const;
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    void addField(const QString& name);

    // Navigation over the visible rows (deleted rows are hidden).
    int recordCount() const { return m_visible.size(); }
    bool isEmpty() const { return m_visible.isEmpty(); }
    int recNo() const { return m_current; }
    void setRecNo(int row);
    void first() { setRecNo(0); }
    void next() { setRecNo(m_current + 1); }
    bool eof() const { return m_current >= m_visible.size(); }

    Value field(const QString& name) const;
    Value field(int row, const QString& name) const;
    Value oldField(const QString& name) const;
    void setField(const QString& name, const QVariant& value);
    void setField(int row, const QString& name, const QVariant& value);
    RowState state() const;
    RowState state(int row) const;

    // Appends a new row and makes it current.
    void append();
    // Marks the current row deleted (a row never written simply goes).
    void remove();
    // Drops every pending change.
    void cancelUpdates();

    bool hasPendingChanges() const;
    // Writes the pending changes through the update object, in row order,
    // deletions first. Throws on the first failure; nothing is marked.
    void applyUpdates();
    // The identity the engine gave a row inserted by the last applyUpdates(),
    // before the commit marks it written; nullopt for other rows.
    std::optional<qint64> insertedId(int row) const { return this->row(row).appliedId; }
    // Marks everything applied as written; call after the commit.
    void commitUpdates();

    // Events.
    std::function<void()> afterOpen;
    std::function<void()> onNewRecord;
    std::function<void(const QString& field)> onFieldChange;
    std::function<void()> beforePost;

private:
    struct Row {
        QVector<QVariant> values;
        QVector<QVariant> original;
        RowState state = RowState::Unchanged;
        std::optional<qint64> appliedId;  // identity given by the engine on apply
    };
    Row& row(int visibleRow);
    const Row& row(int visibleRow) const;
    struct Prepared {
        std::unique_ptr<Query> query;
        QVector<QPair<QString, int>> params;  // parameter name, field column (negative: -1 - column of the original)
    };
    Prepared& prepared(const QString& sql);
    void bindRow(Prepared& p, const Row& r);
    void rebuildVisible();

    Query m_query;
    UpdateSql m_update;
    QString m_identityField = QStringLiteral("Id");
    QStringList m_fields;
    QVector<Row> m_rows;
    QVector<int> m_visible;  // indexes of rows not deleted
    int m_current = 0;
    bool m_open = false;
    std::vector<Prepared> m_prepared;  // update statements, prepared once per data set
    QHash<QString, int> m_fieldIndex;  // upper-case name -> column
};

} // namespace meridox::db

#pragma once
// Server procedures called by name with named input and output parameters
// ("@Name"). On both engines they are C++ functions registered by name that
// run on the caller's connection and inside the caller's transaction.
#include "platform/db/Database.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

namespace meridox::db {

// The parameters of one call; names compared without regard to case, '@' optional.
class ProcParams {
public:
    void set(const QString& name, const QVariant& value) { m_values.insert(key(name), value); }
    QVariant get(const QString& name) const { return m_values.value(key(name)); }
    bool has(const QString& name) const { return m_values.contains(key(name)); }

private:
    static QString key(const QString& n) { return (n.startsWith(u'@') ? n.mid(1) : n).toUpper(); }
    QHash<QString, QVariant> m_values;
};

using Procedure = std::function<void(Database&, ProcParams&)>;

// The procedures the server offers; registered once at start-up.
void registerProcedure(const QString& name, Procedure procedure);
bool hasProcedure(const QString& name);

class StoredProc {
public:
    StoredProc(Database& db, QString name) : m_db(db), m_name(std::move(name)) {}

    StoredProc& setParam(const QString& name, const QVariant& value)
    {
        m_params.set(name, value);
        return *this;
    }
    QVariant param(const QString& name) const { return m_params.get(name); }
    // Runs the procedure; an unknown name is a database error.
    void exec();

private:
    Database& m_db;
    QString m_name;
    ProcParams m_params;
};

} // namespace meridox::db

#include "platform/db/Transaction.h"

#include "platform/os/Errors.h"

namespace meridox::db {

Transaction::Transaction(Database& db) : m_db(db)
{
    m_outer = db.m_transactionDepth == 0;
    if (m_outer) {
        db.execute(db.dialect().beginTransaction());
        db.m_transactionFailed = false;
    }
    ++db.m_transactionDepth;
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            rollback();
        } catch (...) {
            // A rollback on a lost connection has nothing left to undo.
        }
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    --m_db.m_transactionDepth;
    if (!m_outer)
        return;
    if (m_db.m_transactionFailed) {
        m_db.execute(QStringLiteral("ROLLBACK"));
        throw DatabaseError(QStringLiteral("The transaction was rolled back by an inner failure"));
    }
    m_db.execute(QStringLiteral("COMMIT"));
}

void Transaction::rollback()
{
    if (m_done)
        return;
    m_done = true;
    --m_db.m_transactionDepth;
    if (!m_outer) {
        m_db.m_transactionFailed = true;
        return;
    }
    m_db.m_transactionFailed = false;
    m_db.execute(QStringLiteral("ROLLBACK"));
}

} // namespace meridox::db

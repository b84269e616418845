#pragma once
// One database transaction as a scope: commit() makes it durable; leaving the
// scope without commit() rolls it back. A scope opened inside another joins
// the outer transaction, so procedures and helpers can open one freely; only
// the outermost scope commits, and a rollback anywhere dooms the whole.
#include "platform/db/Database.h"

namespace meridox::db {

class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();
    bool isOuter() const { return m_outer; }

private:
    Database& m_db;
    bool m_outer = false;
    bool m_done = false;
};

} // namespace meridox::db

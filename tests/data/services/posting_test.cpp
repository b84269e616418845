#include "ServicesFixture.h"

#include "platform/db/DataSet.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"

using namespace meridox;
using db::DataSet;
using db::Query;

namespace {

const QString S(const char* s) { return QString::fromUtf8(s); }

// An order header opened the way the order window opens it: by number and kind.
std::unique_ptr<DataSet> orderHeader(db::Database& db, const QString& number, const QString& where = S("PoNo = :PoNo AND PoType = :PoType"))
{
    auto hd = std::make_unique<DataSet>(db, S("SELECT * FROM PoHd WHERE ") + where + S(" ORDER BY Id"));
    hd->setUpdateSql({S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor, Remark) VALUES (:PoType, :PoNo, :PoDate, :Vendor, :Remark)"),
                      S("UPDATE PoHd SET Remark = :Remark WHERE Id = :OLD_Id"), S("DELETE FROM PoHd WHERE Id = :OLD_Id")});
    hd->bind(S("PoNo"), number);
    if (where.contains(S(":PoType")))
        hd->bind(S("PoType"), S("1"));
    hd->open();
    return hd;
}

void fillNew(DataSet& hd, const QString& type = S("1"))
{
    hd.append();
    hd.setField(S("PoType"), type);
    hd.setField(S("PoDate"), QDate(2026, 12, 11));
    hd.setField(S("Vendor"), 1);
    hd.setField(S("Remark"), S("ใหม่"));
}

class PostingTest : public test::ServicesTest {
protected:
    // Audit rows as "action|document id|remark|user|menu", oldest first.
    QStringList audit()
    {
        Query q(company(), S("SELECT FunctionListId, DocumentId, Remark, UserId, MenuId FROM UserLog ORDER BY Id"));
        q.open();
        QStringList rows;
        for (int r = 0; r < q.recordCount(); ++r)
            rows << S("%1|%2|%3|%4|%5")
                        .arg(q.field(r, S("FunctionListId")).asInt())
                        .arg(q.field(r, S("DocumentId")).asInteger())
                        .arg(q.field(r, S("Remark")).asString())
                        .arg(q.field(r, S("UserId")).asInt())
                        .arg(q.field(r, S("MenuId")).asInt());
        return rows;
    }
    qint64 lastNo() { return scalar(S("SELECT LastNo FROM DocumentNo WHERE Code = 'PO-01' AND DocYear = 2026")).asInteger(); }
    qint64 idOf(const QString& number, const QString& type = S("1"))
    {
        Query q(company(), S("SELECT Id FROM PoHd WHERE PoNo = :N AND PoType = :T"));
        q.bind(S("N"), number).bind(S("T"), type).open();
        return q.isEmpty() ? -1 : q.field(S("Id")).asInteger();
    }
};

TEST_P(PostingTest, NewHeaderDrawsANumberAndAnExistingOneKeepsIt)
{
    auto hd = orderHeader(dm().database(), QString());
    fillNew(*hd);
    qint64 id = 0;
    {
        db::Transaction tx(dm().database());
        id = dm().PostWithNewNumber(*hd, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S(":PoNo"));
        tx.commit();
    }
    hd->commitUpdates();
    EXPECT_EQ(hd->field(S("PoNo")).asString(), S("PO2600000001"));
    EXPECT_EQ(id, idOf(S("PO2600000001")));
    EXPECT_GT(id, 0);
    EXPECT_EQ(audit(), QStringList{S("1|0|PO2600000001|1|2")});

    // Reopened and changed: the same number, action 2 with the header's own id.
    auto again = orderHeader(dm().database(), S("PO2600000001"));
    ASSERT_EQ(again->recordCount(), 1);
    again->setField(S("Remark"), S("แก้ไข"));
    {
        db::Transaction tx(dm().database());
        EXPECT_EQ(dm().PostWithNewNumber(*again, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PONO")), id);
        tx.commit();
    }
    again->commitUpdates();
    EXPECT_EQ(lastNo(), 1);
    EXPECT_EQ(scalar(S("SELECT Remark FROM PoHd WHERE Id = ") + QString::number(id)).asString(), S("แก้ไข"));
    EXPECT_EQ(audit(), (QStringList{S("1|0|PO2600000001|1|2"), S("2|%1|PO2600000001|1|2").arg(id)}));
    EXPECT_TRUE(dialogs().all().isEmpty()) << dialogs().all().join(u'|').toStdString();
}

TEST_P(PostingTest, ARollbackLeavesNeitherNumberNorAuditRow)
{
    auto hd = orderHeader(dm().database(), QString());
    fillNew(*hd);
    {
        db::Transaction tx(dm().database());
        EXPECT_GT(dm().PostWithNewNumber(*hd, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo")), 0);
    }  // the caller gives up: rolled back
    EXPECT_EQ(lastNo(), 0);
    EXPECT_TRUE(audit().isEmpty());
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM PoHd")).asInt(), 0);
    // Nothing was marked written, so the same save can be retried.
    EXPECT_EQ(hd->state(), db::RowState::Inserted);
}

// The header query finds documents by number only, and another kind already
// carries the number the series gives next: the id is still the new header's.
TEST_P(PostingTest, TheNewIdComesFromTheInsertNotFromALookUpByNumber)
{
    sql(S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES ('2', 'PO2600000001', '2026-12-01', 1)"));
    const qint64 other = idOf(S("PO2600000001"), S("2"));
    auto hd = orderHeader(dm().database(), QString(), S("PoNo = :PoNo"));
    fillNew(*hd);
    qint64 id = 0;
    {
        db::Transaction tx(dm().database());
        id = dm().PostWithNewNumber(*hd, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo"));
        tx.commit();
    }
    EXPECT_NE(id, other);
    EXPECT_EQ(id, idOf(S("PO2600000001"), S("1")));
}

TEST_P(PostingTest, AHeaderThatCannotBeReadBackFails)
{
    // Saved as kind 2 through a query that looks for kind 1.
    auto hd = orderHeader(dm().database(), QString());
    fillNew(*hd, S("2"));
    db::Transaction tx(dm().database());
    EXPECT_EQ(dm().PostWithNewNumber(*hd, QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo")), -1);
    EXPECT_EQ(dialogs().informations, QStringList{S("Impossible Error IvNo !!!!")});
}

TEST_P(PostingTest, ATypedNumberIsWrittenAndALiveDuplicateRefused)
{
    auto hd = orderHeader(dm().database(), QString());
    fillNew(*hd);
    qint64 id = 0;
    {
        db::Transaction tx(dm().database());
        id = dm().PostWithNumber(*hd, S("     M-7"), QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo"));
        tx.commit();
    }
    hd->commitUpdates();
    EXPECT_EQ(id, idOf(S("     M-7")));
    EXPECT_EQ(lastNo(), 0);  // the series is not asked
    EXPECT_EQ(audit(), QStringList{S("1|0|     M-7|1|2")});

    // The same number again, same kind: refused before anything is written.
    auto second = orderHeader(dm().database(), QString());
    fillNew(*second);
    {
        db::Transaction tx(dm().database());
        EXPECT_EQ(dm().PostWithNumber(*second, S("     M-7"), QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo")), -1);
        tx.commit();
    }
    EXPECT_EQ(dialogs().informations, QStringList{S("เลขที่เอกสาร M-7 มีอยู่แล้ว กรุณาป้อนเลขที่ใหม่")});
    EXPECT_EQ(audit().size(), 1);
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM PoHd")).asInt(), 1);
    EXPECT_EQ(second->state(), db::RowState::Inserted);

    // Another kind may carry the number.
    auto service = orderHeader(dm().database(), QString());
    service->bind(S("PoType"), S("2"));
    fillNew(*service, S("2"));
    db::Transaction tx(dm().database());
    EXPECT_GT(dm().PostWithNumber(*service, S("     M-7"), QDate(2026, 12, 11), S("PO-01"), S("PoNo"), S("PoNo")), 0);
    tx.commit();
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM PoHd")).asInt(), 2);
}

TEST_P(PostingTest, DelGLRemovesOnlyTheDocumentsLedgerEntries)
{
    sql(S("INSERT INTO glhd (glfromdocid, glfromdocno) VALUES (7, 'MR26000001'), (7, 'MR26000002'), (8, 'MR26000001')"));
    sql(S("INSERT INTO gldt (glhd) SELECT id FROM glhd"));
    sql(S("INSERT INTO gldt (glhd) SELECT id FROM glhd"));
    dm().DelGL(7, S("  MR26000001"));
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM glhd")).asInt(), 2);
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM gldt")).asInt(), 4);
    EXPECT_EQ(scalar(S("SELECT COUNT(*) FROM glhd WHERE glfromdocid = 7 AND glfromdocno = 'MR26000001'")).asInt(), 0);
}

TEST_P(PostingTest, ServerTimeAndLastIdentity)
{
    EXPECT_EQ(dm().ServerNow(), QDateTime(QDate(2026, 12, 11), QTime(10, 30)));
    Query(dm().database(), S("INSERT INTO glhd (glfromdocid, glfromdocno) VALUES (1, 'X')")).exec();
    EXPECT_EQ(dm().LastIdentity(), scalar(S("SELECT MAX(id) FROM glhd")).asInteger());
}

MERIDOX_ON_ENGINES(PostingTest);

} // namespace

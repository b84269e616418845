// The one save of every document window, on a small header-and-lines
// window over tables of its own: a failure among the lines writes nothing
// and leaves every typed value in place, so the user mends it and saves again.
#include "data/Session.h"
#include "data/U_DM.h"
#include "framework/Fr_HdDtTransaction.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "support/DemoServer.h"
#include "support/TestServer.h"

#include <QAction>
#include <QApplication>
#include <gtest/gtest.h>

using namespace meridox;
using db::Query;

namespace {

class TestNoteWindow : public TFrHdDtTransaction {
public:
    TestNoteWindow()
    {
        QHd->setSql(QStringLiteral("SELECT Id, DocNo, DocDate FROM TstHd WHERE Id = :Id"));
        QHd->bind(QStringLiteral("Id"), -1);
        QHd->setUpdateSql({QStringLiteral("INSERT INTO TstHd (DocNo, DocDate) VALUES (:DocNo, :DocDate)"),
                           QStringLiteral("UPDATE TstHd SET DocNo = :DocNo, DocDate = :DocDate WHERE Id = :OLD_Id"),
                           QStringLiteral("DELETE FROM TstHd WHERE Id = :OLD_Id")});
        QDt->setSql(QStringLiteral("SELECT Id, HdId, Code, Qty FROM TstDt WHERE HdId = :Id"));
        QDt->bind(QStringLiteral("Id"), -1);
        QDt->setUpdateSql({QStringLiteral("INSERT INTO TstDt (HdId, Code, Qty) VALUES (:HdId, :Code, :Qty)"),
                           QStringLiteral("UPDATE TstDt SET Code = :Code, Qty = :Qty WHERE Id = :OLD_Id"),
                           QStringLiteral("DELETE FROM TstDt WHERE Id = :OLD_Id")});
    }
    void AcNewExecute() override
    {
        TFrHdDtTransaction::AcNewExecute();
        QHd->open();
        DHd->append();
        QDt->open();
        DDt->refresh();
    }
    void AcSaveExecute() override { SaveDocument(); }

    QStringList calls;

protected:
    void SaveBeforeLines() override
    {
        calls << QStringLiteral("lines");
        const qint64 id = QHd->insertedId(0).value_or(QHd->field(QStringLiteral("Id")).asInteger());
        for (int r = 0; r < QDt->recordCount(); ++r)
            QDt->setField(r, QStringLiteral("HdId"), id);
    }
    void SaveAfterLines() override { calls << QStringLiteral("after"); }
    void SaveAudit() override { calls << QStringLiteral("audit"); }
    void SaveCommitted() override { calls << QStringLiteral("committed"); }
};

class SaveDocumentTest : public ::testing::TestWithParam<db::Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        m_demo = std::make_unique<test::DemoServer>(GetParam());
        m_demo->signIn();
        Session::current().AddRight = true;
        db::Database& db = m_demo->company();
        const QString id = db.dialect().columnType(db::ColumnKind::Id, 0);
        db.execute(QStringLiteral("CREATE TABLE TstHd (Id %1, DocNo VARCHAR(20) NOT NULL, DocDate DATE)").arg(id));
        db.execute(QStringLiteral("CREATE TABLE TstDt (Id %1, HdId INTEGER NOT NULL, Code VARCHAR(20), "
                                  "Qty DOUBLE PRECISION NOT NULL)")
                       .arg(id));
    }
    void TearDown() override { m_demo.reset(); }
    int count(const QString& table)
    {
        return Query(m_demo->company(), QStringLiteral("SELECT COUNT(*) AS N FROM ") + table).open().field("N").asInt();
    }
    std::unique_ptr<test::DemoServer> m_demo;
};

TEST_P(SaveDocumentTest, AFailureAmongTheLinesWritesNothingAndASecondSaveSucceeds)
{
    TestNoteWindow w;
    w.FormShow();
    w.QHd->setField(QStringLiteral("DocNo"), QStringLiteral("CN-0001"));
    w.QHd->setField(QStringLiteral("DocDate"), QDate(2026, 12, 11));
    const std::pair<const char*, QVariant> lines[] = {{"P-1", 2.0}, {"P-2", QVariant()}, {"P-3", 4.5}};
    for (const auto& [code, qty] : lines) {
        w.DDt->append();
        w.QDt->setField(QStringLiteral("Code"), QString::fromLatin1(code));
        w.QDt->setField(QStringLiteral("Qty"), qty);
    }
    w.ApplyRights(false);
    ASSERT_TRUE(w.AcSave->isEnabled());

    m_demo->dialogs().answers = {true};
    w.AcSave->trigger();
    EXPECT_EQ(count("TstHd"), 0);
    EXPECT_EQ(count("TstDt"), 0);
    ASSERT_EQ(m_demo->dialogs().errors.size(), 1) << m_demo->dialogs().all().join(u'|').toStdString();
    EXPECT_TRUE(m_demo->dialogs().errors[0].contains("NULL")) << m_demo->dialogs().errors[0].toStdString();
    EXPECT_EQ(w.calls, QStringList{"lines"});
    // Everything typed is still there, still pending.
    EXPECT_EQ(w.FaGetDocNo->text(), "CN-0001");
    EXPECT_EQ(w.QHd->state(0), db::RowState::Inserted);
    ASSERT_EQ(w.QDt->recordCount(), 3);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(w.QDt->field(r, "Code").asString(), QString::fromLatin1(lines[r].first));
        EXPECT_EQ(w.QDt->state(r), db::RowState::Inserted);
    }
    EXPECT_FALSE(TDM::instance().database().inTransaction());

    // Mended and saved again.
    w.QDt->setField(1, QStringLiteral("Qty"), 1.0);
    w.calls.clear();
    m_demo->dialogs().answers = {true};
    w.AcSave->trigger();
    EXPECT_EQ(w.calls, (QStringList{"lines", "after", "audit", "committed"}));
    EXPECT_EQ(count("TstHd"), 1);
    EXPECT_EQ(count("TstDt"), 3);
    EXPECT_FALSE(w.QHd->hasPendingChanges());
    EXPECT_FALSE(w.QDt->hasPendingChanges());
    const qint64 hd = Query(m_demo->company(), "SELECT Id FROM TstHd").open().field("Id").asInteger();
    EXPECT_EQ(Query(m_demo->company(), "SELECT COUNT(*) AS N FROM TstDt WHERE HdId = :H").bind("H", hd).open().field("N").asInt(), 3);
    EXPECT_EQ(m_demo->dialogs().questions, (QStringList{Session::current().SavePrompt, Session::current().SavePrompt}));
}

TEST_P(SaveDocumentTest, NoToTheSaveQuestionWritesNothing)
{
    TestNoteWindow w;
    w.FormShow();
    w.QHd->setField(QStringLiteral("DocNo"), QStringLiteral("CN-0002"));
    m_demo->dialogs().answers = {false};
    w.ApplyRights(false);
    w.AcSave->trigger();
    EXPECT_EQ(count("TstHd"), 0);
    EXPECT_TRUE(w.calls.isEmpty());
    EXPECT_TRUE(w.QHd->hasPendingChanges());
}

MERIDOX_ON_ENGINES(SaveDocumentTest);

} // namespace

// The working window base on real widgets and real key events: Enter and
// Esc, the close question, the toolbar shortcuts, the rights on Save,
// Delete and Print, and the one save of every document window.
#include "data/Session.h"
#include "data/U_DM.h"
#include "framework/Fr_Form.h"
#include "framework/Fr_HdDtTransaction.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/DbGrid.h"
#include "support/DemoServer.h"
#include "support/TestServer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace meridox;

namespace {

void showAndFocus(QWidget* w, QWidget* focus)
{
    w->show();
    QApplication::setActiveWindow(w);
    (void)QTest::qWaitForWindowActive(w);
    focus->setFocus();
    QApplication::processEvents();
}

// A plain working window with three fields, counting its Save.
class CountingForm : public TFrForm {
public:
    CountingForm()
    {
        auto* lay = new QVBoxLayout(clientArea());
        auto* form = new QFormLayout;
        const char* labels[] = {"รหัสผู้จำหน่าย", "ชื่อผู้จำหน่าย", "หมายเหตุ"};
        int i = 0;
        for (auto* e : {&first, &middle, &last}) {
            *e = new QLineEdit(clientArea());
            (*e)->setMaximumWidth(360);
            form->addRow(QString::fromUtf8(labels[i++]), *e);
        }
        lay->addLayout(form);
        lay->addStretch(1);
        setTabOrder(first, middle);
        setTabOrder(middle, last);
    }
    void AcSaveExecute() override { ++saves; }
    QLineEdit *first, *middle, *last;
    int saves = 0;
};

class WindowBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qApp->setQuitOnLastWindowClosed(false);
        m_demo = std::make_unique<test::DemoServer>(db::Engine::SQLite);
        m_demo->signIn();
        Session& s = Session::current();
        s.LanguageThai = true;
        s.MenuCaption = QStringLiteral("  ใบลดหนี้ ");
        s.CompanyName = QStringLiteral("บริษัท ทดสอบ จำกัด");
        s.AddRight = s.ModifyRight = s.DeleteRight = true;
    }
    void TearDown() override { m_demo.reset(); }
    ui::RecordingDialogs& dialogs() { return m_demo->dialogs(); }
    std::unique_ptr<test::DemoServer> m_demo;
};

TEST_F(WindowBaseTest, ToolbarButtonsInOrderBoundToTheirActions)
{
    TFrForm w;
    QStringList names, captions, hints, keys;
    for (QToolButton* b : {w.BNew, w.BDel, w.BSave, w.BChgCode, w.BHist, w.BCopy, w.BPrint, w.BApporved, w.BExit}) {
        names << b->objectName();
        captions << b->text();
    }
    for (QAction* a : {w.AcNew, w.AcDel, w.AcSave, w.AcHist, w.AcCopy, w.AcPrint, w.AcExit, w.AcChgCode}) {
        hints << a->toolTip();
        keys << a->shortcut().toString();
    }
    EXPECT_EQ(names.join(u','), "BNew,BDel,BSave,BChgCode,BHist,BCopy,BPrint,BApporved,BExit");
    EXPECT_EQ(captions.join(u','), "New,Delete,Save,Chg Code,Hist.,Copy,Print,Apporved,Exit");
    EXPECT_EQ(hints.join(u','), "New Record,Delete Record,Save Record,Show History,Copy Record,Print Record,Exit Program,Chg Code");
    EXPECT_EQ(keys.join(u','), "F3,F8,F10,Ctrl+H,F6,Ctrl+P,Ctrl+X,F12");
    // The toolbar's order on screen is the order of the layout.
    QList<int> xs;
    w.resize(1366, 768);
    w.show();
    QApplication::processEvents();
    for (QToolButton* b : {w.BNew, w.BDel, w.BSave, w.BChgCode, w.BHist, w.BCopy, w.BPrint, w.BApporved, w.BExit})
        xs << b->x();
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
}

TEST_F(WindowBaseTest, FormShowTitlesHidesOptionalButtonsAndStartsANewDocument)
{
    CountingForm w;
    w.AcSave->setEnabled(true);
    w.ChgCode->show();
    w.FormShow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ใบลดหนี้ [6.0]"));
    EXPECT_EQ(w.statusText(0), QStringLiteral("บริษัท ทดสอบ จำกัด"));
    for (QToolButton* b : {w.BHist, w.BCopy, w.BPrint, w.BChgCode, w.BApporved})
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
    for (QToolButton* b : {w.BNew, w.BDel, w.BSave, w.BExit})
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_FALSE(w.AcSave->isEnabled());
    EXPECT_FALSE(w.AcDel->isEnabled());
    EXPECT_FALSE(w.AcChgCode->isEnabled());
    EXPECT_TRUE(w.ChgCode->isHidden());
    EXPECT_TRUE(w.keyPreview());
}

TEST_F(WindowBaseTest, F10DoesNothingWhileSaveIsDisabled)
{
    CountingForm w;
    w.FormShow();
    showAndFocus(&w, w.first);
    QTest::keyClick(w.first, Qt::Key_F10);
    EXPECT_EQ(w.saves, 0);
    w.ApplyRights(false);
    QTest::keyClick(w.first, Qt::Key_F10);
    EXPECT_EQ(w.saves, 1);
}

TEST_F(WindowBaseTest, EnterMovesToTheNextControlAndWrapsFromTheLast)
{
    CountingForm w;
    auto* memo = new QPlainTextEdit(w.clientArea());
    w.clientArea()->layout()->addWidget(memo);
    QWidget::setTabOrder(w.last, memo);
    w.FormShow();
    showAndFocus(&w, w.first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w.middle);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), w.last);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), memo);
    // Swallowed: the memo gets no line break; the last control wraps to the first.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.first);
}

TEST_F(WindowBaseTest, EscAsksTheCloseQuestionAndNoKeepsTheWindow)
{
    CountingForm w;
    w.FormShow();
    showAndFocus(&w, w.first);
    QTest::keyClicks(w.first, "unsaved");
    dialogs().answers = {false};
    QTest::keyClick(w.first, Qt::Key_Escape);
    EXPECT_EQ(dialogs().questions, QStringList{QStringLiteral("ออกจากโปรแกรม ?")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.first->text(), "unsaved");
    dialogs().answers = {true};
    QTest::keyClick(w.first, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(WindowBaseTest, CloseQuestionInEnglishWithoutLanguageThai)
{
    Session::current().LanguageThai = false;
    TFrHdDtTransaction w;
    w.FormShow();
    dialogs().answers = {false};
    w.AcExitExecute();
    EXPECT_EQ(dialogs().questions, QStringList{QStringLiteral("Exit Program ?")});
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("Description"));
    // The green is for this one question only.
    EXPECT_EQ(TDM::instance().ConfirmColor, QColor(Qt::blue));
}

// A header-and-lines window with an open, empty document.
class LinesWindow : public TFrHdDtTransaction {
public:
    LinesWindow()
    {
        QHd->setSql(QStringLiteral("SELECT 'X' AS DocNo, NULL AS DocDate WHERE 1 = 0"));
        QHd->open();
        DHd->append();
        QDt->setSql(QStringLiteral("SELECT 1 AS LineNo, 'A' AS Code, 1.0 AS Qty WHERE 1 = 0"));
        QDt->open();
        DDt->refresh();
        DgDt->setColumns({{QStringLiteral("Code"), QStringLiteral("รหัส"), 100},
                          {QStringLiteral("Qty"), QStringLiteral("จำนวน"), 80, ui::GridColumn::Number, 2}});
    }
};

TEST_F(WindowBaseTest, EscInsideTheLineGridDoesNotClose)
{
    LinesWindow w;
    w.FormShow();
    showAndFocus(&w, w.FaGetDocNo);
    EXPECT_TRUE(w.keyPreview());
    w.DgDt->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(w.keyPreview());
    QTest::keyClick(w.DgDt, Qt::Key_Escape);
    EXPECT_TRUE(dialogs().questions.isEmpty());
    EXPECT_TRUE(w.isVisible());
    // Enter in the grid belongs to the grid: a line, then its next cell.
    QTest::keyClick(w.DgDt, Qt::Key_Return);
    ASSERT_EQ(w.QDt->recordCount(), 1);
    EXPECT_EQ(QApplication::focusWidget(), w.DgDt);
    w.FaGetDocNo->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(w.keyPreview());
    // The untouched line went when the grid was left.
    EXPECT_EQ(w.QDt->recordCount(), 0);
    QTest::keyClick(w.FaGetDocNo, Qt::Key_Escape);
    EXPECT_EQ(dialogs().questions.size(), 1);
}

TEST_F(WindowBaseTest, HeaderAndLinesWindowHasTheShortToolbar)
{
    LinesWindow w;
    EXPECT_EQ(w.AcPrint, nullptr);
    EXPECT_EQ(w.BHist, nullptr);
    QStringList keys;
    for (QAction* a : w.actions())
        keys << a->objectName() + u'=' + a->shortcut().toString();
    EXPECT_EQ(keys.join(u','), "AcNew=F3,AcDel=F8,AcSave=F10,AcExit=Ctrl+X");
    w.resize(1366, 768);
    w.FormShow();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.BtDeleteLine->width(), w.GbDetail->width() - 8);
    EXPECT_EQ(w.PageControl1->tabText(0), QStringLiteral("รายละเอียดเอกสาร"));
}

struct RightsCase {
    bool existing, add, modify, del;
    bool windowSave, windowDelete;
    DocumentRights want;
};

TEST_F(WindowBaseTest, RightsForNewAndExistingDocuments)
{
    const RightsCase cases[] = {
        // new document: Save by AddRight only; never Delete or Print
        {false, true, false, true, true, true, {true, false, false}},
        {false, false, true, true, true, true, {false, false, false}},
        {false, true, true, true, false, true, {false, false, false}},
        // existing document: Save by ModifyRight, Delete by DeleteRight, Print always
        {true, true, false, true, true, true, {false, true, true}},
        {true, false, true, false, true, true, {true, false, true}},
        {true, true, true, true, true, false, {true, false, true}},   // e.g. already paid
        {true, true, true, true, false, true, {false, true, true}},
        {true, false, false, false, true, true, {false, false, true}},
    };
    Session s;
    for (const RightsCase& c : cases) {
        s.AddRight = c.add;
        s.ModifyRight = c.modify;
        s.DeleteRight = c.del;
        const DocumentRights got = documentRights(s, c.existing, c.windowSave, c.windowDelete);
        EXPECT_EQ(got, c.want) << "existing " << c.existing << " add " << c.add << " modify " << c.modify << " delete "
                               << c.del << " window " << c.windowSave << c.windowDelete;
    }
    // The window helper puts the same rule on its actions.
    Session::current().ModifyRight = false;
    TFrForm w;
    w.ApplyRights(true);
    EXPECT_FALSE(w.AcSave->isEnabled());
    EXPECT_TRUE(w.AcDel->isEnabled());
    EXPECT_TRUE(w.AcPrint->isEnabled());
}

TEST_F(WindowBaseTest, ScreenshotsWithThaiCaptions)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
    QDir().mkpath(dir);
    CountingForm f;
    f.resize(1366, 768);
    f.FormShow();
    f.show();
    QApplication::processEvents();
    EXPECT_TRUE(f.grab().save(dir + QStringLiteral("/TFrForm.png")));

    LinesWindow w;
    w.resize(1366, 768);
    w.QDt->append();
    w.QDt->setField(QStringLiteral("Code"), QStringLiteral("P-0001"));
    w.QDt->setField(QStringLiteral("Qty"), 12.5);
    w.QDt->append();
    w.QDt->setField(QStringLiteral("Code"), QStringLiteral("P-0002"));
    w.QDt->setField(QStringLiteral("Qty"), 3.0);
    w.DDt->refresh();
    auto cols = w.DgDt->columns();
    cols[1].footerSum = true;
    w.DgDt->setColumns(cols);
    w.FormShow();
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(dir + QStringLiteral("/TFrHdDtTransaction.png")));
}

} // namespace

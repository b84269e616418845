#include "ServicesFixture.h"

#include "data/ErrorHandler.h"
#include "data/Fr_ShowError.h"
#include "platform/db/Query.h"
#include "platform/os/Errors.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

using namespace meridox;
using db::Query;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

const QString Price = S("กำหนดราคาไม่ครบถ้วน");
const QString Warehouse = S("ไม่ได้ป้อนข้อมูลคลัง");
const QString Vendor = S("ไม่ได้ป้อนข้อมูลเจ้าหนี้");
const QString Fraction = S("ไม่ได้ป้อนข้อมูลหน่วย หรือ ข้อมูลหน่วยผิดพลาด");
const QString Salesman = S("ไม่ได้ป้อนข้อมูลพนักงานขาย");
const QString Network = S("ระบบเครือข่าย หรือ คอมพิวเตอร์แม่ข่ายมีปัญหา ติดต่อเครื่องแม่ข่ายไม่ได้");
const QString Referenced = S("ข้อมูลที่ลบถูกอ้างโดยข้อมูลอื่น ไม่สามารถลบข้อมูลนี้ได้");
const QString TimedOut = S("เครื่องแม่ข่ายตัดการติดต่อ เพราะเครื่องนี้อาจเรียกข้อมูลปริมาณมากเกินไป");
const QString Duplicate = S("ข้อมูลที่เพิ่มซ้ำกับข้อมูลที่มีอยู่แล้ว");
const QString BadDate = S("ป้อนวันที่ไม่ถูกต้อง");
const QString Printer = S("ยังไม่ได้กำหนดเครื่องพิมพ์ หรือ เครื่องพิมพ์มีปัญหา");
const QString Transport = S("ไม่ได้ป้อนข้อมูลการขนส่ง");

// The message of the database error a statement raises, or "" when it succeeds.
QString engineError(const std::function<void()>& run)
{
    try {
        run();
    } catch (const DatabaseError& e) {
        return e.message();
    }
    return {};
}

class ErrorHandlerTest : public test::ServicesTest {
protected:
    void SetUp() override
    {
        test::ServicesTest::SetUp();
        if (IsSkipped())
            return;
        installErrorHandler();
        Session::current().writeErrorLog = [this](const QString& m) { m_logged << m; };
    }
    // Handles the error of one statement on the company connection.
    QString handled(const QString& statement)
    {
        const QString message = engineError([&] { Query(dm().database(), statement).exec(); });
        if (message.isEmpty())
            return {};
        dialogs().clear();
        handleError(message);
        EXPECT_EQ(m_logged.value(m_logged.size() - 1), message);  // the raw message is logged
        EXPECT_EQ(dialogs().errors.size(), 1);
        return dialogs().errors.value(0);
    }
    QStringList m_logged;
};

// Columns of the table that are NOT NULL nowhere in the schema (Customer,
// Transportation) cannot raise their error from the engine.
TEST_P(ErrorHandlerTest, EngineErrorsGetTheirExplanation)
{
    sql(S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES ('1', 'PO1', '2026-12-01', 1)"));
    const QString hd = scalar(S("SELECT Id FROM PoHd")).asString();
    const QString product = scalar(S("SELECT MIN(Product) FROM ProductUnits")).asString();
    ASSERT_FALSE(product.isEmpty());

    struct Case {
        QString statement;
        QString explanation;
        const char* found;  // the row of the table, as the engine's message carries it in capitals
    };
    const Case cases[] = {
        {S("INSERT INTO PoDt (PoHd, Fraction, Quantity) VALUES (") + hd + S(", 1, 2)"), Price,
         "CANNOT INSERT THE VALUE NULL INTO COLUMN 'PRICE'"},
        {S("INSERT INTO LotOnHand (Product, LotNo, BalanceYear) VALUES (1, 1, 2026)"), Warehouse,
         "CANNOT INSERT THE VALUE NULL INTO COLUMN 'WAREHOUSE'"},
        {S("INSERT INTO PoHd (PoType, PoNo) VALUES ('1', 'PO2')"), Vendor, "CANNOT INSERT THE VALUE NULL INTO COLUMN 'VENDOR'"},
        {S("INSERT INTO ProductUnits (Product, UnitName) VALUES (") + product + S(", 'BOX')"), Fraction,
         "CANNOT INSERT THE VALUE NULL INTO COLUMN 'FRACTION'"},
        {S("INSERT INTO Customer (Code) VALUES ('C-NEW')"), Salesman, "CANNOT INSERT THE VALUE NULL INTO COLUMN 'SALESMAN'"},
        {S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES ('1', 'PO1', '2026-12-02', 2)"), Duplicate,
         "CANNOT INSERT DUPLICATE KEY"},
        {S("DELETE FROM Product WHERE Id = ") + product, Referenced, "DELETE STATEMENT CONFLICTED WITH COLUMN REFERENCE"},
    };
    for (const Case& c : cases) {
        const QString shown = handled(c.statement);
        ASSERT_FALSE(shown.isEmpty()) << "no error from " << c.statement.toStdString();
        EXPECT_TRUE(shown.startsWith(c.explanation + u'\n')) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QLatin1String(c.found))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(u'\n'));
        EXPECT_EQ(shown, shown.toUpper().replace(c.explanation.toUpper(), c.explanation));  // message in capitals
    }
}

TEST_P(ErrorHandlerTest, ALostConnectionAndATimeOutOnTheServer)
{
    if (GetParam() != db::Engine::PostgreSQL)
        GTEST_SKIP() << "the embedded engine has no server to lose";
    Query(dm().database(), S("SELECT set_config('statement_timeout', '50', false)")).open();
    const QString slow = handled(S("SELECT pg_sleep(2)"));
    EXPECT_TRUE(slow.startsWith(TimedOut + u'\n')) << slow.toStdString();
    Query(dm().database(), S("SELECT set_config('statement_timeout', '0', false)")).open();

    const qint64 pid = Query(dm().database(), S("SELECT pg_backend_pid() AS Pid")).open().field(S("Pid")).asInteger();
    Query(company(), S("SELECT pg_terminate_backend(:Pid)")).bind(S("Pid"), pid).open();
    QThread::msleep(200);
    const QString message = engineError([&] { dm().GetTaxRate(1); });
    ASSERT_FALSE(message.isEmpty());
    dialogs().clear();
    handleError(message);
    ASSERT_EQ(dialogs().errors.size(), 1);
    EXPECT_TRUE(dialogs().errors[0].startsWith(Network + u'\n')) << dialogs().errors[0].toStdString();
    EXPECT_TRUE(dialogs().errors[0].contains(QLatin1String("POSSIBLE NETWORK ERROR")));
}

// An error inside an event handler of a window goes through the application
// object to the handler; the window stays open and answers the next event.
TEST_P(ErrorHandlerTest, AnErrorInAnEventHandlerReachesTheHandlerAndTheWindowStaysOpen)
{
    sql(S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES ('1', 'PO1', '2026-12-01', 1)"));
    QWidget window;
    auto* save = new QPushButton(S("Save"), &window);
    auto* other = new QPushButton(S("Other"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(save);
    layout->addWidget(other);
    std::function<void()> action;
    int others = 0;
    QObject::connect(save, &QPushButton::clicked, [&] { action(); });
    QObject::connect(other, &QPushButton::clicked, [&] { ++others; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    struct Case {
        std::function<void()> raise;
        QString explanation;
    };
    const Case cases[] = {
        {[&] { Query(dm().database(), S("INSERT INTO PoHd (PoType, PoNo, PoDate, Vendor) VALUES ('1', 'PO1', '2026-12-01', 1)")).exec(); },
         Duplicate},
        {[] { throw ConversionError(S("'31/02/2026' is not a valid date")); }, BadDate},
        {[] { throw PrinterError(S("Printer selected is not valid")); }, Printer},
        {[] { throw 42; }, QString()},  // not an error object at all: still caught, the program goes on
    };
    for (const Case& c : cases) {
        dialogs().clear();
        action = c.raise;
        QTest::mouseClick(save, Qt::LeftButton);
        ASSERT_EQ(dialogs().errors.size(), 1);
        EXPECT_TRUE(dialogs().errors[0].startsWith(c.explanation + u'\n')) << dialogs().errors[0].toStdString();
        EXPECT_TRUE(window.isVisible());
    }
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(others, 1);
    EXPECT_EQ(m_logged.size(), 4);
    EXPECT_EQ(m_logged.value(2), S("Printer selected is not valid"));
    EXPECT_EQ(m_logged.value(3), S("Unknown error"));
}

TEST_P(ErrorHandlerTest, AFailingErrorLogStillShowsTheError)
{
    Session::current().writeErrorLog = [](const QString&) {
        throw DatabaseError(S("General SQL error.\nPossible network error: config database gone"));
    };
    handleError(S("Cannot insert duplicate key row in object 'PoHd'"));
    EXPECT_EQ(dialogs().errors,
              QStringList{Duplicate + S("\nCANNOT INSERT DUPLICATE KEY ROW IN OBJECT 'POHD'\n")});
}

MERIDOX_ON_ENGINES(ErrorHandlerTest);

TEST(ErrorTranslation, FirstRowOfTheTableWinsAndUnknownMessagesStandAlone)
{
    struct Case {
        const char* message;
        QString shown;
    };
    const Case cases[] = {
        // Transportation comes before Price in the table.
        {"Cannot insert the value NULL into column 'Price' ... Cannot insert the value NULL into column 'Transportation'",
         Transport + S("\nCANNOT INSERT THE VALUE NULL INTO COLUMN 'PRICE' ... CANNOT INSERT THE VALUE NULL INTO COLUMN "
                       "'TRANSPORTATION'\n")},
        {"Cannot insert duplicate key; '1/13/2026' is not a valid date", BadDate + S("\nCANNOT INSERT DUPLICATE KEY; '1/13/2026' IS NOT A VALID DATE\n")},
        {"possible NETWORK error", Network + S("\nPOSSIBLE NETWORK ERROR\n")},
        {"Insufficient memory for this operation", S("Memory หน่วยความจำของเครื่องไม่เพียงพอ\nINSUFFICIENT MEMORY FOR THIS OPERATION\n")},
        {"Cannot insert the value NULL into column 'Customer', table 'SoHd'",
         S("ไม่ได้ป้อนข้อมูลลูกค้า\nCANNOT INSERT THE VALUE NULL INTO COLUMN 'CUSTOMER', TABLE 'SOHD'\n")},
        {"List index out of bounds (3)", S("\nLIST INDEX OUT OF BOUNDS (3)\n")},
        {"ข้อผิดพลาด abc", S("\nข้อผิดพลาด ABC\n")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorWindowText(S(c.message)), c.shown) << c.message;
}

// ---- the error window itself

class ShowErrorTest : public ::testing::Test {
protected:
    void SetUp() override { TFrShowError::setTickInterval(5); }
    void TearDown() override { TFrShowError::setTickInterval(1000); }
};

TEST_F(ShowErrorTest, LeftAloneItClosesAtTheNinthTickAsDontSend)
{
    TFrShowError w;
    w.setText(S("กำหนดราคาไม่ครบถ้วน\nTEXT\n"));
    QString text, focus;
    QPoint at;
    bool readOnly = false;
    QTimer::singleShot(0, &w, [&] {
        text = w.ErrorBox->toPlainText();
        readOnly = w.ErrorBox->isReadOnly();
        focus = w.focusWidget() ? w.focusWidget()->objectName() : QString();
        at = w.pos();
    });
    EXPECT_EQ(w.exec(), QDialog::Rejected);
    EXPECT_EQ(w.ticks(), 9);
    EXPECT_FALSE(w.timerActive());
    EXPECT_EQ(text, S("กำหนดราคาไม่ครบถ้วน\nTEXT\n"));
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(focus, S("BCancel"));
    EXPECT_EQ(at, QPoint(50, 100));
    EXPECT_EQ(w.windowTitle(), S("Windows Error Message"));
    EXPECT_EQ(w.BOk->text(), S("Send Error"));
    EXPECT_EQ(w.BCancel->text(), S("Don't Send"));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowSystemMenuHint);
}

TEST_F(ShowErrorTest, SendErrorStopsTheCountAndCloses)
{
    TFrShowError::setTickInterval(1000);
    TFrShowError w;
    QTimer::singleShot(0, &w, [&] { QTest::mouseClick(w.BOk, Qt::LeftButton); });
    EXPECT_EQ(w.exec(), QDialog::Accepted);
    EXPECT_EQ(w.ticks(), 0);
    EXPECT_FALSE(w.timerActive());
}

// Without a recorder the handler opens the real window, even when the error
// log cannot be written; the window closes by itself.
TEST_F(ShowErrorTest, TheHandlerShowsTheRealWindowWhenTheLogFails)
{
    auto previous = ui::Dialogs::install(std::make_unique<ui::Dialogs>());
    auto previousLog = Session::current().writeErrorLog;
    installErrorHandler();
    Session::current().writeErrorLog = [](const QString&) { throw DatabaseError(S("Cannot reach the database server")); };
    QStringList seen;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* e = qobject_cast<TFrShowError*>(w); e && e->isVisible())
                seen << e->ErrorBox->toPlainText();
    });
    ui::Application::handleException(S("Possible network error: gone"));
    ui::Dialogs::install(std::move(previous));
    Session::current().writeErrorLog = previousLog;
    EXPECT_EQ(seen, QStringList{Network + S("\nPOSSIBLE NETWORK ERROR: GONE\n")});
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TFrShowError*>(w), nullptr);  // destroyed after showing
}

} // namespace

#include "ServicesFixture.h"

#include "platform/db/Query.h"

using namespace meridox;
using db::Query;

namespace {

const QString Locked = QString::fromUtf8("รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้");

TEST(PadDocumentNo, TrimsCutsOrPadsOnTheLeft)
{
    struct Case {
        const char* typed;
        int length;
        const char* expected;
    };
    const Case cases[] = {
        {"123", 8, "     123"},          // padded with blanks on the left
        {"1234567890", 8, "12345678"},   // cut to its first characters
        {"  12  ", 5, "   12"},          // trimmed before padding
        {"  123456789 ", 8, "12345678"}, // trimmed before cutting
        {"12345678", 8, "12345678"},
        {"", 3, "   "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TDM::PadDocumentNo(QString::fromUtf8(c.typed), c.length), QString::fromUtf8(c.expected))
            << c.typed << " / " << c.length;
}

using NumbersPeriodsTest = test::ServicesTest;

TEST_P(NumbersPeriodsTest, DocumentLengthAndNumberingModeOfACode)
{
    sql(QStringLiteral("INSERT INTO DocumentNo (Code, Prefix, LastNo, DocumentLength, AutoRun, DocYear) "
                       "VALUES ('MAN-01', 'MN', 0, 8, 'N', 2026), ('PO-01', 'PX', 0, 9, 'N', 2025)"));
    sql(QStringLiteral("INSERT INTO DocNoConvert (Code, DocYear, DocumentNo) "
                       "SELECT 'PO-02', 2026, Id FROM DocumentNo WHERE Code = 'MAN-01'"));

    EXPECT_EQ(dm().GetDocumentLength(QStringLiteral("PO-01")), 12);  // the running year's row, not 2025's
    EXPECT_TRUE(dm().AutoRunFlag);
    EXPECT_EQ(dm().GetDocumentLength(QStringLiteral("MAN-01")), 8);
    EXPECT_FALSE(dm().AutoRunFlag);
    // Redirected: the linked series' length and mode.
    dm().AutoRunFlag = true;
    EXPECT_EQ(dm().GetDocumentLength(QStringLiteral("PO-02")), 8);
    EXPECT_FALSE(dm().AutoRunFlag);
    EXPECT_TRUE(dialogs().all().isEmpty());

    dm().AutoRunFlag = true;
    EXPECT_EQ(dm().GetDocumentLength(QStringLiteral("XX-9")), 0);
    EXPECT_FALSE(dm().AutoRunFlag);
    EXPECT_EQ(dialogs().informations, QStringList{QString::fromUtf8("ไม่พบรหัสเอกสาร XX-9\nปี 2026")});

    EXPECT_EQ(dm().NextDocumentNo(QStringLiteral("PO-01"), QDate(2026, 3, 4)), QStringLiteral("PO2600000001"));
    EXPECT_EQ(dm().NextDocumentNo(QStringLiteral("PO-01"), QDate(2026, 3, 4)), QStringLiteral("PO2600000002"));
}

TEST_P(NumbersPeriodsTest, RunYearAllowsTheNextYearOnly)
{
    sql(QStringLiteral("UPDATE Config SET RunYear = 2024"));
    dm().ReloadConfig();
    EXPECT_TRUE(dm().CheckRunYear(QDate(2023, 1, 1)));
    EXPECT_TRUE(dm().CheckRunYear(QDate(2024, 6, 30)));
    EXPECT_TRUE(dm().CheckRunYear(QDate(2025, 12, 31)));
    EXPECT_FALSE(dm().CheckRunYear(QDate(2026, 1, 1)));
}

// Periods of two years, the newer one overlapping the older at both ends of
// December 2024 and in February 2025.
TEST_P(NumbersPeriodsTest, PeriodLockByDate)
{
    sql(QStringLiteral("DELETE FROM accountperiod"));
    Query ins(company(), QStringLiteral("INSERT INTO accountperiod (accountyear, Start1, Stop1, Lock1, Start2, Stop2, Lock2, "
                                        "Start3, Stop3, Lock3, Start12, Stop12, Lock12) VALUES (:Y, :S1, :E1, :L1, :S2, :E2, :L2, "
                                        ":S3, :E3, :L3, :S12, :E12, :L12)"));
    ins.bind(QStringLiteral("Y"), 2024)
        .bind(QStringLiteral("S1"), QDate(2024, 1, 1)).bind(QStringLiteral("E1"), QDate(2024, 1, 31)).bind(QStringLiteral("L1"), "Y")
        .bind(QStringLiteral("S2"), QDate(2024, 2, 1)).bind(QStringLiteral("E2"), QDate(2024, 2, 29)).bind(QStringLiteral("L2"), "N")
        .bind(QStringLiteral("S3"), QDate(2025, 2, 1)).bind(QStringLiteral("E3"), QDate(2025, 2, 15)).bind(QStringLiteral("L3"), "N")
        .bind(QStringLiteral("S12"), QDate(2024, 12, 1)).bind(QStringLiteral("E12"), QDate(2024, 12, 31)).bind(QStringLiteral("L12"), "Y")
        .exec();
    ins.bind(QStringLiteral("Y"), 2025)
        .bind(QStringLiteral("S1"), QDate(2024, 12, 16)).bind(QStringLiteral("E1"), QDate(2025, 1, 31)).bind(QStringLiteral("L1"), "N")
        .bind(QStringLiteral("S2"), QDate(2025, 2, 1)).bind(QStringLiteral("E2"), QDate(2025, 2, 28)).bind(QStringLiteral("L2"), "Y")
        // Overlaps period 2: the earlier period of a row decides.
        .bind(QStringLiteral("S3"), QDate(2025, 2, 20)).bind(QStringLiteral("E3"), QDate(2025, 3, 31)).bind(QStringLiteral("L3"), "N")
        .bind(QStringLiteral("S12"), QVariant(QMetaType(QMetaType::QDate))).bind(QStringLiteral("E12"), QVariant(QMetaType(QMetaType::QDate)))
        .bind(QStringLiteral("L12"), "N")
        .exec();
    dm().ReloadConfig();

    struct Case {
        QDate date;
        bool open;
        const char* why;
    };
    const Case cases[] = {
        {QDate(2023, 12, 31), true, "before every period"},
        {QDate(2024, 1, 1), false, "first day of a locked period"},
        {QDate(2024, 1, 31), false, "last day of a locked period"},
        {QDate(2024, 2, 1), true, "the day after, in an open period"},
        {QDate(2024, 12, 10), false, "only the older year's locked period"},
        {QDate(2024, 12, 20), true, "the newer year's open period decides"},
        {QDate(2025, 2, 10), false, "the newer year's locked period decides"},
        {QDate(2025, 2, 25), false, "the first matching period of the row decides"},
        {QDate(2025, 3, 1), true, "open period"},
        {QDate(2026, 6, 1), true, "after every period"},
    };
    for (const Case& c : cases) {
        dialogs().clear();
        EXPECT_EQ(dm().CheckPeriodOpen(c.date), c.open) << c.why;
        EXPECT_EQ(dialogs().informations, c.open ? QStringList() : QStringList{Locked}) << c.why;
    }
}

MERIDOX_ON_ENGINES(NumbersPeriodsTest);

} // namespace

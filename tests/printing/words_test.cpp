// Amounts in words, number words and the shared text and date helpers, as tables of cases.
#include "printing/U_Utility.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meridox;

namespace {

struct AmountCase {
    double amount;
    int decimals;
    const char* thai;    // ThaiAmountText
    const char* english; // EnglishAmountText
};

// Each expected text written out whole; the English texts keep their double blanks.
const AmountCase kAmountCases[] = {
    {1, 2, "หนึ่งบาทถ้วน", "ONE  BAHT  ONLY"},
    {11, 2, "สิบเอ็ดบาทถ้วน", "ELEVEN  BAHT  ONLY"},
    {21, 2, "ยี่สิบเอ็ดบาทถ้วน", "TWENTY ONE  BAHT  ONLY"},
    {22, 2, "ยี่สิบสองบาทถ้วน", "TWENTY TWO  BAHT  ONLY"},
    {45, 2, "สี่สิบห้าบาทถ้วน", "FOURTY FIVE  BAHT  ONLY"},
    {101, 2, "หนึ่งร้อยหนึ่งบาทถ้วน", "ONE  HUNDRED ONE  BAHT  ONLY"},
    {111, 2, "หนึ่งร้อยสิบเอ็ดบาทถ้วน", "ONE  HUNDRED ELEVEN  BAHT  ONLY"},
    {1001, 2, "หนึ่งพันหนึ่งบาทถ้วน", "ONE  THOUSAND ONE  BAHT  ONLY"},
    {10001, 2, "หนึ่งหมื่นหนึ่งบาทถ้วน", "TEN  THOUSAND ONE  BAHT  ONLY"},
    {100001, 2, "หนึ่งแสนหนึ่งบาทถ้วน", "ONE  HUNDRED  THOUSAND ONE  BAHT  ONLY"},
    {1000001, 2, "หนึ่งล้านหนึ่งบาทถ้วน", "ONE  MILLION ONE  BAHT  ONLY"},
    {21000001, 2, "ยี่สิบเอ็ดล้านหนึ่งบาทถ้วน", "TWENTY ONE  MILLION ONE  BAHT  ONLY"},
    {3000000, 2, "สามล้านบาทถ้วน", "THREE  MILLION  BAHT  ONLY"},
    {0.25, 2, "บาทยี่สิบห้าสตางค์", " BAHT  AND TWENTY FIVE  SATANG"},
    {0.21, 2, "บาทยี่สิบเอ็ดสตางค์", " BAHT  AND TWENTY ONE  SATANG"},
    {0.05, 2, "บาทห้าสตางค์", " BAHT  AND FIVE  SATANG"},
    {1.01, 2, "หนึ่งบาทหนึ่งสตางค์", "ONE  BAHT  AND ONE  SATANG"},
    {0.001, 2, "บาทถ้วน", " BAHT  ONLY"},
    {0, 2, "", ""},
    {150, 0, "หนึ่งร้อยห้าสิบบาทถ้วน", "ONE  HUNDRED FIFTY  BAHT  ONLY"},
    {1250.50, 2, "หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์",
     "ONE  THOUSAND TWO  HUNDRED FIFTY  BAHT  AND FIFTY  SATANG"},
    {15000, 2, "หนึ่งหมื่นห้าพันบาทถ้วน", "FIFTEEN  THOUSAND  BAHT  ONLY"},
    {40000, 2, "สี่หมื่นบาทถ้วน", "FOURTY  THOUSAND  BAHT  ONLY"},
    {120000, 2, "หนึ่งแสนสองหมื่นบาทถ้วน", "ONE  HUNDRED TWENTY  THOUSAND  BAHT  ONLY"},
    // Decimals other than 2: the fraction is the digits after the point read as a number.
    {0.125, 3, "บาทหนึ่งร้อยยี่สิบห้าสตางค์", " BAHT  AND ONE  HUNDRED TWENTY FIVE  SATANG"},
    {0.05, 3, "บาทห้าสิบสตางค์", " BAHT  AND FIFTY  SATANG"},
    {1.5, 1, "หนึ่งบาทห้าสตางค์", "ONE  BAHT  AND FIVE  SATANG"},
    {1234.567, 0, "หนึ่งพันสองร้อยสามสิบห้าบาทถ้วน",
     "ONE  THOUSAND TWO  HUNDRED THIRTY FIVE  BAHT  ONLY"},
    // Rounding half away from zero, with a carry into the whole part.
    {2.125, 2, "สองบาทสิบสามสตางค์", "TWO  BAHT  AND THIRTEEN  SATANG"},
    {9.999, 2, "สิบบาทถ้วน", "TEN  BAHT  ONLY"},
    {0.995, 2, "บาทเก้าสิบเก้าสตางค์", " BAHT  AND NINETY NINE  SATANG"},
    // Negative amounts: the minus word, then the text of the absolute value.
    {-1250.50, 2, "ลบหนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์",
     "MINUS ONE  THOUSAND TWO  HUNDRED FIFTY  BAHT  AND FIFTY  SATANG"},
    {-21, 2, "ลบยี่สิบเอ็ดบาทถ้วน", "MINUS TWENTY ONE  BAHT  ONLY"},
    {-0.25, 2, "ลบบาทยี่สิบห้าสตางค์", "MINUS  BAHT  AND TWENTY FIVE  SATANG"},
    // A negative amount that is 0 once written with its decimals has no minus word.
    {-0.001, 2, "บาทถ้วน", " BAHT  ONLY"},
    // Whole parts above 2,147,483,647.
    {2147483648.0, 2, "สองพันหนึ่งร้อยสี่สิบเจ็ดล้านสี่แสนแปดหมื่นสามพันหกร้อยสี่สิบแปดบาทถ้วน",
     "TWO  THOUSAND ONE  HUNDRED FOURTY SEVEN  MILLION FOUR  HUNDRED EIGHTY THREE  THOUSAND SIX  "
     "HUNDRED FOURTY EIGHT  BAHT  ONLY"},
    {3000000000.0, 2, "สามพันล้านบาทถ้วน", "THREE  THOUSAND  MILLION  BAHT  ONLY"},
    {1000000000000.0, 2, "หนึ่งล้านล้านบาทถ้วน", "ONE  MILLION  MILLION  BAHT  ONLY"},
    {1234567890123.45, 2,
     "หนึ่งล้านสองแสนสามหมื่นสี่พันห้าร้อยหกสิบเจ็ดล้านแปดแสนเก้าหมื่นหนึ่งร้อยยี่สิบสามบาทสี่สิบห้าสตางค์",
     "ONE  MILLION TWO  HUNDRED THIRTY FOUR  THOUSAND FIVE  HUNDRED SIXTY SEVEN  MILLION EIGHT  "
     "HUNDRED NINETY  THOUSAND ONE  HUNDRED TWENTY THREE  BAHT  AND FOURTY FIVE  SATANG"},
    {9999999999999.99, 2,
     "เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาท"
     "เก้าสิบเก้าสตางค์",
     "NINE  MILLION NINE  HUNDRED NINETY NINE  THOUSAND NINE  HUNDRED NINETY NINE  MILLION NINE  "
     "HUNDRED NINETY NINE  THOUSAND NINE  HUNDRED NINETY NINE  BAHT  AND NINETY NINE  SATANG"},
    // Beyond the largest amount in words, and values that are no amount: no words.
    {10000000000000.0, 2, "", ""},
    {-10000000000000.0, 2, "", ""},
    {9999999999999.999, 2, "", ""}, // 10,000,000,000,000.00 once rounded
    {1e300, 2, "", ""},
    {std::numeric_limits<double>::infinity(), 2, "", ""},
    {std::numeric_limits<double>::quiet_NaN(), 2, "", ""},
};

struct PointCase {
    double amount;
    int decimals;
    const char* thai;    // ThaiPointText
    const char* english; // EnglishPointText
};

const PointCase kPointCases[] = {
    {3.25, 2, "สามจุดยี่สิบห้า", "THREE   POINT TWENTY FIVE  "},
    {3, 2, "สาม", "THREE   ONLY"},
    {5, 2, "ห้า", "FIVE   ONLY"},
    {0.25, 2, "จุดยี่สิบห้า", "  POINT TWENTY FIVE  "},
    {0, 2, "", ""},
    {21.01, 2, "ยี่สิบเอ็ดจุดหนึ่ง", "TWENTY ONE   POINT ONE  "},
    {1250.5, 1, "หนึ่งพันสองร้อยห้าสิบจุดห้า", "ONE  THOUSAND TWO  HUNDRED FIFTY   POINT FIVE  "},
    {3.1416, 4, "สามจุดหนึ่งพันสี่ร้อยสิบหก", "THREE   POINT ONE  THOUSAND FOUR  HUNDRED SIXTEEN  "},
    {7.5, 0, "แปด", "EIGHT   ONLY"},
    {-3.25, 2, "ลบสามจุดยี่สิบห้า", "MINUS THREE   POINT TWENTY FIVE  "},
    {-5, 2, "ลบห้า", "MINUS FIVE   ONLY"},
    {10000000000000.0, 2, "", ""},
};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

TEST(AmountWords, ThaiAmountTextTable)
{
    for (const AmountCase& c : kAmountCases) {
        SCOPED_TRACE(testing::Message() << c.amount << " with " << c.decimals << " decimals");
        EXPECT_EQ(ThaiAmountText(c.amount, c.decimals).toStdString(), std::string(c.thai));
    }
}

TEST(AmountWords, EnglishAmountTextTable)
{
    for (const AmountCase& c : kAmountCases) {
        SCOPED_TRACE(testing::Message() << c.amount << " with " << c.decimals << " decimals");
        EXPECT_EQ(EnglishAmountText(c.amount, c.decimals).toStdString(), std::string(c.english));
    }
}

TEST(AmountWords, PointTextTable)
{
    for (const PointCase& c : kPointCases) {
        SCOPED_TRACE(testing::Message() << c.amount << " with " << c.decimals << " decimals");
        EXPECT_EQ(ThaiPointText(c.amount, c.decimals).toStdString(), std::string(c.thai));
        EXPECT_EQ(EnglishPointText(c.amount, c.decimals).toStdString(), std::string(c.english));
    }
}

TEST(AmountWords, EverySatangSurvivesUpToTheLargestAmount)
{
    // The satang written are those typed, for whole parts up to the largest amount in words.
    for (const qint64 whole : {kMaxAmountInWords, qint64(8765432109876), qint64(1000000000001)}) {
        for (int satang = 0; satang < 100; ++satang) {
            const QString typed = QStringLiteral("%1.%2").arg(whole).arg(satang, 2, 10, QLatin1Char('0'));
            SCOPED_TRACE(typed.toStdString());
            const QString expected = EnglishNumberWords(whole) + QStringLiteral(" BAHT ")
                + (satang == 0 ? QStringLiteral(" ONLY")
                               : QStringLiteral(" AND ") + EnglishNumberWords(satang) + QStringLiteral(" SATANG"));
            EXPECT_EQ(EnglishAmountText(typed.toDouble(), 2), expected);
        }
    }
}

TEST(AmountWords, DecimalsOutsideTheFixedPointRangeAreClamped)
{
    // Fewer than 0 decimals read as 0; more than 18 as 18.
    EXPECT_EQ(ThaiAmountText(150.4, -3), u("หนึ่งร้อยห้าสิบบาทถ้วน"));
    EXPECT_EQ(ThaiAmountText(0.5, 40), ThaiAmountText(0.5, 18));
    EXPECT_EQ(ThaiPointText(0.5, 18), u("จุดห้าแสนล้านล้าน"));
}

TEST(AmountWords, TheDecimalPointIsAFullStopInAnyLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ThaiAmountText(1250.50, 2), u("หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์"));
    EXPECT_EQ(EnglishAmountText(1250.50, 2),
              u("ONE  THOUSAND TWO  HUNDRED FIFTY  BAHT  AND FIFTY  SATANG"));
    QLocale::setDefault(QLocale(QLocale::Thai, QLocale::Thailand));
    EXPECT_EQ(ThaiPointText(3.25, 2), u("สามจุดยี่สิบห้า"));
    QLocale::setDefault(saved);
}

TEST(NumberWords, Thai)
{
    const struct { qint64 n; const char* words; } cases[] = {
        {0, ""},
        {-5, ""},
        {1, "หนึ่ง"},
        {2, "สอง"},
        {10, "สิบ"},
        {11, "สิบเอ็ด"},
        {12, "สิบสอง"},
        {20, "ยี่สิบ"},
        {21, "ยี่สิบเอ็ด"},
        {99, "เก้าสิบเก้า"},
        {101, "หนึ่งร้อยหนึ่ง"},
        {111, "หนึ่งร้อยสิบเอ็ด"},
        {221, "สองร้อยยี่สิบเอ็ด"},
        {1001, "หนึ่งพันหนึ่ง"},
        {10001, "หนึ่งหมื่นหนึ่ง"},
        {100001, "หนึ่งแสนหนึ่ง"},
        {1000000, "หนึ่งล้าน"},
        {1000001, "หนึ่งล้านหนึ่ง"},
        {1000011, "หนึ่งล้านสิบเอ็ด"},
        {10000000, "สิบล้าน"},
        {11000000, "สิบเอ็ดล้าน"},
        {21000001, "ยี่สิบเอ็ดล้านหนึ่ง"},
        {101000000, "หนึ่งร้อยหนึ่งล้าน"},
        {2147483647, "สองพันหนึ่งร้อยสี่สิบเจ็ดล้านสี่แสนแปดหมื่นสามพันหกร้อยสี่สิบเจ็ด"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(ThaiNumberWords(c.n).toStdString(), std::string(c.words));
    }
}

TEST(NumberWords, English)
{
    const struct { qint64 n; const char* words; } cases[] = {
        {0, ""},
        {-5, ""},
        {1, "ONE "},
        {9, "NINE "},
        {10, "TEN "},
        {13, "THIRTEEN "},
        {20, "TWENTY "},
        {21, "TWENTY ONE "},
        {40, "FOURTY "},
        {99, "NINETY NINE "},
        {100, "ONE  HUNDRED "},
        {115, "ONE  HUNDRED FIFTEEN "},
        {1000, "ONE  THOUSAND "},
        {10000, "TEN  THOUSAND "},
        {11000, "ELEVEN  THOUSAND "},
        {20000, "TWENTY  THOUSAND "},
        {25000, "TWENTY FIVE  THOUSAND "},
        {90000, "NINETY  THOUSAND "},
        {100000, "ONE  HUNDRED  THOUSAND "},
        {999999, "NINE  HUNDRED NINETY NINE  THOUSAND NINE  HUNDRED NINETY NINE "},
        {1000000, "ONE  MILLION "},
        {12000000, "TWELVE  MILLION "},
        {2147483647, "TWO  THOUSAND ONE  HUNDRED FOURTY SEVEN  MILLION FOUR  HUNDRED EIGHTY THREE  "
                     "THOUSAND SIX  HUNDRED FOURTY SEVEN "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(EnglishNumberWords(c.n).toStdString(), std::string(c.words));
    }
}

TEST(TextHelpers, RepeatText)
{
    EXPECT_EQ(RepeatText(QStringLiteral("#"), 3), QStringLiteral("###"));
    EXPECT_EQ(RepeatText(QStringLiteral("0"), 1), QStringLiteral("0"));
    EXPECT_EQ(RepeatText(QStringLiteral("ab"), 2), QStringLiteral("abab"));
    EXPECT_EQ(RepeatText(QStringLiteral("#"), 0), QString());
    EXPECT_EQ(RepeatText(QStringLiteral("#"), -2), QString());
}

TEST(TextHelpers, PadLeftTo)
{
    EXPECT_EQ(PadLeftTo(QStringLiteral("  12 "), 6, QLatin1Char(' ')), QStringLiteral("    12"));
    EXPECT_EQ(PadLeftTo(QStringLiteral("42"), 5, QLatin1Char('0')), QStringLiteral("00042"));
    EXPECT_EQ(PadLeftTo(QStringLiteral("1234567"), 5, QLatin1Char(' ')), QStringLiteral("12345"));
    EXPECT_EQ(PadLeftTo(QStringLiteral("12345"), 5, QLatin1Char(' ')), QStringLiteral("12345"));
    EXPECT_EQ(PadLeftTo(QString(), 3, QLatin1Char(' ')), QStringLiteral("   "));
    EXPECT_EQ(PadLeftTo(QStringLiteral("12"), 0, QLatin1Char(' ')), QString());
    EXPECT_EQ(PadLeftTo(QStringLiteral("12"), -1, QLatin1Char(' ')), QString());
    EXPECT_EQ(PadLeftTo(u("\tก12\r\n"), 5, QLatin1Char(' ')), u("  ก12"));
}

TEST(TextHelpers, TrimLeadingBlanks)
{
    EXPECT_EQ(TrimLeadingBlanks(QStringLiteral("   a b  ")), QStringLiteral("a b  "));
    EXPECT_EQ(TrimLeadingBlanks(QStringLiteral("\t\r\n x")), QStringLiteral("x"));
    EXPECT_EQ(TrimLeadingBlanks(QStringLiteral("x ")), QStringLiteral("x "));
    EXPECT_EQ(TrimLeadingBlanks(QStringLiteral("    ")), QString());
    EXPECT_EQ(TrimLeadingBlanks(QString()), QString());
}

TEST(DateHelpers, YearAndMonth)
{
    EXPECT_EQ(YearOfDate(QDate(2024, 2, 29)), 2024);
    EXPECT_EQ(MonthOfDate(QDate(2024, 2, 29)), 2);
    EXPECT_EQ(YearOfDate(QDate(1999, 12, 31)), 1999);
    EXPECT_EQ(MonthOfDate(QDate(1999, 12, 31)), 12);
    EXPECT_EQ(MonthOfDate(QDate(2025, 1, 1)), 1);
    EXPECT_EQ(YearOfDate(QDate()), 0);
    EXPECT_EQ(MonthOfDate(QDate()), 0);
}

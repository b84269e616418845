// The report-engine user functions: the seven names in any letter case, the arguments as
// the engine hands them over, the quantity renderings through a fake, unknown names left alone.
#include "printing/ReportFunctions.h"

#include <gtest/gtest.h>

#include <vector>

using namespace meridox;

namespace {

struct Call {
    QString function;
    double quantity;
    int unitId;
    int part;
};

// Stands in for the company data module: records every call and answers with a text that
// names it.
struct FakeUnits {
    std::vector<Call> calls;

    QuantityRenderers renderers()
    {
        QuantityRenderers r;
        r.quantityText = [this](double q, int unit) {
            calls.push_back({QStringLiteral("QuantityText"), q, unit, 0});
            return QStringLiteral("QT %1/%2").arg(q).arg(unit);
        };
        r.quantityPartText = [this](double q, int unit, int part) {
            calls.push_back({QStringLiteral("QuantityPartText"), q, unit, part});
            return QStringLiteral("QPT %1/%2/%3").arg(q).arg(unit).arg(part);
        };
        r.stockFractionText = [this](double q, int unit) {
            calls.push_back({QStringLiteral("StockFractionText"), q, unit, 0});
            return QStringLiteral("SFT %1/%2").arg(q).arg(unit);
        };
        return r;
    }
};

QStringList spellings(const char* upper)
{
    const QString u = QString::fromLatin1(upper);
    QString mixed = u.toLower();
    for (qsizetype i = 0; i < mixed.size(); i += 2)
        mixed[i] = mixed.at(i).toUpper();
    return {u, u.toLower(), mixed};
}

QString u8(const char* s) { return QString::fromUtf8(s); }

} // namespace

TEST(ReportFunctions, AmountFunctionsInAnyLetterCase)
{
    FakeUnits units;
    const QuantityRenderers r = units.renderers();
    const QVariantList args{1250.50, 2};
    const struct { const char* name; QString expected; } cases[] = {
        {"TELL_REAL_THAI", u8("หนึ่งพันสองร้อยห้าสิบบาทห้าสิบสตางค์")},
        {"TELL_REAL_THAI2", u8("หนึ่งพันสองร้อยห้าสิบจุดห้าสิบ")},
        {"TELL_REAL_ENG", u8("ONE  THOUSAND TWO  HUNDRED FIFTY  BAHT  AND FIFTY  SATANG")},
        {"TELL_REAL_ENG2", u8("ONE  THOUSAND TWO  HUNDRED FIFTY   POINT FIFTY  ")},
    };
    for (const auto& c : cases) {
        for (const QString& name : spellings(c.name)) {
            SCOPED_TRACE(name.toStdString());
            const std::optional<QString> answer = ReportUserFunction(name, args, r);
            ASSERT_TRUE(answer.has_value());
            EXPECT_EQ(answer->toStdString(), c.expected.toStdString());
        }
    }
    EXPECT_TRUE(units.calls.empty());
}

TEST(ReportFunctions, QuantityFunctionsInAnyLetterCaseGoThroughTheRenderers)
{
    const struct { const char* name; QVariantList args; QString expected; Call call; } cases[] = {
        {"ONHANDQUANTITY", {125.0, 7}, QStringLiteral("QT 125/7"),
         {QStringLiteral("QuantityText"), 125.0, 7, 0}},
        {"ONHANDQUANTITYLSUNIT", {125.0, 7, 1}, QStringLiteral("QPT 125/7/1"),
         {QStringLiteral("QuantityPartText"), 125.0, 7, 1}},
        {"ONHANDQUANTITYLSUNIT", {125.0, 7, 2}, QStringLiteral("QPT 125/7/2"),
         {QStringLiteral("QuantityPartText"), 125.0, 7, 2}},
        {"FRACSMALLBYSTOCK", {2.5, 9}, QStringLiteral("SFT 2.5/9"),
         {QStringLiteral("StockFractionText"), 2.5, 9, 0}},
    };
    for (const auto& c : cases) {
        for (const QString& name : spellings(c.name)) {
            SCOPED_TRACE(name.toStdString());
            FakeUnits units;
            const std::optional<QString> answer = ReportUserFunction(name, c.args, units.renderers());
            ASSERT_TRUE(answer.has_value());
            EXPECT_EQ(*answer, c.expected);
            ASSERT_EQ(units.calls.size(), 1u);
            EXPECT_EQ(units.calls[0].function, c.call.function);
            EXPECT_DOUBLE_EQ(units.calls[0].quantity, c.call.quantity);
            EXPECT_EQ(units.calls[0].unitId, c.call.unitId);
            EXPECT_EQ(units.calls[0].part, c.call.part);
        }
    }
}

TEST(ReportFunctions, ArgumentsAsTheEngineEvaluatedThem)
{
    FakeUnits units;
    const QuantityRenderers r = units.renderers();
    // Numbers that arrive as texts, whole numbers that arrive as reals.
    EXPECT_EQ(ReportUserFunction(QStringLiteral("tell_real_thai"),
                                 {QStringLiteral("21"), QStringLiteral("2")}, r),
              u8("ยี่สิบเอ็ดบาทถ้วน"));
    EXPECT_EQ(ReportUserFunction(QStringLiteral("Tell_Real_Eng"), {150, 0.0}, r),
              u8("ONE  HUNDRED FIFTY  BAHT  ONLY"));
    EXPECT_EQ(ReportUserFunction(QStringLiteral("OnHandQuantity"), {12, 3.0}, r),
              QStringLiteral("QT 12/3"));
    // Missing arguments read as 0.
    EXPECT_EQ(ReportUserFunction(QStringLiteral("TELL_REAL_THAI"), {}, r), QString());
    EXPECT_EQ(ReportUserFunction(QStringLiteral("TELL_REAL_THAI"), {21}, r), u8("ยี่สิบเอ็ดบาทถ้วน"));
    EXPECT_EQ(ReportUserFunction(QStringLiteral("ONHANDQUANTITYLSUNIT"), {5, 2}, r),
              QStringLiteral("QPT 5/2/0"));
}

TEST(ReportFunctions, UnknownNamesAreLeftToTheEngine)
{
    FakeUnits units;
    const QuantityRenderers r = units.renderers();
    for (const char* name : {"FORMATFLOAT", "TELL_REAL", "TELL_REAL_THAI3", "ONHANDQUANTITYX", "", "SUM"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ReportUserFunction(QString::fromLatin1(name), {1, 2}, r).has_value());
        QVariant value = QStringLiteral("set by the engine");
        EXPECT_FALSE(ReportUserFunction(QString::fromLatin1(name), {1, 2}, value, r));
        EXPECT_EQ(value, QVariant(QStringLiteral("set by the engine")));
    }
    EXPECT_TRUE(units.calls.empty());
}

TEST(ReportFunctions, EventShapeGivesTheTextBack)
{
    FakeUnits units;
    QVariant value = 42;
    EXPECT_TRUE(ReportUserFunction(QStringLiteral("tell_real_thai"), {3000000, 2}, value,
                                   units.renderers()));
    EXPECT_EQ(value, QVariant(u8("สามล้านบาทถ้วน")));
    EXPECT_TRUE(ReportUserFunction(QStringLiteral("FracSmallByStock"), {1, 4}, value, units.renderers()));
    EXPECT_EQ(value, QVariant(QStringLiteral("SFT 1/4")));
}

TEST(ReportFunctions, AQuantityFunctionWithoutItsRenderingAnswersEmpty)
{
    const QuantityRenderers none;
    for (const char* name : {"ONHANDQUANTITY", "ONHANDQUANTITYLSUNIT", "FRACSMALLBYSTOCK"}) {
        SCOPED_TRACE(name);
        const std::optional<QString> answer = ReportUserFunction(QString::fromLatin1(name), {1, 2, 1}, none);
        ASSERT_TRUE(answer.has_value());
        EXPECT_TRUE(answer->isEmpty());
    }
}

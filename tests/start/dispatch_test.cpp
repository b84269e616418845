#include "framework/Fr_Form.h"
#include "start/MenuDispatch.h"
#include "start/Startup.h"

#include <gtest/gtest.h>

using namespace meridox;

namespace {

struct Row {
    int menu;
    const char* cls;
    const char* aux;
    const char* kind;
    const char* prefix;
    const char* purchase;
    const char* note;
    const char* flags;  // m area, w weight, j project, p prices, c check-in, r goods-return reference
};

ModeFields expected(const Row& r)
{
    ModeFields f;
    f.DocKind = QString::fromUtf8(r.kind);
    f.DocPrefix = QString::fromUtf8(r.prefix);
    f.PurchaseKind = QString::fromUtf8(r.purchase);
    f.NoteKind = QString::fromUtf8(r.note);
    const QString flags = QString::fromUtf8(r.flags);
    if (flags.contains(u'm')) {
        f.ShowMeasure = true;
        f.MeasureLabel = QString::fromUtf8("ตรม");
    }
    if (flags.contains(u'w')) {
        f.ShowMeasure = true;
        f.MeasureByWeight = true;
        f.MeasureLabel = QString::fromUtf8("น้ำหนัก");
    }
    f.RequireProject = flags.contains(u'j');
    f.ShowPrices = flags.contains(u'p');
    f.CheckInMode = flags.contains(u'c');
    f.RefGoodsReturn = flags.contains(u'r');
    return f;
}

const Row rows[] = {
    {2, "TFrPoTran", "TFrPoShip", "P", "", "", "", ""},
    {12, "TFrPoTran", "TFrPoShip", "S", "", "", "", ""},
    {22, "TFrPoTran", "TFrPoShip", "M", "", "", "", ""},
    {32, "TFrPoTran", "TFrPoShip", "A", "", "", "", ""},
    {34, "TFrPoTran2", "TFrPoShip", "A", "", "", "", ""},
    {102, "TFrPoTran", "TFrPoShip", "P", "", "", "", "m"},
    {132, "TFrPoTran", "TFrPoShip", "A", "", "", "", "m"},
    {232, "TFrPoTran", "TFrPoShip", "A", "", "", "", "j"},
    {324, "TFrPoTran", "TFrPoShip", "A", "", "", "", "jc"},
    {3, "TFrMrTran", "TFrGetMrPrePaid", "P", "MR-P", "D", "", ""},
    {13, "TFrMrTran", "TFrGetMrPrePaid", "S", "MR-S", "D", "", ""},
    {23, "TFrMrTran", "TFrGetMrPrePaid", "M", "MR-M", "D", "", ""},
    {33, "TFrMrTran", "TFrGetMrPrePaid", "A", "MR-A", "D", "", ""},
    {103, "TFrMrTran", "TFrGetMrPrePaid", "P", "MR-P", "D", "", "m"},
    {104, "TFrMrTran", "TFrGetMrPrePaid", "P", "MR-P", "D", "", "w"},
    {133, "TFrMrTran", "TFrGetMrPrePaid", "A", "MR-A", "D", "", "m"},
    {203, "TFrMrTran", "TFrGetMrPrePaid", "B", "MR-B", "D", "", ""},
    {233, "TFrMrTran", "TFrGetMrPrePaid", "A", "MR-A", "D", "", "jp"},
    {403, "TFrMrTran", "TFrGetMrPrePaid", "A", "MR-A", "D", "", ""},
    {5, "TFrPcTran", "", "P", "PC-P", "C", "", ""},
    {15, "TFrPcTran", "", "S", "PC-S", "C", "", ""},
    {25, "TFrPcTran", "", "M", "PC-M", "C", "", "p"},
    {35, "TFrPcTran", "", "A", "PC-A", "C", "", "p"},
    {105, "TFrPcTran", "", "P", "PC-P", "C", "", "m"},
    {135, "TFrPcTran", "", "A", "PC-A", "C", "", "m"},
    {235, "TFrPcTran", "", "A", "PC-A", "C", "", "j"},
    {7, "TFrPrTran", "", "P", "", "", "", ""},
    {27, "TFrPrTran", "", "M", "", "", "", ""},
    {37, "TFrPrTran", "", "A", "", "", "", ""},
    {777, "TFrPrTranRIZOV", "", "P", "", "", "", ""},
    {8, "TFrVCnTran", "", "P", "VCN-P", "", "C", ""},
    {18, "TFrVCnTran", "", "S", "VCN-S", "", "C", ""},
    {28, "TFrVCnTran", "", "M", "VCN-M", "", "C", ""},
    {38, "TFrVCnTran", "", "A", "VCN-A", "", "C", ""},
    {1008, "TFrVCnTran", "", "P", "VCN-P", "", "C", "r"},
    {1018, "TFrVCnTran", "", "S", "VCN-S", "", "C", "r"},
    {1028, "TFrVCnTran", "", "M", "VCN-M", "", "C", "r"},
    {1038, "TFrVCnTran", "", "A", "VCN-A", "", "C", "r"},
    {9, "TFrVDnTran", "", "P", "VDN-P", "", "D", ""},
    {19, "TFrVDnTran", "", "S", "VDN-P", "", "D", ""},
    {29, "TFrVDnTran", "", "M", "VDN-M", "", "D", ""},
    {39, "TFrVDnTran", "", "A", "VDN-A", "", "D", ""},
    {1009, "TFrVDnTran", "", "P", "VDN-P", "", "D", "r"},
    {1019, "TFrVDnTran", "", "S", "VDN-P", "", "D", "r"},
    {1029, "TFrVDnTran", "", "M", "VDN-M", "", "D", "r"},
    {1039, "TFrVDnTran", "", "A", "VDN-A", "", "D", ""},
    {90, "TFrStartMR", "", "P", "", "", "", ""},
    {91, "TFrStartMR", "", "S", "", "", "", ""},
    {92, "TFrStartMR", "", "M", "", "", "", ""},
    {93, "TFrStartMR", "", "A", "", "", "", ""},
    {95, "TFrStartCN", "", "A", "", "", "", ""},
    {96, "TFrStartDN", "", "A", "", "", "", ""},
    {94, "TFrPoClearBkOrder", "", "", "", "", "", ""},
    {97, "TFrPoClearBkOrderService", "", "", "", "", "", ""},
    {101, "TFrShipTable", "", "", "", "", "", ""},
    {323, "TFrPoApprove", "", "", "", "", "", ""},
    {325, "TFrPorqApprove", "", "", "", "", "", ""},
    {2000, "TFrBillTran", "", "", "", "", "", ""},
    {8001, "TFrPoRQTran", "TFrPoShip", "A", "", "", "", "j"},
    {8002, "TFrPoRqClearBackOrder", "", "", "", "", "", ""},
    {8005, "TFrPoClearApprove", "", "", "", "", "", ""},
};

TEST(MenuDispatch, EveryMenuNumberOpensItsWindowInItsMode)
{
    EXPECT_EQ(menuTable().size(), std::size(rows));
    for (const Row& r : rows) {
        const MenuEntry* e = findMenu(r.menu);
        ASSERT_NE(e, nullptr) << r.menu;
        EXPECT_EQ(e->windowClass, QString::fromUtf8(r.cls)) << r.menu;
        EXPECT_EQ(e->auxiliaryClass, QString::fromUtf8(r.aux)) << r.menu;
        EXPECT_EQ(e->mode, expected(r)) << r.menu;

        // Until a window of its own exists, the menu opens a working window carrying its class and mode.
        auto windows = createMenuWindows(*e);
        ASSERT_EQ(windows.size(), std::string(r.aux).empty() ? 1u : 2u) << r.menu;
        EXPECT_EQ(windows[0]->windowClass(), QString::fromUtf8(r.cls));
        EXPECT_EQ(windows[0]->mode, expected(r)) << r.menu;
        delete windows[0];
    }
    EXPECT_EQ(findMenu(403)->mode, findMenu(33)->mode);
    EXPECT_EQ(findMenu(1039)->mode, findMenu(39)->mode);
    for (int unlisted : {0, 4, 6, 100, 9999})
        EXPECT_EQ(findMenu(unlisted), nullptr) << unlisted;
}

TEST(CommandLine, WrongArgumentsAreNamed)
{
    struct Case {
        QStringList args;
        const char* names;  // empty when accepted
    };
    const std::vector<Case> cases{
        {{"2", "1", "demo", "0", "2", "31/12/2024"}, ""},
        {{"2", "1", "demo", "0", "2", "2024-12-31"}, "Argument 6 (working date)"},
        {{"2", "1", "demo", "0", "2", "31/02/2024"}, "Argument 6 (working date)"},
        {{"2", "1", "demo", "0", "2", ""}, "Argument 6 (working date)"},
        {{"2", "1", "demo", "0", "two", "31/12/2024"}, "Argument 5 (menu number)"},
        {{"2.5", "1", "demo", "0", "2", "31/12/2024"}, "Argument 1 (menu id)"},
        {{"2", "x", "demo", "0", "2", "31/12/2024"}, "Argument 2 (user id)"},
        {{"2", "1", "demo"}, "Expected six arguments"},
    };
    for (const Case& c : cases) {
        QString error;
        const auto parsed = parseCommandLine(c.args, error);
        if (std::string(c.names).empty()) {
            ASSERT_TRUE(parsed.has_value()) << error.toStdString();
            EXPECT_EQ(parsed->WorkDate, QDate(2024, 12, 31));
        } else {
            EXPECT_FALSE(parsed.has_value()) << c.args.join(u' ').toStdString();
            EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.names))) << error.toStdString();
        }
    }
}

TEST(CommandLine, WorkingDateIgnoresTheRegionalSettings)
{
    const QLocale saved;
    for (const QLocale& l : {QLocale(QLocale::Thai, QLocale::Thailand), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(l);
        EXPECT_EQ(parseWorkDate(QStringLiteral("31/12/2024")), QDate(2024, 12, 31));
        EXPECT_EQ(parseWorkDate(QStringLiteral("01/02/2024")), QDate(2024, 2, 1));
    }
    QLocale::setDefault(saved);
}

} // namespace

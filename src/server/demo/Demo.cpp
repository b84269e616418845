#include "server/demo/Demo.h"

#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"
#include "server/Installer.h"

#include <QStringList>

namespace meridox::server {

using db::Database;
using db::Query;
using Row = std::vector<std::pair<QString, QVariant>>;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
const QString ConfigDb = QStringLiteral("VANTEL_CONFIG");
} // namespace

const std::vector<std::pair<int, QString>>& menuCaptions()
{
    static const std::vector<std::pair<int, QString>> m{
        {2, S("ใบสั่งซื้อสินค้า")}, {12, S("ใบสั่งซื้อบริการ")}, {22, S("ใบสั่งซื้อค่าใช้จ่าย")}, {32, S("ใบสั่งซื้อ (ทุกประเภท)")},
        {34, S("บันทึกสั่งซื้อสินค้าแบบที่ 2")}, {102, S("ใบสั่งซื้อสินค้า (ตารางเมตร)")}, {132, S("ใบสั่งซื้อ (ตารางเมตร)")},
        {232, S("ใบสั่งซื้อตามโครงการ")}, {324, S("รับเข้าสาขา (Check In)")},
        {3, S("รับสินค้าเงินเชื่อ")}, {13, S("รับบริการเงินเชื่อ")}, {23, S("รับค่าใช้จ่ายเงินเชื่อ")}, {33, S("รับสินค้าเงินเชื่อ (ทุกประเภท)")},
        {103, S("รับสินค้าเงินเชื่อ (ตารางเมตร)")}, {104, S("รับสินค้าเงินเชื่อ (น้ำหนัก)")}, {133, S("รับเงินเชื่อ (ตารางเมตร)")},
        {203, S("รับสินค้าเงินเชื่อ แบบ B")}, {233, S("รับเงินเชื่อตามโครงการ")}, {403, S("รับสินค้าเงินเชื่อ (สาขา)")},
        {5, S("ซื้อเงินสด")}, {15, S("ซื้อบริการเงินสด")}, {25, S("ซื้อค่าใช้จ่ายเงินสด")}, {35, S("ซื้อเงินสด (ทุกประเภท)")},
        {105, S("ซื้อเงินสด (ตารางเมตร)")}, {135, S("ซื้อเงินสดทุกประเภท (ตารางเมตร)")}, {235, S("ซื้อเงินสดตามโครงการ")},
        {7, S("บันทึกส่งคืนสินค้า")}, {27, S("ส่งคืนค่าใช้จ่าย")}, {37, S("ส่งคืนสินค้า (ทุกประเภท)")}, {777, S("ส่งคืน RIZOV")},
        {8, S("บันทึกลดหนี้จากเจ้าหนี้")}, {18, S("ลดหนี้ค่าบริการ")}, {28, S("ลดหนี้ค่าใช้จ่าย")}, {38, S("ลดหนี้ (ทุกประเภท)")},
        {1008, S("ลดหนี้ตามใบส่งคืน")}, {1018, S("ลดหนี้บริการตามใบส่งคืน")}, {1028, S("ลดหนี้ค่าใช้จ่ายตามใบส่งคืน")},
        {1038, S("ลดหนี้ตามใบส่งคืน (ทุกประเภท)")},
        {9, S("เพิ่มหนี้เจ้าหนี้")}, {19, S("เพิ่มหนี้ค่าบริการ")}, {29, S("เพิ่มหนี้ค่าใช้จ่าย")}, {39, S("เพิ่มหนี้ (ทุกประเภท)")},
        {1009, S("เพิ่มหนี้ตามใบส่งคืน")}, {1019, S("เพิ่มหนี้บริการตามใบส่งคืน")}, {1029, S("เพิ่มหนี้ค่าใช้จ่ายตามใบส่งคืน")},
        {1039, S("เพิ่มหนี้ (ทุกประเภท) ตามใบส่งคืน")},
        {90, S("บิลค้างจ่ายสินค้า")}, {91, S("บิลค้างจ่ายบริการ")}, {92, S("บิลค้างจ่ายค่าใช้จ่าย")}, {93, S("บิลค้างจ่าย")},
        {95, S("ลดหนี้ยกมา")}, {96, S("เพิ่มหนี้ยกมา")}, {94, S("ล้างค้างรับใบสั่งซื้อ")}, {97, S("ล้างค้างรับใบสั่งซื้อบริการ")},
        {101, S("กำหนดการส่งสินค้าตามใบสั่งซื้อ")}, {323, S("อนุมัติใบสั่งซื้อ")}, {325, S("อนุมัติใบขอซื้อ")},
        {2000, S("รับวางบิลจากเจ้าหนี้")}, {8001, S("ใบขอซื้อ")}, {8002, S("ล้างใบขอซื้อ")}, {8005, S("ยกเลิกอนุมัติใบสั่งซื้อ")},
    };
    return m;
}

void insertRow(Database& db, const QString& table, const Row& values)
{
    QStringList cols, params;
    for (const auto& [c, v] : values) {
        cols << c;
        params << u':' + c;
    }
    Query q(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, cols.join(u','), params.join(u',')));
    for (const auto& [c, v] : values)
        q.bind(c, v);
    q.exec();
}

void seedConfigDatabase(Database& cfg)
{
    db::Transaction tx(cfg);
    insertRow(cfg, S("softwareconfig"), {{S("Id"), 1}});
    for (const auto& [id, caption] : menuCaptions())
        insertRow(cfg, S("Menu"), {{S("Id"), id}, {S("Command"), QString::number(id)}, {S("MenuOption"), id},
                                   {S("Description"), caption}, {S("Version"), 3}});

    // Groups are UserName rows of their own; users point at them with GroupId.
    struct Group {
        int id;
        const char* code;
        const char* name;
        const char* approvePo;
        const char* approvePorq;
        const char* seeCost;
        const char* add;
        const char* modify;
        const char* del;
    };
    const Group groups[] = {
        {100, "G-ADMIN", "กลุ่มผู้ดูแลระบบ", "Y", "Y", "Y", "Y", "Y", "Y"},
        {101, "G-CLERK", "กลุ่มพนักงานจัดซื้อ", "N", "N", "N", "Y", "Y", "N"},
        {102, "G-APPROVE", "กลุ่มผู้อนุมัติ", "Y", "Y", "Y", "N", "Y", "N"},
    };
    for (const Group& g : groups) {
        insertRow(cfg, S("UserName"), {{S("Id"), g.id}, {S("Code"), S(g.code)}, {S("FullName"), S(g.name)},
                                       {S("LanguageNo"), 1}, {S("GroupId"), g.id}, {S("Approve_PO"), S(g.approvePo)},
                                       {S("Approved_PORQ"), S(g.approvePorq)}, {S("CanSeeCost"), S(g.seeCost)},
                                       {S("UserSeeImport"), S("Y")}, {S("UserSeeCost"), S(g.seeCost)},
                                       {S("Approve_PoLevel1"), S(g.approvePo)}, {S("Approve_PoLevel2"), S(g.approvePo)},
                                       {S("Approve_PoLevel3"), S(g.approvePo)}});
        for (const auto& [menu, caption] : menuCaptions())
            insertRow(cfg, S("UserRight"), {{S("UserName"), g.id}, {S("Menu"), menu}, {S("AccessRight"), S("Y")},
                                            {S("AddRight"), S(g.add)},
                                            {S("ModifyRight"), S(g.modify)}, {S("DeleteRight"), S(g.del)}});
    }
    struct User {
        int id;
        const char* code;
        const char* name;
        int language;
        int group;
    };
    const User users[] = {
        {1, "ADMIN", "ผู้ดูแลระบบ", 1, 100},
        {2, "SOMCHAI", "สมชาย ใจดี (จัดซื้อ)", 1, 101},
        {3, "MANEE", "มานี รักงาน (ผู้อนุมัติ)", 1, 102},
        {4, "JOHN", "John Smith", 2, 100},
    };
    for (const User& u : users)
        insertRow(cfg, S("UserName"), {{S("Id"), u.id}, {S("Code"), S(u.code)}, {S("FullName"), S(u.name)},
                                       {S("LanguageNo"), u.language}, {S("GroupId"), u.group}});
    insertRow(cfg, S("Branch"), {{S("BranchCode"), S("HQ")}, {S("BranchName"), S("สำนักงานใหญ่")},
                                 {S("StopDataBase"), S("N")}, {S("Franchise"), S("N")}, {S("ServerName"), S("DEMO")}});
    tx.commit();
    resetIdentities(cfg, schema::configSchema());
}

void registerCompany(Database& cfg, int companyId, const QString& code, const QString& databaseName,
                     const QString& thaiName, int runYear)
{
    db::Transaction tx(cfg);
    insertRow(cfg, S("Company"),
              {{S("Id"), companyId}, {S("Code"), code}, {S("NameThai"), thaiName}, {S("NameEng"), code + S(" Co., Ltd.")},
               {S("ShortName"), code}, {S("Address1"), S("99/9 ถนนพหลโยธิน")}, {S("Address2"), S("แขวงจตุจักร")},
               {S("Address3"), S("เขตจตุจักร")}, {S("Address4"), QString()}, {S("Province"), S("กรุงเทพมหานคร")},
               {S("Zip"), S("10900")}, {S("Telephone"), S("02-555-0100")}, {S("Fax"), S("02-555-0101")},
               {S("EMail"), S("purchase@example.co.th")}, {S("TaxNo"), S("0105560000001")}, {S("RunYear"), runYear},
               {S("TaxBranchHead"), S("Y")}, {S("TaxBranchCode"), S("00000")}, {S("TaxBranchName"), S("สำนักงานใหญ่")}});
    insertRow(cfg, S("DatabaseList"), {{S("Company"), companyId}, {S("DatabaseName"), databaseName},
                                       {S("Description"), thaiName}, {S("YearNo"), runYear}});
    insertRow(cfg, S("CompanyConfig"), {{S("Company"), companyId}, {S("Public_Price_IE"), S("E")}});
    tx.commit();
    resetIdentities(cfg, schema::configSchema());
}

namespace {

int insertMisc(Database& db, const QString& group, const QString& code, const QString& description, int order,
               const QString& autoMonth = S("N"))
{
    insertRow(db, S("Misc"), {{S("GroupCode"), group}, {S("Code"), code}, {S("Description"), description},
                              {S("Blocked"), S("N")}, {S("OrderNo"), order}, {S("AutoRunDocMonth"), autoMonth}});
    return static_cast<int>(Query(db, db.dialect().lastIdentitySql()).open().field(S("New_Id")).asInteger());
}

int lastId(Database& db)
{
    return static_cast<int>(Query(db, db.dialect().lastIdentitySql()).open().field(S("New_Id")).asInteger());
}

// The series of every document code of this module for one year.
void seedSeries(Database& db, int year)
{
    const QString yy = QString::number(year % 100).rightJustified(2, u'0');
    struct Series {
        const char* code;
        const char* prefix;
        const char* description;
    };
    const Series series[] = {
        {"PO-01", "PO", "ใบสั่งซื้อ"},        {"PORQ-01", "RQ", "ใบขอซื้อ"},       {"MR-P", "MR", "รับสินค้าเงินเชื่อ"},
        {"MR-S", "MS", "รับบริการเงินเชื่อ"}, {"MR-M", "MM", "รับค่าใช้จ่ายเงินเชื่อ"}, {"MR-A", "MA", "รับเงินเชื่อ"},
        {"MR-B", "MB", "รับเงินเชื่อ B"},      {"PC-P", "PC", "ซื้อเงินสด"},         {"PC-S", "PS", "ซื้อบริการเงินสด"},
        {"PC-M", "PM", "ซื้อค่าใช้จ่ายเงินสด"}, {"PC-A", "PA", "ซื้อเงินสดทุกประเภท"}, {"PR-01", "PR", "ส่งคืนสินค้า"},
        {"VCN-P", "CN", "ลดหนี้สินค้า"},       {"VCN-S", "CS", "ลดหนี้บริการ"},       {"VCN-M", "CM", "ลดหนี้ค่าใช้จ่าย"},
        {"VCN-A", "CA", "ลดหนี้ทุกประเภท"},    {"VDN-P", "DN", "เพิ่มหนี้สินค้า"},     {"VDN-M", "DM", "เพิ่มหนี้ค่าใช้จ่าย"},
        {"VDN-A", "DA", "เพิ่มหนี้ทุกประเภท"},  {"VBILL-01", "VB", "รับวางบิล"},        {"MR-01", "MR", "รับสินค้า"},
        {"PC-01", "PC", "ซื้อเงินสด"},
    };
    for (const Series& s : series)
        insertRow(db, S("DocumentNo"), {{S("Code"), S(s.code)}, {S("Description"), S(s.description)},
                                        {S("Prefix"), S(s.prefix) + yy}, {S("LastNo"), 0}, {S("DocumentLength"), 12},
                                        {S("AutoRun"), S("Y")}, {S("DocYear"), year}, {S("DocType"), S(s.code).section(u'-', 0, 0)}});
}

void seedPeriods(Database& db, int year, bool locked)
{
    Row r{{S("accountyear"), year}};
    for (int m = 1; m <= 12; ++m) {
        const QDate start(year, m, 1);
        r.push_back({S("Start%1").arg(m), start});
        r.push_back({S("Stop%1").arg(m), start.addMonths(1).addDays(-1)});
        r.push_back({S("Lock%1").arg(m), locked ? S("Y") : S("N")});
    }
    insertRow(db, S("accountperiod"), r);
}

} // namespace

void seedDemoCompany(Database& db, QDate today)
{
    const int year = today.year();
    db::Transaction tx(db);

    const int thb = insertMisc(db, S("CURRENCY"), S("THB"), S("บาท"), 1);
    const int usd = insertMisc(db, S("CURRENCY"), S("USD"), S("ดอลลาร์สหรัฐ"), 2);
    insertRow(db, S("CurrencyEx"), {{S("Currency"), usd}, {S("ExchangeDate"), QDate(year, 1, 2)}, {S("PurcScrap"), 0},
                                    {S("PurcPart"), 0}, {S("PurcRate"), 35.25}, {S("SaleScrap"), 0}, {S("SalePart"), 0},
                                    {S("SaleRate"), 34.75}});
    insertRow(db, S("CurrencyEx"), {{S("Currency"), usd}, {S("ExchangeDate"), today.addDays(-1)}, {S("PurcScrap"), 0},
                                    {S("PurcPart"), 0}, {S("PurcRate"), 36.10}, {S("SaleScrap"), 0}, {S("SalePart"), 0},
                                    {S("SaleRate"), 35.60}});
    insertRow(db, S("CurrencyEx"), {{S("Currency"), thb}, {S("ExchangeDate"), QDate(year, 1, 1)}, {S("PurcRate"), 1},
                                    {S("SaleRate"), 1}});
    insertMisc(db, S("SUBTYPE"), S("01"), S("ทั่วไป"), 1);
    insertMisc(db, S("SUBTYPE"), S("02"), S("รายเดือน"), 2, S("Y"));
    const char* departments[] = {"จัดซื้อ", "คลังสินค้า", "บัญชี", "ฝ่ายขาย", "ซ่อมบำรุง"};
    for (int i = 0; i < 5; ++i)
        insertMisc(db, S("DEPARTMENT"), QString::number(i + 1).rightJustified(2, u'0'), S(departments[i]), i + 1);
    const char* cities[] = {"กรุงเทพมหานคร", "นนทบุรี", "ชลบุรี", "เชียงใหม่", "ขอนแก่น", "สงขลา"};
    int bangkok = 0;
    for (int i = 0; i < 6; ++i) {
        const int id = insertMisc(db, S("CITY"), QString::number(10 + i), S(cities[i]), i + 1);
        if (!bangkok)
            bangkok = id;
    }
    insertMisc(db, S("TRANSPORT"), S("TRUCK"), S("รถบรรทุกบริษัท"), 1);
    insertMisc(db, S("TRANSPORT"), S("KERRY"), S("ขนส่งเอกชน"), 2);
    insertMisc(db, S("PRICETYPE"), S("1"), S("ราคาขายปลีก"), 1);
    insertMisc(db, S("PRICETYPE"), S("2"), S("ราคาขายส่ง"), 2);
    insertMisc(db, S("COSTNO"), S("C01"), S("ศูนย์ต้นทุนสำนักงาน"), 1);
    insertMisc(db, S("PROCESS"), S("P01"), S("ประกอบ"), 1);
    insertMisc(db, S("PTYPE"), S("OFF"), S("เครื่องเขียน"), 1);
    insertMisc(db, S("PTYPE"), S("ELE"), S("อุปกรณ์ไฟฟ้า"), 2);
    insertMisc(db, S("PGROUP"), S("G1"), S("สินค้าหมุนเร็ว"), 1);
    insertMisc(db, S("APP_PO"), S("01"), S("อนุมัติตามวงเงิน"), 1);
    insertMisc(db, S("REM_PURC"), S("R01"), S("กรุณาส่งสินค้าตามกำหนด"), 1);
    insertMisc(db, S("REM_SALE"), S("S01"), S("ขอบคุณที่ใช้บริการ"), 1);
    insertMisc(db, S("DUMMY"), S("DUMMY"), S("กลุ่มคลังสมมุติ"), 1);

    insertRow(db, S("Tax"), {{S("Code"), S("V7")}, {S("Rate"), 7.0}});
    const int tax7 = lastId(db);
    insertRow(db, S("Tax"), {{S("Code"), S("V0")}, {S("Rate"), 0.0}});

    struct Wh {
        const char* code;
        const char* name;
        const char* location;
    };
    const Wh warehouses[] = {{"WH01", "คลังสินค้าหลัก", "N"}, {"WH02", "คลังสาขาบางนา", "N"}, {"WH03", "คลังสินค้าเสีย", "N"},
                             {"L01", "ชั้นวาง A1", "Y"}};
    int mainWh = 0;
    for (const Wh& w : warehouses) {
        insertRow(db, S("Warehouse"), {{S("Code"), S(w.code)}, {S("Name"), S(w.name)}, {S("IsLocation"), S(w.location)},
                                       {S("Blocked"), S("N")}, {S("flagin"), S("Y")}, {S("flagout"), S("Y")}});
        if (!mainWh)
            mainWh = lastId(db);
    }

    struct Vendor {
        const char* code;
        const char* name;
        int currency;  // 0 THB, 1 USD
        double credit;
    };
    const Vendor vendors[] = {
        {"V001", "บริษัท ไทยเครื่องเขียน จำกัด", 0, 500000}, {"V002", "ห้างหุ้นส่วนจำกัด สยามไฟฟ้า", 0, 200000},
        {"V003", "บริษัท กรุงเทพบริการ จำกัด", 0, 100000},    {"V004", "Global Parts Trading Ltd.", 1, 50000},
        {"V005", "บริษัท เชียงใหม่ค้าไม้ จำกัด (มหาชน)", 0, 0}, {"V006", "ร้านสมหวังการค้า", 0, 30000},
    };
    for (const Vendor& v : vendors)
        insertRow(db, S("Vendor"),
                  {{S("Code"), S(v.code)}, {S("Name"), S(v.name)}, {S("Blocked"), S("N")}, {S("TaxNumber"), S("0105550001234")},
                   {S("TaxCode"), tax7}, {S("DueDays"), 30}, {S("CreditLimit"), v.credit}, {S("OpenAccount"), QDate(year - 3, 1, 15)},
                   {S("DirectVendor"), S("N")}, {S("VendorImport"), v.currency ? S("Y") : S("N")},
                   {S("VendorCurrentStatus"), S("A")}, {S("POCurrencyId"), v.currency ? usd : thb},
                   {S("VendorCurrency"), v.currency ? usd : thb}, {S("Price_IE"), S("E")},
                   {S("Address1"), S("123 ถนนสุขุมวิท")}, {S("Address2"), S("แขวงคลองเตย เขตคลองเตย")},
                   {S("Province"), bangkok}, {S("ZipCode"), S("10110")}, {S("PhoneNo"), S("02-123-4567")},
                   {S("LeadTimeDelivery"), 7}});

    // Products: (code, Thai name, kind, stock unit, purchase unit, fraction, price)
    struct Product {
        const char* code;
        const char* name;
        const char* kind;
        const char* small;
        const char* big;
        int fraction;
        double price;
    };
    const Product products[] = {
        {"P0001", "ปากกาลูกลื่น สีน้ำเงิน", "P", "ด้าม", "กล่อง", 12, 5.50},
        {"P0002", "ปากกาลูกลื่น สีแดง", "P", "ด้าม", "กล่อง", 12, 5.50},
        {"P0003", "ดินสอ 2B", "P", "แท่ง", "โหล", 12, 4.00},
        {"P0004", "กระดาษ A4 80 แกรม", "P", "รีม", "กล่อง", 5, 115.00},
        {"P0005", "แฟ้มเอกสาร สันกว้าง", "P", "เล่ม", "แพ็ค", 10, 45.00},
        {"P0006", "ลวดเย็บกระดาษ เบอร์ 10", "P", "กล่อง", "แพ็ค", 24, 8.00},
        {"P0007", "เทปใส 1 นิ้ว", "P", "ม้วน", "แถว", 8, 12.00},
        {"P0008", "หลอดไฟ LED 18 วัตต์", "P", "หลอด", "ลัง", 25, 89.00},
        {"P0009", "สายไฟ VAF 2x1.5", "P", "เมตร", "ม้วน", 100, 9.75},
        {"P0010", "ปลั๊กพ่วง 4 ช่อง", "P", "อัน", "กล่อง", 10, 259.00},
        {"P0011", "เบรกเกอร์ 32 แอมป์", "P", "ตัว", "กล่อง", 12, 185.00},
        {"P0012", "น้ำดื่ม 600 มล.", "P", "ขวด", "แพ็ค", 12, 6.00},
        {"P0013", "กาแฟสำเร็จรูป 3in1", "P", "ซอง", "ลัง", 240, 3.25},
        {"P0014", "กระดาษทิชชู่", "P", "ม้วน", "แพ็ค", 6, 11.00},
        {"P0015", "น้ำยาล้างจาน 500 มล.", "P", "ขวด", "ลัง", 12, 29.00},
        {"P0016", "ถุงมือผ้า", "P", "คู่", "โหล", 12, 15.00},
        {"P0017", "หมึกพิมพ์เลเซอร์ สีดำ", "P", "ตลับ", "กล่อง", 1, 1890.00},
        {"P0018", "สมุดบัญชี 100 แผ่น", "P", "เล่ม", "แพ็ค", 10, 35.00},
        {"P0019", "ตะปู 2 นิ้ว", "P", "กิโลกรัม", "ลัง", 20, 55.00},
        {"P0020", "สีน้ำอะครีลิค สีขาว", "P", "แกลลอน", "ลัง", 4, 450.00},
        {"P0021", "ไม้อัด 4 มม.", "P", "แผ่น", "มัด", 20, 210.00},
        {"P0022", "กระเบื้องปูพื้น 60x60", "P", "แผ่น", "กล่อง", 4, 95.00},
        {"S0001", "ค่าบริการซ่อมเครื่องปรับอากาศ", "S", "ครั้ง", "ครั้ง", 1, 1500.00},
        {"S0002", "ค่าบริการทำความสะอาดสำนักงาน", "S", "เดือน", "เดือน", 1, 12000.00},
        {"S0003", "ค่าขนส่งสินค้า", "S", "เที่ยว", "เที่ยว", 1, 800.00},
        {"S0004", "ค่าบริการตรวจเช็คลิฟต์", "S", "ครั้ง", "ครั้ง", 1, 3500.00},
        {"M0001", "ค่าน้ำประปา", "M", "เดือน", "เดือน", 1, 0.00},
        {"M0002", "ค่าไฟฟ้า", "M", "เดือน", "เดือน", 1, 0.00},
        {"M0003", "ค่าเครื่องดื่มรับรองลูกค้า", "M", "ครั้ง", "ครั้ง", 1, 0.00},
        {"M0004", "ค่าน้ำมันรถยนต์", "M", "ลิตร", "ลิตร", 1, 35.50},
    };
    int n = 0;
    for (const Product& p : products) {
        ++n;
        insertRow(db, S("Product"),
                  {{S("Code"), S(p.code)}, {S("ThaiName"), S(p.name)}, {S("EngName"), S(p.code)}, {S("ProductType"), S(p.kind)},
                   {S("PriceIE"), S("E")}, {S("UseSerial"), p.code == QLatin1String("P0010") ? S("Y") : S("N")},
                   {S("LotControl"), p.code == QLatin1String("P0015") ? S("Y") : S("N")}, {S("TaxCode"), tax7},
                   {S("DefaultWh"), S(p.kind) == QLatin1String("P") ? QVariant(mainWh) : QVariant()},
                   {S("Blocked"), S("N")}, {S("MasterCode"), S("N")}, {S("Negative"), S("N")},
                   {S("Cartons"), p.fraction}, {S("CostMoving"), p.price}});
        const int productId = lastId(db);
        const QString bar = QStringLiteral("885%1").arg(n, 10, 10, QLatin1Char('0'));
        insertRow(db, S("ProductUnits"), {{S("Product"), productId}, {S("UnitName"), S(p.small)}, {S("UnitDesc"), S(p.small)},
                                          {S("Fraction"), 1}, {S("BarCode"), bar + u'1'}, {S("PurcFlag"), S("Y")},
                                          {S("SaleFlag"), S("Y")}, {S("StockUnitFlag"), S("Y")}, {S("SmallUnitFlag"), S("Y")},
                                          {S("PurcPrice"), p.price}});
        if (p.fraction > 1)
            insertRow(db, S("ProductUnits"),
                      {{S("Product"), productId}, {S("UnitName"), S(p.big)}, {S("UnitDesc"), S(p.big)}, {S("Fraction"), p.fraction},
                       {S("BarCode"), bar + u'2'}, {S("PurcFlag"), S("Y")}, {S("SaleFlag"), S("N")}, {S("StockUnitFlag"), S("N")},
                       {S("SmallUnitFlag"), S("N")}, {S("PurcPrice"), p.price * p.fraction}});
        if (S(p.kind) == QLatin1String("P"))
            insertRow(db, S("ProductOnHand"), {{S("product"), productId}, {S("warehouse"), mainWh}, {S("balanceyear"), year},
                                               {S("quantity"), 10.0 * n}});
    }

    seedSeries(db, year);
    seedPeriods(db, year - 1, true);
    seedPeriods(db, year, false);

    insertRow(db, S("Config"),
              {{S("id"), 1}, {S("BranchCode"), S("HQ")}, {S("RunYear"), year}, {S("MainCurrencyId"), thb},
               {S("AutoRunDocMonth"), S("N")}, {S("AutoGenGL"), S("N")}, {S("LockInputProject"), S("N")},
               {S("MrRefPO"), S("N")}, {S("EditPricePO"), S("Y")}, {S("PurchasePriceDecimal"), 2},
               {S("Purc_IE"), S("E")}, {S("Default_IE"), S("E")}, {S("PO_Approved"), S("Y")},
               {S("PO_LimitAutoApproved"), 5000}, {S("PORQ_Approved"), S("Y")}, {S("SearchProductNo"), 1},
               {S("SearchProductMethod"), 1}, {S("DisplayFraction"), S("Y")}, {S("UnitLeft"), S("[")},
               {S("UnitRight"), S("]")}, {S("OnhandDecimal"), 0}, {S("purcunlockcredit"), S("N")},
               {S("SearchWHShowStock"), S("Y")}, {S("Islocation"), S("N")}});
    tx.commit();
}

void createDemoServer(const db::ServerName& server, QDate today)
{
    for (const QString& name : {ConfigDb, S("DEMO")})
        if (Database::exists(server, name))
            throw DatabaseError(S("Database '%1' already exists on %2; it is left as it is").arg(name, server.describe()));
    try {
        Database::create(server, ConfigDb);
        Database::create(server, S("DEMO"));
        Database& cfg = Database::open(S("install-config"), server, ConfigDb);
        installConfigDatabase(cfg);
        seedConfigDatabase(cfg);
        registerCompany(cfg, 1, S("DEMO"), S("DEMO"), S("บริษัท เมอริด็อกซ์ เทรดดิ้ง จำกัด"), today.year());
        Database& company = Database::open(S("install-company"), server, S("DEMO"));
        installCompanyDatabase(company);
        seedDemoCompany(company, today);
        resetIdentities(company, schema::companySchema());
    } catch (...) {
        // A half-made server would refuse the next attempt; take it away.
        Database::close(S("install-config"));
        Database::close(S("install-company"));
        for (const QString& name : {ConfigDb, S("DEMO")})
            try {
                Database::drop(server, name);
            } catch (...) {
            }
        throw;
    }
    Database::close(S("install-config"));
    Database::close(S("install-company"));
}

void createLargeCompany(const db::ServerName& server, int products, int vendors, int warehouses, QDate today)
{
    if (Database::exists(server, S("LARGE")))
        throw DatabaseError(S("Database 'LARGE' already exists on %1; it is left as it is").arg(server.describe()));
    const bool newConfig = !Database::exists(server, ConfigDb);
    if (newConfig)
        Database::create(server, ConfigDb);
    Database& cfg = Database::open(S("install-config"), server, ConfigDb);
    if (newConfig) {
        installConfigDatabase(cfg);
        seedConfigDatabase(cfg);
    }
    registerCompany(cfg, 2, S("LARGE"), S("LARGE"), S("บริษัท ลาร์จ ดิสทริบิวชั่น จำกัด"), today.year());
    Database::create(server, S("LARGE"));
    Database& db = Database::open(S("install-company"), server, S("LARGE"));
    installCompanyDatabase(db);
    seedDemoCompany(db, today);

    db::Transaction tx(db);
    for (int w = 0; w < warehouses; ++w)
        insertRow(db, S("Warehouse"), {{S("Code"), S("LW%1").arg(w, 3, 10, QLatin1Char('0'))},
                                       {S("Name"), S("คลังสาขาที่ %1").arg(w + 1)}, {S("IsLocation"), S("N")}, {S("Blocked"), S("N")}});
    Query v(db, S("INSERT INTO Vendor (Code, Name, Blocked, CreditLimit, VendorCurrentStatus, Price_IE) "
                  "VALUES (:Code, :Name, 'N', :Credit, 'A', 'E')"));
    for (int i = 0; i < vendors; ++i)
        v.bind(S("Code"), S("LV%1").arg(i, 6, 10, QLatin1Char('0')))
            .bind(S("Name"), S("บริษัท ผู้ขายรายที่ %1 จำกัด").arg(i + 1))
            .bind(S("Credit"), 100000.0)
            .exec();
    // Products carry a VAT code and goods a default warehouse, as the lookups expect.
    Query taxId(db, S("SELECT Id FROM Tax WHERE Code = 'V7'"));
    const int tax = taxId.open().field(S("Id")).asInt();
    Query p(db, S("INSERT INTO Product (Code, ThaiName, ProductType, PriceIE, Blocked, MasterCode, UseSerial, LotControl, "
                  "TaxCode, DefaultWh) VALUES (:Code, :Name, :Kind, 'E', :Blocked, 'N', 'N', 'N', :Tax, :Wh)"));
    Query u(db, S("INSERT INTO ProductUnits (Product, UnitName, UnitDesc, Fraction, BarCode, PurcFlag, SaleFlag, StockUnitFlag, "
                  "SmallUnitFlag, PurcPrice) VALUES (:Product, :Unit, :Unit, :Fraction, :Bar, 'Y', 'Y', :Stock, :Small, :Price)"));
    Query oh(db, S("INSERT INTO ProductOnHand (product, warehouse, balanceyear, quantity) VALUES (:P, :W, :Y, :Q)"));
    Query whId(db, S("SELECT MIN(Id) AS W FROM Warehouse"));
    const int wh = whId.open().field(S("W")).asInt();
    static const char* kinds[] = {"P", "P", "P", "S", "M"};
    for (int i = 0; i < products; ++i) {
        p.bind(S("Code"), S("LP%1").arg(i, 7, 10, QLatin1Char('0')))
            .bind(S("Name"), S("สินค้าทดสอบรายการที่ %1").arg(i + 1))
            .bind(S("Kind"), S(kinds[i % 5]))
            .bind(S("Blocked"), i % 97 == 0 ? S("Y") : S("N"))
            .bind(S("Tax"), tax)
            .bind(S("Wh"), i % 5 < 3 ? QVariant(wh) : QVariant())
            .exec();
        const int id = lastId(db);
        const QString bar = S("99%1").arg(i, 10, 10, QLatin1Char('0'));
        u.bind(S("Product"), id).bind(S("Unit"), S("ชิ้น")).bind(S("Fraction"), 1).bind(S("Bar"), bar + u'1')
            .bind(S("Stock"), S("Y")).bind(S("Small"), S("Y")).bind(S("Price"), 10.0 + i % 100).exec();
        u.bind(S("Unit"), S("กล่อง")).bind(S("Fraction"), 12).bind(S("Bar"), bar + u'2').bind(S("Stock"), S("N"))
            .bind(S("Small"), S("N")).bind(S("Price"), 12 * (10.0 + i % 100)).exec();
        oh.bind(S("P"), id).bind(S("W"), wh).bind(S("Y"), today.year()).bind(S("Q"), double(i % 500)).exec();
    }
    tx.commit();
    resetIdentities(db, schema::companySchema());
    Database::close(S("install-config"));
    Database::close(S("install-company"));
}

} // namespace meridox::server

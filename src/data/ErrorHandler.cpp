#include "data/ErrorHandler.h"

#include "data/Fr_ShowError.h"
#include "data/Session.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

#include <utility>
#include <vector>

namespace meridox {

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

const std::vector<std::pair<QString, QString>>& table()
{
    static const std::vector<std::pair<QString, QString>> t{
        {S("is not a valid date"), S("ป้อนวันที่ไม่ถูกต้อง")},
        {S("Cannot insert the value NULL into column 'Transportation'"), S("ไม่ได้ป้อนข้อมูลการขนส่ง")},
        {S("Cannot insert the value NULL into column 'Price'"), S("กำหนดราคาไม่ครบถ้วน")},
        {S("Cannot insert the value NULL into column 'Warehouse'"), S("ไม่ได้ป้อนข้อมูลคลัง")},
        {S("Cannot insert the value NULL into column 'Customer'"), S("ไม่ได้ป้อนข้อมูลลูกค้า")},
        {S("Cannot insert the value NULL into column 'Vendor'"), S("ไม่ได้ป้อนข้อมูลเจ้าหนี้")},
        {S("Cannot insert the value NULL into column 'Fraction'"), S("ไม่ได้ป้อนข้อมูลหน่วย หรือ ข้อมูลหน่วยผิดพลาด")},
        {S("Cannot insert the value NULL into column 'Salesman'"), S("ไม่ได้ป้อนข้อมูลพนักงานขาย")},
        {S("Possible network error"), S("ระบบเครือข่าย หรือ คอมพิวเตอร์แม่ข่ายมีปัญหา ติดต่อเครื่องแม่ข่ายไม่ได้")},
        {S("DELETE statement conflicted with COLUMN REFERENCE"), S("ข้อมูลที่ลบถูกอ้างโดยข้อมูลอื่น ไม่สามารถลบข้อมูลนี้ได้")},
        {S("Printer selected is not valid"), S("ยังไม่ได้กำหนดเครื่องพิมพ์ หรือ เครื่องพิมพ์มีปัญหา")},
        {S("Insufficient memory"), S("Memory หน่วยความจำของเครื่องไม่เพียงพอ")},
        {S("SQL Server connection timed out"), S("เครื่องแม่ข่ายตัดการติดต่อ เพราะเครื่องนี้อาจเรียกข้อมูลปริมาณมากเกินไป")},
        {S("Cannot insert duplicate"), S("ข้อมูลที่เพิ่มซ้ำกับข้อมูลที่มีอยู่แล้ว")},
    };
    return t;
}
} // namespace

QString explainError(const QString& message)
{
    const QString upper = message.toUpper();
    for (const auto& [text, explanation] : table())
        if (upper.contains(text.toUpper()))
            return explanation;
    return {};
}

QString errorWindowText(const QString& message)
{
    return explainError(message) + u'\n' + message.toUpper() + u'\n';
}

void handleError(const QString& message)
{
    try {
        if (Session::current().writeErrorLog)
            Session::current().writeErrorLog(message);
    } catch (...) {
        // The configuration database may be the very thing that failed; the
        // user still sees the error.
    }
    ui::Dialogs::instance().error(errorWindowText(message));
}

void installErrorHandler()
{
    ui::Application::setExceptionHandler(handleError);
    ui::Dialogs::setErrorWindow([](const QString& text) { TFrShowError::showText(text); });
}

} // namespace meridox

#include "data/Dm_Vendor.h"

#include "data/U_DM.h"
#include "platform/text/NumberFormat.h"
#include "platform/ui/Dialogs.h"

#include <cmath>

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

const char* const kVendorCredit = R"(SELECT v.CreditLimit,
       (SELECT SUM(COALESCE(b.Balance, 0) + COALESCE(b.ChqDue, 0) + COALESCE(b.ChqRtd, 0))
        FROM VendorBalance b WHERE b.Vendor = v.Id AND b.BalanceYear = :Year) AS Balance
FROM Vendor v
WHERE v.Id = :Vendor)";

// Money compared in whole satang, so 90000 + 10000 is not over a limit of 100000
// by a binary residue.
long long satang(double amount) { return std::llround(amount * 100.0); }

} // namespace

TDmVendor& TDmVendor::instance()
{
    static TDmVendor m;
    return m;
}

bool TDmVendor::CheckVendorCredit(qint64 vendorId, double amount)
{
    TDM& dm = TDM::instance();
    db::Query& q = m_q.get(S("QVendorCredit"), S(kVendorCredit));
    q.bind(S("Vendor"), vendorId).bind(S("Year"), dm.ServerNow().date().year()).open();
    const double limit = q.isEmpty() ? 0.0 : q.field(S("CreditLimit")).asFloat();
    const double balance = q.isEmpty() ? 0.0 : q.field(S("Balance")).asFloat();
    q.close();
    if (satang(limit) <= 0)
        return true;
    if (satang(balance) + satang(amount) <= satang(limit))
        return true;
    const double left = double(satang(limit) - satang(balance)) / 100.0;
    ui::Dialogs::instance().information(S("ยอดเกินวงเงินเครดิต\n\nบริษัทมีเครดิตคงเหลือ ") + formatNumber(left, QString()));
    return dm.config(S("purcunlockcredit")).asString().trimmed().isEmpty();
}

} // namespace meridox

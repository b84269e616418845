#include "start/MenuDispatch.h"

namespace meridox {

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// Builders so each menu reads as one line of the table.
struct M {
    ModeFields f;
    M& kind(const char* k) { f.DocKind = S(k); return *this; }
    M& prefix(const char* p) { f.DocPrefix = S(p); return *this; }
    M& purchase(const char* p) { f.PurchaseKind = S(p); return *this; }
    M& note(const char* n) { f.NoteKind = S(n); return *this; }
    M& area() { f.ShowMeasure = true; f.MeasureLabel = S("ตรม"); return *this; }
    M& weight() { f.ShowMeasure = true; f.MeasureByWeight = true; f.MeasureLabel = S("น้ำหนัก"); return *this; }
    M& project() { f.RequireProject = true; return *this; }
    M& prices() { f.ShowPrices = true; return *this; }
    M& checkIn() { f.CheckInMode = true; return *this; }
    M& refReturn() { f.RefGoodsReturn = true; return *this; }
};

std::vector<MenuEntry> build()
{
    std::vector<MenuEntry> t;
    auto add = [&](int no, const char* cls, const char* aux, M m) { t.push_back({no, S(cls), S(aux), m.f}); };
    const char* po = "TFrPoTran";
    const char* ship = "TFrPoShip";
    add(2, po, ship, M().kind("P"));
    add(12, po, ship, M().kind("S"));
    add(22, po, ship, M().kind("M"));
    add(32, po, ship, M().kind("A"));
    add(34, "TFrPoTran2", ship, M().kind("A"));
    add(102, po, ship, M().kind("P").area());
    add(132, po, ship, M().kind("A").area());
    add(232, po, ship, M().kind("A").project());
    add(324, po, ship, M().kind("A").project().checkIn());

    const char* mr = "TFrMrTran";
    const char* pre = "TFrGetMrPrePaid";
    add(3, mr, pre, M().kind("P").prefix("MR-P").purchase("D"));
    add(13, mr, pre, M().kind("S").prefix("MR-S").purchase("D"));
    add(23, mr, pre, M().kind("M").prefix("MR-M").purchase("D"));
    add(33, mr, pre, M().kind("A").prefix("MR-A").purchase("D"));
    add(103, mr, pre, M().kind("P").prefix("MR-P").purchase("D").area());
    add(104, mr, pre, M().kind("P").prefix("MR-P").purchase("D").weight());
    add(133, mr, pre, M().kind("A").prefix("MR-A").purchase("D").area());
    add(203, mr, pre, M().kind("B").prefix("MR-B").purchase("D"));
    add(233, mr, pre, M().kind("A").prefix("MR-A").purchase("D").project().prices());
    add(403, mr, pre, M().kind("A").prefix("MR-A").purchase("D"));

    const char* pc = "TFrPcTran";
    add(5, pc, "", M().kind("P").prefix("PC-P").purchase("C"));
    add(15, pc, "", M().kind("S").prefix("PC-S").purchase("C"));
    add(25, pc, "", M().kind("M").prefix("PC-M").purchase("C").prices());
    add(35, pc, "", M().kind("A").prefix("PC-A").purchase("C").prices());
    add(105, pc, "", M().kind("P").prefix("PC-P").purchase("C").area());
    add(135, pc, "", M().kind("A").prefix("PC-A").purchase("C").area());
    add(235, pc, "", M().kind("A").prefix("PC-A").purchase("C").project());

    add(7, "TFrPrTran", "", M().kind("P"));
    add(27, "TFrPrTran", "", M().kind("M"));
    add(37, "TFrPrTran", "", M().kind("A"));
    add(777, "TFrPrTranRIZOV", "", M().kind("P"));

    const char* kinds[] = {"P", "S", "M", "A"};
    const char* cn[] = {"VCN-P", "VCN-S", "VCN-M", "VCN-A"};
    // The service debit note has no code of its own: it numbers and prints as "VDN-P".
    const char* dn[] = {"VDN-P", "VDN-P", "VDN-M", "VDN-A"};
    for (int i = 0; i < 4; ++i) {
        add(8 + 10 * i, "TFrVCnTran", "", M().kind(kinds[i]).note("C").prefix(cn[i]));
        add(1008 + 10 * i, "TFrVCnTran", "", M().kind(kinds[i]).note("C").prefix(cn[i]).refReturn());
        add(9 + 10 * i, "TFrVDnTran", "", M().kind(kinds[i]).note("D").prefix(dn[i]));
        // 1039 is the same as 39: no goods-return reference.
        M debit = M().kind(kinds[i]).note("D").prefix(dn[i]);
        add(1009 + 10 * i, "TFrVDnTran", "", i < 3 ? debit.refReturn() : debit);
    }

    for (int i = 0; i < 4; ++i)
        add(90 + i, "TFrStartMR", "", M().kind(kinds[i]));
    add(95, "TFrStartCN", "", M().kind("A"));
    add(96, "TFrStartDN", "", M().kind("A"));
    add(94, "TFrPoClearBkOrder", "", M());
    add(97, "TFrPoClearBkOrderService", "", M());
    add(101, "TFrShipTable", "", M());
    add(323, "TFrPoApprove", "", M());
    add(325, "TFrPorqApprove", "", M());
    add(2000, "TFrBillTran", "", M());
    add(8001, "TFrPoRQTran", ship, M().kind("A").project());
    add(8002, "TFrPoRqClearBackOrder", "", M());
    add(8005, "TFrPoClearApprove", "", M());
    return t;
}

} // namespace

const std::vector<MenuEntry>& menuTable()
{
    static const std::vector<MenuEntry> t = build();
    return t;
}

const MenuEntry* findMenu(int menuNo)
{
    for (const MenuEntry& e : menuTable())
        if (e.menuNo == menuNo)
            return &e;
    return nullptr;
}

} // namespace meridox

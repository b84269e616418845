#pragma once
// The mode a menu choice opens a working window in; set by the dispatcher
// before the window is shown. Unset fields stay false or empty.
#include <QString>

namespace meridox {

struct ModeFields {
    QString DocKind;       // "P" goods, "S" services, "M" expenses, "A" all kinds, "B"
    QString DocPrefix;     // document code, e.g. "MR-P"
    QString PurchaseKind;  // "D" credit, "C" cash
    QString NoteKind;      // "C" credit note, "D" debit note
    bool ShowMeasure = false;
    bool MeasureByWeight = false;
    QString MeasureLabel;
    bool RequireProject = false;
    bool ShowPrices = false;
    bool CheckInMode = false;
    bool FranchiseVendor = false;
    bool RefGoodsReturn = false;

    bool operator==(const ModeFields&) const = default;
};

} // namespace meridox

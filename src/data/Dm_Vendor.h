#pragma once
// TDmVendor: the vendor's credit limit, checked before a purchase is saved.
// One instance for the whole run.
#include "data/ModuleQueries.h"

namespace meridox {

class TDmVendor {
public:
    static TDmVendor& instance();

    // Whether the vendor's balance of the current year plus `amount` stays within
    // its credit limit; when it does not, tells the user the credit left and
    // lets the save go on only when Config.purcunlockcredit is blank.
    bool CheckVendorCredit(qint64 vendorId, double amount);

private:
    TDmVendor() = default;

    ModuleQueries m_q;
};

} // namespace meridox

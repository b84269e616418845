#pragma once
// TDmProduct, the lookups of goods (and of every product kind by bar code and
// unit): a window asks whether a typed code exists and then reads the found
// row from the named query right after the call. One instance for the whole run.
#include "data/ModuleQueries.h"

#include <QDate>
#include <QString>

namespace meridox {

// Unit roles, matching the unit flags SaleFlag, PurcFlag, StockUnitFlag, SmallUnitFlag.
namespace UnitRole {
enum : unsigned { Sale = 1, Purchase = 2, Stock = 4, Small = 8 };
}
using UnitRoles = unsigned;

class TDmProduct {
public:
    static TDmProduct& instance();

    bool ExistsProduct(const QString& code);
    bool ExistsProductUnit(qint64 productId, const QString& unitName, UnitRoles roles);
    QString GetFirstUnit(qint64 productId, UnitRoles roles);
    QString GetSmallUnit(qint64 productId);
    bool ExistsBarCode(const QString& barCode);
    bool ExistsWarehouse(const QString& code);
    bool ExistsLotNo(const QString& code, const QDate& date);
    bool ExistsSerialNo(const QString& serial, qint64 productId);
    bool ExistsProjectItemCode(const QString& code, qint64 projectId);
    bool ExistsPartSource(qint64 unitId, qint64 vendorId);
    bool ExistsVendorPartCode(const QString& purchaseCode, qint64 vendorId);
    QString OnHandText(qint64 productId, int balanceYear);

    // The ProductView name of the last product found when Config.SearchProductNo
    // is 2; empty otherwise.
    const QString& SpecialName() const { return m_specialName; }

    db::Query& QChkProduct();
    db::Query& QChkUnit();
    db::Query& QDefaultUnit();
    db::Query& QSmallUnit();
    db::Query& QChkBarCode();
    db::Query& QChkWarehouse();
    db::Query& QChkLotNo();
    db::Query& QChkSerial();
    db::Query& QChkProjectItemCode();
    db::Query& QPriceStandard();
    db::Query& QExistsPartSource();
    db::Query& QExistsPartSource_PR();
    db::Query& QChkPartSource();

private:
    TDmProduct() = default;

    ModuleQueries m_q;
    QString m_specialName;
};

} // namespace meridox

#pragma once
// TFrHdDtTransaction, the base of the header-and-lines windows that keep
// their lines on a tab page (vendor notes, bill acceptance): the short
// toolbar, a header panel with the document number and date, the line grid
// on the first tab and a footer of group boxes. Inside the line grid Enter
// and Esc belong to the grid.
#include "framework/Fr_Form.h"
#include "platform/db/DataSet.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/DbGrid.h"

#include <memory>

class QGroupBox;
class QPushButton;
class QTabWidget;
class QLabel;

namespace meridox {

class TFrHdDtTransaction : public TFrForm {
    Q_OBJECT
public:
    // The header columns the document-number and date fields show.
    explicit TFrHdDtTransaction(QWidget* parent = nullptr, const QString& docNoField = QStringLiteral("DocNo"),
                                const QString& dateField = QStringLiteral("DocDate"));
    ~TFrHdDtTransaction() override;

    void FormShow() override;
    void AcNewExecute() override;
    void DgDtEnter();
    void DgDtExit();

    std::unique_ptr<db::DataSet> QHd, QDt, QHdId;
    ui::DataSource *DHd, *DDt;

    QWidget* PnHeader;
    ui::DbEdit* FaGetDocNo;
    ui::DbDateEdit* FaGetDate1;
    QLabel *LbDocNo, *LbDate;
    QWidget* PnFooter;
    QGroupBox *GbDiscount, *GbTotal, *GbDetail;
    QPushButton* BtDeleteLine;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    ui::DbGrid* DgDt;

protected:
    bool FormClose() override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void FormResize();

private:
    QMetaObject::Connection m_focusWatch;
};

} // namespace meridox

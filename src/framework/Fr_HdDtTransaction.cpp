#include "framework/Fr_HdDtTransaction.h"

#include "data/Session.h"
#include "data/U_DM.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/DbGrid.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace meridox {

TFrHdDtTransaction::TFrHdDtTransaction(QWidget* parent, const QString& docNoField, const QString& dateField)
    : TFrForm(parent)
{
    // The short toolbar: New, Delete, Save, Exit only.
    for (QToolButton** b : {&BChgCode, &BHist, &BCopy, &BPrint, &BApporved}) {
        delete *b;
        *b = nullptr;
    }
    for (QAction** a : {&AcHist, &AcCopy, &AcPrint, &AcChgCode, &AcApporved}) {
        delete *a;
        *a = nullptr;
    }
    m_enterAlways = true;

    db::Database& db = TDM::instance().database();
    QHd = std::make_unique<db::DataSet>(db);
    QDt = std::make_unique<db::DataSet>(db);
    QHdId = std::make_unique<db::DataSet>(db);
    DHd = new ui::DataSource(*QHd, this);
    DHd->setObjectName(QStringLiteral("DHd"));
    DDt = new ui::DataSource(*QDt, this);
    DDt->setObjectName(QStringLiteral("DDt"));
    setDocumentSets(QHd.get(), {QDt.get()});

    auto* main = new QVBoxLayout(m_client);
    main->setContentsMargins(4, 4, 4, 4);
    main->setSpacing(4);

    PnHeader = new QFrame(m_client);
    PnHeader->setObjectName(QStringLiteral("PnHeader"));
    static_cast<QFrame*>(PnHeader)->setFrameShape(QFrame::StyledPanel);
    auto* hl = new QGridLayout(PnHeader);
    hl->setContentsMargins(8, 8, 8, 8);
    hl->setHorizontalSpacing(8);
    LbDocNo = new QLabel(PnHeader);
    FaGetDocNo = new ui::DbEdit(DHd, docNoField, PnHeader);
    FaGetDocNo->setObjectName(QStringLiteral("FaGetDocNo"));
    FaGetDocNo->setUpperCase(true);
    FaGetDocNo->setFixedWidth(160);
    LbDate = new QLabel(PnHeader);
    FaGetDate1 = new ui::DbDateEdit(DHd, dateField, PnHeader);
    FaGetDate1->setObjectName(QStringLiteral("FaGetDate1"));
    FaGetDate1->setFixedWidth(110);
    hl->addWidget(LbDocNo, 0, 0);
    hl->addWidget(FaGetDocNo, 0, 1);
    hl->addWidget(LbDate, 0, 2);
    hl->addWidget(FaGetDate1, 0, 3);
    hl->setColumnStretch(4, 1);
    main->addWidget(PnHeader);

    PageControl1 = new QTabWidget(m_client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* tl = new QVBoxLayout(TabSheet1);
    tl->setContentsMargins(2, 2, 2, 2);
    DgDt = new ui::DbGrid(DDt, TabSheet1);
    DgDt->setObjectName(QStringLiteral("DgDt"));
    tl->addWidget(DgDt);
    PageControl1->addTab(TabSheet1, QString());
    main->addWidget(PageControl1, 1);

    PnFooter = new QFrame(m_client);
    PnFooter->setObjectName(QStringLiteral("PnFooter"));
    PnFooter->setMinimumHeight(110);
    auto* fl = new QHBoxLayout(PnFooter);
    fl->setContentsMargins(0, 0, 0, 0);
    GbDiscount = new QGroupBox(PnFooter);
    GbDiscount->setObjectName(QStringLiteral("GbDiscount"));
    GbDiscount->setMinimumWidth(300);
    GbDetail = new QGroupBox(PnFooter);
    GbDetail->setObjectName(QStringLiteral("GbDetail"));
    GbTotal = new QGroupBox(PnFooter);
    GbTotal->setObjectName(QStringLiteral("GbTotal"));
    GbTotal->setMinimumWidth(300);
    fl->addWidget(GbDiscount);
    fl->addWidget(GbDetail, 1);
    fl->addWidget(GbTotal);
    BtDeleteLine = new QPushButton(GbDetail);
    BtDeleteLine->setObjectName(QStringLiteral("BtDeleteLine"));
    BtDeleteLine->setCursor(Qt::PointingHandCursor);
    GbDetail->installEventFilter(this);
    main->addWidget(PnFooter);

    // Key preview is off while the line grid (or one of its cell editors) has the focus.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const bool wasIn = old && (old == DgDt || DgDt->isAncestorOf(old));
        const bool isIn = now && (now == DgDt || DgDt->isAncestorOf(now));
        if (isIn && !wasIn)
            DgDtEnter();
        else if (wasIn && !isIn && now && now->window() == this)
            DgDtExit();
    });
}

TFrHdDtTransaction::~TFrHdDtTransaction()
{
    // The fields and the grid go before the data sets they show, and no
    // focus change while they go reaches this half-destroyed window.
    disconnect(m_focusWatch);
    delete takeCentralWidget();
    delete DHd;
    delete DDt;
}

void TFrHdDtTransaction::FormShow()
{
    const Session& s = Session::current();
    LbDocNo->setText(s.tr(QStringLiteral("เลขที่เอกสาร"), QStringLiteral("Doc. No.")));
    LbDate->setText(s.tr(QStringLiteral("วันที่"), QStringLiteral("Date")));
    BtDeleteLine->setText(s.tr(QStringLiteral("ลบรายการ"), QStringLiteral("Delete Line")));
    TFrForm::FormShow();
}

void TFrHdDtTransaction::AcNewExecute()
{
    AcSave->setEnabled(false);
    AcDel->setEnabled(false);
    PageControl1->setCurrentIndex(0);
    PageControl1->setTabText(0, Session::current().tr(QStringLiteral("รายละเอียดเอกสาร"), QStringLiteral("Description")));
    m_keyPreview = true;
}

void TFrHdDtTransaction::DgDtEnter()
{
    m_keyPreview = false;
}

void TFrHdDtTransaction::DgDtExit()
{
    m_keyPreview = true;
}

bool TFrHdDtTransaction::FormClose()
{
    // The same question through the data module's confirmation, in green this once.
    TDM& dm = TDM::instance();
    const QColor previous = dm.ConfirmColor;
    dm.ConfirmColor = QColor(0, 128, 0);
    const Session& s = Session::current();
    const bool yes = dm.AskConfirm(s.tr(s.ExitPrompt, QStringLiteral("Exit Program ?")));
    dm.ConfirmColor = previous;
    return yes;
}

void TFrHdDtTransaction::FormResize()
{
    const int h = BtDeleteLine->sizeHint().height();
    BtDeleteLine->setGeometry(4, GbDetail->height() - h - 8, GbDetail->width() - 8, h);
}

bool TFrHdDtTransaction::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == GbDetail && e->type() == QEvent::Resize)
        FormResize();
    return TFrForm::eventFilter(watched, e);
}

} // namespace meridox

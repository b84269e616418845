#include "framework/Fr_Form.h"

#include "data/Session.h"
#include "data/U_DM.h"
#include "platform/db/DataSet.h"
#include "platform/db/Transaction.h"
#include "platform/os/Errors.h"
#include "platform/ui/Application.h"
#include "platform/ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace meridox {

DocumentRights documentRights(const Session& s, bool existing, bool windowAllowsSave, bool windowAllowsDelete,
                              bool windowAllowsPrint)
{
    DocumentRights r;
    r.save = (existing ? s.ModifyRight : s.AddRight) && windowAllowsSave;
    r.del = existing && s.DeleteRight && windowAllowsDelete;
    r.print = existing && windowAllowsPrint;
    return r;
}

TFrForm::TFrForm(QWidget* parent) : QMainWindow(parent)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(1024, 640);

    AcNew = makeAction(QStringLiteral("AcNew"), QStringLiteral("New"), QStringLiteral("New Record"), Qt::Key_F3);
    AcDel = makeAction(QStringLiteral("AcDel"), QStringLiteral("Delete"), QStringLiteral("Delete Record"), Qt::Key_F8);
    AcSave = makeAction(QStringLiteral("AcSave"), QStringLiteral("Save"), QStringLiteral("Save Record"), Qt::Key_F10);
    AcHist = makeAction(QStringLiteral("AcHist"), QStringLiteral("Hist."), QStringLiteral("Show History"),
                        QKeySequence(Qt::CTRL | Qt::Key_H));
    AcCopy = makeAction(QStringLiteral("AcCopy"), QStringLiteral("Copy"), QStringLiteral("Copy Record"), Qt::Key_F6);
    AcPrint = makeAction(QStringLiteral("AcPrint"), QStringLiteral("Print"), QStringLiteral("Print Record"),
                         QKeySequence(Qt::CTRL | Qt::Key_P));
    AcExit = makeAction(QStringLiteral("AcExit"), QStringLiteral("Exit"), QStringLiteral("Exit Program"),
                        QKeySequence(Qt::CTRL | Qt::Key_X));
    AcChgCode = makeAction(QStringLiteral("AcChgCode"), QStringLiteral("Chg Code"), QString(), Qt::Key_F12);
    AcApporved = makeAction(QStringLiteral("AcApporved"), QStringLiteral("Apporved"), QString(), QKeySequence());
    connect(AcNew, &QAction::triggered, this, [this] { AcNewExecute(); });
    connect(AcDel, &QAction::triggered, this, [this] { AcDelExecute(); });
    connect(AcSave, &QAction::triggered, this, [this] { AcSaveExecute(); });
    connect(AcHist, &QAction::triggered, this, [this] { AcHistExecute(); });
    connect(AcCopy, &QAction::triggered, this, [this] { AcCopyExecute(); });
    connect(AcPrint, &QAction::triggered, this, [this] { AcPrintExecute(); });
    connect(AcExit, &QAction::triggered, this, [this] { AcExitExecute(); });
    connect(AcChgCode, &QAction::triggered, this, [this] { AcChgCodeExecute(); });

    m_toolBar = new QFrame(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setFrameShape(QFrame::StyledPanel);
    m_toolBar->setFrameShadow(QFrame::Raised);
    m_toolLayout = new QHBoxLayout(m_toolBar);
    m_toolLayout->setContentsMargins(4, 2, 4, 2);
    m_toolLayout->setSpacing(2);
    BNew = addToolButton(QStringLiteral("BNew"), AcNew);
    BDel = addToolButton(QStringLiteral("BDel"), AcDel);
    BSave = addToolButton(QStringLiteral("BSave"), AcSave);
    BChgCode = addToolButton(QStringLiteral("BChgCode"), AcChgCode);
    BHist = addToolButton(QStringLiteral("BHist"), AcHist);
    BCopy = addToolButton(QStringLiteral("BCopy"), AcCopy);
    BPrint = addToolButton(QStringLiteral("BPrint"), AcPrint);
    // In the base the approval button is a caption only; the approval windows give it an action.
    BApporved = addToolButton(QStringLiteral("BApporved"), nullptr);
    BApporved->setText(QStringLiteral("Apporved"));
    BApporved->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BExit = addToolButton(QStringLiteral("BExit"), AcExit);
    m_toolLayout->addStretch(1);
    ChgCode = new QLineEdit(m_toolBar);
    ChgCode->setObjectName(QStringLiteral("ChgCode"));
    ChgCode->setMaximumWidth(160);
    ChgCode->hide();
    connect(ChgCode, &QLineEdit::textEdited, ChgCode, [this](const QString& t) {
        if (t != t.toUpper()) {
            const int pos = ChgCode->cursorPosition();
            ChgCode->setText(t.toUpper());
            ChgCode->setCursorPosition(pos);
        }
    });
    m_toolLayout->addWidget(ChgCode);
    setMenuWidget(m_toolBar);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(m_client);

    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    m_companyPanel = new QLabel(this);
    m_companyPanel->setObjectName(QStringLiteral("Panel0"));
    m_companyPanel->setMinimumWidth(320);
    m_messagePanel = new QLabel(this);
    m_messagePanel->setObjectName(QStringLiteral("Panel1"));
    for (QLabel* l : {m_companyPanel, m_messagePanel}) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setContentsMargins(4, 0, 4, 0);
    }
    statusBar()->addWidget(m_companyPanel, 0);
    statusBar()->addWidget(m_messagePanel, 1);

    qApp->installEventFilter(this);
}

TFrForm::~TFrForm()
{
    qApp->removeEventFilter(this);
}

QAction* TFrForm::makeAction(const QString& name, const QString& caption, const QString& hint, const QKeySequence& key)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setToolTip(hint.isEmpty() ? caption : hint);
    a->setStatusTip(hint);
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
}

QToolButton* TFrForm::addToolButton(const QString& name, QAction* action)
{
    static const QHash<QString, QStyle::StandardPixmap> pictures{
        {QStringLiteral("BNew"), QStyle::SP_FileIcon},
        {QStringLiteral("BDel"), QStyle::SP_TrashIcon},
        {QStringLiteral("BSave"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("BChgCode"), QStyle::SP_BrowserReload},
        {QStringLiteral("BHist"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("BCopy"), QStyle::SP_FileDialogNewFolder},
        {QStringLiteral("BPrint"), QStyle::SP_DesktopIcon},
        {QStringLiteral("BExit"), QStyle::SP_DialogCloseButton},
    };
    auto* b = new QToolButton(m_toolBar);
    b->setObjectName(name);
    if (action) {
        if (pictures.contains(name))
            action->setIcon(style()->standardIcon(pictures[name]));
        b->setDefaultAction(action);
    }
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(24, 24));
    b->setMinimumWidth(64);
    b->setCursor(Qt::PointingHandCursor);
    // Toolbar buttons never take the focus, so Enter and Tab stay among the fields.
    b->setFocusPolicy(Qt::NoFocus);
    m_toolLayout->addWidget(b);
    return b;
}

QString TFrForm::titleFor(const QString& menuCaption, const QString& versionTag)
{
    return menuCaption.trimmed() + QStringLiteral(" [") + versionTag + u']';
}

void TFrForm::FormShow()
{
    const Session& s = Session::current();
    // The main window's title is the program's name on the task bar.
    setWindowTitle(titleFor(s.MenuCaption, versionTag()));
    m_companyPanel->setText(s.CompanyName);
    for (QToolButton* b : {BHist, BCopy, BPrint, BChgCode, BApporved})
        if (b)
            b->hide();
    AcNewExecute();
}

void TFrForm::AcNewExecute()
{
    ChgCode->hide();
    AcSave->setEnabled(false);
    AcDel->setEnabled(false);
    AcChgCode->setEnabled(false);
    m_keyPreview = true;
}

void TFrForm::AcExitExecute()
{
    close();
}

void TFrForm::ApplyRights(bool existing, bool windowAllowsSave, bool windowAllowsDelete, bool windowAllowsPrint)
{
    const DocumentRights r =
        documentRights(Session::current(), existing, windowAllowsSave, windowAllowsDelete, windowAllowsPrint);
    AcSave->setEnabled(r.save);
    AcDel->setEnabled(r.del);
    if (AcPrint)
        AcPrint->setEnabled(r.print);
}

QString TFrForm::statusText(int panel) const
{
    return (panel == 0 ? m_companyPanel : m_messagePanel)->text();
}

void TFrForm::setStatusText(int panel, const QString& text)
{
    (panel == 0 ? m_companyPanel : m_messagePanel)->setText(text);
}

// The classic toolkit's clGreen, with white text.
static const QColor CloseQuestionColor(0, 128, 0);

bool TFrForm::FormClose()
{
    const Session& s = Session::current();
    return ui::Dialogs::instance().question(s.tr(s.ExitPrompt, QStringLiteral("Exit Program ?")), CloseQuestionColor);
}

void TFrForm::closeEvent(QCloseEvent* e)
{
    if (FormClose())
        e->accept();
    else
        e->ignore();
}

bool TFrForm::FormKeyDown(QWidget* focus, int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (m_enterAlways || (focus && (focus->focusPolicy() & Qt::TabFocus)))
            focusNextChild();
        // Swallowed, so no control beeps or breaks the line.
        return true;
    }
    if (key == Qt::Key_Escape) {
        AcExitExecute();
        return true;
    }
    return false;
}

bool TFrForm::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && m_keyPreview && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        // Each key once, for the focused control of this window only.
        if (w->window() == this && w == QApplication::focusWidget()) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (!(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && FormKeyDown(w, k->key()))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TFrForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!m_centred && screen()) {
        m_centred = true;
        QRect g = frameGeometry();
        g.moveCenter(screen()->availableGeometry().center());
        move(g.topLeft());
    }
}

void TFrForm::setDocumentSets(db::DataSet* header, QList<db::DataSet*> lines)
{
    m_header = header;
    m_lines = std::move(lines);
}

bool TFrForm::SaveDocument()
{
    TDM& dm = TDM::instance();
    if (!dm.AskConfirm(Session::current().SavePrompt))
        return false;
    try {
        db::Transaction transaction(dm.database());
        if (m_header)
            m_header->applyUpdates();
        SaveBeforeLines();
        for (db::DataSet* lines : m_lines)
            lines->applyUpdates();
        SaveAfterLines();
        SaveAudit();
        transaction.commit();
    } catch (const Error& e) {
        // Rolled back by the scope; the data sets still hold every typed change.
        ui::Application::handleException(e.message());
        return false;
    } catch (const std::exception& e) {
        ui::Application::handleException(QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (m_header)
        m_header->commitUpdates();
    for (db::DataSet* lines : m_lines)
        lines->commitUpdates();
    SaveCommitted();
    return true;
}

} // namespace meridox

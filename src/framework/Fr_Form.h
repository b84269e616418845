#pragma once
// TFrForm, the working window every window of the module inherits: the
// toolbar and its actions, the status bar, the keyboard rules (Enter to the
// next field, Esc to close), the close question, the start of a new
// document, the rights on Save, Delete and Print, and the one save every
// document window runs.
#include "framework/ModeFields.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QToolButton;

namespace meridox {

struct Session;
namespace db {
class DataSet;
}

// Which of Save, Delete and Print a document allows.
struct DocumentRights {
    bool save = false;
    bool del = false;
    bool print = false;
    bool operator==(const DocumentRights&) const = default;
};

// The rule of every document window: Save needs AddRight for a new document
// and ModifyRight for an existing one; Delete needs an existing document and
// DeleteRight; Print needs an existing document. The window's own conditions
// (a document paid or cleared, say) can only take a right away.
DocumentRights documentRights(const Session& session, bool existing, bool windowAllowsSave = true,
                              bool windowAllowsDelete = true, bool windowAllowsPrint = true);

class TFrForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrForm(QWidget* parent = nullptr);
    ~TFrForm() override;

    // The system's class name of the window (e.g. "TFrPoTran").
    QString windowClass() const { return objectName(); }
    void setWindowClass(const QString& name) { setObjectName(name); }

    ModeFields mode;

    // The window's own fixed version tag, shown in its title.
    virtual QString versionTag() const { return QStringLiteral("6.0"); }
    // Menu caption trimmed, " [", version tag, "]".
    static QString titleFor(const QString& menuCaption, const QString& versionTag);
    // Called by the dispatcher after the mode fields are set, before show:
    // title, company name, the optional buttons hidden, then a new document.
    virtual void FormShow();
    virtual void AcNewExecute();
    virtual void AcDelExecute() {}
    virtual void AcSaveExecute() {}
    virtual void AcHistExecute() {}
    virtual void AcCopyExecute() {}
    virtual void AcPrintExecute() {}
    virtual void AcChgCodeExecute() {}
    virtual void AcApporvedExecute() {}
    void AcExitExecute();

    // Key preview: the window sees Enter and Esc before its controls do.
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool on) { m_keyPreview = on; }

    // Enables Save, Delete and Print for the document on screen.
    void ApplyRights(bool existing, bool windowAllowsSave = true, bool windowAllowsDelete = true,
                     bool windowAllowsPrint = true);

    // The area under the toolbar where a window lays out its fields.
    QWidget* clientArea() const { return m_client; }
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);

    // Toolbar, in order.
    QToolButton *BNew, *BDel, *BSave, *BChgCode, *BHist, *BCopy, *BPrint, *BApporved, *BExit;
    QAction *AcNew, *AcDel, *AcSave, *AcHist, *AcCopy, *AcPrint, *AcExit, *AcChgCode, *AcApporved;
    QLineEdit* ChgCode;

protected:
    // The close question; true lets the window close.
    virtual bool FormClose();
    // Enter: the next control; true when the key was taken.
    virtual bool FormKeyDown(QWidget* focus, int key);

    // The header and line data sets the save writes, header first.
    void setDocumentSets(db::DataSet* header, QList<db::DataSet*> lines);
    // The save of every document window: asks SavePrompt, then in one
    // transaction applies the header, runs SaveBeforeLines, applies the
    // lines, runs SaveAfterLines and SaveAudit, commits and only then marks
    // the data sets written. An error rolls back, leaves every typed value
    // in place and goes to the application's error handler. True when saved.
    bool SaveDocument();
    virtual void SaveBeforeLines() {}
    virtual void SaveAfterLines() {}
    virtual void SaveAudit() {}
    virtual void SaveCommitted() {}

    QToolButton* addToolButton(const QString& name, QAction* action);
    QAction* makeAction(const QString& name, const QString& caption, const QString& hint, const QKeySequence& key);

    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

    QFrame* m_toolBar = nullptr;
    QHBoxLayout* m_toolLayout = nullptr;
    QWidget* m_client = nullptr;
    QLabel* m_companyPanel = nullptr;
    QLabel* m_messagePanel = nullptr;
    db::DataSet* m_header = nullptr;
    QList<db::DataSet*> m_lines;
    bool m_keyPreview = true;
    bool m_centred = false;
    // Enter moves on only from a control that takes the focus (TFrHdDtTransaction: always).
    bool m_enterAlways = false;
};

} // namespace meridox

#pragma once
// TFrForm, the working window every window of the module inherits: its
// title (menu caption and version tag), its mode fields and its status bar.
#include "framework/ModeFields.h"

#include <QMainWindow>

class QLabel;

namespace meridox {

class TFrForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrForm(QWidget* parent = nullptr);

    // The system's class name of the window (e.g. "TFrPoTran").
    QString windowClass() const { return objectName(); }
    void setWindowClass(const QString& name) { setObjectName(name); }

    ModeFields mode;

    // The window's own fixed version tag, shown in its title.
    virtual QString versionTag() const { return QStringLiteral("6.0"); }
    // Menu caption trimmed, " [", version tag, "]".
    static QString titleFor(const QString& menuCaption, const QString& versionTag);
    // Called by the dispatcher after the mode fields are set, before show.
    virtual void FormShow();

protected:
    QLabel* m_companyPanel = nullptr;
    QLabel* m_messagePanel = nullptr;
};

} // namespace meridox

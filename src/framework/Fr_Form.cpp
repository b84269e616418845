#include "framework/Fr_Form.h"

#include "data/Session.h"

#include <QLabel>
#include <QStatusBar>

namespace meridox {

TFrForm::TFrForm(QWidget* parent) : QMainWindow(parent)
{
    resize(1024, 640);
    m_companyPanel = new QLabel(this);
    m_messagePanel = new QLabel(this);
    statusBar()->addWidget(m_companyPanel, 1);
    statusBar()->addWidget(m_messagePanel, 2);
}

QString TFrForm::titleFor(const QString& menuCaption, const QString& versionTag)
{
    return menuCaption.trimmed() + QStringLiteral(" [") + versionTag + u']';
}

void TFrForm::FormShow()
{
    const Session& s = Session::current();
    setWindowTitle(titleFor(s.MenuCaption, versionTag()));
    m_companyPanel->setText(s.CompanyName);
}

} // namespace meridox

#include "start/Startup.h"

#include "data/Dm_Misc.h"
#include "data/Dm_Product.h"
#include "data/Dm_Service.h"
#include "data/Dm_Vendor.h"
#include "data/ErrorHandler.h"
#include "data/Session.h"
#include "data/U_DM.h"
#include "framework/WindowRegistry.h"
#include "platform/os/Errors.h"
#include "platform/ui/Dialogs.h"
#include "start/Dm_Config.h"
#include "start/Fr_Logo.h"

#include <QRegularExpression>

namespace meridox {

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

bool parseInt(const QString& text, int& out)
{
    bool ok = false;
    out = text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

QDate parseWorkDate(const QString& text)
{
    static const QRegularExpression form(S("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const auto m = form.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
}

std::optional<CommandLine> parseCommandLine(const QStringList& args, QString& error)
{
    if (args.size() < 6) {
        error = S("Expected six arguments: menu id, user id, company database, (unused), menu number, working date "
                  "dd/mm/yyyy; got %1").arg(args.size());
        return std::nullopt;
    }
    CommandLine c;
    // Checked in the order the values are read: date, menu number, menu id, user id.
    c.WorkDate = parseWorkDate(args[5]);
    if (!c.WorkDate.isValid()) {
        error = S("Argument 6 (working date) '%1' is not a date in the form dd/mm/yyyy").arg(args[5]);
        return std::nullopt;
    }
    if (!parseInt(args[4], c.MenuNo)) {
        error = S("Argument 5 (menu number) '%1' is not a whole number").arg(args[4]);
        return std::nullopt;
    }
    if (!parseInt(args[0], c.MenuId)) {
        error = S("Argument 1 (menu id) '%1' is not a whole number").arg(args[0]);
        return std::nullopt;
    }
    if (!parseInt(args[1], c.UserId)) {
        error = S("Argument 2 (user id) '%1' is not a whole number").arg(args[1]);
        return std::nullopt;
    }
    c.CompanyDbName = args[2];
    return c;
}

std::vector<TFrForm*> createMenuWindows(const MenuEntry& entry)
{
    std::vector<TFrForm*> windows;
    TFrForm* main = createWindow(entry.windowClass);
    main->mode = entry.mode;
    windows.push_back(main);
    if (!entry.auxiliaryClass.isEmpty()) {
        TFrForm* aux = createWindow(entry.auxiliaryClass);
        aux->setParent(main, aux->windowFlags() | Qt::Window);
        windows.push_back(aux);
    }
    return windows;
}

std::vector<TFrForm*> startUp(const QStringList& args, int& exitCode)
{
    exitCode = 0;
    // No parameter at all: the module was not started by the menu program.
    if (args.isEmpty())
        return {};

    std::unique_ptr<TFormLogo> splash;
    if (qEnvironmentVariableIsEmpty("MERIDOX_NO_SPLASH")) {
        splash = std::make_unique<TFormLogo>();
        splash->showNow();
    }

    installErrorHandler();
    TDM& dm = TDM::instance();
    TDMConfig& cfg = TDMConfig::instance();
    TDmProduct::instance();
    TDmService::instance();
    TDmMisc::instance();
    TDmVendor::instance();
    dm.setServer(cfg.server());
    dm.afterConnect = [&splash] { splash.reset(); };

    QString error;
    const auto cmd = parseCommandLine(args, error);
    if (!cmd) {
        splash.reset();
        ui::Dialogs::instance().information(error);
        exitCode = 2;
        return {};
    }
    Session& s = Session::current();
    s.WorkDate = cmd->WorkDate;
    s.MenuNo = cmd->MenuNo;
    s.MenuId = cmd->MenuId;
    s.UserId = cmd->UserId;

    try {
        if (!cfg.GetCompanyConfig(cmd->CompanyDbName))
            return {};
        cfg.CheckRight(s.MenuId, s.UserId);
        const bool versionOk = dm.CheckVersionProgramEXE(S("MERIDOX.EXE"), 6);
        splash.reset();
        if (!versionOk || !s.AccessRight) {
            ui::Dialogs::instance().information(S("No User Right Access !") + QString::number(s.MenuNo));
            return {};
        }
        const MenuEntry* entry = findMenu(s.MenuNo);
        if (!entry)
            return {};
        auto windows = createMenuWindows(*entry);
        windows.front()->FormShow();
        return windows;
    } catch (const Error& e) {
        splash.reset();
        handleError(e.message());
        exitCode = 1;
        return {};
    }
}

} // namespace meridox

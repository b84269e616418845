#pragma once
// The session of one run: what the command line, the configuration database
// and the user's rights say. Filled once at start-up; read by every window.
#include <QDate>
#include <QString>
#include <functional>

namespace meridox {

struct Session {
    // Command line.
    int MenuNo = 0;
    QDate WorkDate;
    int MenuId = 0;
    int UserId = 0;
    // Company (upper-cased name as registered) and its profile.
    QString CompanyDbName;
    QString CompanyName;
    // Menu entry and rights.
    QString MenuCaption;
    QString UserCode;
    bool AccessRight = false;
    bool AddRight = false;
    bool ModifyRight = false;
    bool DeleteRight = false;
    bool LanguageThai = true;
    bool Approve_PO = false;
    bool Approved_PORQ = false;
    bool CanSeeCost = false;
    bool UserSeeImport = false;
    QString SavePrompt = QStringLiteral("จัดเก็บข้อมูล ?");
    QString DeletePrompt = QStringLiteral("ลบข้อมูล ?");
    QString ExitPrompt = QStringLiteral("ออกจากโปรแกรม ?");

    // Writes one row to the suite's error log (set by the configuration data module).
    std::function<void(const QString& message)> writeErrorLog;

    // Picks the Thai or the English text by the user's language.
    QString tr(const QString& thai, const QString& english) const { return LanguageThai ? thai : english; }

    static Session& current();
};

} // namespace meridox

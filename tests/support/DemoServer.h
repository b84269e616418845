#pragma once
// A demo server of its own for one test: the configuration database and the
// company DEMO, on one engine, with the session and data modules reset.
#include "platform/db/ServerName.h"
#include "platform/ui/Dialogs.h"

#include <QDate>
#include <QTemporaryDir>
#include <memory>

namespace meridox::db {
class Database;
}

namespace meridox::test {

class DemoServer {
public:
    explicit DemoServer(db::Engine engine, QDate today = QDate(2026, 12, 11));
    ~DemoServer();

    const db::ServerName& server() const { return m_server; }
    db::Database& config();
    db::Database& company();
    // The recorder answering every box while the server lives.
    ui::RecordingDialogs& dialogs() { return *m_dialogs; }

    // Session values and data modules as start-up leaves them for menu and user.
    void signIn(int menuNo = 2, int userId = 1);

private:
    db::ServerName m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    ui::RecordingDialogs* m_dialogs = nullptr;
    std::unique_ptr<ui::Dialogs> m_previousDialogs;
};

} // namespace meridox::test

#pragma once
// Where the databases live: the first line of Server.Dat names the server.
//   a directory, or sqlite:PATH      embedded server, one file PATH/<NAME>.db per database
//   postgresql://... or key=value    PostgreSQL server, one database per name
#include <QMap>
#include <QString>

namespace meridox::db {

enum class Engine { SQLite, PostgreSQL };

struct ServerName {
    Engine engine = Engine::SQLite;
    QString directory;               // SQLite: the folder holding the .db files
    QString host;                    // PostgreSQL
    int port = 0;
    QString user = QStringLiteral("vantel");
    QString password;                // only when the server name itself carries one
    QMap<QString, QString> options;  // further libpq options (sslmode, service, ...)
    // Put before every database name on the server; lets test runs share one
    // PostgreSQL cluster without meeting each other's databases.
    QString databasePrefix;

    // Parses one server name; an empty text is the embedded server in ./data.
    static ServerName parse(const QString& text);
    // Reads Server.Dat in `folder`; without the file, the embedded server in folder/data.
    static ServerName fromServerDat(const QString& folder);

    // The name as a person would recognise it in a message.
    QString describe() const;
};

} // namespace meridox::db

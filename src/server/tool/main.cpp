// meridox-server: creates the servers the suite is installed on.
//   meridox-server demo TARGET    configuration database and the company DEMO
//   meridox-server large TARGET   the company LARGE for benchmarks
// TARGET is a directory or a PostgreSQL connection string, as in Server.Dat.
#include "platform/db/Database.h"
#include "platform/os/Errors.h"
#include "server/demo/Demo.h"
#include "server/procedures/Procedures.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("demo") && args[1] != QLatin1String("large"))) {
        std::fprintf(stderr, "usage: meridox-server demo|large TARGET\n"
                             "  TARGET is a directory (embedded server) or a PostgreSQL connection string\n");
        return 2;
    }
    using namespace meridox;
    try {
        server::registerProcedures();
        const db::ServerName target = db::ServerName::parse(args[2]);
        if (args[1] == QLatin1String("demo"))
            server::createDemoServer(target);
        else
            server::createLargeCompany(target);
        std::printf("meridox-server: %s company created on %s\n", args[1] == QLatin1String("demo") ? "DEMO" : "LARGE",
                    qPrintable(target.describe()));
    } catch (const Error& e) {
        std::fprintf(stderr, "meridox-server: %s\n", qPrintable(e.message()));
        return 1;
    }
    db::Database::closeAll();
    return 0;
}

// Start-up of the demo company to its first window (menu 2, embedded
// server), against a bare Qt program that shows an empty window; both timed
// as whole processes in the same way, under the offscreen platform.
#include "platform/db/Database.h"
#include "server/demo/Demo.h"
#include "server/procedures/Procedures.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString g_demoFolder;

void runProcess(benchmark::State& state, const QString& program, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("MERIDOX_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("MERIDOX_DIALOGS_ECHO"), QStringLiteral("1"));
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(g_demoFolder);
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("the program did not end cleanly");
            return;
        }
    }
}

void BM_MeridoxMenu2(benchmark::State& state)
{
    runProcess(state, QCoreApplication::applicationDirPath() + QStringLiteral("/../src/meridox"),
               {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("DEMO"), QStringLiteral("0"), QStringLiteral("2"),
                QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))});
}

void BM_BareQtWindow(benchmark::State& state)
{
    runProcess(state, QCoreApplication::applicationDirPath() + QStringLiteral("/bare_window"), {});
}

BENCHMARK(BM_BareQtWindow)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);
BENCHMARK(BM_MeridoxMenu2)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_demoFolder = dir.path();
    meridox::server::registerProcedures();
    meridox::server::createDemoServer(meridox::db::ServerName::parse(QDir(dir.path()).filePath(QStringLiteral("data"))));
    meridox::db::Database::closeAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

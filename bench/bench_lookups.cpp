// Product lookups on the large company (100,000 products, 2,000 vendors, 20
// warehouses): ExistsProduct, ExistsBarCode and OnHandText, per call, on the
// embedded server and, when MERIDOX_TEST_PG is set, on PostgreSQL.
#include "data/Dm_Product.h"
#include "data/Session.h"
#include "data/U_DM.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "server/demo/Demo.h"
#include "server/procedures/Procedures.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

using namespace meridox;

namespace {

constexpr int Products = 100000;
const int Year = QDate::currentDate().year();

struct Engine {
    const char* name;
    db::ServerName server;
    std::vector<qint64> productIds;
};
std::vector<Engine> g_engines;

// Points the company data module at the engine's LARGE company.
void useEngine(const Engine& e)
{
    TDM::reset();
    Session::current() = Session();
    Session::current().CompanyDbName = QStringLiteral("LARGE");
    Session::current().UserId = 1;
    TDM::instance().setServer(e.server);
    TDM::instance().database();
}

// Spread over the whole table so every call reads a different row.
int pick(int i) { return int((i * 7919LL) % Products); }

void BM_ExistsProduct(benchmark::State& state, const Engine* e)
{
    useEngine(*e);
    int i = 0;
    int found = 0;
    for (auto _ : state)
        found += TDmProduct::instance().ExistsProduct(QStringLiteral("LP%1").arg(pick(++i), 7, 10, QLatin1Char('0')));
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

void BM_ExistsBarCode(benchmark::State& state, const Engine* e)
{
    useEngine(*e);
    int i = 0;
    int found = 0;
    for (auto _ : state)
        found += TDmProduct::instance().ExistsBarCode(QStringLiteral("99%1").arg(pick(++i), 10, 10, QLatin1Char('0')) + u'2');
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
}

void BM_OnHandText(benchmark::State& state, const Engine* e)
{
    useEngine(*e);
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(TDmProduct::instance().OnHandText(e->productIds[pick(++i)], Year));
}

Engine makeEngine(const char* name, db::ServerName server)
{
    QElapsedTimer t;
    t.start();
    server::createLargeCompany(server, Products, 2000, 20);
    std::fprintf(stderr, "bench_lookups: large company on %s made in %.1f s\n", name, t.elapsed() / 1000.0);
    Engine e{name, server, {}};
    db::Database& db = db::Database::open(QStringLiteral("bench-ids"), server, QStringLiteral("LARGE"));
    // The large company's products come without a VAT code or a warehouse; the
    // product lookup needs the VAT code, so give them those of the demo goods.
    db::Query(db, QStringLiteral("UPDATE Product SET TaxCode = (SELECT MIN(Id) FROM Tax WHERE Code = 'V7'), "
                                 "DefaultWh = (SELECT MIN(Id) FROM Warehouse) WHERE TaxCode IS NULL"))
        .exec();
    db::Query q(db, QStringLiteral("SELECT Id FROM Product WHERE Code LIKE 'LP%' ORDER BY Code"));
    for (q.open(); !q.eof(); q.next())
        e.productIds.push_back(q.field(QStringLiteral("Id")).asInteger());
    db::Database::close(QStringLiteral("bench-ids"));
    return e;
}

void dropLarge(const db::ServerName& server)
{
    for (const char* name : {"LARGE", "VANTEL_CONFIG"})
        try {
            db::Database::drop(server, QString::fromLatin1(name));
        } catch (...) {
        }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    server::registerProcedures();
    QTemporaryDir dir;
    g_engines.reserve(2);
    g_engines.push_back(makeEngine("SQLite", db::ServerName::parse(dir.path())));
    const QString pg = qEnvironmentVariable("MERIDOX_TEST_PG");
    if (!pg.isEmpty()) {
        db::ServerName s = db::ServerName::parse(pg);
        s.databasePrefix = QStringLiteral("benchlookups_");
        dropLarge(s);  // a run cut short leaves them behind
        g_engines.push_back(makeEngine("PostgreSQL", s));
    }
    for (const Engine& e : g_engines) {
        const std::string n = e.name;
        benchmark::RegisterBenchmark(("BM_ExistsProduct/" + n).c_str(), BM_ExistsProduct, &e)
            ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_ExistsBarCode/" + n).c_str(), BM_ExistsBarCode, &e)
            ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_OnHandText/" + n).c_str(), BM_OnHandText, &e)
            ->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    TDM::reset();
    db::Database::closeAll();
    for (const Engine& e : g_engines)
        if (e.server.engine == db::Engine::PostgreSQL)
            dropLarge(e.server);
    return 0;
}

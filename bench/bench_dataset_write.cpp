// Writing one document of 1,000 lines through a cached-update data set,
// against the same rows inserted with one prepared statement, in one
// transaction, on each engine. PostgreSQL runs when MERIDOX_TEST_PG is set.
#include "platform/db/DataSet.h"
#include "platform/db/Query.h"
#include "platform/db/Transaction.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

using namespace meridox;

namespace {

constexpr int Lines = 1000;

std::unique_ptr<test::ScratchDatabase> scratchFor(db::Engine e)
{
    auto s = std::make_unique<test::ScratchDatabase>(e, QStringLiteral("bench"));
    const db::Dialect& d = s->db().dialect();
    s->db().execute(QStringLiteral("CREATE TABLE PoDt (Id %1, PoHd INTEGER NOT NULL, ListNo INTEGER, Product INTEGER, "
                                   "ProductUnits INTEGER, Warehouse INTEGER, Quantity DOUBLE PRECISION, "
                                   "Price DOUBLE PRECISION NOT NULL, Discount %2, DiscountAmt DOUBLE PRECISION, "
                                   "Total DOUBLE PRECISION, Remark %3)")
                        .arg(d.columnType(db::ColumnKind::Id, 0), d.columnType(db::ColumnKind::Text, 30),
                             d.columnType(db::ColumnKind::Text, 255)));
    s->db().execute(QStringLiteral("CREATE INDEX ix_podt_pohd ON PoDt (PoHd)"));
    return s;
}

const QString Insert = QStringLiteral(
    "INSERT INTO PoDt (PoHd, ListNo, Product, ProductUnits, Warehouse, Quantity, Price, Discount, DiscountAmt, Total, Remark) "
    "VALUES (:PoHd, :ListNo, :Product, :ProductUnits, :Warehouse, :Quantity, :Price, :Discount, :DiscountAmt, :Total, :Remark)");

void fillLine(auto&& set, int i)
{
    set(QStringLiteral("PoHd"), 1);
    set(QStringLiteral("ListNo"), i + 1);
    set(QStringLiteral("Product"), 1000 + i);
    set(QStringLiteral("ProductUnits"), 2000 + i);
    set(QStringLiteral("Warehouse"), 1);
    set(QStringLiteral("Quantity"), 12.0 + i % 7);
    set(QStringLiteral("Price"), 99.75);
    set(QStringLiteral("Discount"), QStringLiteral("5%"));
    set(QStringLiteral("DiscountAmt"), 4.99);
    set(QStringLiteral("Total"), 1197.0);
    set(QStringLiteral("Remark"), QStringLiteral("รายการทดสอบ"));
}

void BM_CachedUpdates(benchmark::State& state, db::Engine engine)
{
    if (!test::engineAvailable(engine)) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    auto s = scratchFor(engine);
    db::Database& d = s->db();
    for (auto _ : state) {
        db::DataSet ds(d, QStringLiteral("SELECT * FROM PoDt WHERE PoHd = -1"));
        ds.setUpdateSql({Insert, {}, {}});
        ds.open();
        for (int i = 0; i < Lines; ++i) {
            ds.append();
            fillLine([&](const QString& f, const QVariant& v) { ds.setField(f, v); }, i);
        }
        db::Transaction t(d);
        ds.applyUpdates();
        t.commit();
        ds.commitUpdates();
        state.PauseTiming();
        d.execute(QStringLiteral("DELETE FROM PoDt"));
        state.ResumeTiming();
    }
}

void BM_RawInserts(benchmark::State& state, db::Engine engine)
{
    if (!test::engineAvailable(engine)) {
        state.SkipWithError("no PostgreSQL server");
        return;
    }
    auto s = scratchFor(engine);
    db::Database& d = s->db();
    for (auto _ : state) {
        db::Query q(d, Insert);
        db::Transaction t(d);
        for (int i = 0; i < Lines; ++i) {
            fillLine([&](const QString& f, const QVariant& v) { q.bind(f, v); }, i);
            q.exec();
        }
        t.commit();
        state.PauseTiming();
        d.execute(QStringLiteral("DELETE FROM PoDt"));
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(BM_CachedUpdates, SQLite, db::Engine::SQLite)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_RawInserts, SQLite, db::Engine::SQLite)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_CachedUpdates, PostgreSQL, db::Engine::PostgreSQL)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK_CAPTURE(BM_RawInserts, PostgreSQL, db::Engine::PostgreSQL)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    db::Database::closeAll();
    return 0;
}

// What the database layer costs on its own: translating a run's statements (cold), and one
// small statement through the layer against the same statement on the SQLite C API. The run
// as a whole is measured by run_bench.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <iostream>
#include <map>

#include "console_run.h"
#include "platform/db/connection.h"
#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/tsql/translator.h"

namespace {

namespace fs = std::filesystem;
using platform::db::Connection;

// The statements of a real run on a generated database of 10,000 items and 10 bodies.
const std::vector<bench::CapturedStatement>& runSequence() {
  static const std::vector<bench::CapturedStatement> statements =
      bench::captureRun(bench::generatedDatabase(10'000, 10));
  return statements;
}

void BM_TranslateCold(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  const platform::db::sqlite::SqliteCatalog catalog(db);
  for (auto _ : state) {
    for (const bench::CapturedStatement& statement : runSequence()) {
      for (const auto& parsed : platform::db::tsql::parseBatch(statement.tsql)) {
        benchmark::DoNotOptimize(parsed.translate(catalog));
      }
    }
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations() * runSequence().size()));
  sqlite3_close(db);
}

// A statement small enough that the layer's own per-statement work (cache look-up by text,
// error collection, reading values into Variants) shows against SQLite's.
const char* const kSmallStatement = "UPDATE BENCH_T SET V = V + 1 WHERE ID = 7";

void BM_SmallStatementLayer(benchmark::State& state) {
  Connection connection;
  connection.Connect("sqlite::memory:");
  connection.Execute("CREATE TABLE BENCH_T (ID INT IDENTITY(1,1) PRIMARY KEY, V INT)");
  connection.Execute("INSERT INTO BENCH_T (V) VALUES (1),(2),(3),(4),(5),(6),(7),(8)");
  for (auto _ : state) benchmark::DoNotOptimize(connection.Execute(kSmallStatement));
}

void BM_SmallStatementDirect(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  sqlite3_exec(db, "CREATE TABLE BENCH_T (ID INTEGER PRIMARY KEY, V INT); "
                   "INSERT INTO BENCH_T (V) VALUES (1),(2),(3),(4),(5),(6),(7),(8)",
               nullptr, nullptr, nullptr);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, "UPDATE \"BENCH_T\" SET \"V\" = \"V\" + 1 WHERE \"ID\" = 7", -1, &statement, nullptr);
  for (auto _ : state) {
    sqlite3_step(statement);
    sqlite3_reset(statement);
    benchmark::DoNotOptimize(sqlite3_changes(db));
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

BENCHMARK(BM_TranslateCold)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmallStatementLayer);
BENCHMARK(BM_SmallStatementDirect);

// Keeps each benchmark's time so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto ratio = [&](const char* ours, const char* direct) {
      if (m_seconds.count(ours) && m_seconds.count(direct) && m_seconds[direct] > 0) {
        std::cout << ours << " / " << direct << " = " << m_seconds[ours] / m_seconds[direct] << "\n";
      }
    };
    const std::size_t statements = runSequence().size();
    std::cout << "\nrun sequence: " << statements << " statements\n";
    if (m_seconds.count("BM_TranslateCold")) {
      std::cout << "cold translation per statement: " << m_seconds["BM_TranslateCold"] / statements << " us\n";
    }
    ratio("BM_SmallStatementLayer", "BM_SmallStatementDirect");
  }

 private:
  std::map<std::string, double> m_seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

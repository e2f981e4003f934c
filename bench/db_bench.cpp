// What the database layer costs: translating a statement (cold, and cached by text), and a
// whole run's statement sequence on a generated database, against the same statements
// pre-translated and executed directly through the SQLite C API. Ratios are printed at the
// end, measured in this one process.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "platform/db/tsql/translator.h"
#include "run_statements.h"

namespace {

namespace fs = std::filesystem;
using platform::db::Connection;

std::string environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : fallback;
}

// A generated database of the size asked (PASSAGGIO_BENCH_ITEMS, default 100,000), made once
// and kept beside the build.
const std::string& databaseFile() {
  static const std::string file = [] {
    const std::string items = environment("PASSAGGIO_BENCH_ITEMS", "100000");
    const fs::path path = fs::path(PASSAGGIO_BENCH_DATA) / ("generated-" + items + "-10.db");
    if (!fs::exists(path)) {
      fs::create_directories(path.parent_path());
      const std::string command = std::string(PASSAGGIO_DB_TOOL) + " generate " + path.string() + " --items " +
                                  items + " --bodies 10 --fields 5 --seed 1 >/dev/null";
      if (std::system(command.c_str()) != 0) {
        std::cerr << "cannot generate " << path << "\n";
        std::exit(1);
      }
    }
    return path.string();
  }();
  return file;
}

bench::RunConfig loadRunConfig(Connection& connection) {
  bench::RunConfig config;
  auto entities = connection.Open("SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA_SEL = 1");
  for (; !entities->Eof(); entities->MoveNext()) config.managedEntities.push_back(entities->Field(0).toText());
  auto bodies = connection.Open(
      "SELECT MG0M_ID, MG0M_ARGOMENTO, MG0M_STATOFIN_MG6W FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_DITTA_CG18 = 1");
  for (; !bodies->Eof(); bodies->MoveNext()) {
    bench::BodyConfig body{bodies->Field(0).toInteger(), bodies->Field(1).toText(), bodies->Field(2).toInteger(), {}};
    auto fields = connection.Open(
        "SELECT MG0P_ID, MG0P_CAMPO_MG0O, MG0O_CAMPO, MG0N_JOIN_SQL, MG0O_ISNUMERICO, MG0P_INDVALZERO "
        "FROM MG0P_CAMPIARG_PASSAGGI INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0P_CAMPO_MG0O "
        "INNER JOIN MG0N_TABLE_PASSAGGI ON MG0N_ID = MG0O_TABLE_MG0N "
        "WHERE MG0P_VALORE_OBBLIGATORIO = 1 AND MG0P_ARGOMENTO_MG0M = " + std::to_string(body.id));
    for (; !fields->Eof(); fields->MoveNext()) {
      body.requiredFields.push_back({fields->Field(0).toInteger(), fields->Field(1).toInteger(),
                                     fields->Field(2).toText(), fields->Field(3).toText(),
                                     fields->Field(4).toInteger() == 1, fields->Field(5).toInteger() == 1});
    }
    config.bodies.push_back(std::move(body));
  }
  return config;
}

const std::vector<bench::RunStatement>& runSequence() {
  static const std::vector<bench::RunStatement> statements = [] {
    Connection connection;
    connection.Connect("sqlite:" + databaseFile());
    return bench::runStatements(loadRunConfig(connection));
  }();
  return statements;
}

// The same statements as SQLite text, translated once up front against a database that has
// the working table (the run creates it before the statements that read it).
std::vector<std::vector<std::string>> pretranslated(sqlite3* db) {
  std::vector<std::vector<std::string>> result;
  platform::db::sqlite::SqliteCatalog catalog(db);
  for (const bench::RunStatement& statement : runSequence()) {
    std::vector<std::string> steps;
    for (const auto& parsed : platform::db::tsql::parseBatch(statement.sql)) {
      for (const auto& step : parsed.translate(catalog).steps) steps.push_back(step.sql);
    }
    result.push_back(std::move(steps));
  }
  return result;
}

class DirectSqlite {
 public:
  DirectSqlite() {
    sqlite3_open_v2(databaseFile().c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    platform::db::sqlite::registerTsqlFunctions(m_db);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_exec(m_db, "PRAGMA automatic_index = OFF; PRAGMA temp_store = MEMORY; PRAGMA cache_size = -65536",
                 nullptr, nullptr, nullptr);
  }
  ~DirectSqlite() {
    for (auto& [text, statement] : m_prepared) sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
  }
  sqlite3* db() const { return m_db; }

  // Prepares once, then steps and reads every value, as a careful hand-written client would.
  long long run(const std::string& sql) {
    sqlite3_stmt*& statement = m_prepared[sql];
    if (statement == nullptr && sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                                                   nullptr) != SQLITE_OK) {
      std::cerr << sqlite3_errmsg(m_db) << "\n" << sql << "\n";
      std::exit(1);
    }
    long long values = 0;
    int rc = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        values += sqlite3_column_type(statement, i) == SQLITE_TEXT ? sqlite3_column_bytes(statement, i) : 1;
      }
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE) {
      std::cerr << sqlite3_errmsg(m_db) << "\n" << sql << "\n";
      std::exit(1);
    }
    return values;
  }

 private:
  sqlite3* m_db = nullptr;
  std::map<std::string, sqlite3_stmt*> m_prepared;
};

void runThroughLayer(Connection& connection) {
  for (const bench::RunStatement& statement : runSequence()) {
    if (statement.returnsRows) {
      benchmark::DoNotOptimize(connection.Open(statement.sql)->RecordCount());
    } else {
      benchmark::DoNotOptimize(connection.Execute(statement.sql));
    }
  }
}

// The run through the layer and directly, alternated within each iteration so that both see
// the same machine: its speed wanders while other processes come and go.
void BM_Run(benchmark::State& state) {
  Connection connection;
  connection.Connect("sqlite:" + databaseFile());
  runThroughLayer(connection);  // warm: parse, translate and prepare once
  DirectSqlite direct;
  // The working table must exist for the statements after CREATE to translate.
  std::vector<std::vector<std::string>> steps;
  {
    const auto& sequence = runSequence();
    for (std::size_t i = 0; i < 4; ++i) {
      for (const auto& parsed : platform::db::tsql::parseBatch(sequence[i].sql)) {
        for (const auto& step : parsed.translate(platform::db::sqlite::SqliteCatalog(direct.db())).steps) {
          direct.run(step.sql);
        }
      }
    }
    steps = pretranslated(direct.db());
  }
  using Clock = std::chrono::steady_clock;
  Clock::duration layer{};
  Clock::duration straight{};
  for (auto _ : state) {
    const auto start = Clock::now();
    runThroughLayer(connection);
    const auto middle = Clock::now();
    for (const auto& statement : steps) {
      for (const std::string& step : statement) benchmark::DoNotOptimize(direct.run(step));
    }
    layer += middle - start;
    straight += Clock::now() - middle;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["layer_s"] = std::chrono::duration<double>(layer).count() / runs;
  state.counters["direct_s"] = std::chrono::duration<double>(straight).count() / runs;
  state.counters["layer/direct"] = std::chrono::duration<double>(layer) / std::chrono::duration<double>(straight);
  state.counters["statements/s"] =
      static_cast<double>(runSequence().size()) * runs / std::chrono::duration<double>(layer).count();
}

void BM_TranslateCold(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open(":memory:", &db);
  const platform::db::sqlite::SqliteCatalog catalog(db);
  for (auto _ : state) {
    for (const bench::RunStatement& statement : runSequence()) {
      for (const auto& parsed : platform::db::tsql::parseBatch(statement.sql)) {
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
BENCHMARK(BM_Run)->Unit(benchmark::kMillisecond)->Iterations(4);

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
    std::cout << "\nrun sequence: " << statements << " statements on " << databaseFile() << "\n";
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
  runSequence();  // generates the database, if needed, before anything is timed
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
}

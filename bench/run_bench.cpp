// A whole run of the console (the process button pressed through the module, scripted
// display) on generated databases, beside the same run on a connection without translation
// passes (passes_off=all) and two references, all measured in the same process:
//   (a) the same statements, as the layer translated them for this run, prepared once and
//       executed directly through the SQLite C API;
//   (b) the rules evaluated directly in memory over the configuration and items read.
// Prints run seconds, the ratios to the run without passes, to (a) and to (b), statements per
// second, and where the run's time goes by kind of statement. PASSAGGIO_BENCH_MILLION=1 adds
// 1,000,000 items x 10 bodies; PASSAGGIO_BENCH_REPEAT sets the timed repetitions (3). After the runs, the field detail is
// rebuilt for ten rows spread over the items grid, as a user walking it would.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "console_run.h"
#include "platform/db/connection.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "sql/database_file.h"
#include "bench/reference/direct_evaluation.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

int repeats() {
  const char* value = std::getenv("PASSAGGIO_BENCH_REPEAT");
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 3;
}

// The captured SQLite texts run as a careful hand-written client would: on a connection set
// up like the layer's, each text prepared once, every row of a query read.
class DirectSqlite {
 public:
  explicit DirectSqlite(const std::string& file) {
    sqlite3_open_v2(file.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    platform::db::sqlite::registerTsqlFunctions(m_db);
    sqlite3_exec(m_db, "PRAGMA automatic_index = OFF; PRAGMA temp_store = MEMORY; PRAGMA cache_size = -65536",
                 nullptr, nullptr, nullptr);
  }
  ~DirectSqlite() {
    for (auto& [text, statement] : m_prepared) sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
  }

  long long run(const std::string& sql, bool readRows) {
    sqlite3_stmt*& statement = m_prepared[sql];
    if (statement == nullptr &&
        sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
      std::cerr << sqlite3_errmsg(m_db) << "\n" << sql << "\n";
      std::exit(1);
    }
    long long values = 0;
    int rc = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      if (!readRows) continue;
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
  std::unordered_map<std::string, sqlite3_stmt*> m_prepared;
};

double runDirect(DirectSqlite& direct, const std::vector<bench::CapturedStatement>& statements) {
  const Clock::time_point start = Clock::now();
  for (const auto& statement : statements) {
    for (std::size_t i = 0; i < statement.sqlite.size(); ++i) {
      direct.run(statement.sqlite[i], statement.returnsRows && i + 1 == statement.sqlite.size());
    }
  }
  return seconds(start);
}

// The same statements as SQLite would run them if whole-table resets of the working table
// rewrote every row: what skipping unchanged rows saves.
std::vector<bench::CapturedStatement> rewritingEveryRow(std::vector<bench::CapturedStatement> statements) {
  for (auto& statement : statements) {
    if (statement.sqlite.size() == 2 && statement.sqlite[0].rfind("SELECT count(*) FROM ", 0) == 0) {
      const std::string update = statement.sqlite[1];
      statement.sqlite = {update.substr(0, update.rfind(" WHERE "))};
    }
  }
  return statements;
}

// The kind of a run's statement, for the breakdown of its time.
std::string kindOf(const bench::CapturedStatement& statement) {
  const std::string& sql = statement.tsql;
  const auto has = [&](const char* part) { return sql.find(part) != std::string::npos; };
  if (sql.rfind("INSERT INTO ##", 0) == 0) return "fill";
  if (sql.rfind("SELECT * FROM ##", 0) == 0) return "items result set";
  if (!statement.returnsRows && has("] = 1 FROM")) return "reset";
  if (has("FW00_GRPUSRASSOC")) return "responsibility";
  if (has("INNER JOIN MG66_ANAGRART")) return "required value";
  if (has("MG0P_VALIDAZ_MANUALE = 1")) return "manual sign-off";
  if (has("MG0Q_ENTITARG_PASSAGGI") && has("= 2")) return "entity";
  if (has("MG0M_STATOINI_MG6W = INDSTATO_MG6W") && has("= 2")) return "start state";
  if (has("NEW_STATO =")) return "new state";
  if (has("PERMESSO_AGGSTATO")) return "permission";
  return "other";
}

struct Configuration {
  long long items;
  int bodies;
};

void measure(const Configuration& configuration) {
  const auto file = bench::generatedDatabase(configuration.items, configuration.bodies);
  const auto statements = bench::captureRun(file);
  std::map<std::string, double> byKind;
  double traced = 0;
  for (const auto& statement : statements) {
    byKind[kindOf(statement)] += statement.milliseconds;
    traced += statement.milliseconds;
  }

  // The three are taken in turn, repetition by repetition, so that a machine whose speed
  // wanders (other work, frequency) weighs on all of them alike; the fastest of each counts.
  std::vector<double> runs, withoutPassesRuns, directRuns, rewritingRuns, evaluations, computes;
  const auto rewriting = rewritingEveryRow(statements);
  passaggio::direct::RunContext context;
  bench::ConsoleRun console(file);
  bench::ConsoleRun withoutPasses(bench::ConsoleRun::Connection{sql::connectionStringFor(file) + ";passes_off=all"});
  context.userId = console.userId();
  context.restricted = console.restricted();
  context.allowedStates = console.allowedStates();
  const double firstRun = console.process();
  withoutPasses.process();
  DirectSqlite direct(file.string());
  runDirect(direct, statements);  // prepared once, as the layer's cache has them
  runDirect(direct, rewriting);
  for (int i = 0; i < repeats(); ++i) {
    runs.push_back(console.process());
    withoutPassesRuns.push_back(withoutPasses.process());
    directRuns.push_back(runDirect(direct, statements));
    rewritingRuns.push_back(runDirect(direct, rewriting));
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(file));
    const Clock::time_point start = Clock::now();
    const passaggio::direct::Evaluation evaluation = passaggio::direct::evaluate(connection, context);
    evaluations.push_back(seconds(start));
    computes.push_back(evaluation.computeSeconds);
  }
  const std::size_t gridRows = console.gridRows();
  // The field detail rebuilt as a user walks the grid: rows spread over the result set.
  std::vector<double> rowChanges;
  for (std::size_t step = 1; step <= 10 && gridRows > 1; ++step) {
    rowChanges.push_back(console.chooseRow(step * (gridRows - 1) / 10));
  }
  std::sort(rowChanges.begin(), rowChanges.end());

  const double run = fastest(runs), plain = fastest(withoutPassesRuns);
  const double a = fastest(directRuns), b = fastest(evaluations);
  std::printf("%9lld items %3d bodies: %4zu statements, %7zu grid rows | run %8.3f s (first %7.3f) | (a) %8.3f s "
              "run/(a) %5.2f | (b) %7.3f s (compute %6.4f) run/(b) %6.1f | %7.0f statements/s\n",
              configuration.items, configuration.bodies, statements.size(), gridRows, run, firstRun, a, run / a, b,
              fastest(computes), run / b, static_cast<double>(statements.size()) / run);
  std::printf("    without passes: run %8.3f s, %.2fx the run with them, run/(b) %6.1f\n", plain, plain / run,
              plain / b);
  if (!rowChanges.empty()) {
    std::printf("    field detail on row change: median %.1f ms, slowest %.1f ms (%zu rows)\n",
                1000 * rowChanges[rowChanges.size() / 2], 1000 * rowChanges.back(), rowChanges.size());
  }
  std::printf("    (a) rewriting every row on resets: %.3f s, %.0f%% more\n", fastest(rewritingRuns),
              100 * (fastest(rewritingRuns) / a - 1));
  std::printf("    where a traced run's time goes:");
  for (const auto& [kind, ms] : byKind) std::printf(" %s %.0f%%;", kind.c_str(), 100 * ms / traced);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Configuration> configurations = {{10'000, 10}, {10'000, 50}, {100'000, 10}, {100'000, 50}};
  if (const char* million = std::getenv("PASSAGGIO_BENCH_MILLION"); million != nullptr && *million == '1') {
    configurations.push_back({1'000'000, 10});
  }
  // Arguments ITEMS BODIES pick one configuration.
  if (argc == 3) configurations = {{std::atoll(argv[1]), std::atoi(argv[2])}};
  for (const Configuration& configuration : configurations) measure(configuration);
  return 0;
}

// passaggio-db: creates the console's database files (empty schema, demo, generated data
// sets) and runs T-SQL batches on them through the same database layer the console uses.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/db_error.h"
#include "platform/db/printable.h"
#include "platform/db/recordset.h"
#include "platform/db/recordset_csv.h"
#include "platform/db/trace.h"
#include "apps/passaggio-db/server_script.h"
#include "sql/database_file.h"
#include "sql/generator.h"
#include "sql/demo_data.h"
#include "sql/schema.h"

namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr int kUsage = 2;

constexpr std::string_view kUsageText =
    R"usage(uso: passaggio-db COMANDO FILE [OPZIONI]

comandi:
  create FILE [--force]      crea un database con lo schema vuoto
  demo FILE [--force]        crea un database con lo schema e i dati dimostrativi
  generate FILE [--items N] [--bodies B] [--fields F] [--seed S] [--force]
                             crea un database grande e riproducibile: N articoli
                             (10000 se non indicato) della ditta 1 e N/100 della
                             ditta 2, B enti validazione (10) con F campi ciascuno
                             (5); lo stesso seed (1) dà lo stesso contenuto
  sql FILE [-c TESTO] [--trace TRACCIA]
                             esegue un batch T-SQL, dato con -c o sullo standard
                             input, come lo esegue la console; ogni insieme di righe
                             è stampato in CSV con intestazione, le altre istruzioni
                             come "(N righe interessate)"; con --trace ogni istruzione
                             è aggiunta al file TRACCIA (JSON, una riga ciascuna)
  script --dialect tsql create|demo|log
                             scrive sullo standard output il T-SQL che un DBA esegue
                             su SQL Server: create le tabelle, demo le tabelle e i
                             dati dimostrativi, log il trigger del registro dei
                             cambi di stato (una volta, dopo create o demo)
  help                       stampa questo testo

FILE è un file o una stringa di connessione (sqlite:FILE;busy_timeout=10000, sqlite::memory:,
odbc:DSN=NOME;...); create e demo su una stringa odbc: creano lo schema in quel database.
--force sostituisce un FILE esistente; senza, un FILE esistente non viene mai toccato.
codice di uscita: 0 riuscito, 1 errore, 2 uso errato
)usage";

int usage(const std::string& message) {
  std::cerr << "passaggio-db: " << platform::db::printable(message) << "\n\n" << kUsageText;
  return kUsage;
}

void complain(const std::string& message) { std::cerr << "passaggio-db: " << platform::db::printable(message) << "\n"; }

void printDbError(const platform::db::DbError& error) {
  using platform::db::printable;
  const auto& entries = error.errors();
  std::cerr << "passaggio-db: l'istruzione non è riuscita\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    std::cerr << "  errore " << i + 1 << " di " << entries.size() << ": numero " << entry.number << ", nativo "
              << entry.nativeError << ", origine " << printable(entry.source) << "\n"
              << "    " << printable(entry.description) << "\n";
  }
  if (entries.empty()) std::cerr << "  " << printable(error.what()) << "\n";
  if (!error.sql().empty()) std::cerr << "  istruzione: " << printable(error.sql()) << "\n";
  if (!error.translated().empty()) std::cerr << "  tradotta: " << printable(error.translated()) << "\n";
}

// What the command line asked for.
struct Request {
  std::string command;
  std::string database;
  bool force = false;
  std::optional<std::string> batch;  // sql -c
  std::string trace;                 // sql --trace
  sql::GeneratorOptions generator;
  std::string dialect;  // script --dialect
  std::string script;   // script create|demo|log
};

int runSql(const sql::DatabaseName& database, const Request& request) {
  std::string batch;
  if (request.batch) {
    batch = *request.batch;
  } else {
    batch.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  if (database.missing()) {
    complain(database.file.string() + " non esiste");
    return kError;
  }
  platform::db::Connection connection;
  std::string connectionString = database.connectionString;
  if (!request.trace.empty()) connectionString += ";trace=" + request.trace;
  connection.Connect(connectionString);
  std::vector<platform::db::Connection::StatementResult> results = connection.Run(batch);
  // Everything is printed at the end: a failing batch prints nothing but its error.
  std::ostringstream out;
  bool first = true;
  for (auto& result : results) {
    if (!result.rows && result.affected < 0) continue;
    if (!first) out << "\n";
    first = false;
    if (result.rows) {
      platform::db::writeCsv(out, *result.rows);
    } else {
      out << "(" << result.affected << (result.affected == 1 ? " riga interessata)\n" : " righe interessate)\n");
    }
  }
  std::cout << out.str() << std::flush;
  return kOk;
}

// create and demo on a database reached over ODBC: the schema (and the demo rows) written
// there through the layer, in the data source's dialect.
int createOverOdbc(const sql::DatabaseName& database, const Request& request) {
  platform::db::Connection connection;
  connection.Connect(database.connectionString);
  sql::createSchema(connection);
  if (request.command == "demo") sql::loadDemo(connection);
  std::cout << "creato lo schema" << (request.command == "demo" ? " con i dati dimostrativi" : " vuoto")
            << " nel database ODBC\n";
  return kOk;
}

// The command line through CLI11: a subcommand per command, FILE its first argument.
int run(int argc, char** argv) {
  Request request;
  CLI::App app("passaggio-db");
  app.set_help_flag("-h,--help");
  app.require_subcommand(1);
  auto* help = app.add_subcommand("help");
  const auto withFile = [&](const char* name) {
    auto* command = app.add_subcommand(name);
    command->add_option("FILE", request.database)->required();
    return command;
  };
  for (const char* name : {"create", "demo", "generate"}) withFile(name)->add_flag("--force", request.force);
  auto* generate = app.get_subcommand("generate");
  generate->add_option("--items", request.generator.items);
  generate->add_option("--bodies", request.generator.bodies);
  generate->add_option("--fields", request.generator.fields);
  generate->add_option("--seed", request.generator.seed);
  auto* script = app.add_subcommand("script");
  script->add_option("--dialect", request.dialect)->required();
  script->add_option("WHAT", request.script)->required();
  auto* sqlCommand = withFile("sql");
  sqlCommand->add_option("-c", request.batch);
  sqlCommand->add_option("--trace", request.trace);

  if (argc < 2) return usage("nessun comando");
  const std::string first = argv[1];
  const auto commands = app.get_subcommands([&](const CLI::App* command) { return command->get_name() == first; });
  if (!first.starts_with("-") && commands.empty()) return usage("comando sconosciuto '" + first + "'");
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << kUsageText;
    return kOk;
  } catch (const CLI::ParseError& error) {
    return usage("argomenti non validi: " + std::string(error.what()));
  }
  if (help->parsed()) {
    std::cout << kUsageText;
    return kOk;
  }
  request.command = app.get_subcommands().front()->get_name();
  if (request.command == "script") {
    if (request.dialect != "tsql") return usage("script scrive solo il dialetto tsql");
    return passaggio_db::writeServerScript(std::cout, request.script) ? kOk
                                                                      : usage("script: create, demo o log");
  }
  if (request.database.starts_with("-")) return usage(request.command + " richiede il FILE del database");

  try {
    const sql::DatabaseName database = sql::databaseNamed(request.database);
    if (request.command == "sql") return runSql(database, request);
    const std::filesystem::path& file = database.file;
    if (request.command != "generate" && request.database.starts_with("odbc:")) return createOverOdbc(database, request);
    if (file.empty()) return usage(request.command + " crea un file: " + request.database + " non ne nomina uno");

    const sql::Existing existing = request.force ? sql::Existing::Replace : sql::Existing::Refuse;
    if (request.command == "create") {
      sql::createSchemaDatabase(file, existing);
      std::cout << "creato " << platform::db::printable(file.string()) << " con lo schema vuoto\n";
      return kOk;
    }
    if (request.command == "demo") {
      sql::createDemoDatabase(file, existing);
      std::cout << "creato " << platform::db::printable(file.string()) << " con i dati dimostrativi\n";
      return kOk;
    }
    if (std::string problem = sql::validateOptions(request.generator); !problem.empty()) return usage(problem);
    const sql::GeneratorReport report = sql::generateDatabase(file, request.generator, existing);
    char seconds[128];
    std::snprintf(seconds, sizeof seconds, "%.1f s (righe %.1f s, indici %.1f s)", report.totalSeconds,
                  report.fillSeconds, report.indexSeconds);
    std::cout << "generato " << platform::db::printable(file.string()) << ": " << report.items << " articoli, "
              << report.associations << " associazioni entità, " << report.exclusions << " esclusioni, "
              << report.signOffs << " visti in " << seconds << "\n";
    return kOk;
  } catch (const platform::db::DbError& error) {
    printDbError(error);
    return kError;
  } catch (const std::exception& error) {
    complain(error.what());
    return kError;
  }
}

}  // namespace

int main(int argc, char** argv) {
  int status = run(argc, argv);
  if (const auto failure = platform::db::traceWriteFailure()) {
    complain("traccia " + failure->path + " non scrivibile: " + failure->reason);
    if (status == kOk) status = kError;
  }
  return status;
}

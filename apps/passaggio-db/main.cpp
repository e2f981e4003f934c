// passaggio-db: creates the console's database files (empty schema, demo, generated data
// sets) and runs T-SQL batches on them through the same database layer the console uses.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/db_error.h"
#include "platform/db/printable.h"
#include "platform/db/recordset.h"
#include "platform/db/recordset_csv.h"
#include "platform/db/trace.h"
#include "sql/database_file.h"
#include "sql/generator.h"

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
  help                       stampa questo testo

--force sostituisce un FILE esistente; senza, un FILE esistente non viene mai toccato.
codice di uscita: 0 riuscito, 1 errore, 2 uso errato
)usage";

struct UsageError {
  std::string message;
};

int usage(const std::string& message) {
  std::cerr << "passaggio-db: " << platform::db::printable(message) << "\n\n" << kUsageText;
  return kUsage;
}

void complain(const std::string& message) { std::cerr << "passaggio-db: " << platform::db::printable(message) << "\n"; }

// The arguments after COMMAND FILE: flags and options with a value.
class Options {
 public:
  Options(std::vector<std::string> arguments, std::vector<std::string> flags, std::vector<std::string> valued) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      const std::string& name = arguments[i];
      if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
        m_values.emplace_back(name, "");
      } else if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
        if (i + 1 == arguments.size()) throw UsageError{name + " richiede un valore"};
        m_values.emplace_back(name, arguments[++i]);
      } else {
        throw UsageError{"argomento inatteso '" + name + "'"};
      }
    }
  }

  bool has(std::string_view name) const { return value(name).has_value(); }

  std::optional<std::string> value(std::string_view name) const {
    std::optional<std::string> found;
    for (const auto& [key, value] : m_values) {
      if (key == name) found = value;
    }
    return found;
  }

  template <class Number>
  Number number(std::string_view name, Number fallback) const {
    std::optional<std::string> text = value(name);
    if (!text) return fallback;
    Number result{};
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), result);
    if (error != std::errc() || end != text->data() + text->size()) {
      throw UsageError{std::string(name) + " richiede un numero intero, non '" + *text + "'"};
    }
    return result;
  }

 private:
  std::vector<std::pair<std::string, std::string>> m_values;
};

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

int runSql(const sql::DatabaseName& database, const Options& options) {
  std::string batch;
  if (auto text = options.value("-c")) {
    batch = *text;
  } else {
    batch.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  if (!database.file.empty() && !std::filesystem::exists(database.file)) {
    complain(database.file.string() + " non esiste");
    return kError;
  }
  platform::db::Connection connection;
  std::string connectionString = database.connectionString;
  if (auto trace = options.value("--trace")) connectionString += ";trace=" + *trace;
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

int run(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return usage("nessun comando");
  const std::string& command = arguments[0];
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsageText;
    return kOk;
  }
  if (command != "create" && command != "demo" && command != "generate" && command != "sql") {
    return usage("comando sconosciuto '" + command + "'");
  }
  if (arguments.size() < 2 || arguments[1].starts_with("-")) return usage(command + " richiede il FILE del database");
  std::vector<std::string> rest(arguments.begin() + 2, arguments.end());

  try {
    const sql::DatabaseName database = sql::databaseNamed(arguments[1]);
    if (command == "sql") return runSql(database, Options(rest, {}, {"-c", "--trace"}));
    const std::filesystem::path& file = database.file;
    if (file.empty()) return usage(command + " crea un file: " + arguments[1] + " non ne nomina uno");

    sql::Existing existing = sql::Existing::Refuse;
    if (command == "create" || command == "demo") {
      Options options(rest, {"--force"}, {});
      if (options.has("--force")) existing = sql::Existing::Replace;
      if (command == "create") {
        sql::createSchemaDatabase(file, existing);
        std::cout << "creato " << platform::db::printable(file.string()) << " con lo schema vuoto\n";
      } else {
        sql::createDemoDatabase(file, existing);
        std::cout << "creato " << platform::db::printable(file.string()) << " con i dati dimostrativi\n";
      }
      return kOk;
    }

    Options options(rest, {"--force"}, {"--items", "--bodies", "--fields", "--seed"});
    if (options.has("--force")) existing = sql::Existing::Replace;
    sql::GeneratorOptions generator;
    generator.items = options.number("--items", generator.items);
    generator.bodies = options.number("--bodies", generator.bodies);
    generator.fields = options.number("--fields", generator.fields);
    generator.seed = options.number("--seed", generator.seed);
    if (std::string problem = sql::validateOptions(generator); !problem.empty()) return usage(problem);
    sql::GeneratorReport report = sql::generateDatabase(file, generator, existing);
    char seconds[128];
    std::snprintf(seconds, sizeof seconds, "%.1f s (righe %.1f s, indici %.1f s)", report.totalSeconds,
                  report.fillSeconds, report.indexSeconds);
    std::cout << "generato " << platform::db::printable(file.string()) << ": " << report.items << " articoli, " << report.associations
              << " associazioni entità, " << report.exclusions << " esclusioni, " << report.signOffs
              << " visti in " << seconds << "\n";
    return kOk;
  } catch (const UsageError& error) {
    return usage(error.message);
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
  int status = run(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto failure = platform::db::traceWriteFailure()) {
    complain("traccia " + failure->path + " non scrivibile: " + failure->reason);
    if (status == kOk) status = kError;
  }
  return status;
}

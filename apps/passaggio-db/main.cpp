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
#include "platform/db/recordset.h"
#include "platform/db/recordset_csv.h"
#include "sql/database_file.h"
#include "sql/generator.h"

namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr int kUsage = 2;

constexpr std::string_view kUsageText =
    R"usage(usage: passaggio-db COMMAND FILE [OPTIONS]

commands:
  create FILE [--force]      create a database with the empty schema
  demo FILE [--force]        create a database with the schema and the demo data
  generate FILE [--items N] [--bodies B] [--fields F] [--seed S] [--force]
                             create a large reproducible database: N items (default
                             10000) of company 1 and N/100 of company 2, B validation
                             bodies (default 10) with F fields each (default 5);
                             the same seed (default 1) gives the same content
  sql FILE [-c TEXT]         run a T-SQL batch, given with -c or on standard input, as
                             the console runs it; each result set is printed as CSV
                             with a header, other statements as "(N rows affected)"
  help                       print this text

--force replaces an existing FILE; without it an existing FILE is never touched.
exit status: 0 done, 1 error, 2 wrong usage
)usage";

struct UsageError {
  std::string message;
};

int usage(const std::string& message) {
  std::cerr << "passaggio-db: " << message << "\n\n" << kUsageText;
  return kUsage;
}

// The arguments after COMMAND FILE: flags and options with a value.
class Options {
 public:
  Options(std::vector<std::string> arguments, std::vector<std::string> flags, std::vector<std::string> valued) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      const std::string& name = arguments[i];
      if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
        m_values.emplace_back(name, "");
      } else if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
        if (i + 1 == arguments.size()) throw UsageError{name + " needs a value"};
        m_values.emplace_back(name, arguments[++i]);
      } else {
        throw UsageError{"unexpected argument '" + name + "'"};
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
      throw UsageError{std::string(name) + " needs a whole number, not '" + *text + "'"};
    }
    return result;
  }

 private:
  std::vector<std::pair<std::string, std::string>> m_values;
};

void printDbError(const platform::db::DbError& error) {
  const auto& entries = error.errors();
  std::cerr << "passaggio-db: the statement failed\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& entry = entries[i];
    std::cerr << "  error " << i + 1 << " of " << entries.size() << ": number " << entry.number << ", native "
              << entry.nativeError << ", source " << entry.source << "\n"
              << "    " << entry.description << "\n";
  }
  if (entries.empty()) std::cerr << "  " << error.what() << "\n";
  if (!error.sql().empty()) std::cerr << "  statement: " << error.sql() << "\n";
  if (!error.translated().empty()) std::cerr << "  translated: " << error.translated() << "\n";
}

int runSql(const std::filesystem::path& file, const Options& options) {
  std::string batch;
  if (auto text = options.value("-c")) {
    batch = *text;
  } else {
    batch.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  }
  if (!std::filesystem::exists(file)) {
    std::cerr << "passaggio-db: " << file.string() << " does not exist\n";
    return kError;
  }
  platform::db::Connection connection;
  connection.Connect(sql::connectionStringFor(file));
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
      out << "(" << result.affected << (result.affected == 1 ? " row affected)\n" : " rows affected)\n");
    }
  }
  std::cout << out.str() << std::flush;
  return kOk;
}

int run(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return usage("no command given");
  const std::string& command = arguments[0];
  if (command == "help" || command == "--help" || command == "-h") {
    std::cout << kUsageText;
    return kOk;
  }
  if (command != "create" && command != "demo" && command != "generate" && command != "sql") {
    return usage("unknown command '" + command + "'");
  }
  if (arguments.size() < 2 || arguments[1].starts_with("-")) return usage(command + " needs a database FILE");
  std::filesystem::path file = arguments[1];
  std::vector<std::string> rest(arguments.begin() + 2, arguments.end());

  try {
    if (command == "sql") return runSql(file, Options(rest, {}, {"-c"}));

    sql::Existing existing = sql::Existing::Refuse;
    if (command == "create" || command == "demo") {
      Options options(rest, {"--force"}, {});
      if (options.has("--force")) existing = sql::Existing::Replace;
      if (command == "create") {
        sql::createSchemaDatabase(file, existing);
        std::cout << "created " << file.string() << " with the empty schema\n";
      } else {
        sql::createDemoDatabase(file, existing);
        std::cout << "created " << file.string() << " with the demo data\n";
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
    std::snprintf(seconds, sizeof seconds, "%.1f s (rows %.1f s, indexes %.1f s)", report.totalSeconds,
                  report.fillSeconds, report.indexSeconds);
    std::cout << "generated " << file.string() << ": " << report.items << " items, " << report.associations
              << " entity associations, " << report.exclusions << " exclusions, " << report.signOffs
              << " sign-offs in " << seconds << "\n";
    return kOk;
  } catch (const UsageError& error) {
    return usage(error.message);
  } catch (const sql::FileExistsError& error) {
    std::cerr << "passaggio-db: " << error.what() << "\n";
    return kError;
  } catch (const platform::db::DbError& error) {
    printDbError(error);
    return kError;
  } catch (const std::exception& error) {
    std::cerr << "passaggio-db: " << error.what() << "\n";
    return kError;
  }
}

}  // namespace

int main(int argc, char** argv) { return run(std::vector<std::string>(argv + 1, argv + argc)); }

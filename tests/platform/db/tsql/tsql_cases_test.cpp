// Runs the translator's case files (cases/*.test): each T-SQL case is parsed, translated and
// run on an in-memory SQLite database loaded with fixture.sql, and its rows, affected-row
// count, SQLite text or error are compared. Failures are reported at file:line.
//
// Blocks, separated by blank lines; lines starting with '#' outside blocks are comments:
//   statement ok [eol=crlf|cr]           runs a batch
//   statement count N [eol=...]          runs a batch and checks its affected rows
//   statement error [NATIVE] TEXT        expects a TranslationError (with SQL Server's number
//                                        NATIVE) or a SQLite error ("sqlite") containing TEXT
//   query N [rowsort] [eol=...]          T-SQL, "----", expected rows: columns split by tab or
//                                        '|', NULL for null
//   translate [eol=...]                  T-SQL, "----", the SQLite steps one per line
// eol joins the block's T-SQL lines with CR LF or a lone CR instead of LF.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "platform/db/tsql/translator.h"

namespace {

namespace fs = std::filesystem;
namespace tsql = platform::db::tsql;

const fs::path kCases = "tests/platform/db/tsql/cases";
const fs::path kFixture = "tests/platform/db/tsql/fixture.sql";

struct RunResult {
  long long changes = 0;
  std::vector<std::vector<std::string>> rows;
  bool failed = false;
  std::string error;  // "native=N <what>" or "sqlite <message>"
};

class Database {
 public:
  Database() {
    sqlite3_open(":memory:", &m_db);
    platform::db::sqlite::registerTsqlFunctions(m_db);
    sqlite3_exec(m_db, "PRAGMA automatic_index = OFF", nullptr, nullptr, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  }
  ~Database() { sqlite3_close(m_db); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  sqlite3* handle() const { return m_db; }

  // Parses the whole batch first, then translates and runs statement by statement, as the
  // backend does.
  RunResult run(const std::string& batch) {
    RunResult result;
    platform::db::sqlite::SqliteCatalog catalog(m_db);
    try {
      std::vector<tsql::ParsedStatement> statements = tsql::parseBatch(batch);
      for (const tsql::ParsedStatement& parsed : statements) {
        tsql::Statement statement = parsed.translate(catalog);
        result.rows.clear();
        for (const tsql::SqliteStep& step : statement.steps) {
          long long before = sqlite3_total_changes64(m_db);
          if (step.countIsValue) {
            std::vector<std::vector<std::string>> count;
            if (!execute(step.sql, count) || count.size() != 1) {
              result.failed = true;
              result.error = std::string("sqlite ") + sqlite3_errmsg(m_db) + " [" + step.sql + "]";
              return result;
            }
            result.changes += std::stoll(count[0][0]);
            continue;
          }
          if (!execute(step.sql, result.rows)) {
            result.failed = true;
            result.error = std::string("sqlite ") + sqlite3_errmsg(m_db) + " [" + step.sql + "]";
            return result;
          }
          if (step.countsRows) result.changes += sqlite3_total_changes64(m_db) - before;
        }
      }
    } catch (const tsql::TranslationError& e) {
      result.failed = true;
      result.error = "native=" + std::to_string(e.nativeError()) + " " + e.what();
    }
    return result;
  }

 private:
  bool execute(const std::string& sql, std::vector<std::vector<std::string>>& rows) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) return false;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const unsigned char* text = sqlite3_column_text(statement, i);
        row.emplace_back(text == nullptr ? "NULL" : reinterpret_cast<const char*>(text));
      }
      rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
  }

  sqlite3* m_db = nullptr;
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

std::vector<std::string> splitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::vector<std::string> splitRow(const std::string& line) {
  char separator = line.find('\t') != std::string::npos ? '\t' : '|';
  std::vector<std::string> columns;
  size_t start = 0;
  for (;;) {
    size_t end = line.find(separator, start);
    columns.push_back(line.substr(start, end - start));
    if (end == std::string::npos) return columns;
    start = end + 1;
  }
}

std::string join(const std::vector<std::string>& lines, const std::string& eol) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += eol;
    text += lines[i];
  }
  return text;
}

std::string formatRows(const std::vector<std::vector<std::string>>& rows) {
  std::string text;
  for (const auto& row : rows) text += join(row, "|") + "\n";
  return text;
}

struct Block {
  int line = 0;
  std::vector<std::string> header;
  std::vector<std::string> body;      // T-SQL lines
  std::vector<std::string> expected;  // after "----"
  bool hasSeparator = false;
};

std::vector<Block> readBlocks(const std::string& text) {
  std::vector<Block> blocks;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  Block* current = nullptr;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (current == nullptr) {
      if (line.empty() || line[0] == '#') continue;
      blocks.push_back({number, splitWords(line), {}, {}, false});
      current = &blocks.back();
      continue;
    }
    if (line.empty()) {
      current = nullptr;
    } else if (line == "----" && !current->hasSeparator) {
      current->hasSeparator = true;
    } else if (current->hasSeparator) {
      current->expected.push_back(line);
    } else {
      current->body.push_back(line);
    }
  }
  return blocks;
}

std::string option(const std::vector<std::string>& header, const std::string& key) {
  for (const std::string& word : header) {
    if (word.rfind(key + "=", 0) == 0) return word.substr(key.size() + 1);
  }
  return {};
}

std::string lineEnd(const Block& block) {
  std::string eol = option(block.header, "eol");
  if (eol == "crlf") return "\r\n";
  if (eol == "cr") return "\r";
  return "\n";
}

void loadFixture(Database& db) {
  RunResult result = db.run(readFile(kFixture));
  ASSERT_FALSE(result.failed) << "fixture.sql: " << result.error;
}

void runBlock(Database& db, const std::string& file, const Block& block) {
  const std::string& kind = block.header[0];
  const std::string sql = join(block.body, lineEnd(block));
  if (kind == "statement") {
    RunResult result = db.run(sql);
    std::string mode = block.header.size() > 1 ? block.header[1] : "";
    if (mode == "error") {
      std::vector<std::string> words;
      for (size_t i = 2; i < block.header.size(); ++i) {
        if (block.header[i].rfind("eol=", 0) != 0) words.push_back(block.header[i]);
      }
      std::string expected;
      std::string native;
      if (!words.empty() && (std::all_of(words[0].begin(), words[0].end(), ::isdigit) || words[0] == "sqlite")) {
        native = words[0];
        words.erase(words.begin());
      }
      expected = join(words, " ");
      if (!result.failed) {
        ADD_FAILURE_AT(file.c_str(), block.line) << "expected an error, the statement ran:\n" << sql;
      } else {
        if (native == "sqlite" && result.error.rfind("sqlite ", 0) != 0) {
          ADD_FAILURE_AT(file.c_str(), block.line) << "expected a SQLite error, got: " << result.error;
        } else if (!native.empty() && native != "sqlite" && result.error.rfind("native=" + native + " ", 0) != 0) {
          ADD_FAILURE_AT(file.c_str(), block.line) << "expected error " << native << ", got: " << result.error;
        }
        if (result.error.find(expected) == std::string::npos) {
          ADD_FAILURE_AT(file.c_str(), block.line) << "error lacks \"" << expected << "\": " << result.error;
        }
      }
      return;
    }
    if (result.failed) {
      ADD_FAILURE_AT(file.c_str(), block.line) << result.error << "\n" << sql;
      return;
    }
    if (mode == "count" && block.header.size() > 2 && std::to_string(result.changes) != block.header[2]) {
      ADD_FAILURE_AT(file.c_str(), block.line) << "affected rows " << result.changes << ", expected "
                                               << block.header[2];
    }
    return;
  }
  if (kind == "query") {
    RunResult result = db.run(sql);
    if (result.failed) {
      ADD_FAILURE_AT(file.c_str(), block.line) << result.error;
      return;
    }
    std::vector<std::vector<std::string>> expected;
    for (const std::string& line : block.expected) expected.push_back(splitRow(line));
    auto actual = result.rows;
    if (std::find(block.header.begin(), block.header.end(), "rowsort") != block.header.end()) {
      std::sort(actual.begin(), actual.end());
      std::sort(expected.begin(), expected.end());
    }
    size_t columns = block.header.size() > 1 ? std::stoul(block.header[1]) : 0;
    for (const auto& row : actual) {
      if (row.size() != columns) {
        ADD_FAILURE_AT(file.c_str(), block.line) << "rows have " << row.size() << " columns, expected " << columns;
        break;
      }
    }
    if (actual != expected) {
      ADD_FAILURE_AT(file.c_str(), block.line) << "rows differ\nexpected:\n"
                                               << formatRows(expected) << "actual:\n"
                                               << formatRows(actual);
    }
    return;
  }
  if (kind == "translate") {
    platform::db::sqlite::SqliteCatalog catalog(db.handle());
    std::vector<std::string> steps;
    try {
      for (const tsql::ParsedStatement& parsed : tsql::parseBatch(sql)) {
        for (const tsql::SqliteStep& step : parsed.translate(catalog).steps) steps.push_back(step.sql);
      }
    } catch (const tsql::TranslationError& e) {
      ADD_FAILURE_AT(file.c_str(), block.line) << e.what();
      return;
    }
    if (steps != block.expected) {
      ADD_FAILURE_AT(file.c_str(), block.line) << "translation differs\nexpected:\n"
                                               << join(block.expected, "\n") << "\nactual:\n"
                                               << join(steps, "\n");
    }
    return;
  }
  ADD_FAILURE_AT(file.c_str(), block.line) << "unknown block kind: " << kind;
}

std::vector<std::string> caseFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kCases, error)) {
    if (entry.path().extension() == ".test") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class TsqlCases : public testing::TestWithParam<std::string> {};

TEST_P(TsqlCases, RunOnFixture) {
  Database db;
  loadFixture(db);
  if (HasFatalFailure()) return;
  const fs::path path = kCases / GetParam();
  for (const Block& block : readBlocks(readFile(path))) runBlock(db, path.string(), block);
}

INSTANTIATE_TEST_SUITE_P(Files, TsqlCases, testing::ValuesIn(caseFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = fs::path(info.param).stem().string();
                           std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                           return name;
                         });

}  // namespace

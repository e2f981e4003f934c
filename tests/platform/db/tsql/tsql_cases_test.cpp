// Runs the translator's case files (cases/*.test) through a connection, as the console sends
// its statements: each case file gets an in-memory database with the real schema and the
// rows of rows.sql, and its rows, affected-row counts, translations or errors are compared.
// Failures are reported at file:line.
//
// Blocks, separated by blank lines; lines starting with '#' outside blocks are comments:
//   statement ok [eol=crlf|cr]           runs a batch
//   statement count N [eol=...]          runs a batch and checks its affected rows
//   statement error [NATIVE] TEXT        expects a failure whose first error entry has the
//                                        native number NATIVE (or comes from SQLite: "sqlite")
//                                        and a description containing TEXT
//   query N [rowsort] [eol=...]          T-SQL, "----", the first result set's rows as CSV
//                                        records (as the database tool prints them), NULL for null
//   translate [eol=...]                  T-SQL, "----", what the backend ran, one step per line
//   passes_off NAMES                     a fresh database, on a connection without those
//                                        translation passes (comma-separated, or "all")
//   with_passes BLOCK                    the block, only while the passes are as written: what
//                                        a pass does beyond the plain translation
// Translations are those with every pass on, or as the last passes_off block left them; run
// with PASSAGGIO_PASSES_OFF set, blocks before any passes_off block check rows, counts and
// errors only.
// eol joins the block's T-SQL lines with CR LF or a lone CR instead of LF.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/recordset_csv.h"
#include "sql/schema.h"
#include "tests/support/program_run.h"

namespace {

namespace fs = std::filesystem;
using platform::db::Connection;
using platform::db::DbError;

const fs::path kCases = "tests/platform/db/tsql/cases";
const fs::path kRows = "tests/platform/db/tsql/rows.sql";

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

std::string join(const std::vector<std::string>& lines, const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? separator : "") + lines[i];
  return text;
}

// The first error entry of the connection's collection, as a failure message shows it.
std::string describeError(const Connection& db) {
  if (db.Errors().empty()) return "(no error entry)";
  const platform::db::ErrorEntry& entry = db.Errors().front();
  return entry.source + " " + std::to_string(entry.nativeError) + ": " + entry.description;
}

struct Block {
  int line = 0;
  std::vector<std::string> header;
  std::vector<std::string> body;      // T-SQL lines
  std::vector<std::string> expected;  // after "----"
  bool hasSeparator = false;

  bool has(const std::string& word) const { return std::find(header.begin(), header.end(), word) != header.end(); }
  std::string sql() const {
    if (has("eol=crlf")) return join(body, "\r\n");
    return join(body, has("eol=cr") ? "\r" : "\n");
  }
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
    } else if (line.empty()) {
      current = nullptr;
    } else if (line == "----" && !current->hasSeparator) {
      current->hasSeparator = true;
    } else {
      (current->hasSeparator ? current->expected : current->body).push_back(line);
    }
  }
  return blocks;
}

class CaseFile {
 public:
  CaseFile(const fs::path& path, const fs::path& trace) : m_file(path.string()), m_trace(trace) { connect(""); }

  void run(const Block& block) {
    const std::string& kind = block.header[0];
    if (kind == "statement") return statement(block);
    if (kind == "query") return query(block);
    if (kind == "translate") return translate(block);
    if (kind == "passes_off" && block.header.size() == 2) return connect(";passes_off=" + block.header[1]);
    if (kind == "with_passes" && block.header.size() > 1) {
      if (!m_passesAsWritten) return;
      Block inner = block;
      inner.header.erase(inner.header.begin());
      return run(inner);
    }
    ADD_FAILURE_AT(m_file.c_str(), block.line) << "unknown block kind: " << kind;
  }

 private:
  void connect(const std::string& options) {
    m_passesAsWritten = !options.empty() || std::getenv("PASSAGGIO_PASSES_OFF") == nullptr;
    if (m_db.IsOpen()) m_db.Close();
    m_db.Connect("sqlite::memory:;trace=" + m_trace.string() + options);
    sql::createSchema(m_db);
    m_db.Execute(readFile(kRows));
  }

  void statement(const Block& block) {
    const std::string mode = block.header.size() > 1 ? block.header[1] : "";
    long long affected = -1;
    try {
      affected = m_db.Execute(block.sql());
    } catch (const DbError&) {
      if (mode != "error") ADD_FAILURE_AT(m_file.c_str(), block.line) << describeError(m_db) << "\n" << block.sql();
      else expectError(block);
      return;
    }
    if (mode == "error") {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "expected an error, the statement ran:\n" << block.sql();
    } else if (mode == "count" && std::to_string(affected) != block.header.at(2)) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "affected rows " << affected << ", expected " << block.header[2];
    }
  }

  void expectError(const Block& block) {
    std::vector<std::string> words;
    for (size_t i = 2; i < block.header.size(); ++i) {
      if (block.header[i].rfind("eol=", 0) != 0) words.push_back(block.header[i]);
    }
    std::string native;
    if (!words.empty() && (std::all_of(words[0].begin(), words[0].end(), ::isdigit) || words[0] == "sqlite")) {
      native = words[0];
      words.erase(words.begin());
    }
    const std::string text = join(words, " ");
    ASSERT_FALSE(m_db.Errors().empty()) << m_file << ":" << block.line;
    const platform::db::ErrorEntry& entry = m_db.Errors().front();
    const bool nativeMatches = native.empty() || (native == "sqlite" ? entry.source == "passaggio.db.sqlite"
                                                                     : std::to_string(entry.nativeError) == native);
    if (!nativeMatches || entry.description.find(text) == std::string::npos) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "expected error " << native << " \"" << text
                                                 << "\", got: " << describeError(m_db);
    }
  }

  void query(const Block& block) {
    std::shared_ptr<platform::db::Recordset> rows;
    try {
      rows = m_db.Open(block.sql());
    } catch (const DbError&) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << describeError(m_db);
      return;
    }
    const size_t columns = std::stoul(block.header.at(1));
    if (rows->FieldCount() != columns) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "rows have " << rows->FieldCount() << " columns, expected "
                                                 << columns;
    }
    std::vector<std::string> actual;
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
      std::vector<std::string> fields;
      for (size_t c = 0; c < rows->FieldCount(); ++c) {
        fields.push_back(rows->Field(c).isNull() ? "NULL" : platform::db::csvField(rows->Field(c)));
      }
      actual.push_back(join(fields, ","));
    }
    std::vector<std::string> expected = block.expected;
    if (block.has("rowsort")) {
      std::sort(actual.begin(), actual.end());
      std::sort(expected.begin(), expected.end());
    }
    if (actual != expected) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "rows differ\nexpected:\n"
                                                 << join(expected, "\n") << "\nactual:\n"
                                                 << join(actual, "\n");
    }
  }

  // The statement runs (failing or not): what counts is what the trace says was sent.
  void translate(const Block& block) {
    try {
      m_db.Execute(block.sql());
    } catch (const DbError&) {
    }
    if (!m_passesAsWritten) return;
    std::ifstream in(m_trace);
    std::string line;
    for (std::string next; std::getline(in, next);) line = next;
    std::vector<std::string> steps;
    for (const auto& step : nlohmann::json::parse(line).value("sqlite", nlohmann::json::array())) {
      steps.push_back(step.get<std::string>());
    }
    if (steps != block.expected) {
      ADD_FAILURE_AT(m_file.c_str(), block.line) << "translation differs\nexpected:\n"
                                                 << join(block.expected, "\n") << "\nactual:\n"
                                                 << join(steps, "\n");
    }
  }

  std::string m_file;
  fs::path m_trace;
  bool m_passesAsWritten = true;  // translations are compared
  Connection m_db;
};

std::vector<std::string> caseFiles() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(kCases, error)) {
    if (entry.path().extension() == ".test") files.push_back(entry.path().stem().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class TsqlCases : public testing::TestWithParam<std::string> {};

TEST_P(TsqlCases, RunThroughConnection) {
  passaggio::testing::ScratchFolder folder;
  const fs::path path = kCases / (GetParam() + ".test");
  CaseFile cases(path, folder.path() / "trace.jsonl");
  for (const Block& block : readBlocks(readFile(path))) cases.run(block);
}

INSTANTIATE_TEST_SUITE_P(Files, TsqlCases, testing::ValuesIn(caseFiles()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace

// What parseBatch hands the backend besides the SQLite text: each statement's own T-SQL, which
// statements need the catalog, return rows or change the schema, which steps count rows, and
// the position and statement of an error.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/tsql/translator.h"

namespace {

namespace tsql = platform::db::tsql;

class OneTable : public tsql::Catalog {
 public:
  std::optional<std::vector<tsql::CatalogColumn>> columns(std::string_view table) const override {
    if (table != "T") return std::nullopt;
    return std::vector<tsql::CatalogColumn>{{"ID", tsql::SqlType::parse("INTEGER"), "", true, "", -1},
                                            {"NAME", tsql::SqlType::parse("VARCHAR(10)"), "TSQL_CI", false, "", -1}};
  }
  std::vector<std::string> indexLeaders(std::string_view) const override { return {}; }
};

TEST(TsqlBatch, SplitsStatementsByGrammarKeepingTheirText) {
  std::vector<tsql::ParsedStatement> statements;
  try {
    statements = tsql::parseBatch("UPDATE T SET NAME = 'a;b' WHERE ID = 1 SELECT * INTO #C FROM T ; SELECT 1 AS X\nDROP TABLE #C");
  } catch (const tsql::TranslationError& e) {
    FAIL() << e.what();
  }
  ASSERT_EQ(statements.size(), 4u);
  EXPECT_EQ(statements[0].tsql(), "UPDATE T SET NAME = 'a;b' WHERE ID = 1");
  EXPECT_EQ(statements[1].tsql(), "SELECT * INTO #C FROM T");
  EXPECT_EQ(statements[2].tsql(), "SELECT 1 AS X");
  EXPECT_EQ(statements[3].tsql(), "DROP TABLE #C");

  struct Expected {
    bool needsCatalog, returnsRows, changesSchema;
    std::vector<bool> counts;
  };
  const Expected expected[] = {
      {false, false, false, {true}},
      {true, false, true, {false, true}},
      {false, true, false, {false}},
      {true, false, true, {false}},  // a temporary table's DROP asks whether it is packed
  };
  OneTable catalog;
  for (size_t i = 0; i < statements.size(); ++i) {
    SCOPED_TRACE(statements[i].tsql());
    tsql::Statement statement = statements[i].translate(catalog);
    EXPECT_EQ(statements[i].needsCatalog(), expected[i].needsCatalog);
    EXPECT_EQ(statement.returnsRows, expected[i].returnsRows);
    EXPECT_EQ(statement.changesSchema, expected[i].changesSchema);
    EXPECT_EQ(statement.tsql, statements[i].tsql());
    std::vector<bool> counts;
    for (const tsql::SqliteStep& step : statement.steps) counts.push_back(step.countsRows);
    EXPECT_EQ(counts, expected[i].counts);
  }
}

TEST(TsqlBatch, ErrorNamesConstructPositionAndStatement) {
  try {
    tsql::parseBatch("SELECT 1\r\n  UPDATE T SET NAME = 1\r\n  WHERE ID IN () SELECT 2");
    FAIL() << "an empty IN list must not parse";
  } catch (const tsql::TranslationError& e) {
    EXPECT_EQ(e.nativeError(), 102);
    EXPECT_EQ(e.construct(), "IN list");
    EXPECT_EQ(e.line(), 3);
    EXPECT_EQ(e.column(), 16);
    EXPECT_EQ(e.statement(), "UPDATE T SET NAME = 1\r\n  WHERE ID IN ()");
  }
}

std::string repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// Whatever the nesting, the statement is refused with SQL Server's 191 before the parser's or
// the writer's recursion can exhaust the stack, and quickly: a refusal that walked the
// nesting again at every level would take far longer than a busy machine or the sanitizers.
TEST(TsqlBatch, DeepNestingIsRefusedWith191) {
#ifdef __SANITIZE_ADDRESS__
  constexpr auto kQuickly = std::chrono::seconds(15);
#else
  constexpr auto kQuickly = std::chrono::seconds(5);
#endif
  const std::string deep[] = {
      "SELECT " + repeated("(", 100000) + "1" + repeated(")", 100000),
      "SELECT " + repeated("NOT ", 100000) + "1",
      "SELECT " + repeated("- ", 100000) + "1",
      "SELECT 1" + repeated(" + 1", 100000),
      "SELECT " + repeated("ISNULL(", 20000) + "1" + repeated(", 2)", 20000),
      "SELECT " + repeated("CASE WHEN 1 = 1 THEN ", 20000) + "1" + repeated(" END", 20000),
      "SELECT " + repeated("(SELECT ", 20000) + "1" + repeated(")", 20000),
      "SELECT 1 FROM " + repeated("(SELECT 1 AS A FROM ", 20000) + "T" + repeated(") X", 20000),
      // RIGHT writes its length twice: nested there, the written text doubles at every level.
      "SELECT " + repeated("RIGHT('abc', ", 200) + "2" + repeated(")", 200),
      // Shallow in each operand, deep through subqueries written after a chain.
      "SELECT " + repeated("(SELECT 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + 1 + ", 2000) + "1" + repeated(")", 2000),
  };
  OneTable catalog;
  for (const std::string& sql : deep) {
    SCOPED_TRACE(sql.substr(0, 60));
    const auto start = std::chrono::steady_clock::now();
    try {
      for (const tsql::ParsedStatement& statement : tsql::parseBatch(sql)) statement.translate(catalog);
      ADD_FAILURE() << "translated";
    } catch (const tsql::TranslationError& e) {
      EXPECT_EQ(e.nativeError(), 191) << e.what();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, kQuickly);
  }
}

// Nesting each RIGHT in the next one's text must not double the written SQL at every level.
TEST(TsqlBatch, NestedFunctionsWriteLinearText) {
  const std::string sql = "SELECT " + repeated("RIGHT(", 200) + "'abc'" + repeated(", 2)", 200);
  OneTable catalog;
  const tsql::Statement statement = tsql::parseBatch(sql).front().translate(catalog);
  EXPECT_LT(statement.steps.back().sql.size(), 100 * sql.size());
}

// Long AND and OR chains are no nesting: the console joins a condition per validation body.
// SQLite must take the written text too (it refuses expressions deeper than 1000 levels).
TEST(TsqlBatch, LongLogicalChainsTranslateAndPrepare) {
  const std::string sql = "SELECT ID FROM T WHERE ID = 1" + repeated(" AND NAME <> 'x'", 50000) +
                          repeated(" OR ID = 2", 5000);
  OneTable catalog;
  const tsql::Statement statement = tsql::parseBatch(sql).front().translate(catalog);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  sqlite3_create_collation(db, "TSQL_CI", SQLITE_UTF8, nullptr,
                           [](void*, int, const void*, int, const void*) { return 0; });
  ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE T (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_stmt* prepared = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, statement.steps.back().sql.c_str(), -1, &prepared, nullptr), SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_finalize(prepared);
  sqlite3_close(db);
}

}  // namespace

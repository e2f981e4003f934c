// What parseBatch hands the backend besides the SQLite text: each statement's own T-SQL, which
// statements need the catalog, return rows or change the schema, which steps count rows, and
// the position and statement of an error.
#include <gtest/gtest.h>

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
    return std::vector<tsql::CatalogColumn>{{"ID", "INTEGER", "", true}, {"NAME", "VARCHAR(10)", "TSQL_CI", false}};
  }
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
      {false, false, true, {false}},
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

TEST(TsqlBatch, TranslationErrorsCarryTheStatement) {
  std::vector<tsql::ParsedStatement> statements = tsql::parseBatch("SELECT 1 AS A\nSELECT NOPE INTO #X FROM T");
  OneTable catalog;
  try {
    statements[1].translate(catalog);
    FAIL() << "an unknown column must not translate";
  } catch (const tsql::TranslationError& e) {
    EXPECT_EQ(e.nativeError(), 207);
    EXPECT_EQ(e.line(), 2);
    EXPECT_EQ(e.column(), 8);
    EXPECT_EQ(e.statement(), "SELECT NOPE INTO #X FROM T");
  }
}

TEST(TsqlBatch, EmptyBatchesHaveNoStatements) {
  EXPECT_TRUE(tsql::parseBatch("").empty());
  EXPECT_TRUE(tsql::parseBatch("  -- nothing\r ; /* at all */ ;").empty());
}

}  // namespace

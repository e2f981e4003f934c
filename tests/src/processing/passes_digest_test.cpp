// The translation passes change how the working table is stored and how the checks run, never
// what a run leaves in it: after a run with every pass on and one with every pass off, the
// item working table is the same, column by column (name, declared type, base column, key, in
// declared order) and row by row (every value with its type), on each generated variation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/src/processing/processing_fixture.h"
#include "tests/src/processing/variations.h"

namespace passaggio {
namespace {

using testing::Variation;

class PassesDigestTest : public testing::ProcessingTest {
 protected:
  // The working table after a run on a connection with `options`: its columns, then its rows.
  std::vector<std::string> tableAfterRun(const Variation& variation, const std::string& options) {
    m_object = console(sql::connectionStringFor(m_file) + options, variation.user);
    m_object->ShowForm();
    press("CMD_ELABORA");
    EXPECT_TRUE(m_display->errors().empty()) << options;
    std::vector<std::string> lines(1);
    auto rows = form().m_connection->Open("SELECT * FROM " + form().m_itemTable + " ORDER BY ID");
    for (std::size_t c = 0; c < rows->FieldCount(); ++c) {
      const platform::db::ColumnInfo& column = rows->Column(c);
      lines[0] += column.name + " " + column.declaredType + " " + column.baseColumn + (column.isKey ? " key|" : "|");
    }
    for (; !rows->Eof(); rows->MoveNext()) {
      std::string& line = lines.emplace_back();
      for (std::size_t c = 0; c < rows->FieldCount(); ++c) {
        const platform::Variant& field = rows->Field(c);
        line += std::string(platform::typeName(field.type())) + ":" + testing::value(field) + "|";
      }
    }
    release();
    return lines;
  }
};

TEST_F(PassesDigestTest, TheWorkingTableAfterARunIsTheSameWithAndWithoutPasses) {
  for (const Variation& variation : testing::variations()) {
    SCOPED_TRACE(variation.name);
    m_file = testing::variationDatabase(variation, "digest");
    const std::vector<std::string> with = tableAfterRun(variation, ";passes_off=");
    const std::vector<std::string> without = tableAfterRun(variation, ";passes_off=all");
    EXPECT_GT(with.size(), 500u);
    ASSERT_EQ(with.size(), without.size());
    for (std::size_t i = 0; i < with.size(); ++i) {
      if (with[i] != without[i]) {
        EXPECT_EQ(with[i], without[i]) << "line " << i << " of the table, the first that differs";
        break;
      }
    }
  }
}

}  // namespace
}  // namespace passaggio

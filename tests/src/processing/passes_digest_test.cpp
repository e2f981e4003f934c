// The translation passes change how the working table is stored and how the checks run, never
// what a run leaves in it: after a run with every pass on and one with every pass off, the
// item working table is the same, column by column (name, declared type, base column, key, in
// declared order) and row by row (every value with its type), on each generated variation.
// Filling in the item master's own order numbers the rows in that order: with that pass on,
// the rows are the same item by item, with it alone off the same identity by identity.
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
  // The working table after a run on a connection with `options`: its columns, then its rows
  // by identity, or by item and without the identity that numbers them.
  enum class Order { ById, ByItem };
  std::vector<std::string> tableAfterRun(const Variation& variation, const std::string& options, Order order) {
    m_object = console(sql::connectionStringFor(m_file) + options, variation.user);
    m_object->ShowForm();
    press("CMD_ELABORA");
    EXPECT_TRUE(m_display->errors().empty()) << options;
    std::vector<std::string> lines(1);
    auto rows = form().m_connection->Open("SELECT * FROM " + form().m_itemTable +
                                          (order == Order::ById ? " ORDER BY ID" : " ORDER BY CODART, ID"));
    for (std::size_t c = 0; c < rows->FieldCount(); ++c) {
      const platform::db::ColumnInfo& column = rows->Column(c);
      lines[0] += column.name + " " + column.declaredType + " " + column.baseColumn + (column.isKey ? " key|" : "|");
    }
    for (; !rows->Eof(); rows->MoveNext()) {
      std::string& line = lines.emplace_back();
      for (std::size_t c = 0; c < rows->FieldCount(); ++c) {
        if (order == Order::ByItem && rows->Column(c).isKey) continue;
        const platform::Variant& field = rows->Field(c);
        line += std::string(platform::typeName(field.type())) + ":" + testing::value(field) + "|";
      }
    }
    release();
    return lines;
  }
};

void expectSameTable(const std::vector<std::string>& with, const std::vector<std::string>& without) {
  EXPECT_GT(with.size(), 500u);
  ASSERT_EQ(with.size(), without.size());
  for (std::size_t i = 0; i < with.size(); ++i) {
    if (with[i] != without[i]) {
      EXPECT_EQ(with[i], without[i]) << "line " << i << " of the table, the first that differs";
      break;
    }
  }
}

TEST_F(PassesDigestTest, TheWorkingTableAfterARunIsTheSameWithAndWithoutPasses) {
  for (const Variation& variation : testing::variations()) {
    SCOPED_TRACE(variation.name);
    m_file = testing::variationDatabase(variation, "digest");
    const auto without = [&](Order order) { return tableAfterRun(variation, ";passes_off=all", order); };
    expectSameTable(tableAfterRun(variation, ";passes_off=", Order::ByItem), without(Order::ByItem));
    expectSameTable(tableAfterRun(variation, ";passes_off=fill-in-row-order", Order::ById), without(Order::ById));
  }
}

}  // namespace
}  // namespace passaggio

#include "platform/db/tsql/sql_type.h"

#include <gtest/gtest.h>

namespace {

using platform::db::tsql::SqlType;

// SQLite keeps a declaration as it was written, so a table created by hand or by an older
// build may spell its types in any case and spacing.
TEST(SqlType, ReadsDeclarationsAsSqliteKeepsThem) {
  struct Case {
    const char* declared;
    const char* name;
    int length;
    bool max;
    int precision;
    int scale;
    bool fixedText;
  };
  const Case cases[] = {
      {"CHAR(25)", "CHAR", 25, false, 0, 0, true},
      {" char ( 6 ) ", "CHAR", 6, false, 0, 0, true},
      {"nchar(3)", "NCHAR", 3, false, 0, 0, true},
      {"CHAR", "CHAR", 0, false, 0, 0, true},
      {"VARCHAR(MAX)", "VARCHAR", 0, true, 0, 0, false},
      {"nvarchar(max)", "NVARCHAR", 0, true, 0, 0, false},
      {"DECIMAL(5,2)", "DECIMAL", 0, false, 5, 2, false},
      {"decimal (9, 4)", "DECIMAL", 0, false, 9, 4, false},
      {"NUMERIC(5)", "NUMERIC", 0, false, 5, 0, false},
      {"INTEGER", "INTEGER", 0, false, 0, 0, false},
      {"", "", 0, false, 0, 0, false},
  };
  for (const Case& c : cases) {
    const SqlType type = SqlType::parse(c.declared);
    SCOPED_TRACE(c.declared);
    EXPECT_EQ(type.declared, c.declared);
    EXPECT_EQ(type.name, c.name);
    EXPECT_EQ(type.length, c.length);
    EXPECT_EQ(type.max, c.max);
    EXPECT_EQ(type.precision, c.precision);
    EXPECT_EQ(type.scale, c.scale);
    EXPECT_EQ(type.fixedText(), c.fixedText);
  }
}

}  // namespace

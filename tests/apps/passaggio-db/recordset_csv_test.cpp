// CSV of record sets: values as stored (NULL empty, numbers without padding, text without
// trailing blanks) and RFC 4180 quoting.
#include "platform/db/recordset_csv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/csv.h"

namespace platform::db {
namespace {

struct FieldCase {
  Variant value;
  const char* csv;
};

TEST(RecordsetCsv, WritesValuesAsStored) {
  const FieldCase cases[] = {
      {Variant::null(), ""},
      {Variant(), ""},
      {Variant(20), "20"},
      {Variant(Decimal::parse("2.00")), "2"},
      {Variant(Decimal::parse("1.50")), "1.5"},
      {Variant(Decimal::parse("-0.250")), "-0.25"},
      {Variant(20.0), "20"},
      {Variant(0.1), "0.1"},
      {Variant(1e-7), "0.0000001"},
      {Variant(123456789012.5), "123456789012.5"},
      {Variant(true), "1"},
      {Variant("VITE-A1                  "), "VITE-A1"},
      {Variant("    "), "\"\""},
      {Variant("  rientro"), "  rientro"},
      {Variant("Vite, zincata"), "\"Vite, zincata\""},
      {Variant("detta \"TE\""), "\"detta \"\"TE\"\"\""},
      {Variant("riga 1\r\nriga 2"), "\"riga 1\r\nriga 2\""},
      {Variant("A\x1b[2J\tB\x7f\u009b"), "A\\x1B[2J\tB\\x7F\\u009B"},
      {Variant("qualità"), "qualità"},
      {Variant(Date::fromParts(2025, 3, 1, 9, 30)), "2025-03-01 09:30:00"},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.value.debugString());
    EXPECT_EQ(csvField(c.value), c.csv);
  }
}

TEST(RecordsetCsv, WritesAHeaderAndOneRecordPerRowThatAnRfc4180ReaderReadsBack) {
  ResultData data;
  data.columns = {{"CODART", "CHAR(25)", "MG66_ANAGRART", "MG66_CODART", false}, {"NOTE, BREVI", "", "", "", false}};
  data.rows = {{Variant("A1"), Variant("riga 1\r\nriga 2; \"citata\", fine")},
               {Variant("  B2"), Variant::null()},
               {Variant("C3"), Variant("")}};
  Recordset rows(nullptr, "SELECT", data);
  rows.MoveLast();
  std::ostringstream out;
  writeCsv(out, rows);
  EXPECT_TRUE(rows.Eof());
  using passaggio::testing::CsvRecord;
  EXPECT_EQ(passaggio::testing::readCsv(out.str()),
            (std::vector<CsvRecord>{{"CODART", "NOTE, BREVI"},
                                    {"A1", "riga 1\r\nriga 2; \"citata\", fine"},
                                    {"  B2", std::nullopt},
                                    {"C3", ""}}))
      << "from the first row, wherever the record set stood";

  Recordset empty(nullptr, "SELECT", ResultData{data.columns, {}});
  std::ostringstream header;
  writeCsv(header, empty);
  EXPECT_EQ(header.str(), "CODART,\"NOTE, BREVI\"\r\n");
}

}  // namespace
}  // namespace platform::db

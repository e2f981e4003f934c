// Reading the CSV the programs print (RFC 4180: CR LF between records, fields quoted when they
// hold a comma, a quote or a line break), with a real parser: a quoted line break is data.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace passaggio::testing {

//! A field: nullopt for an empty unquoted field (how NULL is written), else its text.
using CsvField = std::optional<std::string>;
using CsvRecord = std::vector<CsvField>;

//! The records of `text`; blank lines (between the tables of one output) are skipped. A
//! malformed text (a stray quote) fails the running test and gives what was read before it.
//! Spreadsheet files separate fields with another `delimiter`.
std::vector<CsvRecord> readCsv(std::string_view text, unsigned char delimiter = ',');

//! One field's text, "" for NULL: for comparisons that need not tell them apart.
std::string text(const CsvField& field);

//! The value of the column `name` of `record`, by the header's names; fails the test when
//! the header has no such column.
CsvField column(const CsvRecord& header, const CsvRecord& record, std::string_view name);

}  // namespace passaggio::testing

// CSV through libcsv, strict: a quote where none may be is an error, not a guess.
#include "tests/support/csv.h"

#include <csv.h>
#include <gtest/gtest.h>

namespace passaggio::testing {
namespace {

struct Reading {
  std::vector<CsvRecord> records;
  CsvRecord current;
};

void endOfField(void* field, std::size_t size, void* data) {
  auto& reading = *static_cast<Reading*>(data);
  reading.current.push_back(field == nullptr ? CsvField() : CsvField(std::string(static_cast<char*>(field), size)));
}

void endOfRecord(int, void* data) {
  auto& reading = *static_cast<Reading*>(data);
  reading.records.push_back(std::move(reading.current));
  reading.current.clear();
}

// Leading and trailing blanks are part of a field.
int noSpace(unsigned char) { return 0; }

}  // namespace

std::vector<CsvRecord> readCsv(std::string_view text, unsigned char delimiter) {
  csv_parser parser;
  if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0) {
    ADD_FAILURE() << "libcsv does not start";
    return {};
  }
  csv_set_space_func(&parser, noSpace);
  csv_set_delim(&parser, delimiter);
  Reading reading;
  const bool parsed = csv_parse(&parser, text.data(), text.size(), endOfField, endOfRecord, &reading) == text.size() &&
                      csv_fini(&parser, endOfField, endOfRecord, &reading) == 0;
  if (!parsed) ADD_FAILURE() << "malformed CSV (" << csv_strerror(csv_error(&parser)) << "):\n" << text;
  csv_free(&parser);
  return reading.records;
}

std::string text(const CsvField& field) { return field.value_or(std::string()); }

CsvField column(const CsvRecord& header, const CsvRecord& record, std::string_view name) {
  for (std::size_t i = 0; i < header.size() && i < record.size(); ++i) {
    if (header[i] == name) return record[i];
  }
  ADD_FAILURE() << "no column " << name;
  return std::nullopt;
}

}  // namespace passaggio::testing

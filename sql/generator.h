// Generated databases for benchmarks and load tests: any number of items, validation bodies
// and fields, reproducible from a seed (the same options give the same content).
#pragma once

#include <cstdint>
#include <filesystem>

#include "sql/database_file.h"

namespace sql {

struct GeneratorOptions {
  long long items = 10000;   // items of company 1; company 2 gets one in a hundred
  int bodies = 10;           // validation bodies of company 1, 2 to 5 associations each
  int fields = 5;            // validation fields per body, at most the catalogue's readable ones
  std::uint64_t seed = 1;
};

//! What a generation wrote, and how long it took.
struct GeneratorReport {
  long long items = 0;        // both companies
  long long signOffs = 0;
  long long associations = 0;
  long long exclusions = 0;
  double fillSeconds = 0;     // rows, in one transaction on the raw handle
  double indexSeconds = 0;    // secondary indexes, through the layer
  double totalSeconds = 0;
};

//! Checks the options: a readable message for the first one out of range, or empty.
std::string validateOptions(const GeneratorOptions& options);

//! Builds a generated database at `path` (see buildDatabaseFile for `existing`). The schema
//! and the indexes are created through the layer, the rows with prepared statements on the
//! raw file; the file ends in the layer's journal mode.
GeneratorReport generateDatabase(const std::filesystem::path& path, const GeneratorOptions& options, Existing existing);

}  // namespace sql

// The translating dialect: a T-SQL batch as the console composed it, parsed once and each
// statement written for SQLite once (cached by text), whichever transport then runs the steps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/db/backend.h"
#include "platform/db/db_error.h"
#include "platform/db/tsql/translator.h"

namespace platform::db {

//! A translation failure as the error collection carries it: what, where, SQL Server's number.
DbError translationError(const tsql::TranslationError& error, std::string_view batch);

class TranslatedBatches {
 public:
  struct Entry {
    tsql::ParsedStatement parsed;
    std::optional<tsql::Statement> written;
    std::uint64_t generation = 0;
  };

  TranslatedBatches(const tsql::Catalog& catalog, const tsql::Passes& passes) : m_catalog(catalog), m_passes(passes) {}

  //! The batch's statements, parsed on first sight; throws DbError for a syntax error.
  std::vector<Entry>& parsed(std::string_view sql);
  //! The statement written for SQLite; a translation that read the catalog is written again
  //! once any statement has changed the schema since.
  const tsql::Statement& written(Entry& entry, std::string_view batch);
  //! Called after a statement that changed the schema has run.
  void schemaChanged() { ++m_generation; }
  std::uint64_t schemaGeneration() const { return m_generation; }

  //! Runs the batch's statements in order through `execute(statement, readRows)`, reading
  //! rows as `wanted` asks, adding the steps written to `translated` when given, and after a
  //! statement that changed the schema marking later translations stale and calling
  //! `onSchemaChange`.
  template <class Execute, class OnSchemaChange>
  std::vector<StatementOutcome> run(std::string_view sql, RowsWanted wanted, std::vector<std::string>* translated,
                                    Execute execute, OnSchemaChange onSchemaChange) {
    std::vector<Entry>& batch = parsed(sql);
    std::vector<StatementOutcome> outcomes;
    outcomes.reserve(batch.size());
    bool rowsTaken = false;
    for (Entry& entry : batch) {
      const tsql::Statement& statement = written(entry, sql);
      if (translated != nullptr) {
        for (const tsql::SqliteStep& step : statement.steps) translated->push_back(step.sql);
      }
      const bool readRows =
          statement.returnsRows && (wanted == RowsWanted::All || (wanted == RowsWanted::First && !rowsTaken));
      outcomes.push_back(execute(statement, readRows));
      outcomes.back().statement = statement.tsql;
      rowsTaken = rowsTaken || readRows;
      if (statement.changesSchema) {
        schemaChanged();
        onSchemaChange();
      }
    }
    return outcomes;
  }

 private:
  // Looked up by the caller's text without copying it.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  const tsql::Catalog& m_catalog;
  tsql::Passes m_passes;
  std::unordered_map<std::string, std::vector<Entry>, TextHash, std::equal_to<>> m_batches;
  std::uint64_t m_generation = 0;
};

}  // namespace platform::db

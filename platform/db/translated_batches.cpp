// The translation cache shared by every transport that runs SQLite.
#include "platform/db/translated_batches.h"

namespace platform::db {
namespace {

constexpr std::size_t kMaxCachedBatches = 4096;

}  // namespace

DbError translationError(const tsql::TranslationError& error, std::string_view batch) {
  const std::string description = std::string(error.what()) + " (riga " + std::to_string(error.line()) +
                                  ", colonna " + std::to_string(error.column()) + ")";
  return DbError({ErrorEntry{kStatementErrorNumber, description, "passaggio.db.tsql", error.nativeError(), "42000"}},
                 std::string(batch));
}

std::vector<TranslatedBatches::Entry>& TranslatedBatches::parsed(std::string_view sql) {
  auto found = m_batches.find(sql);
  if (found != m_batches.end()) return found->second;
  std::vector<Entry> batch;
  try {
    for (tsql::ParsedStatement& statement : tsql::parseBatch(sql)) batch.push_back({std::move(statement), {}, 0});
  } catch (const tsql::TranslationError& error) {
    throw translationError(error, sql);
  }
  if (m_batches.size() >= kMaxCachedBatches) m_batches.clear();
  return m_batches.emplace(std::string(sql), std::move(batch)).first->second;
}

const tsql::Statement& TranslatedBatches::written(Entry& entry, std::string_view batch) {
  const bool stale = entry.parsed.needsCatalog() && entry.generation != m_generation;
  if (!entry.written || stale) {
    try {
      entry.written = entry.parsed.translate(m_catalog, m_passes);
    } catch (const tsql::TranslationError& error) {
      throw translationError(error, batch);
    }
    entry.generation = m_generation;
  }
  return *entry.written;
}

}  // namespace platform::db

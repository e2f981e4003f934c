// The database layer's exception type.
#include "platform/db/db_error.h"

namespace platform::db {
namespace {

std::string describe(const std::vector<ErrorEntry>& errors) {
  std::string text;
  for (const ErrorEntry& entry : errors) {
    if (!text.empty()) text += "\n";
    text += entry.description;
  }
  return text.empty() ? "Errore del database" : text;
}

}  // namespace

DbError::DbError(std::vector<ErrorEntry> errors, std::string sql, std::string translated)
    : std::runtime_error(describe(errors)),
      m_errors(std::move(errors)),
      m_sql(std::move(sql)),
      m_translated(std::move(translated)) {}

DbError makeError(long number, std::string description, std::string source, long nativeError, std::string sql) {
  return DbError({ErrorEntry{number, std::move(description), std::move(source), nativeError, {}}}, std::move(sql));
}

}  // namespace platform::db

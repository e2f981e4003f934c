// Classifying exceptions as run-time errors.
#include "src/common/run_time_error.h"

#include "platform/variant/variant.h"

namespace passaggio {
namespace {

constexpr long kTypeMismatch = 13;
constexpr long kApplicationError = 5;

}  // namespace

ErrorInfo ErrorInfo::from(const std::exception& error) {
  if (const auto* raised = dynamic_cast<const RaisedError*>(&error)) return raised->info();
  ErrorInfo info;
  info.description = error.what();
  if (const auto* database = dynamic_cast<const platform::db::DbError*>(&error)) {
    const auto& entries = database->errors();
    info.number = entries.empty() ? platform::db::kStatementErrorNumber : entries.front().number;
    info.source = entries.empty() ? "passaggio.db" : entries.front().source;
    info.connectionErrors = entries;
  } else if (dynamic_cast<const platform::ConversionError*>(&error) != nullptr) {
    info.number = kTypeMismatch;
    info.source = "RUZU_PASSAGGIO";
  } else {
    info.number = kApplicationError;
    info.source = "RUZU_PASSAGGIO";
  }
  return info;
}

RaisedError::RaisedError(ErrorInfo info) : std::runtime_error(info.description), m_info(std::move(info)) {}

void RaiseAgain(const std::string& name, const std::exception& error) {
  ErrorInfo info = ErrorInfo::from(error);
  info.description = name + ":\r\n" + info.description;
  throw RaisedError(std::move(info));
}

void RaiseThrough(const std::string& name, const std::exception& error) {
  ErrorInfo info = ErrorInfo::from(error);
  info.source = name + "\r\n" + info.source;
  throw RaisedError(std::move(info));
}

}  // namespace passaggio

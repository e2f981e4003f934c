// A run-time error as the console's error display reports it: number, description and
// source, plus the statement and error collection when it came from the database.
#pragma once

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/db/db_error.h"

namespace passaggio {

struct ErrorInfo {
  long number = 0;
  std::string description;
  std::string source;
  std::vector<platform::db::ErrorEntry> connectionErrors;

  //! What an exception says, in those terms.
  static ErrorInfo from(const std::exception& error);
};

//! An error passed on by a procedure to its caller, with the procedure's name, a colon and
//! CR LF put before the description (or before the source, for the dialog's procedures).
class RaisedError : public std::runtime_error {
 public:
  explicit RaisedError(ErrorInfo info);
  const ErrorInfo& info() const { return m_info; }

 private:
  ErrorInfo m_info;
};

//! Raises `error` again as the procedure `name` passes it on: "name:" CR LF description.
[[noreturn]] void RaiseAgain(const std::string& name, const std::exception& error);

//! Passes `error` on as the dialog's procedures do: "name" CR LF before the source, so that
//! the display names the chain of procedures it went through.
[[noreturn]] void RaiseThrough(const std::string& name, const std::exception& error);

//! The object behind a reference that a step after an ignored failure may find unset: using
//! it then is run-time error 91, reported like any other, never a crash.
template <class T>
T& Set(const std::shared_ptr<T>& object) {
  if (!object) throw RaisedError(ErrorInfo{91, "Variabile oggetto o variabile del blocco With non impostata", "RUZU_PASSAGGIO", {}});
  return *object;
}

}  // namespace passaggio

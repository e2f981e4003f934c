// The error convention of every procedure: one trap per procedure, each statement one step.
// A failing step asks the error display: Retry runs the same step again, Ignore goes on
// with the next step, Abort (or any other answer) makes the procedure leave through its
// clean-up. Error-ignoring procedures skip a failing step, and the log still records it.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "platform/host/display.h"
#include "src/common/run_time_error.h"

namespace passaggio {

class ErrorTrap {
 public:
  //! Shows the error with the procedure's report name; answers 3, 4 or 5.
  using Display = std::function<int(const std::string& procedure, const ErrorInfo& error)>;

  ErrorTrap(std::string procedure, Display display)
      : m_procedure(std::move(procedure)), m_display(std::move(display)) {}

  //! Runs one statement of the procedure; false when the procedure must leave.
  template <class Statement>
  [[nodiscard]] bool step(Statement&& statement) {
    for (;;) {
      try {
        statement();
        return true;
      } catch (const std::exception& error) {
        const int answer = m_display(m_procedure, ErrorInfo::from(error));
        if (answer == platform::host::kRetry) continue;
        if (answer == platform::host::kIgnore) return true;
        return false;
      }
    }
  }

  const std::string& procedure() const { return m_procedure; }

 private:
  std::string m_procedure;
  Display m_display;
};

class IgnoringErrors {
 public:
  using Log = std::function<void(const ErrorInfo& error)>;

  explicit IgnoringErrors(Log log) : m_log(std::move(log)) {}

  //! Runs one statement; a failure is logged and skipped.
  template <class Statement>
  void step(Statement&& statement) {
    try {
      statement();
    } catch (const std::exception& error) {
      m_log(ErrorInfo::from(error));
    }
  }

 private:
  Log m_log;
};

}  // namespace passaggio

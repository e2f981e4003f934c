// Running user actions.
#include "platform/qt/user_action.h"

#include <QtGlobal>
#include <exception>

#include "platform/db/db_error.h"
#include "platform/host/display.h"

namespace platform::qt {
namespace {

// True when the user asked to run the action again.
bool failedAndRetried(const db::DbError& error, host::Display* display) {
  if (display == nullptr) {
    qWarning("%s", error.what());
    return false;
  }
  host::ErrorRequest request;
  request.procedure = "Interfaccia";
  request.style = host::style::kAbortRetryIgnore | host::style::kCritical | host::style::kDefaultButton2;
  request.description = error.what();
  request.sql = error.sql();
  request.connectionErrors = error.errors();
  if (!error.errors().empty()) {
    request.number = error.errors().front().number;
    request.source = error.errors().front().source;
  }
  return display->showError(request) == host::kRetry;
}

}  // namespace

void runReporting(const UserAction& action, host::Display* display) {
  for (;;) {
    try {
      action();
      return;
    } catch (const db::DbError& error) {
      if (!failedAndRetried(error, display)) return;
    } catch (const std::exception& error) {
      if (display == nullptr) {
        qWarning("%s", error.what());
      } else {
        display->showMessage(host::MessageRequest{error.what(), host::style::kCritical, {}});
      }
      return;
    }
  }
}

ActionRunner loggingRunner() {
  return [](const UserAction& action) { runReporting(action, nullptr); };
}

}  // namespace platform::qt

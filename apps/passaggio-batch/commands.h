// The batch host's commands: each drives the open console's controls as a user would and
// prints what the user would read. Each stops at the first error display answered abort:
// nothing more is done after it, and the command fails.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/passaggio-batch/batch_display.h"
#include "apps/passaggio-batch/headless_windows.h"
#include "platform/controls/form.h"
#include "platform/db/connection.h"
#include "platform/services/standin_host.h"

namespace passaggio::batch {

inline constexpr int kOk = 0;
inline constexpr int kError = 1;
inline constexpr int kUsage = 2;

//! Says `message` on standard error as the batch host, its values escaped.
void complain(const std::string& message);

//! The open console and what drives it.
struct Session {
  platform::controls::Form& form;
  BatchDisplay& display;
  platform::services::StandinHost& host;
  std::string connectionString;
  platform::db::Connection& console;  // the console's own connection
  HeadlessWindows& windows;

  //! Whether an error display was answered abort: the command must stop.
  bool stopped() const { return display.aborted(); }
};

//! The options of the processing commands (run, apply).
struct ProcessingOptions {
  std::optional<std::string> item;  // the console is called for this item
  bool display = false;               // the grid's texts instead of its rows
  std::vector<std::string> filters;   // CAPTION=FIRST[..SECOND], set before processing
  std::optional<std::string> output;  // run: the grid's texts to this file, for spreadsheets
};

//! The options of history.
struct HistoryOptions {
  std::optional<std::string> item;
  std::optional<std::string> user;
  std::optional<std::string> since;
  std::optional<long long> batch;
};

int whoami(Session& session);
int pages(Session& session);
int entities(Session& session, const std::vector<std::string>& arguments);
int script(Session& session, const std::string& file);
int runCommand(Session& session, const ProcessingOptions& options);
int applyCommand(Session& session, const ProcessingOptions& options);
int detailCommand(Session& session, const std::vector<std::string>& arguments, const ProcessingOptions& options);
int signoffCommand(Session& session, const std::vector<std::string>& arguments, const ProcessingOptions& options);
int historyCommand(Session& session, const HistoryOptions& options);
int undoCommand(Session& session, const std::vector<std::string>& arguments);

}  // namespace passaggio::batch

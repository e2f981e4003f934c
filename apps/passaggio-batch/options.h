// The batch host's command line: the sign-in and answering options, then COMMAND [ARGS...].
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/passaggio-batch/commands.h"

namespace passaggio::batch {

extern const char* const kUsageText;

struct Options {
  bool help = false;
  std::string database;
  std::optional<long long> company;
  std::string user;
  bool yes = false;
  int onError = 0;  // an answer of the error display; abort when not given
  std::string trace;
  std::string command;
  std::vector<std::string> arguments;
  ProcessingOptions processing;  // run and apply
  HistoryOptions history;
};

struct UsageError {
  std::string message;
};

//! Reads the command line; throws UsageError for anything it cannot take.
Options parse(int argc, const char* const* argv);

}  // namespace passaggio::batch

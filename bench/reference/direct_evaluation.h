// The verdicts of a run worked out directly: the configuration and the items read into
// memory, and the rules applied item by item in plain C++, without the working table or its
// statements. Tests compare a run with it row by row; the benchmarks time it beside a run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/db/connection.h"

namespace passaggio::direct {

//! Who runs, as the host tells it.
struct RunContext {
  long long company = 1;
  long long userId = 1;
  bool restricted = false;
  std::vector<long long> allowedStates;  // only read when restricted
};

//! One item's outcome: a verdict per body in body order (1 passes, 0 fails, 2 does not
//! apply), the state it may move to and whether the user may apply it.
struct ItemOutcome {
  std::string code;  // the item code without trailing blanks
  std::vector<int> verdicts;
  std::optional<long long> newState;
  std::optional<int> permission;
};

struct Evaluation {
  std::vector<std::string> bodyCodes;  // in body order: creation (id) order
  std::vector<ItemOutcome> items;      // every item of the company
  double readSeconds = 0;
  double computeSeconds = 0;
};

//! Reads what a run reads for every item of the company and applies the rules.
Evaluation evaluate(platform::db::Connection& connection, const RunContext& context);

//! Item codes and classification codes compare as the database does: without regard to
//! letter case (ASCII) and to trailing blanks.
std::string comparable(const std::string& code);

}  // namespace passaggio::direct

// The history of item state changes as the hosts show it, and the undo of one batch.
//
// A batch is what one apply changed: the log rows (FW10_LOGSTATI) of one console session with
// one batch number. It is named by the lowest row id among them; a row written before batches
// existed (no session) is a batch of its own, named by its id. An undo moves the items of a
// batch back through the same item-master update and change recording as an apply, so it is
// a batch itself and can be undone in turn.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/db/connection.h"

namespace platform::services {

class StandinGlobal;
class StandinChangeRecorder;

//! Which log rows to show; an empty member does not filter.
struct HistoryFilter {
  std::string item;                // item code
  std::string user;                // code of the user who made the change
  std::string since;               // YYYY-MM-DD: changes of that day and after
  std::string until;               // YYYY-MM-DD: changes up to the end of that day
  std::optional<long long> state;  // the state before or after the change
  std::optional<long long> batch;
};

//! One log row with the batch it belongs to.
struct HistoryRow {
  long long batch = 0;
  std::string when;  // YYYY-MM-DD HH:MM:SS.mmm
  std::string user;
  std::string item;
  std::optional<long long> previous;  // Null in the log: no state
  std::optional<long long> next;
  std::string description;
};

//! One batch as the history lists it: the first row's time, user and description, how many
//! rows and which moves ("20 > 30 (5), 50 > 20 (1)", the most frequent first).
struct BatchSummary {
  long long batch = 0;
  std::string when;
  std::string user;
  std::size_t items = 0;
  std::string moves;
  std::string description;
};

//! A date of the filter, YYYY-MM-DD and a real day; false for anything else.
bool isHistoryDate(const std::string& text);

//! The company's log rows that pass the filter, newest batch first, by item code within one.
//! A date that isHistoryDate refuses is std::invalid_argument.
std::vector<HistoryRow> historyRows(db::Connection& connection, long long company, const HistoryFilter& filter);

//! The batches of `rows` (as historyRows orders them), in the same order.
std::vector<BatchSummary> summariseBatches(const std::vector<HistoryRow>& rows);

//! One item of a batch as an undo finds it.
struct UndoItem {
  std::string item;
  std::optional<long long> batchState;  // the state the batch gave it
  std::optional<long long> previous;    // the state it had before: where the undo takes it
  std::optional<long long> current;     // its state now
  bool exists = true;                   // the item is still in the item master
  std::string skipped;                  // why the undo leaves it alone; empty when it moves
};

//! The states a user may set: nullopt when every state.
using AssignableStates = std::optional<std::set<long long>>;

//! Why an undo leaves `item` alone, or empty when it moves it back.
std::string undoRefusal(const UndoItem& item, const AssignableStates& states);

struct UndoPlan {
  long long batch = 0;
  std::vector<UndoItem> items;  // by item code

  std::size_t moving() const;
  std::size_t skipped() const { return items.size() - moving(); }
  //! The question put to the user before the undo.
  std::string question() const;
};

//! What the undo of `batch` of the company would do now. A batch that does not exist (no
//! batch is named so) is std::invalid_argument.
UndoPlan planUndo(db::Connection& connection, long long company, long long batch, const AssignableStates& states);

struct UndoOutcome {
  std::size_t moved = 0;
  std::optional<long long> batch;  // the undo's own batch, when its changes were recorded
};

//! Carries the plan out on `connection`, which must record state changes (a console's
//! connection, see state_change_log.h): moves the planned items that are still in the
//! batch's state back, records each change through `recorder` as an apply does, and sets
//! back the sign-offs of the items it moves to a lower state. Database failures are raised.
UndoOutcome executeUndo(const std::shared_ptr<db::Connection>& connection, StandinChangeRecorder& recorder,
                        long long company, const UndoPlan& plan);

//! The states the signed-in user may set, as the item-state service tells them.
AssignableStates assignableStates(StandinGlobal& global, const std::shared_ptr<db::Connection>& connection);

}  // namespace platform::services

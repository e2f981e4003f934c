// A set of row ids is the ids in increasing order, passed from the aggregate to the
// probes as a pointer value: SQLite copies a BLOB held by a subquery's result for every row it
// is passed to a function, which for a million ids costs more than the set saves. A probe is a
// binary search. The set lives as long as the statement's register holding it.
#include "platform/db/sqlite/sqlite_row_sets.h"

#include <sqlite3.h>

#include <algorithm>
#include <new>
#include <vector>

namespace platform::db::sqlite {
namespace {

using Ids = std::vector<sqlite3_int64>;

constexpr const char* kPointerType = "passaggio_rowidset";

void deleteIds(void* ids) { delete static_cast<Ids*>(ids); }

// The aggregate's ids so far, in the context SQLite keeps for it.
Ids* collected(sqlite3_context* context, bool create) {
  auto** slot = static_cast<Ids**>(sqlite3_aggregate_context(context, create ? sizeof(Ids*) : 0));
  if (slot == nullptr) return nullptr;
  if (*slot == nullptr && create) *slot = new (std::nothrow) Ids();
  return *slot;
}

void stepFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  Ids* ids = collected(context, true);
  if (ids == nullptr) {
    sqlite3_result_error_nomem(context);
    return;
  }
  try {
    ids->push_back(sqlite3_value_int64(argv[0]));
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(context);
  }
}

void finalFunction(sqlite3_context* context) {
  Ids* ids = collected(context, false);
  if (ids == nullptr) ids = new (std::nothrow) Ids();
  if (ids == nullptr) {
    sqlite3_result_error_nomem(context);
    return;
  }
  std::sort(ids->begin(), ids->end());
  sqlite3_result_pointer(context, ids, kPointerType, deleteIds);
}

void inSetFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  const auto* ids = static_cast<const Ids*>(sqlite3_value_pointer(argv[0], kPointerType));
  if (ids == nullptr) {
    // Not a set made by rowidset in this statement: no answer would be right.
    sqlite3_result_error(context, "inrowidset: the first argument is not a set of row ids", -1);
    return;
  }
  if (sqlite3_value_type(argv[1]) == SQLITE_NULL) return;
  sqlite3_result_int(context, std::binary_search(ids->begin(), ids->end(), sqlite3_value_int64(argv[1])) ? 1 : 0);
}

}  // namespace

int registerRowSetFunctions(sqlite3* db) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = sqlite3_create_function(db, "rowidset", 1, kFlags, nullptr, nullptr, stepFunction, finalFunction);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "inrowidset", 2, kFlags, nullptr, inSetFunction, nullptr, nullptr);
  return rc;
}

}  // namespace platform::db::sqlite

// Walking a record set under a procedure's error trap: the move to the first row, the work on
// each row and each move to the next are steps of the trap.
#pragma once

#include <memory>

#include "platform/db/recordset.h"
#include "src/common/error_trap.h"
#include "src/common/run_time_error.h"

namespace passaggio {

//! Calls `row` on each row of `rows`, from the first; `row` answers false when the procedure
//! must leave. False when the procedure must leave.
template <class Row>
bool forEachRow(ErrorTrap& trap, const std::shared_ptr<platform::db::Recordset>& rows, Row&& row) {
  bool more = false;
  if (!trap.step([&] {
        if (Set(rows).RecordCount() > 0) rows->MoveFirst();
        more = !rows->Eof();
      })) {
    return false;
  }
  while (more) {
    if (!row()) return false;
    if (!trap.step([&] {
          rows->MoveNext();
          more = !rows->Eof();
        })) {
      return false;
    }
  }
  return true;
}

}  // namespace passaggio

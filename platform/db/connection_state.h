// What a connection and the record sets it handed out share: the open backend, the error
// collection and the test hook. Internal to the database layer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/backend.h"
#include "platform/db/db_error.h"
#include "platform/db/trace.h"

namespace platform::db {

class Connection;

struct ConnectionState {
  std::unique_ptr<Backend> backend;
  std::string connectionString;
  std::string dialect;
  std::vector<ErrorEntry> errors;
  int faultCountdown = 0;
  std::string faultDescription;
  bool faultStops = false;  // the fault stops the process instead of failing the statement
  std::unique_ptr<Tracer> tracer;  // set when statements are traced
  std::function<void()> afterStatement;
  std::function<void(Connection&)> onConnect;

  //! Runs through the backend, keeping the error collection (cleared at the start, filled
  //! from any DbError, which is raised again) and the trace; tells afterStatement when done,
  //! failed or not.
  std::vector<StatementOutcome> run(std::string_view sql, RowsWanted wanted);
  std::vector<Variant> applyChanges(const BatchChanges& changes);
};

}  // namespace platform::db

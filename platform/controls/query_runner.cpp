// How look-up and decode controls run their queries.
#include "platform/controls/query_runner.h"

#include "platform/db/connection.h"

namespace platform::controls {

QueryRunner queryRunnerFor(db::Connection& connection) {
  return [&connection](const std::string& sql, const std::string&) { return connection.Open(sql); };
}

}  // namespace platform::controls

// How look-up and decode controls run the query text an event handed back. The host's
// controls open their own connection from the connection string; ours run the text through
// a function the owner gives, usually one that runs it on the console's own connection.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/db/recordset.h"

namespace platform::db {
class Connection;
}

namespace platform::controls {

//! Runs `sql`; `connectionString` is the one the event handler handed back.
using QueryRunner =
    std::function<std::shared_ptr<db::Recordset>(const std::string& sql, const std::string& connectionString)>;

//! A runner that sends every query to `connection`, whatever connection string came back.
//! The connection must outlive the runner.
QueryRunner queryRunnerFor(db::Connection& connection);

}  // namespace platform::controls

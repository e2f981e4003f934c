// The log of item state changes (FW10_LOGSTATI) as the database keeps it: on every connection
// the host makes for a console, the database itself writes one log row for each item-master
// row whose state really changes, in the same statement as the change, with the state before
// and after. So no change is ever without its row and no row without its change, whatever
// stops the program, and nothing the console sends has to change.
#pragma once

#include <memory>
#include <string>

#include "platform/db/connection.h"

namespace platform::services {

//! The connection's session: who signed in, the token the connection's rows carry
//! (FW10_SESSIONE) and the batch (FW10_LOTTO) the next item-master update writes.
inline constexpr const char* kSessionTable = "#PASSAGGIO_SESSIONE";

//! Sets the recording up on a connection just opened: the session table and the trigger,
//! which writes only while `records` (the company's setting) holds. A database written by an
//! earlier version gets the log's session and batch columns. On a server (the T-SQL dialect)
//! the trigger is the database's own: only the session table is made.
void installStateChangeLog(db::Connection& connection, long long userId, bool records);
//! The server's trigger that writes the log, for the administrator to create once: for every
//! item-master row whose state changes, a row with the session of the connection that
//! changed it, when that connection is a console's (its session table exists) and records.
std::string serverStateChangeLogDdl();

//! Turns the recording on the connection on or off.
void setStateChangeRecording(db::Connection& connection, bool records);

//! Ends the connection's current batch: the rows written so far keep it, the next
//! item-master update writes the next one. The statement runs on the connection.
void closeBatch(db::Connection& connection);

//! The condition that picks the log rows of the batch closed last on the connection.
std::string lastBatchCondition();

//! Every log row written through the connection, oldest first.
std::shared_ptr<db::Recordset> sessionChanges(db::Connection& connection);

}  // namespace platform::services

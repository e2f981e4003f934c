// The database-kept log of item state changes.
#include "platform/services/state_change_log.h"

#include <iterator>

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/services/utility.h"

namespace platform::services {
namespace {

// Columns of the log added after its first version.
constexpr const char* kSessionColumns[][2] = {{"FW10_SESSIONE", "VARCHAR(40) NULL"}, {"FW10_LOTTO", "INT NULL"}};

// True when the log has its session and batch columns, adding what is missing where the
// file may be written.
bool hasSessionColumns(db::Connection& connection) {
  const auto present = connection.ExecuteNative(
      "SELECT upper(name) FROM pragma_table_info('FW10_LOGSTATI') "
      "WHERE upper(name) IN ('FW10_SESSIONE', 'FW10_LOTTO')");
  if (present.size() == std::size(kSessionColumns)) return true;
  if (connection.IsReadOnly()) return false;
  for (const auto& [name, type] : kSessionColumns) {
    bool found = false;
    for (const auto& row : present) found = found || row.at(0) == name;
    if (!found) connection.ExecuteNative(std::string("ALTER TABLE FW10_LOGSTATI ADD COLUMN ") + name + " " + type);
  }
  return true;
}

std::string sessionTable() { return std::string("temp.\"") + kSessionTable + "\""; }

bool onServer(const db::Connection& connection) { return connection.Dialect() == "tsql"; }

// On a server the log's trigger is the database's own (serverStateChangeLogDdl, created once
// by the administrator): the connection only makes the session table the trigger reads.
void installOnServer(db::Connection& connection, long long userId, bool records) {
  connection.ExecuteNative(std::string("CREATE TABLE ") + kSessionTable +
                           " (UTENTE INT NULL, SESSIONE VARCHAR(40) NOT NULL, LOTTO INT NOT NULL, REGISTRA INT NOT NULL)");
  connection.ExecuteNative(std::string("INSERT INTO ") + kSessionTable + " VALUES (" + std::to_string(userId) + ", " +
                           db::quoteLiteral(uniqueToken()) + ", 1, " + (records ? "1" : "0") + ")");
}

}  // namespace

std::string serverStateChangeLogDdl() {
  return std::string(
             "CREATE TRIGGER PASSAGGIO_LOG_STATI ON MG66_ANAGRART AFTER UPDATE AS\r\n"
             "BEGIN\r\n"
             "  SET NOCOUNT ON;\r\n"
             "  IF NOT UPDATE(MG66_INDSTATO_MG6W) OR OBJECT_ID('tempdb..") +
         kSessionTable +
         "') IS NULL RETURN;\r\n"
         "  INSERT INTO FW10_LOGSTATI (FW10_DITTA_CG18, FW10_CODART_MG66, FW10_STATOPREC, FW10_STATONUOVO,\r\n"
         "    FW10_ID_FW07, FW10_DATAORA, FW10_SESSIONE, FW10_LOTTO)\r\n"
         "  SELECT i.MG66_DITTA_CG18, i.MG66_CODART, d.MG66_INDSTATO_MG6W, i.MG66_INDSTATO_MG6W,\r\n"
         "    s.UTENTE, GETDATE(), s.SESSIONE, s.LOTTO\r\n"
         "  FROM inserted i\r\n"
         "  JOIN deleted d ON d.MG66_DITTA_CG18 = i.MG66_DITTA_CG18 AND d.MG66_CODART = i.MG66_CODART\r\n"
         "  CROSS JOIN " +
         kSessionTable +
         " s\r\n"
         "  WHERE s.REGISTRA = 1\r\n"
         "    AND (i.MG66_INDSTATO_MG6W <> d.MG66_INDSTATO_MG6W\r\n"
         "      OR (i.MG66_INDSTATO_MG6W IS NULL AND d.MG66_INDSTATO_MG6W IS NOT NULL)\r\n"
         "      OR (i.MG66_INDSTATO_MG6W IS NOT NULL AND d.MG66_INDSTATO_MG6W IS NULL));\r\n"
         "END\r\n";
}

void installStateChangeLog(db::Connection& connection, long long userId, bool records) {
  if (onServer(connection)) return installOnServer(connection, userId, records);
  connection.ExecuteNative("CREATE TEMP TABLE " + sessionTable() +
                           " (UTENTE INTEGER, SESSIONE TEXT NOT NULL, LOTTO INTEGER NOT NULL, REGISTRA INTEGER NOT NULL)");
  connection.ExecuteNative("INSERT INTO " + sessionTable() + " VALUES (" + std::to_string(userId) + ", " +
                           db::quoteLiteral(uniqueToken()) + ", 1, " + (records ? "1" : "0") + ")");
  // A file of an earlier version that may not be written cannot change states either.
  if (!hasSessionColumns(connection)) return;
  // A temporary trigger lives with the connection: only what the console's connection
  // changes is written, by this user, under this session. The time is taken as the
  // statements' GETDATE() takes it.
  connection.ExecuteNative(
      "CREATE TEMP TRIGGER passaggio_log_stati AFTER UPDATE OF MG66_INDSTATO_MG6W ON main.MG66_ANAGRART "
      "FOR EACH ROW WHEN OLD.MG66_INDSTATO_MG6W IS NOT NEW.MG66_INDSTATO_MG6W BEGIN "
      "INSERT INTO FW10_LOGSTATI (FW10_DITTA_CG18, FW10_CODART_MG66, FW10_STATOPREC, FW10_STATONUOVO, "
      "FW10_ID_FW07, FW10_DATAORA, FW10_SESSIONE, FW10_LOTTO) "
      "SELECT NEW.MG66_DITTA_CG18, NEW.MG66_CODART, OLD.MG66_INDSTATO_MG6W, NEW.MG66_INDSTATO_MG6W, UTENTE, "
      "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime'), SESSIONE, LOTTO FROM \"" +
      std::string(kSessionTable) + "\" WHERE REGISTRA = 1; END");
}

void setStateChangeRecording(db::Connection& connection, bool records) {
  connection.ExecuteNative("UPDATE " + (onServer(connection) ? std::string(kSessionTable) : sessionTable()) +
                           " SET REGISTRA = " + (records ? "1" : "0"));
}

void closeBatch(db::Connection& connection) {
  connection.Execute(std::string("UPDATE ") + kSessionTable + " SET LOTTO = LOTTO + 1");
}

std::string lastBatchCondition() {
  return std::string("FW10_SESSIONE = (SELECT SESSIONE FROM ") + kSessionTable +
         ") AND FW10_LOTTO = (SELECT LOTTO - 1 FROM " + kSessionTable + ")";
}

std::shared_ptr<db::Recordset> sessionChanges(db::Connection& connection) {
  return connection.Open(std::string("SELECT * FROM FW10_LOGSTATI WHERE FW10_SESSIONE = (SELECT SESSIONE FROM ") +
                         kSessionTable + ") ORDER BY FW10_ID");
}

}  // namespace platform::services

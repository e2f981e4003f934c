// The change-record object.
#include "platform/services/change_recorder.h"

#include <stdexcept>

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/host/cinterface.h"
#include "platform/services/global.h"
#include "platform/text/ascii.h"
#include "platform/services/state_change_log.h"

namespace platform::services {

StandinChangeRecorder::StandinChangeRecorder(std::shared_ptr<StandinGlobal> global, RecorderSettings settings)
    : m_global(std::move(global)), m_settings(settings) {}

void StandinChangeRecorder::Initialise(std::shared_ptr<host::Cinterface>& host, int kind,
                                       const std::string& /*text*/, int /*flags*/) {
  m_kind = kind;
  auto connection = host ? host->GetConnection() : nullptr;
  if (!connection) throw std::invalid_argument("l'interfaccia dell'ospite non ha una connessione al database");
  InitialiseOn(std::move(connection));
}

void StandinChangeRecorder::InitialiseOn(std::shared_ptr<db::Connection> connection) {
  m_connection = std::move(connection);
  closeBatch(*m_connection);
  m_initialised = true;
}

std::string StandinChangeRecorder::ColumnList() { return "MG66_DITTA_CG18 , MG66_CODART , MG66_INDSTATO_MG6W"; }

void StandinChangeRecorder::Record(db::Recordset& row, int /*flags*/, bool /*now*/) {
  if (!m_initialised) throw std::logic_error("l'oggetto di registrazione delle modifiche non è stato inizializzato");
  if (m_settings.status == 1 || !m_settings.recordsChanges || !m_settings.recordsStates) return;
  if (!m_enabled || !m_recording) return;
  if (row.Eof() || row.Bof()) throw std::invalid_argument("nessuna riga dell'anagrafica articoli da registrare");

  const std::string item(platform::text::trimRight(row.Field("MG66_CODART").toText()));
  const long long company =
      row.HasField("MG66_DITTA_CG18") ? row.Field("MG66_DITTA_CG18").toInteger() : m_global->companyCode();
  const Variant newState = row.HasField("MG66_INDSTATO_MG6W") ? row.Field("MG66_INDSTATO_MG6W") : Variant::null();

  std::string values;
  for (std::size_t i = 0; i < row.FieldCount(); ++i) {
    if (i) values += ";";
    values += row.Column(i).name + "=" + std::string(platform::text::trimRight(row.Field(i).toText()));
  }

  // The row holds the state after the update; a log row with another new state records a
  // change this batch did not make.
  const std::string state = newState.isNull() || newState.isEmpty()
                                ? "FW10_STATONUOVO IS NULL"
                                : "FW10_STATONUOVO = " + std::to_string(newState.toInteger());
  m_connection->Execute("UPDATE FW10_LOGSTATI SET FW10_DESCRIZIONE = " + db::quoteLiteral(m_description) +
                        ", FW10_VALORI = " + db::quoteLiteral(values) + " WHERE " + lastBatchCondition() +
                        " AND FW10_DITTA_CG18 = " + std::to_string(company) + " AND FW10_CODART_MG66 = " +
                        db::quoteLiteral(item) + " AND " + state);
}

}  // namespace platform::services

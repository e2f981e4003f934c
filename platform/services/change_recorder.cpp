// The change-record object.
#include "platform/services/change_recorder.h"

#include <stdexcept>

#include "platform/db/recordset.h"
#include "platform/services/global.h"
#include "platform/services/quoting.h"

namespace platform::services {
namespace {

std::string numberOrNull(const Variant& value) {
  if (value.isNull() || value.isEmpty()) return "NULL";
  return std::to_string(value.toInteger());
}

}  // namespace

StandinChangeRecorder::StandinChangeRecorder(std::shared_ptr<StandinGlobal> global, RecorderSettings settings)
    : m_global(std::move(global)), m_settings(settings) {}

void StandinChangeRecorder::Initialise(std::shared_ptr<host::Cinterface>& /*host*/, int kind,
                                       const std::string& /*text*/, int /*flags*/) {
  m_kind = kind;
  m_initialised = true;
}

std::string StandinChangeRecorder::ColumnList() { return "MG66_DITTA_CG18 , MG66_CODART , MG66_INDSTATO_MG6W"; }

void StandinChangeRecorder::Record(db::Recordset& row, int /*flags*/, bool /*now*/) {
  if (!m_initialised) throw std::logic_error("l'oggetto di registrazione delle modifiche non è stato inizializzato");
  if (m_settings.status == 1 || !m_settings.recordsChanges || !m_settings.recordsStates) return;
  if (!m_enabled || !m_recording) return;
  if (row.Eof() || row.Bof()) throw std::invalid_argument("nessuna riga dell'anagrafica articoli da registrare");

  const std::string item = trimRight(row.Field("MG66_CODART").toText());
  const long long company =
      row.HasField("MG66_DITTA_CG18") ? row.Field("MG66_DITTA_CG18").toInteger() : m_global->companyCode();
  const Variant newState = row.HasField("MG66_INDSTATO_MG6W") ? row.Field("MG66_INDSTATO_MG6W") : Variant::null();

  std::string values;
  for (std::size_t i = 0; i < row.FieldCount(); ++i) {
    if (i) values += ";";
    values += row.Column(i).name + "=" + trimRight(row.Field(i).toText());
  }

  db::Connection& database = m_global->database();
  auto latest = database.Open("SELECT TOP 1 FW10_STATONUOVO FROM FW10_LOGSTATI WHERE FW10_DITTA_CG18 = " +
                              std::to_string(company) + " AND FW10_CODART_MG66 = " + sqlQuote(item) +
                              " ORDER BY FW10_ID DESC");
  const Variant previous = latest->Eof() ? Variant::null() : latest->Field(0);

  database.Execute(
      "INSERT INTO FW10_LOGSTATI (FW10_DITTA_CG18, FW10_CODART_MG66, FW10_STATOPREC, FW10_STATONUOVO, FW10_ID_FW07, "
      "FW10_DATAORA, FW10_DESCRIZIONE, FW10_VALORI) VALUES (" +
      std::to_string(company) + ", " + sqlQuote(item) + ", " + numberOrNull(previous) + ", " + numberOrNull(newState) +
      ", " + std::to_string(m_global->CurrentUser().id) + ", GETDATE(), " + sqlQuote(m_description) + ", " +
      sqlQuote(values) + ")");
  ++m_written;
}

}  // namespace platform::services

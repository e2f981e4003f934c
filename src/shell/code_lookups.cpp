// The four look-ups that turn a row identifier into its code.
#include "src/common/default_se_vuoto.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {

std::string FRMMG_PASSAGGIO::CodeById(const char* procedure, const std::string& head, const std::string& where,
                                      const platform::Variant& id, const char* column) {
  std::string result;
  ErrorTrap trap = Trap(procedure);
  std::shared_ptr<platform::db::Recordset> rows;
  if (!trap.step([&] { m_sql = head + where + DefaultSeVuoto(id, 0).toText() + " "; })) return result;
  if (!trap.step([&] { rows = Db().Open(m_sql); })) return result;
  if (!trap.step([&] {
        if (!Set(rows).Eof()) result = DefaultSeVuoto(rows->Field(column), "").toText();
      })) {
    return result;
  }
  return result;
}

std::string FRMMG_PASSAGGIO::Codice_Utente_DaID(const platform::Variant& id) {
  return CodeById("Codice_Utente_DaID", "SELECT FW07_CODICE FROM FW07_APPUSER WITH (NOLOCK) ", "WHERE FW07_ID = ", id,
                  "FW07_CODICE");
}

std::string FRMMG_PASSAGGIO::Codice_Gruppo_DaID(const platform::Variant& id) {
  return CodeById("Codice_Gruppo_DaID", "SELECT * FROM FW06_GROUPUSR WITH (NOLOCK) ", "WHERE FW06_ID = ", id,
                  "FW06_CODICE");
}

std::string FRMMG_PASSAGGIO::Codice_Campo_DaID(const platform::Variant& id) {
  return CodeById("Codice_Campo_DaID", "SELECT MG0O_CAMPO FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ", "WHERE MG0O_ID = ",
                  id, "MG0O_CAMPO");
}

std::string FRMMG_PASSAGGIO::Codice_Entita_DaID(const platform::Variant& id) {
  return CodeById("Codice_Entita_DaID", "SELECT MG0M_ARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) ",
                  "WHERE MG0M_ID = ", id, "MG0M_ARGOMENTO");
}

}  // namespace passaggio

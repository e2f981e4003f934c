// The rules of the validation-body fields editor: no field of a body changes while items of
// the body are pending (signed off in part, not yet moved on), and every new field row gets
// its grid key.
#include "platform/controls/edit_field.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/row_key.h"
#include "src/common/sql_text.h"
#include "src/config/body_fields_statements.h"
#include "src/config/editor_support.h"
#include "src/processing/run_statements.h"

namespace passaggio {
namespace {

using platform::Variant;
namespace s = body_fields_statements;

// The chosen body's code, as its field shows it.
std::string ChosenBodyCode(FRMMG_PASSAGGIO& form) {
  return DefaultSeVuoto(Variant(form.Controls().get<platform::controls::EditField>("TXT_ARGOMENTO").text()), "")
      .toText();
}

// The refusal while items are pending, naming the body.
void RefusePending(FRMMG_PASSAGGIO& form) {
  ShowRefusal(form, std::string(s::kPendingMessageHead) + ChosenBodyCode(form) + std::string(s::kPendingMessageTail));
}

}  // namespace

void FRMMG_PASSAGGIO::FME_Campi_Argomenti_BeforeUpdate(bool& cancel) {
  ErrorTrap trap = Trap("FME_Campi_Argomenti_BeforeUpdate");
  cancel = false;
  // A rule that could not be checked keeps the row from being saved: refusing is the safe side.
  const auto leave = [&] { cancel = true; };
  bool pending = true;
  if (!trap.step([&] { pending = ArticoliPending(m_currentBodyId); })) return leave();
  if (pending) {
    RefusePending(*this);
    return leave();
  }
  const auto& rows = m_fmeCampiArgomenti.recordset();
  if (m_fmeCampiArgomenti.status() == platform::controls::RecordEditor::kStatusNew) {
    std::shared_ptr<platform::db::Recordset> largest;
    if (!trap.step([&] { m_sql = std::string(s::kLargestId); })) return leave();
    if (!trap.step([&] { largest = Db().Open(m_sql); })) return leave();
    if (!trap.step([&] {
          Set(rows).SetField("MG0P_KEY_GRID", Variant(largest->Eof() ? RowKey(1)
                                                                      : RowKey(largest->Field("MAX_ID").toInteger() + 1)));
        })) {
      return leave();
    }
  }
  if (!trap.step([&] { Set(rows).SetField("MG0P_ARGOMENTO_MG0M", m_currentBodyId); })) return leave();
}

void FRMMG_PASSAGGIO::FME_Campi_Argomenti_BeforeDelete(bool& cancel) {
  ErrorTrap trap = Trap("FME_Campi_Argomenti_BeforeDelete");
  cancel = false;
  bool pending = true;
  if (!trap.step([&] { pending = ArticoliPending(m_currentBodyId); })) {
    cancel = true;
    return;
  }
  if (pending) {
    RefusePending(*this);
    cancel = true;
  }
}

bool FRMMG_PASSAGGIO::ArticoliPending(const Variant& bodyId) {
  ErrorTrap trap = Trap("ArticoliPending");
  bool pending = false;
  if (!trap.step([&] { m_sql = sql::Fill(run_statements::kManagedEntities, {{"<K>", m_company.toText()}}); })) {
    return pending;
  }
  if (!trap.step([&] { m_managedEntities = Db().Open(m_sql); })) return pending;
  bool none = true;
  if (!trap.step([&] { none = m_managedEntities->RecordCount() == 0; })) return pending;
  if (none) return pending;
  std::shared_ptr<platform::db::Recordset> item;
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kPendingItem, {{"<K>", m_company.toText()},
                                            {"<B>", bodyId.toText()},
                                            {"<MATCH>", CondizioniEntita_Anagrafica()},
                                            {"<C>", sql::Quoted(ChosenBodyCode(*this))}});
      })) {
    return pending;
  }
  if (!trap.step([&] { item = Db().Open(m_sql); })) return pending;
  if (!trap.step([&] { pending = !item->Eof(); })) return pending;
  return pending;
}

bool FRMMG_PASSAGGIO::IsCampoNumerico(const Variant& fieldId) {
  try {
    m_sql = sql::Fill(s::kIsNumeric, {{"<ID>", DefaultSeVuoto(fieldId, 0).toText()}});
    const auto rows = Db().Open(m_sql);
    const bool numeric = !rows->Eof() && DefaultSeVuoto(rows->Field("MG0O_ISNUMERICO"), 0).toDouble() == 1;
    rows->Close();
    return numeric;
  } catch (const std::exception& error) {
    RaiseAgain("IsCampoNumerico", error);
  }
}

}  // namespace passaggio

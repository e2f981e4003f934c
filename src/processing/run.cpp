// A run of the console: the item working table built from the selected items, checked by
// every validation body, and shown on the results page; and the way back to the parameters.
#include "platform/controls/button.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/host/clsmg_passaggio.h"
#include "src/processing/processing_sql.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using namespace platform::controls;
namespace q = processing_sql;

constexpr int kWarning = 48;   // exclamation icon, OK only
constexpr int kYesNo = 4;
constexpr int kYes = 6;

constexpr const char* kNoManagedEntity = "Nessuna entità gestita.";
constexpr const char* kNoBody = "Nessun ente validazione definito.";
constexpr const char* kNoItem = "Nessun dato da visualizzare.";
constexpr const char* kSaveSignOffs = "Salvare le modifiche effettuate sui visti?";

std::string replaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = text.find(placeholder); at != std::string_view::npos; at = text.find(placeholder, from)) {
    result.append(text.substr(from, at - from)).append(value);
    from = at + placeholder.size();
  }
  return result.append(text.substr(from));
}

}  // namespace

void FRMMG_PASSAGGIO::WireProcessing() {
  m_form.get<Button>("CMD_ELABORA").onClick.connect([this] { CMD_ELABORA_ButtonClick(); });
  m_form.get<Button>("CMD_PARAM").onClick.connect([this] { CMD_PARAM_ButtonClick(); });
  m_form.get<Button>("CMD_AGGSTATI").onClick.connect([this] { CMD_AGGSTATI_ButtonClick(); });
}

void FRMMG_PASSAGGIO::CMD_ELABORA_ButtonClick() {
  ErrorTrap trap = Trap("CMD_ELABORA_ButtonClick");
  const ProgressReport progress;
  const std::string company = m_company.toText();

  if (!trap.step([&] {
        m_sql = std::string(q::kManagedEntities) + company + " " + std::string(q::kManagedEntitiesSelected);
        m_managedEntities = Db().Open(m_sql);
      })) {
    return;
  }
  bool stop = false;
  if (!trap.step([&] { stop = Set(m_managedEntities).RecordCount() == 0; })) return;
  if (stop) {
    MessaggioUtente(kNoManagedEntity, kWarning, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] {
        m_sql = std::string(q::kBodies) + company + " ";
        m_bodies = Db().Open(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { stop = Set(m_bodies).RecordCount() == 0; })) return;
  if (stop) {
    MessaggioUtente(kNoBody, kWarning, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] {
        if (!m_utility) m_utility = Global()->Objects()->NewUtility();
        m_itemTable = std::string(q::kItemTablePrefix) + m_utility->Suffix();
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = replaceAll(q::kDropTemplate, q::kTableNamePlaceholder, m_itemTable);
        Db().Execute(m_sql);
      })) {
    return;
  }

  if (!trap.step([&] {
        m_sql = "CREATE TABLE " + m_itemTable + std::string(q::kCreateHead) + std::string(q::kCreateFixedColumns);
        auto& bodies = Set(m_bodies);
        if (bodies.RecordCount() > 0) bodies.MoveFirst();
        for (; !bodies.Eof(); bodies.MoveNext()) {
          m_sql += std::string(q::kCreateBodyColumnHead) + SqlName(DefaultSeVuoto(bodies.Field("MG0M_ARGOMENTO"), "").toText()) +
                   std::string(q::kCreateBodyColumnTail);
        }
        m_sql += q::kCreateTail;
        Db().Execute(m_sql);
      })) {
    return;
  }

  long long inserted = 0;
  progress.step("Caricamento degli articoli...");
  if (!trap.step([&] {
        m_sql = "INSERT INTO " + m_itemTable + std::string(q::kFillColumns) + std::string(q::kFillSelect) + company +
                " ";
        if (m_host->GetIsCalled()) {
          const auto owner = m_owner.lock();
          const platform::Variant code = owner ? owner->GetProperty("CodiceArticolo") : platform::Variant();
          m_sql += std::string(q::kFillOneItem) + SqlCode(DefaultSeVuoto(code, "").toText()) + "' ";
        } else {
          auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
          // The filter's entries are asked for and let go; only its condition text counts.
          { [[maybe_unused]] const std::vector<QueryField> entries = filter.entries(); }
          if (!filter.conditionText().empty()) m_sql += " " + filter.conditionText();
        }
        inserted = Db().Execute(m_sql);
      })) {
    return;
  }
  if (inserted == 0) {
    MessaggioUtente(kNoItem, kWarning, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] { m_currentItemId = 0; })) return;
  if (!trap.step([&] { ElaboraTabellaArticoli_SettaArgomentiOK(); })) return;
  progress.step("Lettura dei risultati...");
  if (!trap.step([&] {
        m_sql = "SELECT * FROM " + m_itemTable + " " + "WHERE (" + m_displayCondition + ") " + "ORDER BY CODART ";
        m_items = Db().Open(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { m_form.get<Grid>("GRD_ARTICOLI").setDataSource(m_items); })) return;
  if (!trap.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ").setVisible(false); })) return;
  if (!trap.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ_RIS").setVisible(true); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_ELABORA").setEnabled(false); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_PARAM").setEnabled(true); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_AGGSTATI").setEnabled(true); })) return;
}

void FRMMG_PASSAGGIO::CMD_PARAM_ButtonClick() {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    if (!m_signOffsChanged) return;
    if (MessaggioUtente(kSaveSignOffs, kYesNo, platform::Variant(Caption()), "") == kYes) AggiornaVisti();
  });
  steps.step([&] { m_signOffsChanged = false; });
  steps.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ").setVisible(true); });
  steps.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ_RIS").setVisible(false); });
  steps.step([&] { m_form.get<Button>("CMD_ELABORA").setEnabled(true); });
  steps.step([&] { m_form.get<Button>("CMD_PARAM").setEnabled(false); });
  steps.step([&] { m_form.get<Button>("CMD_AGGSTATI").setEnabled(false); });
}

}  // namespace passaggio

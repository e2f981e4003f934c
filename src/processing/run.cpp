// A run of the console: the item working table built from the selected items, checked by
// every validation body, and shown on the results page; and the way back to the parameters.
#include "platform/controls/button.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/host/display.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/processing/run_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::host::style::kExclamation;
namespace s = run_statements;

constexpr const char* kNoManagedEntity = "Nessuna entità gestita.";
constexpr const char* kNoBody = "Nessun ente validazione definito.";
constexpr const char* kNoItem = "Nessun dato da visualizzare.";

}  // namespace

void FRMMG_PASSAGGIO::CMD_ELABORA_ButtonClick() {
  ErrorTrap trap = Trap("CMD_ELABORA_ButtonClick");
  const ProgressReport progress;
  const std::string company = m_company.toText();

  if (!trap.step([&] {
        m_sql = sql::Fill(s::kManagedEntities, {{"<K>", company}});
        m_managedEntities = Db().Open(m_sql);
      })) {
    return;
  }
  bool stop = false;
  if (!trap.step([&] { stop = Set(m_managedEntities).RecordCount() == 0; })) return;
  if (stop) {
    MessaggioUtente(kNoManagedEntity, kExclamation, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] {
        m_sql = sql::Fill(s::kBodies, {{"<K>", company}});
        m_bodies = Db().Open(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { stop = Set(m_bodies).RecordCount() == 0; })) return;
  if (stop) {
    MessaggioUtente(kNoBody, kExclamation, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] {
        if (!m_utility) m_utility = Global()->Objects()->NewUtility();
        m_itemTable = std::string(s::kItemTablePrefix) + m_utility->Suffix();
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::DropTable(m_itemTable);
        Db().Execute(m_sql);
      })) {
    return;
  }

  if (!trap.step([&] {
        std::string columns;
        auto& bodies = Set(m_bodies);
        if (bodies.RecordCount() > 0) bodies.MoveFirst();
        for (; !bodies.Eof(); bodies.MoveNext()) {
          const std::string code = DefaultSeVuoto(bodies.Field("MG0M_ARGOMENTO"), "").toText();
          columns += sql::Fill(s::kBodyColumn, {{"<C>", sql::Bracketed(code)}});
        }
        m_sql = sql::Fill(s::kCreate, {{"<T>", m_itemTable}, {"<COLUMNS>", columns}});
        Db().Execute(m_sql);
      })) {
    return;
  }

  long long inserted = 0;
  progress.step("Caricamento degli articoli...");
  if (!trap.step([&] {
        std::string selection;
        if (m_host->GetIsCalled()) {
          const auto owner = m_owner.lock();
          const platform::Variant code = owner ? owner->GetProperty("CodiceArticolo") : platform::Variant();
          selection = sql::Fill(s::kOneItem, {{"<ITEM>", sql::Quoted(DefaultSeVuoto(code, "").toText())}});
        } else {
          auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
          // The filter's entries are asked for and let go; only its condition text counts.
          { [[maybe_unused]] const std::vector<QueryField> entries = filter.entries(); }
          if (!filter.conditionText().empty()) selection = " " + filter.conditionText();
        }
        m_sql = sql::Fill(s::kFill, {{"<T>", m_itemTable}, {"<K>", company}, {"<SELECTION>", selection}});
        inserted = Db().Execute(m_sql);
      })) {
    return;
  }
  if (inserted == 0) {
    MessaggioUtente(kNoItem, kExclamation, platform::Variant(Caption()), "");
    return;
  }

  if (!trap.step([&] { m_currentItemId = 0; })) return;
  if (!trap.step([&] { ElaboraTabellaArticoli_SettaArgomentiOK(); })) return;
  progress.step("Lettura dei risultati...");
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kShownItems, {{"<T>", m_itemTable}, {"<SHOWN>", m_displayCondition}});
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
  MostraConteggiElaborazione("");
}

void FRMMG_PASSAGGIO::CMD_PARAM_ButtonClick() {
  IgnoringErrors steps = Ignoring();
  steps.step([&] { SalvaVistiSeConfermato(); });
  steps.step([&] { m_signOffsChanged = false; });
  steps.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ").setVisible(true); });
  steps.step([&] { m_form.get<Frame>("FRAME_INTERROGAZ_RIS").setVisible(false); });
  steps.step([&] { m_form.get<Button>("CMD_ELABORA").setEnabled(true); });
  steps.step([&] { m_form.get<Button>("CMD_PARAM").setEnabled(false); });
  steps.step([&] { m_form.get<Button>("CMD_AGGSTATI").setEnabled(false); });
}

}  // namespace passaggio

// The two write paths of processing: saving the sign-offs ticked for one item (then
// re-checking its row), and applying the new states to the item master, recording each
// change, withdrawing the sign-offs of items that step back, and running again.
#include <optional>

#include "platform/host/display.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/for_each_row.h"
#include "src/common/sql_text.h"
#include "src/processing/state_change_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::host::kYes;
using platform::host::style::kInformation;
using platform::host::style::kOkOnly;
using platform::host::style::kYesNo;
namespace s = state_change_statements;

constexpr const char* kSaveSignOffs = "Salvare le modifiche effettuate sui visti?";
constexpr const char* kConfirmStates = "Sei sicuro di voler aggiornare gli stati articolo?";
constexpr const char* kChangeDescription = "Modifica stato da Passaggio";

// The change-record object's initialisation values, as the host expects them.
constexpr int kRecorderKind = 6;
constexpr int kRecorderFlags = 0;
constexpr int kRecordFlags = 0;

}  // namespace

void FRMMG_PASSAGGIO::AggiornaVisti() {
  ErrorTrap trap = Trap("AggiornaVisti");
  const std::string k = m_company.toText();
  std::string item;
  Variant id;
  if (!trap.step([&] {
        item = sql::Quoted(DefaultSeVuoto(Set(m_items).Field("CODART"), 0).toText());
        id = DefaultSeVuoto(m_items->Field("ID"), 0);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kInsertSignOffs, {{"<K>", k}, {"<ITEM>", item}, {"<F>", m_fieldTable}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kUpdateSignOffs, {{"<K>", k}, {"<ITEM>", item}, {"<F>", m_fieldTable}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { m_currentItemId = id.toInteger(); })) return;
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kForgetNewState, {{"<T>", m_itemTable}, {"<ID>", id.toText()}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { ElaboraTabellaArticoli_SettaArgomentiOK(); })) return;
}

bool FRMMG_PASSAGGIO::SalvaVistiSeConfermato() {
  if (!m_signOffsChanged || MessaggioUtente(kSaveSignOffs, kYesNo, Variant(Caption()), "") != kYes) return false;
  AggiornaVisti();
  return true;
}

void FRMMG_PASSAGGIO::CMD_AGGSTATI_ButtonClick() {
  ErrorTrap trap = Trap("CMD_AGGSTATI_ButtonClick");
  const std::string k = m_company.toText();
  if (!trap.step([&] { SalvaVistiSeConfermato(); })) return;
  if (!trap.step([&] { m_signOffsChanged = false; })) return;
  // The question says how many items will move, counted from what the update reads.
  std::optional<ConteggiPassaggio> before;
  if (!trap.step([&] { before = ContaPassaggi(); })) return;
  const std::string question = before ? std::string(kConfirmStates) + "\r\n" + TestoDaCambiare(*before) : kConfirmStates;
  // Only a Yes goes on: a question that could not be asked changes nothing either.
  bool confirmed = false;
  if (!trap.step([&] { confirmed = MessaggioUtente(question, kYesNo, Variant(Caption()), "") == kYes; })) return;
  if (!confirmed) return;

  if (!trap.step([&] {
        m_sql = sql::Fill(s::kApplyStates, {{"<T>", m_itemTable}, {"<K>", k}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { RichiediPassword(); })) return;
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kWithdrawSignOffs, {{"<T>", m_itemTable}, {"<K>", k}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  // What the apply did is counted before the new run replaces the working table.
  std::optional<ConteggiPassaggio> after;
  if (!trap.step([&] { after = ContaPassaggi(); })) return;
  if (!trap.step([&] { CMD_ELABORA_ButtonClick(); })) return;
  if (!after) return;
  MostraConteggiElaborazione(TestoCambiati(*after));
  MessaggioUtente(TestoRiepilogoPassaggio(*after), kOkOnly + kInformation, Variant(Caption()), "");
}

void FRMMG_PASSAGGIO::RichiediPassword() {
  ErrorTrap trap = Trap("RichiediPassword");
  const std::string k = m_company.toText();
  std::shared_ptr<platform::host::ChangeRecorder> recorder;
  std::shared_ptr<platform::db::Recordset> items;
  std::shared_ptr<platform::db::Recordset> row;
  // Whatever way the procedure leaves, both result sets are closed and let go.
  struct CloseOnExit {
    std::shared_ptr<platform::db::Recordset>& items;
    std::shared_ptr<platform::db::Recordset>& row;
    ~CloseOnExit() {
      for (auto* rows : {&items, &row}) {
        if (*rows && (*rows)->IsOpen()) (*rows)->Close();
        rows->reset();
      }
    }
  } closeOnExit{items, row};

  if (!trap.step([&] { recorder = Global()->Objects()->NewChangeRecorder(); })) return;
  if (!trap.step([&] { Set(recorder).Initialise(m_host, kRecorderKind, "", kRecorderFlags); })) return;
  if (!trap.step([&] { Set(recorder).SetEnabled(true); })) return;
  bool record = true;
  if (!trap.step([&] { record = Set(recorder).Status() != 1; })) return;
  if (record && !trap.step([&] { record = Set(recorder).RecordsChanges(); })) return;
  if (record && !trap.step([&] { record = Set(recorder).RecordsStates(); })) return;
  if (!record) return;

  if (!trap.step([&] {
        m_sql = sql::Fill(s::kChangedItems, {{"<T>", m_itemTable}, {"<K>", k}});
        items = Db().Open(m_sql);
      })) {
    return;
  }
  forEachRow(trap, items, [&] {
    if (!trap.step([&] {
          if (row && row->IsOpen()) row->Close();
        })) {
      return false;
    }
    std::string columns;
    if (!trap.step([&] { columns = Set(recorder).ColumnList(); })) return false;
    if (!trap.step([&] {
          const std::string item = sql::Quoted(Set(m_utility).ToText(items->Field("MG66_CODART")));
          m_sql = sql::Fill(s::kChangedItem, {{"<COLUMNS>", columns}, {"<T>", m_itemTable}, {"<K>", k}, {"<ITEM>", item}});
          row = Db().Open(m_sql);
        })) {
      return false;
    }
    if (!trap.step([&] { recorder->SetRecording(true); })) return false;
    if (!trap.step([&] { recorder->SetDescription(kChangeDescription); })) return false;
    return trap.step([&] { recorder->Record(Set(row), kRecordFlags, true); });
  });
}

}  // namespace passaggio

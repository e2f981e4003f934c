// The two write paths of processing: saving the sign-offs ticked for one item (then
// re-checking its row), and applying the new states to the item master, recording each
// change, withdrawing the sign-offs of items that step back, and running again.
#include "src/common/default_se_vuoto.h"
#include "src/common/sql_text.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;

constexpr int kYesNo = 4;
constexpr int kYes = 6;
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
        item = SqlCode(DefaultSeVuoto(Set(m_items).Field("CODART"), 0).toText());
        id = DefaultSeVuoto(m_items->Field("ID"), 0);
      })) {
    return;
  }
  // A sign-off row is made the first time its field is ticked; a field listed twice (the item
  // matches two associations of its body) is inserted once.
  if (!trap.step([&] {
        m_sql = "INSERT INTO MG0R_VALIDAZMAN_PASSAGGI ( MG0R_DITTA_CG18 , MG0R_CODART_MG66 , MG0R_ARGOMENTO_MG0M , "
                "MG0R_CAMPO_MG0O , MG0R_VALIDATO ) "
                "SELECT DISTINCT " + k + " , '" + item + "' , MG0M_ID , MG0O_ID , 1 " +
                "FROM " + m_fieldTable + " " +
                "WHERE VISTO = 1 " +
                "     AND NOT EXISTS(SELECT 1 FROM MG0R_VALIDAZMAN_PASSAGGI " +
                "                     WHERE MG0R_DITTA_CG18 = " + k + " " +
                "                         AND MG0R_CODART_MG66 = '" + item + "' " +
                "                         AND MG0R_ARGOMENTO_MG0M = MG0M_ID " +
                "                         AND MG0R_CAMPO_MG0O = MG0O_ID ) ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  // Then every stored sign-off of the item follows its tick; rows are never deleted.
  if (!trap.step([&] {
        m_sql = "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = VISTO "
                "FROM MG0R_VALIDAZMAN_PASSAGGI "
                "INNER JOIN " + m_fieldTable + " WITH (NOLOCK) ON MG0R_ARGOMENTO_MG0M = MG0M_ID AND MG0R_CAMPO_MG0O = MG0O_ID " +
                "WHERE MG0R_DITTA_CG18 = " + k + " " +
                "                         AND MG0R_CODART_MG66 = '" + item + "' ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { m_currentItemId = id.toInteger(); })) return;
  if (!trap.step([&] {
        m_sql = "UPDATE " + m_itemTable + " SET NEW_STATO = NULL " + "WHERE ID = " + id.toText() + " ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { ElaboraTabellaArticoli_SettaArgomentiOK(); })) return;
}

void FRMMG_PASSAGGIO::CMD_AGGSTATI_ButtonClick() {
  ErrorTrap trap = Trap("CMD_AGGSTATI_ButtonClick");
  const std::string k = m_company.toText();
  if (!trap.step([&] {
        if (m_signOffsChanged &&
            MessaggioUtente(kSaveSignOffs, kYesNo, Variant(Caption()), "") == kYes) {
          AggiornaVisti();
        }
      })) {
    return;
  }
  if (!trap.step([&] { m_signOffsChanged = false; })) return;
  // Only a Yes goes on: a question that could not be asked changes nothing either.
  bool confirmed = false;
  if (!trap.step([&] { confirmed = MessaggioUtente(kConfirmStates, kYesNo, Variant(Caption()), "") == kYes; })) return;
  if (!confirmed) return;

  // Every row the user may apply, whether the grid shows it or not.
  if (!trap.step([&] {
        m_sql = "UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = NEW_STATO "
                "FROM MG66_ANAGRART "
                "INNER JOIN " + m_itemTable + " ON MG66_CODART = CODART " +
                "WHERE MG66_DITTA_CG18 = " + k + " " +
                "     AND PERMESSO_AGGSTATO = 1 ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { RichiediPassword(); })) return;
  // An item that steps back loses its sign-offs, applied or not: INDSTATO_MG6W is still the
  // state the run read.
  if (!trap.step([&] {
        m_sql = "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0 "
                "WHERE EXISTS(SELECT 1 FROM " + m_itemTable + " " +
                "                 WHERE MG0R_CODART_MG66 = CODART AND NEW_STATO < INDSTATO_MG6W ) " +
                "     AND MG0R_DITTA_CG18 = " + k + " ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { CMD_ELABORA_ButtonClick(); })) return;
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
        m_sql = "SELECT MG66_CODART "
                "FROM MG66_ANAGRART "
                "INNER JOIN " + m_itemTable + " ON MG66_CODART = CODART " +
                "WHERE MG66_DITTA_CG18 = " + k + " " +
                "     AND PERMESSO_AGGSTATO = 1 ";
        items = Db().Open(m_sql);
      })) {
    return;
  }
  bool more = false;
  if (!trap.step([&] {
        if (Set(items).RecordCount() > 0) items->MoveFirst();
        more = !items->Eof();
      })) {
    return;
  }
  while (more) {
    if (!trap.step([&] {
          if (row && row->IsOpen()) row->Close();
        })) {
      return;
    }
    std::string columns;
    if (!trap.step([&] { columns = Set(recorder).ColumnList(); })) return;
    if (!trap.step([&] {
          const std::string item = Set(m_utility).ToText(items->Field("MG66_CODART"));
          m_sql = "SELECT " + columns + " " +
                  "FROM MG66_ANAGRART WITH (NOLOCK) " +
                  "INNER JOIN " + m_itemTable + " ON MG66_CODART = CODART " +
                  "WHERE MG66_DITTA_CG18 = " + k +
                  "      AND PERMESSO_AGGSTATO = 1 " +
                  "      AND MG66_CODART = '" + SqlCode(item) + "'";
          row = Db().Open(m_sql);
        })) {
      return;
    }
    if (!trap.step([&] { recorder->SetRecording(true); })) return;
    if (!trap.step([&] { recorder->SetDescription(kChangeDescription); })) return;
    if (!trap.step([&] { recorder->Record(Set(row), kRecordFlags, true); })) return;
    if (!trap.step([&] {
          items->MoveNext();
          more = !items->Eof();
        })) {
      return;
    }
  }
}

}  // namespace passaggio

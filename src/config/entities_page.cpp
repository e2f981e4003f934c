// The managed-entities page: seeding the company's entity rows, the grid over their working
// copy, the rule that keeps an entity in use managed, and saving the selections back.
#include "platform/controls/button.h"
#include "platform/controls/grid.h"
#include "platform/host/display.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/sql_text.h"
#include "src/config/classifications.h"
#include "src/config/managed_entities.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;

constexpr const char* kInUseMessage =
    "Impossibile cancellare l'entità perchè\r\n"
    "risultano associazioni entità-ente validazione.";

}  // namespace

void FRMMG_PASSAGGIO::InserimentoEntitaMancantiPerDittaCorrente() {
  ErrorTrap trap = Trap("InserimentoEntitaMancantiPerDittaCorrente");
  if (!trap.step([&] { m_sql = SeedingBatch(m_company.toText()); })) return;
  if (!trap.step([&] { Db().Execute(m_sql); })) return;
}

void FRMMG_PASSAGGIO::ImpostaVirtualFrame_Entita() {
  ErrorTrap trap = Trap("ImpostaVirtualFrame_Entita");
  auto& grid = m_form.get<Grid>("GRD_ENTITA");
  if (!trap.step([&] { m_entityTable = "##TableEntita_" + Set(m_utility).Suffix(); })) return;
  if (!trap.step([&] { m_sql = sql::DropTable(m_entityTable); })) return;
  if (!trap.step([&] { Db().Execute(m_sql); })) return;
  if (!trap.step([&] {
        m_sql = "SELECT * "
                "INTO " + m_entityTable + " "
                "FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) "
                "WHERE MG0L_DITTA_CG18 = " + m_company.toText() + " ";
      })) {
    return;
  }
  if (!trap.step([&] { Db().Execute(m_sql); })) return;
  if (!trap.step([&] { m_sql = "SELECT * FROM " + m_entityTable + " "; })) return;
  if (!trap.step([&] { m_entityRows = Db().Open(m_sql); })) return;
  if (!trap.step([&] { grid.setWrapper(GridWrapper{m_host, m_entityRows, "MG0L_ID", 0}); })) return;
  if (!trap.step([&] { grid.resetColumns(); })) return;
  if (!trap.step([&] { grid.addCheckBoxColumn("MG0L_ENTITA_SEL", "Sel.", 800, Variant("1"), Variant("0")); })) return;
  if (!trap.step([&] { grid.addTextColumn("MG0L_ENTITA", "Entità", GridColumn::kTextKind, 3000); })) return;
  if (!trap.step([&] {
        grid.addTextColumn("MG0L_DESCENTITA", "Descrizione Entità", GridColumn::kTextKind, 7900);
      })) {
    return;
  }
  if (!trap.step([&] { grid.finish(); })) return;
  if (!trap.step([&] { grid.setDataSource(m_entityRows); })) return;
}

void FRMMG_PASSAGGIO::GRD_ENTITA_DataFormatEXT(std::string& value, const std::string& column) {
  ErrorTrap trap = Trap("GRD_ENTITA_DataFormatEXT");
  if (column != "MG0L_DESCENTITA") return;
  if (DefaultSeVuoto(Variant(value), "").toText().empty()) return;
  std::shared_ptr<platform::host::MessageService> messages;
  if (!trap.step([&] { messages = Global()->Messages(); })) return;
  if (!trap.step([&] { value = Set(messages).Translate(value); })) return;
}

void FRMMG_PASSAGGIO::GRD_ENTITA_BeforeCellChange(const Variant& value, bool& cancel) {
  IgnoringErrors steps = Ignoring();
  bool unselecting = false;
  steps.step([&] { unselecting = DefaultSeVuoto(value, 0).toDouble() == 1; });
  if (unselecting) {
    // An entity whose use could not be checked stays selected: the refusal is the safe side.
    bool associated = true;
    steps.step([&] { associated = IsEntitaAssociata(Set(m_entityRows).Field("MG0L_ENTITA")); });
    if (associated) {
      steps.step([&] { MessaggioUtente(kInUseMessage, platform::host::style::kExclamation, Variant(Caption()), ""); });
      cancel = true;
      return;
    }
  }
  steps.step([&] { m_form.get<Button>("CMD_SAVE_ENTITA").setEnabled(true); });
}

void FRMMG_PASSAGGIO::CMD_SAVE_ENTITA_ButtonClick() {
  ErrorTrap trap = Trap("CMD_SAVE_ENTITA_ButtonClick");
  if (!trap.step([&] { Set(m_entityRows).UpdateBatch(); })) return;
  if (!trap.step([&] {
        m_sql = "UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = " + m_entityTable + ".MG0L_ENTITA_SEL "
                "FROM MG0L_ENTITA_PASSAGGI "
                "INNER JOIN " + m_entityTable + " WITH (NOLOCK) ON " + m_entityTable +
                ".MG0L_ID = MG0L_ENTITA_PASSAGGI.MG0L_ID ";
      })) {
    return;
  }
  if (!trap.step([&] { Db().Execute(m_sql); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_SAVE_ENTITA").setEnabled(false); })) return;
}

bool FRMMG_PASSAGGIO::IsEntitaAssociata(const Variant& entity) {
  try {
    const Classification* found = FindClassification(DefaultSeVuoto(entity, "").toText());
    // AZIENDA and codes outside the list have no association column: nothing can use them.
    if (found == nullptr) return false;
    m_sql = AssociationUsingColumnQuery(found->column);
    const auto rows = Db().Open(m_sql);
    const bool associated = !rows->Eof();
    rows->Close();
    return associated;
  } catch (const std::exception& error) {
    RaiseAgain("IsEntitaAssociata", error);
  }
}

}  // namespace passaggio

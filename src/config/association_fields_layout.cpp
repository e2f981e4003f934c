// The association editor shows one row per saved managed entity, stacked from the top of its
// group box; the body row, the navigator, the group box and the grid above it follow.
#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/group_box.h"
#include "platform/controls/resize_control.h"
#include "src/common/default_se_vuoto.h"
#include "src/config/classifications.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using namespace platform::controls;

// Design sizes in twips, scaled to the window before use.
constexpr int kFirstRowTop = 300;
constexpr int kRowHeight = 330;
constexpr int kLabelDrop = 30;
constexpr int kBoxBase = 1400;
constexpr int kGridMargin = 1400;
constexpr int kGridToBox = 100;
constexpr int kNavigatorDrop = 600;

}  // namespace

void FRMMG_PASSAGGIO::Gestione_Campi_Entita() {
  ErrorTrap trap = Trap("Gestione_Campi_Entita");
  const auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM");
  const auto scaled = [&](int twips) { return resize.scaled(twips); };
  auto& grid = m_form.get<Grid>("GRD_ENTITA_ARG");
  auto& editor = m_fmeEntitaArgomenti;

  for (const Classification& entity : kClassifications) {
    if (!trap.step([&] { m_form.control(entity.label).setVisible(false); })) return;
    if (!trap.step([&] { m_form.control(entity.codeField).setVisible(false); })) return;
    if (!trap.step([&] { m_form.control(entity.descriptionField).setVisible(false); })) return;
    if (!trap.step([&] { grid.setColumnVisible(entity.column, false); })) return;
    if (!trap.step([&] { m_form.get<EditField>(entity.codeField).setFieldFlag(false); })) return;
    if (!trap.step([&] { editor.removeControl(entity.codeField); })) return;
  }
  if (!trap.step([&] { editor.removeControl("TXT_MG0Q_ARGOMENTO_MG0M"); })) return;
  if (!trap.step([&] { editor.registerControl(m_form.get<EditField>("TXT_MG0Q_ARGOMENTO_MG0M")); })) return;

  std::shared_ptr<platform::db::Recordset> managed;
  if (!trap.step([&] {
        m_sql = "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) "
                "WHERE MG0L_DITTA_CG18 = " + m_company.toText() + " "
                "     AND MG0L_ENTITA_SEL = 1 ";
      })) {
    return;
  }
  if (!trap.step([&] { managed = Db().Open(m_sql); })) return;

  int pos = 0;
  int counter = 1;
  if (!trap.step([&] { pos = scaled(kFirstRowTop); })) return;
  for (;;) {
    bool done = false;
    if (!trap.step([&] { done = Set(managed).Eof(); })) return;
    if (done) break;
    std::string code;
    if (!trap.step([&] { code = DefaultSeVuoto(managed->Field("MG0L_ENTITA"), "").toText(); })) return;
    if (const Classification* entity = FindClassification(code)) {
      auto& codeField = m_form.get<EditField>(entity->codeField);
      if (!trap.step([&] { m_form.control(entity->label).setVisible(true); })) return;
      if (!trap.step([&] { codeField.setVisible(true); })) return;
      if (!trap.step([&] { m_form.control(entity->descriptionField).setVisible(true); })) return;
      if (!trap.step([&] { m_form.control(entity->label).setTop(pos + scaled(kLabelDrop)); })) return;
      if (!trap.step([&] { codeField.setTop(pos); })) return;
      if (!trap.step([&] { m_form.control(entity->descriptionField).setTop(pos); })) return;
      if (!trap.step([&] { codeField.setFieldFlag(true); })) return;
      if (!trap.step([&] { grid.setColumnVisible(entity->column, true); })) return;
      if (!trap.step([&] { editor.registerControl(codeField); })) return;
    }
    // AZIENDA has no row of its own but still makes the group box a row higher.
    ++counter;
    if (code != kCompanyEntity) {
      if (!trap.step([&] { pos += scaled(kRowHeight); })) return;
    }
    if (!trap.step([&] { managed->MoveNext(); })) return;
  }
  if (!trap.step([&] { managed->Close(); })) return;

  if (!trap.step([&] { pos += scaled(kRowHeight); })) return;
  if (!trap.step([&] { m_form.control("LBL_ENTITA_ARG").setTop(pos + scaled(kLabelDrop)); })) return;
  if (!trap.step([&] { m_form.control("TXT_ENTITA_ARG").setTop(pos); })) return;
  if (!trap.step([&] { m_form.control("TXT_DESC_ENTITA_ARG").setTop(pos); })) return;

  auto& box = m_form.get<GroupBox>("GRB_ENTITA_ARG");
  auto& navigator = m_form.get<GridNavigator>("GRIDNAV_ENTITA_ARG");
  if (!trap.step([&] { box.setHeight(scaled(kBoxBase) + counter * scaled(kRowHeight)); })) return;
  if (!trap.step([&] { grid.setHeight(m_form.height() - box.height() - scaled(kGridMargin)); })) return;
  if (!trap.step([&] { box.setTop(grid.height() + scaled(kGridToBox)); })) return;
  if (!trap.step([&] { navigator.setTop(pos + scaled(kNavigatorDrop)); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_DETTAGLIO_NOVALIDAZ").setTop(navigator.top()); })) return;
}

}  // namespace passaggio

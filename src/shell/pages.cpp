// The console's pages: switching them from the side bar, the choosers filled at start-up, the
// responsible-type switch, and what the form hands the resize control.
#include <map>

#include "platform/controls/button.h"
#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/frame.h"
#include "platform/controls/resize_control.h"
#include "platform/text/ascii.h"
#include "src/common/default_se_vuoto.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;

constexpr const char* kFrames[] = {"FRAME_ENTITA",       "FRAME_ENTEVALIDAZIONE", "FRAME_ARG_ENTITA",
                                   "FRAME_DETTAGLIO_ARG", "FRAME_INTERROGAZ",      "FRAME_INTERROGAZ_RIS"};
constexpr const char* kConfigurationFrames[] = {"FRAME_ENTITA", "FRAME_ENTEVALIDAZIONE", "FRAME_ARG_ENTITA",
                                                "FRAME_DETTAGLIO_ARG"};
constexpr const char* kProcessingButtons[] = {"CMD_ELABORA", "CMD_PARAM", "CMD_AGGSTATI"};

// The anchoring of a control by its host type name (upper case); the others are not registered.
const std::map<std::string, int, std::less<>> kAnchoringByType = {
    {"FRAME", 15},         {"ZEP_ENHQUERY", 15},  {"ZEP_ENHORDER", 15}, {"PICTUREBOX", 15},
    {"ZEP_GROUPBOX", 15},  {"ZEP_GROUPBOXC", 15}, {"ZEP_SSTAB", 15},    {"ZEP_SELDOC", 15},
    {"ZEP_QGRIDWRAPPER", 15},
    {"ZEP_TBARMENU", 12},  {"ZEP_EXPTOQV", 12},   {"ZEP_INTERNAV", 12},
};

}  // namespace

void FRMMG_PASSAGGIO::SDB_PASSAGGIO_OnClickItemLink(const SideBarItem& item) {
  ErrorTrap trap = Trap("SDB_PASSAGGIO_OnClickItemLink");
  if (!trap.step([&] { SalvaVistiSeConfermato(); })) return;
  m_signOffsChanged = false;
  std::string key;
  if (!trap.step([&] { key = item.key; })) return;
  if (!trap.step([&] { SelezioneSideBar(key); })) return;
}

void FRMMG_PASSAGGIO::SelezioneSideBar(const std::string& key) {
  ErrorTrap trap = Trap("SelezioneSideBar");
  const auto frame = [&](const char* name) -> Frame& { return m_form.get<Frame>(name); };
  const auto button = [&](const char* name) -> Button& { return m_form.get<Button>(name); };

  // A configuration page: its frame alone, without the processing buttons.
  const auto showOnly = [&](const char* shown) {
    if (!trap.step([&] { frame(shown).setVisible(true); })) return;
    for (const char* name : kFrames) {
      if (std::string_view(name) == shown) continue;
      if (!trap.step([&] { frame(name).setVisible(false); })) return;
    }
    for (const char* name : kProcessingButtons) {
      if (!trap.step([&] { button(name).setVisible(false); })) return;
    }
  };

  if (key == "ENTITA") {
    showOnly("FRAME_ENTITA");
  } else if (key == "ARGOMENTI") {
    showOnly("FRAME_ENTEVALIDAZIONE");
  } else if (key == "DETT_ARGOMENTI") {
    showOnly("FRAME_DETTAGLIO_ARG");
  } else if (key == "ENTITA_ARGOMENTI") {
    if (!trap.step([&] { Gestione_Campi_Entita(); })) return;
    showOnly("FRAME_ARG_ENTITA");
  } else if (key == "INT_MOD_DATI") {
    for (const char* name : kConfigurationFrames) {
      if (!trap.step([&] { frame(name).setVisible(false); })) return;
    }
    if (!trap.step([&] { frame("FRAME_INTERROGAZ").setVisible(true); })) return;
    if (!trap.step([&] { frame("FRAME_INTERROGAZ_RIS").setVisible(false); })) return;
    for (const char* name : kProcessingButtons) {
      if (!trap.step([&] { button(name).setVisible(true); })) return;
    }
    // The item page is in its selection state while processing is possible.
    bool selecting = false;
    if (!trap.step([&] { selecting = button("CMD_ELABORA").isEnabled(); })) return;
    if (selecting) {
      if (!trap.step([&] { frame("FRAME_INTERROGAZ").setVisible(true); })) return;
      if (!trap.step([&] { frame("FRAME_INTERROGAZ_RIS").setVisible(false); })) return;
      if (!trap.step([&] { Gestione_Campi_Entita_Griglia_Articoli(); })) return;
      if (!trap.step([&] { button("CMD_ELABORA").setEnabled(true); })) return;
      if (!trap.step([&] { button("CMD_PARAM").setEnabled(false); })) return;
      if (!trap.step([&] { button("CMD_AGGSTATI").setEnabled(false); })) return;
    } else {
      if (!trap.step([&] { frame("FRAME_INTERROGAZ").setVisible(false); })) return;
      if (!trap.step([&] { frame("FRAME_INTERROGAZ_RIS").setVisible(true); })) return;
      if (!trap.step([&] { button("CMD_ELABORA").setEnabled(false); })) return;
      if (!trap.step([&] { button("CMD_PARAM").setEnabled(true); })) return;
      if (!trap.step([&] { button("CMD_AGGSTATI").setEnabled(true); })) return;
    }
  }
}

void FRMMG_PASSAGGIO::carica_combo() {
  ErrorTrap trap = Trap("carica_combo");
  auto& responsible = m_form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE");
  if (!trap.step([&] { responsible.clear(); })) return;
  if (!trap.step([&] { responsible.addItem("Utente", Variant(0)); })) return;
  if (!trap.step([&] { responsible.addItem("Gruppo", Variant(1)); })) return;
  if (!trap.step([&] { responsible.setText("0"); })) return;

  std::shared_ptr<platform::db::Recordset> states;
  if (!trap.step([&] {
        m_sql = "SELECT MG6W_INDSTATO , MG6W_DESCR "
                "FROM MG6W_STATIART WITH (NOLOCK) "
                "ORDER BY MG6W_INDSTATO ";
      })) {
    return;
  }
  if (!trap.step([&] { states = Db().Open(m_sql); })) return;
  bool any = false;
  if (!trap.step([&] { any = Set(states).RecordCount() > 0; })) return;
  if (any) {
    for (const char* name : {"CMB_MG0M_STATOINI_MG6W", "CMB_MG0M_STATOFIN_MG6W"}) {
      auto& chooser = m_form.get<Chooser>(name);
      if (!trap.step([&] { states->MoveFirst(); })) return;
      for (;;) {
        bool done = false;
        if (!trap.step([&] { done = states->Eof(); })) return;
        if (done) break;
        if (!trap.step([&] {
              chooser.addItem(states->Field("MG6W_DESCR").toText(), states->Field("MG6W_INDSTATO"));
            })) {
          return;
        }
        if (!trap.step([&] { states->MoveNext(); })) return;
      }
      if (!trap.step([&] { chooser.setText("0"); })) return;
    }
  }
  if (!trap.step([&] { states->Close(); })) return;
}

void FRMMG_PASSAGGIO::CMB_MG0M_TIPO_RESPONSABILE_Change() {
  IgnoringErrors steps = Ignoring();
  auto& userField = m_form.get<EditField>("TXT_UTENTE_RESPONSABILE");
  auto& userCode = m_form.get<EditField>("TXT_MG0M_UTENTE_FW07");
  auto& groupField = m_form.get<EditField>("TXT_GRUPPO_RESPONSABILE");
  auto& groupCode = m_form.get<EditField>("TXT_MG0M_GRUPPO_FW06");
  double type = 0;
  steps.step([&] { type = DefaultSeVuoto(m_form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE").value(), 0).toDouble(); });
  if (type == 0) {
    steps.step([&] { userField.setEnabled(true); });
    steps.step([&] { userField.setFieldFlag(true); });
    steps.step([&] { userCode.setCodeFlag(true); });
    steps.step([&] { groupField.setText(""); });
    steps.step([&] { groupCode.setText(""); });
    steps.step([&] { groupField.setEnabled(false); });
    steps.step([&] { groupField.setFieldFlag(false); });
    steps.step([&] { groupCode.setCodeFlag(false); });
  } else {
    steps.step([&] { userField.setText(""); });
    steps.step([&] { userCode.setText(""); });
    steps.step([&] { userField.setEnabled(false); });
    steps.step([&] { userField.setFieldFlag(false); });
    steps.step([&] { userCode.setCodeFlag(false); });
    steps.step([&] { groupField.setEnabled(true); });
    steps.step([&] { groupField.setFieldFlag(true); });
    steps.step([&] { groupCode.setCodeFlag(true); });
  }
}

void FRMMG_PASSAGGIO::ZEP_RESIZEFORM_RegisterControls() {
  IgnoringErrors steps = Ignoring();
  auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM");
  for (const auto& control : m_form.controls()) {
    steps.step([&] { resize.removeControl(control->name()); });
    steps.step([&] {
      const auto anchoring = kAnchoringByType.find(platform::text::upperAscii(control->typeName()));
      if (anchoring != kAnchoringByType.end()) resize.registerControl(control->name(), anchoring->second);
    });
  }
  steps.step([&] { resize.removeControl("CMD_CHANGE_ARG"); });
  steps.step([&] { resize.registerControl("SDB_PASSAGGIO", 11); });
  steps.step([&] { resize.registerControl("GRB_DATIART_CAMPI", 14); });
  steps.step([&] { resize.registerControl("GRB_ARGOMENTI", 14); });
  steps.step([&] { resize.registerControl("GRB_CODICE_ARG", 7); });
  steps.step([&] { resize.registerControl("GRB_CAMPI_ARG", 14); });
  steps.step([&] { resize.registerControl("GRB_ENTITA_ARG", 14); });
  steps.step([&] { resize.registerControl("GRD_DATIART_CAMPI", 7); });
  steps.step([&] { resize.registerControl("GRIDNAV_VIS_CAMPIART", 13); });
}

void FRMMG_PASSAGGIO::ZEP_RESIZEFORM_BeforeResize(bool& proceed) { proceed = true; }

}  // namespace passaggio

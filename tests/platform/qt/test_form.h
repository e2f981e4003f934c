// A small form for the Qt layer's tests: a side bar, a page with a filter group (a code field
// with look-up and decode, a chooser, a check box, a button), an items grid over an
// in-memory database, its navigator and a closing button. Its handlers write down what
// reached the form; switches make them refuse.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace platform::qt::testing {

using controls::ControlDesign;
using controls::ControlKind;

inline controls::FormDesign testDesign() {
  controls::FormDesign design{"FRM_PROVA", "Articoli in prova", 12600, 8400, {}};
  auto add = [&](std::string name, ControlKind kind, std::string parent, int left, int top, int width, int height,
                 std::string caption, int tab, std::vector<std::pair<std::string, Variant>> settings = {}) {
    design.controls.push_back(ControlDesign{std::move(name), kind, std::move(parent), left, top, width, height,
                                            std::move(caption), tab, true, true, std::move(settings)});
  };
  add("ZEP_RESIZEFORM", ControlKind::ResizeControl, "", 0, 0, 0, 0, "", 0);
  add("IMG_SEL", ControlKind::ImageList, "", 0, 0, 0, 0, "", 0,
      {{"image", Variant("fail")}, {"image", Variant("pass")}, {"image", Variant("not-applicable")}});
  add("SDB_PAGINE", ControlKind::SideBar, "", 0, 0, 2100, 8400, "", 20,
      {{"item", Variant(Variant::Array{"ARTICOLI", "Articoli"})},
       {"item", Variant(Variant::Array{"STATI", "Stati articolo"})}});
  add("FRAME_ARTICOLI", ControlKind::Frame, "", 2250, 120, 10200, 8160, "", 0);
  add("GRB_FILTRO", ControlKind::GroupBox, "FRAME_ARTICOLI", 0, 0, 10200, 1560, "Filtro", 0);
  add("LBL_CODICE", ControlKind::Label, "GRB_FILTRO", 180, 390, 1080, 285, "Articolo:", 0);
  add("TXT_CODICE", ControlKind::EditField, "GRB_FILTRO", 1320, 330, 1800, 330, "", 1,
      {{"islookup", Variant(true)}, {"isdecode", Variant(true)}, {"descfield", Variant("LBL_DESCR")},
       {"displayformat", Variant("Maiuscolo")}, {"maxchar", Variant(10)}});
  add("LBL_DESCR", ControlKind::Label, "GRB_FILTRO", 3240, 330, 3900, 330, "", 0);
  add("LBL_STATO", ControlKind::Label, "GRB_FILTRO", 180, 930, 1080, 285, "Stato:", 0);
  add("CMB_STATO", ControlKind::Chooser, "GRB_FILTRO", 1320, 870, 2400, 330, "", 2);
  add("CHK_ATTIVI", ControlKind::CheckBox, "GRB_FILTRO", 4020, 900, 2400, 300, "Solo articoli attivi", 3);
  add("CMD_ELABORA", ControlKind::Button, "GRB_FILTRO", 7680, 330, 2280, 450, "&Elabora", 4);
  // Declared before the grid but reached after the navigator: the tab index decides.
  add("CMD_CHIUDI", ControlKind::Button, "FRAME_ARTICOLI", 8520, 7680, 1680, 450, "&Chiudi", 7);
  // The code stays while the rest scrolls across; the state takes the free width.
  add("GRD_ARTICOLI", ControlKind::Grid, "FRAME_ARTICOLI", 0, 1680, 10200, 5880, "", 5,
      {{"frozen", Variant(1)}, {"stretch", Variant("STATO")}});
  add("GRIDNAV_ARTICOLI", ControlKind::GridNavigator, "FRAME_ARTICOLI", 0, 7680, 3900, 420, "", 6);
  return design;
}

//! The form, its data and a log of what its handlers saw.
class TestForm {
 public:
  TestForm() : form(testDesign()) {
    connection.Connect("sqlite::memory:");
    connection.Execute(
        "CREATE TABLE ARTICOLI (ID INT, CODART VARCHAR(20), DESCART VARCHAR(60), STATO INT, ARG1 INT, SEL INT)");
    connection.Execute(
        "INSERT INTO ARTICOLI VALUES (1, 'A100', 'Vite a testa piana', 10, 0, 0), "
        "(2, 'A200', 'Bullone esagonale', 20, 1, 1), (3, 'B300', 'Rondella', 30, 2, 0), "
        "(4, 'C400', 'Dado autobloccante', 10, 1, 0)");
    wire();
  }

  template <class T>
  T& get(std::string_view name) {
    return form.get<T>(name);
  }
  controls::Grid& grid() { return get<controls::Grid>("GRD_ARTICOLI"); }
  controls::EditField& code() { return get<controls::EditField>("TXT_CODICE"); }

  db::Connection connection;
  controls::Form form;
  std::vector<std::string> events;
  int displayFormats = 0;  // display-format calls: one per painted text cell
  bool refuseValidate = false;
  bool refuseRowChange = false;
  bool refuseCellChange = false;

 private:
  void wire() {
    controls::EditField& code = this->code();
    code.setQueryRunner(controls::queryRunnerFor(connection));
    code.onValidate.connect([this](bool& cancel) {
      events.push_back("validate " + this->code().text());
      cancel = refuseValidate;
    });
    code.onAfterItem.connect([this](bool&) { events.push_back("after-item " + this->code().text()); });
    code.onLookupRequest.connect([](bool&, std::string& query, Variant& captions, std::string& title, std::string&) {
      query = "SELECT CODART, DESCART FROM ARTICOLI ORDER BY CODART";
      captions = Variant("Codice;Descrizione");
      title = "Articoli";
    });
    code.onDecodeRequest.connect([this](bool&, std::string& query, Variant&, std::string&) {
      query = "SELECT DESCART FROM ARTICOLI WHERE CODART = '" + this->code().text() + "'";
    });

    auto& state = get<controls::Chooser>("CMB_STATO");
    state.addItem("Tutti", Variant(0));
    state.addItem("In prova", Variant(10));
    state.addItem("Approvato", Variant(20));
    state.setValue(Variant(0));
    state.onChange.connect([this] { events.push_back("chooser " + get<controls::Chooser>("CMB_STATO").value().toText()); });
    get<controls::CheckBox>("CHK_ATTIVI").onChange.connect([this] {
      events.push_back("check " + std::to_string(get<controls::CheckBox>("CHK_ATTIVI").value()));
    });
    get<controls::Button>("CMD_ELABORA").onClick.connect([this] { events.push_back("click CMD_ELABORA"); });
    get<controls::SideBar>("SDB_PAGINE").onItemLinkClick.connect(
        [this](const controls::SideBarItem& item) { events.push_back("side-bar " + item.key); });

    controls::Grid& grid = this->grid();
    grid.setWrapper(controls::GridWrapper{{}, nullptr, "CODART", 0});
    grid.addTextColumn("CODART", "Codice articolo", controls::GridColumn::kButtonKind, 1500);
    grid.addTextColumn("DESCART", "Descrizione articolo", controls::GridColumn::kTextKind, 3000);
    grid.addTextColumn("STATO", "Stato attuale", controls::GridColumn::kTextKind, 1500);
    grid.addImageColumn("ARG1", "Qualità", "IMG_SEL", Variant(""), Variant(1), 1100);
    grid.addCheckBoxColumn("SEL", "Sel.", 900, Variant("1"), Variant("0"), true);
    grid.addTextColumn("ID", "Id", controls::GridColumn::kTextKind, 600, false);
    grid.closeDefinition();
    grid.setColumnAlignment("ARG1", controls::GridColumn::kAlignCentre);
    grid.finish();
    grid.onDisplayFormat.connect([this](std::string& text, const std::string& column, const controls::RowValues&) {
      ++displayFormats;
      if (column == "STATO" && !text.empty()) text = "Stato " + text;
    });
    grid.onCellColour.connect([](const std::string& column, const Variant& value, std::optional<controls::Colour>& back,
                                 const controls::RowValues&) {
      if (column != "ARG1") return;
      if (value == Variant(0)) back = controls::rgb(173, 207, 247);
      if (value == Variant(1)) back = controls::rgb(255, 255, 255);
      if (value == Variant(2)) back = controls::rgb(99, 105, 107);
    });
    grid.onBeforeRowChange.connect([this](bool& cancel) {
      events.push_back("before-row-change");
      cancel = refuseRowChange;
    });
    grid.onRowChanged.connect([this] {
      const auto row = this->grid().currentRow();
      events.push_back("row-changed " + (row ? std::to_string(*row) : std::string("none")));
    });
    grid.onDoubleClick.connect([this](const std::string& column) { events.push_back("double-click " + column); });
    grid.onCellButton.connect([this](const std::string& column, const Variant& value) {
      events.push_back("cell-button " + column + "=" + value.toText());
    });
    grid.onBeforeCellChange.connect(
        [this](const std::string& column, const std::string& next, const Variant& current, bool& cancel) {
          events.push_back("before-cell-change " + column + " " + current.toText() + "->" + next);
          cancel = refuseCellChange;
        });
    grid.onSelectAll.connect([this](const std::string& column, bool checked, bool&) {
      events.push_back("select-all " + column + (checked ? " on" : " off"));
    });
    grid.setDataSource(connection.Open("SELECT ID, CODART, DESCART, STATO, ARG1, SEL FROM ARTICOLI ORDER BY ID"));

    auto& navigator = get<controls::GridNavigator>("GRIDNAV_ARTICOLI");
    navigator.attach(&grid);
    navigator.onButtonClick.connect([this](bool&, const std::string& button) { events.push_back("navigator " + button); });

    auto& resize = get<controls::ResizeControl>("ZEP_RESIZEFORM");
    resize.onRegisterControls.connect([&resize] {
      resize.registerControl("FRAME_ARTICOLI", 15);
      resize.registerControl("GRB_FILTRO", 7);
      resize.registerControl("GRD_ARTICOLI", 15);
      resize.registerControl("GRIDNAV_ARTICOLI", controls::ResizeControl::kBottom | controls::ResizeControl::kLeft);
      resize.registerControl("CMD_CHIUDI", 12);
      resize.registerControl("SDB_PAGINE", 11);
    });
    resize.onBeforeResize.connect([](bool& proceed) { proceed = true; });
    resize.takeInitialSizes();
    events.clear();
  }
};

}  // namespace platform::qt::testing

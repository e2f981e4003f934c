// How a user's action reaches the console: every event of the form's controls is connected
// here to the procedure named after the control and the event (a press of CMD_ELABORA runs
// CMD_ELABORA_ButtonClick). The host, or a driver script, acts on the control; the control
// raises its event.
#include "platform/controls/button.h"
#include "platform/controls/chooser.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {

using platform::Variant;
using namespace platform::controls;

void FRMMG_PASSAGGIO::ConnectControlEvents() {
  // Side bar, resize control and responsible-type chooser.
  m_form.get<SideBar>("SDB_PASSAGGIO").onItemLinkClick.connect(
      [this](const SideBarItem& item) { SDB_PASSAGGIO_OnClickItemLink(item); });
  auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM");
  resize.onRegisterControls.connect([this] { ZEP_RESIZEFORM_RegisterControls(); });
  resize.onBeforeResize.connect([this](bool& proceed) { ZEP_RESIZEFORM_BeforeResize(proceed); });
  m_form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE").onChange.connect([this] { CMB_MG0M_TIPO_RESPONSABILE_Change(); });

  // Managed-entities page.
  auto& grid = m_form.get<Grid>("GRD_ENTITA");
  grid.onDisplayFormat.connect([this](std::string& text, const std::string& column, const RowValues&) {
    GRD_ENTITA_DataFormatEXT(text, column);
  });
  grid.onBeforeCellChange.connect(
      [this](const std::string&, const std::string&, const Variant& current, bool& cancel) {
        GRD_ENTITA_BeforeCellChange(current, cancel);
      });
  m_form.get<Button>("CMD_SAVE_ENTITA").onClick.connect([this] { CMD_SAVE_ENTITA_ButtonClick(); });

  // Processing buttons.
  m_form.get<Button>("CMD_ELABORA").onClick.connect([this] { CMD_ELABORA_ButtonClick(); });
  m_form.get<Button>("CMD_PARAM").onClick.connect([this] { CMD_PARAM_ButtonClick(); });
  m_form.get<Button>("CMD_AGGSTATI").onClick.connect([this] { CMD_AGGSTATI_ButtonClick(); });

  // Items grid, field detail and its navigator.
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  items.onDisplayFormat.connect(
      [this](std::string& text, const std::string& column, const RowValues&) { GRD_ARTICOLI_DisplayFormat(text, column); });
  items.onCellColour.connect(
      [this](const std::string& column, const Variant& value, std::optional<Colour>& colour, const RowValues&) {
        GRD_ARTICOLI_CellColour(column, value, colour);
      });
  items.onBeforeRowChange.connect([this](bool& cancel) { GRD_ARTICOLI_BeforeRowChange(cancel); });
  items.onRowChanged.connect([this] { GRD_ARTICOLI_RowChanged(); });
  items.onCellButton.connect(
      [this](const std::string& column, const Variant& value) { GRD_ARTICOLI_CellButton(column, value); });

  auto& detail = m_form.get<Grid>("GRD_DATIART_CAMPI");
  detail.onDoubleClick.connect([this](const std::string&) { GRD_DATIART_CAMPI_CellDblClick(); });
  detail.onCellColour.connect(
      [this](const std::string& column, const Variant&, std::optional<Colour>& colour, const RowValues& row) {
        GRD_DATIART_CAMPI_CellColour(column, row, colour);
      });
  detail.onDisplayFormat.connect([this](std::string& text, const std::string& column, const RowValues& row) {
    GRD_DATIART_CAMPI_DisplayFormat(text, column, row);
  });
  m_form.get<GridNavigator>("GRIDNAV_VIS_CAMPIART")
      .onButtonClick.connect(
          [this](bool& cancel, const std::string& button) { GRIDNAV_VIS_CAMPIART_ButtonClick(cancel, button); });

  // Verdicts explained: tool tips of the results page and marks of the field detail's rows.
  items.onToolTip.connect([this](std::string& tip, const std::string& column, const RowValues& row) {
    GRD_ARTICOLI_ToolTip(tip, column, row);
  });
  detail.onToolTip.connect([this](std::string& tip, const std::string& column, const RowValues& row) {
    GRD_DATIART_CAMPI_ToolTip(tip, column, row);
  });
  detail.onRowMark.connect([this](RowMark& mark, const RowValues& row) { GRD_DATIART_CAMPI_RowMark(mark, row); });
}

}  // namespace passaggio

// How a user's action reaches the console: every event of the form's controls is connected
// here to the procedure named after the control and the event (a press of CMD_ELABORA runs
// CMD_ELABORA_ButtonClick). The host, or a driver script, acts on the control; the control
// raises its event.
#include "platform/controls/button.h"
#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "src/config/classifications.h"
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

  // Entity associations page: the editor, the body code, the classification code fields
  // (one handler per event, for the field's row of the classification table) and the
  // exclusions button.
  m_form.get<Grid>("GRD_ENTITA_ARG")
      .onDisplayFormat.connect([this](std::string& text, const std::string& column, const RowValues&) {
        GRD_ENTITA_ARG_DataFormatEXT(text, column);
      });
  m_fmeEntitaArgomenti.onBeforeSave.connect([this](bool& cancel) { FME_Entita_Argomenti_BeforeUpdate(cancel); });
  m_fmeEntitaArgomenti.onStatusChange.connect([this](int status) { FME_Entita_Argomenti_ChangeStatus(status); });
  auto& bodyCode = m_form.get<EditField>("TXT_ENTITA_ARG");
  bodyCode.onAfterItem.connect([this](bool& cancel) { TXT_ENTITA_ARG_AfterItem(cancel); });
  bodyCode.onDecodeRequest.connect(
      [this](bool& cancel, std::string&, Variant&, std::string&) { TXT_ENTITA_ARG_DecodeRequest(cancel); });
  bodyCode.onLookupRequest.connect(
      [this](bool& cancel, std::string& query, Variant& captions, std::string& title, std::string& connection) {
        Lkp_Elenco_Argomenti_Entita(cancel, query, captions, title, connection);
      });
  for (const Classification& row : kClassifications) {
    auto& field = m_form.get<EditField>(row.codeField);
    field.onValidate.connect([this, &row](bool& cancel) { Classificazione_Validate(row, cancel); });
    field.onDecodeRequest.connect(
        [this, &row](bool& cancel, std::string& query, Variant& mapping, std::string& connection) {
          Classificazione_DecodeRequest(row, cancel, query, mapping, connection);
        });
    field.onLookupRequest.connect(
        [this, &row](bool& cancel, std::string& query, Variant& captions, std::string& title, std::string& connection) {
          Classificazione_LookupRequest(row, cancel, query, captions, title, connection);
        });
  }
  m_form.get<Button>("CMD_DETTAGLIO_NOVALIDAZ").onClick.connect([this] { CMD_DETTAGLIO_NOVALIDAZ_ButtonClick(); });
  // Validation bodies page.
  m_fmeArgomenti.onBeforeSave.connect([this](bool& cancel) { FME_Argomenti_BeforeUpdate(cancel); });
  m_fmeArgomenti.onBeforeDelete.connect([this](bool& cancel) { FME_Argomenti_BeforeDelete(cancel); });
  m_fmeArgomenti.onStatusChange.connect([this](int status) { FME_Argomenti_ChangeStatus(status); });
  m_form.get<Grid>("GRD_ARGOMENTI")
      .onDisplayFormat.connect([this](std::string& text, const std::string& column, const RowValues&) {
        GRD_ARGOMENTI_DataFormatEXT(text, column);
      });
  m_form.get<EditField>("TXT_MG0M_ARGOMENTO").onAfterItem.connect([this](bool&) { TXT_MG0M_ARGOMENTO_AfterItem(); });
  auto& user = m_form.get<EditField>("TXT_UTENTE_RESPONSABILE");
  user.onAfterItem.connect([this](bool&) { TXT_UTENTE_RESPONSABILE_AfterItem(); });
  user.onDecodeRequest.connect([this](bool&, std::string& query, Variant& mapping, std::string& connection) {
    TXT_UTENTE_RESPONSABILE_DecodeRequest(query, mapping, connection);
  });
  user.onLookupRequest.connect(
      [this](bool&, std::string& query, Variant& captions, std::string& title, std::string& connection) {
        TXT_UTENTE_RESPONSABILE_LookupRequest(query, captions, title, connection);
      });
  auto& group = m_form.get<EditField>("TXT_GRUPPO_RESPONSABILE");
  group.onAfterItem.connect([this](bool&) { TXT_GRUPPO_RESPONSABILE_AfterItem(); });
  group.onDecodeRequest.connect([this](bool&, std::string& query, Variant& mapping, std::string& connection) {
    TXT_GRUPPO_RESPONSABILE_DecodeRequest(query, mapping, connection);
  });
  group.onLookupRequest.connect(
      [this](bool&, std::string& query, Variant& captions, std::string& title, std::string& connection) {
        TXT_GRUPPO_RESPONSABILE_LookupRequest(query, captions, title, connection);
      });

  // Validation-body fields page.
  auto& body = m_form.get<EditField>("TXT_ARGOMENTO");
  body.onValidate.connect([this](bool& cancel) { TXT_ARGOMENTO_Validate(cancel); });
  body.onLookupRequest.connect(
      [this](bool&, std::string& query, Variant& captions, std::string& title, std::string& connection) {
        Lkp_Elenco_Argomenti(query, captions, title, connection);
      });
  m_form.get<Button>("CMD_CHANGE_ARG").onClick.connect([this] { CMD_CHANGE_ARG_ButtonClick(); });
  m_form.get<Grid>("GRD_CAMPI_ARG")
      .onDisplayFormat.connect([this](std::string& text, const std::string& column, const RowValues& row) {
        GRD_CAMPI_ARG_DataFormatEXT(text, column, row);
      });
  auto& field = m_form.get<EditField>("TXT_CAMPO_ARG");
  field.onAfterItem.connect([this](bool& cancel) { TXT_CAMPO_ARG_AfterItem(cancel); });
  field.onDecodeRequest.connect([this](bool&, std::string&, Variant&, std::string&) { TXT_CAMPO_ARG_DecodeRequest(); });
  field.onLookupRequest.connect(
      [this](bool&, std::string& query, Variant& captions, std::string& title, std::string& connection) {
        Lkp_Elenco_Campi(query, captions, title, connection);
      });
  m_fmeCampiArgomenti.onBeforeSave.connect([this](bool& cancel) { FME_Campi_Argomenti_BeforeUpdate(cancel); });
  m_fmeCampiArgomenti.onBeforeDelete.connect([this](bool& cancel) { FME_Campi_Argomenti_BeforeDelete(cancel); });
  m_fmeCampiArgomenti.onStatusChange.connect([this](int status) { FME_Campi_Argomenti_ChangeStatus(status); });
  // Item selection filter.
  auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
  filter.onDecodeRequest.connect([this](const Variant&, const Variant& caption, const Variant&, const Variant& first,
                                        std::string& firstBox, const Variant& second, std::string& secondBox) {
    ADVQ_ARTICOLI_StartDecode(caption, first, firstBox, second, secondBox);
  });
  filter.onLookupRequest.connect([this](const Variant&, const Variant& caption, int end, std::string& query,
                                        Variant& captions, std::string& title, std::string& connectionString) {
    ADVQ_ARTICOLI_StartLookup(caption, end, query, captions, title, connectionString);
  });

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

  // Numbers of the field detail shown in the reader's form.
  detail.onNumberCell.connect([this](bool& number, const std::string& column, const RowValues& row) {
    GRD_DATIART_CAMPI_NumberCell(number, column, row);
  });
}

}  // namespace passaggio

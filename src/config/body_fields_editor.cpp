// The validation-body fields page: a body is chosen in the header, then its fields are edited
// in the grid and record editor under it; each field is chosen by name from the catalogue,
// which also says which of the field's flags apply.
#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/lookup_answer.h"
#include "src/common/sql_text.h"
#include "src/config/body_fields_statements.h"
#include "src/config/editor_support.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;
namespace s = body_fields_statements;

struct FieldColumn {
  const char* field;
  const char* caption;
  int width;
};

// DESC_CAMPO is no column of the table: the display rule writes the field's caption into it.
constexpr FieldColumn kColumns[] = {
    {"MG0P_CAMPO_MG0O", "Campo", 2700},
    {"DESC_CAMPO", "Descrizione campo", 4100},
    {"MG0P_VALORE_OBBLIGATORIO", "Valore obbligatorio", 1700},
    {"MG0P_INDVALZERO", "Zero non significativo", 1700},
    {"MG0P_VALIDAZ_MANUALE", "Validazione manuale", 1700},
};

constexpr const char* kBoundControls[] = {"TXT_MG0P_CAMPO_MG0O", "CHK_MG0P_VALORE_OBBLIGATORIO",
                                          "CHK_MG0P_VALIDAZ_MANUALE", "CHK_MG0P_INDVALZERO"};

// One statement of a procedure, trapped or error-ignoring: false when the procedure must leave.
template <class Statement>
bool Step(ErrorTrap& trap, Statement&& statement) {
  return trap.step(std::forward<Statement>(statement));
}
template <class Statement>
bool Step(IgnoringErrors& steps, Statement&& statement) {
  steps.step(std::forward<Statement>(statement));
  return true;
}

// Which flags a catalogue field takes: a value can be required only of a field of a real
// table, and a zero can be not significant only for a numeric one.
void EnableFlags(Form& form, const platform::db::Recordset& field) {
  const bool table = DefaultSeVuoto(field.Field("MG0N_ISTABLE"), 0).toDouble() == 1;
  const bool numeric = DefaultSeVuoto(field.Field("MG0O_ISNUMERICO"), 0).toDouble() == 1;
  form.get<CheckBox>("CHK_MG0P_VALORE_OBBLIGATORIO").setEnabled(table);
  form.get<CheckBox>("CHK_MG0P_INDVALZERO").setEnabled(table && numeric);
}

// Opens the editor on `query` again: the editor reset, its rows read anew and the grid bound
// to them. The rows shown are closed only once the new ones have taken their place, so that
// the grid never shows a closed record set.
template <class Steps>
bool ReopenFields(FRMMG_PASSAGGIO& form, Steps& steps, const std::string& query) {
  auto& editor = form.m_fmeCampiArgomenti;
  const std::shared_ptr<platform::db::Recordset> shown = editor.recordset();
  std::shared_ptr<platform::db::Recordset> rows;
  if (!Step(steps, [&] { form.m_campiArgomentiQuery = query; })) return false;
  if (!Step(steps, [&] { editor.reset(); })) return false;
  if (!Step(steps, [&] { rows = Set(form.m_connection).Open(form.m_campiArgomentiQuery); })) return false;
  if (!Step(steps, [&] { editor.setQueryText(form.m_campiArgomentiQuery); })) return false;
  if (!Step(steps, [&] { editor.setRecordset(rows); })) return false;
  return Step(steps, [&] {
    if (shown && shown->IsOpen()) shown->Close();
  });
}

}  // namespace

void FRMMG_PASSAGGIO::ImpostaVirtualFrame_Campi_Argomenti() {
  ErrorTrap trap = Trap("ImpostaVirtualFrame_Campi_Argomenti");
  auto& grid = m_form.get<Grid>("GRD_CAMPI_ARG");
  auto& navigator = m_form.get<GridNavigator>("GRIDNAV_CAMPI_ARG");
  // The look-up and decode fields run their queries on the own connection.
  if (!trap.step([&] {
        for (const char* name : {"TXT_ARGOMENTO", "TXT_CAMPO_ARG"}) {
          m_form.get<EditField>(name).setQueryRunner(OwnConnectionRunner(*this));
        }
      })) {
    return;
  }
  if (!trap.step([&] { grid.setWrapper(GridWrapper{Global(), nullptr, "MG0P_KEY_GRID", 0}); })) return;
  if (!trap.step([&] { grid.resetColumns(); })) return;
  for (const FieldColumn& column : kColumns) {
    if (!trap.step([&] { grid.addTextColumn(column.field, column.caption, GridColumn::kTextKind, column.width); })) {
      return;
    }
  }
  if (!trap.step([&] { grid.closeDefinition(); })) return;
  if (!trap.step([&] { grid.finish(); })) return;
  if (!trap.step([&] { grid.setDataSource(m_fmeCampiArgomenti.recordset()); })) return;

  std::shared_ptr<platform::db::Recordset> rows;
  if (!trap.step([&] { m_campiArgomentiQuery = std::string(s::kNoBodyQuery); })) return;
  if (!trap.step([&] { rows = Db().Open(m_campiArgomentiQuery); })) return;
  if (!trap.step([&] {
        m_fmeCampiArgomenti.initialise(m_connection.get(), rows, m_campiArgomentiQuery, &navigator, &grid);
      })) {
    return;
  }
  for (const char* name : kBoundControls) {
    if (!trap.step([&] { m_fmeCampiArgomenti.registerControl(m_form.get<BoundControl>(name)); })) return;
  }
  if (!trap.step([&] { m_fmeCampiArgomenti.setKeyControl(m_form.get<BoundControl>("TXT_MG0P_CAMPO_MG0O")); })) {
    return;
  }
}

void FRMMG_PASSAGGIO::Lkp_Elenco_Argomenti(std::string& query, Variant& captions, std::string& title,
                                           std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    LookupAnswer{query, captions, title, connectionString}.give(
        {sql::Fill(s::kBodyList, {{"<K>", m_company.toText()}}), Variant(Variant::Array{"Codice", "", "Descrizione", ""}),
         "Elenco enti validazione", ""},
        m_connectionString);
    m_form.get<EditField>("TXT_ARGOMENTO").setLookupName("Lkp_Elenco_Argomenti");
  });
}

void FRMMG_PASSAGGIO::TXT_ARGOMENTO_Validate(bool& cancel) {
  IgnoringErrors steps = Ignoring();
  auto& code = m_form.get<EditField>("TXT_ARGOMENTO");
  auto& description = m_form.get<EditField>("TXT_DESC_ARGOMENTO");
  if (DefaultSeVuoto(Variant(code.text()), "").toText().empty()) {
    steps.step([&] { description.setText(""); });
    return;
  }
  std::shared_ptr<platform::db::Recordset> body;
  steps.step([&] {
    m_sql = sql::Fill(s::kBodyByCode, {{"<K>", m_company.toText()}, {"<C>", sql::Quoted(code.text())}});
  });
  steps.step([&] { body = Db().Open(m_sql); });
  if (!body || body->Eof()) {
    steps.step([&] { description.setText(""); });
    ShowRefusal(*this, s::kUnknownBodyMessage);
    cancel = true;
    steps.step([&] { code.setFocus(); });
    return;
  }
  steps.step([&] { description.setText(DefaultSeVuoto(body->Field("MG0M_DESCARGOMENTO"), "").toText()); });
  steps.step([&] { m_currentBodyId = DefaultSeVuoto(body->Field("MG0M_ID"), 0); });
  ReopenFields(*this, steps, sql::Fill(s::kBodyQuery, {{"<B>", sql::Quoted(m_currentBodyId.toText())}}));
  steps.step([&] { code.setEnabled(false); });
  steps.step([&] { m_form.get<Button>("CMD_CHANGE_ARG").setEnabled(true); });
  steps.step([&] { m_form.get<GridNavigator>("GRIDNAV_CAMPI_ARG").setEnabled(true); });
}

void FRMMG_PASSAGGIO::CMD_CHANGE_ARG_ButtonClick() {
  ErrorTrap trap = Trap("CMD_CHANGE_ARG_ButtonClick");
  auto& code = m_form.get<EditField>("TXT_ARGOMENTO");
  if (!ReopenFields(*this, trap, std::string(s::kNoBodyQuery))) return;
  if (!trap.step([&] { code.setEnabled(true); })) return;
  if (!trap.step([&] { m_form.get<Button>("CMD_CHANGE_ARG").setEnabled(false); })) return;
  if (!trap.step([&] { m_form.get<GridNavigator>("GRIDNAV_CAMPI_ARG").setEnabled(false); })) return;
  if (!trap.step([&] { code.setFocus(); })) return;
}

void FRMMG_PASSAGGIO::GRD_CAMPI_ARG_DataFormatEXT(std::string& text, const std::string& column, const RowValues& row) {
  IgnoringErrors steps = Ignoring();
  // The catalogue's name or caption of the row's field, when the catalogue has it.
  const auto fromCatalogue = [&](std::string_view statement, const Variant& id, const char* result) {
    std::shared_ptr<platform::db::Recordset> rows;
    steps.step([&] { m_sql = sql::Fill(statement, {{"<ID>", id.toText()}}); });
    steps.step([&] { rows = Db().Open(m_sql); });
    steps.step([&] {
      if (rows && !rows->Eof()) text = DefaultSeVuoto(rows->Field(result), "").toText();
    });
  };
  if (column == "MG0P_CAMPO_MG0O") {
    fromCatalogue(s::kFieldName, Variant(text), "MG0O_CAMPO");
  } else if (column == "DESC_CAMPO") {
    fromCatalogue(s::kFieldCaption, row["MG0P_CAMPO_MG0O"], "MG0O_CAPTIONCAMPO");
  } else if (column == "MG0P_VALORE_OBBLIGATORIO" || column == "MG0P_VALIDAZ_MANUALE" ||
             column == "MG0P_INDVALZERO") {
    if (text == "0") text = "No";
    else if (text == "1") text = "Sì";
  }
}

void FRMMG_PASSAGGIO::Lkp_Elenco_Campi(std::string& query, Variant& captions, std::string& title,
                                       std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    LookupAnswer{query, captions, title, connectionString}.give(
        {std::string(s::kFieldList), Variant(Variant::Array{"Codice", "", "Descrizione", "", "Numerico", ""}),
         "Elenco campi", ""},
        m_connectionString);
    m_form.get<EditField>("TXT_CAMPO_ARG").setLookupName("Lkp_Elenco_Campi");
  });
}

void FRMMG_PASSAGGIO::TXT_CAMPO_ARG_AfterItem(bool& cancel) {
  ErrorTrap trap = Trap("TXT_CAMPO_ARG_AfterItem");
  auto& name = m_form.get<EditField>("TXT_CAMPO_ARG");
  auto& description = m_form.get<EditField>("TXT_DESC_CAMPO");
  if (DefaultSeVuoto(Variant(name.text()), "").toText().empty()) {
    if (!trap.step([&] { description.setText(""); })) return;
    return;
  }
  std::shared_ptr<platform::db::Recordset> field;
  if (!trap.step([&] { m_sql = sql::Compose(s::kFieldByName, {{"<NAME>", sql::Quoted(name.text())}}); })) return;
  if (!trap.step([&] { field = Db().Open(m_sql); })) return;
  if (field->Eof()) {
    if (!trap.step([&] { description.setText(""); })) return;
    ShowRefusal(*this, s::kUnknownFieldMessage);
    cancel = true;
    if (!trap.step([&] { name.setFocus(); })) return;
    return;
  }
  if (!trap.step([&] { description.setText(DefaultSeVuoto(field->Field("MG0O_CAPTIONCAMPO"), "").toText()); })) {
    return;
  }
  if (!trap.step([&] {
        m_form.get<EditField>("TXT_MG0P_CAMPO_MG0O").setText(DefaultSeVuoto(field->Field("MG0O_ID"), 0).toText());
      })) {
    return;
  }
  if (!trap.step([&] {
        m_form.get<CheckBox>("CHK_MG0P_INDVALZERO").setValue(
            static_cast<int>(DefaultSeVuoto(field->Field("MG0O_INDVALZERO"), 0).toInteger()));
      })) {
    return;
  }
  if (!trap.step([&] { EseguiQuery_Campi_Argomenti(); })) return;
  if (!trap.step([&] { EnableFlags(m_form, *field); })) return;
}

void FRMMG_PASSAGGIO::TXT_CAMPO_ARG_DecodeRequest() {
  IgnoringErrors steps = Ignoring();
  auto& name = m_form.get<EditField>("TXT_CAMPO_ARG");
  auto& description = m_form.get<EditField>("TXT_DESC_CAMPO");
  if (DefaultSeVuoto(Variant(name.text()), "").toText().empty()) {
    steps.step([&] { description.setText(""); });
    return;
  }
  std::shared_ptr<platform::db::Recordset> field;
  steps.step([&] { m_sql = sql::Fill(s::kFieldDecode, {{"<NAME>", sql::Quoted(name.text())}}); });
  steps.step([&] { field = Db().Open(m_sql); });
  if (!field || field->Eof()) {
    steps.step([&] { description.setText(""); });
    return;
  }
  steps.step([&] { description.setText(DefaultSeVuoto(field->Field("MG0O_CAPTIONCAMPO"), "").toText()); });
  steps.step([&] { EnableFlags(m_form, *field); });
}

bool FRMMG_PASSAGGIO::EseguiQuery_Campi_Argomenti() {
  ErrorTrap trap = Trap("EseguiQuery_Campi_Argomenti");
  bool found = false;
  const auto& rows = m_fmeCampiArgomenti.recordset();
  if (!trap.step([&] {
        if (!(Set(rows).Bof() && rows->Eof())) {
          rows->SetField("MG0P_ARGOMENTO_MG0M", m_currentBodyId);
          rows->SetField("MG0P_CAMPO_MG0O", Variant(m_form.get<EditField>("TXT_MG0P_CAMPO_MG0O").text()));
        }
      })) {
    return false;
  }
  if (!trap.step([&] {
        if (m_fmeCampiArgomenti.status() == RecordEditor::kStatusNew) found = m_fmeCampiArgomenti.keyQuery(true, true);
      })) {
    return false;
  }
  return found;
}

void FRMMG_PASSAGGIO::FME_Campi_Argomenti_ChangeStatus(int status) {
  ErrorTrap trap = Trap("FME_Campi_Argomenti_ChangeStatus");
  auto& name = m_form.get<EditField>("TXT_CAMPO_ARG");
  auto& zero = m_form.get<CheckBox>("CHK_MG0P_INDVALZERO");
  if (status == RecordEditor::kStatusSaved) {
    Variant id;
    if (!trap.step([&] { id = DefaultSeVuoto(Set(m_fmeCampiArgomenti.recordset()).Field("MG0P_CAMPO_MG0O"), 0); })) {
      return;
    }
    if (!trap.step([&] { name.setEnabled(false); })) return;
    if (!trap.step([&] { name.setText(Codice_Campo_DaID(id)); })) return;
    // The name is shown with its caption, as when it is typed; its flags follow below.
    if (!trap.step([&] { name.decode(); })) return;
    if (!trap.step([&] { zero.setEnabled(IsCampoNumerico(id)); })) return;
  } else if (status == RecordEditor::kStatusNew) {
    if (!trap.step([&] { name.setText(""); })) return;
    if (!trap.step([&] { m_form.get<EditField>("TXT_DESC_CAMPO").setText(""); })) return;
    if (!trap.step([&] { name.setEnabled(true); })) return;
    if (!trap.step([&] { name.setFocus(); })) return;
    if (!trap.step([&] { zero.setEnabled(true); })) return;
  }
}

}  // namespace passaggio

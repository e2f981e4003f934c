// The entity associations page: which classification values each validation body governs.
// The grid lists the company's associations; the record editor under it edits one, with a
// code field per managed classification and the body chosen by its code.
#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/query_runner.h"
#include "platform/host/display.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/lookup_answer.h"
#include "src/common/row_key.h"
#include "src/common/sql_text.h"
#include "src/config/classifications.h"
#include "src/exclusions/frmmg_novalidaz.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;

constexpr const char* kBodyIdColumn = "MG0Q_ARGOMENTO_MG0M";
constexpr const char* kUnknownBody = "Codice ente validazione inesistente.";

constexpr std::string_view kBodyByCode =
    "SELECT MG0M_ID , MG0M_DESCARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> "
    "     AND MG0M_ARGOMENTO = <CODE> ";

std::string bodyByCode(const Variant& company, const std::string& code) {
  return sql::Fill(kBodyByCode, {{"<K>", company.toText()}, {"<CODE>", sql::Quoted(code)}});
}

}  // namespace

void FRMMG_PASSAGGIO::ImpostaVirtualFrame_Entita_Argomenti() {
  ErrorTrap trap = Trap("ImpostaVirtualFrame_Entita_Argomenti");
  auto& grid = m_form.get<Grid>("GRD_ENTITA_ARG");
  auto& navigator = m_form.get<GridNavigator>("GRIDNAV_ENTITA_ARG");
  auto& editor = m_fmeEntitaArgomenti;
  if (!trap.step([&] { grid.setWrapper(GridWrapper{m_host, nullptr, "MG0Q_KEY_GRID", 0}); })) return;
  if (!trap.step([&] { grid.resetColumns(); })) return;
  for (const Classification& column : kClassifications) {
    if (!trap.step([&] { grid.addTextColumn(column.column, column.gridCaption, GridColumn::kTextKind, column.gridWidth); })) {
      return;
    }
  }
  if (!trap.step([&] { grid.addTextColumn(kBodyIdColumn, "Entità validazione", GridColumn::kTextKind, 2500); })) return;
  if (!trap.step([&] { grid.closeDefinition(); })) return;
  if (!trap.step([&] { grid.finish(); })) return;
  if (!trap.step([&] { grid.setDataSource(m_associations); })) return;

  std::string query;
  if (!trap.step([&] {
        query = "SELECT * "
                " FROM MG0Q_ENTITARG_PASSAGGI "
                " WHERE MG0Q_DITTA_CG18 = " + m_company.toText() + " ";
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = query;
        m_associations = Db().Open(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { editor.initialise(&Db(), m_associations, query, &navigator, &grid); })) return;
  // The fields run the queries of their look-ups and decodes on the console's connection.
  const auto runner = platform::controls::queryRunnerFor(Db());
  for (const Classification& field : kClassifications) {
    auto& codeField = m_form.get<EditField>(field.codeField);
    if (!trap.step([&] { codeField.setQueryRunner(runner); })) return;
    if (!trap.step([&] { editor.registerControl(codeField); })) return;
  }
  if (!trap.step([&] { m_form.get<EditField>("TXT_ENTITA_ARG").setQueryRunner(runner); })) return;
  if (!trap.step([&] { editor.registerControl(m_form.get<EditField>("TXT_MG0Q_ARGOMENTO_MG0M")); })) return;
  if (!trap.step([&] { editor.showCurrentRow(); })) return;
}

void FRMMG_PASSAGGIO::GRD_ENTITA_ARG_DataFormatEXT(std::string& text, const std::string& column) {
  if (column != kBodyIdColumn) return;
  IgnoringErrors steps = Ignoring();
  std::shared_ptr<platform::db::Recordset> rows;
  steps.step([&] {
    m_sql = "SELECT MG0M_ARGOMENTO "
            "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
            "WHERE MG0M_ID = " + text + " ";
    rows = Db().Open(m_sql);
  });
  steps.step([&] {
    if (!Set(rows).Eof()) text = DefaultSeVuoto(rows->Field("MG0M_ARGOMENTO"), "").toText();
  });
}

void FRMMG_PASSAGGIO::TXT_ENTITA_ARG_AfterItem(bool& cancel) {
  IgnoringErrors steps = Ignoring();
  auto& code = m_form.get<EditField>("TXT_ENTITA_ARG");
  auto& description = m_form.get<EditField>("TXT_DESC_ENTITA_ARG");
  const std::string entered = DefaultSeVuoto(Variant(code.text()), "").toText();
  if (entered.empty()) {
    description.setText("");
    return;
  }
  std::shared_ptr<platform::db::Recordset> body;
  steps.step([&] {
    m_sql = bodyByCode(m_company, entered);
    body = Db().Open(m_sql);
  });
  if (!body) return;
  if (body->Eof()) {
    description.setText("");
    steps.step([&] { MessaggioUtente(kUnknownBody, platform::host::style::kExclamation, Variant(Caption()), ""); });
    cancel = true;
    steps.step([&] { code.setFocus(); });
    return;
  }
  steps.step([&] { description.setText(DefaultSeVuoto(body->Field("MG0M_DESCARGOMENTO"), "").toText()); });
  steps.step([&] {
    m_form.get<EditField>("TXT_MG0Q_ARGOMENTO_MG0M").setText(DefaultSeVuoto(body->Field("MG0M_ID"), 0).toText());
  });
  steps.step([&] { EseguiQuery_Entita_Argomenti(); });
}

void FRMMG_PASSAGGIO::TXT_ENTITA_ARG_DecodeRequest(bool& cancel) {
  cancel = false;
  IgnoringErrors steps = Ignoring();
  auto& description = m_form.get<EditField>("TXT_DESC_ENTITA_ARG");
  const std::string entered = DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_ENTITA_ARG").text()), "").toText();
  if (entered.empty()) {
    description.setText("");
    return;
  }
  steps.step([&] {
    m_sql = bodyByCode(m_company, entered);
    const auto body = Db().Open(m_sql);
    if (!body->Eof()) description.setText(DefaultSeVuoto(body->Field("MG0M_DESCARGOMENTO"), "").toText());
  });
}

void FRMMG_PASSAGGIO::Lkp_Elenco_Argomenti_Entita(bool& cancel, std::string& query, Variant& captions,
                                                  std::string& title, std::string& connection) {
  cancel = false;
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    LookupAnswer{query, captions, title, connection}.give(
        {"SELECT MG0M_ARGOMENTO , MG0M_DESCARGOMENTO "
         "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
         "WHERE MG0M_DITTA_CG18 = " + m_company.toText() + " ",
         Variant(Variant::Array{"Codice", "", "Descrizione", ""}), "Elenco enti validazione", ""},
        m_connectionString);
    m_form.get<EditField>("TXT_ENTITA_ARG").setLookupName("Lkp_Elenco_Argomenti_Entita");
  });
}

bool FRMMG_PASSAGGIO::EseguiQuery_Entita_Argomenti() {
  ErrorTrap trap = Trap("EseguiQuery_Entita_Argomenti");
  auto& editor = m_fmeEntitaArgomenti;
  bool current = false;
  if (!trap.step([&] { current = m_associations && !m_associations->Eof() && !m_associations->Bof(); })) return false;
  if (!current) return false;
  if (!trap.step([&] { m_associations->SetField("MG0Q_DITTA_CG18", m_company); })) return false;
  for (const Classification& field : kClassifications) {
    if (!trap.step([&] {
          // An empty classification matches nothing in particular: it is stored as NULL.
          const std::string code = DefaultSeVuoto(Variant(m_form.get<EditField>(field.codeField).text()), "").toText();
          m_associations->SetField(field.column, code.empty() ? Variant::null() : Variant(code));
        })) {
      return false;
    }
  }
  if (!trap.step([&] {
        m_associations->SetField(
            kBodyIdColumn,
            Variant(DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_MG0Q_ARGOMENTO_MG0M").text()), "").toText()));
      })) {
    return false;
  }
  bool found = false;
  if (!trap.step([&] { found = editor.status() == RecordEditor::kStatusNew && editor.keyQuery(true, true); })) {
    return false;
  }
  return found;
}

void FRMMG_PASSAGGIO::FME_Entita_Argomenti_BeforeUpdate(bool& cancel) {
  ErrorTrap trap = Trap("FME_Entita_Argomenti_BeforeUpdate");
  cancel = false;
  // The body code is read again, so the row carries the body the field shows. An unknown
  // code has said so already; the row is then not saved with a body the user did not mean.
  bool unknownBody = false;
  if (!trap.step([&] { TXT_ENTITA_ARG_AfterItem(unknownBody); })) return;
  if (unknownBody) {
    cancel = true;
    return;
  }
  if (m_fmeEntitaArgomenti.status() == RecordEditor::kStatusNew) {
    std::shared_ptr<platform::db::Recordset> max;
    if (!trap.step([&] {
          m_sql = "SELECT ISNULL(MAX(MG0Q_ID),0) AS MAX_ID FROM MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ";
          max = Db().Open(m_sql);
        })) {
      return;
    }
    if (!trap.step([&] {
          const long long next = max->Eof() ? 1 : DefaultSeVuoto(max->Field("MAX_ID"), 0).toInteger() + 1;
          m_associations->SetField("MG0Q_KEY_GRID", Variant(RowKey(next)));
        })) {
      return;
    }
  }
  if (!trap.step([&] { m_associations->SetField("MG0Q_DITTA_CG18", m_company); })) return;
}

void FRMMG_PASSAGGIO::FME_Entita_Argomenti_ChangeStatus(int status) {
  ErrorTrap trap = Trap("FME_Entita_Argomenti_ChangeStatus");
  auto& exclusions = m_form.get<Button>("CMD_DETTAGLIO_NOVALIDAZ");
  if (status == RecordEditor::kStatusSaved) {
    if (!trap.step([&] {
          m_form.get<EditField>("TXT_ENTITA_ARG").setText(Codice_Entita_DaID(m_associations->Field(kBodyIdColumn)));
        })) {
      return;
    }
    // The body's description follows its code, as the classification descriptions do.
    if (!trap.step([&] { m_form.get<EditField>("TXT_ENTITA_ARG").decode(); })) return;
    if (!trap.step([&] { exclusions.setEnabled(true); })) return;
  } else if (status == RecordEditor::kStatusNew) {
    if (!trap.step([&] { m_form.get<EditField>("TXT_ENTITA_ARG").setText(""); })) return;
    if (!trap.step([&] { m_form.get<EditField>("TXT_DESC_ENTITA_ARG").setText(""); })) return;
    for (const Classification& field : kClassifications) {
      if (!trap.step([&] { m_form.get<EditField>(field.descriptionField).setText(""); })) return;
    }
    if (!trap.step([&] { exclusions.setEnabled(false); })) return;
  }
}

void FRMMG_PASSAGGIO::CMD_DETTAGLIO_NOVALIDAZ_ButtonClick() {
  ErrorTrap trap = Trap("CMD_DETTAGLIO_NOVALIDAZ_ButtonClick");
  // Exclusions belong to a saved association: a new or changed row has none to show yet.
  if (m_fmeEntitaArgomenti.status() != RecordEditor::kStatusSaved) return;
  std::shared_ptr<FRMMG_NOVALIDAZ> dialog;
  if (!trap.step([&] {
        dialog = std::make_shared<FRMMG_NOVALIDAZ>();
        dialog->m_host = m_host;
        dialog->m_connection = m_connection;
        dialog->m_log = m_log;
      })) {
    return;
  }
  if (!trap.step([&] {
        dialog->m_associationId = Set(m_associations).Field("MG0Q_ID");
        dialog->m_bodyId = m_associations->Field(kBodyIdColumn);
      })) {
    return;
  }
  if (!trap.step([&] { dialog->Show(1); })) return;
  if (!trap.step([&] {
        dialog->m_host.reset();
        dialog->m_connection.reset();
        dialog.reset();
      })) {
    return;
  }
}

}  // namespace passaggio

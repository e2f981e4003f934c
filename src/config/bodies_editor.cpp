// The validation bodies page: the grid of the company's bodies, the record editor that edits
// one, the responsible user or group entered by code and saved by id, and the rules that keep
// a start state's responsibilities apart and a body in use from being deleted.
#include <string>

#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/text/letter_case.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/lookup_answer.h"
#include "src/common/sql_text.h"
#include "src/config/bodies_statements.h"
#include "src/config/editor_support.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;
namespace s = bodies_statements;

struct BodyColumn {
  const char* field;
  const char* caption;
  int width;
};

constexpr BodyColumn kColumns[] = {
    {"MG0M_ARGOMENTO", "Ente validazione", 1800},     {"MG0M_DESCARGOMENTO", "Descrizione", 2100},
    {"MG0M_TIPO_RESPONSABILE", "Tipo responsabile", 1500}, {"MG0M_UTENTE_FW07", "Utente responsabile", 1900},
    {"MG0M_GRUPPO_FW06", "Gruppo responsabile", 1600}, {"MG0M_STATOINI_MG6W", "Stato di partenza", 1500},
    {"MG0M_STATOFIN_MG6W", "Stato di arrivo", 1500},
};

// In the order the editor registers them: the responsible type before the two id holders, so
// that showing a row sets the type (which empties the other holder) before the ids arrive.
constexpr const char* kBoundControls[] = {
    "TXT_MG0M_ARGOMENTO",     "TXT_MG0M_DESCARGOMENTO", "CMB_MG0M_TIPO_RESPONSABILE", "TXT_MG0M_UTENTE_FW07",
    "TXT_MG0M_GRUPPO_FW06",   "CMB_MG0M_STATOINI_MG6W", "CMB_MG0M_STATOFIN_MG6W",
};

// A code as typed into the body code field: without single quotes, in upper case.
std::string BodyCode(const std::string& typed) {
  std::string code = typed;
  std::erase(code, '\'');
  return platform::text::toUpper(code);
}

}  // namespace

void FRMMG_PASSAGGIO::ImpostaVirtualFrame_Argomenti() {
  ErrorTrap trap = Trap("ImpostaVirtualFrame_Argomenti");
  auto& grid = m_form.get<Grid>("GRD_ARGOMENTI");
  auto& navigator = m_form.get<GridNavigator>("GRIDNAV_ARGOMENTI");
  // The look-up and decode fields run their queries on the own connection.
  if (!trap.step([&] {
        for (const char* name : {"TXT_UTENTE_RESPONSABILE", "TXT_GRUPPO_RESPONSABILE"}) {
          m_form.get<EditField>(name).setQueryRunner(OwnConnectionRunner(*this));
        }
      })) {
    return;
  }
  if (!trap.step([&] { grid.setWrapper(GridWrapper{Global(), nullptr, "MG0M_ARGOMENTO", 0}); })) return;
  if (!trap.step([&] { grid.resetColumns(); })) return;
  for (const BodyColumn& column : kColumns) {
    if (!trap.step([&] { grid.addTextColumn(column.field, column.caption, GridColumn::kTextKind, column.width); })) {
      return;
    }
  }
  if (!trap.step([&] { grid.closeDefinition(); })) return;
  if (!trap.step([&] { grid.finish(); })) return;
  if (!trap.step([&] { grid.setDataSource(m_fmeArgomenti.recordset()); })) return;

  std::string query;
  std::shared_ptr<platform::db::Recordset> rows;
  if (!trap.step([&] { query = sql::Fill(s::kFrameQuery, {{"<K>", m_company.toText()}}); })) return;
  if (!trap.step([&] { rows = Db().Open(query); })) return;
  if (!trap.step([&] { m_fmeArgomenti.initialise(m_connection.get(), rows, query, &navigator, &grid); })) return;
  for (const char* name : kBoundControls) {
    if (!trap.step([&] { m_fmeArgomenti.registerControl(m_form.get<BoundControl>(name)); })) return;
  }
  if (!trap.step([&] { m_fmeArgomenti.setKeyControl(m_form.get<BoundControl>("TXT_MG0M_ARGOMENTO")); })) return;
}

bool FRMMG_PASSAGGIO::EseguiQuery_Argomenti() {
  ErrorTrap trap = Trap("EseguiQuery_Argomenti");
  bool found = false;
  const auto& rows = m_fmeArgomenti.recordset();
  if (!trap.step([&] {
        if (!(Set(rows).Bof() && rows->Eof())) {
          rows->SetField("MG0M_DITTA_CG18", m_company);
          rows->SetField("MG0M_ARGOMENTO",
                         DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_MG0M_ARGOMENTO").text()), ""));
        }
      })) {
    return false;
  }
  if (!trap.step([&] {
        if (m_fmeArgomenti.status() == RecordEditor::kStatusNew) found = m_fmeArgomenti.keyQuery(true, true);
      })) {
    return false;
  }
  return found;
}

void FRMMG_PASSAGGIO::TXT_MG0M_ARGOMENTO_AfterItem() {
  ErrorTrap trap = Trap("TXT_MG0M_ARGOMENTO_AfterItem");
  auto& field = m_form.get<EditField>("TXT_MG0M_ARGOMENTO");
  if (DefaultSeVuoto(Variant(field.text()), "").toText().empty()) return;
  if (!trap.step([&] { field.setText(BodyCode(field.text())); })) return;
  if (!trap.step([&] { EseguiQuery_Argomenti(); })) return;
}

void FRMMG_PASSAGGIO::GRD_ARGOMENTI_DataFormatEXT(std::string& text, const std::string& column) {
  ErrorTrap trap = Trap("GRD_ARGOMENTI_DataFormatEXT");
  const Variant value(text);
  if (column == "MG0M_UTENTE_FW07") {
    if (!trap.step([&] { text = DefaultSeVuoto(Variant(Codice_Utente_DaID(value)), "").toText(); })) return;
  } else if (column == "MG0M_GRUPPO_FW06") {
    if (!trap.step([&] { text = DefaultSeVuoto(Variant(Codice_Gruppo_DaID(value)), "").toText(); })) return;
  } else if (column == "MG0M_TIPO_RESPONSABILE") {
    if (text == "0") text = "Utente";
    else if (text == "1") text = "Gruppo";
  } else if (column == "MG0M_STATOINI_MG6W" || column == "MG0M_STATOFIN_MG6W") {
    std::shared_ptr<platform::db::Recordset> rows;
    if (!trap.step([&] {
          m_sql = sql::Fill(s::kStateDescription, {{"<V>", DefaultSeVuoto(value, 0).toText()}});
        })) {
      return;
    }
    if (!trap.step([&] { rows = Db().Open(m_sql); })) return;
    if (!trap.step([&] {
          if (!rows->Eof()) text = DefaultSeVuoto(rows->Field("MG6W_DESCR"), "").toText();
        })) {
      return;
    }
  }
}

namespace {

// The id of the code in `field` by `statement`, into the hidden `holder`; none empties it.
void ResponsibleId(FRMMG_PASSAGGIO& form, const char* procedure, std::string_view statement, const char* field,
                   const char* holder, const char* idColumn) {
  ErrorTrap trap = form.Trap(procedure);
  auto& controls = form.Controls();
  auto& target = controls.get<EditField>(holder);
  std::shared_ptr<platform::db::Recordset> rows;
  if (!trap.step([&] {
        const std::string code = DefaultSeVuoto(Variant(controls.get<EditField>(field).text()), "").toText();
        form.m_sql = sql::Fill(statement, {{"<CODE>", sql::Quoted(code)}});
      })) {
    return;
  }
  if (!trap.step([&] { rows = Set(form.m_connection).Open(form.m_sql); })) return;
  if (!trap.step([&] {
        target.setText(rows->Eof() ? std::string() : DefaultSeVuoto(rows->Field(idColumn), 0).toText());
      })) {
    return;
  }
}

}  // namespace

void FRMMG_PASSAGGIO::TXT_UTENTE_RESPONSABILE_AfterItem() {
  ResponsibleId(*this, "TXT_UTENTE_RESPONSABILE_AfterItem", s::kUserId, "TXT_UTENTE_RESPONSABILE",
                "TXT_MG0M_UTENTE_FW07", "FW07_ID");
}

void FRMMG_PASSAGGIO::TXT_GRUPPO_RESPONSABILE_AfterItem() {
  ResponsibleId(*this, "TXT_GRUPPO_RESPONSABILE_AfterItem", s::kGroupId, "TXT_GRUPPO_RESPONSABILE",
                "TXT_MG0M_GRUPPO_FW06", "FW06_ID");
}

void FRMMG_PASSAGGIO::TXT_UTENTE_RESPONSABILE_DecodeRequest(std::string& query, Variant& mapping,
                                                            std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const std::string code = DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_UTENTE_RESPONSABILE").text()), "").toText();
    platform::host::Decode decode = Set(m_userGroupDecode).DecodeUser(code, m_form.reference("TXT_DESC_UTENTE"));
    query = decode.query;
    mapping = decode.mapping;
    connectionString = m_connectionString;
  });
}

void FRMMG_PASSAGGIO::TXT_GRUPPO_RESPONSABILE_DecodeRequest(std::string& query, Variant& mapping,
                                                            std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const std::string code = DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_GRUPPO_RESPONSABILE").text()), "").toText();
    platform::host::Decode decode = Set(m_userGroupDecode).DecodeGroup(code, m_form.reference("TXT_DESC_GRUPPO_RESP"));
    query = decode.query;
    mapping = decode.mapping;
    connectionString = m_connectionString;
  });
}

void FRMMG_PASSAGGIO::TXT_UTENTE_RESPONSABILE_LookupRequest(std::string& query, Variant& captions, std::string& title,
                                                            std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const platform::host::LookupList list = Set(m_userGroupLookup).Users();
    LookupAnswer{query, captions, title, connectionString}.give(list, m_connectionString);
    m_form.get<EditField>("TXT_UTENTE_RESPONSABILE").setLookupName(list.name);
  });
}

void FRMMG_PASSAGGIO::TXT_GRUPPO_RESPONSABILE_LookupRequest(std::string& query, Variant& captions, std::string& title,
                                                            std::string& connectionString) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const platform::host::LookupList list = Set(m_userGroupLookup).Groups();
    LookupAnswer{query, captions, title, connectionString}.give(list, m_connectionString);
    m_form.get<EditField>("TXT_GRUPPO_RESPONSABILE").setLookupName(list.name);
  });
}

void FRMMG_PASSAGGIO::FME_Argomenti_ChangeStatus(int status) {
  ErrorTrap trap = Trap("FME_Argomenti_ChangeStatus");
  auto& code = m_form.get<EditField>("TXT_MG0M_ARGOMENTO");
  auto& user = m_form.get<EditField>("TXT_UTENTE_RESPONSABILE");
  auto& group = m_form.get<EditField>("TXT_GRUPPO_RESPONSABILE");
  if (status == RecordEditor::kStatusSaved) {
    const auto& rows = m_fmeArgomenti.recordset();
    if (!trap.step([&] { code.setEnabled(false); })) return;
    // The codes are shown with their descriptions, as when they are typed.
    if (!trap.step([&] { user.setText(Codice_Utente_DaID(Set(rows).Field("MG0M_UTENTE_FW07"))); })) return;
    if (!trap.step([&] { user.decode(); })) return;
    if (!trap.step([&] { group.setText(Codice_Gruppo_DaID(Set(rows).Field("MG0M_GRUPPO_FW06"))); })) return;
    if (!trap.step([&] { group.decode(); })) return;
  } else if (status == RecordEditor::kStatusNew) {
    for (const char* name : {"TXT_UTENTE_RESPONSABILE", "TXT_DESC_UTENTE", "TXT_GRUPPO_RESPONSABILE",
                             "TXT_DESC_GRUPPO_RESP"}) {
      if (!trap.step([&] { m_form.get<EditField>(name).setText(""); })) return;
    }
    if (!trap.step([&] { code.setEnabled(true); })) return;
    if (!trap.step([&] { code.setFocus(); })) return;
  }
}

void FRMMG_PASSAGGIO::FME_Argomenti_BeforeUpdate(bool& cancel) {
  ErrorTrap trap = Trap("FME_Argomenti_BeforeUpdate");
  // A rule that could not be checked keeps the row from being saved: refusing is the safe side.
  const auto leave = [&] { cancel = true; };
  // The state a chooser shows; its value, as states are told apart by code.
  const auto stateOf = [&](const char* name) {
    return DefaultSeVuoto(m_form.get<Chooser>(name).value(), 0).toText();
  };
  bool equal = false;
  if (!trap.step([&] { equal = stateOf("CMB_MG0M_STATOINI_MG6W") == stateOf("CMB_MG0M_STATOFIN_MG6W"); })) return leave();
  if (equal) {
    ShowRefusal(*this, s::kEqualStatesMessage);
    return leave();
  }

  const auto& rows = m_fmeArgomenti.recordset();
  std::string code, start, user, group;
  bool userType = true;
  if (!trap.step([&] {
        code = DefaultSeVuoto(Set(rows).Field("MG0M_ARGOMENTO"), "").toText();
        start = DefaultSeVuoto(rows->Field("MG0M_STATOINI_MG6W"), 0).toText();
        userType = DefaultSeVuoto(rows->Field("MG0M_TIPO_RESPONSABILE"), 0).toDouble() == 0;
        user = DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_MG0M_UTENTE_FW07").text()), 0).toText();
        group = DefaultSeVuoto(Variant(m_form.get<EditField>("TXT_MG0M_GRUPPO_FW06").text()), 0).toText();
      })) {
    return leave();
  }
  const std::string quotedCode = sql::Quoted(code);
  const std::string company = m_company.toText();
  for (const s::Conflict& conflict : userType ? s::kUserConflicts : s::kGroupConflicts) {
    std::shared_ptr<platform::db::Recordset> found;
    if (!trap.step([&] {
          m_sql = sql::Fill(s::kConflictHead, {{"<K>", company}, {"<C>", quotedCode}, {"<S>", start}}) +
                  sql::Fill(conflict.tail, {{"<U>", user}, {"<G>", group}});
        })) {
      return leave();
    }
    if (!trap.step([&] { found = Db().Open(m_sql); })) return leave();
    if (found->Eof()) continue;
    std::string other;
    if (!trap.step([&] { other = DefaultSeVuoto(found->Field("MG0M_ARGOMENTO"), "").toText(); })) return leave();
    ShowRefusal(*this, std::string(s::kConflictMessage) + other + ".\r\n" + std::string(conflict.reason));
    return leave();
  }
  if (!trap.step([&] { rows->SetField("MG0M_DITTA_CG18", m_company); })) return leave();
}

void FRMMG_PASSAGGIO::FME_Argomenti_BeforeDelete(bool& cancel) {
  ErrorTrap trap = Trap("FME_Argomenti_BeforeDelete");
  const auto leave = [&] { cancel = true; };
  std::string id;
  if (!trap.step([&] { id = DefaultSeVuoto(Set(m_fmeArgomenti.recordset()).Field("MG0M_ID"), "").toText(); })) {
    return leave();
  }
  const std::pair<std::string_view, std::string_view> rules[] = {{s::kBodyFields, s::kHasFieldsMessage},
                                                                 {s::kBodyAssociations, s::kHasAssociationsMessage}};
  for (const auto& [statement, message] : rules) {
    std::shared_ptr<platform::db::Recordset> found;
    if (!trap.step([&] { m_sql = sql::Fill(statement, {{"<I>", sql::Quoted(id)}}); })) return leave();
    if (!trap.step([&] { found = Db().Open(m_sql); })) return leave();
    if (!found->Eof()) {
      ShowRefusal(*this, message);
      return leave();
    }
  }
}

}  // namespace passaggio

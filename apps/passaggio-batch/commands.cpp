// The batch host's commands on the console's control models.
#include "apps/passaggio-batch/commands.h"

#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>

#include "platform/controls/button.h"
#include "platform/controls/control.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_export.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/side_bar.h"
#include "platform/db/printable.h"
#include "platform/db/recordset_csv.h"
#include "platform/script/model_driver.h"
#include "platform/script/script.h"
#include "platform/services/state_change_log.h"
#include "platform/text/ascii.h"

namespace passaggio::batch {
namespace {

using namespace platform::controls;

void writeRecord(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << platform::db::csvField(platform::Variant(fields[i]));
  out << "\r\n";
}

// The managed entities as GRD_ENTITA shows them: code, description, ticked or not.
void listEntities(const Grid& grid) {
  writeRecord(std::cout, {"code", "description", "selected"});
  for (std::size_t row = 0; row < grid.rowCount(); ++row) {
    writeRecord(std::cout, {grid.cell(row, "MG0L_ENTITA").text, grid.cell(row, "MG0L_DESCENTITA").text,
                            grid.cell(row, "MG0L_ENTITA_SEL").checked ? "1" : "0"});
  }
}

// The items grid as CSV: its result set as stored, or the texts it shows under its captions.
void writeItemsGrid(std::ostream& out, Form& form, bool display) {
  auto& grid = form.get<Grid>("GRD_ARTICOLI");
  if (!display) {
    if (grid.dataSource()) platform::db::writeCsv(out, *grid.dataSource());
    return;
  }
  std::vector<std::string> captions;
  for (const auto& column : grid.columns()) {
    if (column.visible) captions.push_back(column.caption);
  }
  writeRecord(out, captions);
  for (const auto& row : grid.displayedRows()) writeRecord(out, row);
}

// Sets each CAPTION=FIRST[..SECOND] in the filter as a user typing both ends, a field by its
// caption or an attribute as "Attributo NAME[ contiene]". False (the reason said) for a name
// the filter does not have.
bool setFilter(Session& session, const std::vector<std::string>& filters) {
  auto& filter = session.form.get<EnhancedQuery>("ADVQ_ARTICOLI");
  for (const std::string& setting : filters) {
    const auto equals = setting.find('=');
    const std::string caption = setting.substr(0, equals);
    const std::string range = equals == std::string::npos ? std::string() : setting.substr(equals + 1);
    const auto dots = range.find("..");
    const auto value = [](std::string text) { return text.empty() ? platform::Variant() : platform::Variant(text); };
    const platform::Variant first = value(range.substr(0, dots));
    const platform::Variant second = value(dots == std::string::npos ? std::string() : range.substr(dots + 2));
    try {
      filter.enterSetting(caption, first, second);
    } catch (const std::invalid_argument& refused) {
      complain(refused.what());
      return false;
    }
    if (session.stopped()) return false;
  }
  return true;
}

// Presses the process button (a called console has processed already). False when the run
// stopped with a message, its results page not shown, or on an abort.
bool process(Session& session, const ProcessingOptions& options) {
  if (!options.item) session.form.get<Button>("CMD_ELABORA").click();
  return !session.stopped() && session.form.get<Frame>("FRAME_INTERROGAZ_RIS").isVisible();
}

// Processes and makes the item's row current in the items grid as a user choosing it does,
// so that the console builds its field detail. False (the reason said) when the item is not
// among the results or the run was aborted.
bool processAndChoose(Session& session, const std::string& code, const ProcessingOptions& options) {
  if (!setFilter(session, options.filters)) return false;
  process(session, options);
  if (session.stopped()) return false;
  auto& grid = session.form.get<Grid>("GRD_ARTICOLI");
  const auto row = grid.findRowByKey(platform::Variant(code));
  if (!row) {
    complain("l'articolo " + code + " non è nella griglia degli articoli");
    return false;
  }
  return grid.setCurrentRow(*row) && !session.stopped();
}

std::string trimmedText(const platform::Variant& value) {
  return value.isNull() ? std::string() : std::string(platform::text::trimRight(value.toText(), " "));
}

bool flag(const platform::Variant& value) { return !value.isNull() && value.toInteger() != 0; }

// The detail row of a body's field: a body's code shows on the first row of its fields only,
// so each row belongs to the last code above it.
std::optional<std::size_t> detailRow(const Grid& detail, const std::string& body, const std::string& field) {
  std::string currentBody;
  for (std::size_t row = 0; row < detail.rowCount(); ++row) {
    if (const std::string code = trimmedText(detail.cellValue(row, "MG0M_ARGOMENTO")); !code.empty()) currentBody = code;
    if (currentBody == body && trimmedText(detail.cellValue(row, "MG0O_CAMPO")) == field) return row;
  }
  return std::nullopt;
}

// Why a double-click on the detail row ticks nothing, as the row's columns tell; empty when
// the user may tick it.
std::string tickRefused(const Grid& detail, std::size_t row, const std::string& user, const std::string& body) {
  if (!flag(detail.cellValue(row, "METTI_VISTO"))) return "l'utente " + user + " non è responsabile dell'ente " + body;
  if (!flag(detail.cellValue(row, "MG0P_VALIDAZ_MANUALE"))) return "non è un campo a validazione manuale";
  return {};
}

}  // namespace

void complain(const std::string& message) {
  std::cerr << "passaggio-batch: " << platform::db::printable(message) << "\n";
}

int whoami(Session& session) {
  auto connection = std::make_shared<platform::db::Connection>();
  connection->Connect(session.connectionString);
  const auto global = session.host.global();
  const auto company = global->CurrentCompany();
  const auto user = global->CurrentUser();
  const auto states = session.host.objects()->NewItemStateService();
  states->Configure(connection, global->DatabaseConnectionString(), platform::Variant(user.id),
                    platform::Variant(user.code), platform::Variant(user.name), company.code,
                    !global->RestrictedStates());
  const platform::Variant allowedStates = states->AllowedStates();
  std::string allowed;
  for (const auto& state : allowedStates.array()) allowed += (allowed.empty() ? "" : " ") + state.toText();
  writeRecord(std::cout, {"company", "user_id", "user_code", "restricted", "allowed_states"});
  writeRecord(std::cout, {company.code.toText(), std::to_string(user.id), user.code,
                          global->RestrictedStates() ? "1" : "0", allowed});
  return kOk;
}

// The frames of the form (its pages), then every control with the page it sits on.
int pages(Session& session) {
  Form& form = session.form;
  std::map<std::string, std::string> parents;
  for (const ControlDesign& design : form.design().controls) parents[design.name] = design.parent;
  // The page of a control: the outermost frame it sits in.
  const auto pageOf = [&](const Control& control) {
    std::string page;
    for (const Control* current = &control; current != nullptr;) {
      if (current->kind() == ControlKind::Frame) page = current->name();
      const std::string& parent = parents[current->name()];
      current = parent.empty() ? nullptr : form.find(parent);
    }
    return page;
  };
  if (auto* sideBar = dynamic_cast<SideBar*>(form.find("SDB_PASSAGGIO"))) {
    writeRecord(std::cout, {"item", "caption"});
    for (const auto& item : sideBar->items()) writeRecord(std::cout, {item.key, item.caption});
    std::cout << "\r\n";
  }
  writeRecord(std::cout, {"page", "control", "kind", "caption", "enabled", "shown"});
  for (const auto& control : form.controls()) {
    writeRecord(std::cout, {pageOf(*control), control->name(), std::string(control->typeName()), control->caption(),
                            control->isEnabled() ? "1" : "0", control->isShown() ? "1" : "0"});
  }
  return kOk;
}

// Opens the entities page, lists it and, for ENTITY=0|1 pairs, ticks or unticks each entity's
// cell as a user does, saves, and lists it again. A refused change stops before saving.
int entities(Session& session, const std::vector<std::string>& arguments) {
  std::vector<std::pair<std::string, bool>> changes;
  for (const std::string& argument : arguments) {
    const auto equals = argument.find('=');
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    if (equals == 0 || (value != "0" && value != "1")) {
      complain("entities vuole coppie ENTITA=0|1, non " + argument);
      return kUsage;
    }
    changes.emplace_back(argument.substr(0, equals), value == "1");
  }
  if (!session.form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA")) {
    complain("la pagina delle entità non si apre");
    return kError;
  }
  if (session.stopped()) return kError;
  auto& grid = session.form.get<Grid>("GRD_ENTITA");
  listEntities(grid);
  if (changes.empty()) return kOk;

  for (const auto& [code, selected] : changes) {
    std::optional<std::size_t> found;
    for (std::size_t row = 0; row < grid.rowCount() && !found; ++row) {
      if (grid.cell(row, "MG0L_ENTITA").text == code) found = row;
    }
    if (!found) {
      complain("l'entità " + code + " non è nella griglia");
      return kError;
    }
    if (grid.cell(*found, "MG0L_ENTITA_SEL").checked == selected) continue;
    if (!grid.clickCheckBox(*found, "MG0L_ENTITA_SEL") || session.stopped()) return kError;  // the console said why
  }
  auto& save = session.form.get<Button>("CMD_SAVE_ENTITA");
  if (save.isEnabled() && !save.click()) {
    complain("impossibile premere " + save.name());
    return kError;
  }
  if (session.stopped()) return kError;
  std::cout << "\r\n";
  listEntities(grid);
  return kOk;
}

int script(Session& session, const std::string& file) {
  std::ifstream in;
  if (file != "-") {
    in.open(file);
    if (!in) {
      complain("impossibile leggere lo script " + file);
      return kError;
    }
  }
  using platform::script::ScriptError;
  try {
    const auto actions = platform::script::parseScript(file == "-" ? std::cin : in);
    std::size_t next = 0;
    // A line that fails inside a modal dialog must not cross the console's procedure that
    // opened it: it waits here until that procedure is back, the dialog closed.
    std::optional<ScriptError> failed;
    const auto runOn = [&](platform::controls::Form& form, const std::function<bool()>& over) {
      platform::script::ModelDriver driver(form, session.display, std::cout);
      while (next < actions.size() && !over()) {
        const auto& action = actions[next++];
        driver.run(action);
        if (failed) throw *failed;
        if (session.stopped()) throw ScriptError(action.line, "un errore ha avuto risposta abort: lo script si ferma");
      }
    };
    // The lines after the one that opened a modal dialog act inside it until it closes.
    session.windows.whileModal = [&](platform::host::ModuleWindow& dialog) {
      try {
        runOn(dialog.Controls(), [&] { return !session.windows.isOpen(dialog); });
      } catch (const ScriptError& error) {
        failed = error;
      }
    };
    runOn(session.form, [] { return false; });
    session.windows.whileModal = nullptr;
  } catch (const ScriptError& error) {
    session.windows.whileModal = nullptr;
    complain("script " + file + ", " + error.what());
    return kError;
  }
  return kOk;
}

int runCommand(Session& session, const ProcessingOptions& options) {
  if (!options.item && !setFilter(session, options.filters)) return kError;
  if (!process(session, options)) return session.stopped() ? kError : kOk;
  if (!options.output) {
    writeItemsGrid(std::cout, session.form, options.display);
    return session.stopped() ? kError : kOk;
  }
  std::ofstream out(*options.output, std::ios::binary | std::ios::trunc);
  if (out) writeSpreadsheetCsv(out, session.form.get<Grid>("GRD_ARTICOLI"));
  out.close();
  if (!out) {
    complain("impossibile scrivere " + *options.output);
    return kError;
  }
  return kOk;
}

int applyCommand(Session& session, const ProcessingOptions& options) {
  if (!options.item && !setFilter(session, options.filters)) return kError;
  if (!process(session, options)) return session.stopped() ? kError : kOk;
  session.form.get<Button>("CMD_AGGSTATI").click();
  // The records written are printed even when the apply was aborted: they are what happened.
  // Only this console's: another one applying at the same time writes its own rows.
  platform::db::writeCsv(std::cout, *platform::services::sessionChanges(session.console));
  if (session.stopped()) return kError;
  std::cout << "\r\n";
  writeItemsGrid(std::cout, session.form, options.display);
  return kOk;
}

int detailCommand(Session& session, const std::vector<std::string>& arguments, const ProcessingOptions& options) {
  if (arguments.size() != 1) {
    complain("detail vuole un CODICE articolo");
    return kUsage;
  }
  if (!processAndChoose(session, arguments[0], options)) return kError;
  const auto& detail = session.form.get<Grid>("GRD_DATIART_CAMPI").dataSource();
  if (detail) platform::db::writeCsv(std::cout, *detail);
  return kOk;
}

// Ticks or unticks each BODY:FIELD of the item's detail by double-click, saves through the
// detail's navigator and prints the item's row as the items grid holds it afterwards. A pair
// the user may not tick is refused, with the reason, before anything is clicked.
int signoffCommand(Session& session, const std::vector<std::string>& arguments, const ProcessingOptions& options) {
  std::vector<std::pair<std::string, std::string>> fields;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const auto colon = arguments[i].find(':');
    if (colon == 0 || colon == std::string::npos || colon + 1 == arguments[i].size()) {
      complain("signoff vuole coppie ENTE:CAMPO, non " + arguments[i]);
      return kUsage;
    }
    fields.emplace_back(arguments[i].substr(0, colon), arguments[i].substr(colon + 1));
  }
  if (fields.empty()) {
    complain("signoff vuole un CODICE articolo e almeno una coppia ENTE:CAMPO");
    return kUsage;
  }
  const std::string& code = arguments[0];
  if (!processAndChoose(session, code, options)) return kError;

  auto& detail = session.form.get<Grid>("GRD_DATIART_CAMPI");
  const std::string user = session.host.global()->CurrentUser().code;
  std::vector<std::size_t> rows;
  bool refused = false;
  for (const auto& [body, field] : fields) {
    const auto row = detailRow(detail, body, field);
    const std::string why = !row ? "non è nel dettaglio dell'articolo" : tickRefused(detail, *row, user, body);
    if (!why.empty()) {
      complain(body + ":" + field + " di " + code + " non spuntato: " + why);
      refused = true;
    } else {
      rows.push_back(*row);
    }
  }
  if (refused) return kError;

  for (std::size_t i = 0; i < rows.size(); ++i) {
    const bool ticked = flag(detail.cellValue(rows[i], "VISTO"));
    detail.doubleClick(rows[i], detail.columns().front().field);
    if (session.stopped()) return kError;
    if (flag(detail.cellValue(rows[i], "VISTO")) == ticked) {
      complain(fields[i].first + ":" + fields[i].second + " di " + code + " non spuntato: la console non l'ha cambiato");
      return kError;
    }
  }
  if (!session.form.get<GridNavigator>("GRIDNAV_VIS_CAMPIART").press(GridNavigator::Button::Save)) {
    complain("impossibile salvare i visti");
    return kError;
  }
  if (session.stopped()) return kError;

  auto& items = session.form.get<Grid>("GRD_ARTICOLI");
  const auto row = items.findRowByKey(platform::Variant(code));
  if (!row) return kError;
  const RowValues values = items.rowValues(*row);
  writeRecord(std::cout, values.fields());
  for (std::size_t i = 0; i < values.values().size(); ++i) {
    std::cout << (i ? "," : "") << platform::db::csvField(values.values()[i]);
  }
  std::cout << "\r\n";
  return kOk;
}

}  // namespace passaggio::batch

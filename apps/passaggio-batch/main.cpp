// passaggio-batch: opens the console without a screen, as a host does (loads the module,
// creates its class, sets its properties, shows it), carries out one command by driving the
// control models as a user would, and closes it. Questions are answered from --yes, errors
// from --on-error; everything shown goes to standard error.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>

#include "apps/passaggio-batch/batch_display.h"
#include "apps/passaggio-batch/headless_windows.h"
#include "platform/controls/button.h"
#include "platform/controls/control.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/side_bar.h"
#include "platform/db/recordset_csv.h"
#include "platform/host/module_loader.h"
#include "platform/script/script.h"
#include "platform/services/standin_host.h"
#include "platform/services/state_change_log.h"
#include "sql/database_file.h"

namespace passaggio::batch {
namespace {

constexpr int kOk = 0;
constexpr int kError = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    R"(uso: passaggio-batch --db FILE [--company K] [--user CODICE] [--yes] [--on-error abort|retry|ignore]
                       [--trace TRACCIA] COMANDO [ARGOMENTI...]

Apre la console come un host, senza schermo, esegue il comando e la chiude.
comandi:
  whoami          ditta, utente (id e codice), utente limitato, stati assegnabili
  pages           le pagine e i loro controlli come la console li mostra
  script FILE|-   esegue uno script di azioni, una per riga (vedi README)
  run [--item CODICE] [--display]
                  elabora (con --item la console è chiamata per quell'articolo) e scrive
                  gli articoli della griglia in CSV (--display: i testi come la griglia li mostra)
  apply [--item CODICE] [--display]
                  elabora, aggiorna gli stati (con --yes) e scrive in CSV le righe del log
                  stati scritte, poi, dopo una riga vuota, la griglia della nuova elaborazione
  entities [ENTITA=0|1 ...]
                  le entità gestite della ditta (codice, descrizione, selezionata); con le
                  coppie ENTITA=0|1 le toglie o le seleziona nella griglia, salva e le elenca
                  di nuovo (un'entità usata da associazioni non si può togliere: uscita 1)
  detail CODICE   elabora, sceglie l'articolo nella griglia e scrive in CSV il dettaglio
                  dei suoi campi
  signoff CODICE ENTE:CAMPO [ENTE:CAMPO ...]
                  elabora, sceglie l'articolo, fa doppio clic sul campo di ogni ente del
                  dettaglio (vista o la toglie), salva i visti e scrive in CSV la riga
                  dell'articolo controllata di nuovo
--yes risponde Sì alle domande (senza: No); --on-error risponde alle finestre d'errore
(predefinito abort: il testo completo su standard error e codice d'uscita 1).
ogni messaggio mostrato è scritto su standard error come "message: TESTO".
codice di uscita: 0 riuscito, 1 errore, 2 uso errato
)";

struct Options {
  std::string database;
  std::optional<long long> company;
  std::string user;
  bool yes = false;
  int onError = platform::host::kAbort;
  std::string trace;
  std::string command;
  std::vector<std::string> arguments;
};

struct UsageError {
  std::string message;
};

Options parse(const std::vector<std::string>& words) {
  Options options;
  std::size_t i = 0;
  const auto value = [&](const std::string& flag) -> const std::string& {
    if (i + 1 >= words.size()) throw UsageError{flag + " vuole un valore"};
    return words[++i];
  };
  for (; i < words.size() && options.command.empty(); ++i) {
    const std::string& word = words[i];
    if (word == "--db") {
      options.database = value(word);
    } else if (word == "--company") {
      try {
        options.company = std::stoll(value(word));
      } catch (const std::logic_error&) {
        throw UsageError{"--company vuole un numero"};
      }
    } else if (word == "--user") {
      options.user = value(word);
    } else if (word == "--yes") {
      options.yes = true;
    } else if (word == "--trace") {
      options.trace = value(word);
    } else if (word == "--on-error") {
      static const std::map<std::string, int> kChoices = {
          {"abort", platform::host::kAbort}, {"retry", platform::host::kRetry}, {"ignore", platform::host::kIgnore}};
      const auto found = kChoices.find(value(word));
      if (found == kChoices.end()) throw UsageError{"--on-error vuole abort, retry o ignore"};
      options.onError = found->second;
    } else if (word.rfind("--", 0) == 0) {
      throw UsageError{"opzione sconosciuta " + word};
    } else {
      options.command = word;
    }
  }
  options.arguments.assign(words.begin() + static_cast<std::ptrdiff_t>(i), words.end());
  if (options.database.empty()) throw UsageError{"manca --db FILE"};
  if (options.command.empty()) throw UsageError{"manca il comando"};
  return options;
}

std::filesystem::path modulePath() {
  std::error_code ignored;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return self.parent_path() / "RUZU_PASSAGGIO.so";
}

void writeRecord(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << platform::db::csvField(platform::Variant(fields[i]));
  out << "\r\n";
}

int whoami(platform::services::StandinHost& host, const std::shared_ptr<platform::db::Connection>& connection) {
  const auto global = host.global();
  const auto company = global->CurrentCompany();
  const auto user = global->CurrentUser();
  const auto states = host.objects()->NewItemStateService();
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
int pages(platform::controls::Form& form) {
  using namespace platform::controls;
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

// The managed entities as GRD_ENTITA shows them: code, description, ticked or not.
void listEntities(const platform::controls::Grid& grid) {
  writeRecord(std::cout, {"code", "description", "selected"});
  for (std::size_t row = 0; row < grid.rowCount(); ++row) {
    writeRecord(std::cout, {grid.cell(row, "MG0L_ENTITA").text, grid.cell(row, "MG0L_DESCENTITA").text,
                            grid.cell(row, "MG0L_ENTITA_SEL").checked ? "1" : "0"});
  }
}

// Opens the entities page, lists it and, for ENTITY=0|1 pairs, ticks or unticks each entity's
// cell as a user does, saves, and lists it again. A refused change stops before saving.
int entities(platform::controls::Form& form, const std::vector<std::string>& arguments) {
  using namespace platform::controls;
  std::vector<std::pair<std::string, bool>> changes;
  for (const std::string& argument : arguments) {
    const auto equals = argument.find('=');
    const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
    if (equals == 0 || (value != "0" && value != "1")) {
      std::cerr << "passaggio-batch: entities vuole coppie ENTITA=0|1, non " << argument << "\n";
      return kUsage;
    }
    changes.emplace_back(argument.substr(0, equals), value == "1");
  }
  auto& sideBar = form.get<SideBar>("SDB_PASSAGGIO");
  if (!sideBar.clickItem("ENTITA")) {
    std::cerr << "passaggio-batch: la pagina delle entità non si apre\n";
    return kError;
  }
  auto& grid = form.get<Grid>("GRD_ENTITA");
  listEntities(grid);
  if (changes.empty()) return kOk;

  for (const auto& [code, selected] : changes) {
    std::optional<std::size_t> found;
    for (std::size_t row = 0; row < grid.rowCount() && !found; ++row) {
      if (grid.cell(row, "MG0L_ENTITA").text == code) found = row;
    }
    if (!found) {
      std::cerr << "passaggio-batch: l'entità " << code << " non è nella griglia\n";
      return kError;
    }
    if (grid.cell(*found, "MG0L_ENTITA_SEL").checked == selected) continue;
    if (!grid.clickCheckBox(*found, "MG0L_ENTITA_SEL")) return kError;  // the console said why
  }
  auto& save = form.get<Button>("CMD_SAVE_ENTITA");
  if (save.isEnabled() && !save.click()) {
    std::cerr << "passaggio-batch: impossibile premere " << save.name() << "\n";
    return kError;
  }
  std::cout << "\r\n";
  listEntities(grid);
  return kOk;
}

int script(platform::controls::Form& form, BatchDisplay& display, const std::string& file) {
  std::ifstream in;
  if (file != "-") {
    in.open(file);
    if (!in) {
      std::cerr << "passaggio-batch: impossibile leggere lo script " << file << "\n";
      return kError;
    }
  }
  try {
    const auto actions = platform::script::parseScript(file == "-" ? std::cin : in);
    platform::script::ModelDriver(form, display, std::cout).runAll(actions);
  } catch (const platform::script::ScriptError& error) {
    std::cerr << "passaggio-batch: script " << file << ", " << error.what() << "\n";
    return kError;
  }
  return kOk;
}

// The options of the processing commands.
struct ProcessingOptions {
  std::optional<std::string> item;  // the console is called for this item
  bool display = false;             // the grid's texts instead of its rows
};

ProcessingOptions parseProcessing(const std::vector<std::string>& arguments) {
  ProcessingOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--item") {
      if (i + 1 >= arguments.size()) throw UsageError{"--item vuole un codice articolo"};
      options.item = arguments[++i];
    } else if (arguments[i] == "--display") {
      options.display = true;
    } else {
      throw UsageError{"argomento sconosciuto " + arguments[i]};
    }
  }
  return options;
}

bool isProcessing(const std::string& command) { return command == "run" || command == "apply"; }

// The items grid as CSV: its result set as stored, or the texts it shows under its captions.
void writeItemsGrid(std::ostream& out, platform::controls::Form& form, bool display) {
  auto& grid = form.get<platform::controls::Grid>("GRD_ARTICOLI");
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

bool resultsShown(platform::controls::Form& form) {
  return form.get<platform::controls::Frame>("FRAME_INTERROGAZ_RIS").isVisible();
}

// Presses the process button (a called console has processed already). False when the run
// stopped with a message: its results page is not shown.
bool process(platform::controls::Form& form, const ProcessingOptions& options) {
  if (!options.item) form.get<platform::controls::Button>("CMD_ELABORA").click();
  return resultsShown(form);
}

int runCommand(platform::controls::Form& form, const ProcessingOptions& options) {
  if (process(form, options)) writeItemsGrid(std::cout, form, options.display);
  return kOk;
}

int applyCommand(platform::controls::Form& form, const ProcessingOptions& options, platform::db::Connection& console) {
  if (!process(form, options)) return kOk;
  form.get<platform::controls::Button>("CMD_AGGSTATI").click();
  // Only what this console wrote: another one applying at the same time writes its own rows.
  platform::db::writeCsv(std::cout, *platform::services::sessionChanges(console));
  std::cout << "\r\n";
  writeItemsGrid(std::cout, form, options.display);
  return kOk;
}

// Makes the item's row current in the items grid as a user choosing it does, so that the
// console builds its field detail.
bool chooseItem(platform::controls::Form& form, const std::string& code) {
  auto& grid = form.get<platform::controls::Grid>("GRD_ARTICOLI");
  const auto row = grid.findRowByKey(platform::Variant(code));
  if (!row) {
    std::cerr << "passaggio-batch: l'articolo " << code << " non è nella griglia degli articoli\n";
    return false;
  }
  return grid.setCurrentRow(*row);
}

// Processes and chooses the item; false (with the reason on standard error) when it is not
// among the results.
bool processAndChoose(platform::controls::Form& form, const std::string& code) {
  process(form, ProcessingOptions{});
  return chooseItem(form, code);
}

int detailCommand(platform::controls::Form& form, const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    std::cerr << "passaggio-batch: detail vuole un CODICE articolo\n";
    return kUsage;
  }
  if (!processAndChoose(form, arguments[0])) return kError;
  const auto& detail = form.get<platform::controls::Grid>("GRD_DATIART_CAMPI").dataSource();
  if (detail) platform::db::writeCsv(std::cout, *detail);
  return kOk;
}

// The detail row of a body's field: a body's code shows on the first row of its fields only,
// so each row belongs to the last code above it.
std::optional<std::size_t> detailRow(const platform::controls::Grid& detail, const std::string& body,
                                     const std::string& field) {
  const auto text = [&](std::size_t row, const char* column) {
    std::string value = detail.cellValue(row, column).toText();
    return value.erase(value.find_last_not_of(' ') + 1);
  };
  std::string currentBody;
  for (std::size_t row = 0; row < detail.rowCount(); ++row) {
    if (const std::string code = text(row, "MG0M_ARGOMENTO"); !code.empty()) currentBody = code;
    if (currentBody == body && text(row, "MG0O_CAMPO") == field) return row;
  }
  return std::nullopt;
}

// Ticks or unticks each BODY:FIELD of the item's detail by double-click, saves through the
// detail's navigator and prints the item's row as the items grid holds it afterwards.
int signoffCommand(platform::controls::Form& form, const std::vector<std::string>& arguments) {
  using namespace platform::controls;
  std::vector<std::pair<std::string, std::string>> fields;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const auto colon = arguments[i].find(':');
    if (colon == 0 || colon == std::string::npos || colon + 1 == arguments[i].size()) {
      std::cerr << "passaggio-batch: signoff vuole coppie ENTE:CAMPO, non " << arguments[i] << "\n";
      return kUsage;
    }
    fields.emplace_back(arguments[i].substr(0, colon), arguments[i].substr(colon + 1));
  }
  if (fields.empty()) {
    std::cerr << "passaggio-batch: signoff vuole un CODICE articolo e almeno una coppia ENTE:CAMPO\n";
    return kUsage;
  }
  const std::string& code = arguments[0];
  if (!processAndChoose(form, code)) return kError;

  auto& detail = form.get<Grid>("GRD_DATIART_CAMPI");
  for (const auto& [body, field] : fields) {
    const auto row = detailRow(detail, body, field);
    if (!row) {
      std::cerr << "passaggio-batch: il dettaglio di " << code << " non ha il campo " << field << " dell'ente " << body
                << "\n";
      return kError;
    }
    detail.doubleClick(*row, detail.columns().front().field);
  }
  if (!form.get<GridNavigator>("GRIDNAV_VIS_CAMPIART").press(GridNavigator::Button::Save)) {
    std::cerr << "passaggio-batch: impossibile salvare i visti\n";
    return kError;
  }

  auto& items = form.get<Grid>("GRD_ARTICOLI");
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

int run(const Options& options) {
  const ProcessingOptions processing =
      isProcessing(options.command) ? parseProcessing(options.arguments) : ProcessingOptions{};
  if (!std::filesystem::exists(options.database)) {
    std::cerr << "passaggio-batch: il database " << options.database << " non esiste\n";
    return kError;
  }
  std::string connectionString = sql::connectionStringFor(options.database);
  if (!options.trace.empty()) connectionString += ";trace=" + options.trace;

  // The module is loaded first and unloaded last: everything the host keeps of it, down to
  // weak references to its objects, must be gone before its code is unmapped.
  platform::host::MemoryRegistry registry;
  platform::host::LoadedModule module(modulePath().string(), registry);
  auto display = std::make_shared<BatchDisplay>(
      platform::services::ScriptedDisplay::Policy{options.yes, options.onError, 3}, std::cerr);
  HeadlessWindows windows(*display);
  platform::host::InstallWindowSystem(&windows);

  platform::services::StandinHost host({connectionString, options.company, options.user, display, {}, {}});
  auto console = module.Create("CLSMG_PASSAGGIO");
  host.attach(*console);
  console->LetCaption(platform::Variant("Passaggio di stato articoli"));
  console->LetIsActive(true);
  if (processing.item) {
    console->LetIsCalled(true);
    console->LetProperty("CodiceArticolo", platform::Variant(*processing.item));
  }
  console->ShowForm();

  int result = kOk;
  auto* window = windows.Current();
  if (window == nullptr) {
    std::cerr << "passaggio-batch: la console non si è aperta\n";
    result = kError;
  } else if (options.command == "whoami") {
    auto connection = std::make_shared<platform::db::Connection>();
    connection->Connect(connectionString);
    result = whoami(host, connection);
  } else if (options.command == "run") {
    result = runCommand(window->Controls(), processing);
  } else if (options.command == "apply") {
    result = applyCommand(window->Controls(), processing, *console->GetConnection());
  } else if (options.command == "pages") {
    result = pages(window->Controls());
  } else if (options.command == "entities") {
    result = entities(window->Controls(), options.arguments);
  } else if (options.command == "detail") {
    result = detailCommand(window->Controls(), options.arguments);
  } else if (options.command == "signoff") {
    result = signoffCommand(window->Controls(), options.arguments);
  } else if (options.command == "script") {
    result = options.arguments.size() == 1 ? script(window->Controls(), *display, options.arguments[0]) : kUsage;
    if (result == kUsage) std::cerr << "passaggio-batch: script vuole un FILE o -\n";
  } else {
    std::cerr << "passaggio-batch: comando sconosciuto " << options.command << "\n" << kUsageText;
    result = kUsage;
  }
  if (!console->CloseForm().toBool()) {
    std::cerr << "passaggio-batch: la console ha rifiutato la chiusura\n";
    result = kError;
  }
  console.reset();
  platform::host::InstallWindowSystem(nullptr);
  if (result == kOk && display->aborted()) result = kError;
  return result;
}

}  // namespace
}  // namespace passaggio::batch

int main(int argc, char** argv) {
  using namespace passaggio::batch;
  try {
    return run(parse(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const UsageError& error) {
    std::cerr << "passaggio-batch: " << error.message << "\n" << kUsageText;
    return kUsage;
  } catch (const std::exception& error) {
    std::cerr << "passaggio-batch: " << error.what() << "\n";
    return kError;
  }
}

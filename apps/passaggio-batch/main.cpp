// passaggio-batch: opens the console without a screen, as a host does (loads the module,
// creates its class, sets its properties, shows it), carries out one command by driving the
// control models as a user would, and closes it. Questions are answered from --yes, errors
// from --on-error; everything shown goes to standard error.
#include <charconv>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "apps/passaggio-batch/batch_display.h"
#include "apps/passaggio-batch/commands.h"
#include "apps/passaggio-batch/headless_windows.h"
#include "platform/db/trace.h"
#include "platform/host/module_loader.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"

namespace passaggio::batch {
namespace {

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
      const std::string& text = value(word);
      long long company = 0;
      const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), company);
      if (error != std::errc() || end != text.data() + text.size()) throw UsageError{"--company vuole un numero"};
      options.company = company;
    } else if (word == "--user") {
      options.user = value(word);
      if (options.user.empty()) throw UsageError{"--user vuole un codice utente"};
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

int runCommandOf(Session& session, const Options& options, const ProcessingOptions& processing) {
  const std::string& command = options.command;
  if (command == "whoami") return whoami(session);
  if (command == "run") return runCommand(session, processing);
  if (command == "apply") return applyCommand(session, processing);
  if (command == "pages") return pages(session);
  if (command == "entities") return entities(session, options.arguments);
  if (command == "detail") return detailCommand(session, options.arguments);
  if (command == "signoff") return signoffCommand(session, options.arguments);
  if (command == "script") {
    if (options.arguments.size() == 1) return script(session, options.arguments[0]);
    complain("script vuole un FILE o -");
    return kUsage;
  }
  complain("comando sconosciuto " + options.command);
  std::cerr << kUsageText;
  return kUsage;
}

int run(const Options& options) {
  const ProcessingOptions processing =
      isProcessing(options.command) ? parseProcessing(options.arguments) : ProcessingOptions{};
  const sql::DatabaseName database = sql::databaseNamed(options.database);
  if (!database.file.empty() && !std::filesystem::exists(database.file)) {
    complain("il database " + database.file.string() + " non esiste");
    return kError;
  }
  std::string connectionString = database.connectionString;
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
    complain("la console non si è aperta");
    result = kError;
  } else if (!display->aborted()) {  // an error while opening stops before the command
    Session session{window->Controls(), *display, host, connectionString};
    result = runCommandOf(session, options, processing);
  }
  if (display->aborted()) complain("comando interrotto: un errore ha avuto risposta abort");
  if (!console->CloseForm().toBool()) {
    complain("la console ha rifiutato la chiusura");
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
  int status = kOk;
  try {
    status = run(parse(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const UsageError& error) {
    complain(error.message);
    std::cerr << kUsageText;
    status = kUsage;
  } catch (const std::exception& error) {
    complain(error.what());
    status = kError;
  }
  if (const auto failure = platform::db::traceWriteFailure()) {
    complain("traccia " + failure->path + " non scrivibile: " + failure->reason);
    if (status == kOk) status = kError;
  }
  return status;
}

// The batch host's command line through CLI11: the options before the command, then the
// command's own for run and apply.
#include "apps/passaggio-batch/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <map>

#include "platform/host/display.h"

namespace passaggio::batch {
namespace {

constexpr std::array<const char*, 10> kCommands = {"whoami", "pages",   "script",  "run",     "apply",
                                                   "entities", "detail", "signoff", "history", "undo"};

bool isProcessing(const std::string& command) { return command == "run" || command == "apply"; }

// Takes every "--filter SETTING" (or "--filter=SETTING") out of the command's words.
void takeFilters(Options& options) {
  std::vector<std::string> rest;
  const std::vector<std::string>& words = options.arguments;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i].starts_with("--filter=")) {
      options.processing.filters.push_back(words[i].substr(9));
    } else if (words[i] == "--filter") {
      if (i + 1 == words.size()) throw UsageError{"--filter vuole CAMPO=PRIMO[..SECONDO]"};
      options.processing.filters.push_back(words[++i]);
    } else {
      rest.push_back(words[i]);
    }
  }
  for (const std::string& setting : options.processing.filters) {
    if (setting.find('=') == std::string::npos) throw UsageError{"--filter vuole CAMPO=PRIMO[..SECONDO], non " + setting};
  }
  options.arguments = std::move(rest);
}

// Parses a command's own options, declared by `declare`; --help among them asks for the usage.
template <typename Declare>
void parseCommandOptions(Options& options, Declare declare) {
  CLI::App app;
  app.set_help_flag("-h,--help");
  declare(app);
  // CLI11 takes a vector of words last first.
  std::vector<std::string> arguments(options.arguments.rbegin(), options.arguments.rend());
  try {
    app.parse(arguments);
  } catch (const CLI::CallForHelp&) {
    options.help = true;
  } catch (const CLI::ParseError& error) {
    throw UsageError{"argomenti non validi: " + std::string(error.what())};
  }
}

void parseProcessing(Options& options) {
  parseCommandOptions(options, [&](CLI::App& app) {
    app.add_option("--item", options.processing.item);
    app.add_flag("--display", options.processing.display);
    app.add_option("--output", options.processing.output);
  });
}

void parseHistory(Options& options) {
  parseCommandOptions(options, [&](CLI::App& app) {
    app.add_option("--item", options.history.item);
    app.add_option("--user", options.history.user);
    app.add_option("--since", options.history.since);
    app.add_option("--batch", options.history.batch);
  });
}

}  // namespace

const char* const kUsageText =
    R"(uso: passaggio-batch --db FILE [--company K] [--user CODICE] [--yes] [--on-error abort|retry|ignore]
                       [--trace TRACCIA] COMANDO [ARGOMENTI...]

Apre la console come un host, senza schermo, esegue il comando e la chiude. FILE è un file
o una stringa di connessione (sqlite:FILE;busy_timeout=10000).
comandi:
  whoami          ditta, utente (id e codice), utente limitato, stati assegnabili
  pages           le pagine e i loro controlli come la console li mostra
  script FILE|-   esegue uno script di azioni, una per riga (vedi README)
  run [--item CODICE] [--display] [--filter CAMPO=PRIMO[..SECONDO] ...]
                  elabora (con --item la console è chiamata per quell'articolo) e scrive
                  gli articoli della griglia in CSV (--display: i testi come la griglia li mostra);
                  --filter imposta un campo del filtro articoli (la sua didascalia, es.
                  "Famiglia=BUL..RON") o un attributo esteso ("Attributo NORMA=UNI 5737",
                  "Attributo MATERIALE contiene=inox"), anche per apply, detail e signoff
  run ... --output FILE
                  scrive la griglia in FILE come CSV per i fogli di calcolo (UTF-8 con BOM,
                  separato da punto e virgola), con i testi come --display li mostra
  apply [--item CODICE] [--display] [--filter ...]
                  elabora, aggiorna gli stati (con --yes) e scrive in CSV le righe del log
                  stati scritte, poi, dopo una riga vuota, la griglia della nuova elaborazione
  entities [ENTITA=0|1 ...]
                  le entità gestite della ditta (codice, descrizione, selezionata); con le
                  coppie ENTITA=0|1 le toglie o le seleziona nella griglia, salva e le elenca
                  di nuovo (un'entità usata da associazioni non si può togliere: uscita 1)
  detail CODICE [--filter ...]
                  elabora, sceglie l'articolo nella griglia e scrive in CSV il dettaglio
                  dei suoi campi
  signoff CODICE ENTE:CAMPO [ENTE:CAMPO ...] [--filter ...]
                  elabora, sceglie l'articolo, fa doppio clic sul campo di ogni ente del
                  dettaglio (vista o la toglie), salva i visti e scrive in CSV la riga
                  dell'articolo controllata di nuovo
  history [--item CODICE] [--user CODICE] [--since AAAA-MM-GG] [--batch LOTTO]
                  i cambi di stato in CSV, un lotto (un aggiornamento degli stati) dopo
                  l'altro, il più recente per primo
  undo LOTTO      riporta gli articoli del lotto allo stato precedente (con --yes): elenca
                  in CSV ogni articolo con l'esito, poi, dopo una riga vuota, il lotto
                  dell'annullamento; restano dove sono gli articoli cambiati dopo il lotto e
                  quelli in uno stato che l'utente non può assegnare
--yes risponde Sì alle domande (senza: No); --on-error risponde alle finestre d'errore
(predefinito abort: il testo completo su standard error e codice d'uscita 1).
ogni messaggio mostrato è scritto su standard error come "message: TESTO".
codice di uscita: 0 riuscito, 1 errore, 2 uso errato
)";

Options parse(int argc, const char* const* argv) {
  Options options;
  std::string company;
  std::string onError = "abort";
  CLI::App app;
  app.set_help_flag("-h,--help");
  app.prefix_command();  // the first word that is no option is the command
  app.add_option("--db", options.database);
  CLI::Option* companyOption = app.add_option("--company", company);
  CLI::Option* userOption = app.add_option("--user", options.user);
  app.add_flag("--yes", options.yes);
  app.add_option("--on-error", onError);
  app.add_option("--trace", options.trace);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    options.help = true;
    return options;
  } catch (const CLI::ParseError& error) {
    throw UsageError{"argomenti non validi: " + std::string(error.what())};
  }

  if (companyOption->count() > 0) {
    long long code = 0;
    const auto [end, error] = std::from_chars(company.data(), company.data() + company.size(), code);
    if (error != std::errc() || end != company.data() + company.size()) throw UsageError{"--company vuole un numero"};
    options.company = code;
  }
  if (userOption->count() > 0 && options.user.empty()) throw UsageError{"--user vuole un codice utente"};
  static const std::map<std::string, int> kAnswers = {
      {"abort", platform::host::kAbort}, {"retry", platform::host::kRetry}, {"ignore", platform::host::kIgnore}};
  const auto answer = kAnswers.find(onError);
  if (answer == kAnswers.end()) throw UsageError{"--on-error vuole abort, retry o ignore"};
  options.onError = answer->second;
  if (options.database.empty()) throw UsageError{"manca --db FILE"};

  std::vector<std::string> words = app.remaining();
  if (words.empty()) throw UsageError{"manca il comando"};
  options.command = words.front();
  if (options.command.starts_with("-")) throw UsageError{"opzione sconosciuta " + options.command};
  if (std::find(kCommands.begin(), kCommands.end(), options.command) == kCommands.end()) {
    throw UsageError{"comando sconosciuto " + options.command};
  }
  options.arguments.assign(words.begin() + 1, words.end());
  if (isProcessing(options.command) || options.command == "detail" || options.command == "signoff") {
    takeFilters(options);
  }
  if (isProcessing(options.command)) parseProcessing(options);
  if (options.command == "history") parseHistory(options);
  return options;
}

}  // namespace passaggio::batch

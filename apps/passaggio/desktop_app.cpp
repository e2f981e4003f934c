// Starting the desktop host.
#include "apps/passaggio/desktop_app.h"

#include <QMessageBox>
#include <cstdlib>

#include "platform/qt/busy.h"
#include "platform/qt/text.h"
#include "sql/demo_data.h"

namespace passaggio::desktop {
namespace {

bool isSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace

const char* const kUsageText =
    R"(uso: passaggio [--db FILE] [--company K] [--user CODICE] [--item CODICE]

Apre la console di passaggio di stato degli articoli in una finestra.
  --db FILE        il database (predefinito: l'ultimo usato, altrimenti il database dimostrativo)
  --company K      la ditta
  --user CODICE    l'utente
  --item CODICE    apre la console per un solo articolo, come quando la chiama un altro programma
Con --db, --company o --user non si chiede l'accesso, salvo quando è rifiutato.
)";

Options parseOptions(const std::vector<std::string>& words) {
  Options options;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const auto value = [&]() -> const std::string& {
      if (i + 1 >= words.size()) throw UsageError(word + " vuole un valore");
      return words[++i];
    };
    if (word == "--db") {
      options.database = value();
    } else if (word == "--company") {
      const std::string& text = value();
      try {
        std::size_t used = 0;
        options.company = std::stoll(text, &used);
        if (used != text.size()) throw UsageError("--company vuole un numero");
      } catch (const std::logic_error&) {
        throw UsageError("--company vuole un numero");
      }
    } else if (word == "--user") {
      options.user = value();
    } else if (word == "--item") {
      options.item = value();
    } else if (word == "--help" || word == "-h") {
      options.help = true;
    } else {
      throw UsageError("argomento sconosciuto " + word);
    }
  }
  return options;
}

std::optional<std::string> missingDisplay() {
  if (isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")) return std::nullopt;
  return "Nessuno schermo disponibile: né DISPLAY né WAYLAND_DISPLAY sono impostate (e neppure QT_QPA_PLATFORM); "
         "per usare la console senza finestra: passaggio-batch --db FILE COMANDO";
}

std::optional<SignInChoice> signIn(const Options& options, QWidget* parent) {
  SignInChoice choice;
  if (!options.database.empty()) {
    choice.database = options.database;
  } else {
    const std::filesystem::path last = rememberedDatabase();
    if (!last.empty() && std::filesystem::exists(last)) {
      choice.database = last;
    } else {
      platform::qt::WaitCursor wait;  // the first start builds the demo database
      choice.database = sql::ensureDemoDatabase();
    }
  }
  const SignInChoice remembered = rememberedChoice(choice.database);
  choice.company = options.company ? options.company : remembered.company;
  choice.user = options.user.empty() ? remembered.user : options.user;

  // A choice that signs in is remembered; a refused one says why.
  const auto signsIn = [parent](SignInChoice& candidate) {
    std::optional<std::string> refused;
    {
      platform::qt::WaitCursor wait;
      refused = checkSignIn(candidate, nullptr);
    }
    if (!refused) {
      rememberChoice(candidate);
      return true;
    }
    QMessageBox::warning(parent, QStringLiteral("Accesso rifiutato"), platform::qt::toQString(*refused));
    return false;
  };
  const bool ask = options.database.empty() && !options.company && options.user.empty();
  if (!ask && signsIn(choice)) return choice;
  for (;;) {
    SignInDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    choice = dialog.choice();
    if (signsIn(choice)) return choice;
  }
}

}  // namespace passaggio::desktop

// Starting the desktop host.
#include "apps/passaggio/desktop_app.h"

#include <QCommandLineParser>
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
  --db FILE        il database, un file o una stringa di connessione (predefinito: l'ultimo
                   usato, altrimenti il database dimostrativo)
  --company K      la ditta
  --user CODICE    l'utente
  --item CODICE    apre la console per un solo articolo, come quando la chiama un altro programma
Con --db, --company o --user non si chiede l'accesso, salvo quando è rifiutato.
)";

Options parseOptions(const std::vector<std::string>& words) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption database(QStringLiteral("db"), QString(), QStringLiteral("FILE"));
  const QCommandLineOption company(QStringLiteral("company"), QString(), QStringLiteral("K"));
  const QCommandLineOption user(QStringLiteral("user"), QString(), QStringLiteral("CODICE"));
  const QCommandLineOption item(QStringLiteral("item"), QString(), QStringLiteral("CODICE"));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOptions({database, company, user, item, help});

  QStringList arguments{QStringLiteral("passaggio")};
  for (const std::string& word : words) arguments << platform::qt::toQString(word);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) throw UsageError("argomento sconosciuto --" + platform::qt::toStdString(unknown.front()));
    throw UsageError("argomenti non validi: " + platform::qt::toStdString(parser.errorText()));
  }
  if (!parser.positionalArguments().isEmpty()) {
    throw UsageError("argomento sconosciuto " + platform::qt::toStdString(parser.positionalArguments().front()));
  }

  Options options;
  options.help = parser.isSet(help);
  options.database = platform::qt::toStdString(parser.value(database));
  if (parser.isSet(company)) {
    bool isNumber = false;
    options.company = parser.value(company).toLongLong(&isNumber);
    if (!isNumber) throw UsageError("--company vuole un numero");
  }
  options.user = platform::qt::toStdString(parser.value(user));
  if (parser.isSet(user) && options.user.empty()) throw UsageError("--user vuole un codice utente");
  if (parser.isSet(item)) options.item = platform::qt::toStdString(parser.value(item));
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

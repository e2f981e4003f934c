// The error collection of an ODBC failure.
#include "platform/db/odbc/odbc_errors.h"

#include "platform/db/connection_string.h"

namespace platform::db::odbc {
namespace {

constexpr const char* kSource = "passaggio.db.odbc";

struct StateRule {
  std::string_view prefix;  // the SQLSTATE, or its class
  const char* sentence;
};

constexpr StateRule kConnectRules[] = {
    {"IM002", "Origine dati ODBC non trovata (odbc.ini) e nessun driver indicato, o driver non registrato "
              "(odbcinst.ini)"},
    {"IM003", "Il driver ODBC indicato non è installato o non si può caricare"},
    {"IM004", "Il driver ODBC indicato non è installato o non si può caricare"},
    {"01000", "Il driver ODBC indicato non è installato o non si può caricare"},
    {"28", "Accesso al database negato: utente o password non validi"},
    {"HYT", nullptr},  // the login timeout: said with its seconds
    {"S1T", nullptr},
    {"08", "Impossibile raggiungere il server del database"},
};

constexpr StateRule kStatementRules[] = {
    {"08", "La connessione al database si è interrotta"},
    {"HYT", "Il database non ha risposto entro il tempo massimo dell'istruzione"},
    {"S1T", "Il database non ha risposto entro il tempo massimo dell'istruzione"},
};

template <std::size_t N>
const StateRule* ruleFor(const std::vector<Diagnostic>& records, const StateRule (&rules)[N]) {
  for (const StateRule& rule : rules) {
    for (const Diagnostic& record : records) {
      if (record.sqlState.rfind(rule.prefix, 0) == 0) return &rule;
    }
  }
  return nullptr;
}

std::vector<ErrorEntry> entriesOf(const std::vector<Diagnostic>& records, long number, const Secrets& secrets) {
  std::vector<ErrorEntry> entries;
  for (const Diagnostic& record : records) {
    entries.push_back({number, secrets.scrub(record.message), kSource, record.nativeError, record.sqlState});
  }
  return entries;
}

}  // namespace

void Secrets::add(std::string value) {
  if (!value.empty()) m_values.push_back(std::move(value));
}

std::string Secrets::scrub(std::string text) const {
  for (const std::string& value : m_values) {
    for (auto at = text.find(value); at != std::string::npos; at = text.find(value, at + 3)) {
      text.replace(at, value.size(), "***");
    }
  }
  return text;
}

DbError connectError(const std::vector<Diagnostic>& records, std::string_view target, int loginTimeoutSeconds,
                     const Secrets& secrets) {
  std::vector<ErrorEntry> entries = entriesOf(records, kConnectionErrorNumber, secrets);
  const StateRule* rule = ruleFor(records, kConnectRules);
  std::string sentence = rule == nullptr ? "Impossibile aprire il database"
                         : rule->sentence != nullptr
                             ? rule->sentence
                             : "Il server del database non ha risposto entro " + std::to_string(loginTimeoutSeconds) +
                                   " secondi";
  const std::string state = records.empty() ? "08001" : records.front().sqlState;
  entries.insert(entries.begin(), ErrorEntry{kConnectionErrorNumber,
                                             sentence + ": " + secrets.scrub(withoutSecrets(target)) + ".", kSource,
                                             0, state});
  return DbError(std::move(entries));
}

DbError statementError(const std::vector<Diagnostic>& records, std::string_view sql, std::string_view sent,
                       const Secrets& secrets) {
  std::vector<ErrorEntry> entries = entriesOf(records, kStatementErrorNumber, secrets);
  if (const StateRule* rule = ruleFor(records, kStatementRules); rule != nullptr && !entries.empty()) {
    entries.front().description = std::string(rule->sentence) + ": " + entries.front().description;
  }
  if (entries.empty()) entries.push_back({kStatementErrorNumber, "Errore del driver ODBC senza descrizione", kSource, 0, {}});
  return DbError(std::move(entries), std::string(sql), std::string(sent == sql ? std::string_view() : sent));
}

}  // namespace platform::db::odbc

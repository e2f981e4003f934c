// Parsing of connection strings: backend prefix, target, and "key=value" options.
#include "platform/db/connection_string.h"

#include <cstdlib>
#include <stdexcept>

#include "platform/db/db_error.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

constexpr const char* kOurOdbcKeys[] = {"dialect", "trace", "login_timeout", "query_timeout", "passes_off"};
constexpr const char* kSecretKeys[] = {"pwd", "password"};
constexpr const char* kUserKeys[] = {"uid", "user", "user id"};

[[noreturn]] void malformed(std::string_view text, const std::string& why) {
  throw makeError(kConnectionErrorNumber,
                  "Stringa di connessione non valida (" + why + "): " + withoutSecrets(text), "passaggio.db");
}

// An ODBC string's "key=value" items; a value in braces may hold semicolons.
std::vector<std::string_view> odbcItems(std::string_view text) {
  std::vector<std::string_view> items;
  std::size_t start = 0;
  bool braced = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || (text[i] == ';' && !braced)) {
      if (i > start) items.push_back(text.substr(start, i - start));
      start = i + 1;
    } else if (text[i] == '{') {
      braced = true;
    } else if (text[i] == '}') {
      braced = false;
    }
  }
  return items;
}

std::string keyOf(std::string_view item) {
  return platform::text::lowerAscii(platform::text::trim(item.substr(0, item.find('='))));
}

template <std::size_t N>
bool isOneOf(const std::string& key, const char* const (&keys)[N]) {
  for (const char* candidate : keys) {
    if (key == candidate) return true;
  }
  return false;
}

template <std::size_t N>
bool namesKey(std::string_view text, const char* const (&keys)[N]) {
  for (const std::string_view item : odbcItems(text)) {
    if (isOneOf(keyOf(item), keys)) return true;
  }
  return false;
}

// The transport, target and options as written, before the options' values are checked.
ConnectionString parts(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) malformed(text, "manca il tipo, ad esempio sqlite:FILE");
  ConnectionString result;
  result.backend = platform::text::lowerAscii(text.substr(0, colon));
  std::string_view rest = text.substr(colon + 1);
  if (result.backend == "odbc") {  // an ODBC string keeps its own semicolons and braces
    for (const std::string_view item : odbcItems(rest)) {
      const std::string key = keyOf(item);
      if (isOneOf(key, kOurOdbcKeys)) {
        if (item.find('=') == std::string_view::npos) malformed(text, "opzione senza valore: " + key);
        result.options[key] = std::string(platform::text::trim(item.substr(item.find('=') + 1)));
      } else {
        result.target += (result.target.empty() ? "" : ";") + std::string(item);
      }
    }
    if (result.target.empty()) malformed(text, "manca l'origine dati, ad esempio odbc:DSN=NOME");
    const std::string dialect = result.dialect();
    if (dialect != "sqlite" && dialect != "tsql") malformed(text, "dialetto sconosciuto: " + dialect);
    return result;
  }
  const auto semicolon = rest.find(';');
  result.target = std::string(rest.substr(0, semicolon));
  if (result.target.empty()) malformed(text, "manca il nome del file");
  while (semicolon != std::string_view::npos && !rest.empty()) {
    rest = rest.substr(rest.find(';') + 1);
    const std::string_view item = rest.substr(0, rest.find(';'));
    if (!item.empty()) {
      const auto equals = item.find('=');
      if (equals == std::string_view::npos || equals == 0) malformed(text, "opzione senza valore: " + std::string(item));
      result.options[platform::text::lowerAscii(item.substr(0, equals))] = std::string(item.substr(equals + 1));
    }
    if (rest.find(';') == std::string_view::npos) break;
  }
  return result;
}

}  // namespace

ConnectionString ConnectionString::parse(std::string_view text) {
  ConnectionString result = parts(text);
  try {
    result.passes();
  } catch (const std::invalid_argument& error) {
    malformed(text, error.what());
  }
  return result;
}

tsql::Passes ConnectionString::passes() const {
  if (options.count("passes_off") > 0) return tsql::Passes::except(option("passes_off"));
  const char* environment = std::getenv("PASSAGGIO_PASSES_OFF");
  return tsql::Passes::except(environment != nullptr ? environment : "");
}

std::string ConnectionString::option(const std::string& key, const std::string& fallback) const {
  const auto found = options.find(key);
  return found == options.end() ? fallback : found->second;
}

std::string ConnectionString::dialect() const {
  return backend == "odbc" ? platform::text::lowerAscii(option("dialect", "tsql")) : "sqlite";
}

std::string ConnectionString::odbcConnectText() const {
  std::string text = target;
  const auto add = [&](const char* key, const char* variable, bool named) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0' && !named) text += std::string(";") + key + "={" + value + "}";
  };
  add("UID", "PASSAGGIO_DB_USER", namesKey(target, kUserKeys));
  add("PWD", "PASSAGGIO_DB_PASSWORD", namesKey(target, kSecretKeys));
  return text;
}

std::string withoutSecrets(std::string_view connectionText) {
  std::string result;
  for (const std::string_view item : odbcItems(connectionText)) {
    if (!result.empty()) result += ';';
    result += isOneOf(keyOf(item), kSecretKeys) ? std::string(item.substr(0, item.find('=') + 1)) + "***"
                                                 : std::string(item);
  }
  return result;
}


std::vector<std::string> secretsIn(std::string_view connectionText) {
  std::vector<std::string> secrets;
  for (const std::string_view item : odbcItems(connectionText)) {
    if (!isOneOf(keyOf(item), kSecretKeys)) continue;
    std::string_view value = item.substr(item.find('=') + 1);
    if (value.size() >= 2 && value.front() == '{' && value.back() == '}') value = value.substr(1, value.size() - 2);
    secrets.emplace_back(value);
  }
  return secrets;
}

}  // namespace platform::db

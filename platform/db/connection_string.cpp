// Parsing of connection strings: backend prefix, target, and "key=value" options.
#include "platform/db/connection_string.h"


#include "platform/db/db_error.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

[[noreturn]] void malformed(std::string_view text, const std::string& why) {
  throw makeError(kConnectionErrorNumber, "Stringa di connessione non valida (" + why + "): " + std::string(text),
                  "passaggio.db");
}

}  // namespace

ConnectionString ConnectionString::parse(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0) malformed(text, "manca il tipo, ad esempio sqlite:FILE");
  ConnectionString result;
  result.backend = platform::text::lowerAscii(text.substr(0, colon));
  std::string_view rest = text.substr(colon + 1);
  if (result.backend == "odbc") {  // an ODBC string keeps its own semicolons
    result.target = std::string(rest);
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

std::string ConnectionString::option(const std::string& key, const std::string& fallback) const {
  const auto found = options.find(key);
  return found == options.end() ? fallback : found->second;
}

}  // namespace platform::db

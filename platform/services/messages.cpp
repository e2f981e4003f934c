// The message service and its catalogue.
#include "platform/services/messages.h"

#include <map>

namespace platform::services {
namespace {

const std::map<long, std::string>& catalogue() {
  static const std::map<long, std::string> messages = {
      {kCompanyChangeRefused,
       "Non è possibile cambiare ditta mentre questo programma è aperto.\r\n"
       "Chiudere il programma e ripetere il cambio di ditta."},
      {kOfficeExportRefused,
       "L'esportazione verso un'applicazione per ufficio non è disponibile da questo programma."},
  };
  return messages;
}

// Replaces %1 ... %9 by the substitution values; a marker without a value is left as it is.
std::string substitute(const std::string& text, const std::vector<std::string>& values) {
  std::string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t index = static_cast<std::size_t>(text[i + 1] - '1');
      if (index < values.size()) {
        result += values[index];
        ++i;
        continue;
      }
    }
    result += text[i];
  }
  return result;
}

}  // namespace

std::optional<std::string> catalogText(long number) {
  const auto found = catalogue().find(number);
  if (found == catalogue().end()) return std::nullopt;
  return found->second;
}

StandinMessages::StandinMessages(std::shared_ptr<host::Display> display) : m_display(std::move(display)) {}

int StandinMessages::Show(const std::string& text, int style, const std::string& title) {
  return m_display->showMessage({text, style, title});
}

void StandinMessages::ShowCatalogMessage(long number, int style, const std::string& title,
                                         const std::vector<std::string>& substitutions) {
  const std::optional<std::string> text = catalogText(number);
  m_display->showMessage(
      {text ? substitute(*text, substitutions) : "Messaggio " + std::to_string(number) + " non presente nel catalogo.",
       style, title});
}

std::string StandinMessages::Translate(const std::string& description) { return description; }

}  // namespace platform::services

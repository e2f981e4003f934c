// The host's message service: plain messages and messages of the host's catalogue, shown
// through the display, and the translation of descriptions.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/host/display.h"
#include "platform/host/services.h"

namespace platform::services {

//! Messages the catalogue knows.
inline constexpr long kCompanyChangeRefused = 30179;
inline constexpr long kOfficeExportRefused = 69054;

//! The text of a catalogue message; %1, %2, ... stand for the substitution values.
std::optional<std::string> catalogText(long number);

class StandinMessages : public host::MessageService {
 public:
  explicit StandinMessages(std::shared_ptr<host::Display> display);

  int Show(const std::string& text, int style, const std::string& title) override;
  //! An unknown number still shows something: a message that names it.
  void ShowCatalogMessage(long number, int style, const std::string& title,
                          const std::vector<std::string>& substitutions) override;
  //! Descriptions are kept in Italian, the only language of this host: the translation is
  //! the description itself.
  std::string Translate(const std::string& description) override;

 private:
  std::shared_ptr<host::Display> m_display;
};

}  // namespace platform::services

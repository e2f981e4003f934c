// The console form's message wrapper and error display: every user message and every
// run-time error goes through them, to the host's log object or message service.
#include "platform/host/display.h"
#include "platform/host/window_system.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

namespace style = platform::host::style;
constexpr int kErrorDisplayStyle =
    style::kAbortRetryIgnore + style::kCritical + style::kDefaultButton2 + style::kSystemModal;

}  // namespace

int FRMMG_PASSAGGIO::MessaggioUtente(const std::string& text, int style, const platform::Variant& title,
                                     const std::string& procedure) {
  int answer = 0;
  IgnoringErrors steps = Ignoring();
  std::string message = text;
  if (!procedure.empty()) message += "\rFunzione: " + procedure;
  std::string shownTitle;
  steps.step([&] { shownTitle = m_utility ? m_utility->ToText(title) : title.toText(); });
  if (shownTitle.empty()) shownTitle = Caption();
  steps.step([&] {
    if (m_log) {
      answer = m_log->ShowMessage(message, style, shownTitle, true, 0);
    } else if (!m_host) {
      if (auto* windows = platform::host::CurrentWindowSystem()) {
        answer = windows->GetDisplay().showMessage({message, style, shownTitle});
      }
    } else {
      const auto global = m_host->GetClsGlobal();
      const auto messages = global ? global->Messages() : nullptr;
      if (messages) answer = messages->Show(message, style, shownTitle);
    }
  });
  return answer;
}

int FRMMG_PASSAGGIO::VisualizzaErrore(const std::string& procedure, const ErrorInfo& error) {
  if (!m_log) {
    MessaggioUtente("Classe Log non settata", 0, platform::Variant(Caption()), "");
    return platform::host::kAbort;
  }
  m_log->TakeError(error.number, error.description, error.source);
  if (m_connection) m_log->TakeConnectionErrors(m_connection->Errors(), m_sql);
  int inOut = 0;
  return m_log->ShowError(kApplicationTitle, Caption(), procedure, kErrorDisplayStyle, inOut);
}

ErrorTrap FRMMG_PASSAGGIO::Trap(const std::string& procedure) {
  return ErrorTrap(procedure, [this](const std::string& name, const ErrorInfo& error) {
    return VisualizzaErrore(name, error);
  });
}

IgnoringErrors FRMMG_PASSAGGIO::Ignoring() {
  // A skipped failure is still recorded by the log object, without being shown.
  return IgnoringErrors([this](const ErrorInfo& error) {
    if (m_log) m_log->TakeError(error.number, error.description, error.source);
  });
}

}  // namespace passaggio

// The navigator and the script object model.
#include "platform/services/navigator.h"

namespace platform::services {

void StandinScripts::RegisterForm(const std::string& name, std::shared_ptr<Object>& form, int flags,
                                  const std::string& caption, std::shared_ptr<Object>& output) {
  m_registrations.push_back({name, caption, flags, form});
  output.reset();
}

void StandinScripts::RaiseFormEvent(const std::string& name, int flags, int opening, const std::string& text) {
  m_formEvents.push_back({name, flags, opening, text});
}

StandinNavigator::StandinNavigator(std::shared_ptr<host::ScriptObjectModel> scripts) : m_scripts(std::move(scripts)) {}

void StandinNavigator::SetStatus(std::int16_t status) {
  m_status = status;
  ++m_statusChanges;
}

Variant StandinNavigator::InitializeLayoutAndScripts() {
  ++m_initialisations;
  if (auto sink = m_sink.lock()) {
    sink->InitializeLayoutObjectModel(m_layout);
    sink->InitializeScriptObjectModel(m_scripts);
  }
  return {};
}

Variant StandinNavigator::BeforeOpen() {
  ++m_beforeOpens;
  return {};
}

bool StandinNavigator::RaiseBeforeChangeDitta() {
  bool cancel = false;
  if (auto sink = m_sink.lock()) sink->BeforeChangeDitta(cancel);
  return cancel;
}

bool StandinNavigator::RaiseBeforeExportToOffice(const Variant& target) {
  bool cancel = false;
  if (auto sink = m_sink.lock()) sink->BeforeExportToOffice(cancel, target);
  return cancel;
}

}  // namespace platform::services

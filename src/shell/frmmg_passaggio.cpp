// The console form as a window: loading on first access, showing through the host's window
// system, unloading through query-unload and unload.
#include "src/shell/frmmg_passaggio.h"

#include "platform/controls/container.h"
#include "src/shell/form_designs.h"

namespace passaggio {

FRMMG_PASSAGGIO::FRMMG_PASSAGGIO() : m_form(designFRMMG_PASSAGGIO()) {
  m_form.get<platform::controls::Container>("MDIActiveX1").onFormLoaded.connect([this] { MDIActiveX1_FormLoad(); });
  ConnectControlEvents();
}

FRMMG_PASSAGGIO::~FRMMG_PASSAGGIO() = default;

void FRMMG_PASSAGGIO::SetCaption(const std::string& caption) {
  if (!m_loaded) {
    m_loaded = true;
    Form_Load();
  }
  m_form.setCaption(caption);
}

void FRMMG_PASSAGGIO::Show(int mode) {
  if (!m_loaded) SetCaption(Caption());
  m_form.get<platform::controls::Container>("MDIActiveX1").formLoaded();
  if (auto* windows = platform::host::CurrentWindowSystem()) {
    windows->Show(shared_from_this(), mode == 1);
  } else {
    Activate();
  }
}

bool FRMMG_PASSAGGIO::Unload(int mode) {
  if (!m_loaded) return true;
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  m_loaded = false;
  if (auto* windows = platform::host::CurrentWindowSystem()) windows->Closed(*this);
  return true;
}

bool FRMMG_PASSAGGIO::RequestClose() { return Unload(0); }

std::shared_ptr<platform::host::ClsGlobal> FRMMG_PASSAGGIO::Global() {
  const auto global = m_host ? m_host->GetClsGlobal() : nullptr;
  if (!global) throw std::runtime_error("Servizi globali dell'host non disponibili");
  return global;
}

platform::db::Connection& FRMMG_PASSAGGIO::Db() {
  if (!m_connection) {
    throw platform::db::makeError(platform::db::kConnectionErrorNumber, "La connessione al database non è aperta.",
                                  "passaggio.db");
  }
  return *m_connection;
}

}  // namespace passaggio

// The plug-in class: property storage as the host expects it, the console form's opening and
// closing, and the navigator's refusals while the console is the active module.
#include "src/host/clsmg_passaggio.h"

#include <limits>
#include <stdexcept>

#include "platform/host/display.h"
#include "platform/text/ascii.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;

std::atomic<long> g_liveObjects{0};

constexpr long kCompanyChangeRefused = 30179;
constexpr long kExportRefused = 69054;

// Every member of the class ignores run-time errors: a failing statement is skipped.
template <class Statement>
void ignoringErrors(Statement&& statement) {
  try {
    statement();
  } catch (const std::exception&) {
  }
}

std::int16_t narrowed(std::int32_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()) {
    throw std::overflow_error("Overflow");
  }
  return static_cast<std::int16_t>(value);
}

std::int32_t toLong(const Variant& value) {
  const std::int64_t number = value.toInteger();
  if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("Overflow");
  }
  return static_cast<std::int32_t>(number);
}

bool isCodiceArticolo(const std::string& name) { return platform::text::equalsIgnoringCase(name, "CodiceArticolo"); }

}  // namespace

std::shared_ptr<CLSMG_PASSAGGIO> CLSMG_PASSAGGIO::Create() {
  return std::shared_ptr<CLSMG_PASSAGGIO>(new CLSMG_PASSAGGIO());
}

CLSMG_PASSAGGIO::CLSMG_PASSAGGIO() { ++g_liveObjects; }

CLSMG_PASSAGGIO::~CLSMG_PASSAGGIO() {
  // Released in the host's order.
  m_statusBar.reset();
  m_activeFrame.reset();
  m_activeDll.reset();
  m_menuEntry.reset();
  m_global.reset();
  m_window.reset();
  if (m_navigator) ignoringErrors([&] { m_navigator->ConnectEvents({}); });
  m_navigator.reset();
  m_connection.reset();
  m_form.reset();
  --g_liveObjects;
}

long CLSMG_PASSAGGIO::LiveObjects() { return g_liveObjects; }

void CLSMG_PASSAGGIO::SetClsGlobal(std::shared_ptr<platform::host::ClsGlobal> value) { m_global = std::move(value); }
std::shared_ptr<platform::host::ClsGlobal> CLSMG_PASSAGGIO::GetClsGlobal() { return m_global; }

void CLSMG_PASSAGGIO::SetActiveFrame(std::shared_ptr<platform::Object> value) { m_activeFrame = std::move(value); }
std::shared_ptr<platform::Object> CLSMG_PASSAGGIO::GetActiveFrame() { return m_activeFrame; }

void CLSMG_PASSAGGIO::SetActiveNavigator(std::shared_ptr<platform::host::ActiveNavigator> value) {
  ignoringErrors([&] {
    if (m_navigator) m_navigator->ConnectEvents({});
    m_navigator = std::move(value);
    if (m_navigator) m_navigator->ConnectEvents(weak_from_this());
  });
}
std::shared_ptr<platform::host::ActiveNavigator> CLSMG_PASSAGGIO::GetActiveNavigator() { return m_navigator; }

void CLSMG_PASSAGGIO::SetActiveDll(std::shared_ptr<platform::host::Cinterface> value) {
  m_activeDllIsSelf = value.get() == this;
  m_activeDll = m_activeDllIsSelf ? nullptr : std::move(value);
}
std::shared_ptr<platform::host::Cinterface> CLSMG_PASSAGGIO::GetActiveDll() {
  if (m_activeDllIsSelf) return shared_from_this();
  return m_activeDll;
}

void CLSMG_PASSAGGIO::SetStatusBar(std::shared_ptr<platform::Object> value) { m_statusBar = std::move(value); }
std::shared_ptr<platform::Object> CLSMG_PASSAGGIO::GetStatusBar() { return m_statusBar; }

void CLSMG_PASSAGGIO::LetCanInsert(bool value) { m_canInsert = value; }
bool CLSMG_PASSAGGIO::GetCanInsert() { return m_canInsert; }
void CLSMG_PASSAGGIO::LetCanDelete(bool value) { m_canDelete = value; }
bool CLSMG_PASSAGGIO::GetCanDelete() { return m_canDelete; }
void CLSMG_PASSAGGIO::LetCanUpdate(bool value) { m_canUpdate = value; }
bool CLSMG_PASSAGGIO::GetCanUpdate() { return m_canUpdate; }
void CLSMG_PASSAGGIO::LetCanQbe(bool value) { m_canQbe = value; }
bool CLSMG_PASSAGGIO::GetCanQbe() { return m_canQbe; }

void CLSMG_PASSAGGIO::LetWindowState(std::int32_t value) {
  ignoringErrors([&] { m_windowState = narrowed(value); });
}
std::int32_t CLSMG_PASSAGGIO::GetWindowState() { return m_windowState; }
void CLSMG_PASSAGGIO::LetWindowModal(bool value) { m_windowModal = value; }
bool CLSMG_PASSAGGIO::GetWindowModal() { return m_windowModal; }
void CLSMG_PASSAGGIO::LetProgramMode(std::int32_t value) {
  ignoringErrors([&] { m_programMode = narrowed(value); });
}
std::int32_t CLSMG_PASSAGGIO::GetProgramMode() { return m_programMode; }

void CLSMG_PASSAGGIO::LetMenuModulo(const Variant& value) { m_menuModulo = value; }
Variant CLSMG_PASSAGGIO::GetMenuModulo() { return m_menuModulo; }
void CLSMG_PASSAGGIO::LetMenuPadre(const Variant& value) { m_menuPadre = value; }
Variant CLSMG_PASSAGGIO::GetMenuPadre() { return m_menuPadre; }
void CLSMG_PASSAGGIO::LetMenuProg(const Variant& value) { m_menuProg = value; }
Variant CLSMG_PASSAGGIO::GetMenuProg() { return m_menuProg; }
void CLSMG_PASSAGGIO::LetCaption(const Variant& value) { m_caption = value; }
Variant CLSMG_PASSAGGIO::GetCaption() { return m_caption; }
void CLSMG_PASSAGGIO::LetHwndParent(std::int32_t value) { m_hwndParent = value; }
std::int32_t CLSMG_PASSAGGIO::GetHwndParent() { return m_hwndParent; }

Variant CLSMG_PASSAGGIO::ShowForm() {
  ignoringErrors([&] {
    m_form = std::make_shared<FRMMG_PASSAGGIO>();
    m_form->m_host = GetActiveDll();
    m_form->m_owner = weak_from_this();
    m_form->SetCaption(m_caption.toText());
    m_form->Show(m_windowModal ? 1 : 0);
  });
  return Variant();
}

Variant CLSMG_PASSAGGIO::CloseForm() {
  bool closed = false;
  ignoringErrors([&] {
    if (!m_form) {
      closed = true;
      return;
    }
    m_form->Unload();
    closed = m_form->m_host == nullptr;
  });
  return Variant(closed);
}

void CLSMG_PASSAGGIO::SetConnection(std::shared_ptr<platform::db::Connection> value) { m_connection = std::move(value); }
std::shared_ptr<platform::db::Connection> CLSMG_PASSAGGIO::GetConnection() { return m_connection; }

std::shared_ptr<platform::Object> CLSMG_PASSAGGIO::GetCwindow() { return m_window; }

Variant CLSMG_PASSAGGIO::TransferData(const Variant& data) {
  ignoringErrors([&] {
    const Variant copy = data;
    if (m_dataTransfer) m_dataTransfer(copy);
  });
  return Variant();
}

Variant CLSMG_PASSAGGIO::GetTop() { return Variant(static_cast<long>(m_top)); }
void CLSMG_PASSAGGIO::LetTop(const Variant& value) {
  ignoringErrors([&] { m_top = toLong(value); });
}
Variant CLSMG_PASSAGGIO::GetLeft() { return Variant(static_cast<long>(m_left)); }
void CLSMG_PASSAGGIO::LetLeft(const Variant& value) {
  ignoringErrors([&] { m_left = toLong(value); });
}

void CLSMG_PASSAGGIO::SetClsVoceMenu(std::shared_ptr<platform::host::MenuEntry> value) { m_menuEntry = std::move(value); }
std::shared_ptr<platform::host::MenuEntry> CLSMG_PASSAGGIO::GetClsVoceMenu() { return m_menuEntry; }

void CLSMG_PASSAGGIO::LetIsActive(bool value) { m_isActive = value; }
bool CLSMG_PASSAGGIO::GetIsActive() { return m_isActive; }
void CLSMG_PASSAGGIO::LetIsCalled(bool value) { m_isCalled = value; }
bool CLSMG_PASSAGGIO::GetIsCalled() { return m_isCalled; }
void CLSMG_PASSAGGIO::LetFiltro(const Variant&) {}
Variant CLSMG_PASSAGGIO::GetFiltro() { return Variant(); }

Variant CLSMG_PASSAGGIO::GetProperty(const std::string& name) {
  return isCodiceArticolo(name) ? Variant(m_codiceArticolo) : Variant();
}

void CLSMG_PASSAGGIO::LetProperty(const std::string& name, const Variant& value) {
  ignoringErrors([&] {
    if (isCodiceArticolo(name)) m_codiceArticolo = value.toText();
  });
}

void CLSMG_PASSAGGIO::OnDataTransfer(std::function<void(const Variant&)> handler) {
  m_dataTransfer = std::move(handler);
}

void CLSMG_PASSAGGIO::Refuse(bool& cancel, long catalogueMessage) {
  ignoringErrors([&] {
    const auto host = GetActiveDll();
    if (!host || !host->GetIsActive()) return;
    cancel = true;
    const std::string caption = m_form ? m_form->Caption() : std::string();
    const auto global = host->GetClsGlobal();
    const auto messages = global ? global->Messages() : nullptr;
    if (messages) messages->ShowCatalogMessage(catalogueMessage, platform::host::style::kInformation, caption, {});
  });
}

void CLSMG_PASSAGGIO::BeforeChangeDitta(bool& cancel) { Refuse(cancel, kCompanyChangeRefused); }

void CLSMG_PASSAGGIO::BeforeExportToOffice(bool& cancel, const Variant&) { Refuse(cancel, kExportRefused); }

void CLSMG_PASSAGGIO::InitializeLayoutObjectModel(std::shared_ptr<platform::Object>) {
  ignoringErrors([&] {
    const auto host = GetActiveDll();
    if (host) host->GetIsActive();
  });
}

void CLSMG_PASSAGGIO::InitializeScriptObjectModel(std::shared_ptr<platform::host::ScriptObjectModel> scripts) {
  ignoringErrors([&] {
    const auto host = GetActiveDll();
    if (!host || !host->GetIsActive() || !scripts || !m_form) return;
    std::shared_ptr<platform::Object> form = m_form;
    std::shared_ptr<platform::Object> output;
    scripts->RegisterForm(FRMMG_PASSAGGIO::kName, form, 0, m_form->Caption(), output);
    if (auto registered = std::dynamic_pointer_cast<FRMMG_PASSAGGIO>(form)) m_form = std::move(registered);
  });
}

}  // namespace passaggio

// The host navigator and script object model of one module window, with the menu entry and
// the frame the host hands a module. What the module asks of them is recorded, so that the
// host (and a test) can tell what happened; what they answer can be set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/cinterface.h"
#include "platform/host/services.h"

namespace platform::services {

class StandinScripts : public host::ScriptObjectModel {
 public:
  struct Registration {
    std::string name;
    std::string caption;
    int flags = 0;
    std::weak_ptr<Object> form;
  };
  struct FormEvent {
    std::string name;
    int flags = 0;
    int opening = 0;  // 1 on open, 0 on close
    std::string text;
  };

  //! Records the form; the same reference goes back and `output` is left empty.
  void RegisterForm(const std::string& name, std::shared_ptr<Object>& form, int flags, const std::string& caption,
                    std::shared_ptr<Object>& output) override;
  void RaiseFormEvent(const std::string& name, int flags, int opening, const std::string& text) override;
  //! What setCancelClose set (false at first): a script that keeps the form open.
  bool CancelClose() override { return m_cancelClose; }
  void MenuEntryClosing(const Variant& value) override { m_closedMenuEntries.push_back(value); }

  void setCancelClose(bool cancel) { m_cancelClose = cancel; }
  const std::vector<Registration>& registrations() const { return m_registrations; }
  const std::vector<FormEvent>& formEvents() const { return m_formEvents; }
  const std::vector<Variant>& closedMenuEntries() const { return m_closedMenuEntries; }

 private:
  bool m_cancelClose = false;
  std::vector<Registration> m_registrations;
  std::vector<FormEvent> m_formEvents;
  std::vector<Variant> m_closedMenuEntries;
};

//! The object handed to InitializeLayoutObjectModel: this host has no layouts to offer.
class StandinLayout : public Object {};

class StandinNavigator : public host::ActiveNavigator {
 public:
  explicit StandinNavigator(std::shared_ptr<host::ScriptObjectModel> scripts = std::make_shared<StandinScripts>());

  //! The sink is held weakly: a module that went away receives nothing.
  void ConnectEvents(std::weak_ptr<host::NavigatorEvents> sink) override { m_sink = std::move(sink); }
  void SetStatus(std::int16_t status) override;
  void Refresh() override { ++m_refreshes; }
  //! Raises InitializeLayoutObjectModel, then InitializeScriptObjectModel with the script
  //! model, on the connected sink; nothing without one. Returns Empty.
  Variant InitializeLayoutAndScripts() override;
  Variant BeforeOpen() override;
  std::shared_ptr<host::ScriptObjectModel> Scripts() override { return m_scripts; }
  void ClearScripts() override { m_scripts.reset(); }
  void ClearActiveModule() override { ++m_activeModuleClears; }

  // --- What the host does with it ---------------------------------------------------------
  //! Asks the connected module whether the company may change: true when it refused.
  bool RaiseBeforeChangeDitta();
  //! Asks the connected module whether an export to an office application may go on: true
  //! when it refused.
  bool RaiseBeforeExportToOffice(const Variant& target = {});
  void setScripts(std::shared_ptr<host::ScriptObjectModel> scripts) { m_scripts = std::move(scripts); }
  bool connected() const { return !m_sink.expired(); }

  std::int16_t status() const { return m_status; }
  int statusChanges() const { return m_statusChanges; }
  int refreshes() const { return m_refreshes; }
  int initialisations() const { return m_initialisations; }
  int beforeOpens() const { return m_beforeOpens; }
  int activeModuleClears() const { return m_activeModuleClears; }

 private:
  std::weak_ptr<host::NavigatorEvents> m_sink;
  std::shared_ptr<host::ScriptObjectModel> m_scripts;
  std::shared_ptr<StandinLayout> m_layout = std::make_shared<StandinLayout>();
  std::int16_t m_status = 0;
  int m_statusChanges = 0;
  int m_refreshes = 0;
  int m_initialisations = 0;
  int m_beforeOpens = 0;
  int m_activeModuleClears = 0;
};

class StandinMenuEntry : public host::MenuEntry {
 public:
  explicit StandinMenuEntry(Variant value = {}) : m_value(std::move(value)) {}
  Variant Value() override { return m_value; }

 private:
  Variant m_value;
};

class StandinActiveFrame : public host::ActiveFrame {
 public:
  explicit StandinActiveFrame(Variant status = Variant(0)) : m_status(std::move(status)) {}
  Variant Status() override { return m_status; }
  void setStatus(Variant status) { m_status = std::move(status); }

 private:
  Variant m_status;
};

}  // namespace platform::services

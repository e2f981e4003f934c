// CLSMG_PASSAGGIO, the module's one public class: a thin adapter that stores what the host
// hands over, opens the console form on ShowForm and closes it on CloseForm. It receives the
// host navigator's events. Every accessor ignores run-time errors.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/host/module.h"

namespace passaggio {

class FRMMG_PASSAGGIO;

class CLSMG_PASSAGGIO : public platform::host::PluginObject,
                        public platform::host::NavigatorEvents,
                        public std::enable_shared_from_this<CLSMG_PASSAGGIO> {
 public:
  static constexpr const char* kClassName = "CLSMG_PASSAGGIO";

  //! Objects are created through the factory, which finishes their construction.
  static std::shared_ptr<CLSMG_PASSAGGIO> Create();
  ~CLSMG_PASSAGGIO() override;
  //! How many objects of the class live (the module may unload at 0).
  static long LiveObjects();

  // Cinterface, in slot order
  void SetClsGlobal(std::shared_ptr<platform::host::ClsGlobal> value) override;
  std::shared_ptr<platform::host::ClsGlobal> GetClsGlobal() override;
  void SetActiveFrame(std::shared_ptr<platform::Object> value) override;
  std::shared_ptr<platform::Object> GetActiveFrame() override;
  void SetActiveNavigator(std::shared_ptr<platform::host::ActiveNavigator> value) override;
  std::shared_ptr<platform::host::ActiveNavigator> GetActiveNavigator() override;
  void SetActiveDll(std::shared_ptr<platform::host::Cinterface> value) override;
  std::shared_ptr<platform::host::Cinterface> GetActiveDll() override;
  void SetStatusBar(std::shared_ptr<platform::Object> value) override;
  std::shared_ptr<platform::Object> GetStatusBar() override;
  void LetCanInsert(bool value) override;
  bool GetCanInsert() override;
  void LetCanDelete(bool value) override;
  bool GetCanDelete() override;
  void LetCanUpdate(bool value) override;
  bool GetCanUpdate() override;
  void LetCanQbe(bool value) override;
  bool GetCanQbe() override;
  void LetWindowState(std::int32_t value) override;
  std::int32_t GetWindowState() override;
  void LetWindowModal(bool value) override;
  bool GetWindowModal() override;
  void LetProgramMode(std::int32_t value) override;
  std::int32_t GetProgramMode() override;
  void LetMenuModulo(const platform::Variant& value) override;
  platform::Variant GetMenuModulo() override;
  void LetMenuPadre(const platform::Variant& value) override;
  platform::Variant GetMenuPadre() override;
  void LetMenuProg(const platform::Variant& value) override;
  platform::Variant GetMenuProg() override;
  void LetCaption(const platform::Variant& value) override;
  platform::Variant GetCaption() override;
  void LetHwndParent(std::int32_t value) override;
  std::int32_t GetHwndParent() override;
  platform::Variant ShowForm() override;
  platform::Variant CloseForm() override;
  void SetConnection(std::shared_ptr<platform::db::Connection> value) override;
  std::shared_ptr<platform::db::Connection> GetConnection() override;
  std::shared_ptr<platform::Object> GetCwindow() override;
  platform::Variant TransferData(const platform::Variant& data) override;
  platform::Variant GetTop() override;
  void LetTop(const platform::Variant& value) override;
  platform::Variant GetLeft() override;
  void LetLeft(const platform::Variant& value) override;
  void SetClsVoceMenu(std::shared_ptr<platform::host::MenuEntry> value) override;
  std::shared_ptr<platform::host::MenuEntry> GetClsVoceMenu() override;
  void LetIsActive(bool value) override;
  bool GetIsActive() override;
  void LetIsCalled(bool value) override;
  bool GetIsCalled() override;
  void LetFiltro(const platform::Variant& value) override;
  platform::Variant GetFiltro() override;

  // The class's own members
  platform::Variant GetProperty(const std::string& name) override;
  void LetProperty(const std::string& name, const platform::Variant& value) override;
  void OnDataTransfer(std::function<void(const platform::Variant&)> handler) override;
  const std::string& CodiceArticolo() const { return m_codiceArticolo; }

  // ActiveNavigator events
  void BeforeChangeDitta(bool& cancel) override;
  void BeforeExportToOffice(bool& cancel, const platform::Variant& target) override;
  void InitializeLayoutObjectModel(std::shared_ptr<platform::Object> layout) override;
  void InitializeScriptObjectModel(std::shared_ptr<platform::host::ScriptObjectModel> scripts) override;

  //! The console form, while one is open (for hosts that render it).
  std::shared_ptr<FRMMG_PASSAGGIO> Form() const { return m_form; }

 private:
  CLSMG_PASSAGGIO();
  void Refuse(bool& cancel, long catalogueMessage);

  std::shared_ptr<platform::host::Cinterface> m_activeDll;
  bool m_activeDllIsSelf = true;  // the default: the object itself, held without a cycle
  std::shared_ptr<platform::Object> m_activeFrame;
  std::shared_ptr<platform::host::ActiveNavigator> m_navigator;
  std::shared_ptr<platform::host::ClsGlobal> m_global;
  std::shared_ptr<platform::Object> m_statusBar;
  bool m_canInsert = false;
  bool m_canDelete = false;
  bool m_canUpdate = false;
  bool m_canQbe = false;
  std::int16_t m_windowState = 0;
  bool m_windowModal = false;
  std::int16_t m_programMode = 0;
  platform::Variant m_menuModulo;
  platform::Variant m_menuPadre;
  platform::Variant m_menuProg;
  platform::Variant m_caption;
  std::int32_t m_hwndParent = 0;
  std::shared_ptr<platform::db::Connection> m_connection;
  std::int32_t m_top = 0;
  std::int32_t m_left = 0;
  std::shared_ptr<platform::host::MenuEntry> m_menuEntry;
  bool m_isActive = false;
  bool m_isCalled = false;
  std::shared_ptr<platform::Object> m_window;  // never assigned
  std::shared_ptr<FRMMG_PASSAGGIO> m_form;
  std::string m_codiceArticolo;
  std::function<void(const platform::Variant&)> m_dataTransfer;
};

}  // namespace passaggio

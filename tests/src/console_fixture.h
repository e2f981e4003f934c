// A console opened as a host opens it, on a fresh copy of the demo database, with a scripted
// display that answers questions and records what a user would have seen.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/host/window_system.h"
#include "platform/services/scripted_display.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"
#include "src/host/clsmg_passaggio.h"
#include "src/shell/frmmg_passaggio.h"
#include "tests/support/demo_database.h"

namespace passaggio::testing {

//! Shows windows without a screen, activating them at once.
class TestWindows : public platform::host::WindowSystem {
 public:
  explicit TestWindows(platform::host::Display& display) : m_display(display) {}
  void Show(std::shared_ptr<platform::host::ModuleWindow> window, bool modal) override {
    shown.push_back(window);
    window->Activate();
    if (modal && whileModal) whileModal(*window);
  }
  void Closed(platform::host::ModuleWindow& window) override { closed.push_back(&window); }
  platform::host::Display& GetDisplay() override { return m_display; }
  void ShowProgress(const std::string& step, int done, int total) override {
    progress.push_back(total > 0 ? step + " " + std::to_string(done) + "/" + std::to_string(total) : step);
  }
  void ShowStatus(const platform::host::ModuleWindow& /*window*/, const std::string& text) override {
    status.push_back(text);
  }

  std::vector<std::shared_ptr<platform::host::ModuleWindow>> shown;
  std::vector<platform::host::ModuleWindow*> closed;
  std::vector<std::string> progress;  // "step done/total", or the step alone; "" ends a report
  std::vector<std::string> status;    // what the consoles' actions came to, in order
  //! What the user does in a modal window before its show returns.
  std::function<void(platform::host::ModuleWindow&)> whileModal;

 private:
  platform::host::Display& m_display;
};

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() : m_windows(*m_display) { platform::host::InstallWindowSystem(&m_windows); }
  ~ConsoleTest() override {
    // A console still open keeps itself alive (form and plug-in object hold each other until
    // the form unloads), as it would in a host that never closed it: close what is left.
    for (const auto& opened : m_consoles) {
      if (auto object = opened.lock()) object->CloseForm();
    }
    platform::host::InstallWindowSystem(nullptr);
  }

  static std::filesystem::path demoCopy() { return passaggio::testing::demoCopy(); }

  //! Signs in and creates the plug-in object with the host's properties set, not shown yet.
  std::shared_ptr<CLSMG_PASSAGGIO> console(const std::string& connectionString, const std::string& user = "",
                                           long long company = 1) {
    m_host = std::make_unique<platform::services::StandinHost>(
        platform::services::StandinHostOptions{connectionString, company, user, m_display, {}, {}});
    auto object = CLSMG_PASSAGGIO::Create();
    m_consoles.push_back(object);
    m_host->attach(*object);
    object->LetCaption(platform::Variant("Passaggio di stato articoli"));
    object->LetIsActive(true);
    return object;
  }

  //! Opens the console on a fresh demo copy, signed in as `user` (default: ADMIN).
  std::shared_ptr<CLSMG_PASSAGGIO> openConsole(const std::string& user = "") {
    m_file = demoCopy();
    auto object = console(sql::connectionStringFor(m_file), user);
    object->ShowForm();
    return object;
  }

  void TearDown() override {
    if (!m_file.empty()) std::filesystem::remove(m_file);
  }

  std::shared_ptr<platform::services::ScriptedDisplay> m_display =
      std::make_shared<platform::services::ScriptedDisplay>(platform::services::ScriptedDisplay::Policy{false, 3, 3});
  TestWindows m_windows;
  std::unique_ptr<platform::services::StandinHost> m_host;
  std::vector<std::weak_ptr<CLSMG_PASSAGGIO>> m_consoles;
  std::filesystem::path m_file;
};

}  // namespace passaggio::testing

// A desktop host window on a fresh copy of the demo database, with the real module loaded
// and a display that answers from a script and records what the user would have seen.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "apps/passaggio/main_window.h"
#include "platform/qt/form_view.h"
#include "platform/qt/side_bar_widget.h"
#include "platform/host/module_loader.h"
#include "platform/services/scripted_display.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"
#include "tests/support/demo_database.h"

namespace passaggio::desktop::testing {

using passaggio::testing::demoCopy;

//! Lets queued work happen: deferred deletes, focus moves, repaints.
inline void settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

//! Runs `act` on the next modal dialog once it is open (the caller then opens it).
inline void onNextDialog(std::function<void(QWidget&)> act, int attempts = 400) {
  QTimer::singleShot(5, [act = std::move(act), attempts]() mutable {
    if (QWidget* dialog = QApplication::activeModalWidget()) return act(*dialog);
    if (attempts > 0) onNextDialog(std::move(act), attempts - 1);
  });
}

//! Clicks the side bar link of a page, as the user would.
inline void clickPage(platform::qt::FormView& view, const QString& key) {
  auto* bar = view.widget<platform::qt::SideBarWidget>("SDB_PASSAGGIO");
  ASSERT_NE(bar, nullptr);
  for (int i = 0; i < bar->count(); ++i) {
    if (bar->item(i)->data(Qt::UserRole + 1).toString() != key) continue;
    bar->scrollToItem(bar->item(i));
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, bar->visualItemRect(bar->item(i)).center());
    return;
  }
  FAIL() << "no side bar link " << key.toStdString();
}

class DesktopTest : public ::testing::Test {
 protected:
  DesktopTest() : m_module(PASSAGGIO_MODULE_FILE, m_registry) {}

  void SetUp() override {
    m_file = demoCopy();
    m_window = std::make_unique<MainWindow>(m_module, m_display);
    m_window->setSignIn({m_file, 1, "ADMIN"});
    m_window->setConsoleWindowState(0);
    m_window->resize(1366, 768);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
  }

  void TearDown() override {
    if (m_window) {
      for (ConsoleSubWindow* console : m_window->consoles()) m_window->hostOf(console)->scripts()->setCancelClose(false);
      m_window->closeAllConsoles();
      m_window.reset();
    }
    settle();
    std::filesystem::remove(m_file);
  }

  platform::host::MemoryRegistry m_registry;
  platform::host::LoadedModule m_module;
  std::shared_ptr<platform::services::ScriptedDisplay> m_display =
      std::make_shared<platform::services::ScriptedDisplay>(
          platform::services::ScriptedDisplay::Policy{false, platform::host::kAbort, 3});
  std::unique_ptr<MainWindow> m_window;
  std::filesystem::path m_file;
};

}  // namespace passaggio::desktop::testing

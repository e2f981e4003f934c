// The desktop host's frame: a main window with an MDI area in which consoles open, the menus
// of the host (consoles, company change and export, statement trace), and a status bar with
// the company, the user and the database signed in to.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/passaggio/mdi_windows.h"
#include "apps/passaggio/sign_in.h"
#include "platform/qt/busy.h"

class QAction;
class QLabel;
class QMenu;
class QMdiArea;

namespace platform::host {
class LoadedModule;
class PluginObject;
}  // namespace platform::host

namespace platform::services {
class StandinHost;
}

namespace passaggio::desktop {

//! The title of the console in the frame and in its windows.
inline constexpr const char* kConsoleCaption = "Passaggio di stato articoli";

//! The program's icon: an item moving on to its next state.
QIcon applicationIcon();

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  enum class Command { NewConsole, OpenItem, CloseConsole, Quit, ChangeCompany, ExportToOffice, Trace, About };

  //! `module` must outlive the window. Dialogs go through `display`; without one they are
  //! real dialogs over this window.
  explicit MainWindow(platform::host::LoadedModule& module, std::shared_ptr<platform::host::Display> display = {},
                      QWidget* parent = nullptr);
  //! Lets every console go, views first, then the consoles, then their hosts.
  ~MainWindow() override;

  //! Consoles opened from now on work as `choice` (company and user filled in).
  void setSignIn(const SignInChoice& choice);
  const SignInChoice& signIn() const { return m_signIn; }

  //! The window state new consoles are given: 0 normal (as designed, the default), 2 maximised.
  void setConsoleWindowState(int state) { m_windowState = state; }
  //! Called for every console once the host has set its properties, just before it is shown:
  //! where a program embedding the frame sets more of them.
  void setBeforeShow(std::function<void(platform::host::PluginObject&)> hook) { m_beforeShow = std::move(hook); }

  //! Opens a console, in called mode for `item`: its subwindow, or null when it did not open.
  ConsoleSubWindow* openConsole(const std::optional<std::string>& item = std::nullopt);
  //! Where the window opens: as it was left, else filling the screen's free room.
  void placeOnScreen();

  //! Asks the console to close (CloseForm); false when it refused.
  bool closeConsole(ConsoleSubWindow* console);
  //! Asks every console to close, each on its own; false when one refused (it stays open).
  bool closeAllConsoles();
  //! The consoles open, in the order they were opened.
  std::vector<ConsoleSubWindow*> consoles() const;
  ConsoleSubWindow* activeConsole() const;
  //! The host services a console was opened with; null when it is not one of ours.
  platform::services::StandinHost* hostOf(const ConsoleSubWindow* console) const;

  //! Asks the active console, then the others, whether the company may change: true when one
  //! refused (it said why).
  bool companyChangeRefused();
  //! The same for an export to an office application.
  bool exportRefused();

  //! The statement trace of consoles opened from now on; empty: no trace of our own.
  void setTraceFile(const std::string& file);
  const std::string& traceFile() const { return m_traceFile; }
  //! The connection string new consoles sign in with.
  std::string connectionString() const;

  QMdiArea* mdiArea() const { return m_area; }
  //! Where the frame's dialogs go.
  const std::shared_ptr<platform::host::Display>& display() const { return m_display; }
  QAction* action(Command command) const { return m_actions.at(command); }
  //! Reports long operations in the status bar.
  const platform::qt::ProgressHook& progress() const { return m_progress; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Console {
    std::unique_ptr<platform::services::StandinHost> host;
    std::shared_ptr<platform::host::PluginObject> object;
  };

  void buildMenus();
  //! The label where the active console's status shows.
  void addConsoleStatus();
  //! Consoles are told apart: the called item, else a number from the second on.
  void nameConsole(ConsoleSubWindow& console, const std::optional<std::string>& item);
  //! The open consoles, listed at the end of `menu` each time it opens.
  void listConsolesIn(QMenu& menu);
  //! Whether the company has the item; true when the database cannot tell.
  bool itemExists(const std::string& code) const;
  void updateStatus();
  void updateActions();
  void consoleGone(ConsoleSubWindow* console);
  void subWindowActivated(QMdiSubWindow* window);
  //! Ctrl+N belongs to a record navigator while the focus is in its page.
  void focusChanged(QWidget* now);
  void askItem();
  void changeCompany();
  void exportToOffice();
  void showTrace();
  void about();
  void showMessage(const QString& text, int style);

  platform::host::LoadedModule& m_module;
  std::shared_ptr<platform::host::Display> m_display;
  QMdiArea* m_area;
  std::unique_ptr<MdiWindows> m_windows;
  std::map<const ConsoleSubWindow*, Console> m_consoles;
  std::vector<ConsoleSubWindow*> m_order;
  std::map<Command, QAction*> m_actions;
  QLabel* m_companyLabel;
  QLabel* m_userLabel;
  QLabel* m_databaseLabel;
  QLabel* m_traceLabel;
  platform::qt::ProgressHook m_progress;
  SignInChoice m_signIn;
  std::string m_companyName;
  std::string m_traceFile;
  int m_windowState = 0;
  int m_opened = 0;  // consoles opened so far, for their titles
  std::function<void(platform::host::PluginObject&)> m_beforeShow;
};

}  // namespace passaggio::desktop

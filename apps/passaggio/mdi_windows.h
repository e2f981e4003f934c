// The desktop host's window system: every window a module shows becomes a child of the main
// window's MDI area, a form view inside a subwindow placed, sized and maximised as the
// form's window container (MDIActiveX1) says. Closing a subwindow asks its host first. A
// window shown modally is a dialog over the main window instead, and its show returns when
// the module has unloaded it.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>

#include "platform/host/window_system.h"
#include "platform/qt/busy.h"

class QLabel;
class QMdiArea;

namespace platform::qt {
class FormDialog;
class FormView;
}

namespace passaggio::desktop {

class ConsoleSubWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  ConsoleSubWindow(std::shared_ptr<platform::host::ModuleWindow> window, platform::host::Display* display,
                   QWidget* parent = nullptr);
  //! The view goes before the module's window is let go: the form must outlive its view.
  ~ConsoleSubWindow() override;

  //! The module's window; null once the module unloaded it.
  platform::host::ModuleWindow* moduleWindow() const { return m_closed ? nullptr : m_window.get(); }
  platform::qt::FormView* formView() const { return m_view; }
  bool isOpen() const { return !m_closed; }

  //! Who is asked when the user closes the subwindow (the host's CloseForm): true when the
  //! module let it go. Without one the module window itself is asked.
  void setCloseRequest(std::function<bool()> request) { m_closeRequest = std::move(request); }
  //! Asks the module to close; false when it refused.
  bool requestClose();

  //! The module unloaded the window: the subwindow goes without asking again.
  void moduleClosed();
  //! What follows the form's caption in the title, to tell consoles apart.
  void setTitleSuffix(const QString& suffix);
  //! Places the subwindow and (unless told not to) sets its state from the form's window
  //! container.
  void followContainer(bool withState = true);
  //! What the console's last action came to, for the status line while it is active.
  const QString& statusText() const { return m_statusText; }
  void setStatusText(const QString& text) { m_statusText = text; }
  //! The first activation is done: later activations of the subwindow reach the module.
  void setReady() { m_ready = true; }
  bool ready() const { return m_ready && !m_closed; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<platform::host::ModuleWindow> m_window;
  platform::qt::FormView* m_view;
  std::function<bool()> m_closeRequest;
  bool m_closed = false;
  bool m_ready = false;
  bool m_asking = false;
  QString m_titleSuffix;
  QString m_statusText;
};

class MdiWindows : public platform::host::WindowSystem {
 public:
  MdiWindows(QMdiArea& area, platform::host::Display& display);

  void Show(std::shared_ptr<platform::host::ModuleWindow> window, bool modal) override;
  void Closed(platform::host::ModuleWindow& window) override;
  platform::host::Display& GetDisplay() override { return m_display; }
  void ShowProgress(const std::string& step, int done, int total) override;
  void ShowNotice(const std::string& text) override;
  void ShowStatus(const platform::host::ModuleWindow& window, const std::string& text) override;

  //! Where progress reports go: the main window's status bar.
  void setProgress(platform::qt::ProgressHook progress) { m_progress = std::move(progress); }
  //! Where notices go: the same status bar, for a while.
  void setNotice(std::function<void(const std::string&)> notice) { m_notice = std::move(notice); }
  //! Where the active console's status goes; it follows the console activated.
  void setStatusLabel(QLabel* label);

  //! The subwindow shown last, for the host that asked the module to show itself; null
  //! when nothing was shown since the last call.
  ConsoleSubWindow* takeShown();
  //! The subwindow of a module window; null when it has none.
  ConsoleSubWindow* subWindowOf(const platform::host::ModuleWindow& window) const;

 private:
  QMdiArea& m_area;
  platform::host::Display& m_display;
  QPointer<ConsoleSubWindow> m_shown;
  std::map<const platform::host::ModuleWindow*, QPointer<platform::qt::FormDialog>> m_dialogs;
  platform::qt::ProgressHook m_progress;
  std::function<void(const std::string&)> m_notice;
  QPointer<QLabel> m_status;
};

}  // namespace passaggio::desktop

// The window system a host program provides: it shows the module's windows (as MDI children
// of the host's frame, or headless in the batch host) and the standard message box. One per process, installed by the host program before it loads a module.
#pragma once

#include <memory>
#include <string>

#include "platform/controls/form.h"
#include "platform/host/display.h"

namespace platform::host {

//! A module's window as the window system sees it.
class ModuleWindow {
 public:
  virtual ~ModuleWindow() = default;
  virtual controls::Form& Controls() = 0;
  //! The window became the active one.
  virtual void Activate() = 0;
  //! The user or the host closes the window: the module may refuse (false).
  virtual bool RequestClose() = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  //! Shows a window and activates it; a modal show returns only after the window closed.
  virtual void Show(std::shared_ptr<ModuleWindow> window, bool modal) = 0;
  //! The module has unloaded the window. Its placement and state follow the form's window
  //! container (MDIActiveX1), which the host watches.
  virtual void Closed(ModuleWindow& window) = 0;
  //! Where standard message boxes go.
  virtual Display& GetDisplay() = 0;
  //! Reports the step a long action is at: `step` in words, `done` of `total` (total 0: no
  //! count); an empty step ends the report. A window system without a status line shows
  //! nothing.
  virtual void ShowProgress(const std::string& /*step*/, int /*done*/, int /*total*/) {}
  //! Tells the user that something was done ("Visti salvati"), without a box to dismiss; a
  //! window system without a status line shows nothing.
  virtual void ShowNotice(const std::string& /*text*/) {}
  //! What a window's last action came to ("231 articoli trovati"), kept on the status line
  //! while that window is the active one; an empty text clears it. A window system without a
  //! status line shows nothing.
  virtual void ShowStatus(const ModuleWindow& /*window*/, const std::string& /*text*/) {}
};

void InstallWindowSystem(WindowSystem* system);
//! The installed window system, or null when the process has none.
WindowSystem* CurrentWindowSystem();

}  // namespace platform::host

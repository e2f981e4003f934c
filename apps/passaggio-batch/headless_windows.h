// The batch host's window system: windows are shown without a screen, activated at once,
// and kept until the module unloads them. A modal window's show returns once what goes on
// while it is shown (the rest of a driver script) is over; a window still open then is
// closed as with its close box.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/host/window_system.h"

namespace passaggio::batch {

class HeadlessWindows : public platform::host::WindowSystem {
 public:
  explicit HeadlessWindows(platform::host::Display& display) : m_display(display) {}

  void Show(std::shared_ptr<platform::host::ModuleWindow> window, bool modal) override;
  void Closed(platform::host::ModuleWindow& window) override;
  platform::host::Display& GetDisplay() override { return m_display; }

  //! The window shown last and not closed yet, or null.
  platform::host::ModuleWindow* Current() const;
  bool isOpen(const platform::host::ModuleWindow& window) const;

  //! What the user does while a modal window is shown.
  std::function<void(platform::host::ModuleWindow&)> whileModal;

 private:
  platform::host::Display& m_display;
  std::vector<std::shared_ptr<platform::host::ModuleWindow>> m_windows;
};

}  // namespace passaggio::batch

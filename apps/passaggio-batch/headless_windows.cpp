// Windows without a screen.
#include "apps/passaggio-batch/headless_windows.h"

#include <algorithm>

namespace passaggio::batch {

void HeadlessWindows::Show(std::shared_ptr<platform::host::ModuleWindow> window, bool) {
  // Nobody can interact with a modal window here, so every show behaves as modeless.
  m_windows.push_back(window);
  window->Activate();
}

void HeadlessWindows::Closed(platform::host::ModuleWindow& window) {
  std::erase_if(m_windows, [&](const auto& shown) { return shown.get() == &window; });
}

platform::host::ModuleWindow* HeadlessWindows::Current() const {
  return m_windows.empty() ? nullptr : m_windows.back().get();
}

}  // namespace passaggio::batch

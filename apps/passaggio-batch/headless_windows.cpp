// Windows without a screen.
#include "apps/passaggio-batch/headless_windows.h"

#include <algorithm>

namespace passaggio::batch {

void HeadlessWindows::Show(std::shared_ptr<platform::host::ModuleWindow> window, bool modal) {
  m_windows.push_back(window);
  window->Activate();
  if (!modal) return;
  if (whileModal) whileModal(*window);
  if (isOpen(*window)) window->RequestClose();
}

void HeadlessWindows::Closed(platform::host::ModuleWindow& window) {
  std::erase_if(m_windows, [&](const auto& shown) { return shown.get() == &window; });
}

bool HeadlessWindows::isOpen(const platform::host::ModuleWindow& window) const {
  return std::any_of(m_windows.begin(), m_windows.end(), [&](const auto& shown) { return shown.get() == &window; });
}

platform::host::ModuleWindow* HeadlessWindows::Current() const {
  return m_windows.empty() ? nullptr : m_windows.back().get();
}

}  // namespace passaggio::batch

// A push button.
#include "platform/controls/button.h"

namespace platform::controls {

Button::Button(std::string name) : Control(std::move(name), ControlKind::Button) {}

bool Button::click() {
  if (!isEnabled() || !isShown()) return false;
  if (!setFocus()) return false;
  onClick.raise();
  return true;
}

}  // namespace platform::controls

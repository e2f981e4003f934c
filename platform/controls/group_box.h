// A group box: a captioned border that holds other controls.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace platform::controls {

class GroupBox : public Control {
 public:
  explicit GroupBox(std::string name) : Control(std::move(name), ControlKind::GroupBox) {}
};

}  // namespace platform::controls

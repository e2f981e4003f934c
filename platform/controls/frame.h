// A frame: a page container; showing one and hiding the others switches the form's page.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace platform::controls {

class Frame : public Control {
 public:
  explicit Frame(std::string name) : Control(std::move(name), ControlKind::Frame) {}
};

}  // namespace platform::controls

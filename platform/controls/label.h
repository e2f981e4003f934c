// A label: a caption the user reads. Description boxes next to code fields are labels or
// read-only edit fields; a label's text is its caption.
#pragma once

#include <string>

#include "platform/controls/control.h"

namespace platform::controls {

class Label : public Control {
 public:
  explicit Label(std::string name) : Control(std::move(name), ControlKind::Label) {}

  const std::string& text() const { return caption(); }
  void setText(std::string text) { setCaption(std::move(text)); }
};

}  // namespace platform::controls

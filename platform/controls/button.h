// A push button. A click takes the focus first, so a field that refuses to be left (its
// validation cancelled) also swallows the click, as it does in the host.
#pragma once

#include <string>

#include "platform/controls/control.h"
#include "platform/controls/event.h"

namespace platform::controls {

class Button : public Control {
 public:
  explicit Button(std::string name);

  bool canTakeFocus() const override { return true; }

  //! The user clicks: false (and no event) when the button is disabled or hidden, or the
  //! focus could not come to it.
  bool click();

  Event<> onClick;
};

}  // namespace platform::controls

// A check box with the value 0 (clear) or 1 (ticked). Bound to a column it stores 0 or 1;
// any change of the value raises onChange.
#pragma once

#include <string>

#include "platform/controls/bound_control.h"
#include "platform/controls/event.h"

namespace platform::controls {

class CheckBox : public BoundControl {
 public:
  explicit CheckBox(std::string name);

  bool canTakeFocus() const override { return true; }

  int value() const { return m_value; }
  //! Any non-zero value ticks the box.
  void setValue(int value);

  //! The user clicks the box: focus first, then the tick toggles.
  bool click();

  Variant boundValue() const override { return Variant(m_value); }

  Event<> onChange;

 protected:
  void loadBoundValue(const Variant& value) override;

 private:
  int m_value = 0;
};

}  // namespace platform::controls

// A check box.
#include "platform/controls/check_box.h"

namespace platform::controls {

CheckBox::CheckBox(std::string name) : BoundControl(std::move(name), ControlKind::CheckBox) {
  setDefaultValue(Variant(0));
}

void CheckBox::setValue(int value) {
  const int normalised = value != 0 ? 1 : 0;
  if (normalised == m_value) return;
  m_value = normalised;
  notifyChanged();
  onChange.raise();
}

bool CheckBox::click() {
  if (!isEnabled() || !isShown()) return false;
  if (!setFocus()) return false;
  setValue(m_value == 0 ? 1 : 0);
  userEdited();
  return true;
}

void CheckBox::loadBoundValue(const Variant& value) {
  // A NULL flag reads as 0, as flags do everywhere in the database.
  setValue(value.isNull() || value.isEmpty() ? 0 : (value.toDouble() != 0 ? 1 : 0));
}

}  // namespace platform::controls

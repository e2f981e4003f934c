// A control bound to a column by a record editor.
#include "platform/controls/bound_control.h"

#include "platform/controls/record_editor.h"
#include "platform/text/ascii.h"

namespace platform::controls {

BoundControl::~BoundControl() {
  if (m_editor != nullptr) m_editor->forget(*this);
}

void BoundControl::userEdited() {
  if (m_editor != nullptr) m_editor->boundControlEdited();
}

bool BoundControl::applyDesignProperty(std::string_view name, const Variant& value) {
  if (text::equalsIgnoringCase(name, "dbfield")) {
    m_dataField = value.toText();
    return true;
  }
  if (text::equalsIgnoringCase(name, "default")) {
    m_default = value;
    return true;
  }
  return Control::applyDesignProperty(name, value);
}

}  // namespace platform::controls

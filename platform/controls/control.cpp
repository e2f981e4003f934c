// The base of every control model.
#include "platform/controls/control.h"

#include "platform/controls/form.h"
#include "platform/text/ascii.h"

namespace platform::controls {

Control::Control(std::string name, ControlKind kind) : m_name(std::move(name)), m_kind(kind) {}

Control::~Control() = default;

Control* Control::parent() const {
  if (m_form == nullptr || m_parent.empty()) return nullptr;
  return m_form->find(m_parent);
}

void Control::setCaption(std::string caption) {
  if (caption == m_caption) return;
  m_caption = std::move(caption);
  notifyChanged();
}

void Control::setEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  notifyChanged();
}

void Control::setVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  notifyChanged();
}

bool Control::isShown() const {
  for (const Control* control = this; control != nullptr; control = control->parent()) {
    if (!control->m_visible) return false;
  }
  return true;
}

void Control::setLeft(int twips) { setBounds(twips, m_top, m_width, m_height); }
void Control::setTop(int twips) { setBounds(m_left, twips, m_width, m_height); }
void Control::setWidth(int twips) { setBounds(m_left, m_top, twips, m_height); }
void Control::setHeight(int twips) { setBounds(m_left, m_top, m_width, twips); }

void Control::setBounds(int left, int top, int width, int height) {
  if (left == m_left && top == m_top && width == m_width && height == m_height) return;
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
  notifyChanged();
}

bool Control::canTakeFocus() const { return false; }

bool Control::hasFocus() const { return m_form != nullptr && m_form->focus() == this; }

bool Control::setFocus() { return m_form == nullptr || m_form->setFocus(*this); }

bool Control::applyDesignProperty(std::string_view name, const Variant& value) {
  if (text::equalsIgnoringCase(name, "tag")) {
    m_tag = value.toText();
    return true;
  }
  return false;
}

}  // namespace platform::controls

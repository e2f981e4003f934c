// The base of every control model: name, kind, caption, enabled and visible state, position
// and size in twips, tab order and focus. A control lives on a Form, which owns it and keeps
// the focus; the renderer repaints a control when it raises onChanged.
#pragma once

#include <string>
#include <string_view>

#include "platform/controls/event.h"
#include "platform/controls/form_design.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class Form;

class Control : public Object {
 public:
  Control(std::string name, ControlKind kind);
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return m_name; }
  ControlKind kind() const { return m_kind; }
  //! The host's type name of this control (see hostTypeName).
  std::string_view typeName() const { return hostTypeName(m_kind); }

  //! The form that owns the control; null for a control made on its own.
  Form* form() const { return m_form; }
  //! The frame, group box or container the control sits in; empty for the form itself.
  const std::string& parentName() const { return m_parent; }
  Control* parent() const;

  const std::string& caption() const { return m_caption; }
  void setCaption(std::string caption);
  const std::string& tag() const { return m_tag; }
  void setTag(std::string tag) { m_tag = std::move(tag); }

  bool isEnabled() const { return m_enabled; }
  void setEnabled(bool enabled);
  bool isVisible() const { return m_visible; }
  void setVisible(bool visible);
  //! Visible, and so is every container it sits in: what the user can see.
  bool isShown() const;

  int left() const { return m_left; }
  int top() const { return m_top; }
  int width() const { return m_width; }
  int height() const { return m_height; }
  void setLeft(int twips);
  void setTop(int twips);
  void setWidth(int twips);
  void setHeight(int twips);
  void setBounds(int left, int top, int width, int height);

  int tabIndex() const { return m_tabIndex; }
  void setTabIndex(int index) { m_tabIndex = index; }

  //! Whether the user can put the caret or the selection on it (fields, buttons, grids).
  virtual bool canTakeFocus() const;
  bool hasFocus() const;
  //! Moves the focus here through the form; false when the control cannot take it or the
  //! control that has it refuses to let it go. A control without a form always succeeds.
  bool setFocus();

  //! A property the renderer shows has changed.
  Event<> onChanged;

 protected:
  void notifyChanged() const { onChanged.raise(); }

  //! The form is taking the focus away; false keeps it here (a validation refused).
  virtual bool leaving() { return true; }

  //! Applies a kind-specific design setting; false when the kind has no such setting.
  virtual bool applyDesignProperty(std::string_view name, const Variant& value);

 private:
  friend class Form;

  std::string m_name;
  ControlKind m_kind;
  Form* m_form = nullptr;
  std::string m_parent;
  std::string m_caption;
  std::string m_tag;
  bool m_enabled = true;
  bool m_visible = true;
  int m_left = 0;
  int m_top = 0;
  int m_width = 0;
  int m_height = 0;
  int m_tabIndex = 0;
};

}  // namespace platform::controls

// A form at run time: the control models built from its design, looked up by name, and the
// focus, which moves only when the control that has it lets it go.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/form_design.h"

namespace platform::controls {

class Form {
 public:
  //! Builds one control model per entry of the design, in design order. An unknown parent,
  //! a repeated name or a design setting the kind does not have throws std::invalid_argument.
  explicit Form(FormDesign design);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormDesign& design() const { return m_design; }
  const std::string& name() const { return m_design.name; }
  const std::string& caption() const { return m_caption; }
  void setCaption(std::string caption) { m_caption = std::move(caption); }
  //! The form's inside size in twips, as the renderer last set it.
  int width() const { return m_width; }
  int height() const { return m_height; }
  void setSize(int width, int height);

  //! Adds a control to the design and builds it (for forms laid out in code).
  Control& add(ControlDesign design);

  //! Controls by name, without regard to letter case; null when there is none.
  Control* find(std::string_view name) const;
  //! The named control; std::out_of_range when there is none.
  Control& control(std::string_view name) const;
  //! The named control as its model class; std::invalid_argument when it is of another kind.
  template <class T>
  T& get(std::string_view name) const {
    T* typed = dynamic_cast<T*>(&control(name));
    if (typed == nullptr) {
      throw std::invalid_argument("control " + std::string(name) + " is a " +
                                  std::string(control(name).typeName()));
    }
    return *typed;
  }
  //! A shared reference to a control, for host calls that take the control as an object.
  std::shared_ptr<Control> reference(std::string_view name) const;

  //! Every control in design order.
  const std::vector<std::shared_ptr<Control>>& controls() const { return m_controls; }
  //! The controls that sit directly in `container` (or on the form when null), in design order.
  std::vector<Control*> children(const Control* container) const;

  //! The control that has the focus, or null.
  Control* focus() const { return m_focus; }
  //! Moves the focus to `target`. The control that has it is asked to let it go first (an
  //! edit field validates); when it refuses, the focus stays and the answer is false. A
  //! disabled or hidden control, or one that takes no focus, is refused too. A handler that
  //! moves the focus while the old control is leaving decides where it goes.
  bool setFocus(Control& target);
  //! The control that has the focus lets it go (the user leaves it); false when it refuses.
  bool leaveFocus();
  //! Moves the focus to the next control in tab order that can take it.
  bool focusNext();

 private:
  bool moveFocus(Control* target);
  Control& build(const ControlDesign& design);

  FormDesign m_design;
  std::string m_caption;
  int m_width = 0;
  int m_height = 0;
  std::vector<std::shared_ptr<Control>> m_controls;
  Control* m_focus = nullptr;
  Control* m_leaving = nullptr;    // the control whose leave handlers are running
  Control* m_redirect = nullptr;   // where a handler moved the focus meanwhile
  bool m_redirected = false;
};

}  // namespace platform::controls

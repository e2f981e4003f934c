// A form at run time.
#include "platform/controls/form.h"

#include <algorithm>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/chooser.h"
#include "platform/controls/container.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/group_box.h"
#include "platform/controls/image_list.h"
#include "platform/controls/legend.h"
#include "platform/controls/label.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "platform/text/ascii.h"

namespace platform::controls {
namespace {

std::shared_ptr<Control> makeControl(const std::string& name, ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame: return std::make_shared<Frame>(name);
    case ControlKind::GroupBox: return std::make_shared<GroupBox>(name);
    case ControlKind::Label: return std::make_shared<Label>(name);
    case ControlKind::Button: return std::make_shared<Button>(name);
    case ControlKind::EditField: return std::make_shared<EditField>(name);
    case ControlKind::Chooser: return std::make_shared<Chooser>(name);
    case ControlKind::CheckBox: return std::make_shared<CheckBox>(name);
    case ControlKind::Grid: return std::make_shared<Grid>(name);
    case ControlKind::GridNavigator: return std::make_shared<GridNavigator>(name);
    case ControlKind::EnhancedQuery: return std::make_shared<EnhancedQuery>(name);
    case ControlKind::SideBar: return std::make_shared<SideBar>(name);
    case ControlKind::ResizeControl: return std::make_shared<ResizeControl>(name);
    case ControlKind::Container: return std::make_shared<Container>(name);
    case ControlKind::ImageList: return std::make_shared<ImageList>(name);
    case ControlKind::Legend: return std::make_shared<Legend>(name);
  }
  throw std::invalid_argument("control " + name + ": unknown kind");
}

}  // namespace

Form::Form(FormDesign design)
    : m_caption(design.caption), m_width(design.width), m_height(design.height) {
  m_design.name = std::move(design.name);
  m_design.caption = std::move(design.caption);
  m_design.width = design.width;
  m_design.height = design.height;
  for (ControlDesign& control : design.controls) add(std::move(control));
}

Form::~Form() {
  // The controls may outlive the form through shared references; they must not reach back.
  for (const std::shared_ptr<Control>& control : m_controls) control->m_form = nullptr;
}

void Form::setSize(int width, int height) {
  m_width = width;
  m_height = height;
}

Control& Form::add(ControlDesign design) {
  if (design.name.empty()) throw std::invalid_argument("a control needs a name");
  if (find(design.name) != nullptr) throw std::invalid_argument("control " + design.name + " exists already");
  if (!design.parent.empty() && find(design.parent) == nullptr) {
    throw std::invalid_argument("control " + design.name + ": no container " + design.parent);
  }
  m_design.controls.push_back(std::move(design));
  return build(m_design.controls.back());
}

Control& Form::build(const ControlDesign& design) {
  std::shared_ptr<Control> control = makeControl(design.name, design.kind);
  control->m_form = this;
  control->m_parent = design.parent;
  control->m_caption = design.caption;
  control->m_left = design.left;
  control->m_top = design.top;
  control->m_width = design.width;
  control->m_height = design.height;
  control->m_tabIndex = design.tabIndex;
  control->m_visible = design.visible;
  control->m_enabled = design.enabled;
  for (const auto& [property, value] : design.properties) {
    if (!control->applyDesignProperty(property, value)) {
      throw std::invalid_argument("control " + design.name + ": no design setting " + property);
    }
  }
  m_controls.push_back(std::move(control));
  return *m_controls.back();
}

Control* Form::find(std::string_view name) const {
  for (const std::shared_ptr<Control>& control : m_controls) {
    if (text::equalsIgnoringCase(control->name(), name)) return control.get();
  }
  return nullptr;
}

Control& Form::control(std::string_view name) const {
  Control* control = find(name);
  if (control == nullptr) throw std::out_of_range("form " + m_design.name + " has no control " + std::string(name));
  return *control;
}

std::shared_ptr<Control> Form::reference(std::string_view name) const {
  for (const std::shared_ptr<Control>& control : m_controls) {
    if (text::equalsIgnoringCase(control->name(), name)) return control;
  }
  throw std::out_of_range("form " + m_design.name + " has no control " + std::string(name));
}

std::vector<Control*> Form::children(const Control* container) const {
  std::vector<Control*> result;
  for (const std::shared_ptr<Control>& control : m_controls) {
    if (container == nullptr ? control->parentName().empty() : text::equalsIgnoringCase(control->parentName(), container->name())) {
      result.push_back(control.get());
    }
  }
  return result;
}

bool Form::setFocus(Control& target) {
  if (target.form() != this) throw std::invalid_argument("control " + target.name() + " is not on form " + name());
  if (!target.canTakeFocus() || !target.isEnabled() || !target.isShown()) return false;
  return moveFocus(&target);
}

bool Form::leaveFocus() { return moveFocus(nullptr); }

bool Form::moveFocus(Control* target) {
  if (m_leaving != nullptr) {
    // Asked from a handler of the control that is leaving: remember it, the leave decides.
    m_redirect = target;
    m_redirected = true;
    return true;
  }
  if (m_focus == target) return true;
  Control* leaving = m_focus;
  Control* chosen = target;
  if (leaving != nullptr) {
    struct LeaveScope {
      Form& form;
      ~LeaveScope() { form.m_leaving = nullptr; }
    } scope{*this};
    m_leaving = leaving;
    m_redirected = false;
    m_redirect = nullptr;
    if (!leaving->leaving()) return false;
    if (m_redirected && m_redirect != nullptr) {
      // A handler put the focus back on the leaving control (it stays) or on another one
      // (it goes there instead of the target).
      if (m_redirect == leaving) return false;
      chosen = m_redirect;
    }
  }
  m_focus = chosen;
  if (leaving != nullptr) leaving->notifyChanged();
  if (chosen != nullptr) chosen->notifyChanged();
  return chosen == target;
}

bool Form::focusNext() {
  std::vector<Control*> order;
  for (const std::shared_ptr<Control>& control : m_controls) {
    if (control->canTakeFocus() && control->isEnabled() && control->isShown()) order.push_back(control.get());
  }
  if (order.empty()) return false;
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
  auto current = std::find(order.begin(), order.end(), m_focus);
  auto next = (current == order.end() || std::next(current) == order.end()) ? order.begin() : std::next(current);
  return setFocus(**next);
}

}  // namespace platform::controls

// The resize control.
#include "platform/controls/resize_control.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "platform/controls/form.h"
#include "platform/text/ascii.h"

namespace platform::controls {
namespace {

// One axis: the start and length of a control, moved or stretched by the growth of its
// container.
void follow(int& start, int& length, int growth, bool nearSide, bool farSide) {
  if (nearSide && farSide) {
    length = std::max(0, length + growth);
  } else if (farSide) {
    start += growth;
  }
}

// A button keeps its distance to the sides of its container it is nearer to (the save button
// at the bottom right of a page stays there), a legend too but stretching across as its line
// of text may; anything else stays at the top left.
int unregisteredAnchoring(const Control& control, int formWidth, int formHeight) {
  using R = ResizeControl;
  if (control.kind() != ControlKind::Button && control.kind() != ControlKind::Legend) return R::kTop | R::kLeft;
  const Control* container = control.parent();
  const int width = container != nullptr ? container->width() : formWidth;
  const int height = container != nullptr ? container->height() : formHeight;
  const bool right = 2 * control.left() + control.width() > width;
  const bool bottom = 2 * control.top() + control.height() > height;
  if (control.kind() == ControlKind::Legend) return R::kLeft | R::kRight | (bottom ? R::kBottom : R::kTop);
  return (right ? R::kRight : R::kLeft) | (bottom ? R::kBottom : R::kTop);
}

}  // namespace

ResizeControl::ResizeControl(std::string name) : Control(std::move(name), ControlKind::ResizeControl) {}

void ResizeControl::registerControl(std::string name, int anchoring) {
  for (Registration& registration : m_registrations) {
    if (text::equalsIgnoringCase(registration.name, name)) {
      registration.anchoring = anchoring;
      return;
    }
  }
  m_registrations.push_back(Registration{std::move(name), anchoring});
}

void ResizeControl::removeControl(std::string_view name) {
  std::erase_if(m_registrations, [&](const Registration& registration) { return text::equalsIgnoringCase(registration.name, name); });
}

std::optional<int> ResizeControl::anchoring(std::string_view name) const {
  for (const Registration& registration : m_registrations) {
    if (text::equalsIgnoringCase(registration.name, name)) return registration.anchoring;
  }
  return std::nullopt;
}

int ResizeControl::scaled(int designTwips) const {
  return static_cast<int>(std::lround(static_cast<double>(designTwips) * m_scale));
}

void ResizeControl::takeInitialSizes() {
  if (form() == nullptr) throw std::logic_error("resize control " + name() + " is on no form");
  onRegisterControls.raise();
  m_formWidth = form()->width();
  m_formHeight = form()->height();
  m_initial.clear();
  for (const auto& control : form()->controls()) {
    m_initial.push_back(Initial{control.get(), control->left(), control->top(), control->width(), control->height(),
                                unregisteredAnchoring(*control, m_formWidth, m_formHeight)});
  }
}

void ResizeControl::resize(int formWidth, int formHeight) {
  if (form() == nullptr) throw std::logic_error("resize control " + name() + " is on no form");
  form()->setSize(formWidth, formHeight);
  bool proceed = false;
  onBeforeResize.raise(proceed);
  if (proceed) {
    // Containers come before what they hold: each control follows its container's growth.
    std::map<const Control*, std::pair<int, int>> growth{{nullptr, {formWidth - m_formWidth, formHeight - m_formHeight}}};
    for (const Initial& initial : m_initial) {
      Control& control = *initial.control;
      const auto container = growth.find(control.parent());
      const auto [growX, growY] = container != growth.end() ? container->second : std::pair{0, 0};
      const int code = anchoring(control.name()).value_or(initial.unregisteredAnchoring);
      int left = initial.left;
      int width = initial.width;
      int top = initial.top;
      int height = initial.height;
      follow(left, width, growX, (code & kLeft) != 0, (code & kRight) != 0);
      follow(top, height, growY, (code & kTop) != 0, (code & kBottom) != 0);
      control.setBounds(left, top, width, height);
      growth[&control] = {width - initial.width, height - initial.height};
    }
  }
  onResize.raise();
}

}  // namespace platform::controls

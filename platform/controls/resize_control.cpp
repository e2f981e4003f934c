// The resize control.
#include "platform/controls/resize_control.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/controls/form.h"
#include "platform/controls/text_rules.h"

namespace platform::controls {
namespace {

// One axis: the start and length of a control, moved or stretched by the growth of the form.
void follow(int& start, int& length, int growth, bool nearSide, bool farSide) {
  if (nearSide && farSide) {
    length = std::max(0, length + growth);
  } else if (farSide) {
    start += growth;
  }
}

}  // namespace

ResizeControl::ResizeControl(std::string name) : Control(std::move(name), ControlKind::ResizeControl) {}

void ResizeControl::registerControl(std::string name, int anchoring) {
  for (Registration& registration : m_registrations) {
    if (sameName(registration.name, name)) {
      registration.anchoring = anchoring;
      return;
    }
  }
  m_registrations.push_back(Registration{std::move(name), anchoring});
}

void ResizeControl::removeControl(std::string_view name) {
  std::erase_if(m_registrations, [&](const Registration& registration) { return sameName(registration.name, name); });
}

std::optional<int> ResizeControl::anchoring(std::string_view name) const {
  for (const Registration& registration : m_registrations) {
    if (sameName(registration.name, name)) return registration.anchoring;
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
  for (const Registration& registration : m_registrations) {
    const Control* control = form()->find(registration.name);
    if (control == nullptr) continue;  // registered by a name the form does not have
    m_initial.push_back(
        Initial{control->name(), control->left(), control->top(), control->width(), control->height()});
  }
}

void ResizeControl::resize(int formWidth, int formHeight) {
  if (form() == nullptr) throw std::logic_error("resize control " + name() + " is on no form");
  form()->setSize(formWidth, formHeight);
  bool proceed = false;
  onBeforeResize.raise(proceed);
  if (proceed) {
    const int growX = formWidth - m_formWidth;
    const int growY = formHeight - m_formHeight;
    for (const Initial& initial : m_initial) {
      const std::optional<int> code = anchoring(initial.name);
      Control* control = form()->find(initial.name);
      if (!code || control == nullptr) continue;
      int left = initial.left;
      int width = initial.width;
      int top = initial.top;
      int height = initial.height;
      follow(left, width, growX, (*code & kLeft) != 0, (*code & kRight) != 0);
      follow(top, height, growY, (*code & kTop) != 0, (*code & kBottom) != 0);
      control->setBounds(left, top, width, height);
    }
  }
  onResize.raise();
}

}  // namespace platform::controls

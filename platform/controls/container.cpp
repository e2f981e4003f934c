// The window container.
#include "platform/controls/container.h"

namespace platform::controls {

Container::Container(std::string name) : Control(std::move(name), ControlKind::Container) {}

void Container::moveChild(int left, int top, int width, int height) {
  m_childLeft = left;
  m_childTop = top;
  m_childWidth = width;
  m_childHeight = height;
  notifyChanged();
}

void Container::setWindowState(int state) {
  m_state = state;
  notifyChanged();
}

}  // namespace platform::controls

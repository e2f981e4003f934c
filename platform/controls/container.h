// The window container: holds the console's window inside the host's window, moves it and
// sets its window state, and tells the form when the form inside it has loaded.
#pragma once

#include <string>

#include "platform/controls/control.h"
#include "platform/controls/event.h"

namespace platform::controls {

class Container : public Control {
 public:
  static constexpr int kNormal = 0;
  static constexpr int kMinimised = 1;
  static constexpr int kMaximised = 2;

  explicit Container(std::string name);

  //! Places the child window, in twips inside the container.
  void moveChild(int left, int top, int width, int height);
  int childLeft() const { return m_childLeft; }
  int childTop() const { return m_childTop; }
  int childWidth() const { return m_childWidth; }
  int childHeight() const { return m_childHeight; }

  void setWindowState(int state);
  int windowState() const { return m_state; }

  //! The host reports that the form inside has loaded.
  void formLoaded() { onFormLoaded.raise(); }

  Event<> onFormLoaded;

 private:
  int m_childLeft = 0;
  int m_childTop = 0;
  int m_childWidth = 0;
  int m_childHeight = 0;
  int m_state = kNormal;
};

}  // namespace platform::controls

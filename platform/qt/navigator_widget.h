// A grid navigator as a row of tool buttons with icons and shortcuts: Ctrl+N new, Ctrl+S
// save, Del delete, Esc cancel, Ctrl+Home first, Page Up previous, Page Down next, Ctrl+End
// last. A button is enabled when the navigator offers it now.
#pragma once

#include <QWidget>
#include <array>

#include "platform/controls/grid_navigator.h"
#include "platform/qt/user_action.h"

class QShortcut;
class QToolButton;

namespace platform::qt {

class NavigatorWidget : public QWidget {
  Q_OBJECT

 public:
  NavigatorWidget(controls::GridNavigator& navigator, ActionRunner run, QWidget* parent = nullptr);

  controls::GridNavigator& navigator() const { return m_navigator; }
  //! Makes the shortcuts work while the focus is anywhere inside `scope` (the navigator's
  //! page), so that two pages' navigators do not compete for the same keys.
  void installShortcuts(QWidget& scope);
  void syncFromNavigator();
  QToolButton* button(controls::GridNavigator::Button which) const;

 private:
  void press(controls::GridNavigator::Button which);

  controls::GridNavigator& m_navigator;
  ActionRunner m_run;
  std::array<QToolButton*, 8> m_buttons{};
  std::array<QShortcut*, 8> m_shortcuts{};
};

}  // namespace platform::qt

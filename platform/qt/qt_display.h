// The display service of the desktop host: real dialogs for messages, errors, look-up lists
// and item cards, modal over the window they are shown for. While a dialog asks the user,
// the normal cursor shows even in the middle of a long action.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/host/display.h"

namespace platform::qt {

class QtDisplay : public host::Display {
 public:
  //! Dialogs open over `parent`, or over the active window when there is none.
  explicit QtDisplay(QWidget* parent = nullptr) : m_parent(parent) {}

  void setParentWidget(QWidget* parent) { m_parent = parent; }

  int showMessage(const host::MessageRequest& request) override;
  int showError(const host::ErrorRequest& request) override;
  int pick(const host::PickListRequest& request) override;
  void showItemCard(const host::ItemCard& card) override;

 private:
  QWidget* dialogParent() const;

  QPointer<QWidget> m_parent;
};

}  // namespace platform::qt

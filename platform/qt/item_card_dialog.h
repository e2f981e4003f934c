// The item card: an item's master data as captions and values, read-only, until closed.
#pragma once

#include <QDialog>

#include "platform/host/display.h"

namespace platform::qt {

class ItemCardDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ItemCardDialog(const host::ItemCard& card, QWidget* parent = nullptr);
};

}  // namespace platform::qt

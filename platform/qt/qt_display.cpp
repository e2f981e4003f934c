// The desktop host's dialogs.
#include "platform/qt/qt_display.h"

#include <QApplication>

#include "platform/qt/busy.h"
#include "platform/qt/error_dialog.h"
#include "platform/qt/item_card_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/pick_list_dialog.h"

namespace platform::qt {

QWidget* QtDisplay::dialogParent() const {
  if (!m_parent.isNull()) return m_parent->window();
  return QApplication::activeWindow();
}

int QtDisplay::showMessage(const host::MessageRequest& request) {
  if (QApplication::instance() == nullptr) return host::kNone;
  NormalCursor cursor;
  std::unique_ptr<QMessageBox> box = makeMessageBox(request, dialogParent());
  box->exec();
  return answerOf(*box);
}

int QtDisplay::showError(const host::ErrorRequest& request) {
  NormalCursor cursor;
  ErrorDialog dialog(request, dialogParent());
  const int answer = dialog.exec();
  return answer == host::kRetry || answer == host::kIgnore ? answer : host::kAbort;
}

int QtDisplay::pick(const host::PickListRequest& request) {
  NormalCursor cursor;
  PickListDialog dialog(request, dialogParent());
  dialog.exec();
  return dialog.chosenRow();
}

void QtDisplay::showItemCard(const host::ItemCard& card) {
  NormalCursor cursor;
  ItemCardDialog dialog(card, dialogParent());
  dialog.exec();
}

}  // namespace platform::qt

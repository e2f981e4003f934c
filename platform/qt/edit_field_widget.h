// An edit field as a line edit. Typing goes to the field as the user's text (which the field
// may upper-case, cut or filter), Enter leaves the field (validate, then after-item; the
// caret stays when a handler refuses), F3 or the look-up button opens the field's list and
// the chosen code is picked into it.
#pragma once

#include <QLineEdit>

#include "platform/controls/edit_field.h"
#include "platform/qt/user_action.h"

class QAction;

namespace platform::host {
class Display;
}

namespace platform::qt {

class EditFieldWidget : public QLineEdit {
  Q_OBJECT

 public:
  //! `display` shows the look-up lists; without one the field offers no look-up.
  EditFieldWidget(controls::EditField& field, host::Display* display, ActionRunner run, QWidget* parent = nullptr);

  controls::EditField& field() const { return m_field; }
  void syncFromField();
  //! Opens the look-up and picks the chosen code (F3).
  void openLookup();

 signals:
  //! Enter was pressed and the field let the user go.
  void leftWithEnter();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  controls::EditField& m_field;
  host::Display* m_display;
  ActionRunner m_run;
  QAction* m_lookup;
};

}  // namespace platform::qt

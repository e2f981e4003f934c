// A form shown as a modal dialog: its view inside a dialog window titled with the form's
// caption. The dialog does not close itself: closing it (the close box, Escape) asks the
// form's owner, and the owner ends the dialog once the form is unloaded.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/controls/form.h"

namespace platform::host {
class Display;
}

namespace platform::qt {

class FormView;

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  //! `closeRequest` is asked when the user closes the window.
  FormDialog(controls::Form& form, host::Display* display, std::function<void()> closeRequest,
             QWidget* parent = nullptr);
  ~FormDialog() override;

  FormView* formView() const { return m_view; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  FormView* m_view;
  std::function<void()> m_closeRequest;
};

}  // namespace platform::qt

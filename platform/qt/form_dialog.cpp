// A form as a modal dialog.
#include "platform/qt/form_dialog.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "platform/qt/form_view.h"
#include "platform/qt/text.h"

namespace platform::qt {

FormDialog::FormDialog(controls::Form& form, host::Display* display, std::function<void()> closeRequest,
                       QWidget* parent)
    : QDialog(parent), m_view(new FormView(form, display, this)), m_closeRequest(std::move(closeRequest)) {
  setWindowTitle(toQString(form.caption()));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  resize(m_view->sizeHint());
}

// The view goes first: the form outlives it.
FormDialog::~FormDialog() {
  delete m_view;
  m_view = nullptr;
}

void FormDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (m_closeRequest) m_closeRequest();
}

void FormDialog::reject() {
  if (m_closeRequest) m_closeRequest();
}

}  // namespace platform::qt

// The error display: where the error happened and what it said, and under "Dettagli" the
// statement being run and the connection's error collection. The user aborts, retries or
// ignores; the dialog's result is host::kAbort, kRetry or kIgnore (Escape aborts).
#pragma once

#include <QDialog>

#include "platform/host/display.h"

class QPushButton;
class QToolButton;
class QPlainTextEdit;
class QTableWidget;

namespace platform::qt {

class ErrorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ErrorDialog(const host::ErrorRequest& request, QWidget* parent = nullptr);

  QPushButton* abortButton() const { return m_abort; }
  QPushButton* retryButton() const { return m_retry; }
  QPushButton* ignoreButton() const { return m_ignore; }
  QToolButton* detailsButton() const { return m_detailsButton; }
  //! Shows or hides the details.
  void showDetails(bool shown);
  //! Everything the dialog says, as text for the clipboard or a support request.
  QString reportText() const;

 public slots:
  void reject() override;

 private:
  host::ErrorRequest m_request;
  QPushButton* m_abort;
  QPushButton* m_retry;
  QPushButton* m_ignore;
  QToolButton* m_detailsButton;
  QWidget* m_details;
};

}  // namespace platform::qt

// Message boxes.
#include "platform/qt/message_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "platform/qt/text.h"

namespace platform::qt {
namespace {

namespace style = host::style;
using Standard = QMessageBox::StandardButton;

std::vector<Standard> buttonSet(int requestStyle) {
  switch (style::buttons(requestStyle)) {
    case style::kOkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case style::kAbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case style::kYesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case style::kYesNo: return {QMessageBox::Yes, QMessageBox::No};
    case style::kRetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    default: return {QMessageBox::Ok};
  }
}

QString caption(Standard button) {
  switch (button) {
    case QMessageBox::Ok: return QStringLiteral("OK");
    case QMessageBox::Cancel: return QStringLiteral("Annulla");
    case QMessageBox::Abort: return QStringLiteral("&Interrompi");
    case QMessageBox::Retry: return QStringLiteral("&Riprova");
    case QMessageBox::Ignore: return QStringLiteral("I&gnora");
    case QMessageBox::Yes: return QStringLiteral("&Sì");
    case QMessageBox::No: return QStringLiteral("&No");
    default: return {};
  }
}

int answerFor(Standard button) {
  switch (button) {
    case QMessageBox::Ok: return host::kOk;
    case QMessageBox::Cancel: return host::kCancel;
    case QMessageBox::Abort: return host::kAbort;
    case QMessageBox::Retry: return host::kRetry;
    case QMessageBox::Ignore: return host::kIgnore;
    case QMessageBox::Yes: return host::kYes;
    case QMessageBox::No: return host::kNo;
    default: return host::kNone;
  }
}

QMessageBox::Icon iconFor(int requestStyle) {
  switch (style::icon(requestStyle)) {
    case style::kCritical: return QMessageBox::Critical;
    case style::kQuestion: return QMessageBox::Question;
    case style::kExclamation: return QMessageBox::Warning;
    case style::kInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// Escape answers what the box offers for "no thanks": Cancel, else the only button; abort /
// retry / ignore has no such answer and Escape aborts.
Standard escapeOf(const std::vector<Standard>& buttons) {
  for (Standard wanted : {QMessageBox::Cancel, QMessageBox::Abort}) {
    for (Standard button : buttons) {
      if (button == wanted) return button;
    }
  }
  return buttons.front();
}

// A question of Yes and No has no "no thanks": its No may throw work away (unsaved ticks on
// closing), so Escape and the title bar's close box leave it open until a button answers.
class AnswerRequired : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
      return true;
    }
    if (event->type() == QEvent::Close && event->spontaneous()) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

bool needsAnAnswer(const std::vector<Standard>& buttons) {
  return std::find(buttons.begin(), buttons.end(), QMessageBox::No) != buttons.end() &&
         std::find(buttons.begin(), buttons.end(), QMessageBox::Cancel) == buttons.end();
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const host::MessageRequest& request, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  QString title = toQString(request.title);
  if (title.isEmpty()) title = QApplication::applicationDisplayName();
  box->setWindowTitle(title);
  box->setTextFormat(Qt::PlainText);
  box->setText(toDisplayLines(request.text));
  box->setIcon(iconFor(request.style));
  const std::vector<Standard> buttons = buttonSet(request.style);
  for (Standard button : buttons) box->addButton(button)->setText(caption(button));
  std::size_t preferred = 0;
  if (request.style & style::kDefaultButton3) {
    preferred = 2;
  } else if (request.style & style::kDefaultButton2) {
    preferred = 1;
  }
  box->setDefaultButton(buttons[std::min(preferred, buttons.size() - 1)]);
  if (needsAnAnswer(buttons)) {
    box->installEventFilter(new AnswerRequired(box.get()));
  } else {
    box->setEscapeButton(escapeOf(buttons));
  }
  if (request.style & style::kSystemModal) box->setWindowModality(Qt::ApplicationModal);
  return box;
}

int answerOf(const QMessageBox& box) {
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return host::kNone;
  return answerFor(box.standardButton(clicked));
}

}  // namespace platform::qt

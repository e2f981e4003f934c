// Helpers for the Qt layer's tests: a display that answers from a script and dialogs driven
// while they are open.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QString>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/host/display.h"

namespace platform::qt::testing {

//! Answers pick lists and messages from queues and records what it was asked to show.
class ScriptedDisplay : public host::Display {
 public:
  std::deque<int> pickAnswers;
  std::deque<int> messageAnswers;
  std::vector<host::PickListRequest> picks;
  std::vector<host::MessageRequest> messages;
  std::vector<host::ErrorRequest> errors;
  std::vector<std::string> cards;

  int showMessage(const host::MessageRequest& request) override {
    messages.push_back(request);
    return next(messageAnswers, host::kOk);
  }
  int showError(const host::ErrorRequest& request) override {
    errors.push_back(request);
    return host::kAbort;
  }
  int pick(const host::PickListRequest& request) override {
    picks.push_back(request);
    return next(pickAnswers, -1);
  }
  void showItemCard(const host::ItemCard& card) override { cards.push_back(card.title); }

 private:
  static int next(std::deque<int>& answers, int otherwise) {
    if (answers.empty()) return otherwise;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

//! Runs `act` on the next modal dialog once it is open (the caller then opens it).
inline void onNextDialog(std::function<void(QWidget&)> act, int attempts = 200) {
  QTimer::singleShot(5, [act = std::move(act), attempts]() mutable {
    if (QWidget* dialog = QApplication::activeModalWidget()) return act(*dialog);
    if (attempts > 0) onNextDialog(std::move(act), attempts - 1);
  });
}

//! The button of `dialog` whose caption, without its mnemonic, is `caption`; null if none.
inline QAbstractButton* buttonCaptioned(QWidget& dialog, const QString& caption) {
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    if (button->text().remove(QLatin1Char('&')) == caption) return button;
  }
  return nullptr;
}

//! A double-click as the window system delivers it: press, release, double-click, release.
inline void doubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

//! Lets queued work (deferred focus moves, repaints) happen.
inline void settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace platform::qt::testing

// Wait cursor and progress.
#include "platform/qt/busy.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QStatusBar>

#include "platform/qt/text.h"

namespace platform::qt {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

NormalCursor::NormalCursor() {
  if (QApplication::overrideCursor() == nullptr) return;
  QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
  m_pushed = true;
}

NormalCursor::~NormalCursor() {
  if (m_pushed) QApplication::restoreOverrideCursor();
}

namespace {

int g_repaintsHeld = 0;

}  // namespace

HoldRepaints::HoldRepaints() { ++g_repaintsHeld; }
HoldRepaints::~HoldRepaints() { --g_repaintsHeld; }

void repaintNow() {
  if (g_repaintsHeld == 0) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ProgressHook statusBarProgress(QStatusBar& bar) {
  return [&bar](const std::string& step, int done, int total) {
    if (step.empty()) {
      bar.clearMessage();
    } else if (total > 0) {
      bar.showMessage(QStringLiteral("%1  %2 di %3").arg(toQString(step)).arg(done).arg(total));
    } else {
      bar.showMessage(toQString(step));
    }
    repaintNow();
  };
}

std::function<void(const std::string& text)> statusBarNotice(QStatusBar& bar) {
  constexpr int kShownMs = 8000;
  return [&bar](const std::string& text) { bar.showMessage(toQString(text), kShownMs); };
}

}  // namespace platform::qt

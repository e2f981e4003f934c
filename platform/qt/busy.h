// What the user sees while the console runs statements: a wait cursor, and progress ("which
// step, k of n") in a status bar, with the window repainted between statements.
#pragma once

#include <functional>
#include <string>

class QStatusBar;

namespace platform::qt {

//! Shows the wait cursor for its lifetime. Nests: the cursor comes back with the last one.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

//! Lets the normal cursor show for its lifetime while wait cursors are up (a dialog that
//! asks the user something in the middle of a long action).
class NormalCursor {
 public:
  NormalCursor();
  ~NormalCursor();
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool m_pushed = false;
};

//! Reports one step of a long action: `step` in words, `done` of `total` (total 0: no count;
//! an empty step clears the report).
using ProgressHook = std::function<void(const std::string& step, int done, int total)>;

//! Progress shown in `bar` ("Controllo articoli... 3 di 10"); each call repaints the
//! windows without taking user input, so the screen follows the statements. The bar must
//! outlive the hook.
ProgressHook statusBarProgress(QStatusBar& bar);

//! Notices ("Visti salvati") shown in `bar` for a few seconds: the user reads them without
//! having to dismiss them. The bar must outlive the hook.
std::function<void(const std::string& text)> statusBarNotice(QStatusBar& bar);

//! Repaints what is pending, leaving user input queued; nothing while repaints are held.
void repaintNow();

//! Holds repaintNow off for its lifetime. A view reading cells runs the form's handlers, whose
//! statements would otherwise start a paint in the middle of the paint that reads them.
class HoldRepaints {
 public:
  HoldRepaints();
  ~HoldRepaints();
  HoldRepaints(const HoldRepaints&) = delete;
  HoldRepaints& operator=(const HoldRepaints&) = delete;
};

}  // namespace platform::qt

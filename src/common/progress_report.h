// Progress of a long action on the host's status line: which step, k of n. The report ends
// when the object goes, however the action ended. What was done, said there for a while; what
// a window's last action came to, which stays while the window is active.
#pragma once

#include <string>

namespace platform::host {
class ModuleWindow;
}

namespace passaggio {

class ProgressReport {
 public:
  ProgressReport() = default;
  ~ProgressReport();
  ProgressReport(const ProgressReport&) = delete;
  ProgressReport& operator=(const ProgressReport&) = delete;

  //! `what` is being done, `done` of `total` (total 0: no count).
  void step(const std::string& what, int done = 0, int total = 0) const;
};

//! Says on the host's status line that `what` was done.
void reportDone(const std::string& what);
//! What the window's last action came to, kept on the host's status line for that window.
void ReportStatus(const platform::host::ModuleWindow& window, const std::string& text);

}  // namespace passaggio

// Progress through the window system, when the host has one.
#include "src/common/progress_report.h"

#include "platform/host/window_system.h"

namespace passaggio {

ProgressReport::~ProgressReport() { step(""); }

void ProgressReport::step(const std::string& what, int done, int total) const {
  if (auto* windows = platform::host::CurrentWindowSystem()) windows->ShowProgress(what, done, total);
}

void reportDone(const std::string& what) {
  if (auto* windows = platform::host::CurrentWindowSystem()) windows->ShowNotice(what);
}

void ReportStatus(const platform::host::ModuleWindow& window, const std::string& text) {
  if (auto* windows = platform::host::CurrentWindowSystem()) windows->ShowStatus(window, text);
}

}  // namespace passaggio

// The process's window system.
#include "platform/host/window_system.h"

namespace platform::host {
namespace {

WindowSystem* g_windowSystem = nullptr;

}  // namespace

void InstallWindowSystem(WindowSystem* system) { g_windowSystem = system; }

WindowSystem* CurrentWindowSystem() { return g_windowSystem; }

}  // namespace platform::host

// Every user action reaches the models through one runner, so that the widgets need not know
// what happens around it: the form view's runner shows the wait cursor, reports a failure
// through the display service and repaints what the action changed.
#pragma once

#include <functional>

namespace platform::host {
class Display;
}

namespace platform::qt {

using UserAction = std::function<void()>;
using ActionRunner = std::function<void(const UserAction&)>;

//! Runs the action and reports a failure through `display` (or the Qt log when null):
//! nothing thrown by a model may cross a Qt event handler.
void runReporting(const UserAction& action, host::Display* display);

//! A runner that only reports failures to the Qt log (widgets used without a form view).
ActionRunner loggingRunner();

}  // namespace platform::qt

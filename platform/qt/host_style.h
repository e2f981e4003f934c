// The look the host gives every window on top of the platform's style: a button with the
// keyboard focus carries a ring the eye finds, since the platform's hint is a faint tint.
#pragma once

namespace platform::qt {

//! Puts the host's look on the application (once; later calls keep it).
void installHostStyle();

}  // namespace platform::qt

// A look-up as the user sees it: the list a control's look-up request gave, shown through the
// display service, and the code of the row the user chose.
#pragma once

#include <optional>
#include <string>

#include "platform/controls/pick_list.h"
#include "platform/host/display.h"

namespace platform::qt {

//! The list as the display shows it: captions and every cell as text.
host::PickListRequest pickListRequest(const controls::PickList& list);

//! Shows the list; the chosen row's code, or nullopt when the user chose nothing.
std::optional<std::string> chooseCode(const controls::PickList& list, host::Display& display);

}  // namespace platform::qt

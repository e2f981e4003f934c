// The back colours of the items grid's verdict cells, by verdict: the grid paints them and
// the results page's legend explains them.
#pragma once

#include "platform/controls/colour.h"

namespace passaggio::verdict_colours {

inline constexpr platform::controls::Colour kFails = platform::controls::rgb(173, 207, 247);
inline constexpr platform::controls::Colour kPasses = platform::controls::rgb(255, 255, 255);
inline constexpr platform::controls::Colour kDoesNotApply = platform::controls::rgb(99, 105, 107);

}  // namespace passaggio::verdict_colours

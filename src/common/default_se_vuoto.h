// The blank rule every procedure applies when it reads a column or a control value.
#pragma once

#include "platform/variant/variant.h"

namespace passaggio {

//! The value, unless it is Empty, Null or text that is empty after trimming: then `fallback`.
platform::Variant DefaultSeVuoto(const platform::Variant& value, const platform::Variant& fallback);

}  // namespace passaggio

// Text helpers of the stand-in services for codes read back from the database (codes go into
// statements through db::quoteLiteral).
#pragma once

#include <string>
#include <string_view>

namespace platform::services {

//! `text` without trailing blanks (CHAR columns come back padded from some servers).
std::string trimRight(std::string_view text);

//! True when `text` holds nothing but blanks.
bool isBlank(std::string_view text);

}  // namespace platform::services

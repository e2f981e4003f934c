// Numbers as an Italian reader expects them on the screen: a comma before the decimals, and
// a dot between the thousands of a count. Only what is shown: stored and exported values keep
// their own form.
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

//! A count with its thousands grouped: 1234567 -> "1.234.567".
std::string italianCount(long long count);

//! A number written plainly ("-12.5", "0.025", "3") with a decimal comma ("-12,5"); any other
//! text (a code, a date, a number already with a comma) is given back unchanged.
std::string italianDecimal(std::string_view plain);

}  // namespace platform::text

// The key a configuration grid identifies its rows by: "KEY_" and the row's number in
// eighteen digits.
#pragma once

#include <cstdio>
#include <string>

namespace passaggio {

inline std::string RowKey(long long number) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%018lld", number);
  return std::string("KEY_") + digits;
}

}  // namespace passaggio

// How a value SQLite stored is given back as SQL Server returns it, by its column's declared
// type: CHAR(n) padded with blanks, DECIMAL(p,s) with its scale.
#pragma once

#include <string>
#include <string_view>

#include "platform/variant/variant.h"

namespace platform::db {

struct DeclaredShape {
  int padTo = 0;  // CHAR(n), NCHAR(n): n
  int scale = 0;  // DECIMAL(p,s), NUMERIC(p,s): s

  static DeclaredShape of(std::string_view declared);
  //! A real number: exact, with the scale, for DECIMAL; a double otherwise.
  Variant real(double value) const;
  //! Text, padded to the length of a fixed-length column.
  Variant text(std::string value) const;
};

}  // namespace platform::db

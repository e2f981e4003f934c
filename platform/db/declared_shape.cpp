// Values shaped by their declared type.
#include "platform/db/declared_shape.h"

#include <cstdio>

#include "platform/db/tsql/sql_type.h"
#include "platform/text/utf8.h"

namespace platform::db {

DeclaredShape DeclaredShape::of(std::string_view declared) {
  const auto type = tsql::SqlType::parse(declared);
  return {type.fixedText() ? type.length : 0, type.exactNumeric() ? type.scale : 0};
}

Variant DeclaredShape::real(double value) const {
  if (scale <= 0) return Variant(value);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", scale, value);
  return Variant(Decimal::parse(buffer));
}

Variant DeclaredShape::text(std::string value) const {
  if (padTo > 0) {
    const std::size_t length = platform::text::utf8Length(value);
    if (length < static_cast<std::size_t>(padTo)) value.append(padTo - length, ' ');
  }
  return Variant(std::move(value));
}

}  // namespace platform::db

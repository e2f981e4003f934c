// The blank rule.
#include "src/common/default_se_vuoto.h"

#include "platform/text/ascii.h"

namespace passaggio {

platform::Variant DefaultSeVuoto(const platform::Variant& value, const platform::Variant& fallback) {
  if (value.isEmpty() || value.isNull()) return fallback;
  // Arrays and objects have no text and are never blank.
  if (value.type() == platform::Variant::Type::Array || value.type() == platform::Variant::Type::Object) return value;
  return platform::text::isBlank(value.toText(), " \t") ? fallback : value;
}

}  // namespace passaggio

// The blank rule.
#include "src/common/default_se_vuoto.h"

namespace passaggio {

platform::Variant DefaultSeVuoto(const platform::Variant& value, const platform::Variant& fallback) {
  if (value.isEmpty() || value.isNull()) return fallback;
  // Arrays and objects have no text and are never blank.
  if (value.type() == platform::Variant::Type::Array || value.type() == platform::Variant::Type::Object) return value;
  const std::string text = value.toText();
  return text.find_first_not_of(" \t") == std::string::npos ? fallback : value;
}

}  // namespace passaggio

// A legend.
#include "platform/controls/legend.h"

#include <stdexcept>

#include "platform/text/ascii.h"

namespace platform::controls {

Legend::Legend(std::string name) : Control(std::move(name), ControlKind::Legend) {}

void Legend::addEntry(LegendEntry entry) {
  m_entries.push_back(std::move(entry));
  notifyChanged();
}

bool Legend::applyDesignProperty(std::string_view name, const Variant& value) {
  const bool image = text::equalsIgnoringCase(name, "image");
  if (!image && !text::equalsIgnoringCase(name, "sign")) return Control::applyDesignProperty(name, value);
  const Variant::Array& parts = value.array();
  if (parts.size() != (image ? 4u : 2u)) {
    throw std::invalid_argument("legend " + this->name() + ": an entry " + std::string(name) + " of " +
                                std::to_string(parts.size()) + " parts");
  }
  LegendEntry entry;
  if (image) {
    entry.imageList = parts[0].toText();
    entry.image = static_cast<int>(parts[1].toInteger());
    if (!parts[2].isNull()) {
      const long long colour = parts[2].toInteger();
      entry.back = rgb(static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                       static_cast<std::uint8_t>(colour));
    }
  } else {
    entry.sign = parts[0].toText();
  }
  entry.text = parts.back().toText();
  addEntry(std::move(entry));
  return true;
}

}  // namespace platform::controls

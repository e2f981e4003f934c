// An image list.
#include "platform/controls/image_list.h"

#include "platform/text/ascii.h"

namespace platform::controls {

ImageList::ImageList(std::string name) : Control(std::move(name), ControlKind::ImageList) {}

void ImageList::addImage(std::string image) {
  m_images.push_back(std::move(image));
  notifyChanged();
}

std::optional<std::string> ImageList::image(long long index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_images.size()) return std::nullopt;
  return m_images[static_cast<std::size_t>(index)];
}

bool ImageList::applyDesignProperty(std::string_view name, const Variant& value) {
  if (!text::equalsIgnoringCase(name, "image")) return Control::applyDesignProperty(name, value);
  addImage(value.toText());
  return true;
}

}  // namespace platform::controls

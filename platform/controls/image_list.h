// An image list: images named in the form's design, picked by 0-based index (an image
// column's cell value 0, 1, 2 picks the first, second, third image).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class ImageList : public Control {
 public:
  explicit ImageList(std::string name);

  //! Adds an image by the name the renderer loads it from; the design lists them as "image".
  void addImage(std::string image);
  std::size_t count() const { return m_images.size(); }
  //! The image at a 0-based index; nullopt when out of range.
  std::optional<std::string> image(long long index) const;
  const std::vector<std::string>& images() const { return m_images; }

 protected:
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  std::vector<std::string> m_images;
};

}  // namespace platform::controls

// A legend: what the images, colours and row marks of a page mean, in a line the user reads
// beside them. Its entries come from the form's design: "image" entries show an image of an
// image list (on a cell colour, when one is given), "sign" entries a row mark.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/controls/colour.h"
#include "platform/controls/control.h"

namespace platform::controls {

struct LegendEntry {
  std::string imageList;       // the image list of the image shown; empty for a sign
  int image = -1;              // the image's 0-based index in that list
  std::optional<Colour> back;  // the cell colour the image is shown on
  std::string sign;            // a row mark shown instead of an image
  std::string text;            // what it means
};

class Legend : public Control {
 public:
  explicit Legend(std::string name);

  const std::vector<LegendEntry>& entries() const { return m_entries; }
  void addEntry(LegendEntry entry);

 protected:
  //! "image": an array of the image list, the index, the cell colour as 0xRRGGBB (or Null)
  //! and the text; "sign": an array of the sign and the text.
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  std::vector<LegendEntry> m_entries;
};

}  // namespace platform::controls

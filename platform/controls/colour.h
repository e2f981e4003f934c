// A back or fore colour as the renderer paints it. Cells and controls that have no colour of
// their own hold std::nullopt and are painted in the renderer's default.
#pragma once

#include <cstdint>

namespace platform::controls {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
};

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Colour{red, green, blue};
}

}  // namespace platform::controls

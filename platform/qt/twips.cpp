// Twips to pixels and back.
#include "platform/qt/twips.h"

#include <QWidget>
#include <cmath>

namespace platform::qt {

TwipsScale TwipsScale::of(const QWidget& widget) { return TwipsScale(widget.logicalDpiX(), widget.logicalDpiY()); }

int TwipsScale::toPixelsX(int twips) const { return static_cast<int>(std::lround(twips * m_dpiX / kTwipsPerInch)); }
int TwipsScale::toPixelsY(int twips) const { return static_cast<int>(std::lround(twips * m_dpiY / kTwipsPerInch)); }
int TwipsScale::toTwipsX(int pixels) const { return static_cast<int>(std::lround(pixels * kTwipsPerInch / m_dpiX)); }
int TwipsScale::toTwipsY(int pixels) const { return static_cast<int>(std::lround(pixels * kTwipsPerInch / m_dpiY)); }

QRect TwipsScale::toPixels(int left, int top, int width, int height) const {
  // Edges are rounded, not sizes, so controls that touch in the design still touch.
  const int x = toPixelsX(left);
  const int y = toPixelsY(top);
  return QRect(x, y, toPixelsX(left + width) - x, toPixelsY(top + height) - y);
}

}  // namespace platform::qt

// Design sizes are in twips (1440 to the inch); widgets are placed in pixels of the screen
// they are on, through its logical resolution.
#pragma once

#include <QRect>

class QWidget;

namespace platform::qt {

inline constexpr double kTwipsPerInch = 1440.0;

class TwipsScale {
 public:
  //! 96 dots per inch both ways: 15 twips to a pixel.
  TwipsScale() = default;
  TwipsScale(double dpiX, double dpiY) : m_dpiX(dpiX), m_dpiY(dpiY) {}
  //! The logical resolution of the screen `widget` is on.
  static TwipsScale of(const QWidget& widget);

  int toPixelsX(int twips) const;
  int toPixelsY(int twips) const;
  int toTwipsX(int pixels) const;
  int toTwipsY(int pixels) const;
  QRect toPixels(int left, int top, int width, int height) const;

  double dpiX() const { return m_dpiX; }
  double dpiY() const { return m_dpiY; }

 private:
  double m_dpiX = 96.0;
  double m_dpiY = 96.0;
};

}  // namespace platform::qt

// A legend on the screen: its entries in one line, each image on its cell colour (or a row
// mark as the grids' margins show it) followed by what it means, in a smaller type than the
// page's, so that it explains without drawing the eye.
#pragma once

#include <QWidget>

#include "platform/controls/legend.h"

namespace platform::controls {
class Form;
}

namespace platform::qt {

class LegendWidget : public QWidget {
  Q_OBJECT

 public:
  //! `form` gives the image lists the entries name; it may be null.
  LegendWidget(const controls::Legend& legend, const controls::Form* form, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  //! Where each entry is drawn, in the widget's coordinates, for the entries that fit.
  std::vector<QRect> entryRects() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap image(const controls::LegendEntry& entry) const;
  int entryWidth(const controls::LegendEntry& entry) const;

  const controls::Legend& m_legend;
  const controls::Form* m_form;
};

}  // namespace platform::qt

// A legend's widget.
#include "platform/qt/legend_widget.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "platform/controls/form.h"
#include "platform/controls/image_list.h"
#include "platform/qt/grid_table_model.h"
#include "platform/qt/images.h"
#include "platform/qt/text.h"

namespace platform::qt {
namespace {

constexpr int kSwatch = 18;      // the square an image or sign is shown in
constexpr int kAfterSwatch = 4;  // between it and its text
constexpr int kBetween = 14;     // between entries

}  // namespace

LegendWidget::LegendWidget(const controls::Legend& legend, const controls::Form* form, QWidget* parent)
    : QWidget(parent), m_legend(legend), m_form(form) {
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  setFont(small);
  QStringList lines;
  for (const controls::LegendEntry& entry : m_legend.entries()) {
    lines << (entry.sign.empty() ? QString() : toQString(entry.sign) + QStringLiteral("  ")) + toQString(entry.text);
  }
  setToolTip(lines.join(QLatin1Char('\n')));
}

QPixmap LegendWidget::image(const controls::LegendEntry& entry) const {
  if (m_form == nullptr || entry.imageList.empty()) return {};
  const auto* list = dynamic_cast<const controls::ImageList*>(m_form->find(entry.imageList));
  const std::optional<std::string> name = list != nullptr ? list->image(entry.image) : std::nullopt;
  return name ? namedImage(*name, 16, devicePixelRatioF()) : QPixmap();
}

int LegendWidget::entryWidth(const controls::LegendEntry& entry) const {
  return kSwatch + kAfterSwatch + fontMetrics().horizontalAdvance(toQString(entry.text));
}

std::vector<QRect> LegendWidget::entryRects() const {
  std::vector<QRect> rects;
  int left = 0;
  const int top = (height() - kSwatch) / 2;
  for (const controls::LegendEntry& entry : m_legend.entries()) {
    const int width = entryWidth(entry);
    if (left + width > this->width()) break;  // the tool tip still lists it
    rects.emplace_back(left, top, width, kSwatch);
    left += width + kBetween;
  }
  return rects;
}

QSize LegendWidget::sizeHint() const {
  int width = 0;
  for (const controls::LegendEntry& entry : m_legend.entries()) width += entryWidth(entry) + kBetween;
  return QSize(width, std::max(kSwatch, fontMetrics().height()) + 4);
}

void LegendWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const std::vector<QRect> rects = entryRects();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const controls::LegendEntry& entry = m_legend.entries()[i];
    const QRect swatch(rects[i].topLeft(), QSize(kSwatch, kSwatch));
    if (!entry.sign.empty()) {
      painter.fillRect(swatch, kMarkedRowColour);
      QFont bold = font();
      bold.setBold(true);
      painter.setFont(bold);
      painter.setPen(palette().color(QPalette::WindowText));
      painter.drawText(swatch, Qt::AlignCenter, toQString(entry.sign));
      painter.setFont(font());
    } else {
      if (entry.back) {
        painter.fillRect(swatch, QColor(entry.back->red, entry.back->green, entry.back->blue));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
      }
      const QPixmap pixmap = image(entry);
      if (!pixmap.isNull()) {
        const QSize size = pixmap.deviceIndependentSize().toSize();
        painter.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size, swatch), pixmap);
      }
    }
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect text = rects[i].adjusted(kSwatch + kAfterSwatch, -4, 0, 4);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, toQString(entry.text));
  }
}

}  // namespace platform::qt

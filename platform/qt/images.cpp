// The drawn images and tool icons.
#include "platform/qt/images.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <functional>

#include "platform/qt/text.h"
#include "platform/text/ascii.h"

namespace platform::qt {
namespace {

const QColor kGreen(46, 157, 58);
const QColor kRed(210, 52, 52);
const QColor kNavy(36, 72, 140);

// Draws on a square canvas of 16 units, whatever the pixel size.
QPixmap draw(int size, qreal ratio, const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(static_cast<int>(size * ratio), static_cast<int>(size * ratio));
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  paint(painter);
  return pixmap;
}

QPen roundPen(const QColor& colour, qreal width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void tick(QPainter& painter, const QColor& colour, qreal width) {
  painter.setPen(roundPen(colour, width));
  painter.setBrush(Qt::NoBrush);
  QPainterPath path;
  path.moveTo(3.5, 8.5);
  path.lineTo(6.5, 11.5);
  path.lineTo(12.5, 4.5);
  painter.drawPath(path);
}

void cross(QPainter& painter, const QColor& colour, qreal width) {
  painter.setPen(roundPen(colour, width));
  painter.drawLine(QPointF(4, 4), QPointF(12, 12));
  painter.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void disc(QPainter& painter, const QColor& colour) {
  painter.setPen(QPen(colour.darker(130), 0.8));
  painter.setBrush(colour);
  painter.drawEllipse(QRectF(1, 1, 14, 14));
}

// A triangle pointing left or right, with its tip at `tipX`.
void arrow(QPainter& painter, qreal tipX, bool right) {
  const qreal baseX = right ? tipX - 6 : tipX + 6;
  QPainterPath path;
  path.moveTo(tipX, 8);
  path.lineTo(baseX, 3);
  path.lineTo(baseX, 13);
  path.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(kNavy);
  painter.drawPath(path);
}

void bar(QPainter& painter, qreal x) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kNavy);
  painter.drawRect(QRectF(x, 3, 2, 10));
}

QPixmap drawTool(ToolIcon which, int size) {
  return draw(size, 1.0, [which](QPainter& painter) {
    switch (which) {
      case ToolIcon::New:
        painter.setPen(roundPen(kGreen, 2.6));
        painter.drawLine(QPointF(8, 3), QPointF(8, 13));
        painter.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
      case ToolIcon::Save:
        painter.setPen(QPen(kNavy.darker(120), 0.8));
        painter.setBrush(kNavy);
        painter.drawRoundedRect(QRectF(2, 2, 12, 12), 1.5, 1.5);
        painter.setBrush(Qt::white);
        painter.setPen(Qt::NoPen);
        painter.drawRect(QRectF(4.5, 2.5, 7, 4.5));   // the label
        painter.setBrush(QColor(200, 210, 230));
        painter.drawRect(QRectF(4, 9.5, 8, 4));       // the shutter
        break;
      case ToolIcon::Delete:
        cross(painter, kRed, 2.6);
        break;
      case ToolIcon::Cancel: {
        painter.setPen(roundPen(QColor(214, 120, 20), 2.2));
        painter.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(5, 6);
        path.cubicTo(8, 2.5, 14, 4, 13, 9);
        path.cubicTo(12.5, 12, 9, 13.5, 6, 12.5);
        painter.drawPath(path);
        QPainterPath head;
        head.moveTo(2.5, 3);
        head.lineTo(7.5, 4.5);
        head.lineTo(3.5, 8.5);
        head.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(214, 120, 20));
        painter.drawPath(head);
        break;
      }
      case ToolIcon::First:
        bar(painter, 3);
        arrow(painter, 6, false);
        break;
      case ToolIcon::Previous: arrow(painter, 5, false); break;
      case ToolIcon::Next: arrow(painter, 11, true); break;
      case ToolIcon::Last:
        arrow(painter, 10, true);
        bar(painter, 11);
        break;
      case ToolIcon::Lookup:
        painter.setPen(roundPen(QColor(70, 70, 70), 1.8));
        painter.setBrush(QColor(225, 235, 250));
        painter.drawEllipse(QRectF(2.5, 2.5, 8, 8));
        painter.setPen(roundPen(QColor(70, 70, 70), 2.6));
        painter.drawLine(QPointF(10, 10), QPointF(13.5, 13.5));
        break;
    }
  });
}

}  // namespace

QPixmap namedImage(std::string_view name, int size, qreal ratio) {
  namespace n = image_names;
  if (text::equalsIgnoringCase(name, n::kPass)) return draw(size, ratio, [](QPainter& p) { tick(p, kGreen, 2.4); });
  if (text::equalsIgnoringCase(name, n::kFail)) return draw(size, ratio, [](QPainter& p) { cross(p, kRed, 2.4); });
  if (text::equalsIgnoringCase(name, n::kNotApplicable)) {
    // Light with a dark rim, so it reads on white and on the dark grey of a body that does not apply.
    return draw(size, ratio, [](QPainter& p) {
      p.setPen(QPen(QColor(60, 60, 60), 0.9));
      p.setBrush(QColor(225, 225, 225));
      p.drawRoundedRect(QRectF(3, 6.5, 10, 3), 1.2, 1.2);
    });
  }
  if (text::equalsIgnoringCase(name, n::kAllowed)) {
    return draw(size, ratio, [](QPainter& p) {
      disc(p, kGreen);
      tick(p, Qt::white, 2.0);
    });
  }
  if (text::equalsIgnoringCase(name, n::kDenied)) {
    return draw(size, ratio, [](QPainter& p) {
      disc(p, kRed);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(4, 6.8, 8, 2.4), 1, 1);
    });
  }
  const QString path = toQString(name);
  if (path.isEmpty() || !(path.startsWith(QLatin1Char(':')) || QFileInfo::exists(path))) return {};
  QPixmap file(path);
  if (file.isNull()) return {};
  file = file.scaled(static_cast<int>(size * ratio), static_cast<int>(size * ratio), Qt::KeepAspectRatio,
                     Qt::SmoothTransformation);
  file.setDevicePixelRatio(ratio);
  return file;
}

QIcon toolIcon(ToolIcon which) {
  QIcon icon;
  icon.addPixmap(drawTool(which, 16));
  icon.addPixmap(drawTool(which, 32));
  return icon;
}

}  // namespace platform::qt

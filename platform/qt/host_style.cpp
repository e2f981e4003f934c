// The host's look.
#include "platform/qt/host_style.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace platform::qt {
namespace {

class HostStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus) || !(option->state & State_Enabled)) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(3, 3, -3, -3), 2, 2);
    painter->restore();
  }
};

}  // namespace

void installHostStyle() {
  if (dynamic_cast<HostStyle*>(QApplication::style()) != nullptr) return;
  QApplication::setStyle(new HostStyle(QApplication::style()->name()));
}

}  // namespace platform::qt

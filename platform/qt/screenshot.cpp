// Rendering widgets to images.
#include "platform/qt/screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QWidget>

namespace platform::qt {

QImage renderWidget(QWidget& widget) {
  const bool hidden = !widget.isVisible();
  if (hidden) {
    widget.setAttribute(Qt::WA_DontShowOnScreen, true);
    widget.show();
  }
  if (widget.layout() != nullptr) widget.layout()->activate();
  QCoreApplication::processEvents();
  const QImage image = widget.grab().toImage();
  if (hidden) {
    widget.hide();
    widget.setAttribute(Qt::WA_DontShowOnScreen, false);
  }
  return image;
}

bool saveScreenshot(QWidget& widget, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  return renderWidget(widget).save(path, "PNG");
}

}  // namespace platform::qt

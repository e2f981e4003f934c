// Pictures of widgets for tests and documentation: a widget rendered as it is drawn, shown
// off screen first when it is not shown yet.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace platform::qt {

QImage renderWidget(QWidget& widget);

//! Saves the rendering as a PNG file; false when it could not be written.
bool saveScreenshot(QWidget& widget, const QString& path);

}  // namespace platform::qt

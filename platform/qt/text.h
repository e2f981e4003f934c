// Text between the models (UTF-8 std::string, CR LF line breaks) and Qt (QString, '\n').
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform::qt {

inline QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toStdString(const QString& text) { return text.toStdString(); }

//! A message text as a dialog shows it: CR LF and lone CRs become line breaks.
inline QString toDisplayLines(std::string_view text) {
  QString lines = toQString(text);
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}

}  // namespace platform::qt

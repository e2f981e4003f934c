// A heading in a dialog or a form: a label in the bold of its parent's font.
#pragma once

#include <QFont>
#include <QLabel>

namespace platform::qt {

inline QLabel* heading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

}  // namespace platform::qt

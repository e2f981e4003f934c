// The edit field's line edit.
#include "platform/qt/edit_field_widget.h"

#include <QAction>
#include <QKeyEvent>

#include "platform/qt/images.h"
#include "platform/qt/lookup.h"
#include "platform/qt/text.h"

namespace platform::qt {

EditFieldWidget::EditFieldWidget(controls::EditField& field, host::Display* display, ActionRunner run,
                                 QWidget* parent)
    : QLineEdit(parent), m_field(field), m_display(display), m_run(std::move(run)) {
  setObjectName(QString::fromStdString(field.name()));
  m_lookup = addAction(toolIcon(ToolIcon::Lookup), QLineEdit::TrailingPosition);
  m_lookup->setToolTip(QStringLiteral("Cerca (F3)"));
  connect(m_lookup, &QAction::triggered, this, [this] {
    setFocus(Qt::MouseFocusReason);
    openLookup();
  });
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    const std::string typed = toStdString(text);
    m_run([this, &typed] { m_field.type(typed); });
    syncFromField();  // the field may have changed what was typed, or refused it
  });
  syncFromField();
}

void EditFieldWidget::syncFromField() {
  const QString shown = toQString(m_field.text());
  if (text() != shown) {
    const int caret = cursorPosition();
    setText(shown);
    setCursorPosition(qMin(caret, static_cast<int>(shown.size())));
  }
  setMaxLength(m_field.maxChars() > 0 ? static_cast<int>(m_field.maxChars()) : 32767);
  m_lookup->setVisible(m_field.isLookup() && m_display != nullptr);
  m_lookup->setEnabled(m_field.isEnabled());
}

void EditFieldWidget::openLookup() {
  if (!m_field.isLookup() || m_display == nullptr || !m_field.isEnabled()) return;
  m_run([this] {
    const std::optional<controls::PickList> list = m_field.openLookup();
    if (!list) return;
    const std::optional<std::string> code = chooseCode(*list, *m_display);
    if (code) m_field.pick(*code);
  });
  syncFromField();
}

void EditFieldWidget::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    bool left = false;
    m_run([this, &left] { left = m_field.leave(); });
    syncFromField();
    event->accept();
    if (left) emit leftWithEnter();
    return;
  }
  if (plain && event->key() == Qt::Key_F3) {
    event->accept();
    openLookup();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace platform::qt

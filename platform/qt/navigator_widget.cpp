// The navigator's button row.
#include "platform/qt/navigator_widget.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QToolButton>

#include "platform/qt/images.h"

namespace platform::qt {
namespace {

using Button = controls::GridNavigator::Button;

struct ButtonLook {
  ToolIcon icon;
  const char* tip;
  QKeySequence keys;
};

ButtonLook lookOf(Button button) {
  switch (button) {
    case Button::New: return {ToolIcon::New, "Nuovo (Ctrl+N)", QKeySequence(Qt::CTRL | Qt::Key_N)};
    case Button::Save: return {ToolIcon::Save, "Salva (Ctrl+S)", QKeySequence(Qt::CTRL | Qt::Key_S)};
    case Button::Delete: return {ToolIcon::Delete, "Elimina (Canc)", QKeySequence(Qt::Key_Delete)};
    case Button::Cancel: return {ToolIcon::Cancel, "Annulla modifiche (Esc)", QKeySequence(Qt::Key_Escape)};
    case Button::First: return {ToolIcon::First, "Primo (Ctrl+Home)", QKeySequence(Qt::CTRL | Qt::Key_Home)};
    case Button::Previous: return {ToolIcon::Previous, "Precedente (PagSu)", QKeySequence(Qt::Key_PageUp)};
    case Button::Next: return {ToolIcon::Next, "Successivo (PagGiù)", QKeySequence(Qt::Key_PageDown)};
    case Button::Last: return {ToolIcon::Last, "Ultimo (Ctrl+End)", QKeySequence(Qt::CTRL | Qt::Key_End)};
  }
  return {ToolIcon::New, "", {}};
}

std::size_t slot(Button button) { return static_cast<std::size_t>(button); }

}  // namespace

NavigatorWidget::NavigatorWidget(controls::GridNavigator& navigator, ActionRunner run, QWidget* parent)
    : QWidget(parent), m_navigator(navigator), m_run(std::move(run)) {
  setObjectName(QString::fromStdString(navigator.name()));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  for (Button which : controls::GridNavigator::kButtons) {
    const ButtonLook look = lookOf(which);
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(controls::GridNavigator::buttonName(which).data()));
    button->setIcon(toolIcon(look.icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QString::fromUtf8(look.tip));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);  // the keys are the shortcuts; the focus stays in the fields
    connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
    row->addWidget(button);
    m_buttons[slot(which)] = button;
    if (which == Button::Cancel) row->addSpacing(6);  // editing buttons, then moving buttons
  }
  row->addStretch(1);
  syncFromNavigator();
}

void NavigatorWidget::installShortcuts(QWidget& scope) {
  for (Button which : controls::GridNavigator::kButtons) {
    delete m_shortcuts[slot(which)];
    auto* shortcut = new QShortcut(lookOf(which).keys, &scope);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, which] {
      if (isVisible()) press(which);
    });
    m_shortcuts[slot(which)] = shortcut;
  }
  syncFromNavigator();
}

void NavigatorWidget::syncFromNavigator() {
  for (Button which : controls::GridNavigator::kButtons) {
    const bool available = m_navigator.isButtonAvailable(which);
    m_buttons[slot(which)]->setEnabled(available);
    if (m_shortcuts[slot(which)] != nullptr) m_shortcuts[slot(which)]->setEnabled(available);
  }
}

QToolButton* NavigatorWidget::button(Button which) const { return m_buttons[slot(which)]; }

void NavigatorWidget::press(Button which) {
  m_run([this, which] { m_navigator.press(which); });
  syncFromNavigator();
}

}  // namespace platform::qt

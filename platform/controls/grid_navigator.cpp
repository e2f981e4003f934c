// A grid navigator.
#include "platform/controls/grid_navigator.h"

#include <stdexcept>

#include "platform/controls/grid.h"
#include "platform/controls/record_editor.h"
#include "platform/text/ascii.h"

namespace platform::controls {

std::string_view GridNavigator::buttonName(Button button) {
  switch (button) {
    case Button::New: return "NEW";
    case Button::Save: return "SAVE";
    case Button::Delete: return "DELETE";
    case Button::Cancel: return "CANCEL";
    case Button::First: return "FIRST";
    case Button::Previous: return "PREVIOUS";
    case Button::Next: return "NEXT";
    case Button::Last: return "LAST";
  }
  return "";
}

GridNavigator::GridNavigator(std::string name) : Control(std::move(name), ControlKind::GridNavigator) {}

GridNavigator::~GridNavigator() {
  if (m_editor != nullptr) m_editor->forgetNavigator();
}

void GridNavigator::attach(RecordEditor& editor, Grid* grid) {
  if (m_editor != nullptr && m_editor != &editor) m_editor->forgetNavigator();
  m_editor = &editor;
  editor.m_navigator = this;
  m_grid = grid;
  notifyChanged();
}

void GridNavigator::attach(Grid* grid) {
  if (m_editor != nullptr) m_editor->forgetNavigator();
  m_editor = nullptr;
  m_grid = grid;
  notifyChanged();
}

void GridNavigator::switchOn(bool on) {
  if (on == m_on) return;
  m_on = on;
  notifyChanged();
}

bool GridNavigator::applyDesignProperty(std::string_view name, const Variant& value) {
  if (!text::equalsIgnoringCase(name, "button")) return Control::applyDesignProperty(name, value);
  for (Button button : kButtons) {
    if (text::equalsIgnoringCase(buttonName(button), value.toText())) {
      m_offered[static_cast<std::size_t>(button)] = true;
      m_listed = true;
      return true;
    }
  }
  throw std::invalid_argument("navigator " + this->name() + ": no button " + value.toText());
}

bool GridNavigator::isButtonAvailable(Button button) const {
  if (!m_on || !isEnabled() || !isShown()) return false;
  if (m_listed && !m_offered[static_cast<std::size_t>(button)]) return false;
  if (m_editor == nullptr) return true;
  const int status = m_editor->status();
  const bool rows = m_editor->recordset() && m_editor->recordset()->RecordCount() > 0;
  const bool rowShown = m_editor->hasCurrentRow();
  switch (button) {
    case Button::New: return m_editor->recordset() != nullptr && status == RecordEditor::kStatusSaved;
    case Button::Save: return rowShown;
    case Button::Cancel: return status != RecordEditor::kStatusSaved;
    case Button::Delete: return rowShown && status == RecordEditor::kStatusSaved;
    case Button::First:
    case Button::Previous:
    case Button::Next:
    case Button::Last: return rows && status == RecordEditor::kStatusSaved;
  }
  return false;
}

bool GridNavigator::press(Button button) {
  if (!isButtonAvailable(button)) return false;
  if (!setFocus()) return false;
  bool cancel = false;
  onButtonClick.raise(cancel, std::string(buttonName(button)));
  if (cancel || m_editor == nullptr) return true;
  switch (button) {
    case Button::New: m_editor->addNew(); break;
    case Button::Save: m_editor->save(); break;
    case Button::Delete: m_editor->remove(); break;
    case Button::Cancel: m_editor->cancel(); break;
    case Button::First: m_editor->move(RecordEditor::Move::First); break;
    case Button::Previous: m_editor->move(RecordEditor::Move::Previous); break;
    case Button::Next: m_editor->move(RecordEditor::Move::Next); break;
    case Button::Last: m_editor->move(RecordEditor::Move::Last); break;
  }
  notifyChanged();
  return true;
}

}  // namespace platform::controls

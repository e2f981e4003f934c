// A chooser (combo box).
#include "platform/controls/chooser.h"

namespace platform::controls {

Chooser::Chooser(std::string name) : BoundControl(std::move(name), ControlKind::Chooser) {
  setDefaultValue(Variant("0"));
}

void Chooser::addItem(std::string text, Variant value) {
  m_items.push_back(ChooserEntry{std::move(text), std::move(value)});
  notifyChanged();
}

void Chooser::clear() {
  m_items.clear();
  select(std::nullopt, {});
}

std::string Chooser::text() const { return m_selected ? m_items[*m_selected].text : m_freeText; }

void Chooser::setText(std::string text) {
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].text == text) return select(i, {});
  }
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].value.toText() == text) return select(i, {});
  }
  select(std::nullopt, std::move(text));
}

Variant Chooser::value() const { return m_selected ? m_items[*m_selected].value : Variant(m_freeText); }

void Chooser::setValue(const Variant& value) {
  const std::string wanted = value.toText();
  for (std::size_t i = 0; i < m_items.size(); ++i) {
    if (m_items[i].value.toText() == wanted) return select(i, {});
  }
  select(std::nullopt, wanted);
}

bool Chooser::choose(std::size_t index) {
  if (index >= m_items.size() || !isEnabled() || !isShown()) return false;
  if (!setFocus()) return false;
  const bool changed = m_selected != index;
  select(index, {});
  if (changed) userEdited();
  return true;
}

void Chooser::select(std::optional<std::size_t> index, std::string freeText) {
  const bool changed = index != m_selected || (!index && freeText != m_freeText);
  m_selected = index;
  m_freeText = std::move(freeText);
  if (!changed) return;
  notifyChanged();
  onChange.raise();
}

}  // namespace platform::controls

// A chooser (combo box): a list of entries, each a text the user sees and a value the form
// reads. Bound to a column, it stores the chosen entry's value. Any change of the chosen
// entry raises onChange, whether the user or the program made it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/controls/bound_control.h"
#include "platform/controls/event.h"
#include "platform/variant/variant.h"

namespace platform::controls {

struct ChooserEntry {
  std::string text;
  Variant value;
};

class Chooser : public BoundControl {
 public:
  explicit Chooser(std::string name);

  bool canTakeFocus() const override { return true; }

  void addItem(std::string text, Variant value);
  //! Removes every entry; nothing is chosen afterwards.
  void clear();
  const std::vector<ChooserEntry>& items() const { return m_items; }

  //! The chosen entry's text, or the free text when none is chosen.
  std::string text() const;
  //! Chooses the entry whose text is `text`, or else the one whose value reads as `text`
  //! (setting "0" chooses the entry of value 0); otherwise nothing is chosen and the text is
  //! kept as it is.
  void setText(std::string text);
  //! The chosen entry's value; the free text when none is chosen.
  Variant value() const;
  //! Chooses the entry whose value reads as the same text; nothing chosen when none does.
  void setValue(const Variant& value);
  std::optional<std::size_t> selectedIndex() const { return m_selected; }

  //! The user picks an entry: focus first, then the choice.
  bool choose(std::size_t index);

  Variant boundValue() const override { return value(); }

  Event<> onChange;

 protected:
  void loadBoundValue(const Variant& value) override { setValue(value); }

 private:
  void select(std::optional<std::size_t> index, std::string freeText);

  std::vector<ChooserEntry> m_items;
  std::optional<std::size_t> m_selected;
  std::string m_freeText;
};

}  // namespace platform::controls

// A grid navigator: the button bar under a record editor's grid. Each press is first offered
// to the form (button-click event with a cancel flag and the button's name); when the form
// does not cancel, the navigator drives the editor or the grid itself.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/controls/control.h"
#include "platform/controls/event.h"

namespace platform::controls {

class Grid;
class RecordEditor;

class GridNavigator : public Control {
 public:
  enum class Button { New, Save, Delete, Cancel, First, Previous, Next, Last };
  static constexpr std::array<Button, 8> kButtons = {Button::New,   Button::Save,     Button::Delete, Button::Cancel,
                                                     Button::First, Button::Previous, Button::Next,   Button::Last};
  //! The name the button-click event carries: "NEW", "SAVE", "DELETE", "CANCEL", "FIRST",
  //! "PREVIOUS", "NEXT", "LAST".
  static std::string_view buttonName(Button button);

  explicit GridNavigator(std::string name);
  ~GridNavigator() override;

  //! A press takes the focus, so the field being edited is left (and validated) first.
  bool canTakeFocus() const override { return true; }

  //! Attaches the navigator to an editor and its grid (either may be absent).
  void attach(RecordEditor& editor, Grid* grid);
  void attach(Grid* grid);
  RecordEditor* editor() const { return m_editor; }
  Grid* grid() const { return m_grid; }

  //! Switched off, the navigator's buttons do nothing.
  bool isSwitchedOn() const { return m_on; }
  void switchOn(bool on);

  //! Whether a button can be pressed now. Only the buttons the navigator offers (all, unless
  //! its design lists them: "button" = a button's name, once per button). With an editor:
  //! New, Delete and the moves while a saved row is shown, Save and Cancel while a row is
  //! being entered or changed (Save also on a saved row). Without an editor every offered
  //! button goes to the form.
  bool isButtonAvailable(Button button) const;

  //! The user presses a button: false when it is not available. Otherwise the form gets the
  //! click; unless it cancels, the navigator does the button's work.
  bool press(Button button);

  //! (cancel, button name)
  Event<bool&, const std::string&> onButtonClick;

 protected:
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  friend class RecordEditor;
  void forgetEditor() { m_editor = nullptr; }

  RecordEditor* m_editor = nullptr;
  Grid* m_grid = nullptr;
  bool m_on = true;
  std::array<bool, kButtons.size()> m_offered{};  // all false: every button is offered
  bool m_listed = false;                          // the design lists the buttons offered
};

}  // namespace platform::controls

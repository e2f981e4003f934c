// The resize control: keeps the controls of its form in place when the form is resized. Each
// registered control has an anchoring code, a sum of the sides of its container it keeps its
// distance to: 1 top, 2 left, 4 right, 8 bottom. So 15 stretches both ways, 12 follows the
// bottom-right corner, 14 stretches across and follows the bottom, 7 stretches across at the
// top, 11 stretches down at the left. A container's growth is what its controls follow.
// Buttons nobody registered keep their distance to the sides of their container they are
// nearer to (legends too, stretching across); other controls nobody registered stay where
// they are. It also converts design sizes in twips to the form's current scale.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/event.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class ResizeControl : public Control {
 public:
  static constexpr int kTop = 1;
  static constexpr int kLeft = 2;
  static constexpr int kRight = 4;
  static constexpr int kBottom = 8;

  struct Registration {
    std::string name;
    int anchoring = 0;
  };

  explicit ResizeControl(std::string name);

  void setHost(std::shared_ptr<Object> host) { m_host = std::move(host); }

  //! Registers a control by name, or changes the anchoring of one registered already.
  void registerControl(std::string name, int anchoring);
  //! Forgets a control; nothing when it is not registered.
  void removeControl(std::string_view name);
  std::optional<int> anchoring(std::string_view name) const;
  const std::vector<Registration>& registrations() const { return m_registrations; }

  //! The factor from design size to current size, set by the renderer (1 = as designed).
  void setScale(double scale) { m_scale = scale; }
  double scale() const { return m_scale; }
  //! A design size in twips at the current scale, rounded to whole twips.
  int scaled(int designTwips) const;

  //! Asks the form for its controls (onRegisterControls), then remembers the form's size
  //! and every control's place as the layout that resizing starts from.
  void takeInitialSizes();
  //! The form's size changed: when the form answers true to onBeforeResize, every control
  //! is moved and sized by its anchoring (or, for an unregistered button, by the sides it is
  //! nearer to) within its container; then onResize.
  void resize(int formWidth, int formHeight);

  //! The form registers its controls.
  Event<> onRegisterControls;
  //! (proceed): starts false; the form sets it to let the control lay the form out.
  Event<bool&> onBeforeResize;
  Event<> onResize;

 private:
  struct Initial {
    Control* control;
    int left, top, width, height;
    int unregisteredAnchoring;  // the sides it keeps its distance to when nobody registered it
  };

  std::weak_ptr<Object> m_host;  // held weakly: the host owns the module, never the reverse
  std::vector<Registration> m_registrations;
  double m_scale = 1.0;
  int m_formWidth = 0;
  int m_formHeight = 0;
  std::vector<Initial> m_initial;
};

}  // namespace platform::controls

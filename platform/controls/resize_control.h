// The resize control: keeps the controls of its form in place when the form is resized. Each
// registered control has an anchoring code, a sum of the sides it keeps its distance to:
// 1 left, 2 top, 4 right, 8 bottom (15 stretches both ways, 12 follows the bottom-right
// corner). It also converts design sizes in twips to the form's current scale.
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
  static constexpr int kLeft = 1;
  static constexpr int kTop = 2;
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
  //! and every registered control's place as the layout that resizing starts from.
  void takeInitialSizes();
  //! The form's size changed: when the form answers true to onBeforeResize, every
  //! registered control is moved and sized by its anchoring; then onResize.
  void resize(int formWidth, int formHeight);

  //! The form registers its controls.
  Event<> onRegisterControls;
  //! (proceed): starts false; the form sets it to let the control lay the form out.
  Event<bool&> onBeforeResize;
  Event<> onResize;

 private:
  struct Initial {
    std::string name;
    int left, top, width, height;
  };

  std::weak_ptr<Object> m_host;  // held weakly: the host owns the module, never the reverse
  std::vector<Registration> m_registrations;
  double m_scale = 1.0;
  int m_formWidth = 0;
  int m_formHeight = 0;
  std::vector<Initial> m_initial;
};

}  // namespace platform::controls

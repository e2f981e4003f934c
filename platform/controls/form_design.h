// A form's design as data, like a form file: which controls exist, their container, position
// and size in twips, caption, tab order and design settings. The form builds its control
// models from it; the renderer builds its widgets from the same data.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/variant/variant.h"

namespace platform::controls {

enum class ControlKind {
  Frame,
  GroupBox,
  Label,
  Button,
  EditField,
  Chooser,
  CheckBox,
  Grid,
  GridNavigator,
  EnhancedQuery,
  SideBar,
  ResizeControl,
  Container,
  ImageList,
  Legend,
};

//! The host's type name of a control kind ("Frame", "ZEP_GroupBox", "ZEP_QGridWrapper", ...),
//! which forms read when they hand their controls to the resize control.
std::string_view hostTypeName(ControlKind kind);

struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string parent;  // the frame, group box or container it sits in; empty = the form
  int left = 0;        // twips, relative to the parent
  int top = 0;
  int width = 0;
  int height = 0;
  std::string caption;
  int tabIndex = 0;
  bool visible = true;
  bool enabled = true;
  //! Kind-specific settings ("maxchar", "displayformat", "dbfield", "image", "item", ...);
  //! a name may repeat where the kind keeps a list (images, side bar items).
  std::vector<std::pair<std::string, Variant>> properties;
};

struct FormDesign {
  std::string name;
  std::string caption;
  int width = 0;  // twips
  int height = 0;
  //! In creation order; a container comes before the controls it holds.
  std::vector<ControlDesign> controls;

  const ControlDesign* find(std::string_view controlName) const;
};

}  // namespace platform::controls

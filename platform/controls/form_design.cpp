// A form's design as data.
#include "platform/controls/form_design.h"

#include "platform/text/ascii.h"

namespace platform::controls {

std::string_view hostTypeName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Frame: return "Frame";
    case ControlKind::GroupBox: return "ZEP_GroupBox";
    case ControlKind::Label: return "Label";
    case ControlKind::Button: return "ZEP_Button";
    case ControlKind::EditField: return "ZEP_EditField";
    case ControlKind::Chooser: return "ZEP_Chooser";
    case ControlKind::CheckBox: return "ZEP_CheckBox";
    case ControlKind::Grid: return "ZEP_QGridWrapper";
    case ControlKind::GridNavigator: return "ZEP_GridNavigator";
    case ControlKind::EnhancedQuery: return "ZEP_EnhQuery";
    case ControlKind::SideBar: return "ZEP_SideBar";
    case ControlKind::ResizeControl: return "ZEP_ResizeForm";
    case ControlKind::Container: return "ZEP_Container";
    case ControlKind::ImageList: return "ImageList";
    case ControlKind::Legend: return "Legend";
  }
  return "Unknown";
}

const ControlDesign* FormDesign::find(std::string_view controlName) const {
  for (const ControlDesign& control : controls) {
    if (text::equalsIgnoringCase(control.name, controlName)) return &control;
  }
  return nullptr;
}

}  // namespace platform::controls

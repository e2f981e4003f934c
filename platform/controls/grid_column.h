// One column of a grid as the form defines it: a text column (kind 1 plain, kind 13 with a
// cell button), an image column whose cell value picks an image of an image list, or a
// check-box column with its checked and unchecked values.
#pragma once

#include <string>

#include "platform/variant/variant.h"

namespace platform::controls {

struct GridColumn {
  enum class Type { Text, Image, CheckBox };

  static constexpr int kTextKind = 1;     // plain text
  static constexpr int kButtonKind = 13;  // text with a cell button
  static constexpr int kAlignLeft = 0;
  static constexpr int kAlignCentre = 2;

  Type type = Type::Text;
  std::string field;
  std::string caption;
  int kind = kTextKind;  // text columns: kTextKind or kButtonKind, passed as the form gives it
  int width = 0;         // twips
  bool visible = true;
  int alignment = kAlignLeft;

  // Image columns: the image list's name and the two values the form passes with it.
  std::string imageList;
  Variant imageText;
  Variant imageOption;

  // Check-box columns.
  Variant checkedValue;
  Variant uncheckedValue;
  bool hasSelectAll = false;
  bool selectAllChecked = false;  // the header box: follows the user's clicks

  bool hasCellButton() const { return type == Type::Text && kind == kButtonKind; }
};

}  // namespace platform::controls

// The images of the console: the verdict and permission images that image lists name, drawn
// here so they look the same on every screen, and the tool icons of navigators and look-ups.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <string_view>

namespace platform::qt {

//! The image names a form design lists in an image list ("image" settings). A name that is
//! none of these is read as an image file (or a Qt resource path).
namespace image_names {
inline constexpr std::string_view kFail = "fail";                    // red cross
inline constexpr std::string_view kPass = "pass";                    // green tick
inline constexpr std::string_view kNotApplicable = "not-applicable";  // grey dash
inline constexpr std::string_view kAllowed = "allowed";              // white tick on green
inline constexpr std::string_view kDenied = "denied";                // white bar on red
}  // namespace image_names

//! The image a design names, `size` logical pixels square at device pixel ratio `ratio`; a
//! null pixmap when the name is neither drawn here nor a readable image file.
QPixmap namedImage(std::string_view name, int size = 16, qreal ratio = 1.0);

enum class ToolIcon { New, Save, Delete, Cancel, First, Previous, Next, Last, Lookup };

//! A tool icon at 16 and 32 pixels.
QIcon toolIcon(ToolIcon which);

}  // namespace platform::qt

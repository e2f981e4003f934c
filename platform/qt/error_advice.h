// What the database's own (English) messages mean for the user, in Italian, and what the user
// can do about them.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace platform::qt {

//! The advice for an error description that names a known database condition; none for the
//! rest, which are shown as they are.
std::optional<QString> adviceFor(std::string_view description);

}  // namespace platform::qt

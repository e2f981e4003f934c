// Starting the desktop host: its command line, whether there is a screen to open on, and
// the sign-in that comes before the first console.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/passaggio/sign_in.h"

class QWidget;

namespace passaggio::desktop {

struct Options {
  std::string database;
  std::optional<long long> company;
  std::string user;
  std::optional<std::string> item;  // open the console in called mode for this item
  bool help = false;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

extern const char* const kUsageText;

Options parseOptions(const std::vector<std::string>& words);

//! Why no window can open, or nullopt when one can: no X or Wayland display is named and no
//! Qt platform is chosen. Asked before Qt starts, which would otherwise abort.
std::optional<std::string> missingDisplay();

//! The database, company and user to work as: from the command line when it names any (the
//! dialog only when that sign-in is refused), otherwise from the sign-in dialog, which opens
//! on the database last used or the demo database. nullopt when the user gave up.
std::optional<SignInChoice> signIn(const Options& options, QWidget* parent = nullptr);

}  // namespace passaggio::desktop

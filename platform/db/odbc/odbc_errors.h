// ODBC failures as the console's error collection carries them: one entry for every
// diagnostic record, led by a sentence that says plainly what happened where the SQLSTATE
// tells it (no such data source, no driver, login refused, no answer, connection lost).
// No entry ever holds a password.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/db_error.h"
#include "platform/db/odbc/odbc_handle.h"

namespace platform::db::odbc {

//! Values never to be shown: each is replaced by "***" wherever a driver repeats it.
class Secrets {
 public:
  void add(std::string value);
  std::string scrub(std::string text) const;

 private:
  std::vector<std::string> m_values;
};

//! The failure to connect to `target` (shown without its password).
DbError connectError(const std::vector<Diagnostic>& records, std::string_view target, int loginTimeoutSeconds,
                     const Secrets& secrets);
//! The failure of a statement: `sql` as the caller sent it, `sent` what reached the driver.
DbError statementError(const std::vector<Diagnostic>& records, std::string_view sql, std::string_view sent,
                       const Secrets& secrets);

}  // namespace platform::db::odbc

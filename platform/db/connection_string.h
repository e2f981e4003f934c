// Connection strings: a transport and its target, then options after semicolons.
//   sqlite:FILE, sqlite::memory:      the embedded database through its C API
//   odbc:DSN=NAME;...                 an ODBC data source
//   odbc:Driver={FreeTDS};Server=...  an ODBC driver named directly
// An ODBC string keeps its own keys; ours (dialect, trace, login_timeout, query_timeout,
// passes_off) are taken out of it. The dialect is what the statements are sent in: "sqlite"
// translates the console's T-SQL to SQLite (always so over the C API), "tsql" sends it as
// composed (the default over ODBC). passes_off names translation passes to leave out.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/tsql/passes.h"

namespace platform::db {

struct ConnectionString {
  std::string backend;                        // the transport: "sqlite", "odbc"
  std::string target;                         // file name, ":memory:", or the ODBC string
  std::map<std::string, std::string> options;  // lower-case keys

  //! Throws DbError with a clear message for a malformed string.
  static ConnectionString parse(std::string_view text);
  std::string option(const std::string& key, const std::string& fallback = {}) const;
  //! "sqlite" or "tsql".
  std::string dialect() const;
  //! The translation passes on: all but those listed in "passes_off" (checked by parse), or
  //! where the string has no such option, in PASSAGGIO_PASSES_OFF: a process whose connection
  //! strings are made from file names (the desktop host, the batch host) can be run without
  //! passes for comparison or support.
  tsql::Passes passes() const;
  //! The ODBC string handed to the driver: the target, with the user and password from
  //! PASSAGGIO_DB_USER and PASSAGGIO_DB_PASSWORD where the target names none.
  std::string odbcConnectText() const;
};

//! The text with every password of an ODBC string (PWD=..., Password=...) replaced by "***":
//! what may be shown or written anywhere.
std::string withoutSecrets(std::string_view connectionText);

//! The passwords an ODBC string holds, as the driver reads them (without braces).
std::vector<std::string> secretsIn(std::string_view connectionText);

}  // namespace platform::db

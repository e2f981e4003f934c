// Connection strings: "sqlite:FILE", "sqlite::memory:", and options after semicolons
// ("sqlite:demo.db;busy_timeout=2000;trace=run.jsonl"). "odbc:..." is reserved for SQL Server.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace platform::db {

struct ConnectionString {
  std::string backend;                        // "sqlite", "odbc"
  std::string target;                         // file name, ":memory:", or the ODBC string
  std::map<std::string, std::string> options;  // lower-case keys

  //! Throws DbError with a clear message for a malformed string.
  static ConnectionString parse(std::string_view text);
  std::string option(const std::string& key, const std::string& fallback = {}) const;
};

}  // namespace platform::db

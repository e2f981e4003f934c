// What the host showed its users, kept for an administrator: every error display and message
// that went through a log object, in memory and, when asked, appended to a text file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/db_error.h"

namespace platform::services {

struct AdminLogEntry {
  std::string when;  // local time, "YYYY-MM-DD HH:MM:SS"
  enum class Kind { Error, Message } kind = Kind::Error;
  std::string user;  // code of the user signed in, when known
  std::string procedure;
  long number = 0;
  std::string text;    // the error's description or the message
  std::string source;
  std::string sql;
  std::vector<db::ErrorEntry> connectionErrors;
  int answer = 0;  // what the user answered
};

class AdminLog {
 public:
  //! In memory only.
  AdminLog() = default;
  //! Also appended to `file`; throws std::runtime_error when the file cannot be opened.
  explicit AdminLog(std::filesystem::path file);

  void append(AdminLogEntry entry);
  const std::vector<AdminLogEntry>& entries() const { return m_entries; }
  const std::filesystem::path& file() const { return m_file; }
  //! True when a later write to the file failed; the entries in memory are still complete.
  bool fileFailed() const { return m_fileFailed; }

 private:
  std::filesystem::path m_file;
  std::vector<AdminLogEntry> m_entries;
  bool m_fileFailed = false;
};

//! The current local time as "YYYY-MM-DD HH:MM:SS".
std::string localTimestamp();

//! One entry as the log file holds it: a header line, then indented detail lines.
std::string formatEntry(const AdminLogEntry& entry);

}  // namespace platform::services

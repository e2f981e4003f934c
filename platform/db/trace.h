// The statement trace: one JSON object per line for every statement a connection sends,
// with its translation, time, row count or error. Asked for with the connection-string
// option "trace=FILE" or, for every connection of the process, PASSAGGIO_SQL_TRACE=FILE.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/db_error.h"

namespace platform::db {

struct TraceRecord {
  const char* kind = "execute";               // "execute" or "open"
  std::string_view sql;                       // exactly as the caller composed it
  const std::vector<std::string>* translated = nullptr;  // what the backend ran, when it translates
  std::chrono::steady_clock::duration elapsed{};
  long long rows = 0;                         // affected (execute) or fetched (open)
  const std::vector<ErrorEntry>* errors = nullptr;  // set on failure, instead of rows
};

class Tracer {
 public:
  //! Opens (creating, appending) the trace file; throws DbError when it cannot.
  explicit Tracer(const std::string& path);
  ~Tracer();
  Tracer(const Tracer&) = delete;
  Tracer& operator=(const Tracer&) = delete;

  const std::string& path() const { return m_path; }
  //! Appends one line and hands it to the system at once; a line is written whole even when
  //! other processes trace to the same file. A line that cannot be written is noted for
  //! traceWriteFailure(); the statement itself goes on.
  void record(const TraceRecord& record);

 private:
  std::string m_path;
  int m_file = -1;
  int m_connection;  // number of the connection within the process
};

struct TraceFailure {
  std::string path;
  std::string reason;  // the system's
};

//! The first trace write of the process that failed, or nullopt when every line was written.
//! A program reads it before it exits: a trace with holes must not pass for a whole one.
std::optional<TraceFailure> traceWriteFailure();

//! The trace file a new connection should use: its "trace" option, else PASSAGGIO_SQL_TRACE.
std::string traceFileFor(const std::string& option);

}  // namespace platform::db

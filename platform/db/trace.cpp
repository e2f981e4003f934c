// Writes trace lines with a JSON library, appended and locked so that concurrent processes
// never interleave inside a line.
#include "platform/db/trace.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <nlohmann/json.hpp>

namespace platform::db {
namespace {

std::atomic<long long> g_sequence{0};
std::atomic<int> g_connections{0};

std::mutex g_failureMutex;
std::optional<TraceFailure> g_failure;

void noteFailure(const std::string& path, int error) {
  const std::lock_guard lock(g_failureMutex);
  if (!g_failure) g_failure = TraceFailure{path, std::strerror(error)};
}

std::string isoNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char buffer[40];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
  char zone[8];
  std::strftime(zone, sizeof zone, "%z", &local);
  char result[64];
  std::snprintf(result, sizeof result, "%s.%03lld%.3s:%.2s", buffer, static_cast<long long>(millis), zone, zone + 3);
  return result;
}

}  // namespace

Tracer::Tracer(const std::string& path) : m_path(path), m_connection(++g_connections) {
  m_file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (m_file < 0) {
    throw makeError(kConnectionErrorNumber,
                    "Impossibile scrivere la traccia delle istruzioni in " + path + ": " + std::strerror(errno),
                    "passaggio.db.trace");
  }
}

Tracer::~Tracer() {
  if (m_file >= 0) ::close(m_file);
}

void Tracer::record(const TraceRecord& record) {
  nlohmann::ordered_json line;
  line["seq"] = ++g_sequence;
  line["conn"] = m_connection;
  line["time"] = isoNow();
  line["kind"] = record.kind;
  line["sql"] = record.sql;
  if (record.translated != nullptr && !record.translated->empty()) line["sqlite"] = *record.translated;
  line["ms"] = std::chrono::duration<double, std::milli>(record.elapsed).count();
  if (record.errors != nullptr) {
    nlohmann::ordered_json errors = nlohmann::ordered_json::array();
    for (const ErrorEntry& entry : *record.errors) {
      errors.push_back({{"number", entry.number},
                        {"description", entry.description},
                        {"source", entry.source},
                        {"native", entry.nativeError}});
    }
    line["error"] = std::move(errors);
  } else {
    line["rows"] = record.rows;
  }
  std::string text = line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
  text += '\n';
  ::flock(m_file, LOCK_EX);
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(m_file, text.data() + written, text.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
    } else if (n == 0 || errno != EINTR) {
      noteFailure(m_path, n == 0 ? EIO : errno);
      break;
    }
  }
  ::flock(m_file, LOCK_UN);
}

std::optional<TraceFailure> traceWriteFailure() {
  const std::lock_guard lock(g_failureMutex);
  return g_failure;
}

std::string traceFileFor(const std::string& option) {
  if (!option.empty()) return option;
  const char* environment = std::getenv("PASSAGGIO_SQL_TRACE");
  return environment != nullptr ? environment : "";
}

}  // namespace platform::db

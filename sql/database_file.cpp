// Temporary file, build, then a hard link (refuse) or a rename (replace) into place: both are
// atomic, and a link fails when the target appeared meanwhile, so two programs creating the
// same file never overwrite each other's complete result.
#include "sql/database_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/db/connection.h"
#include "platform/db/connection_string.h"
#include "sql/demo_data.h"
#include "sql/schema.h"

namespace sql {
namespace fs = std::filesystem;
namespace {

fs::path sidecar(const fs::path& path, const char* suffix) {
  fs::path result = path;
  result += suffix;
  return result;
}

void removeWithJournals(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
  fs::remove(sidecar(path, "-wal"), ignored);
  fs::remove(sidecar(path, "-shm"), ignored);
  fs::remove(sidecar(path, "-journal"), ignored);
}

// Removes the temporary file unless released.
class TemporaryFile {
 public:
  explicit TemporaryFile(fs::path path) : m_path(std::move(path)) {}
  ~TemporaryFile() {
    if (!m_path.empty()) removeWithJournals(m_path);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

FileExistsError existsError(const fs::path& path) {
  return FileExistsError(path.string() + " esiste già; usare --force per sostituirlo");
}

// Only a missing path or a regular file may be replaced: renaming over a device or a FIFO
// would take it away from everything else that uses it.
void refuseIfNotRegular(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return;
  if (error) throw std::runtime_error("impossibile creare " + path.string() + ": " + error.message());
  if (status.type() != fs::file_type::regular) {
    throw std::runtime_error("impossibile creare " + path.string() + ": esiste e non è un file regolare");
  }
}

bool isConnectionString(const std::string& text) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string backend = text.substr(0, colon);
  std::transform(backend.begin(), backend.end(), backend.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return backend == "sqlite" || backend == "odbc";
}

}  // namespace

DatabaseName databaseNamed(const std::string& text) {
  if (!isConnectionString(text)) return {connectionStringFor(text), text};
  const auto parsed = platform::db::ConnectionString::parse(text);
  const bool isFile = parsed.backend == "sqlite" && parsed.target != ":memory:";
  return {text, isFile ? fs::path(parsed.target) : fs::path()};
}

std::string connectionStringFor(const fs::path& path, bool create) {
  std::string text = path.string();
  if (isConnectionString(text)) return text + (create ? ";create=1" : "");
  // The layer reads options after a semicolon.
  if (text.find(';') != std::string::npos) {
    throw std::invalid_argument("il nome del file di database non può contenere ';': " + text);
  }
  return "sqlite:" + text + (create ? ";create=1" : "");
}

void buildDatabaseFile(const fs::path& path, Existing existing, const std::function<void(const fs::path&)>& build) {
  refuseIfNotRegular(path);
  if (existing == Existing::Refuse && fs::exists(path)) throw existsError(path);
  fs::path directory = path.parent_path();
  if (!directory.empty() && !fs::is_directory(directory)) {
    throw std::runtime_error("impossibile creare " + path.string() + ": " + directory.string() + " non è una cartella");
  }

  TemporaryFile temporary(sidecar(path, (".tmp-" + std::to_string(::getpid())).c_str()));
  removeWithJournals(temporary.path());
  build(temporary.path());
  if (fs::exists(sidecar(temporary.path(), "-wal"))) {
    throw std::runtime_error("errore interno: " + temporary.path().string() + " è rimasto aperto");
  }

  if (existing == Existing::Refuse) {
    if (::link(temporary.path().c_str(), path.c_str()) != 0) {
      if (errno == EEXIST) throw existsError(path);
      throw std::runtime_error("impossibile creare " + path.string() + ": " + std::strerror(errno));
    }
  } else {
    refuseIfNotRegular(path);  // it may have appeared while the new file was built
    // Journals of the old file would be replayed into the new one.
    std::error_code ignored;
    fs::remove(sidecar(path, "-wal"), ignored);
    fs::remove(sidecar(path, "-shm"), ignored);
    fs::remove(sidecar(path, "-journal"), ignored);
    fs::rename(temporary.path(), path);
  }
}

void createSchemaDatabase(const fs::path& path, Existing existing) {
  buildDatabaseFile(path, existing, [](const fs::path& file) {
    platform::db::Connection connection;
    connection.Connect(connectionStringFor(file, true));
    createSchema(connection);
    connection.Close();
  });
}

void createDemoDatabase(const fs::path& path, Existing existing) {
  buildDatabaseFile(path, existing, [](const fs::path& file) {
    platform::db::Connection connection;
    connection.Connect(connectionStringFor(file, true));
    createSchema(connection);
    loadDemo(connection);
    connection.Close();
  });
}

}  // namespace sql

// Making new database files safely: each is built under a temporary name beside its final
// path and moved into place only when complete, so a failure or a refusal never leaves a
// half-built file and never touches what was already there.
#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace sql {

//! The file exists and replacing it was not asked for.
class FileExistsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Existing { Refuse, Replace };

//! A database as a program's user names it: a file name, or a connection string
//! ("sqlite:FILE;busy_timeout=10000", "sqlite::memory:").
struct DatabaseName {
  std::string connectionString;  // what the layer opens, with the options given
  std::filesystem::path file;    // the file it names; empty for a database in memory

  //! Whether it names a file that does not exist.
  bool missing() const { return !file.empty() && !std::filesystem::exists(file); }
};

//! Reads a database name; throws DbError for a malformed connection string.
DatabaseName databaseNamed(const std::string& text);

//! The connection string under which the layer opens a database file (a connection string
//! given as the name is kept as it is); with `create` the layer makes the file when it is
//! missing.
std::string connectionStringFor(const std::filesystem::path& path, bool create = false);

//! Builds a database at `path`: `build` receives a temporary name beside it, where no file
//! exists yet, and creates and fills the database there; the result then takes the place of
//! `path`. With Existing::Refuse an existing `path` is refused (FileExistsError) before and
//! after building; with Existing::Replace it is replaced, its journal files with it. A `path`
//! that exists but is no regular file (a device, a FIFO, a folder) is always refused.
void buildDatabaseFile(const std::filesystem::path& path, Existing existing,
                       const std::function<void(const std::filesystem::path& file)>& build);

//! A database with the empty schema.
void createSchemaDatabase(const std::filesystem::path& path, Existing existing);
//! A database with the schema and the demo content.
void createDemoDatabase(const std::filesystem::path& path, Existing existing);

}  // namespace sql

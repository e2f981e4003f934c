// The embedded SQLite backend. Each batch is parsed once and each statement translated once
// (cached by text); translated statements are prepared once and reused. Values come back as
// SQL Server returns them: CHAR(n) padded, DECIMAL exact, counts per statement.
#include "platform/db/sqlite/sqlite_backend.h"

#include <malloc.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "platform/db/db_error.h"
#include "platform/db/declared_shape.h"
#include "platform/db/sqlite/sqlite_arithmetic.h"
#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "platform/db/sqlite/sqlite_settings.h"
#include "platform/db/translated_batches.h"
#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/translator.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

constexpr const char* kSource = "passaggio.db.sqlite";
constexpr std::size_t kMaxPreparedStatements = 512;

std::string quoteName(std::string_view name) {
  std::string result = "\"";
  for (const char c : name) result += c == '"' ? std::string("\"\"") : std::string(1, c);
  return result + "\"";
}

// How a SQLite result code reaches the user: SQL Server's error number where there is one,
// and the text; the extended code is looked up first, then the primary one.
struct CodeRule {
  int code;
  long native;  // 0: the SQLite code itself
  const char* text;
  bool withMessage;  // SQLite's own message follows in brackets
};

constexpr const char* kLocked =
    "Il database è bloccato da un'altra sessione che sta scrivendo; l'attesa è scaduta. Riprovare.";

constexpr CodeRule kCodeRules[] = {
    {SQLITE_CONSTRAINT_UNIQUE, 2627, "Violazione del vincolo di chiave univoca", true},
    {SQLITE_CONSTRAINT_PRIMARYKEY, 2627, "Violazione del vincolo di chiave univoca", true},
    {SQLITE_CONSTRAINT_NOTNULL, 515, "Impossibile inserire il valore NULL", true},
    {SQLITE_BUSY, 0, kLocked, false},
    {SQLITE_LOCKED, 0, kLocked, false},
    {SQLITE_READONLY, 0, "Il database è di sola lettura: impossibile modificarlo", true},
    {SQLITE_NOTADB, 0, "Il file non è un database", true},
};

// Names SQLite does not know come with the generic code; their message names the object.
struct NameRule {
  std::string_view prefix;
  long native;
  const char* kind;
};

constexpr NameRule kNameRules[] = {{"no such table: ", 208, "oggetto"}, {"no such column: ", 207, "colonna"}};

// A SQLite failure, described as a user of the console needs to read it.
DbError sqliteError(sqlite3* db, int code, std::string_view tsql, std::string_view sqliteText) {
  return describeSqliteFailure(code, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code), tsql, sqliteText);
}

Variant readValue(sqlite3_stmt* statement, int index, const DeclaredShape& shape) {
  switch (sqlite3_column_type(statement, index)) {
    case SQLITE_NULL:
      return Variant::null();
    case SQLITE_INTEGER:
      return Variant(static_cast<long long>(sqlite3_column_int64(statement, index)));
    case SQLITE_FLOAT:
      return shape.real(sqlite3_column_double(statement, index));
    default:
      return shape.text(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, index)),
                                    static_cast<std::size_t>(sqlite3_column_bytes(statement, index))));
  }
}

class SqliteBackend : public Backend {
 public:
  SqliteBackend(sqlite3* db, const tsql::Passes& passes) : m_db(db), m_catalog(db), m_batches(m_catalog, passes) {}

  bool readOnly() const override { return sqlite3_db_readonly(m_db, "main") == 1; }

  std::vector<std::vector<std::optional<std::string>>> runNative(std::string_view sql) override {
    std::vector<std::vector<std::optional<std::string>>> rows;
    const auto collect = [](void* into, int count, char** values, char**) {
      auto& all = *static_cast<std::vector<std::vector<std::optional<std::string>>>*>(into);
      auto& row = all.emplace_back();
      for (int i = 0; i < count; ++i) {
        row.push_back(values[i] != nullptr ? std::optional<std::string>(values[i]) : std::nullopt);
      }
      return 0;
    };
    const std::string text(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, text.c_str(), collect, &rows, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK) throw sqliteError(m_db, rc, text, text);
    return rows;
  }

  ~SqliteBackend() override {
    for (auto& [text, statement] : m_prepared) sqlite3_finalize(statement);
    sqlite3_close_v2(m_db);
  }

  std::vector<StatementOutcome> run(std::string_view sql, RowsWanted wanted,
                                    std::vector<std::string>* translated) override {
    return m_batches.run(
        sql, wanted, translated,
        [this](const tsql::Statement& statement, bool readRows) { return execute(statement, readRows); }, [] {});
  }

  std::vector<Variant> applyChanges(const BatchChanges& changes) override {
    std::vector<Variant> insertedKeys;
    Savepoint savepoint(*this);
    const auto columns = m_catalog.columns(changes.table);
    for (const RowChange& change : changes.changes) {
      const std::optional<Variant> key = apply(changes, change, columns ? &*columns : nullptr);
      if (key) insertedKeys.push_back(*key);
    }
    savepoint.keep();
    return insertedKeys;
  }

 private:
  // The edits of one batch update: all kept, or, when the object goes before keep(), none.
  class Savepoint {
   public:
    explicit Savepoint(SqliteBackend& backend) : m_backend(backend) {
      m_backend.plain("SAVEPOINT passaggio_batch_update");
    }
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;
    ~Savepoint() {
      if (m_kept) return;
      // Undoing cannot fail where the edits could be made; the edit's own error is what counts.
      sqlite3_exec(m_backend.m_db, "ROLLBACK TO passaggio_batch_update; RELEASE passaggio_batch_update", nullptr,
                   nullptr, nullptr);
    }
    void keep() {
      m_backend.plain("RELEASE passaggio_batch_update");
      m_kept = true;
    }

   private:
    SqliteBackend& m_backend;
    bool m_kept = false;
  };

  StatementOutcome execute(const tsql::Statement& statement, bool readRows) {
    if (!statement.allOrNothing) return executeSteps(statement, readRows);
    plain("SAVEPOINT passaggio_statement");
    try {
      StatementOutcome outcome = executeSteps(statement, readRows);
      plain("RELEASE passaggio_statement");
      return outcome;
    } catch (...) {
      sqlite3_exec(m_db, "ROLLBACK TO passaggio_statement; RELEASE passaggio_statement", nullptr, nullptr, nullptr);
      throw;
    }
  }

  StatementOutcome executeSteps(const tsql::Statement& statement, bool readRows) {
    StatementOutcome outcome;
    bool counted = false;
    long long affected = 0;
    for (std::size_t i = 0; i < statement.steps.size(); ++i) {
      const tsql::SqliteStep& step = statement.steps[i];
      const bool last = i + 1 == statement.steps.size();
      sqlite3_stmt* prepared = prepare(step.sql, statement.tsql);
      const sqlite3_int64 before = sqlite3_total_changes64(m_db);
      if (step.countIsValue) {
        counted = true;
        affected += firstValue(prepared, statement.tsql, step.sql);
        continue;
      }
      if (last && readRows) {
        outcome.rows = readAll(prepared, statement.tsql, step.sql, statement.sources);
      } else {
        stepThrough(prepared, statement.tsql, step.sql);
      }
      if (step.countsRows) {
        counted = true;
        affected += sqlite3_total_changes64(m_db) - before;
      }
    }
    outcome.affected = counted ? affected : -1;
    return outcome;
  }

  sqlite3_stmt* prepare(const std::string& text, std::string_view tsql) {
    const auto found = m_prepared.find(text);
    if (found != m_prepared.end()) return found->second;
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, text.c_str(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT,
                                      &statement, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_finalize(statement);
      throw sqliteError(m_db, rc, tsql, text);
    }
    if (m_prepared.size() >= kMaxPreparedStatements) forgetPrepared();
    m_prepared.emplace(text, statement);
    return statement;
  }

  void forgetPrepared() {
    for (auto& [text, statement] : m_prepared) sqlite3_finalize(statement);
    m_prepared.clear();
  }

  long long firstValue(sqlite3_stmt* statement, std::string_view tsql, const std::string& text) {
    const int rc = sqlite3_step(statement);
    const long long value = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_reset(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw sqliteError(m_db, rc, tsql, text);
    return value;
  }

  void stepThrough(sqlite3_stmt* statement, std::string_view tsql, const std::string& text) {
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    if (rc == SQLITE_DONE || ((rc & 0xFF) == SQLITE_READONLY && insertsNothing(text))) return;
    throw sqliteError(m_db, rc, tsql, text);
  }

  // On a file opened read-only, an INSERT ... SELECT that selects nothing changes nothing and
  // so succeeds: the console adds missing rows that way whenever it opens.
  bool insertsNothing(const std::string& text) {
    const auto select = text.find(") SELECT ");
    if (!readOnly() || text.rfind("INSERT INTO ", 0) != 0 || select == std::string::npos) return false;
    const std::string probe = "SELECT EXISTS (" + text.substr(select + 2) + ")";
    sqlite3_stmt* statement = nullptr;
    bool nothing = false;
    if (sqlite3_prepare_v2(m_db, probe.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      nothing = sqlite3_column_int(statement, 0) == 0;
    }
    sqlite3_finalize(statement);
    return nothing;
  }

  ResultData readAll(sqlite3_stmt* statement, std::string_view tsql, const std::string& text,
                     const std::vector<tsql::ResultSource>& sources) {
    ResultData data;
    // The columns are read after the first step: a statement prepared before a schema change
    // is prepared again by that step, and until then describes the table as it was.
    int rc = sqlite3_step(statement);
    const int count = sqlite3_column_count(statement);
    std::vector<DeclaredShape> readers(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      ColumnInfo column;
      column.name = sqlite3_column_name(statement, i);
      const char* declared = sqlite3_column_decltype(statement, i);
      column.declaredType = declared != nullptr ? declared : "";
      const char* table = sqlite3_column_table_name(statement, i);
      const char* origin = sqlite3_column_origin_name(statement, i);
      if (table != nullptr && origin != nullptr) {
        column.baseTable = table;
        column.baseColumn = origin;
        column.isKey = isRowKey(column.baseTable, column.baseColumn);
      }
      for (const tsql::ResultSource& source : sources) {
        if (source.index != static_cast<std::size_t>(i)) continue;
        column.declaredType = source.declaredType;  // a packed column, read through a function
        column.baseTable = source.table;
        column.baseColumn = source.column;
      }
      readers[i] = DeclaredShape::of(column.declaredType);
      data.columns.push_back(std::move(column));
    }
    for (; rc == SQLITE_ROW; rc = sqlite3_step(statement)) {
      Row row;
      row.reserve(static_cast<std::size_t>(count));
      for (int i = 0; i < count; ++i) row.push_back(readValue(statement, i, readers[i]));
      data.rows.push_back(std::move(row));
    }
    sqlite3_reset(statement);
    if (rc != SQLITE_DONE) throw sqliteError(m_db, rc, tsql, text);
    return data;
  }

  bool isRowKey(const std::string& table, const std::string& column) {
    if (m_rowKeysGeneration != m_batches.schemaGeneration()) {
      m_rowKeys.clear();
      m_rowKeysGeneration = m_batches.schemaGeneration();
    }
    auto found = m_rowKeys.find(platform::text::upperAscii(table));
    if (found == m_rowKeys.end()) {
      std::string key;
      if (const auto columns = m_catalog.columns(table)) {
        for (const auto& candidate : *columns) {
          if (candidate.isRowKey) key = platform::text::upperAscii(candidate.name);
        }
      }
      found = m_rowKeys.emplace(platform::text::upperAscii(table), std::move(key)).first;
    }
    return !found->second.empty() && found->second == platform::text::upperAscii(column);
  }

  void plain(const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK) throw sqliteError(m_db, rc, sql, sql);
  }

  static void bind(sqlite3_stmt* statement, int index, const Variant& value) {
    switch (value.type()) {
      case Variant::Type::Empty:
      case Variant::Type::Null:
        sqlite3_bind_null(statement, index);
        break;
      case Variant::Type::Integer:
        sqlite3_bind_int64(statement, index, value.toInteger());
        break;
      case Variant::Type::Boolean:
        sqlite3_bind_int(statement, index, value.toBool() ? 1 : 0);
        break;
      case Variant::Type::Double:
        sqlite3_bind_double(statement, index, value.toDouble());
        break;
      default: {
        const std::string text = value.toText();
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      }
    }
  }

  // One edit, its values bound as numbered parameters: a packed column's value stands inside
  // the expression that writes its byte, a split table's row is written in both its tables
  // (tsql/packed_verdicts.h, tsql/verdict_side_table.h).
  std::optional<Variant> apply(const BatchChanges& changes, const RowChange& change,
                               const std::vector<tsql::CatalogColumn>* columns) {
    std::vector<const Variant*> parameters;
    std::vector<tsql::ColumnValue> values;
    for (const auto& [column, value] : change.values) {
      parameters.push_back(&value);
      values.push_back({column, "?" + std::to_string(parameters.size())});
    }
    const std::string keyTest = " WHERE " + quoteName(changes.keyColumn) + " = ?" + std::to_string(parameters.size() + 1);
    if (change.kind != RowChange::Kind::Insert) parameters.push_back(&change.key);
    if (change.kind == RowChange::Kind::Update && change.values.empty()) return std::nullopt;
    const tsql::RowEdit edit = rowEditOf(change.kind);
    std::optional<Variant> inserted;
    for (const std::string& sql : tsql::rowEditStatements(columns, changes.table, edit, values, keyTest)) {
      sqlite3_stmt* statement = nullptr;
      int rc = sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr);
      if (rc == SQLITE_OK) {
        const auto bound = std::min<std::size_t>(parameters.size(), sqlite3_bind_parameter_count(statement));
        for (std::size_t i = 0; i < bound; ++i) bind(statement, static_cast<int>(i + 1), *parameters[i]);
        rc = sqlite3_step(statement);
      }
      sqlite3_finalize(statement);
      if (rc != SQLITE_DONE) throw sqliteError(m_db, rc, sql, sql);
      // The first statement of an insert writes the row whose identity the grid learns.
      if (change.kind == RowChange::Kind::Insert && !inserted) {
        inserted = Variant(static_cast<long long>(sqlite3_last_insert_rowid(m_db)));
      }
    }
    return inserted;
  }

  sqlite3* m_db;
  sqlite::SqliteCatalog m_catalog;
  TranslatedBatches m_batches;
  std::unordered_map<std::string, sqlite3_stmt*> m_prepared;
  // Each table's identity column (upper case, empty for none), for the schema generation.
  std::unordered_map<std::string, std::string> m_rowKeys;
  std::uint64_t m_rowKeysGeneration = 0;
};

bool writable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return true;
  return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

// The URI that opens a file for reading as it stands, without the WAL's shared memory.
std::string immutableUri(const std::string& path) {
  std::string uri = "file:";
  for (const char c : std::filesystem::absolute(path).string()) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
      uri += escaped;
    } else {
      uri += c;
    }
  }
  return uri + "?immutable=1";
}

[[noreturn]] void cannotOpen(const std::string& path, const std::string& why, sqlite3* db = nullptr, int code = 0) {
  if (db != nullptr) sqlite3_close_v2(db);
  throw DbError({ErrorEntry{kConnectionErrorNumber, "Impossibile aprire il database " + path + ": " + why, kSource,
                            code, "08001"}});
}

// The heap stays as large as a run made it. Every statement writing a temporary table keeps
// a statement journal in memory, freed when the statement ends; with the working tables' rows
// packed, the temporary database stops growing, the freed journal lies at the top of the heap,
// and glibc gives it back to the system after each statement and takes it again, page fault by
// page fault, at the next one (ten times the faults of a run). Neither trimming the heap nor
// mapping large blocks on their own (which are unmapped when freed) is worth that.
void keepHeapMapped() {
  [[maybe_unused]] static const bool kept = [] {
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    return true;
  }();
}

// Opens `target` (the path or a URI for it) with the settings and functions every connection
// has; a failure names `path`.
sqlite3* openWithFunctions(const std::string& path, const std::string& target, int flags, int busyTimeout) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(target.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) cannotOpen(path, db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc), db, rc);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, busyTimeout);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  if (sqlite::registerTsqlFunctions(db) != SQLITE_OK) cannotOpen(path, sqlite3_errmsg(db), db, SQLITE_ERROR);
  return db;
}

void configure(sqlite3* db, const std::string& path, bool memory) {
  for (const char* setting : sqlite::kConnectionPragmas) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db, setting, nullptr, nullptr, &message);
    const std::string text = message != nullptr ? message : "";
    sqlite3_free(message);
    if (rc != SQLITE_OK) cannotOpen(path, text, db, rc);
  }
  // WAL lets several consoles read while one writes; a read-only file stays as it is.
  if (!memory && sqlite3_db_readonly(db, "main") == 0) {
    std::string mode;
    const int rc = sqlite3_exec(
        db, "PRAGMA journal_mode = WAL",
        [](void* into, int, char** values, char**) {
          *static_cast<std::string*>(into) = values[0] != nullptr ? values[0] : "";
          return 0;
        },
        &mode, nullptr);
    if ((rc & 0xFF) == SQLITE_BUSY) cannotOpen(path, "è bloccato da un'altra sessione; l'attesa è scaduta.", db, rc);
    if (rc != SQLITE_OK || platform::text::upperAscii(mode) != "WAL") {
      const std::string why = rc != SQLITE_OK ? std::string(sqlite3_errmsg(db)) : mode;
      cannotOpen(path, "non è stato possibile attivare la modalità WAL (" + why + ").", db, rc);
    }
  }
}

}  // namespace

tsql::RowEdit rowEditOf(RowChange::Kind kind) {
  switch (kind) {
    case RowChange::Kind::Insert: return tsql::RowEdit::Insert;
    case RowChange::Kind::Update: return tsql::RowEdit::Update;
    case RowChange::Kind::Delete: break;
  }
  return tsql::RowEdit::Delete;
}

DbError describeSqliteFailure(int code, const std::string& message, std::string_view tsql,
                              std::string_view sqliteText) {
  // A client that reports only the primary code still says which constraint in its message.
  if (code == SQLITE_CONSTRAINT) {
    if (message.rfind("UNIQUE constraint", 0) == 0) code = SQLITE_CONSTRAINT_UNIQUE;
    if (message.rfind("NOT NULL constraint", 0) == 0) code = SQLITE_CONSTRAINT_NOTNULL;
  }
  long native = code;
  std::string description = message;
  const CodeRule* rule = nullptr;
  for (const int wanted : {code, code & 0xFF}) {
    for (const CodeRule& candidate : kCodeRules) {
      if (rule == nullptr && candidate.code == wanted) rule = &candidate;
    }
  }
  if (rule != nullptr) {
    native = rule->native != 0 ? rule->native : code;
    description = rule->withMessage ? std::string(rule->text) + " (" + message + ")." : rule->text;
  }
  if (const long number = sqlite::tsqlErrorNumber(message); number != 0) {
    native = number;  // raised by our arithmetic functions in SQL Server's own words
  }
  for (const NameRule& name : kNameRules) {
    if (message.rfind(name.prefix, 0) != 0) continue;
    std::string object = message.substr(name.prefix.size());
    if (object.rfind("temp.", 0) == 0) object.erase(0, 5);
    native = name.native;
    description = std::string("Nome di ") + name.kind + " '" + object + "' non valido.";
  }
  return DbError({ErrorEntry{kStatementErrorNumber, description, kSource, native, {}}}, std::string(tsql),
                 std::string(sqliteText));
}

std::unique_ptr<Backend> openSqliteBackend(const ConnectionString& connection) {
  const std::string& path = connection.target;
  const bool memory = path == ":memory:";
  const std::string create = connection.option("create");
  const bool mayCreate = create == "1" || create == "yes" || create == "true";
  std::error_code ignored;
  if (!memory && !mayCreate && !std::filesystem::exists(path, ignored)) {
    cannotOpen(path, "il file non esiste.", nullptr, SQLITE_CANTOPEN);
  }
  if (!memory && std::filesystem::is_directory(path, ignored)) cannotOpen(path, "è una cartella, non un file.");
  const bool exists = !memory && std::filesystem::exists(path, ignored);
  // SQLite would take an empty file for an empty database and write a header into it.
  if (exists && !mayCreate && std::filesystem::file_size(path, ignored) == 0) {
    cannotOpen(path, "il file è vuoto, non è un database di questo programma.");
  }
  // A file this user may not write, or marked read-only for everyone, is opened for reading:
  // everything that only reads works.
  const bool readOnly = exists && !writable(path);
  const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | (mayCreate ? SQLITE_OPEN_CREATE : 0)) |
                    SQLITE_OPEN_URI;
  const int busyTimeout = std::atoi(connection.option("busy_timeout", "5000").c_str());
  keepHeapMapped();
  sqlite3* db = openWithFunctions(path, path, flags, busyTimeout);
  // Opening is lazy in SQLite: read the schema now so that a file that is not a database,
  // or one locked past the timeout, is reported here and not at the first statement.
  int rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (readOnly && (rc & 0xFF) == SQLITE_READONLY) {
    // A WAL file needs its shared-memory index beside it; in a folder this user may not write
    // it cannot be made, so the file is read as it stands: nobody here can change it anyway.
    sqlite3_close_v2(db);
    db = openWithFunctions(path, immutableUri(path), flags, busyTimeout);
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  if ((rc & 0xFF) == SQLITE_NOTADB) cannotOpen(path, "il file non è un database.", db, rc);
  if ((rc & 0xFF) == SQLITE_BUSY) cannotOpen(path, "è bloccato da un'altra sessione; l'attesa è scaduta.", db, rc);
  if (rc != SQLITE_OK) cannotOpen(path, sqlite3_errmsg(db), db, rc);
  configure(db, path, memory);
  return std::make_unique<SqliteBackend>(db, connection.passes());
}

}  // namespace platform::db

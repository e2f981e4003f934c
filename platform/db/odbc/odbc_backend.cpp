// The ODBC backend. In the T-SQL dialect a batch goes to the driver as composed, in one
// SQLExecDirect, and every result set and count it gives is walked with SQLMoreResults. In
// the SQLite dialect each statement is translated as the embedded backend does, and each of
// its steps sent alone, with the T-SQL functions loaded into the database on connecting.
#include "platform/db/odbc/odbc_backend.h"

#include <cstdlib>
#include <functional>
#include <tuple>
#include <unordered_map>

#include "platform/db/odbc/odbc_errors.h"
#include "platform/db/odbc/odbc_handle.h"
#include "platform/db/odbc/odbc_result.h"
#include "platform/db/sql_literal.h"
#include "platform/db/sqlite/sqlite_backend.h"
#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/translated_batches.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

using odbc::Handle;

constexpr int kDefaultLoginTimeout = 15;

using TextRows = std::vector<std::vector<std::optional<std::string>>>;

// The translator's catalog of a SQLite database read through SQL alone.
class SqlCatalog : public tsql::Catalog {
 public:
  explicit SqlCatalog(std::function<TextRows(const std::string&)> query) : m_query(std::move(query)) {}

  std::optional<std::vector<tsql::CatalogColumn>> columns(std::string_view table) const override {
    const std::string key = platform::text::upperAscii(table);
    if (const auto known = m_known.find(key); known != m_known.end()) return known->second;
    auto columns = sqlite::catalogColumns(table, [this](const std::string& name) { return declared(name); });
    return m_known.emplace(key, std::move(columns)).first->second;
  }

  std::vector<std::string> indexLeaders(std::string_view table) const override {
    std::vector<std::string> leaders;
    for (const auto& row : m_query(sqlite::queryForTable(sqlite::kIndexLeadersQuery, quoteLiteral(table)))) {
      leaders.push_back(row.at(0).value_or(""));
    }
    return leaders;
  }

  //! Forgets what it read: a statement has changed the schema.
  void forget() { m_known.clear(); }

 private:
  std::vector<sqlite::DeclaredColumn> declared(std::string_view table) const {
    std::vector<sqlite::DeclaredColumn> declared;
    for (const auto& row : m_query(sqlite::queryForTable(sqlite::kDeclaredColumnsQuery, quoteLiteral(table)))) {
      declared.push_back(sqlite::declaredColumn(row));
    }
    return declared;
  }

  std::function<TextRows(const std::string&)> m_query;
  mutable std::unordered_map<std::string, std::optional<std::vector<tsql::CatalogColumn>>> m_known;
};

// SQLite's own message in the SQLite driver's first record ("[SQLite]no such table: X (1)"),
// when SQLite raised the failure.
std::optional<std::string> sqliteMessage(const std::vector<odbc::Diagnostic>& records) {
  constexpr std::string_view kPrefix = "[SQLite]";
  if (records.empty() || records.front().nativeError <= 0 || records.front().message.rfind(kPrefix, 0) != 0) {
    return std::nullopt;
  }
  std::string message = records.front().message.substr(kPrefix.size());
  const std::string code = " (" + std::to_string(records.front().nativeError) + ")";
  if (message.size() > code.size() && message.compare(message.size() - code.size(), code.size(), code) == 0) {
    message.resize(message.size() - code.size());
  }
  return message;
}

class OdbcBackend : public Backend {
 public:
  OdbcBackend(std::unique_ptr<Handle> environment, std::unique_ptr<Handle> connection, bool translates,
              const tsql::Passes& passes, long queryTimeout, odbc::Secrets secrets)
      : m_environment(std::move(environment)),
        m_connection(std::move(connection)),
        m_disconnect{m_connection->get()},
        m_statement(SQL_HANDLE_STMT, m_connection->get()),
        m_aside(SQL_HANDLE_STMT, m_connection->get()),
        m_secrets(std::move(secrets)),
        m_translates(translates),
        m_catalog([this](const std::string& sql) { return textRows(m_aside, sql); }),
        m_batches(m_catalog, passes) {
    SQLSetStmtAttr(m_statement.get(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(queryTimeout), 0);
  }

  std::vector<StatementOutcome> run(std::string_view sql, RowsWanted wanted,
                                    std::vector<std::string>* translated) override {
    return m_translates ? runTranslated(sql, wanted, translated) : runAsComposed(sql, wanted, translated);
  }

  TextRows runNative(std::string_view sql) override { return textRows(m_statement, sql); }

  std::vector<Variant> applyChanges(const BatchChanges& changes) override {
    Transaction transaction(*this);
    std::vector<Variant> insertedKeys;
    for (const RowChange& change : changes.changes) {
      if (auto key = apply(changes, change)) insertedKeys.push_back(std::move(*key));
    }
    transaction.commit();
    return insertedKeys;
  }

 private:
  // One SQLExecDirect and the results it gives, closed when it goes.
  class Cursor {
   public:
    Cursor(OdbcBackend& backend, std::string_view sql, std::string_view sent)
        : Cursor(backend, backend.m_statement, sql, sent) {}
    Cursor(OdbcBackend& backend, const Handle& handle, std::string_view sql, std::string_view sent)
        : m_backend(backend), m_handle(handle), m_sql(sql), m_sent(sent) {
      const std::string text(sent);
      const SQLRETURN rc = SQLExecDirect(statement(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())),
                                         static_cast<SQLINTEGER>(text.size()));
      m_noCount = rc == SQL_NO_DATA;
      if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) fail();
    }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    ~Cursor() { SQLFreeStmt(statement(), SQL_CLOSE); }

    bool hasRows() {
      SQLSMALLINT columns = 0;
      if (!m_noCount && !SQL_SUCCEEDED(SQLNumResultCols(statement(), &columns))) fail();
      return columns > 0;
    }
    //! Rows affected by the current result, as the driver counts them; -1 for none.
    long long affected() {
      if (m_noCount) return 0;  // a searched UPDATE or DELETE that touched nothing
      SQLLEN count = -1;
      if (!SQL_SUCCEEDED(SQLRowCount(statement(), &count))) fail();
      return count;
    }
    ResultData read(const tsql::Catalog* catalog, const std::vector<tsql::ResultSource>& sources = {}) {
      return odbc::readResult(m_handle, catalog, [this] { fail(); }, sources);
    }
    std::optional<std::string> first() { return odbc::firstText(m_handle, [this] { fail(); }); }
    //! Moves to the next result of the batch; false after the last.
    bool next() {
      const SQLRETURN rc = SQLMoreResults(statement());
      if (rc == SQL_NO_DATA) return false;
      m_noCount = false;
      if (!SQL_SUCCEEDED(rc)) fail();
      return true;
    }
    [[noreturn]] void fail() {
      const std::vector<odbc::Diagnostic> records = odbc::diagnostics(m_handle);
      if (m_backend.m_translates) {
        if (const auto message = sqliteMessage(records)) {
          throw describeSqliteFailure(static_cast<int>(records.front().nativeError), *message, m_sql, m_sent);
        }
      }
      throw odbc::statementError(records, m_sql, m_sent, m_backend.m_secrets);
    }

   private:
    SQLHSTMT statement() const { return m_handle.get(); }
    OdbcBackend& m_backend;
    const Handle& m_handle;
    std::string_view m_sql;
    std::string_view m_sent;
    bool m_noCount = false;
  };

  // Manual commit for the edits of one batch update: all kept, or none.
  class Transaction {
   public:
    explicit Transaction(OdbcBackend& backend) : m_backend(backend) { autocommit(false); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction() {
      if (m_committed) return;
      SQLEndTran(SQL_HANDLE_DBC, m_backend.m_connection->get(), SQL_ROLLBACK);
      SQLSetConnectAttr(m_backend.m_connection->get(), SQL_ATTR_AUTOCOMMIT,
                        reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    }
    void commit() {
      if (!SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, m_backend.m_connection->get(), SQL_COMMIT))) {
        throw odbc::statementError(odbc::diagnostics(*m_backend.m_connection), "COMMIT", "COMMIT", m_backend.m_secrets);
      }
      m_committed = true;
      autocommit(true);
    }

   private:
    void autocommit(bool on) {
      const SQLRETURN rc = SQLSetConnectAttr(m_backend.m_connection->get(), SQL_ATTR_AUTOCOMMIT,
                                             reinterpret_cast<SQLPOINTER>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0);
      if (!SQL_SUCCEEDED(rc)) {
        throw odbc::statementError(odbc::diagnostics(*m_backend.m_connection), "", "", m_backend.m_secrets);
      }
    }
    OdbcBackend& m_backend;
    bool m_committed = false;
  };

  // Every row of every result of the batch, as text.
  TextRows textRows(const Handle& handle, std::string_view sql) {
    TextRows rows;
    Cursor cursor(*this, handle, sql, sql);
    do {
      const ResultData data = cursor.hasRows() ? cursor.read(nullptr) : ResultData{};
      for (const Row& row : data.rows) {
        auto& textRow = rows.emplace_back();
        for (const Variant& value : row) {
          textRow.push_back(value.isNull() ? std::nullopt : std::optional<std::string>(value.toText()));
        }
      }
    } while (cursor.next());
    return rows;
  }

  std::vector<StatementOutcome> runAsComposed(std::string_view sql, RowsWanted wanted,
                                              std::vector<std::string>* translated) {
    if (translated != nullptr) translated->emplace_back(sql);
    std::vector<StatementOutcome> outcomes;
    Cursor cursor(*this, sql, sql);
    bool rowsTaken = false;
    do {
      StatementOutcome outcome;
      outcome.statement = std::string(sql);
      if (cursor.hasRows()) {
        if (wanted == RowsWanted::All || (wanted == RowsWanted::First && !rowsTaken)) {
          outcome.rows = cursor.read(nullptr);
          rowsTaken = true;
        }
      } else {
        outcome.affected = cursor.affected();
      }
      outcomes.push_back(std::move(outcome));
    } while (cursor.next());
    return outcomes;
  }

  std::vector<StatementOutcome> runTranslated(std::string_view sql, RowsWanted wanted,
                                              std::vector<std::string>* translated) {
    return m_batches.run(
        sql, wanted, translated,
        [this](const tsql::Statement& statement, bool readRows) { return execute(statement, readRows); },
        [this] { m_catalog.forget(); });
  }

  // The steps of one translated statement, counted as the embedded backend counts them:
  // every row changed, by the statement and by what it set off.
  StatementOutcome execute(const tsql::Statement& statement, bool readRows) {
    if (!statement.allOrNothing) return executeSteps(statement, readRows);
    { Cursor begin(*this, "SAVEPOINT passaggio_statement", "SAVEPOINT passaggio_statement"); }
    try {
      StatementOutcome outcome = executeSteps(statement, readRows);
      { Cursor release(*this, "RELEASE passaggio_statement", "RELEASE passaggio_statement"); }
      return outcome;
    } catch (...) {
      // Undoing cannot fail where the steps could run; the step's own error is what counts.
      const char* undo = "ROLLBACK TO passaggio_statement; RELEASE passaggio_statement";
      try {
        Cursor rollback(*this, undo, undo);
      } catch (const DbError&) {
      }
      throw;
    }
  }

  StatementOutcome executeSteps(const tsql::Statement& statement, bool readRows) {
    StatementOutcome outcome;
    bool counted = false;
    long long affected = 0;
    for (std::size_t i = 0; i < statement.steps.size(); ++i) {
      const tsql::SqliteStep& step = statement.steps[i];
      const long long before = step.countsRows ? totalChanges() : 0;
      {
        Cursor cursor(*this, statement.tsql, step.sql);
        if (step.countIsValue) {
          counted = true;
          affected += std::atoll(cursor.first().value_or("0").c_str());
          continue;
        }
        if (i + 1 == statement.steps.size() && readRows) outcome.rows = cursor.read(&m_catalog, statement.sources);
      }
      if (step.countsRows) {
        counted = true;
        affected += totalChanges() - before;
      }
    }
    outcome.affected = counted ? affected : -1;
    return outcome;
  }

  long long totalChanges() {
    Cursor cursor(*this, m_aside, "SELECT total_changes()", "SELECT total_changes()");
    return std::atoll(cursor.first().value_or("0").c_str());
  }

  std::string quoteName(std::string_view name) const {
    const char open = m_translates ? '"' : '[';
    const char close = m_translates ? '"' : ']';
    std::string result(1, open);
    for (const char c : name) {
      result += c;
      if (c == close) result += c;
    }
    return result + close;
  }

  std::string literal(const Variant& value) const {
    switch (value.type()) {
      case Variant::Type::Empty:
      case Variant::Type::Null:
        return "NULL";
      case Variant::Type::Boolean:
        return value.toBool() ? "1" : "0";
      case Variant::Type::Integer:
      case Variant::Type::Decimal:
      case Variant::Type::Double:
        return value.toText();
      default:
        return (m_translates ? "" : "N") + quoteLiteral(value.toText());
    }
  }

  // One edit, its values written as literals; on a SQLite database a packed column's value
  // stands inside the expression that writes its byte (tsql/packed_verdicts.h).
  std::optional<Variant> apply(const BatchChanges& changes, const RowChange& change) {
    const std::string table = quoteName(changes.table);
    const std::string keyTest = " WHERE " + quoteName(changes.keyColumn) + " = " + literal(change.key);
    std::vector<tsql::ColumnValue> values;
    std::string names;
    std::string row;
    std::string assignments;
    for (const auto& [column, value] : change.values) {
      values.push_back({column, literal(value)});
      names += (names.empty() ? " (" : ", ") + quoteName(column);
      row += (row.empty() ? "" : ", ") + values.back().value;
      assignments += (assignments.empty() ? "" : ", ") + quoteName(column) + " = " + values.back().value;
    }
    if (!names.empty()) names += ")";
    if (change.kind == RowChange::Kind::Update && change.values.empty()) return std::nullopt;
    if (m_translates) return applyOnSqlite(changes, change, values, keyTest);
    std::string sql;
    switch (change.kind) {
      case RowChange::Kind::Insert:
        sql = values.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                             : "INSERT INTO " + table + names + " VALUES (" + row + ")";
        break;
      case RowChange::Kind::Update:
        sql = "UPDATE " + table + " SET " + assignments + keyTest;
        break;
      case RowChange::Kind::Delete:
        sql = "DELETE FROM " + table + keyTest;
        break;
    }
    if (change.kind != RowChange::Kind::Insert) {
      Cursor cursor(*this, sql, sql);
      return std::nullopt;
    }
    // The new row's identity: SCOPE_IDENTITY() holds only within the batch of the INSERT.
    sql += ";\r\nSELECT CAST(SCOPE_IDENTITY() AS BIGINT)";
    std::optional<std::string> key;
    {
      Cursor cursor(*this, sql, sql);
      // The INSERT's count comes first unless the session has SET NOCOUNT ON.
      if (cursor.hasRows() || cursor.next()) key = cursor.first();
    }
    return key ? Variant(std::atoll(key->c_str())) : Variant::null();
  }

  // On a SQLite database a packed column's value stands inside the expression that writes its
  // byte, and a split table's row is written in both its tables (tsql/verdict_side_table.h).
  std::optional<Variant> applyOnSqlite(const BatchChanges& changes, const RowChange& change,
                                       const std::vector<tsql::ColumnValue>& values, const std::string& keyTest) {
    const auto columns = m_catalog.columns(changes.table);
    const tsql::RowEdit edit = rowEditOf(change.kind);
    std::optional<std::string> key;
    for (const std::string& sql :
         tsql::rowEditStatements(columns ? &*columns : nullptr, changes.table, edit, values, keyTest)) {
      { Cursor cursor(*this, sql, sql); }
      if (edit == tsql::RowEdit::Insert && !key) {
        key = Cursor(*this, "SELECT last_insert_rowid()", "SELECT last_insert_rowid()").first();
      }
    }
    if (edit != tsql::RowEdit::Insert) return std::nullopt;
    return key ? Variant(std::atoll(key->c_str())) : Variant::null();
  }

  std::unique_ptr<Handle> m_environment;
  std::unique_ptr<Handle> m_connection;
  // Disconnects once the statements are freed, before the connection's handle goes.
  struct Disconnect {
    SQLHDBC connection;
    ~Disconnect() { SQLDisconnect(connection); }
  } m_disconnect;
  Handle m_statement;
  Handle m_aside;  // the catalog's and the counts' questions, asked while a result is open
  odbc::Secrets m_secrets;
  bool m_translates;
  SqlCatalog m_catalog;
  TranslatedBatches m_batches;
};

long seconds(const ConnectionString& connection, const char* option, long fallback) {
  const std::string text = connection.option(option);
  return text.empty() ? fallback : std::atol(text.c_str());
}

}  // namespace

std::unique_ptr<Backend> openOdbcBackend(const ConnectionString& connection) {
  const bool translates = connection.dialect() == "sqlite";
  std::string connectText = connection.odbcConnectText();
  if (translates) connectText += ";LoadExt=" PASSAGGIO_SQLITE_EXTENSION;
  odbc::Secrets secrets;
  for (std::string& value : secretsIn(connectText)) secrets.add(std::move(value));
  const long loginTimeout = seconds(connection, "login_timeout", kDefaultLoginTimeout);
  auto environment = std::make_unique<Handle>(SQL_HANDLE_ENV, static_cast<SQLHANDLE>(SQL_NULL_HANDLE));
  SQLSetEnvAttr(environment->get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  auto handle = std::make_unique<Handle>(SQL_HANDLE_DBC, environment->get());
  SQLSetConnectAttr(handle->get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(loginTimeout), 0);
  SQLSetConnectAttr(handle->get(), SQL_ATTR_CONNECTION_TIMEOUT, reinterpret_cast<SQLPOINTER>(loginTimeout), 0);
  const SQLRETURN rc =
      SQLDriverConnect(handle->get(), nullptr, reinterpret_cast<SQLCHAR*>(connectText.data()),
                       static_cast<SQLSMALLINT>(connectText.size()), nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    throw odbc::connectError(odbc::diagnostics(*handle), connection.target, static_cast<int>(loginTimeout), secrets);
  }
  return std::make_unique<OdbcBackend>(std::move(environment), std::move(handle), translates, connection.passes(),
                                       seconds(connection, "query_timeout", 0), std::move(secrets));
}

}  // namespace platform::db

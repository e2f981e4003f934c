// Prepared statements with bound parameters; values are bound as the layer would store the
// same T-SQL literal, so a generated file holds what the demo's INSERT statements would.
#include "sql/sqlite_sink.h"

#include <sqlite3.h>

namespace sql {

void execSqlite(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    throw SqliteError(text + " (in: " + sql.substr(0, 200) + ")");
  }
}

class SqliteSink::TableImpl : public RowSink::Table {
 public:
  TableImpl(sqlite3* db, std::string_view table, const std::vector<std::string>& columns)
      : m_db(db), m_columnCount(columns.size()) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      sql += (i ? ", " : "") + columns[i];
      marks += i ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr) != SQLITE_OK) {
      throw SqliteError(std::string(sqlite3_errmsg(db)) + " (in: " + sql + ")");
    }
  }
  ~TableImpl() override { sqlite3_finalize(m_statement); }
  TableImpl(const TableImpl&) = delete;
  TableImpl& operator=(const TableImpl&) = delete;

  void insert(std::initializer_list<Variant> values) override {
    if (values.size() != m_columnCount) throw SqliteError(std::string("row does not match the columns of ") + sqlite3_sql(m_statement));
    int index = 1;
    for (const Variant& value : values) bind(index++, value);
    int rc = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    if (rc != SQLITE_DONE) throw SqliteError(std::string(sqlite3_errmsg(m_db)) + " (in: " + sqlite3_sql(m_statement) + ")");
  }

 private:
  void bind(int index, const Variant& value) {
    int rc = SQLITE_OK;
    switch (value.type()) {
      case Variant::Type::Empty:
      case Variant::Type::Null:
        rc = sqlite3_bind_null(m_statement, index);
        break;
      case Variant::Type::Integer:
        rc = sqlite3_bind_int64(m_statement, index, value.toInteger());
        break;
      case Variant::Type::Boolean:
        rc = sqlite3_bind_int(m_statement, index, value.toBool() ? 1 : 0);
        break;
      case Variant::Type::Double:
        rc = sqlite3_bind_double(m_statement, index, value.toDouble());
        break;
      case Variant::Type::Text:
        rc = sqlite3_bind_text(m_statement, index, value.text().data(), static_cast<int>(value.text().size()),
                               SQLITE_STATIC);
        break;
      case Variant::Type::Decimal:
      case Variant::Type::Date: {
        // As text: the column's numeric affinity converts a decimal exactly as it converts
        // the literal, and dates are stored as the layer stores them.
        std::string text = value.toText();
        rc = sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
      }
      case Variant::Type::Array:
      case Variant::Type::Object:
        throw SqliteError("cannot store a value of type " + std::string(typeName(value.type())));
    }
    if (rc != SQLITE_OK) throw SqliteError(sqlite3_errmsg(m_db));
  }

  sqlite3* m_db;
  std::size_t m_columnCount;
  sqlite3_stmt* m_statement = nullptr;
};

SqliteSink::SqliteSink(sqlite3* db) : m_db(db) {}
SqliteSink::~SqliteSink() = default;

RowSink::Table& SqliteSink::table(std::string_view table, std::vector<std::string> columns) {
  m_tables.push_back(std::make_unique<TableImpl>(m_db, table, columns));
  return *m_tables.back();
}

}  // namespace sql

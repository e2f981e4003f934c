// T-SQL literals and the connection-backed row sink.
#include "sql/row_sink.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/db/connection.h"
#include "platform/db/sql_literal.h"

namespace sql {

std::string tsqlLiteral(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      return "NULL";
    case Variant::Type::Integer:
    case Variant::Type::Decimal:
      return value.toText();
    case Variant::Type::Boolean:
      return value.toBool() ? "1" : "0";
    case Variant::Type::Double: {
      double number = value.toDouble();
      if (!std::isfinite(number)) throw std::invalid_argument("no T-SQL literal for a non-finite number");
      char buffer[64];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
      return std::string(buffer, result.ptr);
    }
    case Variant::Type::Text:
    case Variant::Type::Date:
      return platform::db::quoteLiteral(value.toText());
    case Variant::Type::Array:
    case Variant::Type::Object:
      break;
  }
  throw std::invalid_argument("no T-SQL literal for a value of type " + std::string(typeName(value.type())));
}

class ConnectionSink::TableImpl : public RowSink::Table {
 public:
  TableImpl(ConnectionSink& sink, std::string_view table, const std::vector<std::string>& columns)
      : m_sink(sink), m_columnCount(columns.size()) {
    m_prefix = "INSERT INTO " + std::string(table) + " ( ";
    for (std::size_t i = 0; i < columns.size(); ++i) m_prefix += (i ? " , " : "") + columns[i];
    m_prefix += " ) VALUES\n";
  }

  void insert(std::initializer_list<Variant> values) override {
    if (values.size() != m_columnCount) throw std::invalid_argument("row does not match the columns: " + m_prefix);
    m_rows += m_pending == 0 ? "  ( " : ",\n  ( ";
    bool first = true;
    for (const Variant& value : values) {
      if (!first) m_rows += " , ";
      m_rows += tsqlLiteral(value);
      first = false;
    }
    m_rows += " )";
    if (++m_pending >= m_sink.m_rowsPerStatement) flush();
  }

  void flush() {
    if (m_pending == 0) return;
    std::string statement = m_prefix + m_rows;
    m_rows.clear();
    m_pending = 0;
    m_sink.m_execute(statement);
  }

 private:
  ConnectionSink& m_sink;
  std::size_t m_columnCount;
  std::string m_prefix;
  std::string m_rows;
  std::size_t m_pending = 0;
};

ConnectionSink::ConnectionSink(platform::db::Connection& connection, std::size_t rowsPerStatement)
    : ConnectionSink([&connection](const std::string& statement) { connection.Execute(statement); },
                     rowsPerStatement) {}

ConnectionSink::ConnectionSink(std::function<void(const std::string&)> execute, std::size_t rowsPerStatement)
    : m_execute(std::move(execute)), m_rowsPerStatement(rowsPerStatement == 0 ? 1 : rowsPerStatement) {}

ConnectionSink::~ConnectionSink() = default;

RowSink::Table& ConnectionSink::table(std::string_view table, std::vector<std::string> columns) {
  m_tables.push_back(std::make_unique<TableImpl>(*this, table, columns));
  return *m_tables.back();
}

void ConnectionSink::flush() {
  for (auto& table : m_tables) table->flush();
}

}  // namespace sql

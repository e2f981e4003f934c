// The translator's view of a SQLite database: the declared columns of its tables and views.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/tsql/translator.h"

struct sqlite3;

namespace platform::db::sqlite {

//! A column as SQLite's catalogue describes it.
struct DeclaredColumn {
  std::string name;
  std::string type;       // as declared
  bool primaryKey = false;
  std::string collation;  // as declared; "BINARY" when none
  std::string defaultValue;  // as declared; empty when none
};

//! Lists a table's declared columns in order; empty when there is no such table.
using DeclaredColumns = std::function<std::vector<DeclaredColumn>(const std::string& table)>;

//! The translator's columns of a table, nullopt when there is none. A packed table's columns
//! (tsql/packed_verdicts.h) stand in their BLOB's place, as its layout table declares them; a
//! split table's side columns (tsql/verdict_side_table.h) follow its own ones.
std::optional<std::vector<tsql::CatalogColumn>> catalogColumns(std::string_view table, const DeclaredColumns& declared);

// The catalogue's queries, through SQL alone so that both transports ask the same; TABLE stands
// for the table's name (a literal, or a parameter where the C API binds it).

//! A table's columns as DeclaredColumn's fields, in order. The collation comes from
//! passaggio_collation(), registered with the T-SQL functions.
inline constexpr const char* kDeclaredColumnsQuery =
    "SELECT name, type, pk, passaggio_collation(TABLE, name), dflt_value FROM pragma_table_xinfo(TABLE) "
    "WHERE hidden = 0";

//! The columns that lead one of a table's indexes.
inline constexpr const char* kIndexLeadersQuery =
    "SELECT DISTINCT i.name FROM pragma_index_list(TABLE) AS l, pragma_index_info(l.name) AS i WHERE i.seqno = 0";

//! One of the queries above for one table: `table` is its name as a literal, or "?1".
std::string queryForTable(std::string_view query, std::string_view table);

//! A row of kDeclaredColumnsQuery as a column (NULL is an empty text).
DeclaredColumn declaredColumn(const std::vector<std::optional<std::string>>& row);

class SqliteCatalog : public tsql::Catalog {
 public:
  explicit SqliteCatalog(sqlite3* db) : m_db(db) {}
  std::optional<std::vector<tsql::CatalogColumn>> columns(std::string_view table) const override;
  std::vector<std::string> indexLeaders(std::string_view table) const override;

 private:
  //! The rows of one of the catalogue's queries for a table, as texts.
  std::vector<std::vector<std::optional<std::string>>> rows(std::string_view query, std::string_view table) const;
  std::vector<DeclaredColumn> declared(const std::string& table) const;

  sqlite3* m_db;
};

}  // namespace platform::db::sqlite

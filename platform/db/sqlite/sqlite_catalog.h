// The translator's view of a SQLite database: the declared columns of its tables and views.
#pragma once

#include "platform/db/tsql/translator.h"

struct sqlite3;

namespace platform::db::sqlite {

class SqliteCatalog : public tsql::Catalog {
 public:
  explicit SqliteCatalog(sqlite3* db) : m_db(db) {}
  std::optional<std::vector<tsql::CatalogColumn>> columns(std::string_view table) const override;

 private:
  sqlite3* m_db;
};

}  // namespace platform::db::sqlite

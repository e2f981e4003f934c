// A static, client-side record set: every row read at open, the row count known, free
// movement with bookmarks, values by field name or index, and edits kept on the client until
// a batch update writes them to the base table by its key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/result_data.h"

namespace platform::db {

struct ConnectionState;

class Recordset {
 public:
  using Bookmark = std::int64_t;

  //! A record set over already-read rows; `connection` serves Requery and UpdateBatch.
  Recordset(std::shared_ptr<ConnectionState> connection, std::string sql, ResultData data);

  const std::string& Source() const { return m_sql; }
  bool IsOpen() const { return m_open; }
  void Close();

  std::size_t RecordCount() const;  // rows not deleted
  bool Eof() const;                 // past the last row (or no rows)
  bool Bof() const;                 // before the first row (or no rows)
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  //! 1-based position of the current row, 0 when at BOF or EOF.
  std::size_t AbsolutePosition() const;
  //! Moves to the 1-based position; out of range moves to EOF.
  void SetAbsolutePosition(std::size_t position);
  Bookmark GetBookmark() const;
  void MoveToBookmark(Bookmark bookmark);

  std::size_t FieldCount() const { return m_data.columns.size(); }
  const ColumnInfo& Column(std::size_t index) const;
  //! Index of a field, by name without regard to letter case; throws DbError when unknown.
  std::size_t FieldIndex(std::string_view name) const;
  bool HasField(std::string_view name) const;
  const Variant& Field(std::string_view name) const;
  const Variant& Field(std::size_t index) const;

  //! Changes a field of the current row (client side until UpdateBatch).
  void SetField(std::string_view name, Variant value);
  //! Adds a new row, empty but for the values set afterwards, and makes it current.
  void AddNew();
  //! Marks the current row deleted and moves to the next.
  void Delete();
  //! Writes every pending insert, change and delete to the base table by its key.
  void UpdateBatch();
  //! Drops every pending edit.
  void CancelBatch();
  bool HasPendingChanges() const;

  //! Runs the query again on its connection; the position goes back to the first row.
  void Requery();

 private:
  struct Entry {
    Row values;
    Row original;
    Bookmark bookmark = 0;
    bool inserted = false;
    bool changed = false;
    bool deleted = false;
  };

  void load(ResultData data);
  const Entry& current() const;
  Entry& current();
  void skipDeleted(int direction);
  std::pair<std::string, std::string> baseTableAndKey() const;

  std::shared_ptr<ConnectionState> m_connection;
  std::string m_sql;
  ResultData m_data;  // columns only; rows live in m_entries
  std::vector<Entry> m_entries;
  std::size_t m_deleted = 0;  // entries marked deleted: counting them at every move made walks quadratic
  std::ptrdiff_t m_position = -1;  // index into m_entries; -1 = BOF, size() = EOF
  Bookmark m_nextBookmark = 1;
  bool m_open = true;
};

}  // namespace platform::db

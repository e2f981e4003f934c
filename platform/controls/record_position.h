// Remembers where a record set stands and goes back there when it goes out of scope, so a
// grid can read other rows for the renderer without moving the user's current row.
#pragma once

#include <cstddef>

#include "platform/db/recordset.h"

namespace platform::controls {

class RecordPosition {
 public:
  explicit RecordPosition(db::Recordset& rows);
  ~RecordPosition();
  RecordPosition(const RecordPosition&) = delete;
  RecordPosition& operator=(const RecordPosition&) = delete;

 private:
  db::Recordset& m_rows;
  bool m_atRow = false;
  db::Recordset::Bookmark m_bookmark = 0;
  bool m_eof = false;
};

}  // namespace platform::controls

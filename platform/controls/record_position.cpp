// Remembers where a record set stands.
#include "platform/controls/record_position.h"

namespace platform::controls {

RecordPosition::RecordPosition(db::Recordset& rows) : m_rows(rows) {
  m_atRow = !rows.Eof() && !rows.Bof();
  if (m_atRow) {
    m_bookmark = rows.GetBookmark();
  } else {
    m_eof = rows.Eof();
  }
}

RecordPosition::~RecordPosition() {
  if (m_atRow) {
    m_rows.MoveToBookmark(m_bookmark);
  } else if (m_rows.RecordCount() > 0) {
    if (m_eof) {
      m_rows.MoveLast();
      m_rows.MoveNext();
    } else {
      m_rows.MoveFirst();
      m_rows.MovePrevious();
    }
  }
}

}  // namespace platform::controls

// A record editor: edits the current row of a record set through the controls bound to its
// columns, with a grid that shows the rows and a navigator whose buttons drive it. It copies
// the row into the controls when a row is shown and the controls into the row when it saves,
// asks the form before saving and deleting, and tells it when its status changes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/event.h"
#include "platform/db/recordset.h"

namespace platform::db {
class Connection;
}

namespace platform::controls {

class BoundControl;
class Grid;
class GridNavigator;

class RecordEditor {
 public:
  static constexpr int kStatusSaved = 0;    // a saved row is shown
  static constexpr int kStatusEditing = 1;  // the user changed a saved row
  static constexpr int kStatusNew = 2;      // a new row is being entered

  RecordEditor();
  ~RecordEditor();
  RecordEditor(const RecordEditor&) = delete;
  RecordEditor& operator=(const RecordEditor&) = delete;

  //! Sets up the editor on a record set opened from `queryText` on `connection`. The grid
  //! (optional) shows the same record set and its current row is the editor's; the navigator
  //! (optional) is attached to this editor and the grid.
  void initialise(db::Connection* connection, std::shared_ptr<db::Recordset> rows, std::string queryText,
                  GridNavigator* navigator, Grid* grid);

  //! Binds a control to its data field. Registering it again moves it to the end.
  void registerControl(BoundControl& control);
  //! Unbinds a control by name; nothing when it is not bound.
  void removeControl(std::string_view name);
  //! The control whose column identifies a row (used by the key query).
  void setKeyControl(BoundControl& control);
  const std::vector<BoundControl*>& boundControls() const { return m_controls; }

  int status() const { return m_status; }
  const std::shared_ptr<db::Recordset>& recordset() const { return m_rows; }
  //! Replaces the record set (the form reopened it on a new query); the grid shows it too.
  void setRecordset(std::shared_ptr<db::Recordset> rows);
  const std::string& queryText() const { return m_queryText; }
  void setQueryText(std::string queryText) { m_queryText = std::move(queryText); }
  //! Opens the query text again on the connection and shows its first row.
  void requery();
  //! Drops pending edits and a new row, and shows the current row again (or empties the
  //! controls when there is none), without raising events.
  void reset();

  //! Looks for a saved row whose key column holds the key control's value. When found and
  //! `showFound` is set, that row is shown; a new row being entered is dropped for it only
  //! when `dropNewRow` is set (otherwise the editor stays on the new row). True when found.
  bool keyQuery(bool showFound, bool dropNewRow);

  // --- What the navigator does --------------------------------------------------------
  //! Starts a new row: the controls take their defaults and the status becomes 2.
  bool addNew();
  //! Copies the controls into the row and raises onBeforeSave; when cancelled the row goes
  //! back to what it held and the controls keep what the user entered. Otherwise the record
  //! set's batch update writes it and the saved row is shown (status 0).
  bool save();
  //! Raises onBeforeDelete; unless cancelled deletes the current saved row, writes the
  //! deletion and shows the next row (or the last).
  bool remove();
  //! Drops the new row or the user's changes and shows the saved row again.
  void cancel();
  enum class Move { First, Previous, Next, Last };
  //! Moves through the grid (which may cancel) or, without a grid, the record set itself.
  bool move(Move where);

  //! Shows the record set's current row in the bound controls (status 0, raising
  //! onStatusChange) or, when there is no current row, empties them.
  void showCurrentRow();

  // --- Events -------------------------------------------------------------------------
  //! (cancel)
  Event<bool&> onBeforeSave;
  //! (cancel)
  Event<bool&> onBeforeDelete;
  //! (new status): 0 each time a saved row is shown, 2 when a new row starts, 1 when the
  //! user first changes a saved row.
  Event<int> onStatusChange;

 private:
  friend class BoundControl;
  friend class Grid;
  friend class GridNavigator;

  void boundControlEdited();
  void leavingRow();
  void dropNewRow();
  void loadDefaults();
  void setStatus(int status);
  bool hasCurrentRow() const;
  void forget(BoundControl& control);
  void forgetGrid() { m_grid = nullptr; }
  void forgetNavigator() { m_navigator = nullptr; }

  db::Connection* m_connection = nullptr;
  std::shared_ptr<db::Recordset> m_rows;
  std::string m_queryText;
  GridNavigator* m_navigator = nullptr;
  Grid* m_grid = nullptr;
  std::vector<BoundControl*> m_controls;
  BoundControl* m_keyControl = nullptr;
  int m_status = kStatusSaved;
  std::optional<db::Recordset::Bookmark> m_beforeNew;  // the row shown when a new row started
};

}  // namespace platform::controls

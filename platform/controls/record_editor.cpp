// A record editor.
#include "platform/controls/record_editor.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/controls/bound_control.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/record_position.h"
#include "platform/db/connection.h"
#include "platform/text/ascii.h"
#include "platform/text/letter_case.h"

namespace platform::controls {

RecordEditor::RecordEditor() = default;

RecordEditor::~RecordEditor() {
  for (BoundControl* control : m_controls) control->m_editor = nullptr;
  if (m_grid != nullptr) m_grid->m_editor = nullptr;
  if (m_navigator != nullptr) m_navigator->forgetEditor();
}

void RecordEditor::initialise(db::Connection* connection, std::shared_ptr<db::Recordset> rows, std::string queryText,
                              GridNavigator* navigator, Grid* grid) {
  if (m_grid != nullptr && m_grid != grid) m_grid->m_editor = nullptr;
  m_connection = connection;
  m_queryText = std::move(queryText);
  m_grid = grid;
  if (m_grid != nullptr) {
    if (m_grid->m_editor != nullptr && m_grid->m_editor != this) m_grid->m_editor->forgetGrid();
    m_grid->m_editor = this;
  }
  if (navigator != nullptr) navigator->attach(*this, grid);
  setRecordset(std::move(rows));
}

void RecordEditor::registerControl(BoundControl& control) {
  if (control.dataField().empty()) throw std::invalid_argument("control " + control.name() + " is bound to no field");
  if (control.m_editor != nullptr && control.m_editor != this) control.m_editor->forget(control);
  std::erase(m_controls, &control);
  m_controls.push_back(&control);
  control.m_editor = this;
}

void RecordEditor::removeControl(std::string_view name) {
  auto found = std::find_if(m_controls.begin(), m_controls.end(),
                            [&](const BoundControl* control) { return text::equalsIgnoringCase(control->name(), name); });
  if (found == m_controls.end()) return;
  (*found)->m_editor = nullptr;
  forget(**found);
}

void RecordEditor::forget(BoundControl& control) {
  std::erase(m_controls, &control);
  if (m_keyControl == &control) m_keyControl = nullptr;
}

void RecordEditor::setKeyControl(BoundControl& control) { m_keyControl = &control; }

void RecordEditor::setRecordset(std::shared_ptr<db::Recordset> rows) {
  m_rows = std::move(rows);
  m_status = kStatusSaved;
  m_beforeNew.reset();
  if (m_grid != nullptr) {
    m_grid->setDataSource(m_rows);  // shows the current row through this editor
    if (!m_rows) showCurrentRow();
  } else {
    showCurrentRow();
  }
}

void RecordEditor::requery() {
  if (m_connection == nullptr) throw std::logic_error("the record editor has no connection");
  setRecordset(m_connection->Open(m_queryText));
}

void RecordEditor::reset() {
  if (m_status == kStatusNew && m_rows) dropNewRow();
  m_status = kStatusSaved;
  loadDefaults();
  if (m_grid != nullptr) m_grid->refresh();
}

bool RecordEditor::hasCurrentRow() const { return m_rows && !m_rows->Eof() && !m_rows->Bof(); }

void RecordEditor::showCurrentRow() {
  if (!hasCurrentRow()) {
    m_status = kStatusSaved;
    loadDefaults();
    return;
  }
  for (BoundControl* control : std::vector<BoundControl*>(m_controls)) {
    control->loadBoundValue(m_rows->Field(control->dataField()));
  }
  m_status = kStatusSaved;
  onStatusChange.raise(kStatusSaved);
}

void RecordEditor::loadDefaults() {
  for (BoundControl* control : std::vector<BoundControl*>(m_controls)) control->loadBoundValue(control->defaultValue());
}

void RecordEditor::setStatus(int status) {
  if (status == m_status) return;
  m_status = status;
  onStatusChange.raise(status);
}

void RecordEditor::boundControlEdited() {
  if (m_status == kStatusSaved && hasCurrentRow()) setStatus(kStatusEditing);
}

void RecordEditor::leavingRow() {
  if (m_status == kStatusNew && m_rows) {
    m_rows->CancelBatch();
    m_beforeNew.reset();
  }
}

void RecordEditor::dropNewRow() {
  m_rows->CancelBatch();
  if (m_beforeNew) {
    m_rows->MoveToBookmark(*m_beforeNew);
  } else if (m_rows->RecordCount() > 0) {
    m_rows->MoveFirst();
  }
  m_beforeNew.reset();
}

bool RecordEditor::addNew() {
  if (!m_rows || m_status == kStatusNew) return false;
  m_beforeNew.reset();
  if (hasCurrentRow()) m_beforeNew = m_rows->GetBookmark();
  m_rows->AddNew();
  m_status = kStatusNew;
  loadDefaults();
  onStatusChange.raise(kStatusNew);
  if (m_grid != nullptr) m_grid->refresh();
  return true;
}

bool RecordEditor::save() {
  if (!hasCurrentRow()) return false;
  // What the row held, so a cancelled save leaves it as it was.
  std::vector<Variant> before;
  for (std::size_t i = 0; i < m_rows->FieldCount(); ++i) before.push_back(m_rows->Field(i));

  for (const BoundControl* control : m_controls) m_rows->SetField(control->dataField(), control->boundValue());
  bool cancel = false;
  onBeforeSave.raise(cancel);
  if (cancel) {
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (!(m_rows->Field(i) == before[i])) m_rows->SetField(m_rows->Column(i).name, before[i]);
    }
    return false;
  }

  m_rows->UpdateBatch();
  m_beforeNew.reset();
  showCurrentRow();
  if (m_grid != nullptr) m_grid->refresh();
  return true;
}

bool RecordEditor::remove() {
  if (!hasCurrentRow() || m_status == kStatusNew) return false;
  bool cancel = false;
  onBeforeDelete.raise(cancel);
  if (cancel) return false;
  m_rows->Delete();
  // The row after the deleted one is shown; its bookmark survives the batch update, which
  // drops the deleted row from the record set.
  std::optional<db::Recordset::Bookmark> next;
  if (!m_rows->Eof()) next = m_rows->GetBookmark();
  m_rows->UpdateBatch();
  if (next) {
    m_rows->MoveToBookmark(*next);
  } else if (m_rows->RecordCount() > 0) {
    m_rows->MoveLast();
  }
  showCurrentRow();
  if (m_grid != nullptr) m_grid->refresh();
  return true;
}

void RecordEditor::cancel() {
  if (m_status == kStatusSaved) return;
  if (m_status == kStatusNew) dropNewRow();
  showCurrentRow();
  if (m_grid != nullptr) m_grid->refresh();
}

bool RecordEditor::move(Move where) {
  if (!m_rows || m_status != kStatusSaved) return false;
  const std::size_t count = m_rows->RecordCount();
  if (count == 0) return false;
  const std::optional<std::size_t> current =
      hasCurrentRow() ? std::optional<std::size_t>(m_rows->AbsolutePosition() - 1) : std::nullopt;
  std::size_t target = 0;
  switch (where) {
    case Move::First: target = 0; break;
    case Move::Last: target = count - 1; break;
    case Move::Next: target = current ? *current + 1 : 0; break;
    case Move::Previous:
      if (!current || *current == 0) return false;
      target = *current - 1;
      break;
  }
  if (target >= count) return false;
  if (m_grid != nullptr && m_grid->dataSource() == m_rows) return m_grid->setCurrentRow(target);
  m_rows->SetAbsolutePosition(target + 1);
  showCurrentRow();
  return true;
}

bool RecordEditor::keyQuery(bool showFound, bool dropNewRow) {
  if (!m_rows || m_keyControl == nullptr || m_rows->RecordCount() == 0) return false;
  const std::string key = m_keyControl->boundValue().toText();
  if (key.empty()) return false;
  const std::string& field = m_keyControl->dataField();
  std::optional<db::Recordset::Bookmark> newRow;
  if (m_status == kStatusNew && hasCurrentRow()) newRow = m_rows->GetBookmark();

  std::optional<db::Recordset::Bookmark> found;
  {
    RecordPosition keep(*m_rows);
    for (m_rows->MoveFirst(); !m_rows->Eof(); m_rows->MoveNext()) {
      if (newRow && m_rows->GetBookmark() == *newRow) continue;
      if (text::sameCode(m_rows->Field(field).toText(), key)) {
        found = m_rows->GetBookmark();
        break;
      }
    }
  }
  if (!found) return false;
  if (!showFound) return true;
  if (m_status == kStatusNew) {
    if (!dropNewRow) return true;
    m_rows->CancelBatch();
    m_beforeNew.reset();
  }
  m_rows->MoveToBookmark(*found);
  showCurrentRow();
  if (m_grid != nullptr) m_grid->refresh();
  return true;
}

}  // namespace platform::controls

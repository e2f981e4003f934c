// The client-side record set: navigation over rows read once, and batch edits written back
// to the base table by its key.
#include "platform/db/recordset.h"

#include <algorithm>

#include "platform/db/connection_state.h"
#include "platform/db/db_error.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

constexpr const char* kSource = "passaggio.db.recordset";

[[noreturn]] void fail(const std::string& description) {
  throw makeError(kStatementErrorNumber, description, kSource);
}

}  // namespace

Recordset::Recordset(std::shared_ptr<ConnectionState> connection, std::string sql, ResultData data)
    : m_connection(std::move(connection)), m_sql(std::move(sql)) {
  load(std::move(data));
}

void Recordset::load(ResultData data) {
  m_entries.clear();
  m_deleted = 0;
  m_entries.reserve(data.rows.size());
  for (Row& row : data.rows) m_entries.push_back(Entry{std::move(row), {}, m_nextBookmark++, false, false, false});
  data.rows.clear();
  m_data = std::move(data);
  m_position = m_entries.empty() ? 0 : -1;
  MoveFirst();
}

void Recordset::Close() {
  m_open = false;
  m_entries.clear();
  m_deleted = 0;
  m_position = 0;
}

std::size_t Recordset::RecordCount() const {
  return m_entries.size() - m_deleted;
}

bool Recordset::Eof() const { return m_position >= static_cast<std::ptrdiff_t>(m_entries.size()) || RecordCount() == 0; }

bool Recordset::Bof() const { return m_position < 0 || RecordCount() == 0; }

void Recordset::skipDeleted(int direction) {
  while (m_position >= 0 && m_position < static_cast<std::ptrdiff_t>(m_entries.size()) &&
         m_entries[static_cast<std::size_t>(m_position)].deleted) {
    m_position += direction;
  }
}

void Recordset::MoveFirst() {
  m_position = 0;
  skipDeleted(+1);
}

void Recordset::MoveLast() {
  m_position = static_cast<std::ptrdiff_t>(m_entries.size()) - 1;
  skipDeleted(-1);
  if (m_position < 0) m_position = static_cast<std::ptrdiff_t>(m_entries.size());
}

void Recordset::MoveNext() {
  if (Eof()) fail("Il record set è già oltre l'ultima riga (EOF).");
  ++m_position;
  skipDeleted(+1);
}

void Recordset::MovePrevious() {
  if (Bof()) fail("Il record set è già prima della prima riga (BOF).");
  --m_position;
  skipDeleted(-1);
}

std::size_t Recordset::AbsolutePosition() const {
  if (Bof() || Eof()) return 0;
  std::size_t position = 0;
  for (std::ptrdiff_t i = 0; i <= m_position; ++i) position += !m_entries[static_cast<std::size_t>(i)].deleted;
  return position;
}

void Recordset::SetAbsolutePosition(std::size_t position) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (!m_entries[i].deleted && ++seen == position) {
      m_position = static_cast<std::ptrdiff_t>(i);
      return;
    }
  }
  m_position = static_cast<std::ptrdiff_t>(m_entries.size());
}

Recordset::Bookmark Recordset::GetBookmark() const { return current().bookmark; }

void Recordset::MoveToBookmark(Bookmark bookmark) {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
    return entry.bookmark == bookmark && !entry.deleted;
  });
  if (found == m_entries.end()) fail("Segnalibro non valido per questo record set.");
  m_position = found - m_entries.begin();
}

const ColumnInfo& Recordset::Column(std::size_t index) const {
  if (index >= m_data.columns.size()) fail("Indice di campo fuori intervallo: " + std::to_string(index));
  return m_data.columns[index];
}

std::size_t Recordset::FieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < m_data.columns.size(); ++i) {
    if (platform::text::equalsIgnoringCase(m_data.columns[i].name, name)) return i;
  }
  fail("Campo non trovato nel record set: " + std::string(name));
}

bool Recordset::HasField(std::string_view name) const {
  return std::any_of(m_data.columns.begin(), m_data.columns.end(),
                     [&](const ColumnInfo& column) { return platform::text::equalsIgnoringCase(column.name, name); });
}

const Recordset::Entry& Recordset::current() const {
  if (!m_open) fail("Il record set è chiuso.");
  if (Bof() || Eof()) fail("Nessuna riga corrente: il record set è all'inizio o alla fine (BOF o EOF).");
  return m_entries[static_cast<std::size_t>(m_position)];
}

Recordset::Entry& Recordset::current() {
  return const_cast<Entry&>(static_cast<const Recordset&>(*this).current());
}

const Variant& Recordset::Field(std::string_view name) const { return current().values[FieldIndex(name)]; }

const Variant& Recordset::Field(std::size_t index) const {
  const Entry& entry = current();
  if (index >= entry.values.size()) fail("Indice di campo fuori intervallo: " + std::to_string(index));
  return entry.values[index];
}

void Recordset::SetField(std::string_view name, Variant value) {
  const std::size_t index = FieldIndex(name);
  Entry& entry = current();
  if (!entry.inserted && !entry.changed) entry.original = entry.values;
  entry.values[index] = std::move(value);
  entry.changed = true;
}

void Recordset::AddNew() {
  if (!m_open) fail("Il record set è chiuso.");
  m_entries.push_back(Entry{Row(m_data.columns.size(), Variant::null()), {}, m_nextBookmark++, true, false, false});
  m_position = static_cast<std::ptrdiff_t>(m_entries.size()) - 1;
}

void Recordset::Delete() {
  Entry& entry = current();
  if (!entry.deleted) ++m_deleted;
  entry.deleted = true;
  MoveNext();
}

bool Recordset::HasPendingChanges() const {
  return std::any_of(m_entries.begin(), m_entries.end(),
                     [](const Entry& entry) { return entry.inserted || entry.changed || entry.deleted; });
}

std::pair<std::string, std::string> Recordset::baseTableAndKey() const {
  for (const ColumnInfo& column : m_data.columns) {
    if (column.isKey) return {column.baseTable, column.baseColumn};
  }
  fail("Il record set non ha una chiave: impossibile salvare le modifiche sulla tabella.");
}

void Recordset::UpdateBatch() {
  if (!HasPendingChanges()) return;
  if (!m_connection) fail("Il record set non ha una connessione su cui salvare.");
  const auto [table, keyColumn] = baseTableAndKey();
  const std::size_t keyIndex = FieldIndex(keyColumn);
  BatchChanges batch{table, keyColumn, {}};
  std::vector<Entry*> inserted;
  for (Entry& entry : m_entries) {
    if (entry.inserted && entry.deleted) continue;
    RowChange change;
    if (entry.deleted) {
      change.kind = RowChange::Kind::Delete;
      change.key = entry.values[keyIndex];
    } else if (entry.inserted || entry.changed) {
      change.kind = entry.inserted ? RowChange::Kind::Insert : RowChange::Kind::Update;
      change.key = entry.changed && !entry.inserted ? entry.original[keyIndex] : entry.values[keyIndex];
      for (std::size_t i = 0; i < m_data.columns.size(); ++i) {
        const ColumnInfo& column = m_data.columns[i];
        // Only the base table's own columns are written, and the key never by an insert.
        if (!platform::text::equalsIgnoringCase(column.baseTable, table) || column.baseColumn.empty()) continue;
        if (entry.inserted && i == keyIndex) continue;
        if (!entry.inserted && entry.values[i] == entry.original[i]) continue;
        if (entry.inserted && entry.values[i].isNull()) continue;
        change.values.emplace_back(column.baseColumn, entry.values[i]);
      }
      if (entry.inserted) inserted.push_back(&entry);
    } else {
      continue;
    }
    batch.changes.push_back(std::move(change));
  }
  const std::vector<Variant> keys = m_connection->applyChanges(batch);
  for (std::size_t i = 0; i < inserted.size() && i < keys.size(); ++i) inserted[i]->values[keyIndex] = keys[i];
  // Dropping the deleted rows shifts indexes: stay on the same row, or at the end.
  const bool atRow = !Bof() && !Eof();
  const Bookmark here = atRow ? current().bookmark : 0;
  std::erase_if(m_entries, [](const Entry& entry) { return entry.deleted; });
  m_deleted = 0;
  for (Entry& entry : m_entries) {
    entry.inserted = entry.changed = false;
    entry.original.clear();
  }
  if (atRow) {
    MoveToBookmark(here);
  } else if (m_position >= 0) {
    m_position = static_cast<std::ptrdiff_t>(m_entries.size());
  }
}

void Recordset::CancelBatch() {
  std::erase_if(m_entries, [](const Entry& entry) { return entry.inserted; });
  for (Entry& entry : m_entries) {
    if (entry.changed) entry.values = entry.original;
    entry.changed = entry.deleted = false;
    entry.original.clear();
  }
  m_deleted = 0;
  MoveFirst();
}

void Recordset::Requery() {
  if (!m_connection) fail("Il record set non ha una connessione su cui rileggere.");
  std::vector<StatementOutcome> outcomes = m_connection->run(m_sql, RowsWanted::First);
  ResultData data;
  for (StatementOutcome& outcome : outcomes) {
    if (outcome.rows) {
      data = std::move(*outcome.rows);
      break;
    }
  }
  m_open = true;
  load(std::move(data));
}

}  // namespace platform::db

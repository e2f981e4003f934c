// The values of one grid row, read by name.
#include "platform/controls/row_values.h"

#include "platform/text/ascii.h"

namespace platform::controls {
namespace {

const Variant kMissing;
const std::vector<std::string> kNoFields;

}  // namespace

RowValues::RowValues(std::shared_ptr<const std::vector<std::string>> fields, db::Row values)
    : m_fields(std::move(fields)), m_values(std::move(values)) {}

RowValues RowValues::current(const db::Recordset& rows) {
  db::Row values;
  if (!rows.Eof() && !rows.Bof()) {
    for (std::size_t i = 0; i < rows.FieldCount(); ++i) values.push_back(rows.Field(i));
  }
  return RowValues(fieldNames(rows), std::move(values));
}

const Variant& RowValues::operator[](std::string_view field) const {
  if (!m_fields) return kMissing;
  for (std::size_t i = 0; i < m_fields->size() && i < m_values.size(); ++i) {
    if (text::equalsIgnoringCase((*m_fields)[i], field)) return m_values[i];
  }
  return kMissing;
}

bool RowValues::has(std::string_view field) const {
  if (!m_fields) return false;
  for (const std::string& name : *m_fields) {
    if (text::equalsIgnoringCase(name, field)) return true;
  }
  return false;
}

const std::vector<std::string>& RowValues::fields() const { return m_fields ? *m_fields : kNoFields; }

std::shared_ptr<const std::vector<std::string>> fieldNames(const db::Recordset& rows) {
  auto names = std::make_shared<std::vector<std::string>>();
  for (std::size_t i = 0; i < rows.FieldCount(); ++i) names->push_back(rows.Column(i).name);
  return names;
}

}  // namespace platform::controls

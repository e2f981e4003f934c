// The list a look-up opens.
#include "platform/controls/pick_list.h"

#include <stdexcept>

namespace platform::controls {
namespace {

std::vector<std::string> splitCaptions(const Variant& captions) {
  std::vector<std::string> result;
  if (captions.type() == Variant::Type::Array) {
    // The look-ups' column table: two entries per column, the caption and an empty one.
    const auto& entries = captions.array();
    bool pairs = !entries.empty() && entries.size() % 2 == 0;
    for (std::size_t i = 1; pairs && i < entries.size(); i += 2) pairs = entries[i].toText().empty();
    for (std::size_t i = 0; i < entries.size(); i += pairs ? 2 : 1) result.push_back(entries[i].toText());
    return result;
  }
  const std::string text = captions.toText();
  if (text.empty()) return result;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(';', start);
    result.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return result;
}

}  // namespace

std::string PickList::code(std::size_t row) const {
  if (row >= rows.size()) throw std::out_of_range("the list has no row " + std::to_string(row));
  return rows[row].empty() ? std::string() : rows[row].front().toText();
}

PickList makePickList(db::Recordset& rows, std::string title, const Variant& captions, std::string lookupName) {
  PickList list;
  list.title = std::move(title);
  list.lookupName = std::move(lookupName);
  list.captions = splitCaptions(captions);
  for (std::size_t i = 0; i < rows.FieldCount(); ++i) list.fields.push_back(rows.Column(i).name);
  list.captions.resize(list.fields.size());
  for (std::size_t i = 0; i < list.fields.size(); ++i) {
    if (list.captions[i].empty()) list.captions[i] = list.fields[i];
  }
  if (rows.RecordCount() == 0) return list;
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    db::Row row;
    for (std::size_t i = 0; i < rows.FieldCount(); ++i) row.push_back(rows.Field(i));
    list.rows.push_back(std::move(row));
  }
  return list;
}

}  // namespace platform::controls

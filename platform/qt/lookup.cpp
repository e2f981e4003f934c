// Look-ups through the display service.
#include "platform/qt/lookup.h"

namespace platform::qt {

host::PickListRequest pickListRequest(const controls::PickList& list) {
  host::PickListRequest request;
  request.title = list.title;
  request.captions = list.captions;
  for (const db::Row& row : list.rows) {
    std::vector<std::string> texts;
    texts.reserve(row.size());
    for (const Variant& value : row) texts.push_back(value.toText());
    request.rows.push_back(std::move(texts));
  }
  return request;
}

std::optional<std::string> chooseCode(const controls::PickList& list, host::Display& display) {
  const int chosen = display.pick(pickListRequest(list));
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= list.rows.size()) return std::nullopt;
  return list.code(static_cast<std::size_t>(chosen));
}

}  // namespace platform::qt

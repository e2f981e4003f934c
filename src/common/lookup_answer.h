// How a control's lookup request is answered: the list's query, column captions and window
// title, and the connection string the control runs the list on.
#pragma once

#include <string>

#include "platform/host/services.h"
#include "platform/variant/variant.h"

namespace passaggio {

//! The four out-arguments of a lookup request.
struct LookupAnswer {
  std::string& query;
  platform::Variant& captions;
  std::string& title;
  std::string& connection;

  void give(const platform::host::LookupList& list, const std::string& connectionString) const {
    query = list.query;
    captions = list.captions;
    title = list.title;
    connection = connectionString;
  }
};

}  // namespace passaggio

// The list a look-up opens: a window title, column captions and the rows of the look-up
// query. The renderer shows it; the user's choice goes back to the control as a code.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/variant/variant.h"

namespace platform::controls {

struct PickList {
  std::string title;
  std::string lookupName;
  std::vector<std::string> captions;  // one per column of the rows
  std::vector<std::string> fields;    // the query's column names
  std::vector<db::Row> rows;

  //! The code of a row: its first column as text.
  std::string code(std::size_t row) const;
};

//! Reads every row of `rows` from its first. Captions come as the look-up handed them: an
//! array of texts (or of caption and empty pairs, one pair per column), or one text with the
//! captions separated by ';'. Columns without a caption
//! are captioned with their field name.
PickList makePickList(db::Recordset& rows, std::string title, const Variant& captions, std::string lookupName);

}  // namespace platform::controls

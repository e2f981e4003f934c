// Record sets as CSV for query tools (the database tool, the batch host): RFC 4180 records
// (CR LF after each, fields quoted when they hold a comma, a quote or a line break), a header
// of field names, and values as stored, control characters other than line breaks and tabs
// escaped (see printable.h).
#pragma once

#include <ostream>
#include <string>

#include "platform/db/recordset.h"

namespace platform::db {

//! Writes the header and every row from the first; the record set is left at EOF. NULL is an
//! empty field and an empty text is ""; numbers are plain decimals without padding ("20",
//! "1.5", "-0.25"); text loses its trailing blanks (a CHAR(n) column comes back padded).
void writeCsv(std::ostream& out, Recordset& rows);

//! One value as writeCsv writes it, quoted where needed.
std::string csvField(const Variant& value);

}  // namespace platform::db

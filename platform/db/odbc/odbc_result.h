// A result set read from an ODBC statement into client-side rows, each value mapped to a
// Variant by its SQL type: integers, reals, DECIMAL exact, Unicode text from UTF-16, dates as
// their text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/odbc/odbc_handle.h"
#include "platform/db/result_data.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::odbc {

//! The rows of the statement's current result set. With a catalog (a SQLite database), the
//! declared types and row keys of the base columns come from it, and values are shaped by
//! them as the embedded database gives them; without, from what the driver describes.
//! Throws DbError (through `fail`) when the driver fails.
ResultData readResult(const Handle& statement, const tsql::Catalog* catalog, const std::function<void()>& fail,
                      const std::vector<tsql::ResultSource>& sources = {});

//! The first value of the current result set as text; nullopt for none or NULL.
std::optional<std::string> firstText(const Handle& statement, const std::function<void()>& fail);

}  // namespace platform::db::odbc

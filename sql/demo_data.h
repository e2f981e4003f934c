// The demo database a new user gets on first start: two companies, a few hundred items of
// the first in every state, users and groups, the field catalogue, six validation bodies with
// fields, associations, exclusions and sign-offs, so that a run shows every kind of verdict.
#pragma once

#include <filesystem>
#include <string>

#include "sql/row_sink.h"

namespace platform::db {
class Connection;
}

namespace sql {

//! Writes the demo content. The tables must be empty: ids are counted from 1.
void writeDemo(RowSink& sink);

//! Fills a database that holds the empty schema with the demo content, through the layer.
//! Refuses (std::runtime_error) a database that holds data already.
void loadDemo(platform::db::Connection& connection);

//! The path of the user's demo database, $XDG_DATA_HOME/passaggio/demo.db (by default
//! ~/.local/share/passaggio/demo.db), created with schema and demo content on first use and
//! reused afterwards. Several programs starting at once all get one complete file.
std::string ensureDemoDatabase();

//! Where ensureDemoDatabase keeps the file, without creating anything.
std::filesystem::path demoDatabasePath();

}  // namespace sql

// The settings every connection to a console database gets, whichever client opened it.
#pragma once

namespace platform::db::sqlite {

//! Run once on connecting: no automatic indexes (the statements are written for the indexes
//! the schema has), temporary tables in memory, a 64 MB page cache.
inline constexpr const char* kConnectionPragmas[] = {"PRAGMA automatic_index = OFF", "PRAGMA temp_store = MEMORY",
                                                     "PRAGMA cache_size = -65536"};

}  // namespace platform::db::sqlite

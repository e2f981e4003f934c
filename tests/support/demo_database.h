// Databases for tests that open consoles: the demo database, built once per test program and
// copied for each test, in one scratch folder that goes at exit with every file SQLite made.
#pragma once

#include <filesystem>
#include <string>

namespace passaggio::testing {

//! A fresh copy of the demo database for the running test.
std::filesystem::path demoCopy();

//! A path for a database the test makes itself, in the same folder.
std::filesystem::path scratchDatabase(const std::string& name);

}  // namespace passaggio::testing

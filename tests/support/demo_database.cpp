// Databases for tests that open consoles.
#include "tests/support/demo_database.h"

#include <gtest/gtest.h>

#include "sql/database_file.h"
#include "tests/support/program_run.h"

namespace passaggio::testing {
namespace {

const ScratchFolder& databases() {
  static const ScratchFolder folder("databases");
  return folder;
}

}  // namespace

std::filesystem::path scratchDatabase(const std::string& name) { return databases().path() / name; }

std::filesystem::path demoCopy() {
  static const std::filesystem::path demo = [] {
    const auto path = scratchDatabase("demo.db");
    sql::createDemoDatabase(path, sql::Existing::Replace);
    return path;
  }();
  const auto copy = scratchDatabase(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db");
  std::filesystem::copy_file(demo, copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

}  // namespace passaggio::testing

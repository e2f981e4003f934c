// Subprocesses through the shell, with every argument quoted.
#include "tests/support/program_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace passaggio::testing {
namespace {

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& name)
    : m_path(std::filesystem::temp_directory_path() /
             ("passaggio_" + std::to_string(::getpid()) + "_" +
              (name.empty() ? ::testing::UnitTest::GetInstance()->current_test_info()->name() : name))) {
  std::filesystem::remove_all(m_path);
  std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

Outcome ScratchFolder::run(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& input) const {
  std::ofstream(m_path / "stdin.txt", std::ios::binary) << input;
  std::string command = "cd " + shellQuoted(m_path.string()) + " && " + shellQuoted(program);
  for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
  command += " < stdin.txt > stdout.txt 2> stderr.txt";
  const int raw = std::system(command.c_str());
  Outcome outcome;
  outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  outcome.out = contents(m_path / "stdout.txt");
  outcome.err = contents(m_path / "stderr.txt");
  return outcome;
}

}  // namespace passaggio::testing

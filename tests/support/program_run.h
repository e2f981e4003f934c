// Running a built program as a user would, for tests: in a scratch folder of its own, with
// standard input given, standard output and error and the exit status read back.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace passaggio::testing {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class ScratchFolder {
 public:
  //! A fresh folder named after the running test, or `name` outside one (a suite's set-up);
  //! removed again at the end.
  explicit ScratchFolder(const std::string& name = {});
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::string file(const std::string& name) const { return (m_path / name).string(); }

  //! Runs `program` with `arguments` in this folder, `input` on standard input.
  Outcome run(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& input = {}) const;

 private:
  std::filesystem::path m_path;
};

}  // namespace passaggio::testing

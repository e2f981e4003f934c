// A run of the console for measuring: a generated database made once, a console opened on it
// as a host opens it (scripted display, no screen), the process button pressed, and the
// statements of one run captured from the statement trace with their SQLite texts.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace bench {

//! A generated database of `items` items and `bodies` bodies, kept beside the build.
std::filesystem::path generatedDatabase(long long items, int bodies);

//! One statement of a run as the trace tells it.
struct CapturedStatement {
  bool returnsRows = false;
  std::string tsql;                 // as the console composed it
  std::vector<std::string> sqlite;  // what the layer ran for it
  double milliseconds = 0;          // as traced
};

//! The console on one database, opened and ready to process.
class ConsoleRun {
 public:
  //! `trace`: a file the console's statements are appended to, or empty.
  explicit ConsoleRun(const std::filesystem::path& database, const std::string& trace = "");
  //! The console on the database a connection string names (another transport).
  struct Connection {
    std::string text;
  };
  explicit ConsoleRun(const Connection& connection);
  ~ConsoleRun();
  ConsoleRun(const ConsoleRun&) = delete;
  ConsoleRun& operator=(const ConsoleRun&) = delete;

  //! Presses the process button (going back to the parameters first when needed); the
  //! seconds until it returned. Exits the program when the run did not show its results.
  double process();
  //! Sets a field of the item filter, as a user typing both ends of its range.
  void setFilter(const std::string& caption, const std::string& first, const std::string& second);
  //! Rows the item working table holds after a run.
  long long selectedItems() const;
  //! Rows the items grid shows.
  std::size_t gridRows() const;
  //! Makes `row` of the items grid current, as a user choosing an item does; the seconds the
  //! console took to rebuild the item's field detail.
  double chooseRow(std::size_t row);
  long long userId() const;
  bool restricted() const;
  std::vector<long long> allowedStates() const;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

//! The statements of one run, read from a trace written from `offset` on.
std::vector<CapturedStatement> readTrace(const std::filesystem::path& trace, std::uintmax_t offset);

//! Presses the process button once on a traced console and returns what the run sent.
std::vector<CapturedStatement> captureRun(const std::filesystem::path& database);

}  // namespace bench

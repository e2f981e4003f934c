// The console driven for the benchmarks, and the statements of a run taken from the trace.
#include "console_run.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "platform/controls/button.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/host/window_system.h"
#include "platform/services/scripted_display.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"
#include "sql/generator.h"
#include "src/host/clsmg_passaggio.h"
#include "src/shell/frmmg_passaggio.h"

namespace bench {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path generatedDatabase(long long items, int bodies) {
  const fs::path path =
      fs::path(PASSAGGIO_BENCH_DATA) / ("run-" + std::to_string(items) + "-" + std::to_string(bodies) + ".db");
  if (!fs::exists(path)) {
    fs::create_directories(path.parent_path());
    std::cerr << "generating " << path << " ...\n";
    sql::generateDatabase(path, {items, bodies, 5, 1}, sql::Existing::Replace);
  }
  return path;
}

namespace {

// Windows shown without a screen, activated at once.
class Windows : public platform::host::WindowSystem {
 public:
  explicit Windows(platform::host::Display& display) : m_display(display) {}
  void Show(std::shared_ptr<platform::host::ModuleWindow> window, bool) override {
    m_window = window;
    window->Activate();
  }
  void Closed(platform::host::ModuleWindow&) override {}
  platform::host::Display& GetDisplay() override { return m_display; }

 private:
  platform::host::Display& m_display;
  std::shared_ptr<platform::host::ModuleWindow> m_window;
};

}  // namespace

struct ConsoleRun::State {
  std::shared_ptr<platform::services::ScriptedDisplay> display =
      std::make_shared<platform::services::ScriptedDisplay>(platform::services::ScriptedDisplay::Policy{false, 3, 0});
  Windows windows{*display};
  std::unique_ptr<platform::services::StandinHost> host;
  std::shared_ptr<passaggio::CLSMG_PASSAGGIO> console;

  platform::controls::Form& form() { return console->Form()->Controls(); }
};

ConsoleRun::ConsoleRun(const fs::path& database, const std::string& trace)
    : ConsoleRun(Connection{sql::connectionStringFor(database) + (trace.empty() ? "" : ";trace=" + trace)}) {}

ConsoleRun::ConsoleRun(const Connection& connectionString) : m_state(std::make_unique<State>()) {
  platform::host::InstallWindowSystem(&m_state->windows);
  const std::string& connection = connectionString.text;
  m_state->host = std::make_unique<platform::services::StandinHost>(
      platform::services::StandinHostOptions{connection, 1, "U001", m_state->display, {}, {}});
  m_state->console = passaggio::CLSMG_PASSAGGIO::Create();
  m_state->host->attach(*m_state->console);
  m_state->console->LetCaption(platform::Variant("Passaggio di stato articoli"));
  m_state->console->LetIsActive(true);
  m_state->console->ShowForm();
}

ConsoleRun::~ConsoleRun() {
  m_state->console->CloseForm();
  m_state->console.reset();
  m_state->host.reset();
  platform::host::InstallWindowSystem(nullptr);
}

double ConsoleRun::process() {
  // Another console of the same process may have installed its windows since.
  platform::host::InstallWindowSystem(&m_state->windows);
  auto& form = m_state->form();
  auto& process = form.get<platform::controls::Button>("CMD_ELABORA");
  if (!process.isEnabled()) form.get<platform::controls::Button>("CMD_PARAM").click();
  const Clock::time_point start = Clock::now();
  process.click();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!form.get<platform::controls::Frame>("FRAME_INTERROGAZ_RIS").isVisible() || !m_state->display->shown().empty()) {
    std::cerr << "the run did not show its results";
    for (const auto& shown : m_state->display->shown()) std::cerr << ": " << shown.text;
    std::cerr << "\n";
    std::exit(1);
  }
  return seconds;
}

void ConsoleRun::setFilter(const std::string& caption, const std::string& first, const std::string& second) {
  const auto value = [](const std::string& text) { return text.empty() ? platform::Variant() : platform::Variant(text); };
  auto& filter = m_state->form().get<platform::controls::EnhancedQuery>("ADVQ_ARTICOLI");
  try {
    filter.enterSetting(caption, value(first), value(second));
  } catch (const std::invalid_argument& refused) {
    std::cerr << refused.what() << "\n";
    std::exit(1);
  }
}

long long ConsoleRun::selectedItems() const {
  const auto form = m_state->console->Form();
  return form->m_connection->Open("SELECT COUNT(*) FROM " + form->m_itemTable)->Field(std::size_t{0}).toInteger();
}

std::size_t ConsoleRun::gridRows() const {
  return m_state->form().get<platform::controls::Grid>("GRD_ARTICOLI").rowCount();
}

double ConsoleRun::chooseRow(std::size_t row) {
  auto& grid = m_state->form().get<platform::controls::Grid>("GRD_ARTICOLI");
  const Clock::time_point start = Clock::now();
  if (!grid.setCurrentRow(row)) {
    std::cerr << "row " << row << " of the items grid could not be made current\n";
    std::exit(1);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long long ConsoleRun::userId() const { return m_state->host->global()->CurrentUser().id; }
bool ConsoleRun::restricted() const { return m_state->host->global()->RestrictedStates(); }

std::vector<long long> ConsoleRun::allowedStates() const {
  std::vector<long long> states;
  const platform::Variant allowed = m_state->console->Form()->m_itemStates->AllowedStates();
  for (const auto& state : allowed.array()) states.push_back(state.toInteger());
  return states;
}

std::vector<CapturedStatement> readTrace(const fs::path& trace, std::uintmax_t offset) {
  std::vector<CapturedStatement> statements;
  std::ifstream in(trace);
  in.seekg(static_cast<std::streamoff>(offset));
  for (std::string line; std::getline(in, line);) {
    const auto record = nlohmann::json::parse(line);
    CapturedStatement statement;
    statement.returnsRows = record["kind"] == "open";
    statement.tsql = record["sql"].get<std::string>();
    if (record.contains("sqlite")) statement.sqlite = record["sqlite"].get<std::vector<std::string>>();
    statement.milliseconds = record["ms"].get<double>();
    statements.push_back(std::move(statement));
  }
  return statements;
}

std::vector<CapturedStatement> captureRun(const fs::path& database) {
  const fs::path trace = fs::path(PASSAGGIO_BENCH_DATA) / (database.stem().string() + ".trace");
  fs::remove(trace);
  ConsoleRun console(database, trace.string());
  const std::uintmax_t offset = fs::exists(trace) ? fs::file_size(trace) : 0;
  console.process();
  return readTrace(trace, offset);
}

}  // namespace bench

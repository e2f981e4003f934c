// Consoles driven as a user drives the record-editor pages: driver-script lines carried out on
// the form's controls, the messages shown read back, the statements sent read from the trace,
// and a table's rows read directly to see that a refusal left it as it was.
#pragma once

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/script/model_driver.h"
#include "platform/script/script.h"
#include "tests/src/config/config_fixture.h"

namespace passaggio::testing {

class EditorTest : public ConfigTest {
 protected:
  void TearDown() override {
    if (!m_trace.empty()) std::filesystem::remove(m_trace);
    ConfigTest::TearDown();
  }

  //! Opens the console for company 1, tracing every statement.
  void openTraced() {
    m_trace = std::filesystem::path(m_file).replace_extension(".trace");
    m_console = open(1, ";trace=" + m_trace.string());
  }

  //! Carries out driver-script lines; what they print comes back.
  std::string drive(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    Prompter prompter(*m_display);
    platform::script::ModelDriver driver(m_console->Form()->Controls(), prompter, out);
    driver.runAll(platform::script::parseScript(in));
    return out.str();
  }

  //! The texts of the messages shown since the last call.
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& shown : m_display->messages()) texts.push_back(shown.text);
    m_display->clear();
    return texts;
  }

  //! Every statement traced so far, in order.
  std::vector<std::string> traced() const {
    std::vector<std::string> statements;
    std::ifstream in(m_trace);
    for (std::string line; std::getline(in, line);) statements.push_back(nlohmann::json::parse(line)["sql"]);
    return statements;
  }

  //! The rows of a query as one text, to compare before and after.
  std::string rows(const std::string& sql) const {
    platform::db::Connection connection;
    connection.Connect(connectionString());
    auto result = connection.Open(sql);
    std::string text;
    for (; !result->Eof(); result->MoveNext()) {
      for (std::size_t i = 0; i < result->FieldCount(); ++i) text += result->Field(i).toText() + "|";
      text += "\n";
    }
    return text;
  }

  std::shared_ptr<CLSMG_PASSAGGIO> m_console;
  std::filesystem::path m_trace;

 private:
  class Prompter : public platform::script::Prompter {
   public:
    explicit Prompter(platform::services::ScriptedDisplay& display) : m_display(display) {}
    void QueueAnswer(int answer) override { m_display.queue(static_cast<platform::host::Answer>(answer)); }
    std::string LastMessage() const override {
      const auto& shown = m_display.shown();
      return shown.empty() ? std::string() : shown.back().text;
    }

   private:
    platform::services::ScriptedDisplay& m_display;
  };
};

}  // namespace passaggio::testing

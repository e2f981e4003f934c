// Driver scripts: what a line means, and what happens when it cannot be carried out.
#include "platform/script/model_driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

namespace platform::script {
namespace {

using namespace platform::controls;

std::vector<Action> parse(const std::string& text) {
  std::istringstream in(text);
  return parseScript(in);
}

class Answers : public Prompter {
 public:
  void QueueAnswer(int answer) override { queued.push_back(answer); }
  std::string LastMessage() const override { return last; }
  std::vector<int> queued;
  std::string last;
};

TEST(ParseScript, KeepsTheRestOfTheLineForTypedTextAndSkipsComments) {
  const auto actions = parse("# a comment\n\n  type TXT_A  L'ente con spazi \r\nanswer YES\nrow GRD 3\n");
  ASSERT_EQ(actions.size(), 3u);
  EXPECT_EQ(actions[0].line, 3);
  EXPECT_EQ(actions[0].args, (std::vector<std::string>{"TXT_A", "L'ente con spazi"}));
  EXPECT_EQ(actions[1].verb, "answer");
  EXPECT_EQ(actions[2].args[1], "3");
  const auto filter = parse("filter \"Gruppo statistico 1\" \"\" Z'9\nfilter Marca VITEK\n");
  EXPECT_EQ(filter[0].args, (std::vector<std::string>{"Gruppo statistico 1", "", "Z'9"}));
  EXPECT_EQ(filter[1].args, (std::vector<std::string>{"Marca", "VITEK"}));
}

TEST(ParseScript, RefusesUnknownVerbsAndWrongArgumentCountsWithTheLine) {
  const struct {
    const char* text;
    int line;
  } cases[] = {{"page ENTITA\nfly away\n", 2}, {"click\n", 1}, {"\n\nclick A B\n", 3}, {"nav GRIDNAV\n", 1},
                 {"filter Marca\n", 1}, {"filter Marca \"VITEK\n", 1}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.text);
    try {
      parse(test.text);
      FAIL();
    } catch (const ScriptError& error) {
      EXPECT_EQ(error.line(), test.line);
    }
  }
}

class ModelDriverTest : public ::testing::Test {
 protected:
  ModelDriverTest() : m_form(design()) {
    m_connection.Connect("sqlite::memory:");
    m_connection.Execute("CREATE TABLE T (CODART VARCHAR(10), DESCR VARCHAR(40))");
    m_connection.Execute("INSERT INTO T (CODART, DESCR) VALUES ('A1', 'Vite, zincata'), ('B2', 'Dado')");
    auto& grid = m_form.get<Grid>("GRD_ART");
    grid.setWrapper({{}, nullptr, "CODART", 0});
    grid.addTextColumn("CODART", "Codice", 1, 1500);
    grid.addTextColumn("DESCR", "Descrizione", 1, 3000);
    grid.closeDefinition();
    grid.finish();
    grid.setDataSource(m_connection.Open("SELECT * FROM T ORDER BY CODART"));
  }

  static FormDesign design() {
    FormDesign form;
    form.name = "PROVA";
    const auto add = [&](const char* name, ControlKind kind, bool visible = true, bool enabled = true) {
      ControlDesign control;
      control.name = name;
      control.kind = kind;
      control.visible = visible;
      control.enabled = enabled;
      form.controls.push_back(control);
    };
    add("TXT_CODICE", ControlKind::EditField);
    add("TXT_NASCOSTO", ControlKind::EditField, false);
    add("CMD_SPENTO", ControlKind::Button, true, false);
    add("GRD_ART", ControlKind::Grid);
    return form;
  }

  std::string run(const std::string& script) {
    std::ostringstream out;
    ModelDriver(m_form, m_answers, out).runAll(parse(script));
    return out.str();
  }

  int failingLine(const std::string& script) {
    try {
      run(script);
    } catch (const ScriptError& error) {
      return error.line();
    }
    return 0;
  }

  db::Connection m_connection;
  Form m_form;
  Answers m_answers;
};

TEST_F(ModelDriverTest, ALineAUserCouldNotCarryOutStopsTheScriptThere) {
  const struct {
    const char* script;
    int line;
  } cases[] = {
      {"type TXT_CODICE A1\ntype TXT_MANCA X\n", 2}, {"type TXT_NASCOSTO X\n", 1},
      {"click CMD_SPENTO\n", 1},                      {"click TXT_CODICE\n", 1},  // not a button
      {"row GRD_ART 3\n", 1},                         {"row GRD_ART Z9\n", 1},
      {"row GRD_ART 0\n", 1},                         {"row GRD_ART 1\ncell GRD_ART CODART 2\n", 2},
      {"expect Nessuna entità\n", 1},                 {"expect Nessun dato\n", 0},
  };
  m_answers.last = "Nessun dato da visualizzare.";
  for (const auto& test : cases) EXPECT_EQ(failingLine(test.script), test.line) << test.script;
  try {
    run("row GRD_ART 1\n\nrow GRD_ART 99999999999999999999999\n");
    FAIL();
  } catch (const ScriptError& error) {
    EXPECT_STREQ(error.what(), "riga 3: GRD_ART non ha la riga 99999999999999999999999");
  }
}

TEST_F(ModelDriverTest, TypesChoosesRowsAndDumpsWhatIsShown) {
  const std::string out = run("type TXT_CODICE b2\nrow GRD_ART B2\ndump GRD_ART\ndump TXT_CODICE\nanswer no\n");
  EXPECT_EQ(m_form.get<EditField>("TXT_CODICE").text(), "b2");
  EXPECT_EQ(m_form.get<Grid>("GRD_ART").currentRow(), 1u);
  EXPECT_EQ(out,
            "CODART,DESCR\r\nA1,\"Vite, zincata\"\r\nB2,Dado\r\n"
            "name,text,value,enabled,visible\r\nTXT_CODICE,b2,b2,1,1\r\n");
  EXPECT_EQ(m_answers.queued, (std::vector<int>{7}));
}

}  // namespace
}  // namespace platform::script

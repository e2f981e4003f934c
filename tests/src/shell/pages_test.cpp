// Moving between the console's pages, the choosers filled at start-up, the responsible-type
// switch, and the controls handed to the resize control.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/frame.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "platform/db/connection.h"
#include "tests/src/console_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;
using platform::host::Answer;

constexpr const char* kFrames[] = {"FRAME_ENTITA",       "FRAME_ENTEVALIDAZIONE", "FRAME_ARG_ENTITA",
                                   "FRAME_DETTAGLIO_ARG", "FRAME_INTERROGAZ",      "FRAME_INTERROGAZ_RIS"};
constexpr const char* kButtons[] = {"CMD_ELABORA", "CMD_PARAM", "CMD_AGGSTATI"};

// What a page shows: the one frame, and the processing buttons (visible, and which enabled).
struct PageState {
  std::string frame;
  bool buttonsVisible = false;
  std::vector<bool> buttonsEnabled;
};

PageState pageState(const Form& form) {
  PageState state;
  for (const char* name : kFrames) {
    if (form.get<Frame>(name).isVisible()) state.frame += (state.frame.empty() ? "" : "+") + std::string(name);
  }
  state.buttonsVisible = form.get<Button>("CMD_ELABORA").isVisible();
  for (const char* name : kButtons) {
    EXPECT_EQ(form.get<Button>(name).isVisible(), state.buttonsVisible) << name;
    state.buttonsEnabled.push_back(form.get<Button>(name).isEnabled());
  }
  return state;
}

class PagesTest : public testing::ConsoleTest {
 protected:
  std::shared_ptr<CLSMG_PASSAGGIO> openOn(const std::string& preparation) {
    m_file = demoCopy();
    {
      platform::db::Connection connection;
      connection.Connect(sql::connectionStringFor(m_file));
      connection.Execute(preparation);
    }
    auto object = console(sql::connectionStringFor(m_file));
    object->ShowForm();
    return object;
  }
};

TEST_F(PagesTest, EachKeyShowsItsFrameAloneAndSetsTheProcessingButtons) {
  auto object = openConsole();
  Form& form = object->Form()->Controls();
  auto& sideBar = form.get<SideBar>("SDB_PASSAGGIO");
  struct Case {
    const char* key;
    const char* frame;
    bool buttonsVisible;
    std::vector<bool> enabled;  // CMD_ELABORA, CMD_PARAM, CMD_AGGSTATI
  };
  // Configuration pages leave the buttons' enabled state alone; the item page starts in its
  // selection state.
  const Case cases[] = {
      {"ENTITA", "FRAME_ENTITA", false, {true, false, false}},
      {"ARGOMENTI", "FRAME_ENTEVALIDAZIONE", false, {true, false, false}},
      {"DETT_ARGOMENTI", "FRAME_DETTAGLIO_ARG", false, {true, false, false}},
      {"INT_MOD_DATI", "FRAME_INTERROGAZ", true, {true, false, false}},
      {"ENTITA", "FRAME_ENTITA", false, {true, false, false}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.key);
    ASSERT_TRUE(sideBar.clickItem(test.key));
    const PageState state = pageState(form);
    EXPECT_EQ(state.frame, test.frame);
    EXPECT_EQ(state.buttonsVisible, test.buttonsVisible);
    EXPECT_EQ(state.buttonsEnabled, test.enabled);
  }

  // After processing the item page opens on its results.
  form.get<Button>("CMD_ELABORA").setEnabled(false);
  ASSERT_TRUE(sideBar.clickItem("INT_MOD_DATI"));
  PageState state = pageState(form);
  EXPECT_EQ(state.frame, "FRAME_INTERROGAZ_RIS");
  EXPECT_TRUE(state.buttonsVisible);
  EXPECT_EQ(state.buttonsEnabled, (std::vector<bool>{false, true, true}));
  EXPECT_TRUE(m_display->shown().empty());
}

TEST_F(PagesTest, AnUnknownKeyChangesNothingAndTheCurrentPageCanBeRedone) {
  auto object = openConsole();
  const auto console = object->Form();
  Form& form = console->Controls();
  ASSERT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ARGOMENTI"));
  const auto visibility = [&] {
    std::vector<bool> shown;
    for (const auto& control : form.controls()) shown.push_back(control->isVisible());
    return shown;
  };
  const auto before = visibility();
  for (const char* key : {"argomenti", "ENTITA ", "", "ALTRO"}) {
    SCOPED_TRACE(key);
    console->SelezioneSideBar(key);
    EXPECT_EQ(visibility(), before);
  }

  // Something moved the page's frames behind its back: clicking the page again puts them right.
  form.get<Frame>("FRAME_ENTEVALIDAZIONE").setVisible(false);
  form.get<Frame>("FRAME_ENTITA").setVisible(true);
  ASSERT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ARGOMENTI"));
  EXPECT_EQ(visibility(), before);
}

std::vector<std::pair<std::string, std::string>> entries(const Chooser& chooser) {
  std::vector<std::pair<std::string, std::string>> result;
  for (const auto& entry : chooser.items()) result.emplace_back(entry.text, entry.value.toText());
  return result;
}

TEST_F(PagesTest, StateChoosersListTheStatesInStateOrder) {
  // A state added last but with the lowest code still comes first.
  auto object = openOn("INSERT INTO MG6W_STATIART (MG6W_INDSTATO, MG6W_DESCR) VALUES (5, 'Proposta')");
  const Form& form = object->Form()->Controls();
  const std::vector<std::pair<std::string, std::string>> states = {
      {"Proposta", "5"}, {"Bozza", "10"}, {"In validazione", "20"}, {"Approvato", "30"}, {"Attivo", "40"},
      {"Obsoleto", "50"}};
  EXPECT_EQ(entries(form.get<Chooser>("CMB_MG0M_STATOINI_MG6W")), states);
  EXPECT_EQ(entries(form.get<Chooser>("CMB_MG0M_STATOFIN_MG6W")), states);
  const auto& responsible = form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE");
  EXPECT_EQ(entries(responsible), (std::vector<std::pair<std::string, std::string>>{{"Utente", "0"}, {"Gruppo", "1"}}));
  EXPECT_EQ(responsible.text(), "Utente");
  EXPECT_TRUE(m_display->errors().empty());
}

TEST_F(PagesTest, WithoutStatesTheStateChoosersStayEmpty) {
  auto object = openOn("DELETE FROM MG6W_STATIART");
  const Form& form = object->Form()->Controls();
  EXPECT_TRUE(form.get<Chooser>("CMB_MG0M_STATOINI_MG6W").items().empty());
  EXPECT_TRUE(form.get<Chooser>("CMB_MG0M_STATOFIN_MG6W").items().empty());
  EXPECT_EQ(form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE").items().size(), 2u);
  EXPECT_TRUE(m_display->errors().empty());
}

TEST_F(PagesTest, ChoosingGroupOrUserEmptiesTheOthersFields) {
  auto object = openConsole();
  Form& form = object->Form()->Controls();
  ASSERT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ARGOMENTI"));
  auto& responsible = form.get<Chooser>("CMB_MG0M_TIPO_RESPONSABILE");
  auto& user = form.get<EditField>("TXT_UTENTE_RESPONSABILE");
  auto& userId = form.get<EditField>("TXT_MG0M_UTENTE_FW07");
  auto& group = form.get<EditField>("TXT_GRUPPO_RESPONSABILE");
  auto& groupId = form.get<EditField>("TXT_MG0M_GRUPPO_FW06");
  EXPECT_TRUE(user.isEnabled());
  EXPECT_FALSE(group.isEnabled());

  ASSERT_TRUE(user.type("ADMIN"));
  userId.setText("1");
  ASSERT_TRUE(responsible.choose(1));
  EXPECT_EQ(user.text(), "");
  EXPECT_EQ(userId.text(), "");
  EXPECT_FALSE(user.isEnabled());
  EXPECT_TRUE(group.isEnabled());
  EXPECT_TRUE(groupId.codeFlag());
  EXPECT_FALSE(userId.codeFlag());

  group.setText("MAGAZZINO");
  groupId.setText("2");
  ASSERT_TRUE(responsible.choose(0));
  EXPECT_EQ(group.text(), "");
  EXPECT_EQ(groupId.text(), "");
  EXPECT_FALSE(group.isEnabled());
  EXPECT_TRUE(user.isEnabled());
}

}  // namespace
}  // namespace passaggio

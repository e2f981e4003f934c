// The console's life as the host sees it: load, first activation, errors through the error
// display, and closing, refused or allowed.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/controls/button.h"
#include "platform/controls/container.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/side_bar.h"
#include "tests/src/console_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;
using platform::host::Answer;
using Shown = platform::services::ScriptedDisplay::Shown;

class LifecycleTest : public testing::ConsoleTest {};

TEST_F(LifecycleTest, OpensItsOwnConnectionAndBuildsTheConsoleOnce) {
  auto object = openConsole();
  auto form = object->Form();
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(m_display->shown().empty()) << "a clean start shows nothing";
  ASSERT_NE(object->GetConnection(), nullptr) << "the form hands its connection to the host";
  EXPECT_TRUE(object->GetConnection()->IsOpen());
  EXPECT_TRUE(form->Controls().get<SideBar>("SDB_PASSAGGIO").isInitialised());
  EXPECT_FALSE(form->Controls().get<GridNavigator>("GRIDNAV_CAMPI_ARG").isEnabled());
  const auto& scripts = *m_host->scripts();
  ASSERT_EQ(scripts.formEvents().size(), 1u);
  EXPECT_EQ(scripts.formEvents()[0].opening, 1);
  ASSERT_EQ(scripts.registrations().size(), 1u) << "registered with the script model while active";
  EXPECT_EQ(scripts.registrations()[0].name, "FRMMG_PASSAGGIO");

  const auto utility = form->m_utility;
  const int refreshes = m_host->navigator()->refreshes();
  form->Activate();
  EXPECT_EQ(form->m_utility, utility) << "a second activation does not rebuild the console";
  EXPECT_EQ(m_host->navigator()->refreshes(), refreshes + 1) << "but keeps the navigator in step";
  EXPECT_EQ(scripts.formEvents().size(), 1u);
}

TEST_F(LifecycleTest, PlacesTheWindowFromTheHostsPositionOrAt100) {
  struct Case {
    Variant left;
    Variant top;
    int expectedLeft;
    int expectedTop;
  };
  for (const Case& test : {Case{Variant(0), Variant("   "), 100, 100}, Case{Variant("250"), Variant(40), 250, 40}}) {
    SCOPED_TRACE(test.expectedLeft);
    m_file = demoCopy();
    auto object = console(sql::connectionStringFor(m_file));
    object->LetLeft(test.left);
    object->LetTop(test.top);
    object->LetWindowState(2);
    object->ShowForm();
    const auto& container = object->Form()->Controls().get<Container>("MDIActiveX1");
    EXPECT_EQ(object->Form()->Left(), test.expectedLeft);
    EXPECT_EQ(container.childLeft(), test.expectedLeft);
    EXPECT_EQ(container.childTop(), test.expectedTop);
    EXPECT_EQ(container.windowState(), 2);
    EXPECT_TRUE(object->CloseForm().toBool());
  }
}

// The host signed in, then the file went away or was overwritten before the console opened its
// own connection: the console is built all the same, what needs the database reports it, each
// on its own, and the form still closes.
TEST_F(LifecycleTest, ADatabaseThatCannotBeOpenedIsReportedAndTheFormStillCloses) {
  struct Case {
    bool removed;  // else overwritten with text
    Answer answer;
    const char* reason;
  };
  for (const Case& test : {Case{true, Answer::kIgnore, "non esiste"}, Case{false, Answer::kAbort, "non è un database"}}) {
    SCOPED_TRACE(test.reason);
    m_file = demoCopy();
    auto object = console(sql::connectionStringFor(m_file));
    if (test.removed) {
      std::filesystem::remove(m_file);
    } else {
      std::ofstream damage(m_file, std::ios::binary | std::ios::in | std::ios::out);
      damage << "questo non è più un database SQLite, solo testo";
    }
    m_display->clear();
    m_display->queue(test.answer);
    object->ShowForm();
    ASSERT_FALSE(m_display->errors().empty());
    EXPECT_EQ(m_display->errors()[0].procedure, "Form_Load");
    EXPECT_NE(m_display->errors()[0].description.find(test.reason), std::string::npos);
    for (std::size_t i = 1; i < m_display->errors().size(); ++i) {
      SCOPED_TRACE(m_display->errors()[i].procedure);
      EXPECT_EQ(m_display->errors()[i].description, "La connessione al database non è aperta.");
    }
    ASSERT_NE(object->Form(), nullptr);
    const auto connection = object->GetConnection();
    EXPECT_TRUE(connection == nullptr || !connection->IsOpen());
    EXPECT_TRUE(object->CloseForm().toBool());
  }
}

TEST_F(LifecycleTest, AnEmptyCompanyOpensWithoutErrors) {
  m_file = demoCopy();
  {
    platform::db::Connection setup;
    setup.Connect(sql::connectionStringFor(m_file));
    setup.Execute("INSERT INTO CG18_ANADITTABASE (CG18_DITTA, CG18_CLASSGERARCHICA) VALUES (7, '0')");
  }
  auto object = console(sql::connectionStringFor(m_file), "", 7);
  object->ShowForm();
  EXPECT_TRUE(m_display->shown().empty());
  EXPECT_EQ(object->Form()->m_company, Variant(7));
  EXPECT_TRUE(object->CloseForm().toBool());
}

TEST_F(LifecycleTest, RetryRerunsAFailingLookupAndIgnoreOrAbortGiveUp) {
  auto object = openConsole();
  auto form = object->Form();
  struct Case {
    Answer answer;
    const char* code;
    std::size_t displays;  // Ignore goes on to read a result that was never opened: error 91
  };
  for (const Case& test :
       {Case{Answer::kRetry, "ADMIN", 1}, Case{Answer::kIgnore, "", 2}, Case{Answer::kAbort, "", 1}}) {
    SCOPED_TRACE(test.answer);
    m_display->clear();
    form->m_connection->InjectFault(1, "guasto simulato");
    m_display->queue(test.answer);
    EXPECT_EQ(form->Codice_Utente_DaID(Variant(1)), test.code);
    ASSERT_EQ(m_display->errors().size(), test.displays);
    EXPECT_EQ(m_display->errors()[0].procedure, "Codice_Utente_DaID");
    EXPECT_EQ(m_display->errors()[0].description, "guasto simulato");
    EXPECT_EQ(m_display->errors()[0].sql, "SELECT FW07_CODICE FROM FW07_APPUSER WITH (NOLOCK) WHERE FW07_ID = 1 ");
    if (test.displays == 2) {
      EXPECT_EQ(m_display->errors()[1].number, 91);
    }
  }
}

TEST_F(LifecycleTest, MessagesNameTheProcedureAndFallBackToTheCaption) {
  auto object = openConsole();
  auto form = object->Form();
  m_display->queue(Answer::kYes);
  EXPECT_EQ(form->MessaggioUtente("Proseguire?", 4, Variant(""), "ProvaProcedura"), Answer::kYes);
  form->MessaggioUtente("Solo testo", 48, Variant("Titolo"), "");
  const auto messages = m_display->messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "Proseguire?\rFunzione: ProvaProcedura");
  EXPECT_EQ(messages[0].title, "Passaggio di stato articoli");
  EXPECT_EQ(messages[1].text, "Solo testo");
  EXPECT_EQ(messages[1].title, "Titolo");
  EXPECT_EQ(messages[1].style, 48);
}

TEST_F(LifecycleTest, AScriptThatRefusesTheCloseKeepsTheConsoleOpen) {
  auto object = openConsole();
  m_host->scripts()->setCancelClose(true);
  EXPECT_FALSE(object->CloseForm().toBool());
  EXPECT_TRUE(object->Form()->IsLoaded());
  EXPECT_TRUE(m_windows.closed.empty());
  m_host->scripts()->setCancelClose(false);
  EXPECT_TRUE(object->CloseForm().toBool());
  EXPECT_EQ(m_windows.closed.size(), 1u);
}

TEST_F(LifecycleTest, ClosingHandsEverythingBackToTheHost) {
  auto object = openConsole();
  auto connection = object->GetConnection();
  ASSERT_TRUE(object->CloseForm().toBool());
  EXPECT_EQ(object->GetConnection(), nullptr);
  EXPECT_FALSE(connection->IsOpen()) << "the own connection is closed";
  EXPECT_EQ(object->GetActiveDll(), nullptr);
  EXPECT_EQ(object->Form()->m_host, nullptr);
  EXPECT_EQ(m_host->scripts()->formEvents().back().opening, 0) << "the close event was raised";
  EXPECT_EQ(m_host->scripts()->closedMenuEntries().size(), 1u);
  EXPECT_GE(m_host->navigator()->activeModuleClears(), 1);
}

TEST_F(LifecycleTest, NavigatorEventsStopWhenTheObjectIsReleased) {
  auto object = openConsole();
  EXPECT_TRUE(m_host->navigator()->RaiseBeforeChangeDitta()) << "refused while the console is active";
  ASSERT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(m_display->messages()[0].style, 64);
  object->CloseForm();
  object.reset();
  EXPECT_FALSE(m_host->navigator()->connected());
  EXPECT_FALSE(m_host->navigator()->RaiseBeforeChangeDitta());
}

}  // namespace
}  // namespace passaggio

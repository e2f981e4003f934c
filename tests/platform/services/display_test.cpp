// What the user sees and answers: the scripted display's queue and defaults, catalogue
// messages, and the error display fed by the log object, which also keeps what was shown for
// the administrator.
#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "demo_fixture.h"
#include "platform/services/admin_log.h"
#include "platform/services/log_object.h"
#include "platform/services/messages.h"

namespace platform::services::testing {
namespace {

using namespace platform::host;
using ::testing::HasSubstr;

ErrorRequest failure(std::string procedure, std::string description) {
  ErrorRequest request;
  request.procedure = std::move(procedure);
  request.style = 4370;
  request.description = std::move(description);
  return request;
}

TEST(ScriptedDisplayTest, AnswersFromItsQueueThenFromItsPolicy) {
  ScriptedDisplay display(ScriptedDisplay::Policy{false, kIgnore, 3});
  display.queue({kYes, kRetry});
  EXPECT_EQ(display.showMessage({"Salvare?", style::kYesNo, "Passaggio"}), kYes);
  EXPECT_EQ(display.showError(failure("Form_Load", "rotto")), kRetry);
  // Queue empty: the policy says No to questions, Cancel to OK/Cancel, OK to plain messages.
  EXPECT_EQ(display.showMessage({"Salvare?", style::kYesNo | style::kQuestion, ""}), kNo);
  EXPECT_EQ(display.showMessage({"Procedere?", style::kOkCancel, ""}), kCancel);
  EXPECT_EQ(display.showMessage({"Fatto.", style::kInformation, ""}), kOk);
  EXPECT_EQ(display.showError(failure("Form_Load", "rotto")), kIgnore);
  EXPECT_EQ(ScriptedDisplay().showMessage({"Salvare?", style::kYesNoCancel, ""}), kYes);

  // A queued answer the box does not offer is a fault of the script, not an answer.
  display.queue({kYes, kYes});
  EXPECT_THROW(display.showMessage({"Codice famiglia inesistente.", style::kExclamation, ""}), ScriptError);
  EXPECT_THROW(display.showError(failure("Form_Load", "rotto")), ScriptError);
}

TEST(ScriptedDisplayTest, UnattendedRetriesOfOneFailureEndInAbort) {
  ScriptedDisplay display(ScriptedDisplay::Policy{true, kRetry, 2});
  const ErrorRequest same = failure("CMD_ELABORA_ButtonClick", "database bloccato");
  EXPECT_EQ(display.showError(same), kRetry);
  EXPECT_EQ(display.showError(same), kRetry);
  EXPECT_EQ(display.showError(same), kAbort);
  EXPECT_EQ(display.showError(same), kRetry);  // a fresh round
  ErrorRequest other = same;
  other.description = "altro";
  EXPECT_EQ(display.showError(other), kRetry);
}

TEST(ScriptedDisplayTest, PicksByCodeOrIndexAndClosesOnWhatTheListDoesNotHold) {
  ScriptedDisplay display;
  const PickListRequest list{"Elenco famiglie", {"Codice", "Descrizione"}, {{"VIT", "Viteria"}, {"BUL", "Bulloneria"}}};
  display.queuePick("BUL");
  display.queuePickIndex(0);
  display.queuePick("NON");
  display.queuePickIndex(9);
  EXPECT_EQ(display.pick(list), 1);
  EXPECT_EQ(display.pick(list), 0);
  EXPECT_EQ(display.pick(list), -1);
  EXPECT_EQ(display.pick(list), -1);
  EXPECT_EQ(display.pick(list), -1);  // nothing queued: the user closes the list
}

using MessagesTest = DemoTest;

TEST_F(MessagesTest, CatalogueMessagesReachTheDisplayWithTheirStyleAndTitle) {
  auto messages = signIn()->Messages();
  messages->ShowCatalogMessage(kCompanyChangeRefused, style::kInformation, "Passaggio di stato", {});
  messages->ShowCatalogMessage(12345, style::kInformation, "Passaggio di stato", {"x"});
  EXPECT_EQ(messages->Show("Sei sicuro?", style::kYesNo, "Conferma"), kYes);

  const auto shown = display->messages();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_THAT(shown[0].text, HasSubstr("cambiare ditta"));
  EXPECT_THAT(shown[1].text, HasSubstr("12345"));  // a number the catalogue lacks is still shown
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(shown[i].style, 64);
    EXPECT_EQ(shown[i].title, "Passaggio di stato");
  }
}

TEST_F(MessagesTest, ErrorDisplayShowsWhatWasTakenOnceAndLogsItForTheAdministrator) {
  auto adminLog = std::make_shared<AdminLog>(folder() / "errori.log");
  StandinLog log(display, adminLog, "ADMIN");
  display->queue(kRetry);

  try {
    db.Execute("SELECT * FROM TABELLA_CHE_NON_CE");
  } catch (const db::DbError& error) {
    log.TakeError(error.errors().front().number, error.what(), "passaggio");
  }
  log.TakeConnectionErrors(db.Errors(), "SELECT * FROM TABELLA_CHE_NON_CE");
  int inOut = 0;
  EXPECT_EQ(log.ShowError("passaggio", "Passaggio di stato", "CMD_ELABORA_ButtonClick", 4370, inOut), kRetry);

  // A later error without connection errors does not show the earlier statement.
  log.TakeError(13, "Tipo non corrispondente", "passaggio");
  EXPECT_EQ(log.ShowError("passaggio", "Passaggio di stato", "Form_Load", 4370, inOut), kAbort);
  EXPECT_EQ(log.ShowMessage("Nessun dato da visualizzare.", style::kExclamation, "Passaggio di stato", true, 0), kOk);

  ASSERT_EQ(display->errors().size(), 2u);
  EXPECT_EQ(display->errors()[0].sql, "SELECT * FROM TABELLA_CHE_NON_CE");
  EXPECT_FALSE(display->errors()[0].connectionErrors.empty());
  EXPECT_EQ(display->errors()[1].sql, "");
  EXPECT_TRUE(display->errors()[1].connectionErrors.empty());

  ASSERT_EQ(adminLog->entries().size(), 3u);
  EXPECT_EQ(adminLog->entries()[0].answer, kRetry);
  std::ifstream file(folder() / "errori.log");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_THAT(text.str(), HasSubstr("ERRORE utente ADMIN in CMD_ELABORA_ButtonClick"));
  EXPECT_THAT(text.str(), HasSubstr("istruzione: SELECT * FROM TABELLA_CHE_NON_CE"));
  EXPECT_THAT(text.str(), HasSubstr("in Form_Load: [13] Tipo non corrispondente -> Interrompi"));
  EXPECT_THAT(text.str(), HasSubstr("MESSAGGIO utente ADMIN: Nessun dato da visualizzare."));
}

}  // namespace
}  // namespace platform::services::testing

// The error convention: what Abort, Retry and Ignore do to a procedure's statements, and the
// small helpers every procedure relies on.
#include "src/common/error_trap.h"

#include <gtest/gtest.h>

#include <deque>

#include "src/common/default_se_vuoto.h"
#include "src/common/sql_text.h"

namespace passaggio {
namespace {

using platform::Variant;

// A procedure of three statements whose second fails the first `failures` times.
struct Procedure {
  explicit Procedure(int failingTimes) : failures(failingTimes) {}
  int failures = 0;
  std::vector<std::string> ran;
  std::vector<std::string> reported;
  bool cleanedUp = false;

  void run(std::deque<int> answers) {
    ErrorTrap trap("ProvaProcedura", [&](const std::string& name, const ErrorInfo& error) {
      reported.push_back(name + ": " + error.description);
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
    struct CleanUp {
      bool& flag;
      ~CleanUp() { flag = true; }
    } cleanUp{cleanedUp};
    if (!trap.step([&] { ran.push_back("first"); })) return;
    if (!trap.step([&] {
          ran.push_back("second");
          if (failures-- > 0) throw std::runtime_error("tabella bloccata");
        })) {
      return;
    }
    if (!trap.step([&] { ran.push_back("third"); })) return;
  }
};

TEST(ErrorTrap, RetryRerunsOnlyTheFailingStatement) {
  Procedure procedure(2);
  procedure.run({platform::host::kRetry, platform::host::kRetry});
  EXPECT_EQ(procedure.ran, (std::vector<std::string>{"first", "second", "second", "second", "third"}));
  EXPECT_EQ(procedure.reported.size(), 2u);
  EXPECT_EQ(procedure.reported[0], "ProvaProcedura: tabella bloccata");
}

TEST(ErrorTrap, IgnoreContinuesWithTheNextStatement) {
  Procedure procedure(1);
  procedure.run({platform::host::kIgnore});
  EXPECT_EQ(procedure.ran, (std::vector<std::string>{"first", "second", "third"}));
}

TEST(ErrorTrap, AbortAndAnyOtherAnswerLeaveThroughTheCleanUp) {
  for (const int answer : {int{platform::host::kAbort}, 0, int{platform::host::kNo}}) {
    SCOPED_TRACE(answer);
    Procedure procedure(1);
    procedure.run({answer});
    EXPECT_EQ(procedure.ran, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(procedure.cleanedUp);
  }
}

TEST(ErrorTrap, IgnoringErrorsSkipsTheFailingStepAndLogsIt) {
  std::vector<std::string> logged;
  IgnoringErrors steps([&](const ErrorInfo& error) { logged.push_back(error.description); });
  int ran = 0;
  steps.step([&] { throw platform::ConversionError("tipo non corrispondente"); });
  steps.step([&] { ++ran; });
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(logged, (std::vector<std::string>{"tipo non corrispondente"}));
}

TEST(RunTimeError, PassingOnPutsTheProcedureNameColonAndCrLfFirst) {
  try {
    try {
      throw platform::db::makeError(platform::db::kStatementErrorNumber, "Nome di colonna 'X' non valido.",
                                    "passaggio.db.sqlite", 207);
    } catch (const std::exception& error) {
      RaiseAgain("IsCampoNumerico", error);
    }
  } catch (const std::exception& error) {
    const ErrorInfo info = ErrorInfo::from(error);
    EXPECT_EQ(info.description, "IsCampoNumerico:\r\nNome di colonna 'X' non valido.");
    EXPECT_EQ(info.number, platform::db::kStatementErrorNumber);
    ASSERT_EQ(info.connectionErrors.size(), 1u);
    EXPECT_EQ(info.connectionErrors[0].nativeError, 207);
  }
}

TEST(DefaultSeVuoto, BlankMeansEmptyNullOrOnlyBlanks) {
  EXPECT_EQ(DefaultSeVuoto(Variant("   "), Variant("X")), Variant("X"));
  EXPECT_EQ(DefaultSeVuoto(Variant(), Variant(0)), Variant(0));
  EXPECT_EQ(DefaultSeVuoto(Variant::null(), Variant("")), Variant(""));
  EXPECT_EQ(DefaultSeVuoto(Variant(0), Variant(100)), Variant(0)) << "zero is a value, not a blank";
  EXPECT_EQ(DefaultSeVuoto(Variant(" A "), Variant("X")), Variant(" A ")) << "returned unchanged";
}

// A value is put in as it is: never read for placeholders, quotes or brackets of its own.
TEST(SqlText, ValuesGoInVerbatimAndCodesStayOneLiteralOrOneName) {
  EXPECT_EQ(sql::Fill("<T> <> <C><C> <X>", {{"<T>", "<C>"}, {"<C>", "[Q]"}}), "<C> <> [Q][Q] <X>");
  EXPECT_EQ(sql::Quoted("L'ENTE"), "'L''ENTE'");
  EXPECT_EQ(sql::Quoted(""), "''");
  EXPECT_EQ(sql::Bracketed("QUAL]ITA"), "[QUAL]]ITA]");
  EXPECT_EQ(sql::Bracketed("A[B'"), "[A[B']");
  const std::string_view lines[] = {"UPDATE", "    <T>", ""};
  EXPECT_EQ(sql::Compose(lines, {{"<T>", "##T"}}), "UPDATE\r\n    ##T\r\n");
  EXPECT_EQ(sql::DropTable("##T_1"), "IF OBJECT_ID('TEMPDB.DBO.##T_1') IS NOT NULL DROP TABLE ##T_1");
}

}  // namespace
}  // namespace passaggio

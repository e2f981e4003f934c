// The run against the rules worked out directly, row by row, on the generated variations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/reference/direct_evaluation.h"
#include "tests/src/processing/processing_fixture.h"
#include "tests/src/processing/variations.h"

namespace passaggio {
namespace {

using testing::value;
using testing::Variation;
using testing::variations;

class DifferentialTest : public testing::ProcessingTest {};

TEST_F(DifferentialTest, TheRunsVerdictsAreTheRulesVerdictsRowByRowAndTheirReasonsAgree) {
  for (const Variation& variation : variations()) {
    SCOPED_TRACE(variation.name);
    release();
    m_file = testing::variationDatabase(variation, "differential");
    m_object = console(sql::connectionStringFor(m_file), variation.user);
    m_object->ShowForm();
    press("CMD_ELABORA");
    ASSERT_TRUE(m_display->errors().empty()) << m_display->errors()[0].description;

    direct::RunContext context;
    context.company = 1;
    context.userId = m_host->global()->CurrentUser().id;
    context.restricted = m_host->global()->RestrictedStates();
    const platform::Variant allowed = form().m_itemStates->AllowedStates();
    for (const auto& state : allowed.array()) context.allowedStates.push_back(state.toInteger());
    platform::db::Connection reader;
    reader.Connect(sql::connectionStringFor(m_file));
    const direct::Evaluation expected = direct::evaluate(reader, context);

    std::map<std::string, const direct::ItemOutcome*> byCode;
    for (const auto& item : expected.items) byCode[direct::comparable(item.code)] = &item;
    auto rows = form().m_connection->Open("SELECT * FROM " + form().m_itemTable);
    ASSERT_EQ(rows->RecordCount(), expected.items.size());
    ASSERT_EQ(rows->FieldCount(), 15 + expected.bodyCodes.size() + 2);
    for (std::size_t b = 0; b < expected.bodyCodes.size(); ++b) {
      EXPECT_EQ(rows->Column(15 + b).name, expected.bodyCodes[b]) << "bodies in creation order";
    }
    std::map<int, int> verdicts;  // how often each verdict came up: the variation must exercise them
    int mismatches = 0;
    for (; !rows->Eof() && mismatches < 10; rows->MoveNext()) {
      const std::string code = rows->Field("CODART").toText();
      const auto found = byCode.find(direct::comparable(code));
      ASSERT_NE(found, byCode.end()) << code;
      const direct::ItemOutcome& item = *found->second;
      std::string ours, theirs;
      for (std::size_t b = 0; b < expected.bodyCodes.size(); ++b) {
        ours += value(rows->Field(15 + b)) + " ";
        theirs += std::to_string(item.verdicts[b]) + " ";
        ++verdicts[item.verdicts[b]];
      }
      ours += value(rows->Field("NEW_STATO")) + " " + value(rows->Field("PERMESSO_AGGSTATO"));
      theirs += (item.newState ? std::to_string(*item.newState) : "NULL") + " " +
                (item.permission ? std::to_string(*item.permission) : "NULL");
      if (ours != theirs) ++mismatches;
      EXPECT_EQ(ours, theirs) << code;
    }
    EXPECT_GT(verdicts[0], 0);
    EXPECT_GT(verdicts[1], 0);
    EXPECT_GT(verdicts[2], 0);

    // The reason a verdict cell gives agrees with the verdict stored, and a failure names
    // what failed; every seventh row, so that each variation stays quick.
    const std::map<int, std::string> said = {{0, "Non supera: "}, {1, "Supera il controllo"}, {2, "Non applicabile: "}};
    int row = 0;
    mismatches = 0;
    for (rows->MoveFirst(); !rows->Eof() && mismatches < 10; rows->MoveNext(), ++row) {
      if (row % 7 != 0) continue;
      for (std::size_t b = 0; b < expected.bodyCodes.size(); ++b) {
        const int verdict = static_cast<int>(rows->Field(15 + b).toInteger());
        const std::string reason = form().MotivoEsito(rows->Field("ID"), expected.bodyCodes[b]);
        const std::string& start = said.at(verdict);
        const bool agrees = verdict == 1 ? reason == start : reason.rfind(start, 0) == 0 && reason.size() > start.size();
        if (!agrees) ++mismatches;
        EXPECT_TRUE(agrees) << rows->Field("CODART").toText() << " " << expected.bodyCodes[b] << " " << verdict << ": "
                            << reason;
      }
    }
    EXPECT_TRUE(m_display->errors().empty());
  }
  release();
}

}  // namespace
}  // namespace passaggio

// The managed-entities page: seeding the company's rows, the grid over their working copy,
// the rule that keeps an entity in use managed, and saving the selections.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/grid.h"
#include "platform/controls/side_bar.h"
#include "src/common/run_time_error.h"
#include "tests/src/config/config_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;

class EntitiesTest : public testing::ConfigTest {
 protected:
  long long rows(long long company) const {
    return scalar("SELECT COUNT(*) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = " + std::to_string(company));
  }
  long long selected(long long company, const std::string& code) const {
    return scalar("SELECT MG0L_ENTITA_SEL FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = " +
                  std::to_string(company) + " AND MG0L_ENTITA = '" + code + "'");
  }
};

TEST_F(EntitiesTest, SeedingInsertsOnlyTheRowsTheCompanyLacksAndOnlyOnce) {
  // Company 1 has lost one row and kept its selections; company 3 is new and has none.
  execute("DELETE FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = 'GRU_STAT4'");
  execute("INSERT INTO CG18_ANADITTABASE (CG18_DITTA, CG18_RAGSOC) VALUES (3, 'Nuova S.r.l.')");
  const long long before = scalar("SELECT MAX(MG0L_ID) FROM MG0L_ENTITA_PASSAGGI");

  auto first = open(1);
  EXPECT_TRUE(m_display->errors().empty());
  EXPECT_EQ(rows(1), 12);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_ID > " + std::to_string(before)), 1)
      << "only GRU_STAT4 was added";
  EXPECT_EQ(selected(1, "GRU_STAT4"), 0);
  EXPECT_EQ(selected(1, "FAMIGLIA"), 1) << "existing selections are never touched";
  EXPECT_EQ(rows(3), 0) << "only the current company is seeded";

  first->Form()->Activate();
  auto second = open(1);
  EXPECT_EQ(rows(1), 12) << "a second activation or console inserts nothing";

  auto other = open(3);
  EXPECT_EQ(rows(3), 12);
  EXPECT_EQ(scalar("SELECT SUM(MG0L_ENTITA_SEL) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 3"), 0);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 3 AND "
                   "MG0L_ENTITA = 'TIPO_PROD' AND MG0L_DESCENTITA = 'Tipo prodotto'"),
            1);

  // A company the company table does not know gets nothing, and that is no error.
  const auto form = other->Form();
  form->m_company = Variant(77);
  form->InserimentoEntitaMancantiPerDittaCorrente();
  EXPECT_EQ(rows(77), 0);
  EXPECT_TRUE(m_display->errors().empty());
}

// The seeding batch is sent as SQL Server receives it, in one execution: comments that end at
// a lone CR, lines padded to one width, and the first statement's FROM spelt apart.
TEST_F(EntitiesTest, SeedingBatchIsOneExecutionOfCrEndedPaddedLines) {
  const auto trace = std::filesystem::path(m_file).replace_extension(".trace");
  open(1, ";trace=" + trace.string());
  std::vector<std::string> batches;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    const auto record = nlohmann::json::parse(line);
    const std::string sql = record["sql"];
    if (sql.find("INSERT INTO MG0L_ENTITA_PASSAGGI") != std::string::npos) batches.push_back(sql);
  }
  std::filesystem::remove(trace);
  ASSERT_EQ(batches.size(), 1u);
  const std::string& batch = batches[0];
  EXPECT_EQ(batch.find('\n'), std::string::npos);

  std::vector<std::string> lines;
  for (std::size_t start = 0; start < batch.size();) {
    const std::size_t end = batch.find('\r', start);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR";
    lines.push_back(batch.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 72u);
  const auto padded = [](std::string text) {
    text.resize(std::max<std::size_t>(text.size(), 120), ' ');
    return text;
  };
  EXPECT_EQ(lines[0], padded("  -- Azienda"));
  EXPECT_EQ(lines[1], padded("  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , "
                             "MG0L_ENTITA_SEL )"));
  EXPECT_EQ(lines[2], padded("  SELECT CG18_DITTA , 'AZIENDA' , 'Azienda' , 0"));
  EXPECT_EQ(lines[3], padded("  FROM   CG18_ANADITTABASE WITH (NOLOCK)"));
  EXPECT_EQ(lines[4], padded("  WHERE  CG18_DITTA = 1"));
  EXPECT_EQ(lines[5], padded("  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = "
                             "CG18_DITTA AND MG0L_ENTITA = 'AZIENDA')"));
  EXPECT_EQ(lines[6], padded("  -- Tipo Prodotto"));
  EXPECT_EQ(lines[8], padded("  SELECT CG18_DITTA , 'TIPO_PROD' , 'Tipo prodotto' , 0"));
  EXPECT_EQ(lines[44], padded("  SELECT CG18_DITTA , 'GRUPPO_FISC' , 'Gruppo fiscale' , 0"));
  EXPECT_EQ(lines[47], "  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND "
                       "MG0L_ENTITA = 'GRUPPO_FISC')")
      << "a line longer than the width is sent whole";
  EXPECT_EQ(lines[66], padded("  -- Gruppo statistico 4"));
  for (std::size_t statement = 1; statement < 12; ++statement) {
    EXPECT_EQ(lines[statement * 6 + 3], padded("  FROM CG18_ANADITTABASE WITH (NOLOCK)")) << statement;
  }
}

TEST_F(EntitiesTest, UnselectingAnUnusedEntityEnablesSaveWhichWritesOnlyTheSelections) {
  execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_ENTITA = 'GRU_STAT3'");
  auto object = open(1);
  const auto form = object->Form();
  Form& controls = form->Controls();
  ASSERT_TRUE(controls.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA"));
  auto& grid = controls.get<Grid>("GRD_ENTITA");
  auto& save = controls.get<Button>("CMD_SAVE_ENTITA");

  EXPECT_TRUE(grid.clickCheckBox(entityRow(grid, "GRU_STAT3"), "MG0L_ENTITA_SEL"));
  EXPECT_TRUE(m_display->messages().empty());
  EXPECT_TRUE(save.isEnabled());
  EXPECT_TRUE(grid.clickCheckBox(entityRow(grid, "SGRUPPO"), "MG0L_ENTITA_SEL"));
  EXPECT_EQ(selected(1, "GRU_STAT3"), 1) << "nothing is written before saving";

  // Only the selection travels back, even when the working copy differs in another column.
  grid.setCurrentRow(entityRow(grid, "SGRUPPO"));
  form->m_entityRows->SetField("MG0L_DESCENTITA", Variant("Cambiata"));
  ASSERT_TRUE(save.click());
  EXPECT_TRUE(m_display->errors().empty());
  EXPECT_FALSE(save.isEnabled());
  EXPECT_EQ(selected(1, "GRU_STAT3"), 0);
  EXPECT_EQ(selected(1, "SGRUPPO"), 1);
  EXPECT_EQ(selected(2, "GRU_STAT3"), 1) << "other companies keep theirs";
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DESCENTITA = 'Cambiata'"), 0);
  EXPECT_EQ(scalar("SELECT SUM(MG0L_ENTITA_SEL) FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1"), 4);
}

TEST_F(EntitiesTest, AnEntityIsAssociatedWhenAnyCompanysAssociationHoldsItsValue) {
  execute("UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_MARCA_MG64 = NULL");
  auto object = open(1);
  const auto form = object->Form();
  struct Case {
    const char* entity;
    bool associated;
  };
  for (const Case& test : {Case{"FAMIGLIA", true}, Case{"MARCA", false}, Case{"GRU_STAT4", false},
                           Case{"", false}}) {
    SCOPED_TRACE(test.entity);
    EXPECT_EQ(form->IsEntitaAssociata(Variant(test.entity)), test.associated);
  }
  execute("UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_GRUSTAT4_MG77 = 'X' "
          "WHERE MG0Q_ID = (SELECT MIN(MG0Q_ID) FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_DITTA_CG18 = 2)");
  EXPECT_TRUE(form->IsEntitaAssociata(Variant("GRU_STAT4")));

  // AZIENDA has no column: the answer needs no statement at all.
  form->m_connection->InjectFault(1, "guasto simulato");
  EXPECT_FALSE(form->IsEntitaAssociata(Variant("AZIENDA")));
  try {
    form->IsEntitaAssociata(Variant("FAMIGLIA"));
    ADD_FAILURE() << "the failure is passed on";
  } catch (const RaisedError& error) {
    EXPECT_EQ(error.info().description, "IsEntitaAssociata:\r\nguasto simulato");
  }
  EXPECT_TRUE(m_display->errors().empty());
}

}  // namespace
}  // namespace passaggio

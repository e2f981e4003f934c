// Generated databases hold what the generator promises, in the file format the layer opens,
// and the same options always give the same content.
#include "sql/generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sql/schema.h"
#include "test_files.h"

namespace sql {
namespace {

using testing::RawFile;
using testing::ScratchFolder;

// Every row of every table, in a fixed order: equal dumps mean equal content.
std::vector<std::string> dump(const std::filesystem::path& file) {
  RawFile raw(file);
  std::vector<std::string> all;
  for (const std::string& table :
       raw.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name")) {
    all.push_back("-- " + table);
    for (std::string& row : raw.rows("SELECT * FROM " + table + " ORDER BY rowid")) all.push_back(std::move(row));
  }
  return all;
}

TEST(Generator, WritesTheItemsBodiesFieldsAndSignOffsAskedFor) {
  ScratchFolder folder;
  const auto file = folder.path() / "generated.db";
  GeneratorReport report = generateDatabase(file, {.items = 3000, .bodies = 8, .fields = 6, .seed = 11}, Existing::Refuse);
  EXPECT_EQ(report.items, 3030);
  RawFile raw(file);

  EXPECT_EQ(raw.rows("SELECT MG66_DITTA_CG18, COUNT(*) FROM MG66_ANAGRART GROUP BY 1"),
            (std::vector<std::string>{"1|3000", "2|30"}));
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG66_ANAGRART A WHERE MG66_DITTA_CG18 = 2 AND NOT EXISTS (SELECT 1 FROM "
                       "MG66_ANAGRART B WHERE B.MG66_DITTA_CG18 = 1 AND B.MG66_CODART = A.MG66_CODART)"),
            0);
  EXPECT_EQ(raw.rows("SELECT MG0M_DITTA_CG18, COUNT(*) FROM MG0M_ARGOMENTI_PASSAGGI GROUP BY 1"),
            (std::vector<std::string>{"1|8", "2|1"}));
  EXPECT_EQ(report.associations, raw.number("SELECT COUNT(*) FROM MG0Q_ENTITARG_PASSAGGI"));
  // Six fields per body, required ones on readable fields, the rest manual; no field twice.
  EXPECT_EQ(raw.rows("SELECT DISTINCT COUNT(*), SUM(MG0P_VALORE_OBBLIGATORIO), SUM(MG0P_VALIDAZ_MANUALE), "
                     "COUNT(DISTINCT MG0P_CAMPO_MG0O) FROM MG0P_CAMPIARG_PASSAGGI GROUP BY MG0P_ARGOMENTO_MG0M"),
            (std::vector<std::string>{"6|4|2|6"}));
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG0P_CAMPIARG_PASSAGGI JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0P_CAMPO_MG0O "
                       "JOIN MG0N_TABLE_PASSAGGI ON MG0N_ID = MG0O_TABLE_MG0N WHERE MG0P_VALORE_OBBLIGATORIO = 1 "
                       "AND MG0N_ISTABLE = 0"),
            0);
  EXPECT_GT(raw.number("SELECT COUNT(*) FROM MG0P_CAMPIARG_PASSAGGI WHERE MG0P_INDVALZERO = 1"), 0);
  EXPECT_EQ(report.exclusions, raw.number("SELECT COUNT(*) FROM MG0U_NOVALIDAZ_PASSAGGI"));
  EXPECT_GT(report.exclusions, 0);
  // Sign-offs on about a fifth of the items.
  long long signedItems = raw.number("SELECT COUNT(*) FROM (SELECT DISTINCT MG0R_DITTA_CG18, MG0R_CODART_MG66 "
                                     "FROM MG0R_VALIDAZMAN_PASSAGGI)");
  EXPECT_GT(signedItems, 3030 * 15 / 100);
  EXPECT_LT(signedItems, 3030 * 25 / 100);
  EXPECT_EQ(raw.number("SELECT COUNT(DISTINCT MG66_INDSTATO_MG6W) FROM MG66_ANAGRART"), 5);

  // The file is what the layer would have made: its journal mode, sound, with every index.
  EXPECT_EQ(raw.value("PRAGMA journal_mode"), "wal");
  EXPECT_EQ(raw.value("PRAGMA integrity_check"), "ok");
  createSchemaDatabase(folder.path() / "schema.db", Existing::Refuse);
  const std::string indexes = "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name";
  EXPECT_EQ(raw.rows(indexes), RawFile(folder.path() / "schema.db").rows(indexes));
}

TEST(Generator, TheSameSeedGivesTheSameContentAndAnotherSeedDoesNot) {
  ScratchFolder folder;
  const GeneratorOptions options{.items = 800, .bodies = 5, .fields = 4, .seed = 42};
  generateDatabase(folder.path() / "a.db", options, Existing::Refuse);
  generateDatabase(folder.path() / "b.db", options, Existing::Refuse);
  GeneratorOptions other = options;
  other.seed = 43;
  generateDatabase(folder.path() / "c.db", other, Existing::Refuse);
  const auto first = dump(folder.path() / "a.db");
  EXPECT_GT(first.size(), 800u * 4);
  EXPECT_EQ(first, dump(folder.path() / "b.db"));
  EXPECT_NE(first, dump(folder.path() / "c.db"));
}

TEST(Generator, RefusesOptionsOutOfRangeAndExistingFiles) {
  ScratchFolder folder;
  EXPECT_NE(validateOptions({.items = 0}), "");
  EXPECT_NE(validateOptions({.items = 10, .bodies = 0}), "");
  EXPECT_NE(validateOptions({.items = 10, .bodies = 2, .fields = 99}), "");
  generateDatabase(folder.path() / "a.db", {.items = 10, .bodies = 2, .fields = 2, .seed = 1}, Existing::Refuse);
  EXPECT_THROW(generateDatabase(folder.path() / "a.db", {.items = 10, .bodies = 2, .fields = 2, .seed = 1}, Existing::Refuse),
               FileExistsError);
}

}  // namespace
}  // namespace sql

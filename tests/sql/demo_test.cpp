// The demo database holds what a new user needs to see every feature: items in every state,
// two companies kept apart, restricted and inactive users, a catalogue whose fields all read,
// and bodies whose verdicts pass, fail and do not apply.
#include "sql/demo_data.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "sql/reference_data.h"
#include "test_files.h"

namespace sql {
namespace {

using platform::db::Connection;
using testing::RawFile;
using testing::ScratchFolder;

class DemoDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_folder = std::make_unique<ScratchFolder>("DemoDatabase");
    s_file = s_folder->path() / "demo.db";
    createDemoDatabase(s_file, Existing::Refuse);
  }
  static void TearDownTestSuite() { s_folder.reset(); }

  RawFile raw{s_file};
  static inline std::unique_ptr<ScratchFolder> s_folder;
  static inline std::filesystem::path s_file;
};

// What the console relies on finding: every item described, every code an item or a body
// names decodable, and the second company with codes of the first but its own configuration.
TEST_F(DemoDatabase, EveryCodeAnItemOrABodyNamesExists) {
  EXPECT_EQ(raw.rows("SELECT DISTINCT MG66_INDSTATO_MG6W FROM MG66_ANAGRART ORDER BY 1"),
            raw.rows("SELECT MG6W_INDSTATO FROM MG6W_STATIART ORDER BY 1"));
  for (const char* check :
       {"NOT EXISTS (SELECT 1 FROM MG87_ARTDESC WHERE MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = MG66_CODART "
        "AND MG87_OPZIONE_MG5E = '' AND MG87_LINGUA_MG52 = '')",
        "MG66_FAM_MG53 NOT IN (SELECT MG53_CODFAM FROM MG53_FAMIGLIE WHERE MG53_DITTA_CG18 = MG66_DITTA_CG18)",
        "MG66_SFAM_MG54 NOT IN (SELECT MG54_CODSFAM FROM MG54_SOTTOFAMIGLIE WHERE MG54_DITTA_CG18 = MG66_DITTA_CG18)",
        "MG66_MARCA_MG64 NOT IN (SELECT MG64_CODMARCA FROM MG64_MARCHE WHERE MG64_DITTA_CG18 = MG66_DITTA_CG18)",
        "MG66_GRUSTAT2_MG75 NOT IN (SELECT MG75_CODGRUSTAT FROM MG75_GRUSTAT2 WHERE MG75_DITTA_CG18 = MG66_DITTA_CG18)"}) {
    EXPECT_EQ(raw.number(std::string("SELECT COUNT(*) FROM MG66_ANAGRART WHERE ") + check), 0) << check;
  }
  // Responsible users are active, responsible groups exist.
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG0M_ARGOMENTI_PASSAGGI WHERE (MG0M_TIPO_RESPONSABILE = 0 AND NOT EXISTS "
                       "(SELECT 1 FROM FW07_APPUSER WHERE FW07_ID = MG0M_UTENTE_FW07 AND FW07_FLGATTIVO = 1)) OR "
                       "(MG0M_TIPO_RESPONSABILE = 1 AND NOT EXISTS (SELECT 1 FROM FW06_GROUPUSR WHERE FW06_ID = MG0M_GRUPPO_FW06))"),
            0);
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG66_ANAGRART A WHERE MG66_DITTA_CG18 = 2 AND NOT EXISTS (SELECT 1 FROM "
                       "MG66_ANAGRART B WHERE B.MG66_DITTA_CG18 = 1 AND B.MG66_CODART = A.MG66_CODART)"),
            0);
  EXPECT_EQ(raw.rows("SELECT MG0M_DITTA_CG18, MG0M_ID FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_ARGOMENTO = 'QUALITA' "
                     "ORDER BY 1"),
            (std::vector<std::string>{"1|1", "2|7"}));
  // Hierarchical codes in the second company: one sub-family code under two families.
  EXPECT_EQ(raw.rows("SELECT MG54_CODFAM_MG53 FROM MG54_SOTTOFAMIGLIE WHERE MG54_DITTA_CG18 = 2 AND MG54_CODSFAM = 'TE' "
                     "ORDER BY 1"),
            (std::vector<std::string>{"BUL", "VIT"}));
}

// Each readable catalogue field must be a column in the scope its table's join text builds,
// as the field detail reads it; a numeric field must be a numeric column, or a text zero
// would escape "ISNULL(field,0) = 0".
TEST_F(DemoDatabase, EveryCatalogueFieldReadsThroughItsJoin) {
  Connection connection;
  connection.Connect(connectionStringFor(s_file));
  auto fields = connection.Open(
      "SELECT MG0O_CAMPO , MG0O_ISNUMERICO , MG0N_TABLE , MG0N_JOIN_SQL , MG0N_ISTABLE FROM MG0O_CAMPI_PASSAGGI "
      "INNER JOIN MG0N_TABLE_PASSAGGI ON MG0N_ID = MG0O_TABLE_MG0N ORDER BY MG0O_ID");
  int joined = 0, unreadable = 0;
  for (; !fields->Eof(); fields->MoveNext()) {
    std::string field = fields->Field("MG0O_CAMPO").toText();
    SCOPED_TRACE(field);
    if (fields->Field("MG0N_ISTABLE").toInteger() != 1) {
      ++unreadable;
      continue;
    }
    std::string join = fields->Field("MG0N_JOIN_SQL").toText();
    joined += join.empty() ? 0 : 1;
    EXPECT_NO_THROW(connection.Open("SELECT " + field + " AS VALORE FROM MG66_ANAGRART WITH (NOLOCK) " + join +
                                    " WHERE MG66_DITTA_CG18 = 1      AND MG66_CODART = 'VITE-TE-M6X20-ZN' "));
    const char* type = nullptr;
    std::string table = fields->Field("MG0N_TABLE").toText();
    ASSERT_EQ(sqlite3_table_column_metadata(raw.db(), "main", table.c_str(), field.c_str(), &type, nullptr, nullptr,
                                            nullptr, nullptr),
              SQLITE_OK);
    bool numericColumn = std::string(type).starts_with("DECIMAL") || std::string(type).starts_with("INT");
    EXPECT_EQ(numericColumn, fields->Field("MG0O_ISNUMERICO").toInteger() == 1) << type;
  }
  EXPECT_GT(joined, 10);
  EXPECT_EQ(unreadable, 4);
}

// A run over the demo shows every verdict: bodies that share a start state, items a body
// governs that pass (values present, every sign-off given) and that fail (a sign-off missing,
// withdrawn or NULL), and items no body governs.
TEST_F(DemoDatabase, BodiesGovernItemsThatPassAndItemsThatFail) {
  EXPECT_EQ(raw.rows("SELECT MG0M_STATOINI_MG6W, GROUP_CONCAT(MG0M_ARGOMENTO) FROM MG0M_ARGOMENTI_PASSAGGI "
                     "WHERE MG0M_DITTA_CG18 = 1 GROUP BY 1 HAVING COUNT(*) > 1 ORDER BY 1"),
            (std::vector<std::string>{"10|QUALITA,ACQUISTI", "20|LOGISTICA,PRODUZIONE"}));
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_STATOFIN_MG6W < MG0M_STATOINI_MG6W"), 1);
  EXPECT_GT(raw.number("SELECT COUNT(*) FROM MG0U_NOVALIDAZ_PASSAGGI"), 2);
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_TIPOPROD IS NULL AND MG0Q_DITTA_CG18 = 1"), 1);

  // Items of company 1 governed by QUALITA through its (AC, VIT) association, which excludes nothing.
  const std::string governed =
      "FROM MG66_ANAGRART JOIN PD18_ARTPROD ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART "
      "WHERE MG66_DITTA_CG18 = 1 AND MG66_INDSTATO_MG6W = 10 AND MG66_FAM_MG53 = 'VIT' AND PD18_TIPOPROD_PD20 = 'AC' ";
  const std::string signedOff =
      "(SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0R_CAMPO_MG0O "
      "WHERE MG0R_DITTA_CG18 = 1 AND MG0R_CODART_MG66 = MG66_CODART AND MG0R_ARGOMENTO_MG0M = 1 "
      "AND MG0O_CAMPO IN ('DOC_SCHEDATECNICA', 'DOC_CERTCONFORMITA') AND MG0R_VALIDATO = 1)";
  const std::string valuesPresent = "MG66_PESONETTO > 0 AND MG66_UMBASE IS NOT NULL AND MG66_BARCODE IS NOT NULL ";
  EXPECT_GT(raw.number("SELECT COUNT(*) " + governed + "AND " + valuesPresent + "AND " + signedOff + " = 2"), 3);
  EXPECT_GT(raw.number("SELECT COUNT(*) " + governed + "AND " + valuesPresent + "AND " + signedOff + " < 2"), 3);
  EXPECT_GT(raw.number("SELECT COUNT(*) " + governed + "AND NOT (" + valuesPresent + ")"), 3);
  EXPECT_GT(raw.number("SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_VALIDATO IS NULL"), 0);
  EXPECT_GT(raw.number("SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_VALIDATO = 0"), 0);
  EXPECT_GT(raw.number("SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_DITTA_CG18 = 2"), 0);
}

TEST_F(DemoDatabase, IsLoadedOnlyIntoAnEmptySchema) {
  const long long items = raw.number("SELECT COUNT(*) FROM MG66_ANAGRART");
  Connection connection;
  connection.Connect(connectionStringFor(s_file));
  EXPECT_THROW(loadDemo(connection), std::runtime_error);
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM MG66_ANAGRART"), items);
}

// The desktop and batch hosts call this on every start: the first call builds the file,
// later ones reuse it as it is.
TEST(DemoDatabaseFile, IsCreatedOnFirstUseAndReusedAfterwards) {
  ScratchFolder folder;
  const char* previous = std::getenv("XDG_DATA_HOME");
  std::string saved = previous ? previous : "";
  ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);

  const std::string path = ensureDemoDatabase();
  EXPECT_EQ(path, (folder.path() / "passaggio" / "demo.db").string());
  RawFile(path).rows("UPDATE MG6W_STATIART SET MG6W_DESCR = 'Modificato' WHERE MG6W_INDSTATO = 10");
  EXPECT_EQ(ensureDemoDatabase(), path);
  EXPECT_EQ(RawFile(path).value("SELECT MG6W_DESCR FROM MG6W_STATIART WHERE MG6W_INDSTATO = 10"), "Modificato");

  previous ? ::setenv("XDG_DATA_HOME", saved.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace sql

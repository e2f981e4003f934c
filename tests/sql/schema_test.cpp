// The schema: created once and never over existing data, every table accepts the rows the
// console writes with only the columns it names, every text column compares as SQL Server
// does, and validation bodies come back in creation order whatever their codes.
#include "sql/schema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "test_files.h"

namespace sql {
namespace {

using platform::db::Connection;
using testing::RawFile;
using testing::ScratchFolder;

std::vector<long long> ids(Connection& connection, const std::string& query, const char* column) {
  std::vector<long long> result;
  auto rows = connection.Open(query);
  for (; !rows->Eof(); rows->MoveNext()) result.push_back(rows->Field(column).toInteger());
  return result;
}

// A fresh schema in a file of its own.
class Schema : public ::testing::Test {
 protected:
  void SetUp() override { createSchemaDatabase(file, Existing::Refuse); }
  ScratchFolder folder;
  const std::filesystem::path file = folder.path() / "db.sqlite";
};

TEST_F(Schema, IsNeverCreatedOverExistingData) {
  {
    Connection connection;
    connection.Connect(connectionStringFor(file));
    connection.Execute("INSERT INTO MG6W_STATIART ( MG6W_INDSTATO , MG6W_DESCR ) VALUES ( 10 , 'Bozza' )");
    EXPECT_THROW(createSchema(connection), SchemaExistsError);
  }
  EXPECT_THROW(createSchemaDatabase(file, Existing::Refuse), FileExistsError);
  EXPECT_EQ(RawFile(file).value("SELECT MG6W_DESCR FROM MG6W_STATIART"), "Bozza");
  // Nothing is left beside the file: no temporary build, no journal.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  createSchemaDatabase(file, Existing::Replace);
  RawFile replaced(file);
  EXPECT_EQ(replaced.number("SELECT COUNT(*) FROM MG6W_STATIART"), 0);
  EXPECT_EQ(replaced.value("PRAGMA journal_mode"), "wal");
}

// Each table with the columns the console (or the host stand-in) writes, and nothing else:
// any other column must be nullable or have a default, and identities fill themselves.
struct MinimalRow {
  const char* table;
  const char* insert;  // column list and values
};
constexpr MinimalRow kMinimalRows[] = {
    {"MG0L_ENTITA_PASSAGGI", "( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL ) VALUES ( 1 , 'AZIENDA' , 'Azienda' , 0 )"},
    {"MG0M_ARGOMENTI_PASSAGGI", "( MG0M_DITTA_CG18 , MG0M_ARGOMENTO ) VALUES ( 1 , 'QUALITA' )"},
    {"MG0N_TABLE_PASSAGGI", "( MG0N_TABLE , MG0N_ISTABLE , MG0N_JOIN_SQL ) VALUES ( 'MG66_ANAGRART' , 1 , '' )"},
    {"MG0O_CAMPI_PASSAGGI", "( MG0O_CAMPO , MG0O_CAPTIONCAMPO , MG0O_ISNUMERICO , MG0O_INDVALZERO , MG0O_TABLE_MG0N ) VALUES ( 'MG66_PESONETTO' , 'Peso' , 1 , 1 , 1 )"},
    {"MG0P_CAMPIARG_PASSAGGI", "( MG0P_ARGOMENTO_MG0M , MG0P_CAMPO_MG0O ) VALUES ( 1 , 1 )"},
    {"MG0Q_ENTITARG_PASSAGGI", "( MG0Q_DITTA_CG18 , MG0Q_ARGOMENTO_MG0M ) VALUES ( 1 , 1 )"},
    {"MG0R_VALIDAZMAN_PASSAGGI", "( MG0R_DITTA_CG18 , MG0R_CODART_MG66 , MG0R_ARGOMENTO_MG0M , MG0R_CAMPO_MG0O , MG0R_VALIDATO ) VALUES ( 1 , 'A1' , 1 , 1 , 1 )"},
    {"MG0U_NOVALIDAZ_PASSAGGI", "( MG0U_IDENTITARG_MG0Q , MG0U_IDCAMPOARG_MG0P ) VALUES ( 1 , 1 )"},
    {"MG66_ANAGRART", "( MG66_DITTA_CG18 , MG66_CODART , MG66_INDSTATO_MG6W ) VALUES ( 1 , 'A1' , 10 )"},
    {"MG87_ARTDESC", "( MG87_DITTA_CG18 , MG87_CODART_MG66 , MG87_DESCART ) VALUES ( 1 , 'A1' , 'Vite' )"},
    {"PD18_ARTPROD", "( PD18_DITTA_CG18 , PD18_CODART_MG66 , PD18_TIPOPROD_PD20 ) VALUES ( 1 , 'A1' , 'AC' )"},
    {"MG6M_ARTMAG", "( MG6M_DITTA_CG18 , MG6M_CODART_MG66 ) VALUES ( 1 , 'A1' )"},
    {"MG6W_STATIART", "( MG6W_INDSTATO , MG6W_DESCR ) VALUES ( 10 , 'Bozza' )"},
    {"FW07_APPUSER", "( FW07_CODICE ) VALUES ( 'MROSSI' )"},
    {"FW06_GROUPUSR", "( FW06_CODICE ) VALUES ( 'QUAL' )"},
    {"FW00_GRPUSRASSOC", "( FW00_ID_FW06 , FW00_ID_FW07 ) VALUES ( 1 , 1 )"},
    {"FW09_STATIUTENTE", "( FW09_ID_FW07 , FW09_INDSTATO_MG6W ) VALUES ( 1 , 20 )"},
    {"FW10_LOGSTATI", "( FW10_DITTA_CG18 , FW10_CODART_MG66 ) VALUES ( 1 , 'A1' )"},
    {"CG18_ANADITTABASE", "( CG18_DITTA ) VALUES ( 1 )"},
    {"MG6S_STATIPARAM", "( MG6S_GUID_MG66 , MG6S_IDSTATO ) VALUES ( 'G1' , 3 )"},
    {"CO5L_ATTRIBUTIDEN", "( CO5L_GUID ) VALUES ( 'G1' )"},
    {"PD20_TIPIPROD", "( PD20_DITTA_CG18 , PD20_TIPOPROD ) VALUES ( 1 , 'AC' )"},
    {"PD21_PROVENIENZE", "( PD21_DITTA_CG18 , PD21_CODPROV ) VALUES ( 1 , 'AC' )"},
    {"MG53_FAMIGLIE", "( MG53_DITTA_CG18 , MG53_CODFAM ) VALUES ( 1 , 'VIT' )"},
    {"MG54_SOTTOFAMIGLIE", "( MG54_DITTA_CG18 , MG54_CODSFAM ) VALUES ( 1 , 'TE' )"},
    {"MG55_GRUPPI", "( MG55_DITTA_CG18 , MG55_CODGRUPPO ) VALUES ( 1 , 'ACC' )"},
    {"MG56_SOTTOGRUPPI", "( MG56_DITTA_CG18 , MG56_CODSGRUPPO ) VALUES ( 1 , 'ZN' )"},
    {"MG64_MARCHE", "( MG64_DITTA_CG18 , MG64_CODMARCA ) VALUES ( 1 , 'FISSAFER' )"},
    {"MG61_GRUPPIFISCALI", "( MG61_DITTA_CG18 , MG61_CODGRUPFIS ) VALUES ( 1 , 'IVA22' )"},
    {"MG74_GRUSTAT1", "( MG74_DITTA_CG18 , MG74_CODGRUSTAT ) VALUES ( 1 , 'A' )"},
    {"MG75_GRUSTAT2", "( MG75_DITTA_CG18 , MG75_CODGRUSTAT ) VALUES ( 1 , 'A' )"},
    {"MG76_GRUSTAT3", "( MG76_DITTA_CG18 , MG76_CODGRUSTAT ) VALUES ( 1 , 'A' )"},
    {"MG77_GRUSTAT4", "( MG77_DITTA_CG18 , MG77_CODGRUSTAT ) VALUES ( 1 , 'A' )"},
};

TEST_F(Schema, EveryTableTakesARowOfOnlyItsNamedColumns) {
  Connection connection;
  connection.Connect(connectionStringFor(file));
  for (const MinimalRow& row : kMinimalRows) {
    SCOPED_TRACE(row.table);
    EXPECT_EQ(connection.Execute(std::string("INSERT INTO ") + row.table + " " + row.insert), 1);
  }
  RawFile raw(file);
  EXPECT_EQ(raw.number("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'"),
            static_cast<long long>(std::size(kMinimalRows)))
      << "a table without a minimal row here";
  EXPECT_EQ(raw.value("SELECT MG0M_ID, MG0M_STATOINI_MG6W, MG0M_TIPO_RESPONSABILE FROM MG0M_ARGOMENTI_PASSAGGI"), "1|0|0");
  EXPECT_EQ(raw.value("SELECT MG87_OPZIONE_MG5E || '/' || MG87_LINGUA_MG52 FROM MG87_ARTDESC"), "/");
  EXPECT_EQ(raw.value("SELECT CG18_CLASSGERARCHICA FROM CG18_ANADITTABASE"), "0");
  EXPECT_EQ(raw.value("SELECT FW07_ID, FW07_FLGATTIVO, FW07_FLGSTATILIMITATI FROM FW07_APPUSER"), "1|1|0");
  auto view = connection.Open("SELECT V_GUID , V_IDSTATO FROM VFILTROSTATI WITH (NOLOCK) WHERE V_GUID = 'g1'");
  ASSERT_EQ(view->RecordCount(), 1u);
  EXPECT_EQ(view->Field("V_IDSTATO"), platform::Variant(3));
}

// Text columns compare without regard to case and trailing blanks only if they carry the
// project's collation, and numbers compare as numbers only in numeric columns.
TEST_F(Schema, EveryColumnIsTypedAndEveryTextColumnUsesTheProjectCollation) {
  RawFile raw(file);
  int textColumns = 0;
  for (const std::string& table : raw.rows("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%'")) {
    for (const std::string& column : raw.rows("SELECT name FROM pragma_table_info('" + table + "')")) {
      SCOPED_TRACE(table + "." + column);
      const char* type = nullptr;
      const char* collation = nullptr;
      ASSERT_EQ(sqlite3_table_column_metadata(raw.db(), "main", table.c_str(), column.c_str(), &type, &collation,
                                              nullptr, nullptr, nullptr),
                SQLITE_OK);
      std::string declared = type ? type : "";
      ASSERT_FALSE(declared.empty());
      if (declared.find("CHAR") != std::string::npos || declared.find("TEXT") != std::string::npos) {
        ++textColumns;
        EXPECT_STREQ(collation, "TSQL_CI");
      }
    }
  }
  EXPECT_GT(textColumns, 50);
}

// The run reads the bodies of a company without ORDER BY and settles ties of the new state
// by the order it gets: it must be the order of creation, even when codes and start states
// sort the other way and other companies' bodies lie in between.
TEST_F(Schema, BodiesOfACompanyComeBackInCreationOrder) {
  const std::string bodies =
      "SELECT MG0M_ID , MG0M_ARGOMENTO , MG0M_DESCARGOMENTO , MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W "
      "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = 1 ";
  const std::string entities =
      "SELECT MG0L_ID , MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) WHERE MG0L_DITTA_CG18 = 1 "
      "     AND MG0L_ENTITA_SEL = 1 ";
  std::vector<long long> expected;
  {
    Connection connection;
    connection.Connect(connectionStringFor(file));
    for (int n = 0; n < 90; ++n) {
      int company = 1 + n % 3;
      char code[16];
      std::snprintf(code, sizeof code, "Z%03d", 999 - n);  // codes fall as ids rise
      connection.Execute("INSERT INTO MG0M_ARGOMENTI_PASSAGGI ( MG0M_DITTA_CG18 , MG0M_ARGOMENTO , "
                         "MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W ) VALUES ( " +
                         std::to_string(company) + " , '" + code + "' , " + std::to_string(90 - n % 9 * 10) + " , 10 )");
      connection.Execute("INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_ENTITA_SEL ) VALUES ( " +
                         std::to_string(company) + " , '" + code + "' , 1 )");
      if (company == 1) expected.push_back(n + 1);
    }
  }
  const auto inCreationOrder = [&] {
    Connection connection;
    connection.Connect(connectionStringFor(file));
    EXPECT_EQ(ids(connection, bodies, "MG0M_ID"), expected);
    EXPECT_EQ(ids(connection, entities, "MG0L_ID"), expected);
  };
  inCreationOrder();
  RawFile(file).rows("ANALYZE");  // statistics may change the plan; they must not change the order
  inCreationOrder();
}

}  // namespace
}  // namespace sql

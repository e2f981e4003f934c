// Small generated databases varied where the checks are easy to get wrong: which entities are
// managed, NULL codes, codes in other letters or with trailing blanks, exclusions, sign-offs
// given, withheld and NULL, bodies alone in their start state, group responsibility and
// restricted users.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "sql/database_file.h"
#include "sql/generator.h"
#include "tests/support/demo_database.h"

namespace passaggio::testing {

struct Variation {
  const char* name;
  std::uint64_t seed;
  int bodies;
  int fields;
  const char* user;
  std::vector<const char*> entities;  // managed, besides nothing else
  std::vector<std::string> changes;   // run on the generated database before the console opens
};

// Every field of every body signed off for the items whose code ends in `digit`, where no
// sign-off is stored yet: such items pass wherever nothing else stops them.
inline std::string signOffEverything(char digit) {
  return "INSERT INTO MG0R_VALIDAZMAN_PASSAGGI (MG0R_DITTA_CG18, MG0R_CODART_MG66, MG0R_ARGOMENTO_MG0M, "
         "MG0R_CAMPO_MG0O, MG0R_VALIDATO) SELECT 1, MG66_CODART, MG0P_ARGOMENTO_MG0M, MG0P_CAMPO_MG0O, 1 "
         "FROM MG66_ANAGRART INNER JOIN MG0P_CAMPIARG_PASSAGGI ON 1 = 1 WHERE MG66_DITTA_CG18 = 1 "
         "AND MG66_CODART LIKE '%" +
         std::string(1, digit) +
         "' AND NOT EXISTS (SELECT 1 FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_DITTA_CG18 = 1 AND "
         "MG0R_CODART_MG66 = MG66_CODART AND MG0R_ARGOMENTO_MG0M = MG0P_ARGOMENTO_MG0M AND "
         "MG0R_CAMPO_MG0O = MG0P_CAMPO_MG0O)";
}

inline const std::vector<Variation>& variations() {
  static const std::vector<Variation> all = {
      {"as generated", 1, 7, 5, "U001", {"AZIENDA", "TIPO_PROD", "FAMIGLIA"}, {}},
      {"company only, a group member", 2, 5, 5, "U002", {"AZIENDA"},
       {"DELETE FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_ARGOMENTO_MG0M = 3"}},
      {"brands in other letters, restricted user", 3, 6, 5, "U007", {"FAMIGLIA", "MARCA"},
       {"UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_MARCA_MG64 = 'MARCA001' WHERE MG0Q_ID % 3 = 0",
        "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_MARCA_MG64 = 'marca002' WHERE MG0Q_ID % 3 = 1",
        "UPDATE MG66_ANAGRART SET MG66_MARCA_MG64 = LOWER(MG66_MARCA_MG64) WHERE MG66_CODART LIKE '%3'",
        "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_CODFAM_MG53 = LOWER(MG0Q_CODFAM_MG53) WHERE MG0Q_ID % 2 = 0",
        signOffEverything('3'), signOffEverything('6')}},
      {"four other dimensions, restricted user", 4, 5, 6, "U014", {"SFAMIGLIA", "GRUPPO_FISC", "GRU_STAT1", "AZIENDA"},
       {"UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_CODSFAM_MG54 = 'S001', MG0Q_GRUPFISC_MG61 = 'IVA22', "
        "MG0Q_GRUSTAT1_MG74 = 'A' WHERE MG0Q_ID % 4 = 0",
        "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_CODSFAM_MG54 = 's002', MG0Q_GRUPFISC_MG61 = 'iva10', "
        "MG0Q_GRUSTAT1_MG74 = 'b' WHERE MG0Q_ID % 4 = 1",
        "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_CODSFAM_MG54 = 'S003', MG0Q_GRUSTAT1_MG74 = 'C' WHERE MG0Q_ID % 4 = 2",
        "UPDATE MG66_ANAGRART SET MG66_SFAM_MG54 = 'S001', MG66_GRUPFIS_MG61 = 'IVA22', MG66_GRUSTAT1_MG74 = 'A' "
        "WHERE MG66_CODART LIKE '%2'",
        "UPDATE MG66_ANAGRART SET MG66_SFAM_MG54 = 'S002', MG66_GRUPFIS_MG61 = 'IVA10', MG66_GRUSTAT1_MG74 = 'B' "
        "WHERE MG66_CODART LIKE '%5'",
        signOffEverything('2'), signOffEverything('5')}},
      {"NULLs, letters and blanks in codes, sign-offs of every kind", 5, 6, 7, "U008",
       {"AZIENDA", "TIPO_PROD", "FAMIGLIA"},
       {signOffEverything('3'), signOffEverything('4'),
        "UPDATE MG66_ANAGRART SET MG66_FAM_MG53 = NULL WHERE MG66_CODART LIKE '%7'",
        "UPDATE MG66_ANAGRART SET MG66_FAM_MG53 = LOWER(MG66_FAM_MG53) WHERE MG66_CODART LIKE '%1'",
        "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_TIPOPROD = NULL WHERE MG0Q_ID % 5 = 0",
        "UPDATE PD18_ARTPROD SET PD18_TIPOPROD_PD20 = LOWER(PD18_TIPOPROD_PD20) WHERE PD18_CODART_MG66 LIKE '%4'",
        "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_CODART_MG66 = LOWER(MG0R_CODART_MG66) + '  ' "
        "WHERE MG0R_CODART_MG66 LIKE '%3'",
        "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = NULL WHERE MG0R_CAMPO_MG0O % 7 = 0",
        "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0 WHERE MG0R_CAMPO_MG0O % 7 = 1",
        "INSERT INTO MG0U_NOVALIDAZ_PASSAGGI (MG0U_IDENTITARG_MG0Q, MG0U_IDCAMPOARG_MG0P) "
        "SELECT MG0Q_ID, MG0P_ID FROM MG0Q_ENTITARG_PASSAGGI INNER JOIN MG0P_CAMPIARG_PASSAGGI "
        "ON MG0P_ARGOMENTO_MG0M = MG0Q_ARGOMENTO_MG0M WHERE MG0Q_ID % 2 = 1 AND MG0P_ID % 4 = 0",
        "UPDATE MG66_ANAGRART SET MG66_PESONETTO = 0 WHERE MG66_CODART LIKE '%8'",
        "UPDATE MG0P_CAMPIARG_PASSAGGI SET MG0P_INDVALZERO = NULL WHERE MG0P_ID % 5 = 0"}},
      {"every readable field required, zero never a value", 6, 6, 6, "U013", {"AZIENDA", "TIPO_PROD", "FAMIGLIA"},
       {"UPDATE MG0P_CAMPIARG_PASSAGGI SET MG0P_VALORE_OBBLIGATORIO = 1 WHERE MG0P_CAMPO_MG0O IN "
        "(SELECT MG0O_ID FROM MG0O_CAMPI_PASSAGGI WHERE MG0O_TABLE_MG0N <> 5)",
        "UPDATE MG0P_CAMPIARG_PASSAGGI SET MG0P_INDVALZERO = 1", signOffEverything('9'), signOffEverything('2'),
        "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0 WHERE MG0R_CODART_MG66 LIKE '%22'"}},
  };
  return all;
}

//! The variation's database, generated afresh as `name` and changed as it says.
inline std::filesystem::path variationDatabase(const Variation& variation, const std::string& name) {
  const std::filesystem::path file = scratchDatabase(name + "_" + std::to_string(variation.seed) + ".db");
  sql::generateDatabase(file, {600, variation.bodies, variation.fields, variation.seed}, sql::Existing::Replace);
  platform::db::Connection setup;
  setup.Connect(sql::connectionStringFor(file));
  std::string managed;
  for (const char* entity : variation.entities) managed += std::string(managed.empty() ? "'" : ", '") + entity + "'";
  setup.Execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = CASE WHEN MG0L_ENTITA IN (" + managed +
                ") THEN 1 ELSE 0 END");
  for (const std::string& change : variation.changes) setup.Execute(change);
  return file;
}

}  // namespace passaggio::testing

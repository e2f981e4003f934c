// Composes a run's statements with the console's fragments, blanks and line ends.
#include "run_statements.h"

#include <initializer_list>
#include <map>

namespace bench {
namespace {

std::string lines(std::initializer_list<std::string> parts) {
  std::string text;
  for (const std::string& part : parts) text += "    " + part + "\r\n";
  return text;
}

std::string entityConditions(const RunConfig& config) {
  static const std::map<std::string, std::string> kConditions = {
      {"TIPO_PROD", "   AND MG0Q_TIPOPROD = TIPOPROD_PD20 "},
      {"FAMIGLIA", "   AND MG0Q_CODFAM_MG53 = CODFAM_MG53 "},
      {"SFAMIGLIA", "   AND MG0Q_CODSFAM_MG54 = CODSFAM_MG54 "},
      {"GRUPPO", "   AND MG0Q_GRUPPO_MG55 = GRUPPO_MG55 "},
      {"SGRUPPO", "   AND MG0Q_SGRUPPO_MG56 = SGRUPPO_MG56 "},
      {"MARCA", "   AND MG0Q_MARCA_MG64 = MARCA_MG64 "},
      {"GRUPPO_FISC", "   AND MG0Q_GRUPFISC_MG61 = GRUPFISC_MG61 "},
      {"GRU_STAT1", "   AND MG0Q_GRUSTAT1_MG74 = GRUSTAT1_MG74 "},
      {"GRU_STAT2", "   AND MG0Q_GRUSTAT2_MG75 = GRUSTAT2_MG75 "},
      {"GRU_STAT3", "   AND MG0Q_GRUSTAT3_MG76 = GRUSTAT3_MG76 "},
      {"GRU_STAT4", "   AND MG0Q_GRUSTAT4_MG77 = GRUSTAT4_MG77 "}};
  std::string text;
  for (const std::string& entity : config.managedEntities) {
    const auto found = kConditions.find(entity);
    if (found != kConditions.end()) text += found->second;
  }
  return text;
}

}  // namespace

std::vector<RunStatement> runStatements(const RunConfig& config) {
  const std::string& t = config.table;
  const std::string k = std::to_string(config.company);
  const std::string u = std::to_string(config.user);
  const std::string conditions = entityConditions(config);
  std::vector<RunStatement> run;
  run.push_back({"SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) WHERE MG0L_DITTA_CG18 = " + k +
                     "      AND MG0L_ENTITA_SEL = 1 ",
                 true});
  run.push_back({"SELECT MG0M_ID , MG0M_ARGOMENTO , MG0M_DESCARGOMENTO , MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W "
                 "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = " + k + " ",
                 true});
  run.push_back({"IF OBJECT_ID('TEMPDB.DBO." + t + "') IS NOT NULL DROP TABLE " + t});
  std::string create = "CREATE TABLE " + t + " ( \r\n"
                       "   [ID]                    BIGINT IDENTITY(1,1) NOT NULL,\r\n"
                       "   [CODART]                CHAR(25) COLLATE DATABASE_DEFAULT NOT NULL,\r\n"
                       "   [DESCART]               CHAR(72) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [INDSTATO_MG6W]         DECIMAL(2,0)        NULL,\r\n"
                       "   [TIPOPROD_PD20]         CHAR(2) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [CODFAM_MG53]           CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [CODSFAM_MG54]          CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUPPO_MG55]           CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [SGRUPPO_MG56]          CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [MARCA_MG64]            CHAR(12) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUPFISC_MG61]         CHAR(12) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUSTAT1_MG74]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUSTAT2_MG75]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUSTAT3_MG76]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                       "   [GRUSTAT4_MG77]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n";
  for (const BodyConfig& body : config.bodies) {
    create += "   [" + body.code + "]        DECIMAL(1,0)        NOT NULL     DEFAULT(1),\r\n";
  }
  create += "   [NEW_STATO]             DECIMAL(2,0)        NULL,\r\n"
            "   [PERMESSO_AGGSTATO]     DECIMAL(1,0)        NULL,\r\n ) ";
  run.push_back({create});
  run.push_back(
      {"INSERT INTO " + t + " ( CODART , DESCART , INDSTATO_MG6W , TIPOPROD_PD20 , CODFAM_MG53 , CODSFAM_MG54 , "
       "     GRUPPO_MG55 , SGRUPPO_MG56 , MARCA_MG64 , GRUPFISC_MG61 , GRUSTAT1_MG74 , GRUSTAT2_MG75 , "
       "GRUSTAT3_MG76 , GRUSTAT4_MG77 ) SELECT RTRIM(MG66_CODART) , MG87_DESCART , MG66_INDSTATO_MG6W , "
       "PD18_TIPOPROD_PD20 , MG66_FAM_MG53 , MG66_SFAM_MG54 ,      MG66_GRUPPO_MG55 , MG66_SGRUPPO_MG56 , "
       "MG66_MARCA_MG64 , MG66_GRUPFIS_MG61 , MG66_GRUSTAT1_MG74 , MG66_GRUSTAT2_MG75 ,      MG66_GRUSTAT3_MG76 , "
       "MG66_GRUSTAT4_MG77 FROM MG66_ANAGRART WITH (NOLOCK) LEFT OUTER JOIN MG87_ARTDESC WITH (NOLOCK) ON "
       "MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = MG66_CODART AND MG87_OPZIONE_MG5E = '' AND "
       "MG87_LINGUA_MG52 = '' LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND "
       "PD18_CODART_MG66 = MG66_CODART LEFT JOIN VFILTROSTATI AS VS66_FILTROSTATI WITH (NOLOCK) ON "
       "VS66_FILTROSTATI.V_GUID = MG66_GUID LEFT JOIN CO5L_ATTRIBUTIDEN AS MG66_ATTRIBESTESI WITH (NOLOCK) ON "
       "MG66_ATTRIBESTESI.CO5L_GUID = MG66_GUID WHERE MG66_DITTA_CG18 = " + k + " "});

  std::string failure;
  for (const BodyConfig& body : config.bodies) {
    const std::string c = body.code;
    const std::string b = std::to_string(body.id);
    failure += (failure.empty() ? "" : " AND ") + std::string(" [") + c + "] <> 0";
    run.push_back({"UPDATE " + t + " SET [" + c + "] = 1 FROM " + t + " "});
    run.push_back({lines({"UPDATE", t, "SET", "[" + c + "] = 2", "WHERE", "[" + c + "] <> 2", "AND NOT EXISTS", "(",
                          "SELECT", "1", "FROM", "MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK)", "WHERE",
                          "MG0Q_ARGOMENTO_MG0M = " + b + " ", conditions, ")"})});
    run.push_back({lines({"UPDATE", t, "SET", "[" + c + "] = 2", "FROM" + t, "WHERE", "[" + c + "] <> 2",
                          "AND NOT EXISTS", "(", "SELECT", "1", "FROM", "MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
                          "WHERE", "MG0M_DITTA_CG18 = " + k, "AND MG0M_ARGOMENTO = '" + c + "'",
                          "AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ", ")"})});
    run.push_back(
        {lines({"UPDATE", t, "SET", "[" + c + "] = 2", "FROM", t, "WHERE", "[" + c + "] <> 2", "AND NOT EXISTS", "(",
                "SELECT", "1", "FROM", "MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)", "WHERE", "MG0M_DITTA_CG18 = " + k,
                "AND MG0M_ARGOMENTO = '" + c + "'", "AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ", "AND", "(",
                "MG0M_UTENTE_FW07 = " + u, "OR ", "(", "EXISTS", "( ", "SELECT", "1", "FROM",
                "FW00_GRPUSRASSOC WITH (NOLOCK)", "WHERE", "FW00_ID_FW06 = MG0M_GRUPPO_FW06",
                "AND FW00_ID_FW07 = " + u, ")", ")", ")", ")", "AND NOT EXISTS", "(", "SELECT", "1", "FROM",
                "MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)", "WHERE", "MG0M_DITTA_CG18 = " + k,
                "AND MG0M_ARGOMENTO <> '" + c + "'", "AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ", ")"})});
    run.push_back({lines({"SELECT", "MG0P_ID", ", MG0P_CAMPO_MG0O", ", MG0O_CAMPO", ", MG0O_ISNUMERICO",
                          ", MG0N_JOIN_SQL", ", MG0P_VALORE_OBBLIGATORIO", ", MG0P_INDVALZERO", "FROM",
                          "MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)", "INNER JOIN MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ON",
                          "MG0O_ID = MG0P_CAMPO_MG0O", "INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON",
                          "MG0N_ID = MG0O_TABLE_MG0N", "WHERE", "MG0P_ARGOMENTO_MG0M = " + b}),
                   true});
    for (const BodyConfig::Field& field : body.requiredFields) {
      const std::string missing = field.zeroIsNoValue && field.numeric ? "AND ISNULL(" + field.column + ",0) = 0"
                                                                         : "AND " + field.column + " IS NULL";
      run.push_back({lines({"UPDATE", t, "SET", "[" + c + "] = 0", "FROM", t,
                            "INNER JOIN MG66_ANAGRART WITH (NOLOCK) ON", "MG66_DITTA_CG18 = " + k,
                            "AND MG66_CODART = CODART", field.joinSql,
                            "INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
                            "AND MG0Q_ARGOMENTO_MG0M = " + b + conditions,
                            "LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON", "MG0U_IDENTITARG_MG0Q = MG0Q_ID",
                            "AND MG0U_IDCAMPOARG_MG0P = " + std::to_string(field.validationFieldId), "WHERE",
                            "[" + c + "] = 1", missing, "AND MG0U_ID IS NULL", "AND NOT EXISTS", "(", "SELECT  1",
                            "FROM ", "MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK)", "WHERE", "MG0R_DITTA_CG18 = " + k,
                            "AND MG0R_CODART_MG66 = CODART", "AND MG0R_ARGOMENTO_MG0M = MG0Q_ARGOMENTO_MG0M",
                            "AND MG0R_CAMPO_MG0O = " + std::to_string(field.catalogueFieldId),
                            "AND ISNULL(MG0R_VALIDATO,0) = 1", ")"})});
    }
    run.push_back({lines({"UPDATE", t, "SET", "[" + c + "] = 0", "FROM", t, "WHERE", "[" + c + "] = 1",
                          "AND EXISTS", "(", "SELECT 1", "FROM", "MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)",
                          "LEFT OUTER JOIN MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) ON", "MG0R_DITTA_CG18 = " + k,
                          "AND MG0R_CODART_MG66 = CODART", "AND MG0R_ARGOMENTO_MG0M = MG0P_ARGOMENTO_MG0M",
                          "AND MG0R_CAMPO_MG0O = MG0P_CAMPO_MG0O",
                          "INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1", "AND MG0Q_ARGOMENTO_MG0M = " + b,
                          conditions, "LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
                          "MG0U_IDENTITARG_MG0Q = MG0Q_ID", "AND MG0U_IDCAMPOARG_MG0P = MG0P_ID", "WHERE",
                          "MG0P_ARGOMENTO_MG0M = " + b, "AND MG0P_VALIDAZ_MANUALE = 1",
                          "AND ISNULL(MG0R_VALIDATO,0) = 0", "AND MG0U_ID IS NULL", ")"})});
    run.push_back({"UPDATE       " + t + "   SET       NEW_STATO = " + std::to_string(body.endState) +
                   "   WHERE       [" + c + "] = 1   AND " + failure});
    run.push_back({"UPDATE       " + t + "   SET       NEW_STATO = NULL   WHERE       [" + c + "] = 0"});
  }
  run.push_back({"UPDATE " + t + " SET PERMESSO_AGGSTATO = NULL "});
  run.push_back({"UPDATE " + t + " SET PERMESSO_AGGSTATO = 1 WHERE NEW_STATO IS NOT NULL "});
  std::string display;
  for (const BodyConfig& body : config.bodies) display += (display.empty() ? "" : " OR ") + (" [" + body.code + "] <> 2 ");
  run.push_back({"SELECT * FROM " + t + " WHERE (" + display + ") ORDER BY CODART ", true});
  return run;
}

}  // namespace bench

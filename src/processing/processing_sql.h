// Fixed statement text of the item processing: the item working table's definition and fill,
// the queries of the run, and the two entity maps (matching lines of the checks, columns of
// the items grid). Values are spliced by the procedures; every fragment keeps its blanks.
#pragma once

#include <array>
#include <string_view>

namespace passaggio::processing_sql {

inline constexpr std::string_view kItemTablePrefix = "##TableDatiArticolo_";
inline constexpr std::string_view kTableNamePlaceholder = "<TABLE_NAME>";
inline constexpr std::string_view kDropTemplate =
    "IF OBJECT_ID('TEMPDB.DBO.<TABLE_NAME>') IS NOT NULL DROP TABLE <TABLE_NAME>";

inline constexpr std::string_view kManagedEntities =
    "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0L_DITTA_CG18 = ";
inline constexpr std::string_view kManagedEntitiesSelected = "     AND MG0L_ENTITA_SEL = 1 ";

inline constexpr std::string_view kBodies =
    "SELECT MG0M_ID , MG0M_ARGOMENTO , MG0M_DESCARGOMENTO , MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W "
    "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = ";

// The item working table: fifteen fixed columns, one verdict column per body, then the new
// state and the permission. The last definition keeps its comma, as the server allows.
inline constexpr std::string_view kCreateHead = " ( \r\n";
inline constexpr std::string_view kCreateFixedColumns =
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
inline constexpr std::string_view kCreateBodyColumnHead = "   ";
inline constexpr std::string_view kCreateBodyColumnTail = "        DECIMAL(1,0)        NOT NULL     DEFAULT(1),\r\n";
inline constexpr std::string_view kCreateTail =
    "   [NEW_STATO]             DECIMAL(2,0)        NULL,\r\n"
    "   [PERMESSO_AGGSTATO]     DECIMAL(1,0)        NULL,\r\n"
    " ) ";

inline constexpr std::string_view kFillColumns =
    " ( CODART , DESCART , INDSTATO_MG6W , TIPOPROD_PD20 , CODFAM_MG53 , CODSFAM_MG54 , "
    "     GRUPPO_MG55 , SGRUPPO_MG56 , MARCA_MG64 , GRUPFISC_MG61 , GRUSTAT1_MG74 , GRUSTAT2_MG75 , GRUSTAT3_MG76 , "
    "GRUSTAT4_MG77 ) ";
inline constexpr std::string_view kFillSelect =
    "SELECT RTRIM(MG66_CODART) , MG87_DESCART , MG66_INDSTATO_MG6W , PD18_TIPOPROD_PD20 , MG66_FAM_MG53 , "
    "MG66_SFAM_MG54 , "
    "     MG66_GRUPPO_MG55 , MG66_SGRUPPO_MG56 , MG66_MARCA_MG64 , MG66_GRUPFIS_MG61 , MG66_GRUSTAT1_MG74 , "
    "MG66_GRUSTAT2_MG75 , "
    "     MG66_GRUSTAT3_MG76 , MG66_GRUSTAT4_MG77 "
    "FROM MG66_ANAGRART WITH (NOLOCK) "
    "LEFT OUTER JOIN MG87_ARTDESC WITH (NOLOCK) ON MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = "
    "MG66_CODART AND MG87_OPZIONE_MG5E = '' AND MG87_LINGUA_MG52 = '' "
    "LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND PD18_CODART_MG66 = "
    "MG66_CODART "
    "LEFT JOIN VFILTROSTATI AS VS66_FILTROSTATI WITH (NOLOCK) ON VS66_FILTROSTATI.V_GUID = MG66_GUID "
    "LEFT JOIN CO5L_ATTRIBUTIDEN AS MG66_ATTRIBESTESI WITH (NOLOCK) ON MG66_ATTRIBESTESI.CO5L_GUID = MG66_GUID "
    "WHERE MG66_DITTA_CG18 = ";
inline constexpr std::string_view kFillOneItem = "   AND MG66_CODART = '";

// What a managed entity adds to the entity-association match: the line against the item
// working table, the line against the item master, and the column of the items grid. An
// entity without a column ("AZIENDA") adds nothing and shows nothing.
struct EntityMapping {
  std::string_view entity;
  std::string_view workingTableLine;
  std::string_view itemMasterLine;
  std::string_view gridColumn;
};

inline constexpr std::array<EntityMapping, 11> kEntityMap{{
    {"TIPO_PROD", "   AND MG0Q_TIPOPROD = TIPOPROD_PD20 ", "   AND MG0Q_TIPOPROD = PD18_TIPOPROD_PD20 ",
     "TIPOPROD_PD20"},
    {"FAMIGLIA", "   AND MG0Q_CODFAM_MG53 = CODFAM_MG53 ", "   AND MG0Q_CODFAM_MG53 = MG66_FAM_MG53 ", "CODFAM_MG53"},
    {"SFAMIGLIA", "   AND MG0Q_CODSFAM_MG54 = CODSFAM_MG54 ", "   AND MG0Q_CODSFAM_MG54 = MG66_SFAM_MG54 ",
     "CODSFAM_MG54"},
    {"GRUPPO", "   AND MG0Q_GRUPPO_MG55 = GRUPPO_MG55 ", "   AND MG0Q_GRUPPO_MG55 = MG66_GRUPPO_MG55 ", "GRUPPO_MG55"},
    {"SGRUPPO", "   AND MG0Q_SGRUPPO_MG56 = SGRUPPO_MG56 ", "   AND MG0Q_SGRUPPO_MG56 = MG66_SGRUPPO_MG56 ",
     "SGRUPPO_MG56"},
    {"MARCA", "   AND MG0Q_MARCA_MG64 = MARCA_MG64 ", "   AND MG0Q_MARCA_MG64 = MG66_MARCA_MG64 ", "MARCA_MG64"},
    {"GRUPPO_FISC", "   AND MG0Q_GRUPFISC_MG61 = GRUPFISC_MG61 ", "   AND MG0Q_GRUPFISC_MG61 = MG66_GRUPFIS_MG61 ",
     "GRUPFISC_MG61"},
    {"GRU_STAT1", "   AND MG0Q_GRUSTAT1_MG74 = GRUSTAT1_MG74 ", "   AND MG0Q_GRUSTAT1_MG74 = MG66_GRUSTAT1_MG74 ",
     "GRUSTAT1_MG74"},
    {"GRU_STAT2", "   AND MG0Q_GRUSTAT2_MG75 = GRUSTAT2_MG75 ", "   AND MG0Q_GRUSTAT2_MG75 = MG66_GRUSTAT2_MG75 ",
     "GRUSTAT2_MG75"},
    {"GRU_STAT3", "   AND MG0Q_GRUSTAT3_MG76 = GRUSTAT3_MG76 ", "   AND MG0Q_GRUSTAT3_MG76 = MG66_GRUSTAT3_MG76 ",
     "GRUSTAT3_MG76"},
    {"GRU_STAT4", "   AND MG0Q_GRUSTAT4_MG77 = GRUSTAT4_MG77 ", "   AND MG0Q_GRUSTAT4_MG77 = MG66_GRUSTAT4_MG77 ",
     "GRUSTAT4_MG77"},
}};

//! The mapping of a managed entity's code, compared exactly; null for a code without one.
inline const EntityMapping* FindEntity(std::string_view entity) {
  for (const EntityMapping& mapping : kEntityMap) {
    if (mapping.entity == entity) return &mapping;
  }
  return nullptr;
}

}  // namespace passaggio::processing_sql

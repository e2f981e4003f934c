// The statements of a run: the managed entities and bodies it reads, the item working table's
// definition and fill, and the rows the items grid shows. Placeholders: <K> the company, <T>
// the item working table.
#pragma once

#include <string_view>

namespace passaggio::run_statements {

inline constexpr std::string_view kItemTablePrefix = "##TableDatiArticolo_";

inline constexpr std::string_view kManagedEntities =
    "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0L_DITTA_CG18 = <K> "
    "     AND MG0L_ENTITA_SEL = 1 ";

inline constexpr std::string_view kBodies =
    "SELECT MG0M_ID , MG0M_ARGOMENTO , MG0M_DESCARGOMENTO , MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W "
    "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> ";

// The item working table: fifteen fixed columns, one verdict column per body, then the new
// state and the permission. The last definition keeps its comma, as the server allows.
// <COLUMNS> holds one kBodyColumn per body.
inline constexpr std::string_view kCreate =
    "CREATE TABLE <T> ( \r\n"
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
    "   [GRUSTAT4_MG77]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
    "<COLUMNS>"
    "   [NEW_STATO]             DECIMAL(2,0)        NULL,\r\n"
    "   [PERMESSO_AGGSTATO]     DECIMAL(1,0)        NULL,\r\n"
    " ) ";
//! The verdict column of a body; <C> is its bracketed code.
inline constexpr std::string_view kBodyColumn = "   <C>        DECIMAL(1,0)        NOT NULL     DEFAULT(1),\r\n";

//! The selected items, with their state and classification. <SELECTION> is kOneItem, or a
//! blank and the filter's condition, or empty.
inline constexpr std::string_view kFill =
    "INSERT INTO <T> ( CODART , DESCART , INDSTATO_MG6W , TIPOPROD_PD20 , CODFAM_MG53 , CODSFAM_MG54 , "
    "     GRUPPO_MG55 , SGRUPPO_MG56 , MARCA_MG64 , GRUPFISC_MG61 , GRUSTAT1_MG74 , GRUSTAT2_MG75 , GRUSTAT3_MG76 , "
    "GRUSTAT4_MG77 ) "
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
    "WHERE MG66_DITTA_CG18 = <K> <SELECTION>";
//! The one item a calling program asked for; <ITEM> is its code as a literal.
inline constexpr std::string_view kOneItem = "   AND MG66_CODART = <ITEM> ";

//! The rows some body concerns, for the items grid; <SHOWN> is the display condition.
inline constexpr std::string_view kShownItems = "SELECT * FROM <T> WHERE (<SHOWN>) ORDER BY CODART ";

}  // namespace passaggio::run_statements

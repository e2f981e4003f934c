// The statements of the field detail. Placeholders: <F> the item field working table, <T> the
// item working table, <K> the company, <U> the current user's id, <ITEM> the item's code as a
// literal, <MATCH> the entity-association matching lines.
#pragma once

#include <string_view>

namespace passaggio::field_detail_statements {

inline constexpr std::string_view kFieldTablePrefix = "##TableCampiArticolo_";

//! The fields of every body of the item's state whose association matches the item, less
//! those the association excludes: one row per field and matching association. The pieces
//! follow each other without line breaks.
inline constexpr std::string_view kBuild =
    "   SELECT"
    "       MG0P_ID"
    "       , MG0M_ARGOMENTO"
    "       , MG0M_DESCARGOMENTO"
    "       , MG0O_CAPTIONCAMPO"
    "       , MG0P_VALORE_OBBLIGATORIO"
    "       , MG0P_INDVALZERO"
    "       , CONVERT(VARCHAR(100),'') AS VALORE_CAMPO"
    "       , MG0P_VALIDAZ_MANUALE"
    "       , ISNULL(MG0R_VALIDATO,0) AS VISTO"
    "       , MG0O_CAMPO"
    "       , MG0N_TABLE"
    "       , MG0N_JOIN_SQL"
    "       , MG0N_ISTABLE"
    "       , MG0M_TIPO_RESPONSABILE"
    "       , MG0M_UTENTE_FW07"
    "       , MG0M_GRUPPO_FW06"
    "       , MG0M_ID"
    "       , MG0O_ID"
    "       , CASE"
    "           WHEN"
    "               (MG0M_UTENTE_FW07 = <U>)"
    "               OR (EXISTS( SELECT 1 FROM FW00_GRPUSRASSOC WITH (NOLOCK) WHERE FW00_ID_FW06 = MG0M_GRUPPO_FW06 AND "
    "FW00_ID_FW07 = <U> ))"
    "           THEN 1"
    "           ELSE 0"
    "       END AS METTI_VISTO"
    "   INTO <F>"
    "   FROM <T>"
    "   INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1"
    "   <MATCH>"
    "   INNER JOIN MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) ON MG0M_ID = MG0Q_ARGOMENTO_MG0M"
    "   INNER JOIN MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) ON MG0P_ARGOMENTO_MG0M = MG0Q_ARGOMENTO_MG0M"
    "   INNER JOIN MG0O_CAMPI_PASSAGGI WITH (nOLOCK) ON MG0O_ID = MG0P_CAMPO_MG0O"
    "   INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON MG0N_ID = MG0O_TABLE_MG0N"
    "   LEFT OUTER JOIN MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) ON "
    "       MG0R_DITTA_CG18 = <K>"
    "       AND MG0R_CODART_MG66 = CODART"
    "       AND MG0R_ARGOMENTO_MG0M = MG0M_ID"
    "       AND MG0R_CAMPO_MG0O = MG0O_ID"
    "   LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON "
    "       MG0U_IDENTITARG_MG0Q = MG0Q_ID"
    "       AND MG0U_IDCAMPOARG_MG0P = MG0P_ID"
    "   WHERE"
    "       CODART = <ITEM>"
    "       AND MG0M_STATOINI_MG6W = INDSTATO_MG6W"
    "       AND MG0U_ID IS NULL";

//! A body's code shows on the first of its rows only.
inline constexpr std::string_view kGroupDisplay =
    "UPDATE <F> SET MG0M_ARGOMENTO = '' "
    "WHERE EXISTS(SELECT 1 FROM <F> DETT_CAMPIARG_ARTICOLI "
    "                 WHERE DETT_CAMPIARG_ARTICOLI.MG0M_ARGOMENTO = <F>.MG0M_ARGOMENTO "
    "                     AND DETT_CAMPIARG_ARTICOLI.MG0P_ID < <F>.MG0P_ID) ";

inline constexpr std::string_view kRows = "SELECT * FROM <F> ORDER BY MG0M_ID , MG0P_ID ";

//! The item's value of one field: <FIELD> its column expression, <JOIN> empty or the join
//! that brings its table in, followed by a blank.
inline constexpr std::string_view kValue =
    "SELECT <FIELD> AS VALORE "
    "FROM MG66_ANAGRART WITH (NOLOCK) <JOIN>"
    "WHERE MG66_DITTA_CG18 = <K> "
    "     AND MG66_CODART = <ITEM> ";

//! The value kept for the field <MG0P_ID>; <VALUE> holds no quote.
inline constexpr std::string_view kStoreValue[] = {
    "   UPDATE", "   <F>", "   SET", "   VALORE_CAMPO = '<VALUE>'", "   WHERE", "   MG0P_ID = <MG0P_ID>",
};

//! A tick given (<TICK> 1) or taken back (0) on every row of the field; the value runs into
//! WHERE, which the server reads as two words.
inline constexpr std::string_view kTick = "UPDATE <F> SET VISTO = <TICK>WHERE MG0P_ID = <MG0P_ID> ";

}  // namespace passaggio::field_detail_statements

// The statements of the two write paths. Placeholders: <K> the company, <T> the item working
// table, <F> the item field working table, <ITEM> an item's code as a literal, <ID> the row
// of the item working table.
#pragma once

#include <string_view>

namespace passaggio::state_change_statements {

//! A sign-off row is made the first time its field is ticked. A field the item reaches
//! through two associations of one body is listed twice in <F>: it is inserted once.
inline constexpr std::string_view kInsertSignOffs =
    "INSERT INTO MG0R_VALIDAZMAN_PASSAGGI ( MG0R_DITTA_CG18 , MG0R_CODART_MG66 , MG0R_ARGOMENTO_MG0M , "
    "MG0R_CAMPO_MG0O , MG0R_VALIDATO ) "
    "SELECT DISTINCT <K> , <ITEM> , MG0M_ID , MG0O_ID , 1 "
    "FROM <F> "
    "WHERE VISTO = 1 "
    "     AND NOT EXISTS(SELECT 1 FROM MG0R_VALIDAZMAN_PASSAGGI "
    "                     WHERE MG0R_DITTA_CG18 = <K> "
    "                         AND MG0R_CODART_MG66 = <ITEM> "
    "                         AND MG0R_ARGOMENTO_MG0M = MG0M_ID "
    "                         AND MG0R_CAMPO_MG0O = MG0O_ID ) ";

//! Then every stored sign-off of the item follows its tick; rows are never deleted.
inline constexpr std::string_view kUpdateSignOffs =
    "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = VISTO "
    "FROM MG0R_VALIDAZMAN_PASSAGGI "
    "INNER JOIN <F> WITH (NOLOCK) ON MG0R_ARGOMENTO_MG0M = MG0M_ID AND MG0R_CAMPO_MG0O = MG0O_ID "
    "WHERE MG0R_DITTA_CG18 = <K> "
    "                         AND MG0R_CODART_MG66 = <ITEM> ";

inline constexpr std::string_view kForgetNewState = "UPDATE <T> SET NEW_STATO = NULL WHERE ID = <ID> ";

//! Every row the user may apply, whether the grid shows it or not.
inline constexpr std::string_view kApplyStates =
    "UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = NEW_STATO "
    "FROM MG66_ANAGRART "
    "INNER JOIN <T> ON MG66_CODART = CODART "
    "WHERE MG66_DITTA_CG18 = <K> "
    "     AND PERMESSO_AGGSTATO = 1 ";

//! An item that steps back loses its sign-offs, applied or not: INDSTATO_MG6W is still the
//! state the run read.
inline constexpr std::string_view kWithdrawSignOffs =
    "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0 "
    "WHERE EXISTS(SELECT 1 FROM <T> "
    "                 WHERE MG0R_CODART_MG66 = CODART AND NEW_STATO < INDSTATO_MG6W ) "
    "     AND MG0R_DITTA_CG18 = <K> ";

//! The items whose state was just applied...
inline constexpr std::string_view kChangedItems =
    "SELECT MG66_CODART "
    "FROM MG66_ANAGRART "
    "INNER JOIN <T> ON MG66_CODART = CODART "
    "WHERE MG66_DITTA_CG18 = <K> "
    "     AND PERMESSO_AGGSTATO = 1 ";
//! ... and one of them with the columns <COLUMNS> the change record wants.
inline constexpr std::string_view kChangedItem =
    "SELECT <COLUMNS> "
    "FROM MG66_ANAGRART WITH (NOLOCK) "
    "INNER JOIN <T> ON MG66_CODART = CODART "
    "WHERE MG66_DITTA_CG18 = <K>"
    "      AND PERMESSO_AGGSTATO = 1 "
    "      AND MG66_CODART = <ITEM>";

//! The rows the items grid shows (<SHOWN>), counted by what an apply does or did to them,
//! beside the item master: those that may move and are not in their new state yet, those
//! whose state the apply changed, those a body fails (no new state), and those whose new
//! state the user may not assign.
inline constexpr std::string_view kCounts[] = {
    "SELECT",
    "    COUNT(*) AS TROVATI",
    "    , SUM(CASE WHEN PERMESSO_AGGSTATO = 1 AND MG66_INDSTATO_MG6W <> NEW_STATO THEN 1 ELSE 0 END) AS DA_CAMBIARE",
    "    , SUM(CASE WHEN PERMESSO_AGGSTATO = 1 AND MG66_INDSTATO_MG6W = NEW_STATO",
    "                   AND NEW_STATO <> INDSTATO_MG6W THEN 1 ELSE 0 END) AS CAMBIATI",
    "    , SUM(CASE WHEN NEW_STATO IS NULL THEN 1 ELSE 0 END) AS SENZA_NUOVO_STATO",
    "    , SUM(CASE WHEN NEW_STATO IS NOT NULL AND ISNULL(PERMESSO_AGGSTATO,0) <> 1 THEN 1 ELSE 0 END) AS NON_PERMESSI",
    "FROM <T>",
    "    LEFT OUTER JOIN MG66_ANAGRART WITH (NOLOCK) ON MG66_DITTA_CG18 = <K> AND MG66_CODART = CODART",
    "WHERE (<SHOWN>)",
};

}  // namespace passaggio::state_change_statements

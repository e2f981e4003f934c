// The statements of the per-body checks. Placeholders: <T> the item working table, <C> the
// body's verdict column, <CODE> the body's code as a literal, <B> the body id, <K> the
// company, <U> the current user's id, <MATCH> the entity-association matching lines, <ROW>
// the row filter (empty, or the one row being checked again). The lines are joined by CR LF;
// their indentation is only for whoever reads a trace.
#pragma once

#include <string_view>

namespace passaggio::check_statements {

//! Every check starts from "applies and passes". <FIRST_ROW> is the row filter as the only
//! condition: empty, or "   WHERE ID = n ".
inline constexpr std::string_view kReset = "UPDATE <T> SET <C> = 1 FROM <T> <FIRST_ROW>";

//! No entity association of the body matches the item.
inline constexpr std::string_view kEntityMismatch[] = {
    "UPDATE",
    "    <T>",
    "SET",
    "    <C> = 2",
    "WHERE",
    "    <C> <> 2",
    "    AND NOT EXISTS",
    "    (",
    "        SELECT",
    "            1",
    "        FROM",
    "            MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK)",
    "        WHERE",
    "            MG0Q_ARGOMENTO_MG0M = <B> ",
    "            <MATCH>",
    "    )",
    "<ROW>",
};

//! The item is not in the body's start state.
inline constexpr std::string_view kStateMismatch[] = {
    "UPDATE",
    "    <T>",
    "SET",
    "    <C> = 2",
    "FROM<T>",  // FROM runs into the table name: the server still reads two words
    "WHERE",
    "    <C> <> 2",
    "    AND NOT EXISTS",
    "    (",
    "        SELECT",
    "            1",
    "        FROM",
    "            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
    "        WHERE",
    "            MG0M_DITTA_CG18 = <K>",
    "            AND MG0M_ARGOMENTO = <CODE>",
    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
    "    )",
    "<ROW>",
};

//! The current user is not responsible for the body, and no other body starts from the
//! item's state: then the body is not the user's to judge.
inline constexpr std::string_view kNotResponsible[] = {
    "UPDATE",
    "    <T>",
    "SET",
    "    <C> = 2",
    "FROM",
    "    <T>",
    "WHERE",
    "    <C> <> 2",
    "    AND NOT EXISTS",
    "    (",
    "        SELECT",
    "            1",
    "        FROM",
    "            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
    "        WHERE",
    "            MG0M_DITTA_CG18 = <K>",
    "            AND MG0M_ARGOMENTO = <CODE>",
    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
    "            AND",
    "            (",
    "                MG0M_UTENTE_FW07 = <U>",
    "                OR ",
    "                (",
    "                    EXISTS",
    "                    ( ",
    "                        SELECT",
    "                            1",
    "                        FROM",
    "                            FW00_GRPUSRASSOC WITH (NOLOCK)",
    "                        WHERE",
    "                            FW00_ID_FW06 = MG0M_GRUPPO_FW06",
    "                            AND FW00_ID_FW07 = <U>",
    "                    )",
    "                )",
    "            )",
    "    )",
    "    AND NOT EXISTS",
    "    (",
    "        SELECT",
    "            1",
    "        FROM",
    "            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
    "        WHERE",
    "            MG0M_DITTA_CG18 = <K>",
    "            AND MG0M_ARGOMENTO <> <CODE>",
    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
    "    )",
    "<ROW>",
};

//! The body's fields, for the required-value checks.
inline constexpr std::string_view kFields[] = {
    "SELECT",
    "    MG0P_ID",
    "    , MG0P_CAMPO_MG0O",
    "    , MG0O_CAMPO",
    "    , MG0O_ISNUMERICO",
    "    , MG0N_JOIN_SQL",
    "    , MG0P_VALORE_OBBLIGATORIO",
    "    , MG0P_INDVALZERO",
    "FROM",
    "    MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)",
    "    INNER JOIN MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ON",
    "        MG0O_ID = MG0P_CAMPO_MG0O",
    "    INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON",
    "        MG0N_ID = MG0O_TABLE_MG0N",
    "WHERE",
    "    MG0P_ARGOMENTO_MG0M = <B>",
    "",
};

//! A required field without a value fails the body, unless the field is excluded for a
//! matching association or signed off for the item. <JOIN> brings the field's table in,
//! <MISSING> is one of the two tests below, <FIELD_ID> the catalogue field, <MG0P_ID> the
//! body's field.
inline constexpr std::string_view kRequiredValue[] = {
    "UPDATE",
    "    <T>",
    "SET",
    "    <C> = 0",
    "FROM",
    "    <T>",
    "    INNER JOIN MG66_ANAGRART WITH (NOLOCK) ON",
    "        MG66_DITTA_CG18 = <K>",
    "        AND MG66_CODART = CODART",
    "    <JOIN>",
    "    INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
    "        AND MG0Q_ARGOMENTO_MG0M = <B><MATCH>",
    "    LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
    "        MG0U_IDENTITARG_MG0Q = MG0Q_ID",
    "        AND MG0U_IDCAMPOARG_MG0P = <MG0P_ID>",
    "WHERE",
    "    <C> = 1",
    "<MISSING>",
    "    AND MG0U_ID IS NULL",
    "    AND NOT EXISTS",
    "    (",
    "        SELECT  1",
    "        FROM ",
    "            MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK)",
    "        WHERE",
    "            MG0R_DITTA_CG18 = <K>",
    "            AND MG0R_CODART_MG66 = CODART",
    "            AND MG0R_ARGOMENTO_MG0M = MG0Q_ARGOMENTO_MG0M",
    "            AND MG0R_CAMPO_MG0O = <FIELD_ID>",
    "            AND ISNULL(MG0R_VALIDATO,0) = 1",
    "    )",
    "<ROW>",
};
//! No value: NULL or zero, for a numeric field whose zero is no value; otherwise NULL only.
inline constexpr std::string_view kNullOrZero = "    AND ISNULL(<FIELD>,0) = 0";
inline constexpr std::string_view kNull = "    AND <FIELD> IS NULL";

//! A field needing a manual sign-off, not excluded for a matching association, that has
//! none fails the body.
inline constexpr std::string_view kManualSignOff[] = {
    "UPDATE",
    "    <T>",
    "SET",
    "    <C> = 0",
    "FROM",
    "    <T>",
    "WHERE",
    "    <C> = 1",
    "    AND EXISTS",
    "    (",
    "        SELECT 1",
    "        FROM",
    "            MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)",
    "            LEFT OUTER JOIN MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) ON",
    "                MG0R_DITTA_CG18 = <K>",
    "                AND MG0R_CODART_MG66 = CODART",
    "                AND MG0R_ARGOMENTO_MG0M = MG0P_ARGOMENTO_MG0M",
    "                AND MG0R_CAMPO_MG0O = MG0P_CAMPO_MG0O",
    "            INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
    "                AND MG0Q_ARGOMENTO_MG0M = <B>",
    "                <MATCH>",
    "            LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
    "                MG0U_IDENTITARG_MG0Q = MG0Q_ID",
    "                AND MG0U_IDCAMPOARG_MG0P = MG0P_ID",
    "        WHERE",
    "            MG0P_ARGOMENTO_MG0M = <B>",
    "            AND MG0P_VALIDAZ_MANUALE = 1",
    "            AND ISNULL(MG0R_VALIDATO,0) = 0",
    "            AND MG0U_ID IS NULL",
    "    )",
    "<ROW>",
};

//! The new state, in pieces without line breaks: the body's end state <END> where it passes
//! and no body so far failed (<FAILED>: empty, or "   AND " and the failure condition)...
inline constexpr std::string_view kNewState =
    "UPDATE       <T>   SET       NEW_STATO = <END>   WHERE       <C> = 1<ROW><FAILED>";
//! ... and none where it fails.
inline constexpr std::string_view kNoNewState =
    "UPDATE       <T>   SET       NEW_STATO = NULL   WHERE       <C> = 0<ROW>";

//! The permission to apply the new state. <FIRST_ROW> is empty or "WHERE ID = n ".
inline constexpr std::string_view kClearPermission = "UPDATE <T> SET PERMESSO_AGGSTATO = NULL <FIRST_ROW>";
inline constexpr std::string_view kPermitEveryState =
    "UPDATE <T> SET PERMESSO_AGGSTATO = 1 WHERE NEW_STATO IS NOT NULL <ROW>";
//! A user who may assign only some states: <STATES> lists them, joined by " , ".
inline constexpr std::string_view kPermitStates =
    "UPDATE <T> SET PERMESSO_AGGSTATO = 1 WHERE NEW_STATO IS NOT NULL AND NEW_STATO IN (<STATES>) <ROW>";
inline constexpr std::string_view kRefuseOtherStates =
    "UPDATE <T> SET PERMESSO_AGGSTATO = 0 WHERE NEW_STATO IS NOT NULL AND PERMESSO_AGGSTATO IS NULL <ROW>";

}  // namespace passaggio::check_statements

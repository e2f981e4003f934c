// The statements and messages of the validation-body fields editor. Placeholders: <K> the
// company, <B> the chosen body's id (bare, or as a literal where the statement quotes it),
// <C> a body code as a literal, <ID> a catalogue field id, <NAME> a field name as a literal,
// <MATCH> the entity-association matching lines against the item master.
#pragma once

#include <string_view>

namespace passaggio::body_fields_statements {

//! The editor's rows before a body is chosen: none.
inline constexpr std::string_view kNoBodyQuery =
    "SELECT * "
    " FROM MG0P_CAMPIARG_PASSAGGI "
    " WHERE 1=0 ";

//! The chosen body's fields.
inline constexpr std::string_view kBodyQuery =
    "SELECT * "
    " FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) "
    " WHERE MG0P_ARGOMENTO_MG0M = <B> ";

//! The company's bodies to choose from.
inline constexpr std::string_view kBodyList =
    "SELECT MG0M_ARGOMENTO , MG0M_DESCARGOMENTO "
    "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> ";

inline constexpr std::string_view kBodyByCode =
    "SELECT MG0M_ID , MG0M_DESCARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> "
    "     AND MG0M_ARGOMENTO = <C> ";

// What the grid shows for a row's catalogue field: its name and its caption.
inline constexpr std::string_view kFieldName =
    "SELECT MG0O_CAMPO "
    "FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0O_ID = <ID> ";
inline constexpr std::string_view kFieldCaption =
    "SELECT MG0O_CAPTIONCAMPO "
    "FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0O_ID = <ID> ";

//! The whole catalogue to choose from.
inline constexpr std::string_view kFieldList =
    "SELECT MG0O_CAMPO , MG0O_CAPTIONCAMPO, (CASE MG0O_ISNUMERICO WHEN 1 THEN 'Sì' ELSE 'No' END) AS ISNUMERICO "
    "FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) "
    "ORDER BY MG0O_TABLE_MG0N , MG0O_ID ";

//! The catalogue field entered, with its table's kind; every line ends with CR LF, the last
//! one included.
inline constexpr std::string_view kFieldByName[] = {
    "         SELECT",
    "       MG0O_ID",
    "       , MG0O_CAPTIONCAMPO",
    "       , MG0O_INDVALZERO",
    "       , MG0O_ISNUMERICO",
    "       , MG0N_ISTABLE",
    "   FROM",
    "       MG0O_CAMPI_PASSAGGI WITH (NOLOCK)",
    "   INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON",
    "       MG0N_ID = MG0O_TABLE_MG0N",
    "   WHERE",
    "       MG0O_CAMPO = <NAME>",
    "",
};

//! The same field as the field's decode reads it.
inline constexpr std::string_view kFieldDecode =
    "SELECT MG0O_ID , MG0O_CAPTIONCAMPO , MG0O_ISNUMERICO , MG0N_ISTABLE "
    "FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) "
    "INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON MG0N_ID = MG0O_TABLE_MG0N "
    "WHERE MG0O_CAMPO = <NAME> ";

inline constexpr std::string_view kIsNumeric =
    " SELECT MG0O_ISNUMERICO "
    " FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) "
    " WHERE MG0O_ID = <ID> ";

//! The largest field id of the whole table, every company's: new grid keys follow it.
inline constexpr std::string_view kLargestId =
    "SELECT ISNULL(MAX(MG0P_ID),0) AS MAX_ID FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) ";

//! An item of the company in the body's start state that one of the body's associations
//! matches and that already carries a sign-off for the body. <C> is the body's code.
inline constexpr std::string_view kPendingItem =
    "SELECT TOP 1 1 FROM MG66_ANAGRART WITH (NOLOCK) "
    "LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART "
    "WHERE MG66_DITTA_CG18 = <K> "
    "     AND EXISTS(SELECT 1 FROM MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) "
    "                 WHERE MG0Q_ARGOMENTO_MG0M = <B> "
    "                     <MATCH>) "
    "     AND EXISTS(SELECT 1 FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "                 WHERE MG0M_DITTA_CG18 = MG66_DITTA_CG18 "
    "                     AND MG0M_ARGOMENTO = <C> "
    "                     AND MG0M_STATOINI_MG6W = MG66_INDSTATO_MG6W) "
    "     AND EXISTS(SELECT 1 FROM MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) "
    "                 WHERE MG0R_DITTA_CG18 = MG66_DITTA_CG18 "
    "                     AND MG0R_CODART_MG66 = MG66_CODART "
    "                     AND MG0R_ARGOMENTO_MG0M = <B> "
    "                     AND MG0R_VALIDATO = 1) ";

inline constexpr std::string_view kUnknownBodyMessage = "Codice argomento inesistente.";
inline constexpr std::string_view kUnknownFieldMessage = "Nome campo inesistente.";
//! Put around the body's code.
inline constexpr std::string_view kPendingMessageHead = "Impossibile modificare l'ente validazione ";
inline constexpr std::string_view kPendingMessageTail =
    " perchè risultano articoli Pending.\r\n"
    "E' necessario validare tali articoli o eliminare le semi validazioni.";

}  // namespace passaggio::body_fields_statements

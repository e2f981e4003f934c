// The statements and messages of the validation bodies editor. Placeholders: <K> the company,
// <C> a body code as a literal, <S> a start state, <U> a user id, <G> a group id, <I> a body id
// as a literal, <V> a state code, <CODE> a user or group code as a literal.
#pragma once

#include <string_view>

namespace passaggio::bodies_statements {

//! The editor's rows: the company's bodies.
inline constexpr std::string_view kFrameQuery =
    "SELECT * "
    " FROM MG0M_ARGOMENTI_PASSAGGI "
    " WHERE MG0M_DITTA_CG18 = <K> ";

//! The description a state cell of the grid shows.
inline constexpr std::string_view kStateDescription =
    "SELECT MG6W_DESCR FROM MG6W_STATIART WITH (NOLOCK) "
    "WHERE MG6W_INDSTATO = <V> ";

//! The id of an active user, and of a group, by code.
inline constexpr std::string_view kUserId =
    "SELECT FW07_ID FROM FW07_APPUSER WITH (NOLOCK) "
    "WHERE FW07_CODICE = <CODE> AND FW07_FLGATTIVO = 1 ";
inline constexpr std::string_view kGroupId =
    "SELECT FW06_ID FROM FW06_GROUPUSR WITH (NOLOCK) "
    "WHERE FW06_CODICE = <CODE> ";

// Another body of the company with the same start state whose responsible collides with the
// one being saved: the common head, then one of the four tails.
inline constexpr std::string_view kConflictHead =
    "SELECT MG0M_ARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> "
    "     AND MG0M_ARGOMENTO <> <C> "
    "     AND MG0M_STATOINI_MG6W = <S> ";

struct Conflict {
  std::string_view tail;
  std::string_view reason;
};

inline constexpr std::string_view kSamePairing =
    "Enti validazione con lo stesso stato di partenza e lo stesso abbinamento gruppo/utente.";

//! A user-type body: the same user named directly, then the user as a member of a group body.
inline constexpr Conflict kUserConflicts[] = {
    {"     AND MG0M_TIPO_RESPONSABILE = 0 "
     "     AND MG0M_UTENTE_FW07 = <U> ",
     "Enti validazione con lo stesso stato di partenza e lo stesso utente."},
    {"     AND MG0M_TIPO_RESPONSABILE = 1 "
     "     AND EXISTS(SELECT 1 FROM FW00_GRPUSRASSOC WITH (NOLOCK) "
     "                 WHERE FW00_ID_FW06 = MG0M_GRUPPO_FW06 "
     "                     AND FW00_ID_FW07 = <U> ) ",
     kSamePairing},
};

//! A group-type body: the same group, then a user body naming a member of the group.
inline constexpr Conflict kGroupConflicts[] = {
    {"     AND MG0M_TIPO_RESPONSABILE = 1 "
     "     AND MG0M_GRUPPO_FW06 = <G> ",
     "Enti validazione con lo stesso stato di partenza e lo stesso gruppo."},
    {"     AND MG0M_TIPO_RESPONSABILE = 0 "
     "     AND EXISTS(SELECT 1 FROM FW00_GRPUSRASSOC WITH (NOLOCK) "
     "                 WHERE FW00_ID_FW06 = <G> "
     "                     AND FW00_ID_FW07 = MG0M_UTENTE_FW07 ) ",
     kSamePairing},
};

inline constexpr std::string_view kConflictMessage = "Configurazione in conflitto con l'ente validazione: ";

inline constexpr std::string_view kEqualStatesMessage =
    "Attenzione. Lo stato di partenza e di arrivo sono uguali.\r\n"
    "Impossibile salvare la configurazione.";

// What keeps a body from being deleted: its fields, then its entity associations.
inline constexpr std::string_view kBodyFields =
    "SELECT 1 FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0P_ARGOMENTO_MG0M = <I> ";
inline constexpr std::string_view kBodyAssociations =
    "SELECT 1 FROM MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0Q_ARGOMENTO_MG0M = <I> ";

inline constexpr std::string_view kHasFieldsMessage =
    "Impossibile cancellare l'ente validazione\r\n"
    "perchè possiede già dei campi di dettaglio.";
inline constexpr std::string_view kHasAssociationsMessage =
    "Impossibile cancellare l'ente validazione perchè\r\n"
    "risultano associazioni entità-ente validazione.";

}  // namespace passaggio::bodies_statements

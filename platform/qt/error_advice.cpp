// Advice for the database's messages.
#include "platform/qt/error_advice.h"

namespace platform::qt {
namespace {

struct Advice {
  std::string_view says;
  const char* advice;
};

constexpr Advice kAdvice[] = {
    {"database is locked",
     "Il database è occupato da un altro programma o da un'altra console. Attendere che finisca e scegliere "
     "Riprova."},
    {"database table is locked",
     "Una tabella del database è occupata da un'altra operazione. Attendere che finisca e scegliere Riprova."},
    {"database disk image is malformed",
     "Il file del database è danneggiato. Chiudere il programma, non modificare il file e ripristinarlo da una "
     "copia di sicurezza; il supporto può provare a recuperarlo."},
    {"file is not a database",
     "Il file scelto non è un database di questo programma. Accedere di nuovo scegliendo il file giusto."},
    {"unable to open database file",
     "Il file del database non si apre: è stato spostato, cancellato o non si hanno i permessi per leggerlo. "
     "Controllare il file e accedere di nuovo."},
    {"attempt to write a readonly database",
     "Il database è in sola lettura: le modifiche non si possono salvare. Controllare i permessi del file."},
    {"database or disk is full",
     "Il disco è pieno: liberare spazio e scegliere Riprova."},
    {"disk I/O error",
     "Il disco non ha letto o scritto il file del database. Controllare il disco (o la rete, se il file è "
     "condiviso) e scegliere Riprova."},
};

}  // namespace

std::optional<QString> adviceFor(std::string_view description) {
  for (const Advice& known : kAdvice) {
    if (description.find(known.says) != std::string_view::npos) return QString::fromUtf8(known.advice);
  }
  return std::nullopt;
}

}  // namespace platform::qt

// The counts of the results page: how many items a run found and how many of them may move
// (on the status line), how many an apply will move (in its question) and what it did (its
// summary), all counted from the item working table beside the item master.
#include "platform/text/numbers.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/processing/state_change_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::text::italianCount;
namespace s = state_change_statements;

constexpr const char* kLineBreak = "\r\n";

// "1 articolo" or "62 articoli", with the verb that agrees.
std::string items(long long count, const char* one, const char* many) {
  return italianCount(count) + (count == 1 ? " articolo " + std::string(one) : " articoli " + std::string(many));
}

std::string agreeing(long long count, const char* one, const char* many) {
  return italianCount(count) + " " + (count == 1 ? one : many);
}

}  // namespace

ConteggiPassaggio FRMMG_PASSAGGIO::ContaPassaggi() {
  const std::string shown = m_displayCondition.empty() ? std::string("1=1") : m_displayCondition;
  m_sql = sql::Compose(s::kCounts, {{"<T>", m_itemTable}, {"<K>", m_company.toText()}, {"<SHOWN>", shown}});
  const auto rows = Db().Open(m_sql);
  const auto count = [&](const char* field) { return DefaultSeVuoto(rows->Field(field), 0).toInteger(); };
  return {count("TROVATI"), count("DA_CAMBIARE"), count("CAMBIATI"), count("SENZA_NUOVO_STATO"),
          count("NON_PERMESSI")};
}

void FRMMG_PASSAGGIO::MostraConteggiElaborazione(const std::string& before) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const ConteggiPassaggio counts = ContaPassaggi();
    std::string found = counts.trovati == 0 ? "Nessun articolo trovato" : items(counts.trovati, "trovato", "trovati");
    if (counts.trovati > 0) {
      found += counts.daCambiare == 0
                   ? ", nessuno può cambiare stato"
                   : ", " + agreeing(counts.daCambiare, "può cambiare stato", "possono cambiare stato");
    }
    ReportStatus(*this, before.empty() ? found : before + " · " + found);
  });
}

std::string FRMMG_PASSAGGIO::TestoDaCambiare(const ConteggiPassaggio& counts) {
  if (counts.daCambiare == 0) return "Nessun articolo cambierà stato.";
  return items(counts.daCambiare, "cambierà stato.", "cambieranno stato.");
}

std::string FRMMG_PASSAGGIO::TestoCambiati(const ConteggiPassaggio& counts) {
  if (counts.cambiati == 0) return "Nessun articolo ha cambiato stato";
  return items(counts.cambiati, "ha cambiato stato", "hanno cambiato stato");
}

std::string FRMMG_PASSAGGIO::TestoRiepilogoPassaggio(const ConteggiPassaggio& counts) {
  std::string text = TestoCambiati(counts) + ".";
  const long long stayed = counts.trovati - counts.cambiati;
  if (stayed <= 0) return text;
  text += kLineBreak + items(stayed, "non ha cambiato stato:", "non hanno cambiato stato:");
  const long long notUpdated = stayed - counts.senzaNuovoStato - counts.nonPermessi;
  const std::pair<long long, std::string> reasons[] = {
      {counts.senzaNuovoStato, agreeing(counts.senzaNuovoStato, "non supera il controllo di un ente",
                                        "non superano il controllo di un ente")},
      {counts.nonPermessi, agreeing(counts.nonPermessi, "ha un nuovo stato che l'utente non può assegnare",
                                    "hanno un nuovo stato che l'utente non può assegnare")},
      {notUpdated, agreeing(notUpdated, "non è stato aggiornato nell'anagrafica articoli",
                            "non sono stati aggiornati nell'anagrafica articoli")},
  };
  std::string listed;
  for (const auto& [count, reason] : reasons) {
    if (count <= 0) continue;
    if (!listed.empty()) listed += ";";
    listed += kLineBreak + std::string("- ") + reason;
  }
  return text + listed + ".";
}

}  // namespace passaggio

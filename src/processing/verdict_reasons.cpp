// Why a verdict is what it is, told when the user rests on a cell: the body's checks are run
// again, one by one, on a copy of the item's row: the first that makes the body not apply
// names the reason (the association, the state, the responsibility), and a failing body has
// every field that fails it named (required values missing, sign-offs not given). The same
// statements as the run, so the reason cannot disagree with the verdict the run stored from
// the same data.
// Also the meanings of the other image cells and the marks of the field detail's rows. All of
// it ignores errors: a tip that cannot be worked out is not shown.
#include "platform/controls/grid.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/for_each_row.h"
#include "src/common/sql_text.h"
#include "src/processing/check_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::RowMark;
using platform::controls::RowValues;
namespace s = check_statements;

constexpr std::string_view kScratchPrefix = "##TableMotivo_";
constexpr std::string_view kCopyRow = "SELECT * INTO <S> FROM <T> WHERE ID = <ID> ";
constexpr std::string_view kVerdict = "SELECT <C> AS ESITO FROM <S> ";
constexpr std::string_view kBody =
    "SELECT MG0M_ID FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> AND MG0M_ARGOMENTO = <CODE> ";
constexpr std::string_view kBodyCode = "SELECT MG0M_ARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_ID = <B> ";
constexpr std::string_view kCaption = "SELECT MG0O_CAPTIONCAMPO FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) WHERE MG0O_ID = <ID> ";
// The manual fields of the body, for a matching association not excluding them, that lack
// their sign-off: the names behind a failed manual check.
constexpr std::string_view kUnsignedManualFields[] = {
    "SELECT DISTINCT",
    "    MG0O_CAPTIONCAMPO",
    "FROM",
    "    <S>",
    "    INNER JOIN MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) ON MG0P_ARGOMENTO_MG0M = <B>",
    "    INNER JOIN MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ON MG0O_ID = MG0P_CAMPO_MG0O",
    "    LEFT OUTER JOIN MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) ON",
    "        MG0R_DITTA_CG18 = <K>",
    "        AND MG0R_CODART_MG66 = CODART",
    "        AND MG0R_ARGOMENTO_MG0M = MG0P_ARGOMENTO_MG0M",
    "        AND MG0R_CAMPO_MG0O = MG0P_CAMPO_MG0O",
    "    INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
    "        AND MG0Q_ARGOMENTO_MG0M = <B>",
    "        <MATCH>",
    "    LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
    "        MG0U_IDENTITARG_MG0Q = MG0Q_ID",
    "        AND MG0U_IDCAMPOARG_MG0P = MG0P_ID",
    "WHERE",
    "    MG0P_VALIDAZ_MANUALE = 1",
    "    AND ISNULL(MG0R_VALIDATO,0) = 0",
    "    AND MG0U_ID IS NULL",
};
constexpr std::string_view kStoredSignOff =
    "SELECT ISNULL(MG0R_VALIDATO,0) AS VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0R_DITTA_CG18 = <K> AND MG0R_CODART_MG66 = <CODE> "
    "AND MG0R_ARGOMENTO_MG0M = <B> AND MG0R_CAMPO_MG0O = <FIELD> ";

double Flag(const Variant& value) { return DefaultSeVuoto(value, 0).toDouble(); }

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

std::string FRMMG_PASSAGGIO::MotivoEsito(const Variant& itemId, const std::string& bodyCode) {
  std::string reason;
  IgnoringErrors steps = Ignoring();
  const std::string scratch = std::string(kScratchPrefix) + Set(m_utility).Suffix();
  const std::string c = sql::Bracketed(bodyCode);
  const std::string k = m_company.toText();
  const std::string code = sql::Quoted(bodyCode);
  std::string b;
  const auto run = [&](const std::string& statement) {
    m_sql = statement;
    Db().Execute(m_sql);
  };
  const auto verdict = [&] {
    m_sql = sql::Fill(kVerdict, {{"<C>", c}, {"<S>", scratch}});
    return DefaultSeVuoto(Db().Open(m_sql)->Field("ESITO"), -1).toInteger();
  };
  const auto captionOf = [&](const Variant& field) {
    m_sql = sql::Fill(kCaption, {{"<ID>", DefaultSeVuoto(field, 0).toText()}});
    const auto found = Db().Open(m_sql);
    return found->Eof() ? std::string() : DefaultSeVuoto(found->Field("MG0O_CAPTIONCAMPO"), "").toText();
  };
  bool ready = false;
  steps.step([&] {
    m_sql = sql::Fill(kBody, {{"<K>", k}, {"<CODE>", code}});
    const auto body = Db().Open(m_sql);
    if (body->Eof()) return;
    b = DefaultSeVuoto(body->Field("MG0M_ID"), 0).toText();
    run(sql::DropTable(scratch));
    run(sql::Fill(kCopyRow, {{"<S>", scratch}, {"<T>", m_itemTable}, {"<ID>", DefaultSeVuoto(itemId, 0).toText()}}));
    ready = true;
  });
  if (!ready) return reason;

  steps.step([&] {
    run(sql::Fill(s::kReset, {{"<T>", scratch}, {"<C>", c}, {"<FIRST_ROW>", ""}}));
    const std::string match = CondizioniEntita_TabellaDati();
    run(sql::Compose(s::kEntityMismatch, {{"<T>", scratch}, {"<C>", c}, {"<B>", b}, {"<MATCH>", match}, {"<ROW>", ""}}));
    if (verdict() == 2) {
      reason = "Non applicabile: nessuna associazione dell'ente corrisponde alla classificazione dell'articolo";
      return;
    }
    run(sql::Compose(s::kStateMismatch, {{"<T>", scratch}, {"<C>", c}, {"<K>", k}, {"<CODE>", code}, {"<ROW>", ""}}));
    if (verdict() == 2) {
      reason = "Non applicabile: lo stato attuale dell'articolo non è lo stato iniziale dell'ente";
      return;
    }
    const std::string u = std::to_string(Global()->CurrentUser().id);
    run(sql::Compose(s::kNotResponsible,
                     {{"<T>", scratch}, {"<C>", c}, {"<K>", k}, {"<CODE>", code}, {"<U>", u}, {"<ROW>", ""}}));
    if (verdict() == 2) {
      reason = "Non applicabile: l'utente non è responsabile dell'ente e nessun altro ente parte da questo stato";
      return;
    }
    // Each required field on its own, from "passes", so that every missing one is named.
    std::vector<std::string> missing;
    m_sql = sql::Compose(s::kFields, {{"<B>", b}});
    const auto fields = Db().Open(m_sql);
    for (; !fields->Eof(); fields->MoveNext()) {
      if (Flag(fields->Field("MG0P_VALORE_OBBLIGATORIO")) != 1) continue;
      const bool zeroIsMissing = Flag(fields->Field("MG0P_INDVALZERO")) == 1 && Flag(fields->Field("MG0O_ISNUMERICO")) == 1;
      run(sql::Fill(s::kReset, {{"<T>", scratch}, {"<C>", c}, {"<FIRST_ROW>", ""}}));
      run(sql::Compose(s::kRequiredValue,
                       {{"<T>", scratch},
                        {"<C>", c},
                        {"<K>", k},
                        {"<B>", b},
                        {"<JOIN>", DefaultSeVuoto(fields->Field("MG0N_JOIN_SQL"), "").toText()},
                        {"<MATCH>", match},
                        {"<MG0P_ID>", DefaultSeVuoto(fields->Field("MG0P_ID"), 0).toText()},
                        {"<MISSING>", sql::Fill(zeroIsMissing ? s::kNullOrZero : s::kNull,
                                                {{"<FIELD>", DefaultSeVuoto(fields->Field("MG0O_CAMPO"), "").toText()}})},
                        {"<FIELD_ID>", DefaultSeVuoto(fields->Field("MG0P_CAMPO_MG0O"), 0).toText()},
                        {"<ROW>", ""}}));
      if (verdict() == 0) missing.push_back(captionOf(fields->Field("MG0P_CAMPO_MG0O")));
    }
    // The sign-offs are checked too, whatever the values: every field that fails the item is
    // named, as the detail marks each.
    std::vector<std::string> failures;
    if (!missing.empty()) {
      failures.push_back((missing.size() == 1 ? "campo obbligatorio senza valore: " : "campi obbligatori senza valore: ") +
                         Joined(missing));
    }
    run(sql::Fill(s::kReset, {{"<T>", scratch}, {"<C>", c}, {"<FIRST_ROW>", ""}}));
    run(sql::Compose(s::kManualSignOff,
                     {{"<T>", scratch}, {"<C>", c}, {"<K>", k}, {"<B>", b}, {"<MATCH>", match}, {"<ROW>", ""}}));
    if (verdict() == 0) {
      std::vector<std::string> unsigned_;
      m_sql = sql::Compose(kUnsignedManualFields, {{"<S>", scratch}, {"<B>", b}, {"<K>", k}, {"<MATCH>", match}});
      for (const auto names = Db().Open(m_sql); !names->Eof(); names->MoveNext()) {
        unsigned_.push_back(DefaultSeVuoto(names->Field("MG0O_CAPTIONCAMPO"), "").toText());
      }
      failures.push_back("manca il visto di " + Joined(unsigned_));
    }
    if (failures.empty()) {
      reason = "Supera il controllo";
      return;
    }
    reason = "Non supera: ";
    for (std::size_t i = 0; i < failures.size(); ++i) reason += (i == 0 ? "" : "; ") + failures[i];
  });
  steps.step([&] { run(sql::DropTable(scratch)); });
  return reason;
}

void FRMMG_PASSAGGIO::GRD_ARTICOLI_ToolTip(std::string& tip, const std::string& column, const RowValues& row) {
  if (column == "PERMESSO_AGGSTATO") {
    if (DefaultSeVuoto(row["NEW_STATO"], "").toText().empty()) {
      tip = "Nessun nuovo stato: un ente non supera il controllo, o nessuno si applica";
    } else {
      tip = Flag(row[column]) == 1 ? "Il nuovo stato si può applicare"
                                   : "Il nuovo stato non è tra quelli che l'utente può assegnare";
    }
    return;
  }
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    m_sql = sql::Fill(kBody, {{"<K>", m_company.toText()}, {"<CODE>", sql::Quoted(column)}});
    if (Db().Open(m_sql)->Eof()) return;  // not a body's verdict
    tip = MotivoEsito(row["ID"], column);
  });
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_ToolTip(std::string& tip, const std::string& column, const RowValues& row) {
  const bool on = Flag(row[column]) == 1;
  if (column == "MG0P_VALORE_OBBLIGATORIO") {
    tip = on ? "Il campo deve avere un valore" : "Il valore non è obbligatorio";
  } else if (column == "MG0P_VALIDAZ_MANUALE") {
    tip = on ? "Il campo richiede il visto del responsabile" : "Il campo non richiede visto";
  } else if (column == "VISTO") {
    tip = on ? "Vistato" : "Non vistato";
    if (Flag(row["METTI_VISTO"]) != 1) {
      tip += ": solo il responsabile dell'ente può vistarlo";
    } else if (Flag(row["MG0P_VALIDAZ_MANUALE"]) == 1) {
      tip += " (doppio clic, Invio o Spazio per cambiarlo; Ctrl+S salva)";
    }
  }
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_RowMark(RowMark& mark, const RowValues& row) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const bool signedOff = Flag(row["VISTO"]) == 1;
    m_sql = sql::Fill(kStoredSignOff, {{"<K>", m_company.toText()},
                                       {"<CODE>", sql::Quoted(DefaultSeVuoto(m_items->Field("CODART"), "").toText())},
                                       {"<B>", DefaultSeVuoto(row["MG0M_ID"], 0).toText()},
                                       {"<FIELD>", DefaultSeVuoto(row["MG0O_ID"], 0).toText()}});
    const auto stored = Db().Open(m_sql);
    const bool storedSignOff = !stored->Eof() && Flag(stored->Field("VALIDATO")) == 1;
    if (signedOff != storedSignOff) {
      mark = {"*", "Visto cambiato e non ancora salvato (Ctrl+S salva)"};
      return;
    }
    // Only the fields of a body that fails the item are marked as failing it.
    m_sql = sql::Fill(kBodyCode, {{"<B>", DefaultSeVuoto(row["MG0M_ID"], 0).toText()}});
    const auto body = Db().Open(m_sql);
    if (body->Eof() || Flag(m_items->Field(DefaultSeVuoto(body->Field("MG0M_ARGOMENTO"), "").toText())) != 0) return;
    const std::string value = DefaultSeVuoto(row["VALORE_CAMPO"], "").toText();
    const bool noValue = value.empty() || (value == "0" && Flag(row["MG0P_INDVALZERO"]) == 1);
    if (!signedOff && Flag(row["MG0P_VALIDAZ_MANUALE"]) == 1) {
      mark = {"!", "Manca il visto: l'ente non supera il controllo"};
    } else if (!signedOff && Flag(row["MG0P_VALORE_OBBLIGATORIO"]) == 1 && noValue) {
      mark = {"!", "Campo obbligatorio senza valore: l'ente non supera il controllo"};
    }
  });
}

}  // namespace passaggio

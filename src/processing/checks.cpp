// The per-body checks of the item working table: which bodies apply to each item, which of
// them approve it, the state it may move to and whether the current user may apply it. Every
// check is one set-based statement over the whole table, or over the one row being re-checked.
#include <initializer_list>

#include "src/common/default_se_vuoto.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/processing/processing_sql.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
namespace q = processing_sql;

// A statement composed of lines, each ended by CR LF; the indentation is only for whoever
// reads the statement in a trace.
std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text.append(line).append("\r\n");
  return text;
}

// The row filter: nothing when every row is checked, else the one row's ID.
std::string RowFilter(long long itemId) {
  return itemId == 0 ? std::string() : "   AND ID = " + std::to_string(itemId) + " ";
}

std::string Column(const std::string& code) { return SqlName(code); }

// The matching lines of the managed entities, one side of the entity map. Errors are skipped:
// a result set that cannot be read gives what was gathered so far.
std::string MatchingLines(FRMMG_PASSAGGIO& form, std::string_view q::EntityMapping::*side) {
  std::string text;
  IgnoringErrors steps = form.Ignoring();
  const auto& entities = form.m_managedEntities;
  bool readable = true;
  steps.step([&] {
    readable = false;
    if (Set(entities).RecordCount() > 0) entities->MoveFirst();
    readable = true;
  });
  while (readable && entities && entities->IsOpen() && !entities->Eof()) {
    steps.step([&] {
      const std::string code = DefaultSeVuoto(entities->Field("MG0L_ENTITA"), "").toText();
      if (const q::EntityMapping* mapping = q::FindEntity(code)) text += mapping->*side;
    });
    readable = false;
    steps.step([&] {
      entities->MoveNext();
      readable = true;
    });
  }
  return text;
}

}  // namespace

std::string FRMMG_PASSAGGIO::CondizioniEntita_TabellaDati() {
  return MatchingLines(*this, &q::EntityMapping::workingTableLine);
}

std::string FRMMG_PASSAGGIO::CondizioniEntita_Anagrafica() {
  return MatchingLines(*this, &q::EntityMapping::itemMasterLine);
}

void FRMMG_PASSAGGIO::ElaboraTabellaArticoli_SettaArgomentiOK() {
  ErrorTrap trap = Trap("ElaboraTabellaArticoli_SettaArgomentiOK");
  if (!trap.step([&] {
        m_displayCondition.clear();
        m_failureCondition.clear();
      })) {
    return;
  }
  bool hasRows = false;
  const ProgressReport progress;
  int bodies = 0;
  int checked = 0;
  if (!trap.step([&] {
        bodies = static_cast<int>(Set(m_bodies).RecordCount());
        hasRows = bodies > 0;
        if (hasRows) m_bodies->MoveFirst();
      })) {
    return;
  }
  for (bool more = hasRows; more;) {
    std::string code;
    if (!trap.step([&] {
          code = DefaultSeVuoto(m_bodies->Field("MG0M_ARGOMENTO"), "").toText();
          if (!m_failureCondition.empty()) m_failureCondition += " AND ";
          m_failureCondition += " " + Column(code) + " <> 0";
        })) {
      return;
    }
    progress.step("Controllo dell'ente " + code + "...", ++checked, bodies);
    if (!trap.step([&] {
          Controlli_Singolo_Argomento(DefaultSeVuoto(m_bodies->Field("MG0M_ID"), 0), code,
                                      DefaultSeVuoto(m_bodies->Field("MG0M_STATOFIN_MG6W"), 0).toInteger());
        })) {
      return;
    }
    if (!trap.step([&] {
          if (!m_displayCondition.empty()) m_displayCondition += " OR ";
          m_displayCondition += " " + Column(code) + " <> 2 ";
        })) {
      return;
    }
    if (!trap.step([&] {
          m_bodies->MoveNext();
          more = !m_bodies->Eof();
        })) {
      return;
    }
  }
  progress.step("Calcolo dei nuovi stati...");
  if (!trap.step([&] {
        if (hasRows) AggiornaColonneStato_TabellaDati();
      })) {
    return;
  }
}

void FRMMG_PASSAGGIO::Controlli_Singolo_Argomento(const Variant& bodyId, const std::string& bodyCode,
                                                  long long endState) {
  ErrorTrap trap = Trap("Controlli_Singolo_Argomento");
  const std::string& t = m_itemTable;
  const std::string c = Column(bodyCode);
  const std::string b = DefaultSeVuoto(bodyId, 0).toText();
  const std::string k = m_company.toText();
  const std::string quotedCode = "'" + SqlCode(bodyCode) + "'";
  const std::string rowFilter = RowFilter(m_currentItemId);

  // Reset: every check below starts from "applies and passes".
  if (!trap.step([&] {
        m_sql = "UPDATE " + t + " SET " + c + " = 1 " + "FROM " + t + " ";
        if (m_currentItemId != 0) m_sql += "   WHERE ID = " + std::to_string(m_currentItemId) + " ";
        Db().Execute(m_sql);
      })) {
    return;
  }

  // No entity association of the body matches the item.
  if (!trap.step([&] {
        m_sql = Lines({
                    "UPDATE",
                    "    " + t,
                    "SET",
                    "    " + c + " = 2",
                    "WHERE",
                    "    " + c + " <> 2",
                    "    AND NOT EXISTS",
                    "    (",
                    "        SELECT",
                    "            1",
                    "        FROM",
                    "            MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK)",
                    "        WHERE",
                    "            MG0Q_ARGOMENTO_MG0M = " + b + " ",
                    "            " + CondizioniEntita_TabellaDati(),
                    "    )",
                }) +
                rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }

  // The item is not in the body's start state.
  if (!trap.step([&] {
        m_sql = Lines({
                    "UPDATE",
                    "    " + t,
                    "SET",
                    "    " + c + " = 2",
                    "FROM" + t,
                    "WHERE",
                    "    " + c + " <> 2",
                    "    AND NOT EXISTS",
                    "    (",
                    "        SELECT",
                    "            1",
                    "        FROM",
                    "            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
                    "        WHERE",
                    "            MG0M_DITTA_CG18 = " + k,
                    "            AND MG0M_ARGOMENTO = " + quotedCode,
                    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
                    "    )",
                }) +
                rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }

  // The current user is not responsible for the body, and no other body starts from the
  // item's state: then the body is not the user's to judge.
  if (!trap.step([&] {
        const std::string u = std::to_string(Global()->CurrentUser().id);
        m_sql = Lines({
                    "UPDATE",
                    "    " + t,
                    "SET",
                    "    " + c + " = 2",
                    "FROM",
                    "    " + t,
                    "WHERE",
                    "    " + c + " <> 2",
                    "    AND NOT EXISTS",
                    "    (",
                    "        SELECT",
                    "            1",
                    "        FROM",
                    "            MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)",
                    "        WHERE",
                    "            MG0M_DITTA_CG18 = " + k,
                    "            AND MG0M_ARGOMENTO = " + quotedCode,
                    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
                    "            AND",
                    "            (",
                    "                MG0M_UTENTE_FW07 = " + u,
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
                    "                            AND FW00_ID_FW07 = " + u,
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
                    "            MG0M_DITTA_CG18 = " + k,
                    "            AND MG0M_ARGOMENTO <> " + quotedCode,
                    "            AND MG0M_STATOINI_MG6W = INDSTATO_MG6W ",
                    "    )",
                }) +
                rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }

  // Required values: the body fails where a required field has no value, is not excluded for
  // a matching association and has not been signed off.
  std::shared_ptr<platform::db::Recordset> fields;
  if (!trap.step([&] {
        m_sql = Lines({
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
            "    MG0P_ARGOMENTO_MG0M = " + b,
        });
        fields = Db().Open(m_sql);
      })) {
    return;
  }
  bool more = false;
  if (!trap.step([&] {
        if (Set(fields).RecordCount() > 0) fields->MoveFirst();
        more = !fields->Eof();
      })) {
    return;
  }
  while (more) {
    if (!trap.step([&] {
          if (DefaultSeVuoto(fields->Field("MG0P_VALORE_OBBLIGATORIO"), 0).toInteger() != 1) return;
          const std::string column = DefaultSeVuoto(fields->Field("MG0O_CAMPO"), "").toText();
          const bool zeroIsMissing = DefaultSeVuoto(fields->Field("MG0P_INDVALZERO"), 0).toInteger() == 1 &&
                                     DefaultSeVuoto(fields->Field("MG0O_ISNUMERICO"), 0).toInteger() == 1;
          m_sql = Lines({
              "UPDATE",
              "    " + t,
              "SET",
              "    " + c + " = 0",
              "FROM",
              "    " + t,
              "    INNER JOIN MG66_ANAGRART WITH (NOLOCK) ON",
              "        MG66_DITTA_CG18 = " + k,
              "        AND MG66_CODART = CODART",
              "    " + DefaultSeVuoto(fields->Field("MG0N_JOIN_SQL"), "").toText(),
              "    INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
              "        AND MG0Q_ARGOMENTO_MG0M = " + b + CondizioniEntita_TabellaDati(),
              "    LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
              "        MG0U_IDENTITARG_MG0Q = MG0Q_ID",
              "        AND MG0U_IDCAMPOARG_MG0P = " + DefaultSeVuoto(fields->Field("MG0P_ID"), 0).toText(),
              "WHERE",
              "    " + c + " = 1",
              zeroIsMissing ? "    AND ISNULL(" + column + ",0) = 0" : "    AND " + column + " IS NULL",
              "    AND MG0U_ID IS NULL",
              "    AND NOT EXISTS",
              "    (",
              "        SELECT  1",
              "        FROM ",
              "            MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK)",
              "        WHERE",
              "            MG0R_DITTA_CG18 = " + k,
              "            AND MG0R_CODART_MG66 = CODART",
              "            AND MG0R_ARGOMENTO_MG0M = MG0Q_ARGOMENTO_MG0M",
              "            AND MG0R_CAMPO_MG0O = " + DefaultSeVuoto(fields->Field("MG0P_CAMPO_MG0O"), 0).toText(),
              "            AND ISNULL(MG0R_VALIDATO,0) = 1",
              "    )",
          }) + rowFilter;
          Db().Execute(m_sql);
        })) {
      return;
    }
    if (!trap.step([&] {
          fields->MoveNext();
          more = !fields->Eof();
        })) {
      return;
    }
  }
  if (!trap.step([&] { fields.reset(); })) return;

  if (!trap.step([&] { Controllo_Argomento_Validazione_Manuale(bodyId, bodyCode); })) return;

  // New state: the body's end state where it passes and no body so far failed; none where it
  // fails.
  if (!trap.step([&] {
        m_sql = "UPDATE" + std::string("       ") + t + "   SET" + "       NEW_STATO = " + std::to_string(endState) +
                "   WHERE" + "       " + c + " = 1" + rowFilter;
        if (!m_failureCondition.empty()) m_sql += "   AND " + m_failureCondition;
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = "UPDATE" + std::string("       ") + t + "   SET" + "       NEW_STATO = NULL" + "   WHERE" + "       " + c +
                " = 0" + rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }
}

void FRMMG_PASSAGGIO::Controllo_Argomento_Validazione_Manuale(const Variant& bodyId, const std::string& bodyCode) {
  IgnoringErrors steps = Ignoring();
  const std::string& t = m_itemTable;
  const std::string c = Column(bodyCode);
  const std::string b = DefaultSeVuoto(bodyId, 0).toText();
  const std::string k = m_company.toText();
  steps.step([&] {
    m_sql = Lines({
                "UPDATE",
                "    " + t,
                "SET",
                "    " + c + " = 0",
                "FROM",
                "    " + t,
                "WHERE",
                "    " + c + " = 1",
                "    AND EXISTS",
                "    (",
                "        SELECT 1",
                "        FROM",
                "            MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)",
                "            LEFT OUTER JOIN MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK) ON",
                "                MG0R_DITTA_CG18 = " + k,
                "                AND MG0R_CODART_MG66 = CODART",
                "                AND MG0R_ARGOMENTO_MG0M = MG0P_ARGOMENTO_MG0M",
                "                AND MG0R_CAMPO_MG0O = MG0P_CAMPO_MG0O",
                "            INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON 1=1",
                "                AND MG0Q_ARGOMENTO_MG0M = " + b,
                "                " + CondizioniEntita_TabellaDati(),
                "            LEFT JOIN MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK) ON",
                "                MG0U_IDENTITARG_MG0Q = MG0Q_ID",
                "                AND MG0U_IDCAMPOARG_MG0P = MG0P_ID",
                "        WHERE",
                "            MG0P_ARGOMENTO_MG0M = " + b,
                "            AND MG0P_VALIDAZ_MANUALE = 1",
                "            AND ISNULL(MG0R_VALIDATO,0) = 0",
                "            AND MG0U_ID IS NULL",
                "    )",
            }) +
            RowFilter(m_currentItemId);
    Db().Execute(m_sql);
  });
}

void FRMMG_PASSAGGIO::AggiornaColonneStato_TabellaDati() {
  ErrorTrap trap = Trap("AggiornaColonneStato_TabellaDati");
  const std::string& t = m_itemTable;
  const std::string rowFilter = RowFilter(m_currentItemId);
  if (!trap.step([&] {
        m_sql = "UPDATE " + t + " SET PERMESSO_AGGSTATO = NULL ";
        if (m_currentItemId != 0) m_sql += "WHERE ID = " + std::to_string(m_currentItemId) + " ";
        Db().Execute(m_sql);
      })) {
    return;
  }
  bool restricted = false;
  if (!trap.step([&] { restricted = Global()->RestrictedStates(); })) return;
  if (!restricted) {
    if (!trap.step([&] {
          m_sql = "UPDATE " + t + " SET PERMESSO_AGGSTATO = 1 " + "WHERE NEW_STATO IS NOT NULL " + rowFilter;
          Db().Execute(m_sql);
        })) {
      return;
    }
    return;
  }
  std::string states;
  if (!trap.step([&] {
        states.clear();
        const Variant allowed = Set(m_itemStates).AllowedStates();
        for (const Variant& state : allowed.array()) {
          if (!states.empty()) states += " , ";
          states += state.toText();
        }
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = "UPDATE " + t + " SET PERMESSO_AGGSTATO = 1 " + "WHERE NEW_STATO IS NOT NULL AND NEW_STATO IN (" +
                states + ") " + rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = "UPDATE " + t + " SET PERMESSO_AGGSTATO = 0 " + "WHERE NEW_STATO IS NOT NULL AND PERMESSO_AGGSTATO IS NULL " +
                rowFilter;
        Db().Execute(m_sql);
      })) {
    return;
  }
}

}  // namespace passaggio

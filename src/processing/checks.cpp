// The per-body checks of the item working table: which bodies apply to each item, which of
// them approve it, the state it may move to and whether the current user may apply it. Every
// check is one set-based statement over the whole table, or over the one row being re-checked.
#include "src/common/default_se_vuoto.h"
#include "src/common/for_each_row.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/config/classifications.h"
#include "src/processing/check_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
namespace s = check_statements;

// The row filter: nothing when every row is checked, else the one row's ID.
std::string RowFilter(long long itemId) {
  return itemId == 0 ? std::string() : "   AND ID = " + std::to_string(itemId) + " ";
}

// The matching lines of the managed entities: each association column equal to the item's
// column on one side (the item working table or the item master). Errors are skipped: a
// result set that cannot be read gives what was gathered so far.
std::string MatchingLines(FRMMG_PASSAGGIO& form, const char* Classification::*side) {
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
      if (const Classification* found = FindClassification(code)) {
        text += "   AND " + std::string(found->column) + " = " + found->*side + " ";
      }
    });
    readable = false;
    steps.step([&] {
      entities->MoveNext();
      readable = true;
    });
  }
  return text;
}

// Runs one statement as a step of the procedure: kept in the SQL buffer first, so that an
// error report shows it.
// A retry runs the step again, so the statement is copied, never moved, into the buffer.
bool executeStep(ErrorTrap& trap, std::string& buffer, platform::db::Connection& db, const std::string& statement) {
  return trap.step([&] {
    buffer = statement;
    db.Execute(buffer);
  });
}

}  // namespace

std::string FRMMG_PASSAGGIO::CondizioniEntita_TabellaDati() {
  return MatchingLines(*this, &Classification::itemColumn);
}

std::string FRMMG_PASSAGGIO::CondizioniEntita_Anagrafica() {
  return MatchingLines(*this, &Classification::masterColumn);
}

void FRMMG_PASSAGGIO::ElaboraTabellaArticoli_SettaArgomentiOK() {
  ErrorTrap trap = Trap("ElaboraTabellaArticoli_SettaArgomentiOK");
  if (!trap.step([&] {
        m_displayCondition.clear();
        m_failureCondition.clear();
      })) {
    return;
  }
  const ProgressReport progress;
  int bodies = 0;
  if (!trap.step([&] { bodies = static_cast<int>(Set(m_bodies).RecordCount()); })) return;
  int checked = 0;
  const bool walked = forEachRow(trap, m_bodies, [&] {
    std::string code;
    if (!trap.step([&] {
          code = DefaultSeVuoto(m_bodies->Field("MG0M_ARGOMENTO"), "").toText();
          if (!m_failureCondition.empty()) m_failureCondition += " AND ";
          m_failureCondition += " " + sql::Bracketed(code) + " <> 0";
        })) {
      return false;
    }
    progress.step("Controllo dell'ente " + code + "...", ++checked, bodies);
    if (!trap.step([&] {
          Controlli_Singolo_Argomento(DefaultSeVuoto(m_bodies->Field("MG0M_ID"), 0), code,
                                      DefaultSeVuoto(m_bodies->Field("MG0M_STATOFIN_MG6W"), 0).toInteger());
        })) {
      return false;
    }
    return trap.step([&] {
      if (!m_displayCondition.empty()) m_displayCondition += " OR ";
      m_displayCondition += " " + sql::Bracketed(code) + " <> 2 ";
    });
  });
  if (!walked) return;
  progress.step("Calcolo dei nuovi stati...");
  if (!trap.step([&] {
        if (bodies > 0) AggiornaColonneStato_TabellaDati();
      })) {
    return;
  }
}

void FRMMG_PASSAGGIO::Controlli_Singolo_Argomento(const Variant& bodyId, const std::string& bodyCode,
                                                  long long endState) {
  ErrorTrap trap = Trap("Controlli_Singolo_Argomento");
  const std::string c = sql::Bracketed(bodyCode);
  const std::string b = DefaultSeVuoto(bodyId, 0).toText();
  const std::string k = m_company.toText();
  const std::string code = sql::Quoted(bodyCode);
  const std::string row = RowFilter(m_currentItemId);
  const auto execute = [&](const std::string& statement) { return executeStep(trap, m_sql, Db(), statement); };

  const std::string firstRow = m_currentItemId == 0 ? "" : "   WHERE ID = " + std::to_string(m_currentItemId) + " ";
  if (!execute(sql::Fill(s::kReset, {{"<T>", m_itemTable}, {"<C>", c}, {"<FIRST_ROW>", firstRow}}))) return;
  if (!trap.step([&] {
        m_sql = sql::Compose(s::kEntityMismatch, {{"<T>", m_itemTable}, {"<C>", c}, {"<B>", b},
                                                  {"<MATCH>", CondizioniEntita_TabellaDati()}, {"<ROW>", row}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!execute(sql::Compose(s::kStateMismatch,
                            {{"<T>", m_itemTable}, {"<C>", c}, {"<K>", k}, {"<CODE>", code}, {"<ROW>", row}}))) {
    return;
  }
  if (!trap.step([&] {
        const std::string u = std::to_string(Global()->CurrentUser().id);
        m_sql = sql::Compose(s::kNotResponsible, {{"<T>", m_itemTable}, {"<C>", c}, {"<K>", k}, {"<CODE>", code},
                                                  {"<U>", u}, {"<ROW>", row}});
        Db().Execute(m_sql);
      })) {
    return;
  }

  std::shared_ptr<platform::db::Recordset> fields;
  if (!trap.step([&] {
        m_sql = sql::Compose(s::kFields, {{"<B>", b}});
        fields = Db().Open(m_sql);
      })) {
    return;
  }
  const bool walked = forEachRow(trap, fields, [&] {
    return trap.step([&] {
      if (DefaultSeVuoto(fields->Field("MG0P_VALORE_OBBLIGATORIO"), 0).toInteger() != 1) return;
      const bool zeroIsMissing = DefaultSeVuoto(fields->Field("MG0P_INDVALZERO"), 0).toInteger() == 1 &&
                                 DefaultSeVuoto(fields->Field("MG0O_ISNUMERICO"), 0).toInteger() == 1;
      const std::string missing = sql::Fill(zeroIsMissing ? s::kNullOrZero : s::kNull,
                                            {{"<FIELD>", DefaultSeVuoto(fields->Field("MG0O_CAMPO"), "").toText()}});
      m_sql = sql::Compose(s::kRequiredValue,
                           {{"<T>", m_itemTable},
                            {"<C>", c},
                            {"<K>", k},
                            {"<B>", b},
                            {"<JOIN>", DefaultSeVuoto(fields->Field("MG0N_JOIN_SQL"), "").toText()},
                            {"<MATCH>", CondizioniEntita_TabellaDati()},
                            {"<MG0P_ID>", DefaultSeVuoto(fields->Field("MG0P_ID"), 0).toText()},
                            {"<MISSING>", missing},
                            {"<FIELD_ID>", DefaultSeVuoto(fields->Field("MG0P_CAMPO_MG0O"), 0).toText()},
                            {"<ROW>", row}});
      Db().Execute(m_sql);
    });
  });
  if (!walked) return;
  if (!trap.step([&] { fields.reset(); })) return;

  if (!trap.step([&] { Controllo_Argomento_Validazione_Manuale(bodyId, bodyCode); })) return;

  const std::string failed = m_failureCondition.empty() ? "" : "   AND " + m_failureCondition;
  if (!execute(sql::Fill(s::kNewState, {{"<T>", m_itemTable}, {"<C>", c}, {"<END>", std::to_string(endState)},
                                        {"<ROW>", row}, {"<FAILED>", failed}}))) {
    return;
  }
  if (!execute(sql::Fill(s::kNoNewState, {{"<T>", m_itemTable}, {"<C>", c}, {"<ROW>", row}}))) return;
}

void FRMMG_PASSAGGIO::Controllo_Argomento_Validazione_Manuale(const Variant& bodyId, const std::string& bodyCode) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    m_sql = sql::Compose(s::kManualSignOff, {{"<T>", m_itemTable},
                                             {"<C>", sql::Bracketed(bodyCode)},
                                             {"<K>", m_company.toText()},
                                             {"<B>", DefaultSeVuoto(bodyId, 0).toText()},
                                             {"<MATCH>", CondizioniEntita_TabellaDati()},
                                             {"<ROW>", RowFilter(m_currentItemId)}});
    Db().Execute(m_sql);
  });
}

void FRMMG_PASSAGGIO::AggiornaColonneStato_TabellaDati() {
  ErrorTrap trap = Trap("AggiornaColonneStato_TabellaDati");
  const std::string row = RowFilter(m_currentItemId);
  const auto execute = [&](const std::string& statement) { return executeStep(trap, m_sql, Db(), statement); };
  const std::string firstRow = m_currentItemId == 0 ? "" : "WHERE ID = " + std::to_string(m_currentItemId) + " ";
  if (!execute(sql::Fill(s::kClearPermission, {{"<T>", m_itemTable}, {"<FIRST_ROW>", firstRow}}))) return;
  bool restricted = false;
  if (!trap.step([&] { restricted = Global()->RestrictedStates(); })) return;
  if (!restricted) {
    execute(sql::Fill(s::kPermitEveryState, {{"<T>", m_itemTable}, {"<ROW>", row}}));
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
  if (!execute(sql::Fill(s::kPermitStates, {{"<T>", m_itemTable}, {"<STATES>", states}, {"<ROW>", row}}))) return;
  execute(sql::Fill(s::kRefuseOtherStates, {{"<T>", m_itemTable}, {"<ROW>", row}}));
}

}  // namespace passaggio

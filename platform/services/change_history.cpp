// The history of state changes and the undo of a batch.
#include "platform/services/change_history.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/services/change_recorder.h"
#include "platform/services/global.h"
#include "platform/services/state_change_log.h"
#include "platform/text/ascii.h"

namespace platform::services {
namespace {

// Where the undo keeps the items it moves, on its own connection.
constexpr const char* kUndoTable = "#PASSAGGIO_ANNULLO";
// Rows per INSERT while the undo table is filled.
constexpr std::size_t kInsertChunk = 500;

// The log rows beside the first row of their batch (B.PRIMO), which names it; a row without a
// session is a batch of its own (kBatchId).
constexpr const char* kLogWithBatch =
    "FROM FW10_LOGSTATI L WITH (NOLOCK) "
    "LEFT JOIN (SELECT FW10_SESSIONE AS SESSIONE , FW10_LOTTO AS NUMERO , MIN(FW10_ID) AS PRIMO "
    "FROM FW10_LOGSTATI WITH (NOLOCK) WHERE FW10_SESSIONE IS NOT NULL GROUP BY FW10_SESSIONE , FW10_LOTTO ) B "
    "ON B.SESSIONE = L.FW10_SESSIONE AND B.NUMERO = L.FW10_LOTTO ";
constexpr const char* kBatchId = "ISNULL(B.PRIMO, L.FW10_ID)";

std::optional<std::chrono::year_month_day> parseDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9')) return std::nullopt;
  }
  const std::chrono::year_month_day day{std::chrono::year{std::stoi(text.substr(0, 4))},
                                        std::chrono::month{static_cast<unsigned>(std::stoi(text.substr(5, 2)))},
                                        std::chrono::day{static_cast<unsigned>(std::stoi(text.substr(8, 2)))}};
  if (!day.ok()) return std::nullopt;
  return day;
}

std::string dateLiteral(const std::chrono::year_month_day& day) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return db::quoteLiteral(buffer);
}

std::chrono::year_month_day dateOf(const std::string& text) {
  const auto day = parseDate(text);
  if (!day) throw std::invalid_argument("data non valida: " + text + " (AAAA-MM-GG)");
  return *day;
}

std::optional<long long> state(const Variant& value) {
  if (value.isNull() || value.isEmpty()) return std::nullopt;
  return value.toInteger();
}

std::string stateText(const std::optional<long long>& value) {
  return value ? std::to_string(*value) : std::string("nessuno");
}

std::string trimmed(const Variant& value) { return std::string(text::trimRight(value.toText())); }

std::string filterCondition(long long company, const HistoryFilter& filter) {
  std::string where = "WHERE L.FW10_DITTA_CG18 = " + std::to_string(company) + " ";
  if (!filter.item.empty()) where += "AND L.FW10_CODART_MG66 = " + db::quoteLiteral(filter.item) + " ";
  if (!filter.user.empty()) {
    where += "AND L.FW10_ID_FW07 IN (SELECT FW07_ID FROM FW07_APPUSER WITH (NOLOCK) WHERE FW07_CODICE = " +
             db::quoteLiteral(filter.user) + ") ";
  }
  if (!filter.since.empty()) where += "AND L.FW10_DATAORA >= " + dateLiteral(dateOf(filter.since)) + " ";
  if (!filter.until.empty()) {
    const auto next = std::chrono::year_month_day{std::chrono::sys_days{dateOf(filter.until)} + std::chrono::days{1}};
    where += "AND L.FW10_DATAORA < " + dateLiteral(next) + " ";
  }
  if (filter.state) {
    const std::string code = std::to_string(*filter.state);
    where += "AND (L.FW10_STATOPREC = " + code + " OR L.FW10_STATONUOVO = " + code + ") ";
  }
  if (filter.batch) where += "AND " + std::string(kBatchId) + " = " + std::to_string(*filter.batch) + " ";
  return where;
}

}  // namespace

bool isHistoryDate(const std::string& text) { return parseDate(text).has_value(); }

std::vector<HistoryRow> historyRows(db::Connection& connection, long long company, const HistoryFilter& filter) {
  auto rows =
      connection.Open(std::string("SELECT ") + kBatchId +
                      " AS LOTTO , L.FW10_DATAORA , ISNULL(FW07_CODICE, '') AS UTENTE , L.FW10_CODART_MG66 , "
                      "L.FW10_STATOPREC , L.FW10_STATONUOVO , ISNULL(L.FW10_DESCRIZIONE, '') AS DESCRIZIONE " +
                      kLogWithBatch + "LEFT JOIN FW07_APPUSER WITH (NOLOCK) ON FW07_ID = L.FW10_ID_FW07 " +
                      filterCondition(company, filter) + "ORDER BY LOTTO DESC , L.FW10_CODART_MG66 , L.FW10_ID");
  std::vector<HistoryRow> history;
  for (; !rows->Eof(); rows->MoveNext()) {
    history.push_back({rows->Field("LOTTO").toInteger(), rows->Field("FW10_DATAORA").toText(),
                       trimmed(rows->Field("UTENTE")), trimmed(rows->Field("FW10_CODART_MG66")),
                       state(rows->Field("FW10_STATOPREC")), state(rows->Field("FW10_STATONUOVO")),
                       trimmed(rows->Field("DESCRIZIONE"))});
  }
  return history;
}

std::vector<BatchSummary> summariseBatches(const std::vector<HistoryRow>& rows) {
  std::vector<BatchSummary> batches;
  std::map<std::pair<std::string, std::string>, std::size_t> moves;
  const auto closeMoves = [&] {
    std::vector<std::pair<std::size_t, std::string>> counted;
    for (const auto& [move, count] : moves) counted.emplace_back(count, move.first + " > " + move.second);
    std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [count, move] : counted) {
      batches.back().moves += (batches.back().moves.empty() ? "" : ", ") + move + " (" + std::to_string(count) + ")";
    }
    moves.clear();
  };
  for (const HistoryRow& row : rows) {
    if (batches.empty() || batches.back().batch != row.batch) {
      if (!batches.empty()) closeMoves();
      batches.push_back({row.batch, row.when, row.user, 0, {}, row.description});
    }
    BatchSummary& batch = batches.back();
    ++batch.items;
    batch.when = std::min(batch.when, row.when);
    ++moves[{stateText(row.previous), stateText(row.next)}];
  }
  if (!batches.empty()) closeMoves();
  return batches;
}

std::string undoRefusal(const UndoItem& item, const AssignableStates& states) {
  if (!item.exists) return "l'articolo non esiste più";
  if (!item.batchState) return "il lotto gli ha tolto lo stato";
  if (item.current != item.batchState) {
    return "è nello stato " + stateText(item.current) + ", non più nello stato " + stateText(item.batchState) +
           " dato dal lotto";
  }
  if (!item.previous) return "non aveva uno stato prima del lotto";
  if (states && !states->contains(*item.previous)) {
    return "l'utente non può assegnare lo stato " + std::to_string(*item.previous);
  }
  return {};
}

std::size_t UndoPlan::moving() const {
  return static_cast<std::size_t>(
      std::count_if(items.begin(), items.end(), [](const UndoItem& item) { return item.skipped.empty(); }));
}

std::string UndoPlan::question() const {
  return "Annullare il lotto " + std::to_string(batch) + "? " + std::to_string(moving()) +
         " articoli torneranno allo stato precedente, " + std::to_string(skipped()) + " saranno esclusi.";
}

UndoPlan planUndo(db::Connection& connection, long long company, long long batch, const AssignableStates& states) {
  auto rows = connection.Open(
      std::string("SELECT L.FW10_CODART_MG66 , L.FW10_STATOPREC , L.FW10_STATONUOVO , A.MG66_INDSTATO_MG6W , "
                  "CASE WHEN A.MG66_CODART IS NULL THEN 0 ELSE 1 END AS ESISTE ") +
      kLogWithBatch +
      "LEFT JOIN MG66_ANAGRART A WITH (NOLOCK) ON A.MG66_DITTA_CG18 = L.FW10_DITTA_CG18 "
      "AND A.MG66_CODART = L.FW10_CODART_MG66 "
      "WHERE L.FW10_DITTA_CG18 = " +
      std::to_string(company) + " AND " + kBatchId + " = " + std::to_string(batch) +
      " ORDER BY L.FW10_CODART_MG66 , L.FW10_ID");
  if (rows->Eof()) throw std::invalid_argument("il lotto " + std::to_string(batch) + " non esiste");
  UndoPlan plan{batch, {}};
  for (; !rows->Eof(); rows->MoveNext()) {
    UndoItem item;
    item.item = trimmed(rows->Field("FW10_CODART_MG66"));
    item.batchState = state(rows->Field("FW10_STATONUOVO"));
    item.previous = state(rows->Field("FW10_STATOPREC"));
    item.current = state(rows->Field("MG66_INDSTATO_MG6W"));
    item.exists = rows->Field("ESISTE").toInteger() == 1;
    item.skipped = undoRefusal(item, states);
    plan.items.push_back(std::move(item));
  }
  return plan;
}

UndoOutcome executeUndo(const std::shared_ptr<db::Connection>& connection, StandinChangeRecorder& recorder,
                        long long company, const UndoPlan& plan) {
  db::Connection& db = *connection;
  const std::string table = kUndoTable;
  const std::string k = std::to_string(company);
  db.Execute("IF OBJECT_ID('TEMPDB.DBO." + table + "') IS NOT NULL DROP TABLE " + table);
  db.Execute("CREATE TABLE " + table +
             " (CODART VARCHAR(25) NOT NULL, STATO_LOTTO INT NOT NULL, STATO_PREC INT NOT NULL)");
  std::string values;
  std::size_t pending = 0;
  const auto flush = [&] {
    if (pending) db.Execute("INSERT INTO " + table + " VALUES " + values);
    values.clear();
    pending = 0;
  };
  for (const UndoItem& item : plan.items) {
    if (!item.skipped.empty()) continue;
    values += std::string(pending ? " , " : "") + "(" + db::quoteLiteral(item.item) + " , " +
              std::to_string(*item.batchState) + " , " + std::to_string(*item.previous) + ")";
    if (++pending == kInsertChunk) flush();
  }
  flush();

  // The same update as an apply's, and only where the item is still in the batch's state:
  // what changed since the plan was made is left alone, and leaves the table.
  const std::string join = " INNER JOIN " + table + " ON MG66_CODART = CODART WHERE MG66_DITTA_CG18 = " + k;
  db.Execute("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = STATO_PREC FROM MG66_ANAGRART" + join +
             " AND MG66_INDSTATO_MG6W = STATO_LOTTO");
  db.Execute("DELETE FROM " + table +
             " WHERE NOT EXISTS(SELECT 1 FROM MG66_ANAGRART WITH (NOLOCK) WHERE MG66_DITTA_CG18 = " + k +
             " AND MG66_CODART = CODART AND MG66_INDSTATO_MG6W = STATO_PREC)");

  recorder.InitialiseOn(connection);
  recorder.SetEnabled(true);
  if (recorder.Status() != 1 && recorder.RecordsChanges() && recorder.RecordsStates()) {
    auto rows = db.Open("SELECT " + recorder.ColumnList() + " FROM MG66_ANAGRART WITH (NOLOCK)" + join);
    recorder.SetRecording(true);
    recorder.SetDescription("Annullamento del lotto " + std::to_string(plan.batch));
    for (; !rows->Eof(); rows->MoveNext()) recorder.Record(*rows, 0, true);
  }

  // An item moved back to a lower state loses its sign-offs, as after an apply.
  db.Execute("UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0 WHERE MG0R_DITTA_CG18 = " + k +
             " AND EXISTS(SELECT 1 FROM " + table + " WHERE MG0R_CODART_MG66 = CODART AND STATO_PREC < STATO_LOTTO)");

  UndoOutcome outcome;
  outcome.moved = static_cast<std::size_t>(db.Open("SELECT COUNT(*) FROM " + table)->Field(0).toInteger());
  auto first = db.Open("SELECT MIN(FW10_ID) FROM FW10_LOGSTATI WHERE " + lastBatchCondition());
  if (!first->Eof() && !first->Field(0).isNull()) outcome.batch = first->Field(0).toInteger();
  return outcome;
}

AssignableStates assignableStates(StandinGlobal& global, const std::shared_ptr<db::Connection>& connection) {
  if (!global.RestrictedStates()) return std::nullopt;
  const auto user = global.CurrentUser();
  const auto service = global.Objects()->NewItemStateService();
  service->Configure(connection, global.DatabaseConnectionString(), Variant(user.id), Variant(user.code),
                     Variant(user.name), Variant(global.companyCode()), false);
  std::set<long long> states;
  for (const Variant& value : service->AllowedStates().array()) states.insert(value.toInteger());
  return states;
}

}  // namespace platform::services

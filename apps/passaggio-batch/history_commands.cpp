// The batch host's history of state changes and the undo of a batch: the host's own, beside
// the console, on a connection of the signed-in user that records changes as a console's.
#include <charconv>
#include <iostream>
#include <stdexcept>

#include "apps/passaggio-batch/commands.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset_csv.h"
#include "platform/services/change_history.h"
#include "platform/services/change_recorder.h"
#include "platform/services/host_objects.h"

namespace passaggio::batch {
namespace {

namespace services = platform::services;

void writeRecord(const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::cout << (i ? "," : "") << platform::db::csvField(platform::Variant(fields[i]));
  }
  std::cout << "\r\n";
}

std::string stateText(const std::optional<long long>& state) { return state ? std::to_string(*state) : ""; }

void writeHistory(const std::vector<services::HistoryRow>& rows) {
  writeRecord({"lotto", "data_ora", "utente", "articolo", "stato_prec", "stato_nuovo", "descrizione"});
  for (const auto& row : rows) {
    writeRecord({std::to_string(row.batch), row.when, row.user, row.item, stateText(row.previous), stateText(row.next),
                 row.description});
  }
}

std::shared_ptr<platform::db::Connection> recordingConnection(Session& session) {
  auto connection = session.host.objects()->NewConnectionFactory()->NewConnection();
  connection->Connect(session.connectionString);
  return connection;
}

}  // namespace

int historyCommand(Session& session, const HistoryOptions& options) {
  services::HistoryFilter filter;
  filter.item = options.item.value_or("");
  filter.user = options.user.value_or("");
  filter.since = options.since.value_or("");
  filter.batch = options.batch;
  if (!filter.since.empty() && !services::isHistoryDate(filter.since)) {
    complain("--since vuole una data AAAA-MM-GG, non " + filter.since);
    return kUsage;
  }
  auto connection = recordingConnection(session);
  writeHistory(services::historyRows(*connection, session.host.global()->companyCode(), filter));
  return kOk;
}

// Lists what the undo of the batch would do to each item, asks, and on Yes carries it out and
// prints the undo's own batch as history does.
int undoCommand(Session& session, const std::vector<std::string>& arguments) {
  long long batch = 0;
  const std::string text = arguments.size() == 1 ? arguments[0] : "";
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), batch);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    complain("undo vuole il numero di un LOTTO");
    return kUsage;
  }
  const auto global = session.host.global();
  const long long company = global->companyCode();
  auto connection = recordingConnection(session);
  services::UndoPlan plan;
  try {
    plan = services::planUndo(*connection, company, batch, services::assignableStates(*global, connection));
  } catch (const std::invalid_argument& refused) {
    complain(refused.what());
    return kError;
  }
  writeRecord({"articolo", "stato_lotto", "stato_prec", "stato_attuale", "esito"});
  for (const auto& item : plan.items) {
    writeRecord({item.item, stateText(item.batchState), stateText(item.previous), stateText(item.current),
                 item.skipped.empty() ? "annullato" : "escluso: " + item.skipped});
  }
  if (plan.moving() == 0) {
    complain("nessun articolo del lotto " + std::to_string(batch) + " può tornare allo stato precedente");
    return kError;
  }
  namespace style = platform::host::style;
  const int answer =
      session.display.showMessage({plan.question(), style::kYesNo | style::kQuestion, "Annulla passaggio"});
  if (answer != platform::host::kYes) return kOk;

  services::StandinChangeRecorder recorder(global, session.host.objects()->recorderSettings(company));
  const auto outcome = services::executeUndo(connection, recorder, company, plan);
  std::cout << "\r\n";
  if (outcome.batch) {
    services::HistoryFilter undone;
    undone.batch = outcome.batch;
    writeHistory(services::historyRows(*connection, company, undone));
  }
  if (outcome.moved != plan.moving()) {
    complain(std::to_string(plan.moving() - outcome.moved) +
             " articoli sono cambiati nel frattempo e sono rimasti dove sono");
  }
  return kOk;
}

}  // namespace passaggio::batch

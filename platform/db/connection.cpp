// The connection: chooses the backend from the connection string and keeps the error
// collection of the last failure.
#include "platform/db/connection.h"

#include <algorithm>
#include <chrono>
#include <csignal>

#include "platform/db/connection_state.h"
#include "platform/db/connection_string.h"
#include "platform/db/odbc/odbc_backend.h"
#include "platform/db/recordset.h"
#include "platform/db/sqlite/sqlite_backend.h"

namespace platform::db {
namespace {

constexpr const char* kSource = "passaggio.db";

template <class Action>
auto keepingErrors(ConnectionState& state, std::string_view sql, Action&& action) {
  state.errors.clear();
  try {
    if (!state.backend) {
      throw makeError(kConnectionErrorNumber, "La connessione al database non è aperta.", kSource, 0,
                      std::string(sql));
    }
    return action();
  } catch (const DbError& error) {
    state.errors = error.errors();
    throw;
  }
}

// The injected fault, when this statement is the one it waits for.
void faultBefore(ConnectionState& state, std::string_view sql) {
  if (state.faultCountdown <= 0 || --state.faultCountdown > 0) return;
  if (state.faultStops) {
    std::raise(SIGSTOP);
    return;
  }
  throw makeError(kStatementErrorNumber, state.faultDescription, "passaggio.db.fault", 0, std::string(sql));
}

}  // namespace

std::vector<std::vector<std::optional<std::string>>> Backend::runNative(std::string_view sql) {
  throw makeError(kStatementErrorNumber, "Questo database non esegue istruzioni native.", kSource, 0, std::string(sql));
}

std::vector<StatementOutcome> ConnectionState::run(std::string_view sql, RowsWanted wanted) {
  struct Done {
    const std::function<void()>& listener;
    ~Done() {
      if (listener) listener();
    }
  } done{afterStatement};
  if (!tracer) return keepingErrors(*this, sql, [&] {
      faultBefore(*this, sql);
      return backend->run(sql, wanted, nullptr);
    });
  std::vector<std::string> translated;
  TraceRecord record;
  record.kind = wanted == RowsWanted::None ? "execute" : "open";
  record.sql = sql;
  record.translated = &translated;
  const auto start = std::chrono::steady_clock::now();
  try {
    std::vector<StatementOutcome> outcomes =
        keepingErrors(*this, sql, [&] {
          faultBefore(*this, sql);
          return backend->run(sql, wanted, &translated);
        });
    record.elapsed = std::chrono::steady_clock::now() - start;
    for (const StatementOutcome& outcome : outcomes) {
      record.rows += outcome.rows ? static_cast<long long>(outcome.rows->rows.size()) : std::max(0LL, outcome.affected);
    }
    tracer->record(record);
    return outcomes;
  } catch (const DbError& error) {
    record.elapsed = std::chrono::steady_clock::now() - start;
    // The failing step is listed once: the backend lists a statement's steps before it runs them.
    if (!error.translated().empty() &&
        std::find(translated.begin(), translated.end(), error.translated()) == translated.end()) {
      translated.push_back(error.translated());
    }
    record.errors = &errors;
    tracer->record(record);
    throw;
  }
}

std::vector<Variant> ConnectionState::applyChanges(const BatchChanges& changes) {
  return keepingErrors(*this, "", [&] { return backend->applyChanges(changes); });
}

Connection::Connection() : m_state(std::make_shared<ConnectionState>()) {}

Connection::~Connection() { Close(); }

void Connection::Connect(std::string_view connectionString) {
  m_state->errors.clear();
  try {
    const db::ConnectionString parsed = db::ConnectionString::parse(connectionString);
    if (parsed.backend != "sqlite" && parsed.backend != "odbc") {
      throw makeError(kConnectionErrorNumber,
                      "Tipo di database non disponibile in questa installazione: " + parsed.backend, kSource);
    }
    const std::string traceFile = traceFileFor(parsed.option("trace"));
    m_state->tracer = traceFile.empty() ? nullptr : std::make_unique<Tracer>(traceFile);
    m_state->backend = parsed.backend == "odbc" ? openOdbcBackend(parsed) : openSqliteBackend(parsed);
    m_state->connectionString = std::string(connectionString);
    m_state->dialect = parsed.dialect();
    if (m_state->onConnect) m_state->onConnect(*this);
  } catch (const DbError& error) {
    m_state->backend.reset();
    m_state->errors = error.errors();
    throw;
  }
}

bool Connection::IsOpen() const { return m_state->backend != nullptr; }

const std::string& Connection::ConnectionString() const { return m_state->connectionString; }

long long Connection::Execute(std::string_view sql) {
  long long total = -1;
  for (const StatementOutcome& outcome : m_state->run(sql, RowsWanted::None)) {
    if (outcome.affected >= 0) total = (total < 0 ? 0 : total) + outcome.affected;
  }
  return total;
}

std::shared_ptr<Recordset> Connection::Open(std::string_view sql) {
  for (StatementOutcome& outcome : m_state->run(sql, RowsWanted::First)) {
    if (outcome.rows) return std::make_shared<Recordset>(m_state, std::string(sql), std::move(*outcome.rows));
  }
  return std::make_shared<Recordset>(m_state, std::string(sql), ResultData{});
}

std::vector<Connection::StatementResult> Connection::Run(std::string_view batch) {
  std::vector<StatementResult> results;
  for (StatementOutcome& outcome : m_state->run(batch, RowsWanted::All)) {
    StatementResult result;
    // Each result set re-reads its own statement: a copy of the whole batch per result set
    // would grow with the square of the batch.
    if (outcome.rows) {
      result.rows = std::make_shared<Recordset>(m_state, std::move(outcome.statement), std::move(*outcome.rows));
    }
    result.affected = outcome.affected;
    results.push_back(std::move(result));
  }
  return results;
}

void Connection::SetAfterStatement(std::function<void()> listener) {
  m_state->afterStatement = std::move(listener);
}

const std::vector<ErrorEntry>& Connection::Errors() const { return m_state->errors; }

void Connection::Close() { m_state->backend.reset(); }

void Connection::InjectFault(int statementsFromNow, std::string description) {
  m_state->faultCountdown = statementsFromNow;
  m_state->faultDescription = std::move(description);
  m_state->faultStops = false;
}

void Connection::InjectStop(int statementsFromNow) {
  m_state->faultCountdown = statementsFromNow;
  m_state->faultStops = true;
}

void Connection::SetOnConnect(std::function<void(Connection&)> setUp) { m_state->onConnect = std::move(setUp); }

std::vector<std::vector<std::optional<std::string>>> Connection::ExecuteNative(std::string_view sql) {
  return keepingErrors(*m_state, sql, [&] { return m_state->backend->runNative(sql); });
}

const std::string& Connection::Dialect() const { return m_state->dialect; }

bool Connection::IsReadOnly() const { return m_state->backend && m_state->backend->readOnly(); }

}  // namespace platform::db

// The connection factory, the utility object and the item-state service.
#include "platform/services/utility.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "platform/db/recordset.h"

namespace platform::services {

namespace {

std::atomic<unsigned long> tokenCount{0};

unsigned int randomPart() {
  static thread_local std::mt19937 engine{std::random_device{}()};
  return static_cast<unsigned int>(engine());
}

// PASSAGGIO_FAULT, read for each connection made.
void injectFaultFromEnvironment(db::Connection& connection) {
  const char* setting = std::getenv("PASSAGGIO_FAULT");
  if (setting == nullptr) return;
  const std::string text(setting);
  const auto colon = text.find(':');
  const int statement = std::atoi(text.substr(0, colon).c_str());
  if (statement <= 0) return;
  const std::string error = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (error == "STOP") {
    connection.InjectStop(statement);
  } else {
    connection.InjectFault(statement, error.empty() ? "Errore simulato (PASSAGGIO_FAULT)." : error);
  }
}

}  // namespace

std::string uniqueToken() {
  char text[64];
  std::snprintf(text, sizeof text, "P%ld_%lu_%08X", static_cast<long>(::getpid()), ++tokenCount, randomPart());
  return text;
}

std::shared_ptr<db::Connection> StandinConnectionFactory::NewConnection() {
  auto connection = std::make_shared<db::Connection>();
  connection->SetAfterStatement(m_afterStatement);
  connection->SetOnConnect([setUp = m_setUp, made = std::weak_ptr<db::Connection>(connection)](db::Connection& opened) {
    if (const auto self = made.lock(); self && setUp) setUp(self);
    injectFaultFromEnvironment(opened);
  });
  return connection;
}

StandinUtility::StandinUtility() : m_suffix(uniqueToken()) {}

Variant stateArray(db::Connection& connection, const std::string& query) {
  auto rows = connection.Open(query);
  Variant::Array states;
  for (; !rows->Eof(); rows->MoveNext()) states.emplace_back(static_cast<long long>(rows->Field(0).toInteger()));
  return Variant(std::move(states));
}

Variant StandinUtility::ItemStates(db::Connection& connection) {
  return stateArray(connection, "SELECT MG6W_INDSTATO FROM MG6W_STATIART ORDER BY MG6W_INDSTATO");
}

void StandinItemStates::Configure(std::shared_ptr<db::Connection> connection, const std::string& connectionString,
                                  const Variant& userId, const Variant& userCode, const Variant& userName,
                                  const Variant& company, bool allStates) {
  m_connection = std::move(connection);
  m_connectionString = connectionString;
  m_userId = userId;
  m_userCode = userCode;
  m_userName = userName;
  m_company = company;
  m_allStates = allStates;
  m_configured = true;
}

Variant StandinItemStates::AllowedStates() {
  if (!m_configured) throw std::logic_error("il servizio degli stati articolo non è stato configurato");
  if (!m_connection) {
    m_connection = std::make_shared<db::Connection>();
    m_connection->Connect(m_connectionString);
  }
  if (m_allStates) return stateArray(*m_connection, "SELECT MG6W_INDSTATO FROM MG6W_STATIART ORDER BY MG6W_INDSTATO");
  // The id goes in as a number: whatever the caller handed over must convert to one.
  return stateArray(*m_connection, "SELECT DISTINCT FW09_INDSTATO_MG6W FROM FW09_STATIUTENTE WHERE FW09_ID_FW07 = " +
                                       std::to_string(m_userId.toInteger()) + " ORDER BY FW09_INDSTATO_MG6W");
}

}  // namespace platform::services

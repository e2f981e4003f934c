// The class factory.
#include "platform/services/host_objects.h"

#include <stdexcept>

#include "platform/services/global.h"
#include "platform/services/item_notifier.h"
#include "platform/services/log_object.h"
#include "platform/services/lookups.h"
#include "platform/services/state_change_log.h"
#include "platform/services/utility.h"

namespace platform::services {

StandinHostObjects::StandinHostObjects(std::weak_ptr<StandinGlobal> global) : m_global(std::move(global)) {}

std::shared_ptr<StandinGlobal> StandinHostObjects::global() const {
  auto global = m_global.lock();
  if (!global) throw std::logic_error("i servizi globali dell'ospite non esistono più");
  return global;
}

RecorderSettings StandinHostObjects::recorderSettings(long long company) const {
  const auto found = m_recorder.find(company);
  return found == m_recorder.end() ? RecorderSettings{} : found->second;
}

std::shared_ptr<host::LogObject> StandinHostObjects::NewLogObject() {
  auto g = global();
  return std::make_shared<StandinLog>(g->display(), g->adminLog(), g->CurrentUser().code);
}

void StandinHostObjects::setRecorderSettings(long long company, RecorderSettings settings) {
  m_recorder[company] = settings;
  std::erase_if(m_consoleConnections, [](const auto& connection) { return connection.expired(); });
  for (const auto& weak : m_consoleConnections) {
    const auto connection = weak.lock();
    if (connection->IsOpen()) setStateChangeRecording(*connection, recordsStates());
  }
}

bool StandinHostObjects::recordsStates() const {
  const RecorderSettings settings = recorderSettings(global()->companyCode());
  return settings.status != 1 && settings.recordsChanges && settings.recordsStates;
}

void StandinHostObjects::setUpConsoleConnection(const std::shared_ptr<db::Connection>& connection) {
  installStateChangeLog(*connection, global()->CurrentUser().id, recordsStates());
  m_consoleConnections.push_back(connection);
}

std::shared_ptr<host::ConnectionFactory> StandinHostObjects::NewConnectionFactory() {
  // The factory may outlive these objects; what it makes then is a plain connection.
  auto setUp = [self = weak_from_this()](const std::shared_ptr<db::Connection>& connection) {
    if (const auto objects = self.lock()) objects->setUpConsoleConnection(connection);
  };
  return std::make_shared<StandinConnectionFactory>(setUp, m_afterStatement);
}

std::shared_ptr<host::Utility> StandinHostObjects::NewUtility() { return std::make_shared<StandinUtility>(); }

std::shared_ptr<host::ItemStateService> StandinHostObjects::NewItemStateService() {
  return std::make_shared<StandinItemStates>();
}

std::shared_ptr<host::ChangeRecorder> StandinHostObjects::NewChangeRecorder() {
  auto g = global();
  return std::make_shared<StandinChangeRecorder>(g, recorderSettings(g->companyCode()));
}

std::shared_ptr<host::WarehouseLookup> StandinHostObjects::NewWarehouseLookup() {
  return std::make_shared<StandinWarehouseLookup>(global());
}

std::shared_ptr<host::WarehouseDecode> StandinHostObjects::NewWarehouseDecode() {
  return std::make_shared<StandinWarehouseDecode>(global());
}

std::shared_ptr<host::ProductionLookup> StandinHostObjects::NewProductionLookup() {
  return std::make_shared<StandinProductionLookup>(global());
}

std::shared_ptr<host::ProductionDecode> StandinHostObjects::NewProductionDecode() {
  return std::make_shared<StandinProductionDecode>(global());
}

std::shared_ptr<host::UserGroupServices> StandinHostObjects::NewUserGroupServices() {
  return std::make_shared<StandinUserGroupServices>(global());
}

std::shared_ptr<host::ItemNotifier> StandinHostObjects::NewItemNotifier() {
  return std::make_shared<StandinItemNotifier>(global());
}

}  // namespace platform::services

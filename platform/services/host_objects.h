// The host's class factory: creates every host object a module asks for, all sharing the
// display, the administrator's log and the global services of the user signed in.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/host/services.h"
#include "platform/services/change_recorder.h"

namespace platform::services {

class StandinGlobal;

class StandinHostObjects : public host::HostObjects, public std::enable_shared_from_this<StandinHostObjects> {
 public:
  explicit StandinHostObjects(std::weak_ptr<StandinGlobal> global);

  std::shared_ptr<host::LogObject> NewLogObject() override;
  std::shared_ptr<host::ConnectionFactory> NewConnectionFactory() override;
  std::shared_ptr<host::Utility> NewUtility() override;
  std::shared_ptr<host::ItemStateService> NewItemStateService() override;
  //! A recorder with the settings of the current company.
  std::shared_ptr<host::ChangeRecorder> NewChangeRecorder() override;
  std::shared_ptr<host::WarehouseLookup> NewWarehouseLookup() override;
  std::shared_ptr<host::WarehouseDecode> NewWarehouseDecode() override;
  std::shared_ptr<host::ProductionLookup> NewProductionLookup() override;
  std::shared_ptr<host::ProductionDecode> NewProductionDecode() override;
  std::shared_ptr<host::UserGroupServices> NewUserGroupServices() override;
  std::shared_ptr<host::ItemNotifier> NewItemNotifier() override;

  //! How a company records changes; a company never set gets the defaults (status 0, both
  //! queries yes). The consoles' connections open follow at once.
  void setRecorderSettings(long long company, RecorderSettings settings);
  RecorderSettings recorderSettings(long long company) const;
  //! What connections made from now on tell the host after each statement (a desktop host
  //! repaints its windows there, so that a long action never shows a frozen window).
  void setAfterStatement(std::function<void()> listener) { m_afterStatement = std::move(listener); }

 private:
  //! The global services; a factory that outlived them cannot create anything.
  std::shared_ptr<StandinGlobal> global() const;
  //! Whether the signed-in company records state changes.
  bool recordsStates() const;
  //! Sets a console's connection up: the state-change log, recording as the company says.
  void setUpConsoleConnection(const std::shared_ptr<db::Connection>& connection);

  std::weak_ptr<StandinGlobal> m_global;
  std::map<long long, RecorderSettings> m_recorder;
  std::function<void()> m_afterStatement;
  std::vector<std::weak_ptr<db::Connection>> m_consoleConnections;
};

}  // namespace platform::services

// What a host program needs to open a module: sign a user in on a company and build the
// global services, the navigator with its script model, the menu entry and the frame, all
// showing through the display the program gives.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/host/cinterface.h"
#include "platform/host/display.h"
#include "platform/services/global.h"
#include "platform/services/host_objects.h"
#include "platform/services/navigator.h"

namespace platform::services {

struct StandinHostOptions {
  std::string connectionString;
  std::optional<long long> company;  // default: the company with the lowest code
  std::string userCode;              // default: the active user with the lowest id
  std::shared_ptr<host::Display> display;
  std::filesystem::path adminLogFile;  // empty: the administrator's log stays in memory
  Variant menuEntry;                   // the value of the menu entry the module is opened from
};

class StandinHost {
 public:
  //! Signs in (SignInError, DbError as StandinGlobal::signIn; SignInError also for a database
  //! without companies or active users when no default can be found).
  explicit StandinHost(StandinHostOptions options);

  //! Hands a module what a host sets before ShowForm: global services, navigator, frame and
  //! menu entry.
  void attach(host::Cinterface& module);

  const std::shared_ptr<StandinGlobal>& global() const { return m_global; }
  const std::shared_ptr<StandinHostObjects>& objects() const { return m_objects; }
  const std::shared_ptr<StandinNavigator>& navigator() const { return m_navigator; }
  //! The script model, also after the navigator let go of it.
  const std::shared_ptr<StandinScripts>& scripts() const { return m_scripts; }
  const std::shared_ptr<StandinMenuEntry>& menuEntry() const { return m_menuEntry; }
  const std::shared_ptr<StandinActiveFrame>& frame() const { return m_frame; }
  const std::shared_ptr<AdminLog>& adminLog() const { return m_global->adminLog(); }

 private:
  std::shared_ptr<StandinGlobal> m_global;
  std::shared_ptr<StandinHostObjects> m_objects;
  std::shared_ptr<StandinScripts> m_scripts;
  std::shared_ptr<StandinNavigator> m_navigator;
  std::shared_ptr<StandinMenuEntry> m_menuEntry;
  std::shared_ptr<StandinActiveFrame> m_frame;
};

//! The company and the user a host opens on when none is given.
long long defaultCompany(db::Connection& connection);
std::string defaultUser(db::Connection& connection);

}  // namespace platform::services

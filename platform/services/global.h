// The host's global services: the database, the company and the user signed in, the message
// service, the register of the active module and application, and the class factory.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/db/connection.h"
#include "platform/host/display.h"
#include "platform/host/services.h"
#include "platform/services/admin_log.h"

namespace platform::services {

class StandinHostObjects;

//! Sign-in refused: unknown company, unknown or inactive user. The text says which, in Italian.
class SignInError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class StandinGlobal : public host::ClsGlobal, public std::enable_shared_from_this<StandinGlobal> {
  struct Key {};

 public:
  //! Opens the host's own connection on `connectionString` and signs `userCode` in on
  //! `companyCode`. Throws SignInError when the company or the user does not exist or the
  //! user is not active; a database that cannot be opened raises the layer's DbError.
  static std::shared_ptr<StandinGlobal> signIn(const std::string& connectionString, long long companyCode,
                                               const std::string& userCode, std::shared_ptr<host::Display> display,
                                               std::shared_ptr<AdminLog> log = {});

  StandinGlobal(Key, std::string connectionString, std::shared_ptr<db::Connection> database,
                std::shared_ptr<host::Display> display, std::shared_ptr<AdminLog> log);

  // --- ClsGlobal -------------------------------------------------------------------------
  void RegisterActiveModule(std::shared_ptr<host::Cinterface> module) override;
  void ModuleClosing(std::shared_ptr<host::Cinterface> module) override;
  void ClearActiveModule() override;
  void RegisterApplication(std::shared_ptr<Object> application) override;
  void ClearApplication() override;
  std::string DatabaseConnectionString() override { return m_connectionString; }
  //! The company with its hierarchical setting read now; throws DbError when the company
  //! row has gone meanwhile.
  host::CompanyInfo CurrentCompany() override;
  host::UserInfo CurrentUser() override { return m_user; }
  bool RestrictedStates() override { return m_restricted; }
  std::shared_ptr<host::MessageService> Messages() override { return m_messages; }
  std::shared_ptr<host::HostObjects> Objects() override;

  // --- What the host itself uses ---------------------------------------------------------
  long long companyCode() const { return m_company; }
  //! The host's own connection, shared by its services.
  db::Connection& database() { return *m_database; }
  const std::shared_ptr<host::Display>& display() const { return m_display; }
  const std::shared_ptr<AdminLog>& adminLog() const { return m_log; }
  std::shared_ptr<StandinHostObjects> standinObjects();

  //! The module registered as active (held weakly: a module that went away is no longer active).
  std::shared_ptr<host::Cinterface> activeModule() const { return m_activeModule.lock(); }
  std::shared_ptr<Object> application() const { return m_application.lock(); }
  int activeModuleRegistrations() const { return m_registrations; }
  int moduleClosings() const { return m_closings; }

 private:
  std::string m_connectionString;
  std::shared_ptr<db::Connection> m_database;
  std::shared_ptr<host::Display> m_display;
  std::shared_ptr<AdminLog> m_log;
  std::shared_ptr<host::MessageService> m_messages;
  std::shared_ptr<StandinHostObjects> m_objects;
  long long m_company = 0;
  host::UserInfo m_user;
  bool m_restricted = false;
  std::weak_ptr<host::Cinterface> m_activeModule;
  std::weak_ptr<Object> m_application;
  int m_registrations = 0;
  int m_closings = 0;
};

}  // namespace platform::services

// The connection factory, the utility object (working-table suffixes, conversions, the list
// of item states) and the item-state service (the states a user may assign).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/host/services.h"

namespace platform::services {

//! "P<process id>_<count in this process>_<eight random hex digits>": the process id and
//! count keep apart what one machine makes, the random part what different machines make on
//! one database.
std::string uniqueToken();

//! Makes the connections of a console. Each, once connected, is set up as the host says and
//! takes PASSAGGIO_FAULT from the environment: "N" or "N:TEXT" makes its N-th statement fail
//! once (with TEXT), "N:STOP" stops the process before its N-th statement.
class StandinConnectionFactory : public host::ConnectionFactory {
 public:
  //! `setUp`: what the host installs on each connection; `afterStatement`: what each
  //! connection tells the host after every statement.
  explicit StandinConnectionFactory(std::function<void(const std::shared_ptr<db::Connection>&)> setUp = {},
                                    std::function<void()> afterStatement = {})
      : m_setUp(std::move(setUp)), m_afterStatement(std::move(afterStatement)) {}

  //! A connection not yet connected: the caller connects it to the string it holds.
  std::shared_ptr<db::Connection> NewConnection() override;

 private:
  std::function<void(const std::shared_ptr<db::Connection>&)> m_setUp;
  std::function<void()> m_afterStatement;
};

class StandinUtility : public host::Utility {
 public:
  StandinUtility();

  //! A uniqueToken(), fixed when the object is made.
  std::string Suffix() override { return m_suffix; }
  //! Null and Empty give "".
  std::string ToText(const Variant& value) override { return value.toText(); }
  double ToNumber(const Variant& value) override { return value.toDouble(); }
  Variant ItemStates(db::Connection& connection) override;

 private:
  std::string m_suffix;
};

//! Every state code of `query`'s first column, in its order, as an array of whole numbers.
Variant stateArray(db::Connection& connection, const std::string& query);

class StandinItemStates : public host::ItemStateService {
 public:
  //! Keeps the values; the user is found by `userId`. Without a connection the service
  //! opens its own on `connectionString` when first asked.
  void Configure(std::shared_ptr<db::Connection> connection, const std::string& connectionString,
                 const Variant& userId, const Variant& userCode, const Variant& userName, const Variant& company,
                 bool allStates) override;
  //! With allStates every state; otherwise the states listed for the user (possibly none).
  //! Throws std::logic_error when not configured.
  Variant AllowedStates() override;

 private:
  bool m_configured = false;
  std::shared_ptr<db::Connection> m_connection;
  std::string m_connectionString;
  Variant m_userId;
  Variant m_userCode;
  Variant m_userName;
  Variant m_company;
  bool m_allStates = false;
};

}  // namespace platform::services

// The look-up and decode services: for every classification code kind, product types, users
// and groups, the list a look-up opens (query, captions, title, name) and the decode query
// whose first column of its first row is the code's description (no row: unknown code).
// Queries are for the current company; every code goes in through db::quoteLiteral().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/host/cinterface.h"
#include "platform/host/services.h"

namespace platform::services {

class StandinGlobal;

//! Captions of a two-column list: code and description, each followed by an empty one.
Variant listCaptions();

//! Keeps the host interface a service is given; what every host service does with it.
template <class Contract>
class HostServiceBase : public Contract {
 public:
  explicit HostServiceBase(std::shared_ptr<StandinGlobal> global) : m_global(std::move(global)) {}
  void SetHost(std::shared_ptr<host::Cinterface> host) override { m_host = std::move(host); }
  void DropHost() override { m_host.reset(); }
  const std::shared_ptr<host::Cinterface>& hostInterface() const { return m_host; }

 protected:
  std::shared_ptr<StandinGlobal> m_global;
  std::shared_ptr<host::Cinterface> m_host;
};

class StandinWarehouseLookup : public HostServiceBase<host::WarehouseLookup> {
 public:
  using HostServiceBase::HostServiceBase;
  //! Parents (family, sub-family, group, as the kind takes them) that are not blank narrow
  //! the list; more parents than the kind takes is std::invalid_argument.
  host::LookupList List(host::CodeKind kind, const std::vector<std::string>& parents) override;
};

class StandinWarehouseDecode : public HostServiceBase<host::WarehouseDecode> {
 public:
  using HostServiceBase::HostServiceBase;
  //! The description of `code` within the parents that are not blank.
  std::string DecodeQuery(host::CodeKind kind, const std::vector<std::string>& parents,
                          const std::string& code) override;
};

class StandinProductionLookup : public HostServiceBase<host::ProductionLookup> {
 public:
  using HostServiceBase::HostServiceBase;
  host::LookupList ProductTypes() override;
};

class StandinProductionDecode : public HostServiceBase<host::ProductionDecode> {
 public:
  using HostServiceBase::HostServiceBase;
  //! The mapping sends the description column to `descriptionField`; without one it is
  //! Empty and the field fills its own description from the first column.
  host::Decode ProductType(const std::string& code, std::shared_ptr<Object> descriptionField) override;
  //! Runs on the host's connection.
  bool ProductTypeMissing(const std::string& code) override;
};

class StandinUserGroupServices : public HostServiceBase<host::UserGroupServices> {
 public:
  using HostServiceBase::HostServiceBase;
  //! Active users only: an inactive user can be neither picked nor decoded.
  host::LookupList Users() override;
  host::LookupList Groups() override;
  host::Decode DecodeUser(const std::string& code, std::shared_ptr<Object> descriptionField) override;
  host::Decode DecodeGroup(const std::string& code, std::shared_ptr<Object> descriptionField) override;
};

}  // namespace platform::services

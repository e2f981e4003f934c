// The host framework's services as a module sees them: global services, the log object,
// the utility object, the item-state and change-record objects, the look-up and decode
// services, the navigator and the script object model. The stand-in host implements them;
// a module only calls them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/variant/variant.h"

namespace platform::host {

class Cinterface;
class HostObjects;

//! The host's message service: plain and catalogue messages, translation of descriptions.
class MessageService {
 public:
  virtual ~MessageService() = default;
  //! Shows a text; returns the button pressed (Answer values), 0 when nothing was shown.
  virtual int Show(const std::string& text, int style, const std::string& title) = 0;
  //! Shows message `number` of the host's catalogue with the substitution values.
  virtual void ShowCatalogMessage(long number, int style, const std::string& title,
                                  const std::vector<std::string>& substitutions) = 0;
  //! The description in the user's language.
  virtual std::string Translate(const std::string& description) = 0;
};

struct CompanyInfo {
  Variant code;                      // CG18_DITTA
  std::string hierarchicalSetting;   // "0" = independent classification codes
};

struct UserInfo {
  long long id = 0;   // FW07_ID
  std::string code;   // FW07_CODICE
  std::string name;
};

//! The host's global services (ClsGlobal).
class ClsGlobal : public Object {
 public:
  virtual void RegisterActiveModule(std::shared_ptr<Cinterface> module) = 0;
  virtual void ModuleClosing(std::shared_ptr<Cinterface> module) = 0;
  virtual void ClearActiveModule() = 0;
  virtual void RegisterApplication(std::shared_ptr<Object> application) = 0;
  virtual void ClearApplication() = 0;
  //! The connection string of the host database.
  virtual std::string DatabaseConnectionString() = 0;
  //! The current company, read afresh (its hierarchical setting may change meanwhile).
  virtual CompanyInfo CurrentCompany() = 0;
  virtual UserInfo CurrentUser() = 0;
  //! True when the current user may assign only some item states.
  virtual bool RestrictedStates() = 0;
  virtual std::shared_ptr<MessageService> Messages() = 0;
  //! The host's class factory: how a module creates the host's objects.
  virtual std::shared_ptr<HostObjects> Objects() = 0;
};

//! The host's log object: records and displays run-time errors and messages.
class LogObject : public Object {
 public:
  //! The run-time error being reported.
  virtual void TakeError(long number, const std::string& description, const std::string& source) = 0;
  //! The connection's error collection and the statement being run.
  virtual void TakeConnectionErrors(const std::vector<db::ErrorEntry>& errors, const std::string& sql) = 0;
  //! Shows the error taken; returns 3 abort, 4 retry or 5 ignore.
  virtual int ShowError(const std::string& applicationTitle, const std::string& caption,
                        const std::string& procedure, int style, int& inOut) = 0;
  //! Shows a message; returns the button pressed.
  virtual int ShowMessage(const std::string& text, int style, const std::string& title, bool flag, int value) = 0;
};

//! Produces database connections for a module.
class ConnectionFactory : public Object {
 public:
  virtual std::shared_ptr<db::Connection> NewConnection() = 0;
};

//! The host's utility object.
class Utility : public Object {
 public:
  //! A suffix for working-table names: unique per console among all consoles on the same
  //! database, stable while this object lives.
  virtual std::string Suffix() = 0;
  virtual std::string ToText(const Variant& value) = 0;
  virtual double ToNumber(const Variant& value) = 0;
  //! Every item state code, ascending, as an array Variant.
  virtual Variant ItemStates(db::Connection& connection) = 0;
};

//! The states the current user may assign.
class ItemStateService : public Object {
 public:
  virtual void Configure(std::shared_ptr<db::Connection> connection, const std::string& connectionString,
                         const Variant& userId, const Variant& userCode, const Variant& userName,
                         const Variant& company, bool allStates) = 0;
  //! The allowed state codes, as an array Variant of numbers.
  virtual Variant AllowedStates() = 0;
};

//! Records changes of item-master rows in the host's change log; created per use.
class ChangeRecorder : public Object {
 public:
  //! The host interface comes back (possibly replaced) through `host`.
  virtual void Initialise(std::shared_ptr<Cinterface>& host, int kind, const std::string& text, int flags) = 0;
  virtual void SetEnabled(bool on) = 0;
  //! 1 = record nothing.
  virtual int Status() = 0;
  virtual bool RecordsChanges() = 0;
  virtual bool RecordsStates() = 0;
  //! The item-master columns to record, as a select list.
  virtual std::string ColumnList() = 0;
  virtual void SetRecording(bool on) = 0;
  virtual void SetDescription(const std::string& description) = 0;
  //! Records the current row of a one-row result set of the item master.
  virtual void Record(db::Recordset& row, int flags, bool now) = 0;
};

//! What a look-up list is: its query, column captions (an array Variant of caption, empty
//! pairs), window title and list name.
struct LookupList {
  std::string query;
  Variant captions;
  std::string title;
  std::string name;
};

//! A decode: the query whose first column of its first row is the description, and where
//! the field's own decode fills it from, the result mapping.
struct Decode {
  std::string query;
  Variant mapping;
};

//! The classification code kinds the warehouse services know.
enum class CodeKind {
  Item, Family, SubFamily, Group, SubGroup, FiscalGroup, Brand, Statistical1, Statistical2, Statistical3,
  Statistical4,
};

//! A host service that takes the host interface when it is created and drops it at the end.
class HostService : public Object {
 public:
  virtual void SetHost(std::shared_ptr<Cinterface> host) = 0;
  virtual void DropHost() = 0;
};

class WarehouseLookup : public HostService {
 public:
  //! The list of a kind; `parents` are the family, sub-family and group codes it needs.
  virtual LookupList List(CodeKind kind, const std::vector<std::string>& parents) = 0;
};

class WarehouseDecode : public HostService {
 public:
  virtual std::string DecodeQuery(CodeKind kind, const std::vector<std::string>& parents,
                                  const std::string& code) = 0;
};

class ProductionLookup : public HostService {
 public:
  virtual LookupList ProductTypes() = 0;
};

class ProductionDecode : public HostService {
 public:
  virtual Decode ProductType(const std::string& code, std::shared_ptr<Object> descriptionField) = 0;
  //! True when the product type does not exist.
  virtual bool ProductTypeMissing(const std::string& code) = 0;
};

class UserGroupServices : public HostService {
 public:
  virtual LookupList Users() = 0;
  virtual LookupList Groups() = 0;
  virtual Decode DecodeUser(const std::string& code, std::shared_ptr<Object> descriptionField) = 0;
  virtual Decode DecodeGroup(const std::string& code, std::shared_ptr<Object> descriptionField) = 0;
};

//! Shows an item of the warehouse (its card) and returns when the user is done with it.
class ItemNotifier : public HostService {
 public:
  virtual void SetValues(int first, int second) = 0;
  virtual void ShowItem(const std::string& itemCode) = 0;
  virtual void Shutdown() = 0;
};

//! The host's script object model: form registration and events, and its vote on closing.
class ScriptObjectModel : public Object {
 public:
  //! Registers a form; the reference that comes back replaces the caller's.
  virtual void RegisterForm(const std::string& name, std::shared_ptr<Object>& form, int flags,
                            const std::string& caption, std::shared_ptr<Object>& output) = 0;
  virtual void RaiseFormEvent(const std::string& name, int flags, int opening, const std::string& text) = 0;
  //! True when a script wants the form to stay open.
  virtual bool CancelClose() = 0;
  virtual void MenuEntryClosing(const Variant& value) = 0;
};

//! The events the host navigator raises to the active module.
class NavigatorEvents {
 public:
  virtual ~NavigatorEvents() = default;
  virtual void BeforeChangeDitta(bool& cancel) = 0;
  virtual void BeforeExportToOffice(bool& cancel, const Variant& target) = 0;
  virtual void InitializeLayoutObjectModel(std::shared_ptr<Object> layout) = 0;
  virtual void InitializeScriptObjectModel(std::shared_ptr<ScriptObjectModel> scripts) = 0;
};

//! The host's navigator (ActiveNavigator).
class ActiveNavigator : public Object {
 public:
  //! Connects the event sink, replacing any earlier one; null disconnects.
  virtual void ConnectEvents(std::weak_ptr<NavigatorEvents> sink) = 0;
  virtual void SetStatus(std::int16_t status) = 0;
  virtual void Refresh() = 0;
  //! Raises InitializeLayoutObjectModel and InitializeScriptObjectModel on the sink.
  virtual Variant InitializeLayoutAndScripts() = 0;
  virtual Variant BeforeOpen() = 0;
  virtual std::shared_ptr<ScriptObjectModel> Scripts() = 0;
  virtual void ClearScripts() = 0;
  virtual void ClearActiveModule() = 0;
};

//! A menu entry (ClsVoceMenu): its value is handed to the script model when a module closes.
class MenuEntry : public Object {
 public:
  virtual Variant Value() = 0;
};

//! Creates the host's objects, as the host's libraries would when a module asks for them.
class HostObjects {
 public:
  virtual ~HostObjects() = default;
  virtual std::shared_ptr<LogObject> NewLogObject() = 0;
  virtual std::shared_ptr<ConnectionFactory> NewConnectionFactory() = 0;
  virtual std::shared_ptr<Utility> NewUtility() = 0;
  virtual std::shared_ptr<ItemStateService> NewItemStateService() = 0;
  virtual std::shared_ptr<ChangeRecorder> NewChangeRecorder() = 0;
  virtual std::shared_ptr<WarehouseLookup> NewWarehouseLookup() = 0;
  virtual std::shared_ptr<WarehouseDecode> NewWarehouseDecode() = 0;
  virtual std::shared_ptr<ProductionLookup> NewProductionLookup() = 0;
  virtual std::shared_ptr<ProductionDecode> NewProductionDecode() = 0;
  virtual std::shared_ptr<UserGroupServices> NewUserGroupServices() = 0;
  virtual std::shared_ptr<ItemNotifier> NewItemNotifier() = 0;
};

}  // namespace platform::host

// The global services and the sign-in.
#include "platform/services/global.h"

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/services/host_objects.h"
#include "platform/services/messages.h"
#include "platform/text/ascii.h"

namespace platform::services {

std::shared_ptr<StandinGlobal> StandinGlobal::signIn(const std::string& connectionString, long long companyCode,
                                                     const std::string& userCode,
                                                     std::shared_ptr<host::Display> display,
                                                     std::shared_ptr<AdminLog> log) {
  auto database = std::make_shared<db::Connection>();
  database->Connect(connectionString);

  auto company = database->Open("SELECT CG18_DITTA FROM CG18_ANADITTABASE WHERE CG18_DITTA = " +
                                std::to_string(companyCode));
  if (company->Eof()) throw SignInError("La ditta " + std::to_string(companyCode) + " non esiste.");

  auto user = database->Open(
      "SELECT FW07_ID, FW07_CODICE, FW07_DESCRIZIONE, FW07_FLGATTIVO, FW07_FLGSTATILIMITATI "
      "FROM FW07_APPUSER WHERE FW07_CODICE = " + db::quoteLiteral(userCode));
  if (user->Eof()) throw SignInError("L'utente " + userCode + " non esiste.");
  if (user->Field("FW07_FLGATTIVO").toInteger() != 1) {
    throw SignInError("L'utente " + userCode + " non è attivo: non può accedere.");
  }

  auto global = std::make_shared<StandinGlobal>(Key{}, connectionString, std::move(database), std::move(display),
                                                log ? std::move(log) : std::make_shared<AdminLog>());
  global->m_company = companyCode;
  global->m_user.id = user->Field("FW07_ID").toInteger();
  global->m_user.code = std::string(platform::text::trimRight(user->Field("FW07_CODICE").toText()));
  global->m_user.name = user->Field("FW07_DESCRIZIONE").toText();
  global->m_restricted = user->Field("FW07_FLGSTATILIMITATI").toInteger() == 1;
  return global;
}

StandinGlobal::StandinGlobal(Key, std::string connectionString, std::shared_ptr<db::Connection> database,
                             std::shared_ptr<host::Display> display, std::shared_ptr<AdminLog> log)
    : m_connectionString(std::move(connectionString)),
      m_database(std::move(database)),
      m_display(std::move(display)),
      m_log(std::move(log)),
      m_messages(std::make_shared<StandinMessages>(m_display)) {}

void StandinGlobal::RegisterActiveModule(std::shared_ptr<host::Cinterface> module) {
  m_activeModule = module;
  ++m_registrations;
}

void StandinGlobal::ModuleClosing(std::shared_ptr<host::Cinterface> module) {
  ++m_closings;
  if (module && module == m_activeModule.lock()) m_activeModule.reset();
}

void StandinGlobal::ClearActiveModule() { m_activeModule.reset(); }

void StandinGlobal::RegisterApplication(std::shared_ptr<Object> application) { m_application = application; }

void StandinGlobal::ClearApplication() { m_application.reset(); }

host::CompanyInfo StandinGlobal::CurrentCompany() {
  auto row = m_database->Open("SELECT CG18_CLASSGERARCHICA FROM CG18_ANADITTABASE WHERE CG18_DITTA = " +
                              std::to_string(m_company));
  if (row->Eof()) {
    throw db::makeError(db::kStatementErrorNumber, "La ditta " + std::to_string(m_company) + " non esiste più.",
                        "passaggio.services");
  }
  // A company without the setting has independent codes, the default of the column.
  const Variant setting = row->Field("CG18_CLASSGERARCHICA");
  return {Variant(m_company), setting.isNull() ? std::string("0") : std::string(platform::text::trimRight(setting.toText()))};
}

std::shared_ptr<StandinHostObjects> StandinGlobal::standinObjects() {
  if (!m_objects) m_objects = std::make_shared<StandinHostObjects>(weak_from_this());
  return m_objects;
}

std::shared_ptr<host::HostObjects> StandinGlobal::Objects() { return standinObjects(); }

}  // namespace platform::services

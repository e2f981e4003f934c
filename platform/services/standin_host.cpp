// The host bundle.
#include "platform/services/standin_host.h"

#include "platform/db/recordset.h"
#include "platform/text/ascii.h"

namespace platform::services {

long long defaultCompany(db::Connection& connection) {
  auto row = connection.Open("SELECT TOP 1 CG18_DITTA FROM CG18_ANADITTABASE ORDER BY CG18_DITTA");
  if (row->Eof()) throw SignInError("Nessuna ditta nell'archivio ditte: impossibile accedere.");
  return row->Field(0).toInteger();
}

std::string defaultUser(db::Connection& connection) {
  auto row = connection.Open("SELECT TOP 1 FW07_CODICE FROM FW07_APPUSER WHERE FW07_FLGATTIVO = 1 ORDER BY FW07_ID");
  if (row->Eof()) throw SignInError("Nessun utente attivo: impossibile accedere.");
  return std::string(platform::text::trimRight(row->Field(0).toText()));
}

StandinHost::StandinHost(StandinHostOptions options) {
  if (!options.company || options.userCode.empty()) {
    db::Connection connection;
    connection.Connect(options.connectionString);
    if (!options.company) options.company = defaultCompany(connection);
    if (options.userCode.empty()) options.userCode = defaultUser(connection);
  }
  auto log = options.adminLogFile.empty() ? std::make_shared<AdminLog>() : std::make_shared<AdminLog>(options.adminLogFile);
  m_global = StandinGlobal::signIn(options.connectionString, *options.company, options.userCode,
                                   std::move(options.display), std::move(log));
  m_objects = m_global->standinObjects();
  m_scripts = std::make_shared<StandinScripts>();
  m_navigator = std::make_shared<StandinNavigator>(m_scripts);
  m_menuEntry = std::make_shared<StandinMenuEntry>(std::move(options.menuEntry));
  m_frame = std::make_shared<StandinActiveFrame>();
}

void StandinHost::attach(host::Cinterface& module) {
  module.SetClsGlobal(m_global);
  module.SetActiveNavigator(m_navigator);
  module.SetActiveFrame(m_frame);
  module.SetClsVoceMenu(m_menuEntry);
}

}  // namespace platform::services

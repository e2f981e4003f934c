// The private unixODBC configuration and the connection strings of each transport.
#include "tests/support/transports.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/program_run.h"

namespace passaggio::testing {

const std::string& odbcConfigFolder() {
  static const ScratchFolder folder("odbc");
  static const std::string path = [] {
    std::ofstream(folder.file("odbcinst.ini")) << "[PassaggioSQLite]\nDriver=" PASSAGGIO_SQLITE_ODBC_DRIVER "\n\n"
                                                  "[PassaggioFreeTDS]\nDriver=" PASSAGGIO_FREETDS_ODBC_DRIVER "\n";
    std::ofstream(folder.file("odbc.ini")) << "[passaggio_prova]\nDriver=PassaggioSQLite\n";
    ::setenv("ODBCSYSINI", folder.path().c_str(), 1);
    ::setenv("ODBCINSTINI", "odbcinst.ini", 1);
    ::setenv("ODBCINI", folder.file("odbc.ini").c_str(), 1);
    return folder.path().string();
  }();
  return path;
}

std::string connectionFor(const std::string& transport, const std::string& file) {
  if (transport == "capi") return "sqlite:" + file + ";create=1";
  odbcConfigFolder();
  return "odbc:Driver=PassaggioSQLite;Database=" + file + ";dialect=sqlite";
}

}  // namespace passaggio::testing

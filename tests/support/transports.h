// The two ways the suites reach a database file: SQLite's C API, and ODBC through the SQLite
// ODBC driver, registered in a private unixODBC configuration of the test process (so that
// nothing depends on the machine's odbcinst.ini).
#pragma once

#include <string>
#include <vector>

namespace passaggio::testing {

inline const std::vector<std::string> kTransports = {"capi", "odbc"};

//! The connection string that opens FILE (created when missing) over the transport.
std::string connectionFor(const std::string& transport, const std::string& file);

//! The folder of the private unixODBC configuration (odbcinst.ini, odbc.ini), made and
//! pointed to on first use; the drivers are registered as "PassaggioSQLite" and
//! "PassaggioFreeTDS".
const std::string& odbcConfigFolder();

}  // namespace passaggio::testing

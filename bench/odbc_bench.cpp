// The ODBC transport's cost on a whole run: the console on one generated file, reached
// through the SQLite C API and through the SQLite ODBC driver (the translating dialect), the
// process button pressed on each in turn; the fastest of each and their ratio.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/console_run.h"

int main(int argc, char** argv) {
  const long long items = argc > 1 ? std::atoll(argv[1]) : 100'000;
  const int bodies = argc > 2 ? std::atoi(argv[2]) : 10;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 3;
  const auto file = bench::generatedDatabase(items, bodies);
  bench::ConsoleRun overCApi(file);
  bench::ConsoleRun overOdbc(
      bench::ConsoleRun::Connection{"odbc:Driver=SQLite3;Database=" + file.string() + ";dialect=sqlite"});
  overCApi.process();
  overOdbc.process();
  std::vector<double> cApi, odbc;
  for (int i = 0; i < repeats; ++i) {
    cApi.push_back(overCApi.process());
    odbc.push_back(overOdbc.process());
  }
  const double a = *std::min_element(cApi.begin(), cApi.end());
  const double b = *std::min_element(odbc.begin(), odbc.end());
  std::printf("%lld items %d bodies: C API %.3f s, ODBC %.3f s, ODBC / C API %.2f (%zu grid rows)\n", items, bodies,
              a, b, b / a, overOdbc.gridRows());
  return overCApi.gridRows() == overOdbc.gridRows() ? 0 : 1;
}

// What the item filter costs: a run over a large catalogue narrowed by the filter, against
// an unfiltered run over a catalogue as large as the selection. The filtered run pays for
// finding its items among all the others; the rest of the run is the same work.
//   filter_bench [ITEMS [SELECTED]]   defaults 1,000,000 and 100,000, 10 bodies
// PASSAGGIO_BENCH_REPEAT sets the timed repetitions (3); the fastest of each counts.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console_run.h"

namespace {

int repeats() {
  const char* value = std::getenv("PASSAGGIO_BENCH_REPEAT");
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : 3;
}

// The generator's item codes: "A" and nine digits, from 1.
std::string itemCode(long long number) {
  char code[16];
  std::snprintf(code, sizeof code, "A%09lld", number);
  return code;
}

struct Selection {
  const char* name;
  const char* caption;  // or an attribute, as a script names it
  std::string first, second;
};

}  // namespace

int main(int argc, char** argv) {
  const long long items = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
  const long long selected = argc > 2 ? std::atoll(argv[2]) : items / 10;
  constexpr int kBodies = 10;

  const Selection selections[] = {
      {"item code range", "Codice articolo", itemCode(1), itemCode(selected)},
      {"item code range at the end", "Codice articolo", itemCode(items - selected + 1), itemCode(items)},
      // One item in ten is in state 50: found by reading the whole item master.
      {"state", "Stato articolo", "50", ""},
      // One item in ten has extended attributes, each a material "in ...": the fill reads the
      // whole item master and looks each item's attributes up by its GUID.
      {"attribute", "Attributo MATERIALE contiene", "in ", ""},
  };
  bench::ConsoleRun plain(bench::generatedDatabase(selected, kBodies));
  bench::ConsoleRun filtered(bench::generatedDatabase(items, kBodies));
  plain.process();
  for (const Selection& selection : selections) {
    filtered.setFilter(selection.caption, selection.first, selection.second);
    filtered.process();
    // Taken in turn, so that a machine whose speed wanders weighs on both alike.
    std::vector<double> plainRuns, filteredRuns;
    for (int i = 0; i < repeats(); ++i) {
      plainRuns.push_back(plain.process());
      filteredRuns.push_back(filtered.process());
    }
    const double reference = *std::min_element(plainRuns.begin(), plainRuns.end());
    const double fastest = *std::min_element(filteredRuns.begin(), filteredRuns.end());
    std::printf("%lld items, %s %s..%s: %lld selected, %.2f s; %lld items unfiltered: %.2f s; ratio %.2f\n", items,
                selection.name, selection.first.c_str(), selection.second.c_str(), filtered.selectedItems(), fastest,
                plain.selectedItems(), reference, fastest / reference);
    filtered.setFilter(selection.caption, "", "");
  }
  return 0;
}

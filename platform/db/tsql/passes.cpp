#include "platform/db/tsql/passes.h"

#include <stdexcept>
#include <algorithm>
#include <string>

#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

struct NamedPass {
  std::string_view name;
  bool Passes::*enabled;
};

// One row per pass: its name on the connection string.
constexpr NamedPass kPasses[] = {
    {"lookup-index", &Passes::lookupIndex},
    {"entity-anti-join", &Passes::entityAntiJoin},
    {"packed-verdicts", &Passes::packedVerdicts},
    {"verdict-side-table", &Passes::verdictSideTable},
    {"fill-in-row-order", &Passes::fillInRowOrder},
};

}  // namespace

Passes Passes::except(std::string_view offList) {
  Passes passes;
  std::size_t start = 0;
  while (start <= offList.size()) {
    const std::size_t end = std::min(offList.find(',', start), offList.size());
    const std::string name = platform::text::lowerAscii(platform::text::trim(offList.substr(start, end - start)));
    start = end + 1;
    if (name.empty()) continue;
    bool known = false;
    for (const NamedPass& pass : kPasses) {
      if (name == "all" || name == pass.name) {
        passes.*pass.enabled = false;
        known = true;
      }
    }
    if (!known) throw std::invalid_argument("passo di traduzione sconosciuto: " + name);
  }
  return passes;
}

}  // namespace platform::db::tsql

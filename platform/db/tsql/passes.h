// Optimisation passes of the translation. A pass changes how a statement is stored or run,
// never its result: every one can be switched off by name on the connection string
// ("passes_off=lookup-index" or "passes_off=all"), to compare the two ways or to rule a pass
// out when a result looks wrong.
#pragma once

#include <string_view>

namespace platform::db::tsql {

struct Passes {
  //! Index the working-table column a query picks one row by, before the query.
  bool lookupIndex = true;
  //! A working table's NOT EXISTS over another table's matching rows as an anti-join on the
  //! row key, over an index on the matching columns.
  bool entityAntiJoin = true;
  //! Store a working table's many small verdict columns in one BLOB, a byte each.
  bool packedVerdicts = true;
  //! Keep a packed table's verdicts and the columns after them in a narrow table of their
  //! own, keyed by the row id, where the checks write.
  bool verdictSideTable = true;
  //! Fill a working table from a table picked by an indexed equality in the table's own order.
  bool fillInRowOrder = true;

  //! Every pass on, except those named in the comma-separated list ("all": every one off).
  //! Throws std::invalid_argument naming an unknown pass.
  static Passes except(std::string_view offList);
};

}  // namespace platform::db::tsql

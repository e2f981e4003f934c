// Quote doubling for codes spliced into statements.
#include "src/common/sql_text.h"

#include "platform/db/sql_literal.h"

namespace passaggio {

std::string SqlCode(std::string_view code) { return platform::db::doubleQuotes(code); }

}  // namespace passaggio

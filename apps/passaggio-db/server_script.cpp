// Writing the server script.
#include "apps/passaggio-db/server_script.h"

#include "platform/services/state_change_log.h"
#include "sql/demo_data.h"
#include "sql/row_sink.h"
#include "sql/schema.h"

namespace passaggio_db {
namespace {

void batch(std::ostream& out, std::string_view text) {
  out << text;
  if (!text.empty() && text.back() != '\n') out << '\n';
  out << "GO\n";
}

}  // namespace

bool writeServerScript(std::ostream& out, const std::string& what) {
  if (what == "log") {
    batch(out, platform::services::serverStateChangeLogDdl());
    return true;
  }
  if (what != "create" && what != "demo") return false;
  for (const std::string_view text : sql::schemaBatches()) batch(out, text);
  if (what == "demo") {
    sql::ConnectionSink sink([&out](const std::string& statement) { batch(out, statement); });
    sql::writeDemo(sink);
    sink.flush();
  }
  return true;
}

}  // namespace passaggio_db

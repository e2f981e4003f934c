// passaggio-batch: opens the console without a screen, as a host does (loads the module,
// creates its class, sets its properties, shows it), carries out one command by driving the
// control models as a user would, and closes it. Questions are answered from --yes, errors
// from --on-error; everything shown goes to standard error.
#include <filesystem>
#include <iostream>

#include "apps/passaggio-batch/batch_display.h"
#include "apps/passaggio-batch/commands.h"
#include "apps/passaggio-batch/headless_windows.h"
#include "apps/passaggio-batch/options.h"
#include "platform/db/trace.h"
#include "platform/host/module_loader.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"

namespace passaggio::batch {
namespace {

std::filesystem::path modulePath() {
  std::error_code ignored;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return self.parent_path() / "RUZU_PASSAGGIO.so";
}

int runCommandOf(Session& session, const Options& options) {
  const ProcessingOptions& processing = options.processing;
  const std::string& command = options.command;
  if (command == "whoami") return whoami(session);
  if (command == "run") return runCommand(session, processing);
  if (command == "apply") return applyCommand(session, processing);
  if (command == "pages") return pages(session);
  if (command == "entities") return entities(session, options.arguments);
  if (command == "detail") return detailCommand(session, options.arguments, processing);
  if (command == "signoff") return signoffCommand(session, options.arguments, processing);
  if (command == "history") return historyCommand(session, options.history);
  if (command == "undo") return undoCommand(session, options.arguments);
  if (command == "script") {
    if (options.arguments.size() == 1) return script(session, options.arguments[0]);
    complain("script vuole un FILE o -");
    return kUsage;
  }
  return kUsage;  // parse() knows every command
}

int run(const Options& options) {
  const sql::DatabaseName database = sql::databaseNamed(options.database);
  if (database.missing()) {
    complain("il database " + database.file.string() + " non esiste");
    return kError;
  }
  std::string connectionString = database.connectionString;
  if (!options.trace.empty()) connectionString += ";trace=" + options.trace;

  // The module is loaded first and unloaded last: everything the host keeps of it, down to
  // weak references to its objects, must be gone before its code is unmapped.
  platform::host::MemoryRegistry registry;
  platform::host::LoadedModule module(modulePath().string(), registry);
  auto display = std::make_shared<BatchDisplay>(
      platform::services::ScriptedDisplay::Policy{options.yes, options.onError, 3}, std::cerr);
  HeadlessWindows windows(*display);
  platform::host::InstallWindowSystem(&windows);

  platform::services::StandinHost host({connectionString, options.company, options.user, display, {}, {}});
  auto console = module.Create("CLSMG_PASSAGGIO");
  host.attach(*console);
  console->LetCaption(platform::Variant("Passaggio di stato articoli"));
  console->LetIsActive(true);
  if (options.processing.item) {
    console->LetIsCalled(true);
    console->LetProperty("CodiceArticolo", platform::Variant(*options.processing.item));
  }
  console->ShowForm();

  int result = kOk;
  auto* window = windows.Current();
  if (window == nullptr) {
    complain("la console non si è aperta");
    result = kError;
  } else if (!display->aborted()) {  // an error while opening stops before the command
    Session session{window->Controls(), *display, host, connectionString, *console->GetConnection(), windows};
    result = runCommandOf(session, options);
  }
  if (display->aborted()) complain("comando interrotto: un errore ha avuto risposta abort");
  if (!console->CloseForm().toBool()) {
    complain("la console ha rifiutato la chiusura");
    result = kError;
  }
  console.reset();
  platform::host::InstallWindowSystem(nullptr);
  if (result == kOk && display->aborted()) result = kError;
  return result;
}

}  // namespace
}  // namespace passaggio::batch

int main(int argc, char** argv) {
  using namespace passaggio::batch;
  int status = kOk;
  try {
    const Options options = parse(argc, argv);
    if (options.help) {
      std::cout << kUsageText;
      return kOk;
    }
    status = run(options);
  } catch (const UsageError& error) {
    complain(error.message);
    std::cerr << kUsageText;
    status = kUsage;
  } catch (const std::exception& error) {
    complain(error.what());
    status = kError;
  }
  if (const auto failure = platform::db::traceWriteFailure()) {
    complain("traccia " + failure->path + " non scrivibile: " + failure->reason);
    if (status == kOk) status = kError;
  }
  return status;
}

// passaggio: the desktop host. Plays the ERP's frame: signs a user in, loads the console
// module, and shows its consoles in an MDI main window until the user quits.
#include <QApplication>
#include <QMessageBox>
#include <filesystem>
#include <iostream>

#include "apps/passaggio/desktop_app.h"
#include "apps/passaggio/main_window.h"
#include "platform/host/module_loader.h"
#include "platform/qt/text.h"

namespace {

std::filesystem::path modulePath() {
  std::error_code ignored;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return self.parent_path() / "RUZU_PASSAGGIO.so";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace passaggio::desktop;
  Options options;
  try {
    options = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << "passaggio: " << error.what() << "\n" << kUsageText;
    return 2;
  }
  if (options.help) {
    std::cout << kUsageText;
    return 0;
  }
  if (const auto missing = missingDisplay()) {
    std::cerr << "passaggio: " << *missing << "\n";
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("passaggio"));
  QApplication::setApplicationName(QStringLiteral("passaggio"));
  QApplication::setApplicationVersion(QStringLiteral(PASSAGGIO_VERSION));
  QApplication::setWindowIcon(applicationIcon());

  // The module is loaded first and unloaded last: every console, view and host service of
  // the window is gone before its code is unmapped.
  platform::host::MemoryRegistry registry;
  std::unique_ptr<platform::host::LoadedModule> module;
  try {
    module = std::make_unique<platform::host::LoadedModule>(modulePath().string(), registry);
  } catch (const std::exception& error) {
    std::cerr << "passaggio: " << error.what() << "\n";
    QMessageBox::critical(nullptr, QString::fromUtf8(kConsoleCaption),
                          QStringLiteral("Il modulo della console non si carica:\n") +
                              platform::qt::toQString(error.what()));
    return 1;
  }

  int result = 0;
  {
    MainWindow window(*module);
    const std::optional<SignInChoice> choice = signIn(options);
    if (!choice) return 0;
    window.setSignIn(*choice);
    // Consoles fill the frame and follow it as it grows.
    window.setConsoleWindowState(2);
    window.placeOnScreen();
    window.show();
    window.openConsole(options.item);
    result = QApplication::exec();
  }
  if (!module->Unload()) std::cerr << "passaggio: il modulo è ancora in uso all'uscita\n";
  module.reset();
  return result;
}

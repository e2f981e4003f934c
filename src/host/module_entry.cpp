// The module's four entry points, as hosts find them in the library: register the class,
// unregister it, hand out its factory, and say whether the module may be unloaded.
#include <dlfcn.h>

#include <cstring>

#include "platform/host/module.h"
#include "src/host/clsmg_passaggio.h"

namespace passaggio {
namespace {

class Factory : public platform::host::ClassFactory {
 public:
  std::shared_ptr<platform::host::PluginObject> CreateInstance() override { return CLSMG_PASSAGGIO::Create(); }
};

Factory g_factory;

// The file this module was loaded from, for the registry.
std::string libraryPath() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&libraryPath), &info) != 0 && info.dli_fname != nullptr) {
    return info.dli_fname;
  }
  return {};
}

}  // namespace
}  // namespace passaggio

extern "C" {

__attribute__((visibility("default"))) int DllRegisterServer(platform::host::ModuleRegistry* registry) {
  if (registry == nullptr) return platform::host::kResultFalse;
  registry->RegisterClass(passaggio::CLSMG_PASSAGGIO::kClassName, passaggio::libraryPath());
  return platform::host::kResultOk;
}

__attribute__((visibility("default"))) int DllUnregisterServer(platform::host::ModuleRegistry* registry) {
  if (registry == nullptr) return platform::host::kResultFalse;
  registry->UnregisterClass(passaggio::CLSMG_PASSAGGIO::kClassName);
  return platform::host::kResultOk;
}

__attribute__((visibility("default"))) int DllGetClassObject(const char* className,
                                                             platform::host::ClassFactory** factory) {
  if (factory == nullptr) return platform::host::kResultFalse;
  *factory = nullptr;
  if (className == nullptr || std::strcmp(className, passaggio::CLSMG_PASSAGGIO::kClassName) != 0) {
    return platform::host::kClassNotAvailable;
  }
  *factory = &passaggio::g_factory;
  return platform::host::kResultOk;
}

__attribute__((visibility("default"))) int DllCanUnloadNow() {
  return passaggio::CLSMG_PASSAGGIO::LiveObjects() == 0 ? platform::host::kResultOk : platform::host::kResultFalse;
}

}

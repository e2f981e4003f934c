// dlopen-based loading of module libraries.
#include "platform/host/module_loader.h"

#include <dlfcn.h>

namespace platform::host {
namespace {

template <class Fn>
Fn symbol(void* handle, const char* name, const std::string& path) {
  void* address = ::dlsym(handle, name);
  if (address == nullptr) throw ModuleError(path + " non è un modulo: manca " + name);
  return reinterpret_cast<Fn>(address);
}

}  // namespace

void MemoryRegistry::RegisterClass(const std::string& className, const std::string& libraryPath) {
  m_classes[className] = libraryPath;
}

void MemoryRegistry::UnregisterClass(const std::string& className) { m_classes.erase(className); }

std::string MemoryRegistry::LibraryOf(const std::string& className) const {
  const auto found = m_classes.find(className);
  return found == m_classes.end() ? std::string() : found->second;
}

LoadedModule::LoadedModule(const std::string& libraryPath, ModuleRegistry& registry) : m_registry(registry) {
  m_handle = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* why = ::dlerror();
    throw ModuleError("Impossibile caricare il modulo " + libraryPath + ": " + (why != nullptr ? why : "?"));
  }
  try {
    const auto registerServer = symbol<DllRegisterServerFn>(m_handle, "DllRegisterServer", libraryPath);
    m_unregister = symbol<DllUnregisterServerFn>(m_handle, "DllUnregisterServer", libraryPath);
    m_getClassObject = symbol<DllGetClassObjectFn>(m_handle, "DllGetClassObject", libraryPath);
    m_canUnloadNow = symbol<DllCanUnloadNowFn>(m_handle, "DllCanUnloadNow", libraryPath);
    if (registerServer(&m_registry) != kResultOk) throw ModuleError("Il modulo " + libraryPath + " non si è registrato");
  } catch (...) {
    ::dlclose(m_handle);
    m_handle = nullptr;
    throw;
  }
}

LoadedModule::~LoadedModule() { Unload(); }

std::shared_ptr<PluginObject> LoadedModule::Create(const std::string& className) {
  ClassFactory* factory = nullptr;
  if (m_handle == nullptr || m_getClassObject(className.c_str(), &factory) != kResultOk || factory == nullptr) {
    throw ModuleError("Classe non disponibile: " + className);
  }
  return factory->CreateInstance();
}

bool LoadedModule::CanUnload() const { return m_handle == nullptr || m_canUnloadNow() == kResultOk; }

bool LoadedModule::Unload() {
  if (m_handle == nullptr) return true;
  if (!CanUnload()) return false;
  m_unregister(&m_registry);
  ::dlclose(m_handle);
  m_handle = nullptr;
  return true;
}

}  // namespace platform::host

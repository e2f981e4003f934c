// Loads a module library at run time, registers its classes and creates their objects
// through the factory it hands out, as a host does; unloads it only when it says it may.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/host/module.h"

namespace platform::host {

class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

//! A registry kept in memory for the life of the host process.
class MemoryRegistry : public ModuleRegistry {
 public:
  void RegisterClass(const std::string& className, const std::string& libraryPath) override;
  void UnregisterClass(const std::string& className) override;
  //! The library registered for a class; empty when none.
  std::string LibraryOf(const std::string& className) const;

 private:
  std::map<std::string, std::string> m_classes;
};

class LoadedModule {
 public:
  //! Loads the library and registers its classes in `registry`; throws ModuleError with
  //! the loader's own message when the file is missing or is not a module.
  LoadedModule(const std::string& libraryPath, ModuleRegistry& registry);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  //! Creates an object of a class the module serves; throws ModuleError when it does not.
  std::shared_ptr<PluginObject> Create(const std::string& className);
  //! Whether no object of the module lives any longer.
  bool CanUnload() const;
  //! Unregisters the classes and closes the library when no object lives; false otherwise.
  bool Unload();

 private:
  void* m_handle = nullptr;
  ModuleRegistry& m_registry;
  DllUnregisterServerFn m_unregister = nullptr;
  DllGetClassObjectFn m_getClassObject = nullptr;
  DllCanUnloadNowFn m_canUnloadNow = nullptr;
};

}  // namespace platform::host

// How hosts and modules meet: a module is a shared library that hosts load at run time and
// never link. It exports four C entry points: register its class in the host's module
// registry, unregister it, hand out the class factory, and say whether it may be unloaded.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/host/cinterface.h"

namespace platform::host {

//! A module's public class as hosts create it: the plug-in interface, the class's own
//! properties by name, and its outgoing events.
class PluginObject : public Cinterface {
 public:
  virtual Variant GetProperty(const std::string& name) = 0;
  virtual void LetProperty(const std::string& name, const Variant& value) = 0;
  //! The DataTransfer event: raised with a copy of the data handed to TransferData.
  virtual void OnDataTransfer(std::function<void(const Variant& data)> handler) = 0;
};

class ClassFactory {
 public:
  virtual ~ClassFactory() = default;
  virtual std::shared_ptr<PluginObject> CreateInstance() = 0;
};

//! The host's registry of creatable classes: class name to the library that serves it.
class ModuleRegistry {
 public:
  virtual ~ModuleRegistry() = default;
  virtual void RegisterClass(const std::string& className, const std::string& libraryPath) = 0;
  virtual void UnregisterClass(const std::string& className) = 0;
};

//! Result codes of the entry points, as in-process servers return them.
inline constexpr int kResultOk = 0;
inline constexpr int kResultFalse = 1;
inline constexpr int kClassNotAvailable = -2147221231;  // CLASS_E_CLASSNOTAVAILABLE

}  // namespace platform::host

extern "C" {
//! The entry points a module library exports.
using DllRegisterServerFn = int (*)(platform::host::ModuleRegistry* registry);
using DllUnregisterServerFn = int (*)(platform::host::ModuleRegistry* registry);
using DllGetClassObjectFn = int (*)(const char* className, platform::host::ClassFactory** factory);
using DllCanUnloadNowFn = int (*)();
}

// The host's plug-in interface: what every module's public class implements, member by
// member in the order of the host's interface slots. The host sets properties, then calls
// ShowForm; it closes a module with CloseForm.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/db/connection.h"
#include "platform/host/services.h"
#include "platform/variant/variant.h"

namespace platform::host {

class Cinterface : public Object {
 public:
  virtual void SetClsGlobal(std::shared_ptr<ClsGlobal> value) = 0;  // 1
  virtual std::shared_ptr<ClsGlobal> GetClsGlobal() = 0;
  virtual void SetActiveFrame(std::shared_ptr<Object> value) = 0;  // 2: an object with a Status
  virtual std::shared_ptr<Object> GetActiveFrame() = 0;
  virtual void SetActiveNavigator(std::shared_ptr<ActiveNavigator> value) = 0;  // 3
  virtual std::shared_ptr<ActiveNavigator> GetActiveNavigator() = 0;
  virtual void SetActiveDll(std::shared_ptr<Cinterface> value) = 0;  // 4
  virtual std::shared_ptr<Cinterface> GetActiveDll() = 0;
  virtual void SetStatusBar(std::shared_ptr<Object> value) = 0;  // 5
  virtual std::shared_ptr<Object> GetStatusBar() = 0;
  virtual void LetCanInsert(bool value) = 0;  // 6
  virtual bool GetCanInsert() = 0;
  virtual void LetCanDelete(bool value) = 0;  // 7
  virtual bool GetCanDelete() = 0;
  virtual void LetCanUpdate(bool value) = 0;  // 8
  virtual bool GetCanUpdate() = 0;
  virtual void LetCanQbe(bool value) = 0;  // 9
  virtual bool GetCanQbe() = 0;
  virtual void LetWindowState(std::int32_t value) = 0;  // 10: kept as 16 bits
  virtual std::int32_t GetWindowState() = 0;
  virtual void LetWindowModal(bool value) = 0;  // 11
  virtual bool GetWindowModal() = 0;
  virtual void LetProgramMode(std::int32_t value) = 0;  // 12: kept as 16 bits
  virtual std::int32_t GetProgramMode() = 0;
  virtual void LetMenuModulo(const Variant& value) = 0;  // 13
  virtual Variant GetMenuModulo() = 0;
  virtual void LetMenuPadre(const Variant& value) = 0;  // 14
  virtual Variant GetMenuPadre() = 0;
  virtual void LetMenuProg(const Variant& value) = 0;  // 15
  virtual Variant GetMenuProg() = 0;
  virtual void LetCaption(const Variant& value) = 0;  // 16
  virtual Variant GetCaption() = 0;
  virtual void LetHwndParent(std::int32_t value) = 0;  // 17
  virtual std::int32_t GetHwndParent() = 0;
  virtual Variant ShowForm() = 0;   // 18
  virtual Variant CloseForm() = 0;  // 19: True when the console let go of the host
  virtual void SetConnection(std::shared_ptr<db::Connection> value) = 0;  // 20
  virtual std::shared_ptr<db::Connection> GetConnection() = 0;
  virtual std::shared_ptr<Object> GetCwindow() = 0;      // 21
  virtual Variant TransferData(const Variant& data) = 0;  // 22
  virtual Variant GetTop() = 0;  // 23: a Long
  virtual void LetTop(const Variant& value) = 0;
  virtual Variant GetLeft() = 0;  // 24
  virtual void LetLeft(const Variant& value) = 0;
  virtual void SetClsVoceMenu(std::shared_ptr<MenuEntry> value) = 0;  // 25
  virtual std::shared_ptr<MenuEntry> GetClsVoceMenu() = 0;
  virtual void LetIsActive(bool value) = 0;  // 26
  virtual bool GetIsActive() = 0;
  virtual void LetIsCalled(bool value) = 0;  // 27
  virtual bool GetIsCalled() = 0;
  virtual void LetFiltro(const Variant& value) = 0;  // 28: ignored
  virtual Variant GetFiltro() = 0;
};

//! The frame object a host hands as ActiveFrame: its status goes to the navigator.
class ActiveFrame : public Object {
 public:
  virtual Variant Status() = 0;
};

}  // namespace platform::host

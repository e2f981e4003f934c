// The side bar: a column of item links, each with a key and a caption. Clicking a link tells
// the form its key; the form switches pages from it. Before it is initialised the side bar
// shows nothing and takes no clicks.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/control.h"
#include "platform/controls/event.h"
#include "platform/variant/variant.h"

namespace platform::controls {

struct SideBarItem {
  std::string key;
  std::string caption;
};

class SideBar : public Control {
 public:
  explicit SideBar(std::string name);

  //! Hands the side bar the host interface and its display flag.
  void initialise(std::shared_ptr<Object> host, bool flag);
  bool isInitialised() const { return m_initialised; }
  bool flag() const { return m_flag; }

  //! Adds an item link; the design may list them too ("item" = [key, caption]).
  void addItem(std::string key, std::string caption);
  void clearItems();
  const std::vector<SideBarItem>& items() const { return m_items; }

  //! The user clicks the link with `key` (compared exactly): false when the side bar is
  //! not initialised, disabled or has no such item.
  bool clickItem(std::string_view key);

  //! (the clicked item)
  Event<const SideBarItem&> onItemLinkClick;

 protected:
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  std::weak_ptr<Object> m_host;  // held weakly: the host owns the module, never the reverse
  bool m_initialised = false;
  bool m_flag = false;
  std::vector<SideBarItem> m_items;
};

}  // namespace platform::controls

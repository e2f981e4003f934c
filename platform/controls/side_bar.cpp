// The side bar.
#include "platform/controls/side_bar.h"
#include "platform/text/ascii.h"

#include <stdexcept>


namespace platform::controls {

SideBar::SideBar(std::string name) : Control(std::move(name), ControlKind::SideBar) {}

void SideBar::initialise(std::shared_ptr<Object> host, bool flag) {
  m_host = std::move(host);
  m_flag = flag;
  m_initialised = true;
  notifyChanged();
}

void SideBar::addItem(std::string key, std::string caption) {
  m_items.push_back(SideBarItem{std::move(key), std::move(caption)});
  notifyChanged();
}

void SideBar::clearItems() {
  m_items.clear();
  notifyChanged();
}

bool SideBar::clickItem(std::string_view key) {
  if (!m_initialised || !isEnabled() || !isShown()) return false;
  for (const SideBarItem& item : m_items) {
    if (item.key == key) {
      const SideBarItem clicked = item;  // the handler may change the items
      onItemLinkClick.raise(clicked);
      return true;
    }
  }
  return false;
}

bool SideBar::applyDesignProperty(std::string_view name, const Variant& value) {
  if (!text::equalsIgnoringCase(name, "item")) return Control::applyDesignProperty(name, value);
  if (value.type() != Variant::Type::Array || value.array().size() != 2) {
    throw std::invalid_argument("side bar " + this->name() + ": an item is a [key, caption] pair");
  }
  addItem(value.array()[0].toText(), value.array()[1].toText());
  return true;
}

}  // namespace platform::controls

// Shows an item of the current company on the display as an item card (master data, state,
// classification with descriptions, weights, unit, barcode, notes) and returns when the
// display does, that is when the user is done with it.
#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <string>

#include "platform/host/display.h"
#include "platform/services/lookups.h"

namespace platform::services {

class StandinItemNotifier : public HostServiceBase<host::ItemNotifier> {
 public:
  using HostServiceBase::HostServiceBase;

  //! Kept for the host; they change nothing in what the card shows.
  void SetValues(int first, int second) override;
  //! An item the company does not have is told with a message instead of a card.
  void ShowItem(const std::string& itemCode) override;
  //! After this the notifier shows nothing more (std::logic_error).
  void Shutdown() override { m_shutDown = true; }

  std::pair<int, int> values() const { return {m_first, m_second}; }

  //! The card of an item; nullopt when the company has no such item.
  std::optional<host::ItemCard> cardOf(const std::string& itemCode);

 private:
  int m_first = 0;
  int m_second = 0;
  bool m_shutDown = false;
};

}  // namespace platform::services

// Events of the control models: an ordered list of handlers called with the event's
// arguments. By-reference arguments (cancel flags, out-arguments) pass through every handler
// in turn, so the last handler to touch one decides.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace platform::controls {

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;

  //! Adds a handler; handlers run in the order they were connected.
  void connect(Handler handler) { m_handlers.push_back(std::move(handler)); }
  void disconnectAll() { m_handlers.clear(); }
  bool connected() const { return !m_handlers.empty(); }

  //! Calls the handlers in order. Handlers connected while it runs are called from the next
  //! raise on; disconnecting them all stops the remaining calls at once.
  void raise(Args... args) const {
    const std::size_t count = m_handlers.size();
    for (std::size_t i = 0; i < count && i < m_handlers.size(); ++i) {
      Handler handler = m_handlers[i];  // a copy: the handler may reallocate the list
      handler(args...);
    }
  }

 private:
  std::vector<Handler> m_handlers;
};

}  // namespace platform::controls

// The host's log object: it takes the error being reported and the connection's error
// collection, shows them through the display and writes what was shown, with the answer,
// to the administrator's log.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/host/display.h"
#include "platform/host/services.h"
#include "platform/services/admin_log.h"

namespace platform::services {

class StandinLog : public host::LogObject {
 public:
  StandinLog(std::shared_ptr<host::Display> display, std::shared_ptr<AdminLog> log, std::string userCode = {});

  void TakeError(long number, const std::string& description, const std::string& source) override;
  void TakeConnectionErrors(const std::vector<db::ErrorEntry>& errors, const std::string& sql) override;
  //! Shows what was taken and forgets it, so that a later error does not carry an old
  //! statement or old connection errors. The answer is 3, 4 or 5; anything else the display
  //! says counts as abort. `inOut` is left as it is.
  int ShowError(const std::string& applicationTitle, const std::string& caption, const std::string& procedure,
                int style, int& inOut) override;
  //! `flag` and `value` are the caller's; the message is shown as given.
  int ShowMessage(const std::string& text, int style, const std::string& title, bool flag, int value) override;

 private:
  std::shared_ptr<host::Display> m_display;
  std::shared_ptr<AdminLog> m_log;
  std::string m_userCode;
  long m_number = 0;
  std::string m_description;
  std::string m_source;
  std::string m_sql;
  std::vector<db::ErrorEntry> m_connectionErrors;
};

}  // namespace platform::services

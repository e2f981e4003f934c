// The batch host's display: answers like the scripted display (a queue, then --yes and
// --on-error), and writes every message and error shown to standard error as it happens.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "platform/script/model_driver.h"
#include "platform/services/scripted_display.h"

namespace passaggio::batch {

class BatchDisplay : public platform::host::Display, public platform::script::Prompter {
 public:
  BatchDisplay(platform::services::ScriptedDisplay::Policy policy, std::ostream& log);

  int showMessage(const platform::host::MessageRequest& request) override;
  int showError(const platform::host::ErrorRequest& request) override;
  int pick(const platform::host::PickListRequest& request) override;
  void showItemCard(const platform::host::ItemCard& card) override;

  void QueueAnswer(int answer) override;
  std::string LastMessage() const override { return m_last; }

  //! Whether an error display was answered with abort: the run failed.
  bool aborted() const { return m_aborted; }

 private:
  platform::services::ScriptedDisplay m_answers;
  std::ostream& m_log;
  std::string m_last;
  bool m_aborted = false;
};

}  // namespace passaggio::batch

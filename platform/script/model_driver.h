// Carries out driver-script actions on a form's control models, as a user at the keyboard
// would: only on controls that are shown and enabled, through the same user actions the
// desktop widgets call.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/controls/form.h"
#include "platform/script/script.h"

namespace platform::script {

//! The scripted answers to questions and error displays, as the script sees them.
class Prompter {
 public:
  virtual ~Prompter() = default;
  //! The answer (1 OK ... 7 No) to the next question or error display.
  virtual void QueueAnswer(int answer) = 0;
  //! The text of the last message or error shown; empty when none was.
  virtual std::string LastMessage() const = 0;
};

class ModelDriver {
 public:
  ModelDriver(controls::Form& form, Prompter& prompter, std::ostream& out);

  //! Carries out one action; throws ScriptError when it cannot.
  void run(const Action& action);
  void runAll(const std::vector<Action>& actions);

 private:
  template <class T>
  T& usable(const Action& action, const std::string& name);
  void dumpGrid(const Action& action, const std::string& name);
  void dumpControl(const Action& action, const std::string& name);

  controls::Form& m_form;
  Prompter& m_prompter;
  std::ostream& m_out;
};

}  // namespace platform::script

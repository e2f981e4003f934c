// A display without a screen, for tests and the batch host: it answers from a queue of
// answers given in advance, then from a default policy, and keeps everything it was asked to
// show, in order, so that what a user would have seen can be read back.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "platform/host/display.h"

namespace platform::services {

//! A queued answer that the question it met does not offer (Yes to an OK-only box, ...).
class ScriptError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedDisplay : public host::Display {
 public:
  //! How the display answers when its queue is empty.
  struct Policy {
    bool yes = true;                   // questions: Yes (or OK) when true, No (or Cancel) when false
    int onError = host::kAbort;        // the error display and abort/retry/ignore boxes
    //! A default retry of the same error (procedure and description) this many times in a
    //! row turns into abort, so that an unattended run never loops on a lasting failure.
    int maxRetries = 3;
  };

  //! One thing shown, as a user would have seen it.
  struct Shown {
    enum class Kind { Message, Error, PickList, ItemCard };
    Kind kind = Kind::Message;
    std::string text;       // message text, error description, list or card title
    int style = 0;
    std::string title;      // message title; for an error its caption
    std::string procedure;  // errors only
    int answer = 0;         // button pressed, or the row picked (-1 none); 0 for cards
  };

  ScriptedDisplay();
  explicit ScriptedDisplay(Policy policy);

  //! Answers for the next messages and errors, in order.
  void queue(host::Answer answer);
  void queue(std::initializer_list<host::Answer> answers);
  //! Picks for the next pick lists: a row by its code (first column) or by its index.
  void queuePick(std::string code);
  void queuePickIndex(int index);
  //! Called while an item card is shown, before it closes: what the user does meanwhile.
  void whileCardOpen(std::function<void(const host::ItemCard&)> action) { m_whileCardOpen = std::move(action); }

  std::size_t pendingAnswers() const { return m_answers.size(); }
  std::size_t pendingPicks() const { return m_picks.size(); }

  const std::vector<Shown>& shown() const { return m_shown; }
  const std::vector<host::ErrorRequest>& errors() const { return m_errors; }
  const std::vector<host::PickListRequest>& pickLists() const { return m_pickLists; }
  const std::vector<host::ItemCard>& cards() const { return m_cards; }
  //! Only the messages (not errors, lists or cards).
  std::vector<Shown> messages() const;
  void clear();

  int showMessage(const host::MessageRequest& request) override;
  int showError(const host::ErrorRequest& request) override;
  int pick(const host::PickListRequest& request) override;
  void showItemCard(const host::ItemCard& card) override;

 private:
  int answerFor(int style, const std::string& what);

  Policy m_policy;
  std::deque<host::Answer> m_answers;
  std::deque<std::variant<std::string, int>> m_picks;
  std::function<void(const host::ItemCard&)> m_whileCardOpen;
  std::vector<Shown> m_shown;
  std::vector<host::ErrorRequest> m_errors;
  std::vector<host::PickListRequest> m_pickLists;
  std::vector<host::ItemCard> m_cards;
  std::string m_lastRetried;  // procedure and description of the error last retried by default
  int m_retries = 0;
};

//! The buttons a message box style offers, as answers, in their order on the box.
std::vector<int> buttonsOf(int style);

//! The Italian name of an answer ("Sì", "No", "Interrompi", ...), for logs and transcripts.
std::string answerName(int answer);

}  // namespace platform::services

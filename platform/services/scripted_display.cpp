// The scripted display.
#include "platform/services/scripted_display.h"

#include <algorithm>

namespace platform::services {

using namespace platform::host;

std::vector<int> buttonsOf(int messageStyle) {
  switch (style::buttons(messageStyle)) {
    case style::kOkCancel: return {kOk, kCancel};
    case style::kAbortRetryIgnore: return {kAbort, kRetry, kIgnore};
    case style::kYesNoCancel: return {kYes, kNo, kCancel};
    case style::kYesNo: return {kYes, kNo};
    case style::kRetryCancel: return {kRetry, kCancel};
    default: return {kOk};
  }
}

std::string answerName(int answer) {
  switch (answer) {
    case kOk: return "OK";
    case kCancel: return "Annulla";
    case kAbort: return "Interrompi";
    case kRetry: return "Riprova";
    case kIgnore: return "Ignora";
    case kYes: return "Sì";
    case kNo: return "No";
    default: return "nessuna risposta";
  }
}

ScriptedDisplay::ScriptedDisplay() : ScriptedDisplay(Policy{}) {}

ScriptedDisplay::ScriptedDisplay(Policy policy) : m_policy(policy) {
  if (policy.onError != kAbort && policy.onError != kRetry && policy.onError != kIgnore) {
    throw std::invalid_argument("the error policy must be abort, retry or ignore");
  }
}

void ScriptedDisplay::queue(Answer answer) { m_answers.push_back(answer); }

void ScriptedDisplay::queue(std::initializer_list<Answer> answers) {
  m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

void ScriptedDisplay::queuePick(std::string code) { m_picks.emplace_back(std::move(code)); }

void ScriptedDisplay::queuePickIndex(int index) { m_picks.emplace_back(index); }

std::vector<ScriptedDisplay::Shown> ScriptedDisplay::messages() const {
  std::vector<Shown> result;
  std::copy_if(m_shown.begin(), m_shown.end(), std::back_inserter(result),
               [](const Shown& shown) { return shown.kind == Shown::Kind::Message; });
  return result;
}

void ScriptedDisplay::clear() {
  m_shown.clear();
  m_errors.clear();
  m_pickLists.clear();
  m_cards.clear();
}

// A queued answer must be one of the buttons shown: a script that answers Yes to an OK box
// has met a different question than its author expected, and saying so beats going on.
int ScriptedDisplay::answerFor(int messageStyle, const std::string& what) {
  const std::vector<int> buttons = buttonsOf(messageStyle);
  auto offered = [&](int answer) { return std::find(buttons.begin(), buttons.end(), answer) != buttons.end(); };
  if (!m_answers.empty()) {
    const int answer = m_answers.front();
    m_answers.pop_front();
    if (!offered(answer)) {
      throw ScriptError("risposta preparata \"" + answerName(answer) + "\" non prevista per: " + what);
    }
    return answer;
  }
  if (offered(m_policy.onError) && offered(kAbort)) return m_policy.onError;
  if (style::buttons(messageStyle) == style::kRetryCancel) return m_policy.onError == kRetry ? kRetry : kCancel;
  if (offered(kYes)) return m_policy.yes ? kYes : kNo;
  if (offered(kCancel)) return m_policy.yes ? kOk : kCancel;
  return kOk;
}

int ScriptedDisplay::showMessage(const MessageRequest& request) {
  const int answer = answerFor(request.style, request.text);
  m_shown.push_back({Shown::Kind::Message, request.text, request.style, request.title, {}, answer});
  return answer;
}

int ScriptedDisplay::showError(const ErrorRequest& request) {
  // The error display always offers abort, retry and ignore, whatever its style says.
  const bool queued = !m_answers.empty();
  int answer = answerFor(style::kAbortRetryIgnore, request.description);
  const std::string which = request.procedure + '\n' + request.description;
  if (queued || answer != kRetry) {
    m_retries = 0;
    m_lastRetried.clear();
  } else {
    m_retries = which == m_lastRetried ? m_retries + 1 : 1;
    m_lastRetried = which;
    if (m_retries > m_policy.maxRetries) {
      answer = kAbort;
      m_retries = 0;
      m_lastRetried.clear();
    }
  }
  m_shown.push_back({Shown::Kind::Error, request.description, request.style, request.caption, request.procedure, answer});
  m_errors.push_back(request);
  return answer;
}

int ScriptedDisplay::pick(const PickListRequest& request) {
  int answer = -1;
  if (!m_picks.empty()) {
    const auto choice = m_picks.front();
    m_picks.pop_front();
    if (const int* index = std::get_if<int>(&choice)) {
      if (*index >= 0 && static_cast<std::size_t>(*index) < request.rows.size()) answer = *index;
    } else {
      const std::string& code = std::get<std::string>(choice);
      for (std::size_t i = 0; i < request.rows.size(); ++i) {
        if (!request.rows[i].empty() && request.rows[i].front() == code) {
          answer = static_cast<int>(i);
          break;
        }
      }
    }
  }
  m_shown.push_back({Shown::Kind::PickList, request.title, 0, request.title, {}, answer});
  m_pickLists.push_back(request);
  return answer;
}

void ScriptedDisplay::showItemCard(const ItemCard& card) {
  m_shown.push_back({Shown::Kind::ItemCard, card.title, 0, card.title, {}, 0});
  m_cards.push_back(card);
  if (m_whileCardOpen) m_whileCardOpen(card);
}

}  // namespace platform::services

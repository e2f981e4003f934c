// Writing what the console shows to standard error.
#include "apps/passaggio-batch/batch_display.h"

namespace passaggio::batch {

std::string oneLine(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      line += "\\n";
    } else {
      line += c;
    }
  }
  return line;
}

BatchDisplay::BatchDisplay(platform::services::ScriptedDisplay::Policy policy, std::ostream& log)
    : m_answers(policy), m_log(log) {}

int BatchDisplay::showMessage(const platform::host::MessageRequest& request) {
  m_last = request.text;
  m_log << "message: " << oneLine(request.text) << "\n";
  return m_answers.showMessage(request);
}

int BatchDisplay::showError(const platform::host::ErrorRequest& request) {
  m_last = request.description;
  const int answer = m_answers.showError(request);
  const char* choice = answer == platform::host::kRetry ? "retry" : answer == platform::host::kIgnore ? "ignore" : "abort";
  m_log << "error: " << request.procedure << ": " << oneLine(request.description) << " (" << choice << ")\n";
  if (answer != platform::host::kRetry && answer != platform::host::kIgnore) {
    m_aborted = true;
    m_log << "  numero " << request.number << ", origine " << request.source << "\n";
    if (!request.sql.empty()) m_log << "  istruzione: " << oneLine(request.sql) << "\n";
    for (const auto& entry : request.connectionErrors) {
      m_log << "  errore di connessione: numero " << entry.number << ", nativo " << entry.nativeError << ", "
            << entry.source << ": " << oneLine(entry.description) << "\n";
    }
  }
  return answer;
}

int BatchDisplay::pick(const platform::host::PickListRequest& request) { return m_answers.pick(request); }

void BatchDisplay::showItemCard(const platform::host::ItemCard& card) {
  m_log << "card: " << oneLine(card.title) << "\n";
  m_answers.showItemCard(card);
}

void BatchDisplay::QueueAnswer(int answer) { m_answers.queue(static_cast<platform::host::Answer>(answer)); }

}  // namespace passaggio::batch

// Writing what the console shows to standard error.
#include "apps/passaggio-batch/batch_display.h"

#include "platform/db/printable.h"

namespace passaggio::batch {

using platform::db::printable;

BatchDisplay::BatchDisplay(platform::services::ScriptedDisplay::Policy policy, std::ostream& log)
    : m_answers(policy), m_log(log) {}

int BatchDisplay::showMessage(const platform::host::MessageRequest& request) {
  m_last = request.text;
  m_log << "message: " << printable(request.text) << "\n";
  return m_answers.showMessage(request);
}

int BatchDisplay::showError(const platform::host::ErrorRequest& request) {
  m_last = request.description;
  const int answer = m_answers.showError(request);
  const char* choice = answer == platform::host::kRetry ? "retry" : answer == platform::host::kIgnore ? "ignore" : "abort";
  m_log << "error: " << printable(request.procedure) << ": " << printable(request.description) << " (" << choice << ")\n";
  if (answer != platform::host::kRetry && answer != platform::host::kIgnore) {
    m_aborted = true;
    m_log << "  numero " << request.number << ", origine " << printable(request.source) << "\n";
    if (!request.sql.empty()) m_log << "  istruzione: " << printable(request.sql) << "\n";
    for (const auto& entry : request.connectionErrors) {
      m_log << "  errore di connessione: numero " << entry.number << ", nativo " << entry.nativeError << ", "
            << printable(entry.source) << ": " << printable(entry.description) << "\n";
    }
  }
  return answer;
}

int BatchDisplay::pick(const platform::host::PickListRequest& request) { return m_answers.pick(request); }

void BatchDisplay::showItemCard(const platform::host::ItemCard& card) {
  m_log << "card: " << printable(card.title) << "\n";
  m_answers.showItemCard(card);
}

void BatchDisplay::QueueAnswer(int answer) { m_answers.queue(static_cast<platform::host::Answer>(answer)); }

}  // namespace passaggio::batch

// The log object.
#include "platform/services/log_object.h"

namespace platform::services {

StandinLog::StandinLog(std::shared_ptr<host::Display> display, std::shared_ptr<AdminLog> log, std::string userCode)
    : m_display(std::move(display)), m_log(std::move(log)), m_userCode(std::move(userCode)) {}

void StandinLog::TakeError(long number, const std::string& description, const std::string& source) {
  m_number = number;
  m_description = description;
  m_source = source;
}

void StandinLog::TakeConnectionErrors(const std::vector<db::ErrorEntry>& errors, const std::string& sql) {
  m_connectionErrors = errors;
  m_sql = sql;
}

int StandinLog::ShowError(const std::string& applicationTitle, const std::string& caption, const std::string& procedure,
                          int style, int& /*inOut*/) {
  host::ErrorRequest request;
  request.applicationTitle = applicationTitle;
  request.caption = caption;
  request.procedure = procedure;
  request.style = style;
  request.number = m_number;
  request.description = m_description;
  request.source = m_source;
  request.sql = m_sql;
  request.connectionErrors = m_connectionErrors;

  int answer = m_display->showError(request);
  if (answer != host::kAbort && answer != host::kRetry && answer != host::kIgnore) answer = host::kAbort;

  if (m_log) {
    AdminLogEntry entry;
    entry.kind = AdminLogEntry::Kind::Error;
    entry.user = m_userCode;
    entry.procedure = procedure;
    entry.number = m_number;
    entry.text = m_description;
    entry.source = m_source;
    entry.sql = m_sql;
    entry.connectionErrors = m_connectionErrors;
    entry.answer = answer;
    m_log->append(std::move(entry));
  }
  m_number = 0;
  m_description.clear();
  m_source.clear();
  m_sql.clear();
  m_connectionErrors.clear();
  return answer;
}

int StandinLog::ShowMessage(const std::string& text, int style, const std::string& title, bool /*flag*/,
                            int /*value*/) {
  const int answer = m_display->showMessage({text, style, title});
  if (m_log) {
    AdminLogEntry entry;
    entry.kind = AdminLogEntry::Kind::Message;
    entry.user = m_userCode;
    entry.text = text;
    entry.answer = answer;
    m_log->append(std::move(entry));
  }
  return answer;
}

}  // namespace platform::services

// The administrator's log.
#include "platform/services/admin_log.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <stdexcept>

#include "platform/services/scripted_display.h"

namespace platform::services {

std::string localTimestamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm parts{};
  localtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

std::string formatEntry(const AdminLogEntry& entry) {
  std::string text = entry.when + (entry.kind == AdminLogEntry::Kind::Error ? " ERRORE" : " MESSAGGIO");
  if (!entry.user.empty()) text += " utente " + entry.user;
  if (!entry.procedure.empty()) text += " in " + entry.procedure;
  text += ": ";
  if (entry.kind == AdminLogEntry::Kind::Error) text += "[" + std::to_string(entry.number) + "] ";
  text += entry.text;
  text += " -> " + answerName(entry.answer) + "\n";
  if (!entry.source.empty()) text += "  origine: " + entry.source + "\n";
  if (!entry.sql.empty()) text += "  istruzione: " + entry.sql + "\n";
  for (const db::ErrorEntry& error : entry.connectionErrors) {
    text += "  connessione: [" + std::to_string(error.number) + "] " + error.description;
    if (!error.source.empty()) text += " (" + error.source + ")";
    text += "\n";
  }
  return text;
}

AdminLog::AdminLog(std::filesystem::path file) : m_file(std::move(file)) {
  std::ofstream out(m_file, std::ios::app);
  if (!out) throw std::runtime_error("impossibile scrivere il registro degli errori " + m_file.string());
}

void AdminLog::append(AdminLogEntry entry) {
  if (entry.when.empty()) entry.when = localTimestamp();
  if (!m_file.empty()) {
    // A log that cannot be written must not stop the error display that reports to it:
    // the failure is remembered and the entry stays in memory.
    std::ofstream out(m_file, std::ios::app);
    out << formatEntry(entry);
    if (!out.flush()) m_fileFailed = true;
  }
  m_entries.push_back(std::move(entry));
}

}  // namespace platform::services

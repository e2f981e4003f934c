// The change-record object: writes one row of the state-change log (FW10_LOGSTATI) for each
// item-master row it is handed, with the previous and the new state, the user, the time, a
// description and the recorded columns as text.
#pragma once

#include <memory>
#include <string>

#include "platform/host/services.h"

namespace platform::services {

class StandinGlobal;

//! What a company's administrator set for the recording of changes.
struct RecorderSettings {
  int status = 0;               // 1 = record nothing
  bool recordsChanges = true;   // item-master changes are recorded at all
  bool recordsStates = true;    // state changes among them
};

class StandinChangeRecorder : public host::ChangeRecorder {
 public:
  StandinChangeRecorder(std::shared_ptr<StandinGlobal> global, RecorderSettings settings);

  //! Keeps the kind; the host interface is handed back unchanged.
  void Initialise(std::shared_ptr<host::Cinterface>& host, int kind, const std::string& text, int flags) override;
  void SetEnabled(bool on) override { m_enabled = on; }
  int Status() override { return m_settings.status; }
  bool RecordsChanges() override { return m_settings.recordsChanges; }
  bool RecordsStates() override { return m_settings.recordsStates; }
  //! Company, item and state: all an item-master row needs to be found again and its state
  //! change told.
  std::string ColumnList() override;
  void SetRecording(bool on) override { m_recording = on; }
  void SetDescription(const std::string& description) override { m_description = description; }
  //! Writes one log row for the current row of `row`, which must hold MG66_CODART. The
  //! previous state is the new state of the item's latest log row (NULL when there is none),
  //! since the row comes after the item master was updated. Writes nothing when the settings
  //! or the switches say so. Failures are raised: a row without a current record is
  //! std::invalid_argument, a database failure the layer's DbError.
  void Record(db::Recordset& row, int flags, bool now) override;

  //! Log rows written by this object.
  int written() const { return m_written; }

 private:
  std::shared_ptr<StandinGlobal> m_global;
  RecorderSettings m_settings;
  bool m_initialised = false;
  bool m_enabled = false;
  bool m_recording = false;
  int m_kind = 0;
  std::string m_description;
  int m_written = 0;
};

}  // namespace platform::services

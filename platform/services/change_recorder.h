// The change-record object: completes the rows of the state-change log (FW10_LOGSTATI) that
// the database wrote for the item-master update just made (see state_change_log.h) with the
// description and the recorded columns as text. It never writes a row of its own, so a
// change that did not happen is never recorded.
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

  //! Keeps the kind and takes the connection of the host interface, whose update is to be
  //! recorded; closes that connection's current batch. The host interface is handed back
  //! unchanged. A host interface without a connection is std::invalid_argument.
  void Initialise(std::shared_ptr<host::Cinterface>& host, int kind, const std::string& text, int flags) override;
  //! As Initialise, for a host's own update on `connection` (the undo of a batch).
  void InitialiseOn(std::shared_ptr<db::Connection> connection);
  void SetEnabled(bool on) override { m_enabled = on; }
  int Status() override { return m_settings.status; }
  bool RecordsChanges() override { return m_settings.recordsChanges; }
  bool RecordsStates() override { return m_settings.recordsStates; }
  //! Company, item and state: all an item-master row needs to be found again and its state
  //! change told.
  std::string ColumnList() override;
  void SetRecording(bool on) override { m_recording = on; }
  void SetDescription(const std::string& description) override { m_description = description; }
  //! Completes the log row the database wrote for the current row of `row` (which must hold
  //! MG66_CODART) in the batch closed at Initialise, when its new state is the row's. Writes
  //! nothing when there is no such row (the state did not change) or when the settings or the
  //! switches say so. Failures are raised: a row without a current record is
  //! std::invalid_argument, a database failure the layer's DbError.
  void Record(db::Recordset& row, int flags, bool now) override;

 private:
  std::shared_ptr<StandinGlobal> m_global;
  RecorderSettings m_settings;
  bool m_initialised = false;
  bool m_enabled = false;
  bool m_recording = false;
  int m_kind = 0;
  std::string m_description;
  std::shared_ptr<db::Connection> m_connection;
};

}  // namespace platform::services

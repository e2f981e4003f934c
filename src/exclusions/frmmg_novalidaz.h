// FRMMG_NOVALIDAZ, the field-exclusion dialog: for one entity association, the fields of its
// validation body with a tick each (ticked: checked, unticked: excluded for the items of that
// association). Ticks are kept in a working table of the console's connection and written
// to the association's exclusions only on confirmation.
#pragma once

#include <memory>
#include <string>

#include "platform/controls/form.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/host/cinterface.h"
#include "platform/host/window_system.h"
#include "platform/variant/variant.h"
#include "src/common/error_trap.h"

namespace passaggio {

class FRMMG_NOVALIDAZ : public platform::Object,
                        public platform::host::ModuleWindow,
                        public std::enable_shared_from_this<FRMMG_NOVALIDAZ> {
 public:
  static constexpr const char* kName = "FRMMG_NOVALIDAZ";

  FRMMG_NOVALIDAZ();
  ~FRMMG_NOVALIDAZ() override;

  platform::controls::Form& Controls() override { return m_form; }
  void Activate() override;
  //! The window's close box: closes without saving, as CMD_CHIUDI does.
  bool RequestClose() override;

  //! Shows the dialog (1 = modal: returns after it has closed).
  void Show(int mode);
  void Unload();
  bool IsLoaded() const { return m_loaded; }

  // ---- members the console sets before showing it -----------------------------------------
  std::shared_ptr<platform::host::Cinterface> m_host;
  std::shared_ptr<platform::db::Connection> m_connection;
  std::shared_ptr<platform::host::LogObject> m_log;
  platform::Variant m_associationId;  // MG0Q_ID
  platform::Variant m_bodyId;         // MG0Q_ARGOMENTO_MG0M, an MG0M_ID

  // ---- procedures ----------------------------------------------------------------------------
  void Form_Activate();
  //! Builds the working table from the body's fields and the association's exclusions.
  void INITRST();
  void INITGRD();
  void GRD_CAMPIARG_SelectAllClickEXT(bool checked, bool& cancel);
  void GRD_CAMPIARG_BeforeCellChange(const platform::Variant& current, bool& cancel);
  //! Replaces the association's exclusions with the unticked fields, then closes.
  void CMD_CONFERMA_ButtonClick();
  void CMD_CHIUDI_Click();
  void Form_Unload();
  int VisualizzaErrore(const std::string& procedure, const ErrorInfo& error);

 private:
  ErrorTrap Trap(const std::string& procedure);
  platform::db::Connection& Db();
  //! Runs an update of the working table and reads it again, keeping the current row.
  void UpdateTicks(const std::string& statement);

  platform::controls::Form m_form;
  std::string m_tableName;
  std::shared_ptr<platform::db::Recordset> m_rows;
  std::string m_sql;
  bool m_loaded = false;
  bool m_activated = false;
};

}  // namespace passaggio

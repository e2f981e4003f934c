// A control whose value a record editor copies to and from a column of the current row:
// edit fields, choosers and check boxes. The control tells its editor when the user changes
// it, so the editor can leave the "saved row shown" status.
#pragma once

#include <string>

#include "platform/controls/control.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class RecordEditor;

class BoundControl : public Control {
 public:
  using Control::Control;
  ~BoundControl() override;

  //! The column the control is bound to ("dbfield" in the design).
  const std::string& dataField() const { return m_dataField; }
  void setDataField(std::string field) { m_dataField = std::move(field); }
  //! The value a new row starts with.
  const Variant& defaultValue() const { return m_default; }
  void setDefaultValue(Variant value) { m_default = std::move(value); }

  //! The value the editor writes into the row.
  virtual Variant boundValue() const = 0;
  //! The record editor the control is registered with, or null.
  RecordEditor* editor() const { return m_editor; }

 protected:
  //! The editor shows a value from the row (or the default of a new row): no user edit.
  virtual void loadBoundValue(const Variant& value) = 0;
  //! Called by the subclass when the user changed the value.
  void userEdited();

  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  friend class RecordEditor;

  std::string m_dataField;
  Variant m_default;
  RecordEditor* m_editor = nullptr;
};

}  // namespace platform::controls

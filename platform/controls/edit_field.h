// An edit field with look-up and decode. The user types a code, opens a list and picks from
// it, or leaves the field; the field asks its form, through events, whether the code may
// stand (validate), what to do after it was entered (after-item), which list to open (lookup
// request) and how to describe the code (decode request).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/controls/bound_control.h"
#include "platform/controls/event.h"
#include "platform/controls/pick_list.h"
#include "platform/controls/query_runner.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class EditField : public BoundControl {
 public:
  //! The display format that shows and keeps the text in upper case.
  static constexpr std::string_view kUpperCase = "Maiuscolo";

  explicit EditField(std::string name);

  bool canTakeFocus() const override { return true; }

  // --- Properties ---------------------------------------------------------------------
  const std::string& text() const { return m_text; }
  //! Sets the text as the program does: the display format applies, no event is raised and
  //! the field does not count as edited by the user.
  void setText(std::string text);

  const std::string& displayFormat() const { return m_displayFormat; }
  void setDisplayFormat(std::string format);
  //! The most characters the user can type (0 = no limit). The program may set longer texts.
  std::size_t maxChars() const { return m_maxChars; }
  void setMaxChars(std::size_t maxChars) { m_maxChars = maxChars; }
  //! A numeric field takes only digits, signs and decimal separators from the keyboard.
  bool isNumeric() const { return m_numeric; }
  void setNumeric(bool numeric) { m_numeric = numeric; }
  bool isRequired() const { return m_required; }
  void setRequired(bool required) { m_required = required; }
  bool isLookup() const { return m_lookup; }
  void setLookup(bool lookup) { m_lookup = lookup; }
  //! A decoding field asks for the description of every code the user enters.
  bool isDecode() const { return m_decode; }
  void setDecode(bool decode) { m_decode = decode; }
  //! The name of the list the last look-up opened, as the form set it.
  const std::string& lookupName() const { return m_lookupName; }
  void setLookupName(std::string name) { m_lookupName = std::move(name); }
  //! The control a decode fills when the request hands back no result mapping.
  const std::string& descriptionField() const { return m_descriptionField; }
  void setDescriptionField(std::string name) { m_descriptionField = std::move(name); }
  //! Two flags forms switch on classification and responsible fields; the field keeps them
  //! for the form and the renderer and does nothing else with them.
  bool fieldFlag() const { return m_fieldFlag; }
  void setFieldFlag(bool flag) { m_fieldFlag = flag; }
  bool codeFlag() const { return m_codeFlag; }
  void setCodeFlag(bool flag) { m_codeFlag = flag; }
  //! Design settings of the host field that have no behaviour here, kept as given.
  const std::map<std::string, Variant>& hostSettings() const { return m_hostSettings; }

  //! Runs the queries that look-up and decode requests hand back.
  void setQueryRunner(QueryRunner runner) { m_runner = std::move(runner); }

  //! True when the user changed the text since it was last accepted.
  bool isModified() const { return m_modified; }

  // --- What the user does -------------------------------------------------------------
  //! Puts the focus in the field and replaces its text with what the user typed (cut to
  //! maxChars, upper-cased by the display format, non-numeric characters dropped from a
  //! numeric field). False when the focus could not come here; the text is then unchanged.
  bool type(std::string_view text);
  //! The user leaves the field: validate; when not cancelled and the text was changed,
  //! decode (a decoding field) and after-item. False when a handler cancelled: the focus
  //! stays in the field.
  bool leave();
  //! The user opens the look-up: raises the lookup request and runs the query it hands back.
  //! Nothing when the request was cancelled or handed back no query.
  std::optional<PickList> openLookup();
  //! The user picks a code from the list: the text becomes the code and the field goes
  //! through validate, decode and after-item as when it is left, keeping the focus.
  bool pick(std::string_view code);
  //! Raises the decode request; when it hands back a query, runs it and fills the
  //! description through the result mapping (no row: the descriptions are emptied).
  void decode();

  // --- Events -------------------------------------------------------------------------
  //! (cancel): cancel keeps the focus in the field.
  Event<bool&> onValidate;
  //! (cancel): raised after a changed text was accepted; cancel keeps the focus here.
  Event<bool&> onAfterItem;
  //! (cancel, query, result mapping, connection string). A result mapping is an array of
  //! [column, target] pairs: the column by name or 0-based index, the target a control
  //! (Object) or a control name of the same form; Empty fills descriptionField() from the
  //! first column.
  Event<bool&, std::string&, Variant&, std::string&> onDecodeRequest;
  //! (cancel, query, column captions, window title, connection string).
  Event<bool&, std::string&, Variant&, std::string&, std::string&> onLookupRequest;

  Variant boundValue() const override;

 protected:
  void loadBoundValue(const Variant& value) override;
  bool leaving() override { return accept(); }
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  bool accept();
  std::string formatted(std::string text) const;
  void fillDescriptions(db::Recordset* result, const Variant& mapping);
  const QueryRunner& runner() const;

  std::string m_text;
  std::string m_displayFormat;
  std::size_t m_maxChars = 0;
  bool m_numeric = false;
  bool m_required = false;
  bool m_lookup = false;
  bool m_decode = false;
  bool m_fieldFlag = false;
  bool m_codeFlag = false;
  bool m_modified = false;
  std::string m_lookupName;
  std::string m_descriptionField;
  std::map<std::string, Variant> m_hostSettings;
  QueryRunner m_runner;
};

}  // namespace platform::controls

// The classification code fields of the association editor: the three answers every one of
// them gives its field (may the code stand, what is its description, which list to open),
// driven by the field's row of the classification table. Product types come from the
// production services, which let the field describe the code itself; the other codes from
// the warehouse services, within their parent codes when the company's classification is
// hierarchical. Every answer skips a failing step and goes on.
#include "platform/controls/edit_field.h"
#include "platform/host/display.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/lookup_answer.h"
#include "src/config/classifications.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::EditField;

// A field's code through the blank rule: blanks alone are no code.
std::string codeOf(const EditField& field) { return DefaultSeVuoto(Variant(field.text()), "").toText(); }

}  // namespace

std::vector<std::string> FRMMG_PASSAGGIO::ParentCodes(const Classification& field) {
  std::vector<std::string> parents(static_cast<std::size_t>(field.parents));
  if (!field.hierarchical()) return parents;
  // Read at every use: the company's setting may change while the console is open.
  if (Global()->CurrentCompany().hierarchicalSetting == "0") return parents;
  std::size_t i = 0;
  for (const Classification& parent : ParentsOf(field)) parents[i++] = codeOf(m_form.get<EditField>(parent.codeField));
  return parents;
}

void FRMMG_PASSAGGIO::Classificazione_Validate(const Classification& field, bool& cancel) {
  cancel = false;
  IgnoringErrors steps = Ignoring();
  auto& codeField = m_form.get<EditField>(field.codeField);
  const std::string code = codeOf(codeField);
  if (code.empty()) {
    steps.step([&] { m_form.get<EditField>(field.descriptionField).setText(""); });
    return;
  }
  bool unknown = false;
  if (field.productType) {
    steps.step([&] { unknown = Set(m_productionDecode).ProductTypeMissing(code); });
  } else {
    steps.step([&] {
      m_sql = Set(m_warehouseDecode).DecodeQuery(field.kind, ParentCodes(field), code);
      m_decoded = Db().Open(m_sql);
      unknown = m_decoded->Eof();
    });
  }
  if (!unknown) return;
  steps.step([&] {
    MessaggioUtente(field.unknownMessage, platform::host::style::kExclamation, Variant(Caption()), "");
  });
  cancel = true;
  steps.step([&] { codeField.setFocus(); });
}

void FRMMG_PASSAGGIO::Classificazione_DecodeRequest(const Classification& field, bool& cancel, std::string& query,
                                                     Variant& mapping, std::string& connection) {
  cancel = false;
  IgnoringErrors steps = Ignoring();
  const std::string code = codeOf(m_form.get<EditField>(field.codeField));
  if (field.productType) {
    // The field runs the query and fills the description through the mapping itself.
    steps.step([&] {
      const platform::host::Decode decode =
          Set(m_productionDecode).ProductType(code, m_form.reference(field.descriptionField));
      query = decode.query;
      mapping = decode.mapping;
      connection = m_connectionString;
    });
    return;
  }
  auto& description = m_form.get<EditField>(field.descriptionField);
  steps.step([&] {
    m_sql = Set(m_warehouseDecode).DecodeQuery(field.kind, ParentCodes(field), code);
    m_decoded = Db().Open(m_sql);
  });
  steps.step([&] {
    description.setText(Set(m_decoded).Eof() ? std::string()
                                             : DefaultSeVuoto(m_decoded->Field(std::size_t{0}), "").toText());
  });
}

void FRMMG_PASSAGGIO::Classificazione_LookupRequest(const Classification& field, bool& cancel, std::string& query,
                                                     Variant& captions, std::string& title, std::string& connection) {
  cancel = false;
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const platform::host::LookupList list = field.productType
                                                ? Set(m_productionLookup).ProductTypes()
                                                : Set(m_warehouseLookup).List(field.kind, ParentCodes(field));
    LookupAnswer{query, captions, title, connection}.give(list, m_connectionString);
    m_form.get<EditField>(field.codeField).setLookupName(list.name);
  });
}

}  // namespace passaggio

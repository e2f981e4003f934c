// The item selection filter: its fields, registered once, and the descriptions and lists of
// the classification codes typed into it.
#include <cstdint>
#include <vector>

#include "platform/controls/enhanced_query.h"
#include "src/common/lookup_answer.h"
#include "src/processing/item_filter_fields.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::EnhancedQuery;

constexpr const char* kStandard = "(Standard)";
// The description field's caption as the control may spell it in a decode request.
constexpr const char* kDescriptionDecodeCaption = "Descrizione Articolo";

bool IsBlankValue(const Variant& value) { return value.isEmpty() || value.isNull() || value.toText().empty(); }

}  // namespace

void FRMMG_PASSAGGIO::ImpostaFiltroArticoli() {
  IgnoringErrors steps = Ignoring();
  auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
  for (std::size_t at = 0; at < kItemFilterFields.size(); ++at) {
    const ItemFilterField& field = kItemFilterFields[at];
    const auto number = static_cast<std::int16_t>(at + 1);
    std::vector<Variant> values{kStandard, field.caption, field.column, field.flag4, Variant(number)};
    for (const bool flag : field.flags) values.emplace_back(flag);
    if (number == kStateFieldNumber) {
      Variant states;
      steps.step([&] {
        states = Global()->RestrictedStates() ? Set(m_itemStates).AllowedStates() : Set(m_utility).ItemStates(Db());
      });
      const Variant more[] = {Variant(15), "", false, true, "", Variant(1), false, false, true, states};
      values.insert(values.end(), std::begin(more), std::end(more));
    }
    steps.step([&] { filter.addField(values); });
  }
  steps.step([&] {
    filter.addTypedField({kStandard, "Stato parametrico articolo", "VS66_FILTROSTATI.V_IDSTATO", true,
                          Variant(std::int16_t{18}), Variant(6)});
  });
  steps.step([&] { filter.addExtendedAttributes({kStandard, true, Variant(5), "MG66_ATTRIBESTESI", ""}); });
}

void FRMMG_PASSAGGIO::ADVQ_ARTICOLI_StartDecode(const Variant& caption, const Variant& first, std::string& firstBox,
                                                const Variant& second, std::string& secondBox) {
  ErrorTrap trap = Trap("ADVQ_ARTICOLI_StartDecode");
  const std::string name = caption.toText();
  const Variant* values[2] = {&first, &second};
  std::string* boxes[2] = {&firstBox, &secondBox};
  if (name == kDescriptionDecodeCaption) {
    for (int end = 0; end < 2; ++end) {
      if (!trap.step([&] { *boxes[end] = Set(m_utility).ToText(*values[end]); })) return;
    }
    return;
  }
  const ItemFilterField* field = FindItemFilterField(name);
  const std::optional<WarehouseCode> code = field != nullptr ? WarehouseCodeOf(*field) : std::nullopt;
  if (!code) return;
  for (int end = 0; end < 2; ++end) {
    if (IsBlankValue(*values[end])) {
      *boxes[end] = "";
      continue;
    }
    std::shared_ptr<platform::db::Recordset> rows;
    if (!trap.step([&] {
          // The parents are left empty: the filter describes a code on its own.
          const std::vector<std::string> parents(code->parents.size());
          m_sql = Set(m_warehouseDecode).DecodeQuery(code->kind, parents, values[end]->toText());
        })) {
      return;
    }
    if (!trap.step([&] { rows = Db().Open(m_sql); })) return;
    if (!trap.step([&] {
          if (!Set(rows).Eof() && !rows->Bof()) *boxes[end] = rows->Field(std::size_t{0}).toText();
        })) {
      return;
    }
  }
}

void FRMMG_PASSAGGIO::ADVQ_ARTICOLI_StartLookup(const Variant& caption, int end, std::string& query,
                                                Variant& captions, std::string& title,
                                                std::string& connectionString) {
  ErrorTrap trap = Trap("ADVQ_ARTICOLI_StartLookup");
  const ItemFilterField* field = FindItemFilterField(caption.toText());
  const std::optional<WarehouseCode> code = field != nullptr ? WarehouseCodeOf(*field) : std::nullopt;
  if (!code) return;
  auto& filter = m_form.get<EnhancedQuery>("ADVQ_ARTICOLI");
  const int side = end == 1 ? EnhancedQuery::kSecondValue : EnhancedQuery::kFirstValue;
  std::vector<std::string> parents;
  if (!trap.step([&] {
        for (const Classification& parent : code->parents) {
          parents.push_back(filter.value(parent.masterColumn, side).toText());
        }
      })) {
    return;
  }
  platform::host::LookupList list;
  if (!trap.step([&] { list = Set(m_warehouseLookup).List(code->kind, parents); })) return;
  if (!trap.step([&] { LookupAnswer{query, captions, title, connectionString}.give(list, m_connectionString); })) return;
  if (!trap.step([&] { filter.setLookupName(list.name); })) return;
}

}  // namespace passaggio

// The fields of the item selection filter, in registration order: what each is registered
// with, and which of them the warehouse services decode and list (the item code, and the
// classifications whose codes they answer, within their parents).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "platform/host/services.h"
#include "src/config/classifications.h"

namespace passaggio {

struct ItemFilterField {
  std::string_view caption;
  std::string_view column;
  bool flag4;
  std::array<bool, 6> flags;  // registered as the sixth to eleventh values
};

inline constexpr int kStateFieldNumber = 14;

namespace filter_fields {
constexpr std::array<bool, 6> kCode{true, true, false, false, false, false};
}  // namespace filter_fields

//! The field number is the position in this list, from 1.
inline constexpr std::array<ItemFilterField, 17> kItemFilterFields{{
    {"Codice articolo", "MG66_CODART", true, {true, false, false, false, false, true}},
    {"Descrizione articolo", "MG87_DESCART", true, {false, true, false, false, false, false}},
    {"Famiglia", "MG66_FAM_MG53", true, filter_fields::kCode},
    {"Sottofamiglia", "MG66_SFAM_MG54", true, filter_fields::kCode},
    {"Gruppo", "MG66_GRUPPO_MG55", true, filter_fields::kCode},
    {"Sottogruppo", "MG66_SGRUPPO_MG56", true, filter_fields::kCode},
    {"Gruppo fiscale", "MG66_GRUPFIS_MG61", true, filter_fields::kCode},
    {"Marca", "MG66_MARCA_MG64", true, filter_fields::kCode},
    {"Gruppo statistico 1", "MG66_GRUSTAT1_MG74", true, filter_fields::kCode},
    {"Gruppo statistico 2", "MG66_GRUSTAT2_MG75", true, filter_fields::kCode},
    {"Gruppo statistico 3", "MG66_GRUSTAT3_MG76", true, filter_fields::kCode},
    {"Gruppo statistico 4", "MG66_GRUSTAT4_MG77", true, filter_fields::kCode},
    {"Codice interno", "MG66_CODINTERNO", true, filter_fields::kCode},
    {"Stato articolo", "MG66_INDSTATO_MG6W", true, {true, false, false, false, false, false}},
    {"Tipo prodotto", "PD18_TIPOPROD_PD20", false, filter_fields::kCode},
    {"Provenienza", "PD18_CODPROV_PD21", false, filter_fields::kCode},
    {"Classificazione articoli fittizi", "MG66_INDFITTIZIO", false, {true, false, true, false, false, false}},
}};

//! The field with this caption, compared exactly; null for any other.
inline const ItemFilterField* FindItemFilterField(std::string_view caption) {
  for (const ItemFilterField& field : kItemFilterFields) {
    if (field.caption == caption) return &field;
  }
  return nullptr;
}

//! How the warehouse services decode and list a field's codes: the code kind, and the
//! classifications whose codes, in the same end of the range, the list lives within.
struct WarehouseCode {
  platform::host::CodeKind kind;
  std::span<const Classification> parents;
};

//! The item code and the classifications the warehouse services answer have one; the other
//! fields none.
inline std::optional<WarehouseCode> WarehouseCodeOf(const ItemFilterField& field) {
  if (field.column == "MG66_CODART") return WarehouseCode{platform::host::CodeKind::Item, {}};
  for (const Classification& classification : kClassifications) {
    if (!classification.productType && field.column == classification.masterColumn) {
      return WarehouseCode{classification.kind, ParentsOf(classification)};
    }
  }
  return std::nullopt;
}

}  // namespace passaggio

// The fields of the item selection filter, in registration order: what each is registered
// with, and for the classification codes the warehouse services' code kind and how many
// parent codes (family, sub-family, group) their lists take.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/host/services.h"

namespace passaggio {

struct ItemFilterField {
  std::string_view caption;
  std::string_view column;
  bool flag4;
  std::array<bool, 6> flags;  // registered as the sixth to eleventh values
  std::optional<platform::host::CodeKind> kind;  // decode and list; none for the others
  int parents = 0;
};

inline constexpr int kStateFieldNumber = 14;

// The parents of a hierarchical code, in the order the warehouse services take them.
inline constexpr std::array<std::string_view, 3> kParentColumns{"MG66_FAM_MG53", "MG66_SFAM_MG54",
                                                               "MG66_GRUPPO_MG55"};

namespace filter_fields {
using K = platform::host::CodeKind;
constexpr std::array<bool, 6> kCode{true, true, false, false, false, false};
}  // namespace filter_fields

//! The field number is the position in this list, from 1.
inline constexpr std::array<ItemFilterField, 17> kItemFilterFields{{
    {"Codice articolo", "MG66_CODART", true, {true, false, false, false, false, true}, filter_fields::K::Item},
    {"Descrizione articolo", "MG87_DESCART", true, {false, true, false, false, false, false}, std::nullopt},
    {"Famiglia", "MG66_FAM_MG53", true, filter_fields::kCode, filter_fields::K::Family},
    {"Sottofamiglia", "MG66_SFAM_MG54", true, filter_fields::kCode, filter_fields::K::SubFamily, 1},
    {"Gruppo", "MG66_GRUPPO_MG55", true, filter_fields::kCode, filter_fields::K::Group, 2},
    {"Sottogruppo", "MG66_SGRUPPO_MG56", true, filter_fields::kCode, filter_fields::K::SubGroup, 3},
    {"Gruppo fiscale", "MG66_GRUPFIS_MG61", true, filter_fields::kCode, filter_fields::K::FiscalGroup},
    {"Marca", "MG66_MARCA_MG64", true, filter_fields::kCode, filter_fields::K::Brand},
    {"Gruppo statistico 1", "MG66_GRUSTAT1_MG74", true, filter_fields::kCode, filter_fields::K::Statistical1},
    {"Gruppo statistico 2", "MG66_GRUSTAT2_MG75", true, filter_fields::kCode, filter_fields::K::Statistical2},
    {"Gruppo statistico 3", "MG66_GRUSTAT3_MG76", true, filter_fields::kCode, filter_fields::K::Statistical3},
    {"Gruppo statistico 4", "MG66_GRUSTAT4_MG77", true, filter_fields::kCode, filter_fields::K::Statistical4},
    {"Codice interno", "MG66_CODINTERNO", true, filter_fields::kCode, std::nullopt},
    {"Stato articolo", "MG66_INDSTATO_MG6W", true, {true, false, false, false, false, false}, std::nullopt},
    {"Tipo prodotto", "PD18_TIPOPROD_PD20", false, filter_fields::kCode, std::nullopt},
    {"Provenienza", "PD18_CODPROV_PD21", false, filter_fields::kCode, std::nullopt},
    {"Classificazione articoli fittizi", "MG66_INDFITTIZIO", false, {true, false, true, false, false, false},
     std::nullopt},
}};

//! The field with this caption, compared exactly; null for any other.
inline const ItemFilterField* FindItemFilterField(std::string_view caption) {
  for (const ItemFilterField& field : kItemFilterFields) {
    if (field.caption == caption) return &field;
  }
  return nullptr;
}

}  // namespace passaggio

// What a managed entity adds to the entity-association match: the line against the item
// working table, the line against the item master, and the column of the items grid.
#pragma once

#include <array>
#include <string_view>

namespace passaggio {

// An entity without a column ("AZIENDA") adds nothing and shows nothing.
struct EntityMapping {
  std::string_view entity;
  std::string_view workingTableLine;
  std::string_view itemMasterLine;
  std::string_view gridColumn;
};

inline constexpr std::array<EntityMapping, 11> kEntityMap{{
    {"TIPO_PROD", "   AND MG0Q_TIPOPROD = TIPOPROD_PD20 ", "   AND MG0Q_TIPOPROD = PD18_TIPOPROD_PD20 ",
     "TIPOPROD_PD20"},
    {"FAMIGLIA", "   AND MG0Q_CODFAM_MG53 = CODFAM_MG53 ", "   AND MG0Q_CODFAM_MG53 = MG66_FAM_MG53 ", "CODFAM_MG53"},
    {"SFAMIGLIA", "   AND MG0Q_CODSFAM_MG54 = CODSFAM_MG54 ", "   AND MG0Q_CODSFAM_MG54 = MG66_SFAM_MG54 ",
     "CODSFAM_MG54"},
    {"GRUPPO", "   AND MG0Q_GRUPPO_MG55 = GRUPPO_MG55 ", "   AND MG0Q_GRUPPO_MG55 = MG66_GRUPPO_MG55 ", "GRUPPO_MG55"},
    {"SGRUPPO", "   AND MG0Q_SGRUPPO_MG56 = SGRUPPO_MG56 ", "   AND MG0Q_SGRUPPO_MG56 = MG66_SGRUPPO_MG56 ",
     "SGRUPPO_MG56"},
    {"MARCA", "   AND MG0Q_MARCA_MG64 = MARCA_MG64 ", "   AND MG0Q_MARCA_MG64 = MG66_MARCA_MG64 ", "MARCA_MG64"},
    {"GRUPPO_FISC", "   AND MG0Q_GRUPFISC_MG61 = GRUPFISC_MG61 ", "   AND MG0Q_GRUPFISC_MG61 = MG66_GRUPFIS_MG61 ",
     "GRUPFISC_MG61"},
    {"GRU_STAT1", "   AND MG0Q_GRUSTAT1_MG74 = GRUSTAT1_MG74 ", "   AND MG0Q_GRUSTAT1_MG74 = MG66_GRUSTAT1_MG74 ",
     "GRUSTAT1_MG74"},
    {"GRU_STAT2", "   AND MG0Q_GRUSTAT2_MG75 = GRUSTAT2_MG75 ", "   AND MG0Q_GRUSTAT2_MG75 = MG66_GRUSTAT2_MG75 ",
     "GRUSTAT2_MG75"},
    {"GRU_STAT3", "   AND MG0Q_GRUSTAT3_MG76 = GRUSTAT3_MG76 ", "   AND MG0Q_GRUSTAT3_MG76 = MG66_GRUSTAT3_MG76 ",
     "GRUSTAT3_MG76"},
    {"GRU_STAT4", "   AND MG0Q_GRUSTAT4_MG77 = GRUSTAT4_MG77 ", "   AND MG0Q_GRUSTAT4_MG77 = MG66_GRUSTAT4_MG77 ",
     "GRUSTAT4_MG77"},
}};

//! The mapping of a managed entity's code, compared exactly; null for a code without one.
inline const EntityMapping* FindEntityMapping(std::string_view entity) {
  for (const EntityMapping& mapping : kEntityMap) {
    if (mapping.entity == entity) return &mapping;
  }
  return nullptr;
}

}  // namespace passaggio

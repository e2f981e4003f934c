// The twelve classification dimensions a company can manage, with the association editor's
// controls and column of each, and the statements built from that list.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace passaggio {

struct ManagedEntity {
  const char* code;         // MG0L_ENTITA
  const char* description;  // MG0L_DESCENTITA as seeded
  const char* heading;      // the comment that opens its statement in the seeding batch
  // The association editor's row and grid column; all null for AZIENDA, which has none.
  const char* label;
  const char* codeField;
  const char* descriptionField;
  const char* column;  // in MG0Q_ENTITARG_PASSAGGI

  bool hasAssociationColumn() const { return column != nullptr; }
};

inline constexpr std::string_view kCompanyEntity = "AZIENDA";

//! In seeding order.
inline constexpr std::array<ManagedEntity, 12> kManagedEntities{{
    {"AZIENDA", "Azienda", "Azienda", nullptr, nullptr, nullptr, nullptr},
    {"TIPO_PROD", "Tipo prodotto", "Tipo Prodotto", "LBL_CODTIPOPROD", "TXT_MG0Q_TIPOPROD", "TXT_DESC_TIPOPROD",
     "MG0Q_TIPOPROD"},
    {"FAMIGLIA", "Famiglia", "Famiglia", "LBL_CODFAM", "TXT_MG0Q_CODFAM_MG53", "TXT_DESC_FAMIGLIA",
     "MG0Q_CODFAM_MG53"},
    {"SFAMIGLIA", "Sottofamiglia", "Sottofamiglia", "LBL_CODSFAM", "TXT_MG0Q_CODSFAM_MG54", "TXT_DESC_SFAMIGLIA",
     "MG0Q_CODSFAM_MG54"},
    {"GRUPPO", "Gruppo", "Gruppo", "LBL_CODGRUPPO", "TXT_MG0Q_GRUPPO_MG55", "TXT_DESC_GRUPPO", "MG0Q_GRUPPO_MG55"},
    {"SGRUPPO", "Sottogruppo", "Sottogruppo", "LBL_CODSGRUPPO", "TXT_MG0Q_SGRUPPO_MG56", "TXT_DESC_SGRUPPO",
     "MG0Q_SGRUPPO_MG56"},
    {"MARCA", "Marca", "Marca", "LBL_CODMARCA", "TXT_MG0Q_MARCA_MG64", "TXT_DESC_MARCA", "MG0Q_MARCA_MG64"},
    {"GRUPPO_FISC", "Gruppo fiscale", "Gruppo fiscale", "LBL_CODGRUPFISC", "TXT_MG0Q_GRUPFISC_MG61",
     "TXT_DESC_GRUPFISC", "MG0Q_GRUPFISC_MG61"},
    {"GRU_STAT1", "Gruppo statistico 1", "Gruppo statistico 1", "LBL_CODGRUSTAT1", "TXT_MG0Q_GRUSTAT1_MG74",
     "TXT_DESC_GRUSTAT1", "MG0Q_GRUSTAT1_MG74"},
    {"GRU_STAT2", "Gruppo statistico 2", "Gruppo statistico 2", "LBL_CODGRUSTAT2", "TXT_MG0Q_GRUSTAT2_MG75",
     "TXT_DESC_GRUSTAT2", "MG0Q_GRUSTAT2_MG75"},
    {"GRU_STAT3", "Gruppo statistico 3", "Gruppo statistico 3", "LBL_CODGRUSTAT3", "TXT_MG0Q_GRUSTAT3_MG76",
     "TXT_DESC_GRUSTAT3", "MG0Q_GRUSTAT3_MG76"},
    {"GRU_STAT4", "Gruppo statistico 4", "Gruppo statistico 4", "LBL_CODGRUSTAT4", "TXT_MG0Q_GRUSTAT4_MG77",
     "TXT_DESC_GRUSTAT4", "MG0Q_GRUSTAT4_MG77"},
}};

//! The entity with this code (compared exactly, as stored), or null.
const ManagedEntity* FindManagedEntity(std::string_view code);

//! Width the seeding batch pads its lines to; a longer line is sent whole.
inline constexpr std::size_t kSeedingLineWidth = 120;

//! The batch that inserts, for `company` (spliced bare), every entity row it lacks: one
//! statement of six CR-ended lines per entity, in seeding order.
std::string SeedingBatch(const std::string& company);

//! Whether any association of any company holds a value in `column`.
std::string AssociationUsingColumnQuery(std::string_view column);

}  // namespace passaggio

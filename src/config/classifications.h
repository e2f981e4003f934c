// The eleven classifications of an item that entity associations match on, in entity order:
// what each one is called and shown as everywhere in the console (the managed entity, the
// association editor's field and column, the item working table's and the item master's
// column, the grid columns) and how its code field checks, describes and lists codes.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "platform/host/services.h"

namespace passaggio {

struct Classification {
  const char* entity;       // MG0L_ENTITA
  const char* description;  // MG0L_DESCENTITA as seeded
  const char* heading;      // the comment that opens its statement in the seeding batch
  // The association editor.
  const char* label;
  const char* codeField;
  const char* descriptionField;
  const char* column;   // in MG0Q_ENTITARG_PASSAGGI
  const char* caption;  // of the code field, also its tag
  int maxChars;
  // Items.
  const char* itemColumn;    // in the item working table
  const char* masterColumn;  // as the item master read names it
  // Both grids (associations and items).
  const char* gridCaption;
  int gridWidth;
  // The code field's answers: product types come from the production services and are
  // described by the field itself through a result mapping; the others from the warehouse
  // services, within `parents` of family, sub-family and group when the company's
  // classification is hierarchical.
  bool productType;
  platform::host::CodeKind kind;  // of the warehouse services; Item for the product type
  int parents;
  const char* unknownMessage;

  //! Whether the code lives within parent codes (and so reads the hierarchical setting).
  bool hierarchical() const { return parents > 0; }
};

//! The company entity: managed like the others, but no association column and no field.
inline constexpr std::string_view kCompanyEntity = "AZIENDA";
inline constexpr std::string_view kCompanyEntityDescription = "Azienda";

using platform::host::CodeKind;

inline constexpr std::array<Classification, 11> kClassifications{{
    {"TIPO_PROD", "Tipo prodotto", "Tipo Prodotto", "LBL_CODTIPOPROD", "TXT_MG0Q_TIPOPROD", "TXT_DESC_TIPOPROD",
     "MG0Q_TIPOPROD", "Codice tipo prodotto", 2, "TIPOPROD_PD20", "PD18_TIPOPROD_PD20", "Tipo prod.", 1000, true,
     CodeKind::Item, 0, "Tipo prodotto inesistente."},
    {"FAMIGLIA", "Famiglia", "Famiglia", "LBL_CODFAM", "TXT_MG0Q_CODFAM_MG53", "TXT_DESC_FAMIGLIA",
     "MG0Q_CODFAM_MG53", "Codice famiglia", 4, "CODFAM_MG53", "MG66_FAM_MG53", "Fam.", 1000, false, CodeKind::Family,
     0, "Codice famiglia inesistente."},
    {"SFAMIGLIA", "Sottofamiglia", "Sottofamiglia", "LBL_CODSFAM", "TXT_MG0Q_CODSFAM_MG54", "TXT_DESC_SFAMIGLIA",
     "MG0Q_CODSFAM_MG54", "Codice sottofamiglia", 4, "CODSFAM_MG54", "MG66_SFAM_MG54", "SFam.", 1000, false,
     CodeKind::SubFamily, 1, "Codice sottofamiglia inesistente."},
    {"GRUPPO", "Gruppo", "Gruppo", "LBL_CODGRUPPO", "TXT_MG0Q_GRUPPO_MG55", "TXT_DESC_GRUPPO", "MG0Q_GRUPPO_MG55",
     "Codice gruppo", 4, "GRUPPO_MG55", "MG66_GRUPPO_MG55", "Gruppo", 1000, false, CodeKind::Group, 2,
     "Codice gruppo inesistente."},
    {"SGRUPPO", "Sottogruppo", "Sottogruppo", "LBL_CODSGRUPPO", "TXT_MG0Q_SGRUPPO_MG56", "TXT_DESC_SGRUPPO",
     "MG0Q_SGRUPPO_MG56", "Codice sottogruppo", 4, "SGRUPPO_MG56", "MG66_SGRUPPO_MG56", "SGruppo", 1000, false,
     CodeKind::SubGroup, 3, "Codice sottogruppo inesistente."},
    {"MARCA", "Marca", "Marca", "LBL_CODMARCA", "TXT_MG0Q_MARCA_MG64", "TXT_DESC_MARCA", "MG0Q_MARCA_MG64",
     "Codice marca", 12, "MARCA_MG64", "MG66_MARCA_MG64", "Marca", 1500, false, CodeKind::Brand, 0,
     "Codice marca inesistente."},
    {"GRUPPO_FISC", "Gruppo fiscale", "Gruppo fiscale", "LBL_CODGRUPFISC", "TXT_MG0Q_GRUPFISC_MG61",
     "TXT_DESC_GRUPFISC", "MG0Q_GRUPFISC_MG61", "Codice gruppo fiscale", 12, "GRUPFISC_MG61", "MG66_GRUPFIS_MG61",
     "Gruppo fisc.", 1500, false, CodeKind::FiscalGroup, 0, "Codice gruppo fiscale inesistente."},
    {"GRU_STAT1", "Gruppo statistico 1", "Gruppo statistico 1", "LBL_CODGRUSTAT1", "TXT_MG0Q_GRUSTAT1_MG74",
     "TXT_DESC_GRUSTAT1", "MG0Q_GRUSTAT1_MG74", "Codice gruppo statistico 1", 4, "GRUSTAT1_MG74",
     "MG66_GRUSTAT1_MG74", "Gru.stat.1", 1000, false, CodeKind::Statistical1, 0,
     "Codice gruppo statistico 1 inesistente."},
    {"GRU_STAT2", "Gruppo statistico 2", "Gruppo statistico 2", "LBL_CODGRUSTAT2", "TXT_MG0Q_GRUSTAT2_MG75",
     "TXT_DESC_GRUSTAT2", "MG0Q_GRUSTAT2_MG75", "Codice gruppo statistico 2", 4, "GRUSTAT2_MG75",
     "MG66_GRUSTAT2_MG75", "Gru.stat.2", 1000, false, CodeKind::Statistical2, 0,
     "Codice gruppo statistico 2 inesistente."},
    {"GRU_STAT3", "Gruppo statistico 3", "Gruppo statistico 3", "LBL_CODGRUSTAT3", "TXT_MG0Q_GRUSTAT3_MG76",
     "TXT_DESC_GRUSTAT3", "MG0Q_GRUSTAT3_MG76", "Codice gruppo statistico 3", 4, "GRUSTAT3_MG76",
     "MG66_GRUSTAT3_MG76", "Gru.stat.3", 1000, false, CodeKind::Statistical3, 0,
     "Codice gruppo statistico 3 inesistente."},
    {"GRU_STAT4", "Gruppo statistico 4", "Gruppo statistico 4", "LBL_CODGRUSTAT4", "TXT_MG0Q_GRUSTAT4_MG77",
     "TXT_DESC_GRUSTAT4", "MG0Q_GRUSTAT4_MG77", "Codice gruppo statistico 4", 4, "GRUSTAT4_MG77",
     "MG66_GRUSTAT4_MG77", "Gru.stat.4", 1000, false, CodeKind::Statistical4, 0,
     "Codice gruppo statistico 4 inesistente."},
}};

//! The classification of a managed entity's code, compared exactly (as stored); null for
//! the company entity and any code outside the list.
const Classification* FindClassification(std::string_view entity);

//! The code fields a hierarchical code lives within, outermost first (family, sub-family,
//! group, as many as it has parents).
std::span<const Classification> ParentsOf(const Classification& classification);

}  // namespace passaggio

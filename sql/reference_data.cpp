// The shared reference content. The catalogue covers the item master itself, two tables
// joined to it, the description table, and a group of documents that has no readable value.
#include "sql/reference_data.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace sql {
namespace {

constexpr std::array<ItemState, 5> kItemStates{{
    {10, "Bozza"},
    {20, "In validazione"},
    {30, "Approvato"},
    {40, "Attivo"},
    {50, "Obsoleto"},
}};

constexpr std::array<ManagedEntity, 12> kManagedEntities{{
    {"AZIENDA", "Azienda"},
    {"TIPO_PROD", "Tipo prodotto"},
    {"FAMIGLIA", "Famiglia"},
    {"SFAMIGLIA", "Sottofamiglia"},
    {"GRUPPO", "Gruppo"},
    {"SGRUPPO", "Sottogruppo"},
    {"MARCA", "Marca"},
    {"GRUPPO_FISC", "Gruppo fiscale"},
    {"GRU_STAT1", "Gruppo statistico 1"},
    {"GRU_STAT2", "Gruppo statistico 2"},
    {"GRU_STAT3", "Gruppo statistico 3"},
    {"GRU_STAT4", "Gruppo statistico 4"},
}};

constexpr std::array<CatalogueTable, 5> kCatalogueTables{{
    {"MG66_ANAGRART", true, ""},
    {"MG6M_ARTMAG", true,
     "LEFT OUTER JOIN MG6M_ARTMAG WITH (NOLOCK) ON MG6M_DITTA_CG18 = MG66_DITTA_CG18 AND "
     "MG6M_CODART_MG66 = MG66_CODART"},
    {"PD18_ARTPROD", true,
     "LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND "
     "PD18_CODART_MG66 = MG66_CODART"},
    {"MG87_ARTDESC", true,
     "LEFT OUTER JOIN MG87_ARTDESC WITH (NOLOCK) ON MG87_DITTA_CG18 = MG66_DITTA_CG18 AND "
     "MG87_CODART_MG66 = MG66_CODART AND MG87_OPZIONE_MG5E = '' AND MG87_LINGUA_MG52 = ''"},
    {"DOCUMENTAZIONE", false, ""},
}};

constexpr std::array<CatalogueField, 36> kCatalogueFields{{
    // Item master.
    {1, "MG66_PESONETTO", "Peso netto (kg)", true, true},
    {1, "MG66_PESOLORDO", "Peso lordo (kg)", true, true},
    {1, "MG66_VOLUME", "Volume (dm³)", true, true},
    {1, "MG66_LUNGHEZZA", "Lunghezza (mm)", true, true},
    {1, "MG66_LARGHEZZA", "Larghezza (mm)", true, true},
    {1, "MG66_ALTEZZA", "Altezza (mm)", true, true},
    {1, "MG66_UMBASE", "Unità di misura", false, false},
    {1, "MG66_BARCODE", "Codice a barre EAN", false, false},
    {1, "MG66_NOMENCLATURA", "Nomenclatura combinata", false, false},
    {1, "MG66_MARCA_MG64", "Marca", false, false},
    {1, "MG66_GRUPFIS_MG61", "Gruppo fiscale", false, false},
    {1, "MG66_CODINTERNO", "Codice interno", false, false},
    {1, "MG66_NOTE", "Note", false, false},
    // Warehouse data.
    {2, "MG6M_SCORTA", "Scorta minima", true, true},
    {2, "MG6M_PUNTORIORDINO", "Punto di riordino", true, false},
    {2, "MG6M_UBICAZIONE", "Ubicazione", false, false},
    {2, "MG6M_FLGLOTTI", "Gestione lotti", true, false},
    {2, "MG6M_FLGSCAD", "Gestione scadenze", true, false},
    {2, "MG6M_FLGSERNUM", "Gestione numeri di serie", true, false},
    {2, "MG6M_FLGPALLETS", "Gestione pallet", true, false},
    {2, "MG6M_FLGBAGNOMAT", "Gestione bagno/matricola", true, false},
    {2, "MG6M_FLGESCLCONF", "Escluso da conferma prelievo", true, false},
    {2, "MG6M_INDSCADLOTTO", "Scadenza per lotto", true, false},
    {2, "MG6M_INDUMSHELFLIFE", "Unità shelf life", true, false},
    {2, "MG6M_INDUMRETEST", "Unità retest", true, false},
    {2, "MG6M_INDUMANTICIPOSCAD", "Unità anticipo scadenza", true, false},
    {2, "MG6M_INDUMANTICIPORETEST", "Unità anticipo retest", true, false},
    // Production data.
    {3, "PD18_LEADTIME", "Lead time (giorni)", true, true},
    {3, "PD18_LOTTORIORDINO", "Lotto di riordino", true, true},
    {3, "PD18_CODPROV_PD21", "Provenienza", false, false},
    {3, "PD18_INDREVDISBA", "Revisione distinta base", true, false},
    // Descriptions.
    {4, "MG87_DESCESTESA", "Descrizione estesa", false, false},
    // Documents: checked by sign-off only, no value to read.
    {5, "DOC_SCHEDATECNICA", "Scheda tecnica", false, false},
    {5, "DOC_SCHEDASICUREZZA", "Scheda di sicurezza", false, false},
    {5, "DOC_CERTCONFORMITA", "Certificato di conformità", false, false},
    {5, "DOC_CAMPIONATURA", "Campionatura approvata", false, false},
}};

}  // namespace

std::span<const ItemState> itemStates() { return kItemStates; }
std::span<const ManagedEntity> managedEntities() { return kManagedEntities; }
std::span<const CatalogueTable> catalogueTables() { return kCatalogueTables; }
std::span<const CatalogueField> catalogueFields() { return kCatalogueFields; }

int catalogueFieldId(std::string_view field) {
  for (std::size_t i = 0; i < kCatalogueFields.size(); ++i) {
    if (field == kCatalogueFields[i].field) return static_cast<int>(i) + 1;
  }
  throw std::out_of_range("not in the field catalogue: " + std::string(field));
}

void writeItemStates(RowSink& sink) {
  auto& states = sink.table("MG6W_STATIART", {"MG6W_INDSTATO", "MG6W_DESCR"});
  for (const ItemState& state : kItemStates) states.insert({state.code, state.description});
}

void writeManagedEntities(RowSink& sink, int company, std::initializer_list<std::string_view> selected) {
  auto& entities =
      sink.table("MG0L_ENTITA_PASSAGGI", {"MG0L_DITTA_CG18", "MG0L_ENTITA", "MG0L_DESCENTITA", "MG0L_ENTITA_SEL"});
  for (const ManagedEntity& entity : kManagedEntities) {
    bool isSelected = false;
    for (std::string_view code : selected) isSelected = isSelected || code == entity.code;
    entities.insert({company, entity.code, entity.description, isSelected ? 1 : 0});
  }
}

void writeCatalogue(RowSink& sink) {
  auto& tables = sink.table("MG0N_TABLE_PASSAGGI", {"MG0N_TABLE", "MG0N_ISTABLE", "MG0N_JOIN_SQL"});
  for (const CatalogueTable& table : kCatalogueTables) tables.insert({table.table, table.isTable ? 1 : 0, table.joinSql});
  auto& fields = sink.table("MG0O_CAMPI_PASSAGGI", {"MG0O_CAMPO", "MG0O_CAPTIONCAMPO", "MG0O_ISNUMERICO",
                                                    "MG0O_INDVALZERO", "MG0O_TABLE_MG0N"});
  for (const CatalogueField& field : kCatalogueFields) {
    fields.insert({field.field, field.caption, field.numeric ? 1 : 0, field.zeroNotSignificant ? 1 : 0, field.table});
  }
}

std::string gridKey(long long id) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "KEY_%018lld", id);
  return buffer;
}

}  // namespace sql

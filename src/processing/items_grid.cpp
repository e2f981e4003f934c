// The layout of the items grid and of the field-detail grid, and which classification
// columns of the items grid show: those of the managed entities.
#include "platform/controls/grid.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/for_each_row.h"
#include "src/common/sql_text.h"
#include "src/config/classifications.h"
#include "src/processing/run_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::Grid;
using platform::controls::GridColumn;
using platform::controls::GridWrapper;

constexpr int kText = GridColumn::kTextKind;
constexpr int kButton = GridColumn::kButtonKind;
constexpr int kCentre = GridColumn::kAlignCentre;

constexpr std::string_view kBodyColumns =
    "SELECT MG0M_ARGOMENTO , MG0M_DESCARGOMENTO "
    "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> ";

// The field-detail grid's columns, in order; image columns take their images from IMG_SEL.
struct DetailColumn {
  const char* field;
  const char* caption;
  int width;
  bool visible;
  bool image;
};

constexpr DetailColumn kDetailColumns[] = {
    {"MG0M_ARGOMENTO", "Ente validazione", 2500, true, false},
    {"MG0M_DESCARGOMENTO", "Descrizione", 2100, false, false},
    {"MG0O_CAMPO", "Nome Campo", 1500, false, false},
    {"MG0O_CAPTIONCAMPO", "Campo", 3000, true, false},
    {"MG0P_VALORE_OBBLIGATORIO", "Obbligatorio", 1000, true, true},
    {"MG0P_INDVALZERO", "Zero non significativo", 1800, false, false},
    {"VALORE_CAMPO", "Valore", 1500, true, false},
    {"MG0P_VALIDAZ_MANUALE", "Da vistare", 1000, true, true},
    {"VISTO", "Visto", 1000, true, true},
    {"MG0M_TIPO_RESPONSABILE", "Tipo resp.", 1000, true, false},
    {"MG0M_UTENTE_FW07", "Utente resp.", 1500, true, false},
    {"MG0M_GRUPPO_FW06", "Gruppo resp.", 1500, true, false},
    {"METTI_VISTO", "Permetti visto", 0, false, false},
};

}  // namespace

void FRMMG_PASSAGGIO::Setta_Griglia_Articoli() {
  ErrorTrap trap = Trap("Setta_Griglia_Articoli");
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  auto& detail = m_form.get<Grid>("GRD_DATIART_CAMPI");

  if (!trap.step([&] { items.setWrapper(GridWrapper{m_host, nullptr, "CODART", 0}); })) return;
  bool called = false;
  if (!trap.step([&] { called = m_host->GetIsCalled(); })) return;
  if (!trap.step([&] { items.addTextColumn("CODART", "Codice articolo", called ? kText : kButton, 1500, true); })) return;
  if (!trap.step([&] { items.addTextColumn("DESCART", "Descrizione articolo", kText, 3000, true); })) return;
  if (!trap.step([&] { items.addTextColumn("INDSTATO_MG6W", "Stato attuale", kText, 1500, true); })) return;
  for (const Classification& column : kClassifications) {
    if (!trap.step([&] { items.addTextColumn(column.itemColumn, column.gridCaption, kText, column.gridWidth, true); })) {
      return;
    }
  }
  std::shared_ptr<platform::db::Recordset> bodies;
  if (!trap.step([&] {
        m_sql = sql::Fill(kBodyColumns, {{"<K>", m_company.toText()}});
        bodies = Db().Open(m_sql);
      })) {
    return;
  }
  const bool bodyColumns = forEachRow(trap, bodies, [&] {
    return trap.step([&] {
      items.addImageColumn(DefaultSeVuoto(bodies->Field("MG0M_ARGOMENTO"), "").toText(),
                           DefaultSeVuoto(bodies->Field("MG0M_DESCARGOMENTO"), "").toText(), "IMG_SEL", Variant(""),
                           Variant(1), 1400);
    });
  });
  if (!bodyColumns) return;
  if (!trap.step([&] { items.addTextColumn("NEW_STATO", "Nuovo Stato", kText, 1500, true); })) return;
  if (!trap.step([&] {
        items.addImageColumn("PERMESSO_AGGSTATO", "Agg.stato", "IMG_AGGSTATO", Variant(""), Variant(1), 1000);
      })) {
    return;
  }
  if (!trap.step([&] { items.closeDefinition(); })) return;
  // The classification columns are centred.
  for (const Classification& column : kClassifications) {
    if (!trap.step([&] { items.setColumnAlignment(column.itemColumn, kCentre); })) return;
  }
  if (!trap.step([&] { items.setColumnAlignment("PERMESSO_AGGSTATO", kCentre); })) return;
  const bool centred = forEachRow(trap, bodies, [&] {
    return trap.step(
        [&] { items.setColumnAlignment(DefaultSeVuoto(bodies->Field("MG0M_ARGOMENTO"), "").toText(), kCentre); });
  });
  if (!centred) return;
  if (!trap.step([&] { items.finish(); })) return;

  if (!trap.step([&] { detail.setWrapper(GridWrapper{m_host, nullptr, "MG0O_CAMPO", 0}); })) return;
  for (const DetailColumn& column : kDetailColumns) {
    if (!trap.step([&] {
          if (column.image) {
            detail.addImageColumn(column.field, column.caption, "IMG_SEL", Variant(""), Variant(1), column.width);
          } else {
            detail.addTextColumn(column.field, column.caption, kText, column.width, column.visible);
          }
        })) {
      return;
    }
  }
  if (!trap.step([&] { detail.closeDefinition(); })) return;
  for (const char* field : {"MG0P_VALORE_OBBLIGATORIO", "MG0P_VALIDAZ_MANUALE", "MG0P_INDVALZERO", "VISTO"}) {
    if (!trap.step([&] { detail.setColumnAlignment(field, kCentre); })) return;
  }
  if (!trap.step([&] { detail.finish(); })) return;
}

void FRMMG_PASSAGGIO::Gestione_Campi_Entita_Griglia_Articoli() {
  ErrorTrap trap = Trap("Gestione_Campi_Entita_Griglia_Articoli");
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  for (const Classification& column : kClassifications) {
    if (!trap.step([&] { items.setColumnVisible(column.itemColumn, false); })) return;
  }
  std::shared_ptr<platform::db::Recordset> entities;
  if (!trap.step([&] {
        m_sql = sql::Fill(run_statements::kManagedEntities, {{"<K>", m_company.toText()}});
        entities = Db().Open(m_sql);
      })) {
    return;
  }
  forEachRow(trap, entities, [&] {
    return trap.step([&] {
      const std::string code = DefaultSeVuoto(entities->Field("MG0L_ENTITA"), "").toText();
      if (const Classification* found = FindClassification(code)) items.setColumnVisible(found->itemColumn, true);
    });
  });
}

}  // namespace passaggio

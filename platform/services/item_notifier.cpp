// The item card.
#include "platform/services/item_notifier.h"

#include <optional>
#include <stdexcept>

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/services/global.h"
#include "platform/text/ascii.h"

namespace platform::services {

using host::CodeKind;

void StandinItemNotifier::SetValues(int first, int second) {
  m_first = first;
  m_second = second;
}

std::optional<host::ItemCard> StandinItemNotifier::cardOf(const std::string& itemCode) {
  db::Connection& database = m_global->database();
  const std::string company = std::to_string(m_global->companyCode());
  auto item = database.Open(
      "SELECT MG66_CODART, MG87_DESCART, MG66_INDSTATO_MG6W, MG6W_DESCR, MG66_FAM_MG53, MG66_SFAM_MG54, "
      "MG66_GRUPPO_MG55, MG66_SGRUPPO_MG56, MG66_MARCA_MG64, MG66_GRUPFIS_MG61, MG66_GRUSTAT1_MG74, "
      "MG66_GRUSTAT2_MG75, MG66_GRUSTAT3_MG76, MG66_GRUSTAT4_MG77, PD18_TIPOPROD_PD20, PD20_DESCR, MG66_CODINTERNO, "
      "MG66_UMBASE, MG66_PESONETTO, MG66_PESOLORDO, MG66_VOLUME, MG66_BARCODE, MG66_NOTE "
      "FROM MG66_ANAGRART WITH (NOLOCK) "
      "LEFT JOIN MG87_ARTDESC WITH (NOLOCK) ON MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = MG66_CODART "
      "AND MG87_OPZIONE_MG5E = '' AND MG87_LINGUA_MG52 = '' "
      "LEFT JOIN MG6W_STATIART WITH (NOLOCK) ON MG6W_INDSTATO = MG66_INDSTATO_MG6W "
      "LEFT JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART "
      "LEFT JOIN PD20_TIPIPROD WITH (NOLOCK) ON PD20_DITTA_CG18 = MG66_DITTA_CG18 AND PD20_TIPOPROD = PD18_TIPOPROD_PD20 "
      "WHERE MG66_DITTA_CG18 = " + company + " AND MG66_CODART = " + db::quoteLiteral(itemCode));
  if (item->Eof()) return std::nullopt;

  auto text = [&](const char* column) { return std::string(platform::text::trimRight(item->Field(column).toText())); };
  auto codeAndDescription = [](const std::string& code, const std::string& description) {
    if (code.empty()) return std::string();
    return description.empty() ? code : code + " - " + description;
  };
  // Classification descriptions come from the decode queries, with the item's own parents
  // where the company's codes are hierarchical.
  const bool hierarchical = m_global->CurrentCompany().hierarchicalSetting != "0";
  StandinWarehouseDecode decode(m_global);
  auto classified = [&](CodeKind kind, const char* column, std::vector<std::string> parents) {
    const std::string code = text(column);
    if (code.empty()) return std::string();
    if (!hierarchical) parents.assign(parents.size(), std::string());
    auto row = database.Open(decode.DecodeQuery(kind, parents, code));
    return codeAndDescription(code, row->Eof() ? std::string() : row->Field(0).toText());
  };
  const std::string family = text("MG66_FAM_MG53");
  const std::string subFamily = text("MG66_SFAM_MG54");
  const std::string group = text("MG66_GRUPPO_MG55");

  host::ItemCard card;
  card.title = "Articolo " + text("MG66_CODART");
  card.fields = {
      {"Codice articolo", text("MG66_CODART")},
      {"Descrizione", text("MG87_DESCART")},
      {"Stato articolo", codeAndDescription(text("MG66_INDSTATO_MG6W"), text("MG6W_DESCR"))},
      {"Famiglia", classified(CodeKind::Family, "MG66_FAM_MG53", {})},
      {"Sottofamiglia", classified(CodeKind::SubFamily, "MG66_SFAM_MG54", {family})},
      {"Gruppo", classified(CodeKind::Group, "MG66_GRUPPO_MG55", {family, subFamily})},
      {"Sottogruppo", classified(CodeKind::SubGroup, "MG66_SGRUPPO_MG56", {family, subFamily, group})},
      {"Marca", classified(CodeKind::Brand, "MG66_MARCA_MG64", {})},
      {"Gruppo fiscale", classified(CodeKind::FiscalGroup, "MG66_GRUPFIS_MG61", {})},
      {"Gruppo statistico 1", classified(CodeKind::Statistical1, "MG66_GRUSTAT1_MG74", {})},
      {"Gruppo statistico 2", classified(CodeKind::Statistical2, "MG66_GRUSTAT2_MG75", {})},
      {"Gruppo statistico 3", classified(CodeKind::Statistical3, "MG66_GRUSTAT3_MG76", {})},
      {"Gruppo statistico 4", classified(CodeKind::Statistical4, "MG66_GRUSTAT4_MG77", {})},
      {"Tipo prodotto", codeAndDescription(text("PD18_TIPOPROD_PD20"), text("PD20_DESCR"))},
      {"Codice interno", text("MG66_CODINTERNO")},
      {"Unità di misura", text("MG66_UMBASE")},
      {"Peso netto", text("MG66_PESONETTO")},
      {"Peso lordo", text("MG66_PESOLORDO")},
      {"Volume", text("MG66_VOLUME")},
      {"Codice a barre", text("MG66_BARCODE")},
      {"Note", text("MG66_NOTE")},
  };
  return card;
}

void StandinItemNotifier::ShowItem(const std::string& itemCode) {
  if (m_shutDown) throw std::logic_error("il servizio di visualizzazione articoli è stato chiuso");
  std::optional<host::ItemCard> card = cardOf(itemCode);
  if (!card) {
    m_global->display()->showMessage({"L'articolo " + itemCode + " non esiste nella ditta " +
                                          std::to_string(m_global->companyCode()) + ".",
                                      host::style::kExclamation, "Articolo"});
    return;
  }
  m_global->display()->showItemCard(*card);
}

}  // namespace platform::services

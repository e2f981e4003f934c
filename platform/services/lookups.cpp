// The look-up and decode services.
#include "platform/services/lookups.h"

#include <stdexcept>

#include "platform/db/recordset.h"
#include "platform/db/sql_literal.h"
#include "platform/services/global.h"
#include "platform/text/ascii.h"

namespace platform::services {

using host::CodeKind;

namespace {

// Where the codes of a kind live: the FROM clause, the company, code and description
// columns, and the parent columns in the order family, sub-family, group.
struct KindTable {
  std::string from;
  std::string companyColumn;
  std::string codeColumn;
  std::string descriptionColumn;
  std::vector<std::string> parents;
  std::string title;
  std::string name;
};

KindTable simpleTable(const std::string& table, const std::string& prefix, const std::string& code,
                      std::vector<std::string> parents, std::string title) {
  return {table + " WITH (NOLOCK)", prefix + "_DITTA_CG18", prefix + "_" + code, prefix + "_DESCR",
          std::move(parents), std::move(title), table};
}

KindTable tableOf(CodeKind kind) {
  switch (kind) {
    case CodeKind::Item:
      // The item's description is the one without option and language.
      return {"MG66_ANAGRART WITH (NOLOCK) LEFT JOIN MG87_ARTDESC WITH (NOLOCK) ON MG87_DITTA_CG18 = MG66_DITTA_CG18 "
              "AND MG87_CODART_MG66 = MG66_CODART AND MG87_OPZIONE_MG5E = '' AND MG87_LINGUA_MG52 = ''",
              "MG66_DITTA_CG18", "MG66_CODART", "MG87_DESCART", {}, "Elenco articoli", "MG66_ANAGRART"};
    case CodeKind::Family: return simpleTable("MG53_FAMIGLIE", "MG53", "CODFAM", {}, "Elenco famiglie");
    case CodeKind::SubFamily:
      return simpleTable("MG54_SOTTOFAMIGLIE", "MG54", "CODSFAM", {"MG54_CODFAM_MG53"}, "Elenco sottofamiglie");
    case CodeKind::Group:
      return simpleTable("MG55_GRUPPI", "MG55", "CODGRUPPO", {"MG55_CODFAM_MG53", "MG55_CODSFAM_MG54"}, "Elenco gruppi");
    case CodeKind::SubGroup:
      return simpleTable("MG56_SOTTOGRUPPI", "MG56", "CODSGRUPPO",
                         {"MG56_CODFAM_MG53", "MG56_CODSFAM_MG54", "MG56_CODGRUPPO_MG55"}, "Elenco sottogruppi");
    case CodeKind::FiscalGroup:
      return simpleTable("MG61_GRUPPIFISCALI", "MG61", "CODGRUPFIS", {}, "Elenco gruppi fiscali");
    case CodeKind::Brand: return simpleTable("MG64_MARCHE", "MG64", "CODMARCA", {}, "Elenco marche");
    case CodeKind::Statistical1:
      return simpleTable("MG74_GRUSTAT1", "MG74", "CODGRUSTAT", {}, "Elenco gruppi statistici 1");
    case CodeKind::Statistical2:
      return simpleTable("MG75_GRUSTAT2", "MG75", "CODGRUSTAT", {}, "Elenco gruppi statistici 2");
    case CodeKind::Statistical3:
      return simpleTable("MG76_GRUSTAT3", "MG76", "CODGRUSTAT", {}, "Elenco gruppi statistici 3");
    case CodeKind::Statistical4:
      return simpleTable("MG77_GRUSTAT4", "MG77", "CODGRUSTAT", {}, "Elenco gruppi statistici 4");
  }
  throw std::invalid_argument("tipo di codice sconosciuto: " + std::to_string(static_cast<int>(kind)));
}

// The company condition and one condition for each parent that is not blank.
std::string whereClause(const KindTable& table, long long company, const std::vector<std::string>& parents) {
  if (parents.size() > table.parents.size()) {
    throw std::invalid_argument(table.name + " accetta al più " + std::to_string(table.parents.size()) +
                                " codici superiori, ricevuti " + std::to_string(parents.size()));
  }
  std::string where = " WHERE " + table.companyColumn + " = " + std::to_string(company);
  for (std::size_t i = 0; i < parents.size(); ++i) {
    if (!platform::text::isBlank(parents[i])) where += " AND " + table.parents[i] + " = " + db::quoteLiteral(parents[i]);
  }
  return where;
}

// The code and description columns are named after their captions, so that a list that
// captions its columns by name shows the same words. Codes come without the blanks of their
// CHAR columns: the one picked goes into the field as it is.
host::LookupList codeList(const std::string& from, const std::string& where, const std::string& code,
                          const std::string& description, std::string title, std::string name) {
  return {"SELECT RTRIM(" + code + ") AS Codice, " + description + " AS Descrizione FROM " + from + where + " ORDER BY " + code,
          listCaptions(), std::move(title), std::move(name)};
}

Variant mappingTo(const std::string& column, const std::shared_ptr<Object>& descriptionField) {
  if (!descriptionField) return Variant();
  return Variant(Variant::Array{Variant(Variant::Array{Variant(column), Variant(descriptionField)})});
}

}  // namespace

Variant listCaptions() { return Variant(Variant::Array{"Codice", "", "Descrizione", ""}); }

host::LookupList StandinWarehouseLookup::List(CodeKind kind, const std::vector<std::string>& parents) {
  const KindTable table = tableOf(kind);
  return codeList(table.from, whereClause(table, m_global->companyCode(), parents), table.codeColumn,
                  table.descriptionColumn, table.title, table.name);
}

std::string StandinWarehouseDecode::DecodeQuery(CodeKind kind, const std::vector<std::string>& parents,
                                                const std::string& code) {
  const KindTable table = tableOf(kind);
  return "SELECT " + table.descriptionColumn + " FROM " + table.from +
         whereClause(table, m_global->companyCode(), parents) + " AND " + table.codeColumn + " = " +
         db::quoteLiteral(code);
}

host::LookupList StandinProductionLookup::ProductTypes() {
  return codeList("PD20_TIPIPROD WITH (NOLOCK)", " WHERE PD20_DITTA_CG18 = " + std::to_string(m_global->companyCode()),
                  "PD20_TIPOPROD", "PD20_DESCR", "Elenco tipi prodotto", "PD20_TIPIPROD");
}

namespace {

std::string productTypeQuery(long long company, const std::string& code) {
  return "SELECT PD20_DESCR FROM PD20_TIPIPROD WITH (NOLOCK) WHERE PD20_DITTA_CG18 = " + std::to_string(company) +
         " AND PD20_TIPOPROD = " + db::quoteLiteral(code);
}

}  // namespace

host::Decode StandinProductionDecode::ProductType(const std::string& code, std::shared_ptr<Object> descriptionField) {
  return {productTypeQuery(m_global->companyCode(), code), mappingTo("PD20_DESCR", descriptionField)};
}

bool StandinProductionDecode::ProductTypeMissing(const std::string& code) {
  return m_global->database().Open(productTypeQuery(m_global->companyCode(), code))->Eof();
}

host::LookupList StandinUserGroupServices::Users() {
  return codeList("FW07_APPUSER WITH (NOLOCK)", " WHERE FW07_FLGATTIVO = 1", "FW07_CODICE", "FW07_DESCRIZIONE",
                  "Elenco utenti", "FW07_APPUSER");
}

host::LookupList StandinUserGroupServices::Groups() {
  return codeList("FW06_GROUPUSR WITH (NOLOCK)", "", "FW06_CODICE", "FW06_DESCRIZIONE", "Elenco gruppi utenti",
                  "FW06_GROUPUSR");
}

host::Decode StandinUserGroupServices::DecodeUser(const std::string& code, std::shared_ptr<Object> descriptionField) {
  return {"SELECT FW07_DESCRIZIONE FROM FW07_APPUSER WITH (NOLOCK) WHERE FW07_CODICE = " + db::quoteLiteral(code) +
              " AND FW07_FLGATTIVO = 1",
          mappingTo("FW07_DESCRIZIONE", descriptionField)};
}

host::Decode StandinUserGroupServices::DecodeGroup(const std::string& code, std::shared_ptr<Object> descriptionField) {
  return {"SELECT FW06_DESCRIZIONE FROM FW06_GROUPUSR WITH (NOLOCK) WHERE FW06_CODICE = " + db::quoteLiteral(code),
          mappingTo("FW06_DESCRIZIONE", descriptionField)};
}

}  // namespace platform::services

// Statements composed from the list of managed entities.
#include "src/config/managed_entities.h"

#include "src/common/sql_text.h"
#include "src/config/classifications.h"

namespace passaggio {
namespace {

// One line of the seeding batch: blank-padded, ended by a lone CR. The batch carries "--"
// comments, so each line must end where SQL Server ends it, and a CR does.
std::string seedingLine(std::string text) {
  if (text.size() < kSeedingLineWidth) text.append(kSeedingLineWidth - text.size(), ' ');
  text += '\r';
  return text;
}

}  // namespace

std::string SeedingBatch(const std::string& company) {
  std::string batch;
  // The first statement's FROM line is aligned differently from the others'.
  const auto entity = [&](std::string_view entityCode, std::string_view description, std::string_view heading,
                          std::string_view from) {
    const std::string code = sql::Quoted(entityCode);
    batch += seedingLine("  -- " + std::string(heading));
    batch += seedingLine(
        "  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )");
    batch += seedingLine("  SELECT CG18_DITTA , " + code + " , " + sql::Quoted(description) + " , 0");
    batch += seedingLine(std::string(from));
    batch += seedingLine("  WHERE  CG18_DITTA = " + company);
    batch += seedingLine(
        "  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = " +
        code + ")");
  };
  entity(kCompanyEntity, kCompanyEntityDescription, kCompanyEntityDescription,
         "  FROM   CG18_ANADITTABASE WITH (NOLOCK)");
  for (const Classification& classification : kClassifications) {
    entity(classification.entity, classification.description, classification.heading,
           "  FROM CG18_ANADITTABASE WITH (NOLOCK)");
  }
  return batch;
}

std::string AssociationUsingColumnQuery(std::string_view column) {
  return sql::Fill(
      "          SELECT     TOP 1 * FROM     MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) WHERE     NOT <CAMPO> IS NULL",
      {{"<CAMPO>", column}});
}

}  // namespace passaggio

// Statements composed from the list of managed entities.
#include "src/config/managed_entities.h"

#include "src/common/sql_text.h"

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

const ManagedEntity* FindManagedEntity(std::string_view code) {
  for (const ManagedEntity& entity : kManagedEntities) {
    if (code == entity.code) return &entity;
  }
  return nullptr;
}

std::string SeedingBatch(const std::string& company) {
  std::string batch;
  bool first = true;
  for (const ManagedEntity& entity : kManagedEntities) {
    const std::string code = sql::Quoted(entity.code);
    batch += seedingLine(std::string("  -- ") + entity.heading);
    batch += seedingLine(
        "  INSERT INTO MG0L_ENTITA_PASSAGGI ( MG0L_DITTA_CG18 , MG0L_ENTITA , MG0L_DESCENTITA , MG0L_ENTITA_SEL )");
    batch += seedingLine("  SELECT CG18_DITTA , " + code + " , " + sql::Quoted(entity.description) + " , 0");
    batch += seedingLine(first ? "  FROM   CG18_ANADITTABASE WITH (NOLOCK)" : "  FROM CG18_ANADITTABASE WITH (NOLOCK)");
    batch += seedingLine("  WHERE  CG18_DITTA = " + company);
    batch += seedingLine(
        "  AND    NOT EXISTS(SELECT 1 FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = CG18_DITTA AND MG0L_ENTITA = " +
        code + ")");
    first = false;
  }
  return batch;
}

std::string AssociationUsingColumnQuery(std::string_view column) {
  return sql::Fill(
      "          SELECT     TOP 1 * FROM     MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) WHERE     NOT <CAMPO> IS NULL",
      {{"<CAMPO>", column}});
}

}  // namespace passaggio

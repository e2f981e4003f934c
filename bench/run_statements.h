// The statement sequence of one run of the console (item working table, checks per
// validation body, new state, permission), composed as the console composes it, for
// measuring the database layer on realistic statements.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct BodyConfig {
  long long id = 0;
  std::string code;
  long long endState = 0;
  struct Field {
    long long validationFieldId = 0;
    long long catalogueFieldId = 0;
    std::string column;
    std::string joinSql;
    bool numeric = false;
    bool zeroIsNoValue = false;
  };
  std::vector<Field> requiredFields;
};

struct RunConfig {
  long long company = 1;
  long long user = 1;
  std::string table = "##TableDatiArticolo_BENCH";
  std::vector<std::string> managedEntities;  // MG0L_ENTITA codes
  std::vector<BodyConfig> bodies;
};

struct RunStatement {
  std::string sql;
  bool returnsRows = false;
};

//! The statements of a whole run, in order.
std::vector<RunStatement> runStatements(const RunConfig& config);

}  // namespace bench

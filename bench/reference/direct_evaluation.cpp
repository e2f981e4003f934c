// The rules of the checks, one item at a time: a body does not apply (2) when no association
// of it matches the item's classification on every managed entity, when the item is not in
// its start state, or when the user is not responsible for it and it is the only body of that
// state; it fails (0) when a required field has no value, is not excluded for a matching
// association and is not signed off, or when a field to sign off is not signed off for a
// matching association that does not exclude it; else it passes (1). The new state is the end
// state of the last passing body when none fails.
#include "bench/reference/direct_evaluation.h"

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "platform/db/recordset.h"
#include "platform/text/ascii.h"
#include "src/config/classifications.h"

namespace passaggio::direct {
namespace {

using platform::Variant;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kDimensions = kClassifications.size();
constexpr const auto& kDimensionsTable = kClassifications;

// A classification code as compared; nullopt for NULL, which matches nothing.
using Code = std::optional<std::string>;

Code codeOf(const Variant& value) {
  if (value.isNull() || value.isEmpty()) return std::nullopt;
  return comparable(value.toText());
}

std::optional<long long> numberOf(const Variant& value) {
  if (value.isNull() || value.isEmpty()) return std::nullopt;
  return value.toInteger();
}

struct Item {
  std::string code;        // as the working table holds it
  std::string comparable;  // for look-ups
  std::optional<long long> state;
  std::array<Code, kDimensions> classification;
};

struct Association {
  long long id = 0;
  std::array<Code, kDimensions> classification;
};

struct Field {
  long long id = 0;                        // MG0P_ID
  std::optional<long long> catalogueId;    // MG0P_CAMPO_MG0O
  bool required = false;
  bool manual = false;
  bool zeroIsMissing = false;              // MG0P_INDVALZERO and MG0O_ISNUMERICO both 1
  bool catalogued = false;                 // its catalogue field and table exist
  std::size_t value = 0;                   // index into the value columns
};

struct Body {
  long long id = 0;
  std::string code;
  std::optional<long long> user;
  std::optional<long long> group;
  std::optional<long long> startState;
  long long endState = 0;
  std::vector<Association> associations;
  std::vector<Field> fields;
};

// A sign-off key: comparable item code, body id, catalogue field id.
struct SignOffKey {
  std::string item;
  long long body;
  long long field;
  bool operator==(const SignOffKey&) const = default;
};

struct SignOffHash {
  std::size_t operator()(const SignOffKey& key) const {
    return std::hash<std::string>()(key.item) ^ (std::hash<long long>()(key.body) * 31) ^
           (std::hash<long long>()(key.field) * 1000003);
  }
};

// What the stored sign-offs of one key say: one of them is 1; one of them is 0 or NULL.
struct SignOff {
  bool given = false;
  bool withheld = false;
};

// One value column: per comparable item code, whether the value is missing as IS NULL and as
// ISNULL(x,0) = 0 see it.
struct ValueColumn {
  std::string join;
  std::string expression;
  std::unordered_map<std::string, std::pair<bool, bool>> missing;  // (null, null or zero)
};

struct Data {
  std::array<bool, kDimensions> managed{};
  std::vector<Body> bodies;
  std::set<long long> groupsOfUser;
  std::map<long long, int> bodiesPerStartState;
  std::vector<Item> items;
  std::unordered_map<SignOffKey, SignOff, SignOffHash> signOffs;
  std::set<std::pair<long long, long long>> exclusions;  // (association, validation field)
  std::vector<ValueColumn> values;
};

std::string text(const Variant& value) { return value.isNull() || value.isEmpty() ? std::string() : value.toText(); }

bool isZero(const Variant& value) {
  if (value.isNull() || value.isEmpty()) return true;
  return value.isNumeric() && value.toDouble() == 0;
}

Data read(platform::db::Connection& db, const RunContext& context) {
  Data data;
  const std::string k = std::to_string(context.company);

  auto entities = db.Open("SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = " + k +
                          " AND MG0L_ENTITA_SEL = 1");
  for (; !entities->Eof(); entities->MoveNext()) {
    const std::string entity = text(entities->Field(0));
    for (std::size_t d = 0; d < kDimensions; ++d) data.managed[d] = data.managed[d] || entity == kDimensionsTable[d].entity;
  }

  std::map<long long, std::size_t> bodyIndex;
  auto bodies = db.Open(
      "SELECT MG0M_ID, MG0M_ARGOMENTO, MG0M_UTENTE_FW07, MG0M_GRUPPO_FW06, MG0M_STATOINI_MG6W, MG0M_STATOFIN_MG6W "
      "FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_DITTA_CG18 = " + k + " ORDER BY MG0M_ID");
  for (; !bodies->Eof(); bodies->MoveNext()) {
    Body body;
    body.id = bodies->Field(0).toInteger();
    body.code = text(bodies->Field(1));
    body.user = numberOf(bodies->Field(2));
    body.group = numberOf(bodies->Field(3));
    body.startState = numberOf(bodies->Field(4));
    body.endState = numberOf(bodies->Field(5)).value_or(0);
    if (body.startState) ++data.bodiesPerStartState[*body.startState];
    bodyIndex[body.id] = data.bodies.size();
    data.bodies.push_back(std::move(body));
  }

  auto groups = db.Open("SELECT FW00_ID_FW06 FROM FW00_GRPUSRASSOC WHERE FW00_ID_FW07 = " +
                        std::to_string(context.userId));
  for (; !groups->Eof(); groups->MoveNext()) data.groupsOfUser.insert(groups->Field(0).toInteger());

  std::string associationColumns;
  for (const Classification& dimension : kDimensionsTable) associationColumns += std::string(", ") + dimension.column;
  auto associations =
      db.Open("SELECT MG0Q_ID, MG0Q_ARGOMENTO_MG0M" + associationColumns + " FROM MG0Q_ENTITARG_PASSAGGI");
  for (; !associations->Eof(); associations->MoveNext()) {
    const auto body = bodyIndex.find(associations->Field(1).toInteger());
    if (body == bodyIndex.end()) continue;
    Association association;
    association.id = associations->Field(0).toInteger();
    for (std::size_t d = 0; d < kDimensions; ++d) association.classification[d] = codeOf(associations->Field(2 + d));
    data.bodies[body->second].associations.push_back(std::move(association));
  }

  // Fields with their catalogue entry, when it exists; value columns grouped by join.
  std::map<std::pair<std::string, std::string>, std::size_t> valueIndex;
  auto fields = db.Open(
      "SELECT MG0P_ID, MG0P_ARGOMENTO_MG0M, MG0P_CAMPO_MG0O, MG0P_VALORE_OBBLIGATORIO, MG0P_INDVALZERO, "
      "MG0P_VALIDAZ_MANUALE, MG0O_CAMPO, MG0O_ISNUMERICO, MG0N_ID, MG0N_JOIN_SQL "
      "FROM MG0P_CAMPIARG_PASSAGGI LEFT JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0P_CAMPO_MG0O "
      "LEFT JOIN MG0N_TABLE_PASSAGGI ON MG0N_ID = MG0O_TABLE_MG0N");
  for (; !fields->Eof(); fields->MoveNext()) {
    const auto body = bodyIndex.find(fields->Field(1).toInteger());
    if (body == bodyIndex.end()) continue;
    Field field;
    field.id = fields->Field(0).toInteger();
    field.catalogueId = numberOf(fields->Field(2));
    field.required = numberOf(fields->Field(3)).value_or(0) == 1;
    field.manual = numberOf(fields->Field(5)).value_or(0) == 1;
    field.zeroIsMissing = numberOf(fields->Field(4)).value_or(0) == 1 && numberOf(fields->Field(7)).value_or(0) == 1;
    field.catalogued = !fields->Field(8).isNull();
    if (field.required && field.catalogued) {
      const auto key = std::make_pair(text(fields->Field(9)), text(fields->Field(6)));
      const auto [found, added] = valueIndex.emplace(key, data.values.size());
      if (added) data.values.push_back(ValueColumn{key.first, key.second, {}});
      field.value = found->second;
    }
    data.bodies[body->second].fields.push_back(field);
  }

  // The values, one query per distinct join.
  std::map<std::string, std::vector<std::size_t>> byJoin;
  for (std::size_t v = 0; v < data.values.size(); ++v) byJoin[data.values[v].join].push_back(v);
  for (const auto& [join, columns] : byJoin) {
    std::string select = "SELECT MG66_CODART";
    for (std::size_t v : columns) select += ", " + data.values[v].expression;
    auto rows = db.Open(select + " FROM MG66_ANAGRART WITH (NOLOCK) " + join + " WHERE MG66_DITTA_CG18 = " + k);
    for (; !rows->Eof(); rows->MoveNext()) {
      const std::string item = comparable(text(rows->Field(0)));
      for (std::size_t c = 0; c < columns.size(); ++c) {
        const Variant& value = rows->Field(c + 1);
        data.values[columns[c]].missing[item] = {value.isNull(), isZero(value)};
      }
    }
  }

  auto exclusions = db.Open("SELECT MG0U_IDENTITARG_MG0Q, MG0U_IDCAMPOARG_MG0P FROM MG0U_NOVALIDAZ_PASSAGGI");
  for (; !exclusions->Eof(); exclusions->MoveNext()) {
    data.exclusions.emplace(exclusions->Field(0).toInteger(), exclusions->Field(1).toInteger());
  }

  auto signOffs = db.Open(
      "SELECT MG0R_CODART_MG66, MG0R_ARGOMENTO_MG0M, MG0R_CAMPO_MG0O, MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI "
      "WHERE MG0R_DITTA_CG18 = " + k);
  for (; !signOffs->Eof(); signOffs->MoveNext()) {
    SignOff& signOff = data.signOffs[SignOffKey{comparable(text(signOffs->Field(0))), signOffs->Field(1).toInteger(),
                                                signOffs->Field(2).toInteger()}];
    if (numberOf(signOffs->Field(3)).value_or(0) == 1) {
      signOff.given = true;
    } else if (numberOf(signOffs->Field(3)).value_or(0) == 0) {
      signOff.withheld = true;
    }
  }

  std::string itemColumns;
  for (const Classification& dimension : kDimensionsTable) itemColumns += std::string(", ") + dimension.masterColumn;
  auto items = db.Open("SELECT RTRIM(MG66_CODART), MG66_INDSTATO_MG6W" + itemColumns +
                       " FROM MG66_ANAGRART LEFT OUTER JOIN PD18_ARTPROD ON PD18_DITTA_CG18 = MG66_DITTA_CG18 "
                       "AND PD18_CODART_MG66 = MG66_CODART WHERE MG66_DITTA_CG18 = " + k);
  data.items.reserve(items->RecordCount());
  for (; !items->Eof(); items->MoveNext()) {
    Item item;
    item.code = text(items->Field(0));
    item.comparable = comparable(item.code);
    item.state = numberOf(items->Field(1));
    for (std::size_t d = 0; d < kDimensions; ++d) item.classification[d] = codeOf(items->Field(2 + d));
    data.items.push_back(std::move(item));
  }
  return data;
}

bool matches(const Data& data, const Association& association, const Item& item) {
  for (std::size_t d = 0; d < kDimensions; ++d) {
    if (!data.managed[d]) continue;
    const Code& mine = item.classification[d];
    const Code& theirs = association.classification[d];
    if (!mine || !theirs || *mine != *theirs) return false;
  }
  return true;
}

int verdict(const Data& data, const RunContext& context, const Body& body, const Item& item) {
  std::vector<const Association*> matching;
  for (const Association& association : body.associations) {
    if (matches(data, association, item)) matching.push_back(&association);
  }
  if (matching.empty()) return 2;
  if (!item.state || !body.startState || *item.state != *body.startState) return 2;
  const bool responsible = (body.user && *body.user == context.userId) ||
                           (body.group && data.groupsOfUser.count(*body.group) > 0);
  if (!responsible && data.bodiesPerStartState.at(*item.state) == 1) return 2;

  const auto signOff = [&](const std::optional<long long>& field) -> const SignOff* {
    if (!field) return nullptr;
    const auto found = data.signOffs.find(SignOffKey{item.comparable, body.id, *field});
    return found == data.signOffs.end() ? nullptr : &found->second;
  };
  const auto excludedEverywhere = [&](const Field& field) {
    for (const Association* association : matching) {
      if (data.exclusions.count({association->id, field.id}) == 0) return false;
    }
    return true;
  };
  for (const Field& field : body.fields) {
    if (!field.required || !field.catalogued || excludedEverywhere(field)) continue;
    const auto& values = data.values[field.value].missing;
    const auto value = values.find(item.comparable);
    const bool missing = value == values.end() || (field.zeroIsMissing ? value->second.second : value->second.first);
    const SignOff* given = signOff(field.catalogueId);
    if (missing && (given == nullptr || !given->given)) return 0;
  }
  for (const Field& field : body.fields) {
    if (!field.manual || excludedEverywhere(field)) continue;
    const SignOff* given = signOff(field.catalogueId);
    if (given == nullptr || given->withheld) return 0;
  }
  return 1;
}

}  // namespace

std::string comparable(const std::string& code) {
  return platform::text::lowerAscii(platform::text::trimRight(code, " "));
}

Evaluation evaluate(platform::db::Connection& connection, const RunContext& context) {
  Evaluation evaluation;
  const Clock::time_point start = Clock::now();
  const Data data = read(connection, context);
  const Clock::time_point computeStart = Clock::now();
  for (const Body& body : data.bodies) evaluation.bodyCodes.push_back(body.code);
  const std::set<long long> allowed(context.allowedStates.begin(), context.allowedStates.end());
  evaluation.items.reserve(data.items.size());
  for (const Item& item : data.items) {
    ItemOutcome outcome;
    outcome.code = item.code;
    bool failed = false;
    for (const Body& body : data.bodies) {
      const int v = verdict(data, context, body, item);
      outcome.verdicts.push_back(v);
      failed = failed || v == 0;
      if (v == 1) outcome.newState = body.endState;
    }
    if (failed) outcome.newState.reset();
    if (outcome.newState) outcome.permission = !context.restricted || allowed.count(*outcome.newState) > 0 ? 1 : 0;
    evaluation.items.push_back(std::move(outcome));
  }
  const Clock::time_point end = Clock::now();
  evaluation.readSeconds = std::chrono::duration<double>(computeStart - start).count();
  evaluation.computeSeconds = std::chrono::duration<double>(end - computeStart).count();
  return evaluation;
}

}  // namespace passaggio::direct

// The generator. Everything random comes from one engine seeded with the options' seed and is
// drawn in a fixed order, and values are derived with plain modulo (the standard
// distributions differ between libraries), so a seed gives the same file content everywhere.
// The schema goes through the layer; the rows go through prepared statements in a single
// transaction with the journal off, and the indexes are built afterwards, which is faster
// than maintaining them row by row.
#include "sql/generator.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "sql/reference_data.h"
#include "sql/schema.h"
#include "sql/sqlite_sink.h"

namespace sql {
namespace {

using platform::Date;
using platform::Decimal;
using Clock = std::chrono::steady_clock;

constexpr int kFamilies = 40;
constexpr int kSubfamiliesPerFamily = 5;
constexpr int kGroups = 20;
constexpr int kSubgroups = 20;
constexpr int kBrands = 50;
constexpr int kUsers = 30;
constexpr int kUserGroups = 6;
constexpr int kMaxAssociations = 5;

constexpr std::array<const char*, 5> kProductTypes = {"AC", "PF", "SL", "MP", "IM"};
constexpr std::array<const char*, 5> kProductTypeNames = {"Articolo commerciale", "Prodotto finito", "Semilavorato",
                                                          "Materia prima", "Imballo"};
constexpr std::array<const char*, 4> kFiscalGroups = {"IVA22", "IVA10", "IVA4", "ESENTE"};
constexpr std::array<const char*, 5> kStatCodes = {"A", "B", "C", "D", "E"};
constexpr std::array<const char*, 20> kNouns = {
    "Vite", "Bullone", "Dado", "Rondella", "Staffa", "Guarnizione", "Cuscinetto", "Molla", "Perno", "Tappo",
    "Flangia", "Raccordo", "Valvola", "Cavo", "Morsetto", "Tubo", "Pannello", "Profilato", "Supporto", "Boccola"};
constexpr std::array<const char*, 10> kMaterials = {
    "in acciaio zincato", "in acciaio inox", "in ottone", "in alluminio", "in PVC", "in nylon",
    "in ghisa", "in rame", "in gomma", "in acciaio brunito"};
constexpr std::array<const char*, 10> kFirstNames = {"Marco", "Giulia", "Luca", "Chiara", "Paolo",
                                                      "Elena", "Davide", "Sara", "Stefano", "Anna"};
constexpr std::array<const char*, 10> kLastNames = {"Rossi", "Russo", "Ferrari", "Esposito", "Bianchi",
                                                     "Romano", "Colombo", "Ricci", "Marino", "Greco"};
constexpr std::array<const char*, 10> kFamilyNames = {"Viteria", "Bulloneria", "Rondelle", "Utensileria",
                                                       "Materiale elettrico", "Idraulica", "Vernici", "Imballaggi",
                                                       "Materie prime", "Antinfortunistica"};
// Share of items per state, in percent: 10, 20, 30, 40, 50.
constexpr std::array<int, 5> kStateShare = {30, 20, 15, 25, 10};

class Random {
 public:
  explicit Random(std::uint64_t seed) : m_engine(seed) {}
  std::uint64_t below(std::uint64_t n) { return m_engine() % n; }
  bool percent(int chance) { return below(100) < static_cast<std::uint64_t>(chance); }
  // Skewed towards small values, so some families hold many items and many associations.
  int skewed(int n) { return static_cast<int>(below(n) * below(n) / n); }

 private:
  std::mt19937_64 m_engine;
};

template <class... Args>
std::string format(const char* pattern, Args... values) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, pattern, values...);
  return buffer;
}

std::string familyCode(int family) { return format("F%03d", family + 1); }
std::string subfamilyCode(int family, int sub) { return format("S%03d", family * kSubfamiliesPerFamily + sub + 1); }
std::string itemCode(long long index) { return format("A%09lld", index + 1); }

struct Association {
  int body;  // 0-based index into the bodies
  int productType;
  int family;
};

struct Body {
  int company;
  int id;
  int startState;
  std::vector<int> manualFields;  // MG0O ids
};

struct Plan {
  std::vector<Body> bodies;
  // (company, product type, family) -> bodies with a matching association
  std::map<std::tuple<int, int, int>, std::vector<int>> governing;
};

void writeCompanies(RowSink& sink) {
  auto& companies = sink.table("CG18_ANADITTABASE", {"CG18_DITTA", "CG18_RAGSOC", "CG18_CLASSGERARCHICA"});
  companies.insert({1, "Azienda di prova 1 S.p.A.", "0"});
  companies.insert({2, "Azienda di prova 2 S.r.l.", "1"});
}

void writeClassifications(RowSink& sink) {
  auto coded = [&](const char* table, const char* prefix, const char* column) -> RowSink::Table& {
    return sink.table(table, {std::string(prefix) + "_DITTA_CG18", std::string(prefix) + "_" + column,
                              std::string(prefix) + "_DESCR"});
  };
  auto& types = coded("PD20_TIPIPROD", "PD20", "TIPOPROD");
  auto& origins = coded("PD21_PROVENIENZE", "PD21", "CODPROV");
  auto& families = coded("MG53_FAMIGLIE", "MG53", "CODFAM");
  auto& brands = coded("MG64_MARCHE", "MG64", "CODMARCA");
  auto& fiscal = coded("MG61_GRUPPIFISCALI", "MG61", "CODGRUPFIS");
  auto& subfamilies = sink.table("MG54_SOTTOFAMIGLIE", {"MG54_DITTA_CG18", "MG54_CODFAM_MG53", "MG54_CODSFAM", "MG54_DESCR"});
  auto& groups = sink.table("MG55_GRUPPI", {"MG55_DITTA_CG18", "MG55_CODGRUPPO", "MG55_DESCR"});
  auto& subgroups = sink.table("MG56_SOTTOGRUPPI", {"MG56_DITTA_CG18", "MG56_CODSGRUPPO", "MG56_DESCR"});
  for (int company : {1, 2}) {
    for (std::size_t t = 0; t < kProductTypes.size(); ++t) types.insert({company, kProductTypes[t], kProductTypeNames[t]});
    origins.insert({company, "AC", "Acquisto"});
    origins.insert({company, "PR", "Produzione interna"});
    for (int f = 0; f < kFamilies; ++f) {
      families.insert({company, familyCode(f), format("%s %d", kFamilyNames[f % kFamilyNames.size()], f + 1)});
      for (int s = 0; s < kSubfamiliesPerFamily; ++s) {
        // Company 2 keeps hierarchical codes: its sub-families name their family.
        subfamilies.insert({company, company == 1 ? "" : familyCode(f), subfamilyCode(f, s),
                            format("Sottofamiglia %d.%d", f + 1, s + 1)});
      }
    }
    for (int g = 0; g < kGroups; ++g) groups.insert({company, format("G%03d", g + 1), format("Gruppo %d", g + 1)});
    for (int g = 0; g < kSubgroups; ++g) subgroups.insert({company, format("H%03d", g + 1), format("Sottogruppo %d", g + 1)});
    for (int b = 0; b < kBrands; ++b) brands.insert({company, format("MARCA%03d", b + 1), format("Marca %d", b + 1)});
    for (const char* code : kFiscalGroups) fiscal.insert({company, code, std::string("Gruppo fiscale ") + code});
    for (int stat = 0; stat < 4; ++stat) {
      auto& table = sink.table(format("MG%d_GRUSTAT%d", 74 + stat, stat + 1),
                               {format("MG%d_DITTA_CG18", 74 + stat), format("MG%d_CODGRUSTAT", 74 + stat),
                                format("MG%d_DESCR", 74 + stat)});
      for (const char* code : kStatCodes) table.insert({company, code, format("Gruppo statistico %d classe %s", stat + 1, code)});
    }
  }
}

// Users 1..30: every tenth inactive, every seventh restricted to states 20 and 30; six groups
// of five members each.
void writeUsers(RowSink& sink) {
  auto& users = sink.table("FW07_APPUSER", {"FW07_CODICE", "FW07_DESCRIZIONE", "FW07_FLGATTIVO", "FW07_FLGSTATILIMITATI"});
  auto& states = sink.table("FW09_STATIUTENTE", {"FW09_ID_FW07", "FW09_INDSTATO_MG6W"});
  for (int u = 1; u <= kUsers; ++u) {
    bool restricted = u % 7 == 0;
    users.insert({format("U%03d", u), format("%s %s", kFirstNames[u % 10], kLastNames[(u / 10 + u) % 10]),
                  u % 10 == 0 ? 0 : 1, restricted ? 1 : 0});
    if (restricted) {
      states.insert({u, 20});
      states.insert({u, 30});
    }
  }
  auto& groups = sink.table("FW06_GROUPUSR", {"FW06_CODICE", "FW06_DESCRIZIONE"});
  auto& members = sink.table("FW00_GRPUSRASSOC", {"FW00_ID_FW06", "FW00_ID_FW07"});
  for (int g = 1; g <= kUserGroups; ++g) {
    groups.insert({format("GRP%d", g), format("Gruppo utenti %d", g)});
    for (int u = g; u <= kUsers; u += kUserGroups) members.insert({g, u});
  }
}

int activeUser(int n) {
  int user = n % kUsers + 1;
  return user % 10 == 0 ? user - 1 : user;
}

// Bodies, their fields, associations and exclusions; returns what the sign-offs need.
Plan writeBodies(RowSink& sink, const GeneratorOptions& options, Random& random) {
  auto& bodies = sink.table("MG0M_ARGOMENTI_PASSAGGI",
                            {"MG0M_DITTA_CG18", "MG0M_ARGOMENTO", "MG0M_DESCARGOMENTO", "MG0M_TIPO_RESPONSABILE",
                             "MG0M_UTENTE_FW07", "MG0M_GRUPPO_FW06", "MG0M_STATOINI_MG6W", "MG0M_STATOFIN_MG6W"});
  auto& fields = sink.table("MG0P_CAMPIARG_PASSAGGI",
                            {"MG0P_ARGOMENTO_MG0M", "MG0P_CAMPO_MG0O", "MG0P_VALORE_OBBLIGATORIO", "MG0P_INDVALZERO",
                             "MG0P_VALIDAZ_MANUALE", "MG0P_KEY_GRID"});
  auto& associations = sink.table("MG0Q_ENTITARG_PASSAGGI", {"MG0Q_DITTA_CG18", "MG0Q_ARGOMENTO_MG0M", "MG0Q_TIPOPROD",
                                                             "MG0Q_CODFAM_MG53", "MG0Q_KEY_GRID"});
  auto& exclusions = sink.table("MG0U_NOVALIDAZ_PASSAGGI", {"MG0U_IDENTITARG_MG0Q", "MG0U_IDCAMPOARG_MG0P"});

  std::vector<int> readable, documents;
  auto catalogue = catalogueFields();
  for (std::size_t f = 0; f < catalogue.size(); ++f) {
    (catalogueTables()[catalogue[f].table - 1].isTable ? readable : documents).push_back(static_cast<int>(f) + 1);
  }

  Plan plan;
  int secondCompanyBodies = std::max(1, options.bodies / 10);
  int fieldId = 0, associationId = 0;
  for (int b = 0; b < options.bodies + secondCompanyBodies; ++b) {
    int company = b < options.bodies ? 1 : 2;
    int number = company == 1 ? b : b - options.bodies;  // company 2 reuses company 1's codes
    int start = 10 * (1 + number % 4);
    int end = number % 7 == 6 ? 10 : start + 10;  // now and then a step back
    bool group = number % 3 == 2;
    bodies.insert({company, format("ENTE%03d", number + 1), format("Ente validazione %d", number + 1), group ? 1 : 0,
                   group ? kNull : Variant(activeUser(number)), group ? Variant(number / 3 % kUserGroups + 1) : kNull,
                   start, end});
    Body body{company, b + 1, start, {}};

    // Fields: three of five required (on readable fields), the others manual sign-offs.
    std::vector<int> pool = readable, docs = documents;
    std::vector<int> bodyFields;
    for (int f = 0; f < options.fields; ++f) {
      bool required = f % 5 < 3;
      std::vector<int>& from = required || docs.empty() ? pool : docs;
      std::size_t pick = random.below(from.size());
      int catalogueId = from[pick];
      from.erase(from.begin() + static_cast<std::ptrdiff_t>(pick));
      bool numeric = catalogue[catalogueId - 1].numeric;
      bool zero = required && numeric && random.percent(50);
      fields.insert({body.id, catalogueId, required ? 1 : 0, zero ? 1 : 0, required ? 0 : 1, gridKey(++fieldId)});
      bodyFields.push_back(fieldId);
      if (!required) body.manualFields.push_back(catalogueId);
    }

    int count = 2 + static_cast<int>(random.below(kMaxAssociations - 1));
    for (int a = 0; a < count; ++a) {
      int type = static_cast<int>(random.below(kProductTypes.size()));
      int family = random.skewed(kFamilies);
      associations.insert({company, body.id, kProductTypes[type], familyCode(family), gridKey(++associationId)});
      plan.governing[{company, type, family}].push_back(b);
      if (!bodyFields.empty() && random.percent(25)) {
        exclusions.insert({associationId, bodyFields[random.below(bodyFields.size())]});
      }
    }
    plan.bodies.push_back(std::move(body));
  }
  return plan;
}

struct Counts {
  long long items = 0;
  long long signOffs = 0;
};

Counts writeItems(RowSink& sink, const GeneratorOptions& options, const Plan& plan, Random& random) {
  auto& master = sink.table("MG66_ANAGRART",
                            {"MG66_DITTA_CG18", "MG66_CODART", "MG66_INDSTATO_MG6W", "MG66_FAM_MG53", "MG66_SFAM_MG54",
                             "MG66_GRUPPO_MG55", "MG66_SGRUPPO_MG56", "MG66_MARCA_MG64", "MG66_GRUPFIS_MG61",
                             "MG66_GRUSTAT1_MG74", "MG66_GRUSTAT2_MG75", "MG66_GRUSTAT3_MG76", "MG66_GRUSTAT4_MG77",
                             "MG66_GUID", "MG66_CODINTERNO", "MG66_INDFITTIZIO", "MG66_UMBASE", "MG66_PESONETTO",
                             "MG66_PESOLORDO", "MG66_VOLUME", "MG66_BARCODE", "MG66_NOMENCLATURA", "MG66_DATAINS"});
  auto& descriptions = sink.table("MG87_ARTDESC", {"MG87_DITTA_CG18", "MG87_CODART_MG66", "MG87_OPZIONE_MG5E",
                                                   "MG87_LINGUA_MG52", "MG87_DESCART"});
  auto& production = sink.table("PD18_ARTPROD", {"PD18_DITTA_CG18", "PD18_CODART_MG66", "PD18_TIPOPROD_PD20",
                                                 "PD18_CODPROV_PD21", "PD18_INDREVDISBA", "PD18_LEADTIME",
                                                 "PD18_LOTTORIORDINO"});
  auto& warehouse = sink.table("MG6M_ARTMAG", {"MG6M_DITTA_CG18", "MG6M_CODART_MG66", "MG6M_SCORTA",
                                               "MG6M_PUNTORIORDINO", "MG6M_UBICAZIONE", "MG6M_FLGLOTTI",
                                               "MG6M_FLGSCAD", "MG6M_INDSCADLOTTO"});
  auto& parametric = sink.table("MG6S_STATIPARAM", {"MG6S_GUID_MG66", "MG6S_IDSTATO"});
  auto& attributes = sink.table("CO5L_ATTRIBUTIDEN", {"CO5L_GUID", "CO5L_MATERIALE"});
  auto& signOffs = sink.table("MG0R_VALIDAZMAN_PASSAGGI", {"MG0R_DITTA_CG18", "MG0R_CODART_MG66",
                                                           "MG0R_ARGOMENTO_MG0M", "MG0R_CAMPO_MG0O", "MG0R_VALIDATO"});
  Counts counts;
  long long secondCompanyItems = options.items / 100;
  for (long long n = 0; n < options.items + secondCompanyItems; ++n) {
    int company = n < options.items ? 1 : 2;
    // Company 2's items reuse every hundredth code of company 1.
    long long number = company == 1 ? n : (n - options.items) * 100;
    std::string code = itemCode(number);
    int stateDraw = static_cast<int>(random.below(100)), stateIndex = 0;
    while (stateDraw >= kStateShare[stateIndex]) stateDraw -= kStateShare[stateIndex++];
    int state = 10 * (stateIndex + 1);
    int type = static_cast<int>(random.below(kProductTypes.size()));
    int family = random.skewed(kFamilies);
    int sub = static_cast<int>(random.below(kSubfamiliesPerFamily));
    int noun = static_cast<int>(random.below(kNouns.size()));
    int material = static_cast<int>(random.below(kMaterials.size()));
    int size = 4 + static_cast<int>(random.below(60));
    std::uint64_t gaps = random.below(1u << 20);  // independent bits decide the gaps below
    auto gap = [&](int bit, int oneIn) { return (gaps >> bit) % oneIn == 0; };
    std::string guid = format("%08X-0000-4000-8000-%012llX", company, number + 1);

    Variant weight = gap(0, 10) ? kNull : Variant(Decimal{static_cast<std::int64_t>(1 + random.below(50000)), 3});
    if (gap(4, 20)) weight = Decimal{0, 3};
    master.insert({company, code, state, familyCode(family), subfamilyCode(family, sub),
                   format("G%03d", 1 + static_cast<int>(random.below(kGroups))),
                   format("H%03d", 1 + static_cast<int>(random.below(kSubgroups))),
                   gap(8, 12) ? kNull : Variant(format("MARCA%03d", 1 + random.skewed(kBrands))),
                   gap(12, 15) ? kNull : Variant(kFiscalGroups[random.below(kFiscalGroups.size())]),
                   kStatCodes[random.below(5)], kStatCodes[random.below(5)], kStatCodes[random.below(5)],
                   kStatCodes[random.below(5)], guid, format("I%09lld", number + 1), 0,
                   gap(16, 25) ? kNull : Variant("PZ"), weight, weight,
                   Decimal{static_cast<std::int64_t>(random.below(10000)), 3},
                   gap(2, 6) ? kNull : Variant(format("80%011lld", (number * 7919 + company) % 100000000000LL)),
                   gap(6, 8) ? kNull : Variant("73181558"),
                   Date::fromParts(2020 + static_cast<int>(n % 6), 1 + static_cast<int>(n % 12), 1 + static_cast<int>(n % 28))});
    descriptions.insert({company, code, "", "", format("%s %d mm %s", kNouns[noun], size, kMaterials[material])});
    if (!gap(10, 33)) {
      production.insert({company, code, kProductTypes[type], type == 1 || type == 2 ? "PR" : "AC",
                         type == 1 && gap(14, 2) ? 1 : 0, gap(18, 9) ? kNull : Variant(static_cast<long long>(random.below(30))),
                         Decimal{static_cast<std::int64_t>(random.below(5) * 100000), 3}});
    }
    if (!gap(1, 12)) {
      warehouse.insert({company, code, Decimal{static_cast<std::int64_t>(random.below(4) * 10000), 3},
                        Decimal{static_cast<std::int64_t>(random.below(4) * 25000), 3},
                        gap(3, 7) ? kNull : Variant(format("A%02d-%02d", 1 + static_cast<int>(n % 24), 1 + static_cast<int>(n % 12))),
                        gap(5, 5) ? 1 : 0, gap(7, 9) ? 1 : 0, 99});
    }
    if (n % 50 == 7) parametric.insert({guid, 1 + static_cast<int>(n % 3)});
    if (n % 10 == 3) attributes.insert({guid, kMaterials[material]});
    ++counts.items;

    // Sign-offs on about a fifth of the items: for the bodies governing the item, or else
    // left over from an earlier state for some body of the company.
    if (random.below(5) != 0) continue;
    std::vector<int> targets;
    if (auto found = plan.governing.find({company, type, family}); found != plan.governing.end()) {
      for (int b : found->second) {
        if (plan.bodies[b].startState == state && std::find(targets.begin(), targets.end(), b) == targets.end()) {
          targets.push_back(b);
        }
      }
    }
    if (targets.empty()) {
      int first = company == 1 ? 0 : options.bodies;
      int count = company == 1 ? options.bodies : static_cast<int>(plan.bodies.size()) - options.bodies;
      targets.push_back(first + static_cast<int>(random.below(count)));
    }
    for (int b : targets) {
      for (int field : plan.bodies[b].manualFields) {
        signOffs.insert({company, code, plan.bodies[b].id, field, random.percent(90) ? 1 : 0});
        ++counts.signOffs;
      }
    }
  }
  return counts;
}

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Closes the raw handle however the fill ends.
struct RawDatabase {
  sqlite3* db = nullptr;
  ~RawDatabase() { sqlite3_close_v2(db); }
};

}  // namespace

std::string validateOptions(const GeneratorOptions& options) {
  int readable = 0;
  for (const CatalogueField& field : catalogueFields()) readable += catalogueTables()[field.table - 1].isTable ? 1 : 0;
  if (options.items < 1 || options.items > 100'000'000) return "--items deve essere tra 1 e 100000000";
  if (options.bodies < 1 || options.bodies > 999) return "--bodies deve essere tra 1 e 999";
  if (options.fields < 0 || options.fields > readable) {
    return "--fields deve essere tra 0 e " + std::to_string(readable) + " (i campi leggibili del catalogo)";
  }
  return {};
}

GeneratorReport generateDatabase(const std::filesystem::path& path, const GeneratorOptions& options, Existing existing) {
  if (std::string problem = validateOptions(options); !problem.empty()) throw std::invalid_argument(problem);
  GeneratorReport report;
  Clock::time_point start = Clock::now();
  buildDatabaseFile(path, existing, [&](const std::filesystem::path& file) {
    {
      platform::db::Connection connection;
      connection.Connect(connectionStringFor(file, true));
      createTables(connection);
      connection.Close();
    }

    Clock::time_point fillStart = Clock::now();
    {
      RawDatabase raw;
      if (sqlite3_open_v2(file.c_str(), &raw.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        throw SqliteError("cannot open " + file.string() + ": " + sqlite3_errmsg(raw.db));
      }
      if (platform::db::sqlite::registerTsqlFunctions(raw.db) != SQLITE_OK) {
        throw SqliteError("cannot register the T-SQL functions: " + std::string(sqlite3_errmsg(raw.db)));
      }
      execSqlite(raw.db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA cache_size = -262144; "
                         "PRAGMA temp_store = MEMORY");
      execSqlite(raw.db, "BEGIN");
      {
        SqliteSink sink(raw.db);
        Random random(options.seed);
        writeCompanies(sink);
        writeItemStates(sink);
        writeClassifications(sink);
        writeUsers(sink);
        writeCatalogue(sink);
        writeManagedEntities(sink, 1, {"AZIENDA", "TIPO_PROD", "FAMIGLIA"});
        writeManagedEntities(sink, 2, {"AZIENDA", "TIPO_PROD", "FAMIGLIA"});
        Plan plan = writeBodies(sink, options, random);
        Counts counts = writeItems(sink, options, plan, random);
        report.items = counts.items;
        report.signOffs = counts.signOffs;
      }
      execSqlite(raw.db, "COMMIT");
    }
    report.fillSeconds = secondsSince(fillStart);

    Clock::time_point indexStart = Clock::now();
    {
      platform::db::Connection connection;
      connection.Connect(connectionStringFor(file));
      createIndexes(connection);
      auto associations = connection.Open("SELECT COUNT(*) AS N FROM MG0Q_ENTITARG_PASSAGGI");
      report.associations = associations->Field("N").toInteger();
      auto exclusions = connection.Open("SELECT COUNT(*) AS N FROM MG0U_NOVALIDAZ_PASSAGGI");
      report.exclusions = exclusions->Field("N").toInteger();
      connection.Close();
    }
    report.indexSeconds = secondsSince(indexStart);
  });
  report.totalSeconds = secondsSince(start);
  return report;
}

}  // namespace sql

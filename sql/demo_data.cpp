// The demo content. Company 1 ("0": independent classification codes) has a few hundred
// items of a hardware wholesaler in all five states, with gaps in their data (a missing
// weight, a zero stock level, no warehouse row, no production row) that make required fields
// fail; six validation bodies with user and group responsibility, two pairs of which share a
// start state; sign-offs given, withdrawn and missing. Company 2 ("1": hierarchical codes)
// repeats some item codes of company 1 and has its own body with the same code as one of
// company 1. Everything is derived from fixed tables and the item's position, so every load
// gives the same database.
#include "sql/demo_data.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "sql/reference_data.h"

namespace sql {
namespace {

using platform::Date;
using platform::Decimal;

// Users, groups and their ids (tables are empty before the demo, so ids count from 1).
enum User { kAdmin = 1, kRossi, kBianchi, kVerdi, kNeri, kColombo, kFerrari };
enum Group { kQualita = 1, kAcquisti, kLogistica, kAmministrazione };

struct DemoUser {
  const char* code;
  const char* name;
  bool active;
  std::vector<int> onlyStates;  // non-empty: the user may assign only these states
};

const std::vector<DemoUser> kUsers = {
    {"ADMIN", "Amministratore di sistema", true, {}},
    {"MROSSI", "Mario Rossi (qualità)", true, {}},
    {"LBIANCHI", "Laura Bianchi (acquisti)", true, {}},
    {"GVERDI", "Giuseppe Verdi (magazzino)", true, {30, 40}},
    {"FNERI", "Francesca Neri (amministrazione)", true, {}},
    {"ACOLOMBO", "Andrea Colombo (non più in servizio)", false, {}},
    {"SFERRARI", "Sara Ferrari (acquisti e logistica)", true, {}},
};

struct DemoGroup {
  const char* code;
  const char* description;
  std::vector<int> members;
};

const std::vector<DemoGroup> kGroups = {
    {"QUAL", "Assicurazione qualità", {kAdmin, kRossi}},
    {"ACQ", "Ufficio acquisti", {kBianchi, kFerrari}},
    {"LOG", "Logistica e magazzino", {kVerdi, kFerrari}},
    {"AMM", "Amministrazione", {kNeri, kColombo}},
};

// Validation bodies, with their fields, associations and the fields excluded per association.
struct DemoField {
  const char* field;
  bool required;
  bool zeroNotSignificant;
  bool manual;
};

struct DemoAssociation {
  const char* productType;  // NULL when empty
  const char* family;
  const char* brand;  // an unmanaged entity: stored, never compared
  std::vector<const char*> excluded;
};

struct DemoBody {
  int company;
  const char* code;
  const char* description;
  int user;   // responsible user, 0 for a group
  int group;  // responsible group, 0 for a user
  int startState;
  int endState;
  std::vector<DemoField> fields;
  std::vector<DemoAssociation> associations;
};

const std::vector<DemoBody> kBodies = {
    {1, "QUALITA", "Controllo qualità", kRossi, 0, 10, 20,
     {{"MG66_PESONETTO", true, true, false},
      {"MG66_UMBASE", true, false, false},
      {"MG66_BARCODE", true, false, false},
      {"DOC_SCHEDATECNICA", false, false, true},
      {"DOC_CERTCONFORMITA", false, false, true}},
     {{"AC", "VIT", "FISSAFER", {}},
      {"AC", "BUL", nullptr, {}},
      {"AC", "RON", nullptr, {}},
      {"SL", "ELE", nullptr, {"MG66_PESONETTO"}}}},
    {1, "ACQUISTI", "Verifica ufficio acquisti", 0, kAcquisti, 10, 20,
     {{"MG66_MARCA_MG64", true, false, false},
      {"PD18_LOTTORIORDINO", true, true, false},
      {"PD18_CODPROV_PD21", true, false, false},
      {"DOC_CAMPIONATURA", false, false, true}},
     {{"AC", "VIT", nullptr, {}},
      {"AC", "UTE", nullptr, {}},
      {"MP", "MPR", nullptr, {}},
      {"MP", "VER", nullptr, {}},
      {"IM", "IMB", nullptr, {"DOC_CAMPIONATURA"}}}},
    {1, "LOGISTICA", "Logistica e magazzino", 0, kLogistica, 20, 30,
     {{"MG6M_SCORTA", true, true, false},
      {"MG6M_PUNTORIORDINO", true, false, false},
      {"MG6M_UBICAZIONE", true, false, false},
      {"MG66_VOLUME", true, true, false},
      {"MG6M_FLGLOTTI", false, false, true}},
     {{"AC", "VIT", nullptr, {}},
      {"AC", "BUL", nullptr, {}},
      {"AC", "RON", nullptr, {}},
      {"AC", "IDR", nullptr, {"MG6M_UBICAZIONE"}},
      {"IM", "IMB", nullptr, {"MG66_VOLUME", "MG6M_FLGLOTTI"}}}},
    {1, "PRODUZIONE", "Dati di produzione", kAdmin, 0, 20, 30,
     {{"PD18_LEADTIME", true, true, false},
      {"MG87_DESCESTESA", true, false, false},
      {"PD18_INDREVDISBA", false, false, true}},
     {{"SL", "ELE", nullptr, {}}, {"PF", "ELE", nullptr, {}}, {"MP", "MPR", nullptr, {}}}},
    {1, "AMMINISTRAZ", "Amministrazione e dati fiscali", kNeri, 0, 30, 40,
     {{"MG66_NOMENCLATURA", true, false, false},
      {"MG66_GRUPFIS_MG61", true, false, false},
      {"DOC_SCHEDASICUREZZA", false, false, true}},
     {{"AC", "VIT", nullptr, {}},
      {"AC", "BUL", nullptr, {}},
      {"AC", "UTE", nullptr, {}},
      {"AC", "IDR", nullptr, {}},
      {"PF", "ELE", nullptr, {}},
      {nullptr, "VER", nullptr, {}}}},  // no product type: matches no item
    {1, "RIATTIVAZ", "Riattivazione articoli obsoleti", 0, kQualita, 50, 20,
     {{"MG66_NOTE", true, false, false}, {"DOC_SCHEDATECNICA", false, false, true}},
     {{"AC", "VIT", nullptr, {}}, {"AC", "BUL", nullptr, {}}, {"AC", "RON", nullptr, {}}}},
    {2, "QUALITA", "Controllo qualità stabilimento Nord", kRossi, 0, 10, 20,
     {{"MG66_PESONETTO", true, true, false}, {"DOC_SCHEDATECNICA", false, false, true}},
     {{nullptr, "VIT", nullptr, {}}, {nullptr, "BUL", nullptr, {}}}},
};

// Items.
struct Item {
  int company = 1;
  std::string code{};
  std::string description{};
  std::string english{};  // empty: no English description
  const char* family = nullptr;
  const char* subfamily = nullptr;
  const char* group = nullptr;
  const char* subgroup = nullptr;
  const char* productType = nullptr;
  const char* origin = nullptr;
  const char* unit = "PZ";
  const char* brand = nullptr;
  const char* customs = nullptr;
  const char* stat1 = nullptr;
  double weight = 0;  // kg
  bool fictitious = false;
  // Attributes.
  const char* material = nullptr;
  const char* finish = nullptr;
  const char* norm = nullptr;
  // Filled by position.
  int state = 0;
};

struct Finish {
  const char* code;
  const char* feminine;  // "zincata"
  const char* masculine;  // "zincato"
  const char* english;
  const char* group;
  const char* subgroup;
  const char* material;
  const char* treatment;
};

const Finish kZinc{"ZN", "zincata", "zincato", "zinc plated", "ACC", "ZN", "Acciaio 8.8", "Zincatura bianca"};
const Finish kInox{"A2", "inox A2", "inox A2", "stainless A2", "INOX", "A2", "Acciaio inox A2", "Naturale"};
const Finish kBlack{"BR", "brunita", "brunito", "black oxide", "ACC", "BR", "Acciaio 8.8", "Brunitura"};

std::string format(const char* pattern, auto... values) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, pattern, values...);
  return buffer;
}

Decimal decimal(double value, int scale) {
  double factor = 1;
  for (int i = 0; i < scale; ++i) factor *= 10;
  double scaled = value * factor;
  return Decimal{static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5), static_cast<std::uint8_t>(scale)};
}

std::vector<Item> companyOneItems() {
  std::vector<Item> items;
  auto add = [&](Item item) { items.push_back(std::move(item)); };

  // Screws.
  for (const Finish* finish : {&kZinc, &kInox, &kBlack}) {
    for (int d : {6, 8, 10, 12}) {
      for (int l : {20, 30, 40, 50, 60}) {
        add({.code = format("VITE-TE-M%dX%d-%s", d, l, finish->code),
             .description = format("Vite TE M%dx%d %s", d, l, finish->feminine),
             .english = format("Hex head screw M%dx%d %s", d, l, finish->english),
             .family = "VIT", .subfamily = "TE", .group = finish->group, .subgroup = finish->subgroup,
             .productType = "AC", .origin = "AC", .brand = d <= 8 ? "FISSAFER" : "VITEK", .customs = "73181558",
             .stat1 = "NORM", .weight = 0.0062 * d * d * l / 100.0, .material = finish->material,
             .finish = finish->treatment, .norm = "UNI 5739"});
      }
    }
  }
  for (const Finish* finish : {&kZinc, &kInox}) {
    for (int d : {4, 5, 6, 8}) {
      for (int l : {10, 16, 20, 25, 30}) {
        add({.code = format("VITE-TCEI-M%dX%d-%s", d, l, finish->code),
             .description = format("Vite TCEI M%dx%d %s", d, l, finish->feminine),
             .family = "VIT", .subfamily = "TCEI", .group = finish->group, .subgroup = finish->subgroup,
             .productType = "AC", .origin = "AC", .brand = "VITEK", .customs = "73181558", .stat1 = "NORM",
             .weight = 0.0065 * d * d * l / 100.0, .material = finish->material, .finish = finish->treatment,
             .norm = "UNI 5931"});
      }
    }
  }
  for (const char* d : {"3.5", "4.2", "4.8"}) {
    for (int l : {13, 19, 25, 32}) {
      add({.code = format("VITE-AF-%sX%d", d, l), .description = format("Vite autofilettante %sx%d zincata", d, l),
           .family = "VIT", .subfamily = "AUTF", .group = "ACC", .subgroup = "ZN", .productType = "AC",
           .origin = "AC", .brand = "FISSAFER", .customs = "73181410", .stat1 = "NORM", .weight = 0.0004 * l,
           .material = "Acciaio", .finish = "Zincatura bianca", .norm = "UNI 6954"});
    }
  }
  // Bolts and nuts.
  for (const char* grade : {"8.8", "10.9"}) {
    for (int d : {8, 10, 12, 16}) {
      for (int l : {40, 60, 80}) {
        bool high = grade[0] == '1';
        add({.code = format("BULL-M%dX%d-%s", d, l, high ? "109" : "88"),
             .description = format("Bullone esagonale M%dx%d classe %s", d, l, grade), .family = "BUL",
             .subfamily = "BULL", .group = "ACC", .subgroup = high ? "109" : "88", .productType = "AC",
             .origin = "AC", .brand = "FISSAFER", .customs = "73181595", .stat1 = "NORM",
             .weight = 0.0075 * d * d * l / 100.0, .material = high ? "Acciaio 10.9" : "Acciaio 8.8",
             .finish = "Zincatura bianca", .norm = "UNI 5737"});
      }
    }
  }
  for (const Finish* finish : {&kZinc, &kInox}) {
    for (int d : {5, 6, 8, 10, 12, 16}) {
      add({.code = format("DADO-M%d-%s", d, finish->code), .description = format("Dado esagonale M%d %s", d, finish->masculine),
           .family = "BUL", .subfamily = "DADI", .group = finish->group, .subgroup = finish->subgroup,
           .productType = "AC", .origin = "AC", .brand = "VITEK", .customs = "73181630", .stat1 = "NORM",
           .weight = 0.0011 * d * d / 10.0, .material = finish->material, .finish = finish->treatment,
           .norm = "UNI 5588"});
    }
  }
  for (int d : {4, 5, 6, 8, 10, 12}) {
    add({.code = format("DADO-AB-M%d", d), .description = format("Dado autobloccante M%d zincato", d), .family = "BUL",
         .subfamily = "DADI", .group = "ACC", .subgroup = "ZN", .productType = "AC", .origin = "AC", .brand = "VITEK",
         .customs = "73181630", .stat1 = "NORM", .weight = 0.0013 * d * d / 10.0, .material = "Acciaio",
         .finish = "Zincatura bianca", .norm = "UNI 7473"});
  }
  // Washers.
  for (const Finish* finish : {&kZinc, &kInox}) {
    for (int d : {4, 5, 6, 8, 10, 12, 16}) {
      add({.code = format("ROND-P-M%d-%s", d, finish->code), .description = format("Rondella piana M%d %s", d, finish->feminine),
           .family = "RON", .subfamily = "PIAN", .group = finish->group, .subgroup = finish->subgroup,
           .productType = "AC", .origin = "AC", .brand = "FISSAFER", .customs = "73182200", .stat1 = "NORM",
           .weight = 0.0002 * d * d / 10.0, .material = finish->material, .finish = finish->treatment,
           .norm = "UNI 6592"});
    }
  }
  for (int d : {4, 5, 6, 8, 10, 12, 16}) {
    add({.code = format("ROND-G-M%d", d), .description = format("Rondella elastica grower M%d", d), .family = "RON",
         .subfamily = "ELAS", .group = "ACC", .subgroup = "BR", .productType = "AC", .origin = "AC",
         .brand = "FISSAFER", .customs = "73182100", .stat1 = "NORM", .weight = 0.0003 * d * d / 10.0,
         .material = "Acciaio per molle", .finish = "Brunitura", .norm = "UNI 1751"});
  }
  // Tools.
  for (int d : {3, 4, 5, 6, 8, 10, 12}) {
    add({.code = format("PUNTA-HSS-D%d", d), .description = format("Punta elicoidale HSS diametro %d mm", d),
         .family = "UTE", .subfamily = "PUNT", .group = "HSS", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "UTENSIL", .customs = "82075030", .stat1 = "SPCL", .weight = 0.002 * d * d / 10.0});
  }
  for (int d : {4, 6, 8, 10, 12, 16}) {
    add({.code = format("FRESA-MD-D%d", d), .description = format("Fresa a candela in metallo duro diametro %d mm", d),
         .family = "UTE", .subfamily = "FRES", .group = "MD", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "UTENSIL", .customs = "82077010", .stat1 = "SPCL", .weight = 0.003 * d * d / 10.0});
  }
  for (int d : {3, 4, 5, 6, 8, 10, 12}) {
    add({.code = format("MASCH-M%d", d), .description = format("Maschio a mano M%d serie 3 pezzi", d), .family = "UTE",
         .subfamily = "MASC", .group = "HSS", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "UTENSIL", .customs = "82074010", .stat1 = "SPCL", .weight = 0.004 * d});
  }
  for (int s : {8, 10, 13, 17, 19}) {
    add({.code = format("CHIAVE-C%d", s), .description = format("Chiave combinata %d mm qualità professionale", s),
         .family = "UTE", .subfamily = "CHIA", .group = "ACC", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "UTENSIL", .customs = "82041100", .stat1 = "SPCL", .weight = 0.01 * s});
  }
  // Electrical material.
  struct Colour {
    const char* code;
    const char* name;
  };
  for (const char* section : {"1.5", "2.5", "4", "6"}) {
    for (Colour colour : {Colour{"NE", "nero"}, Colour{"BL", "blu"}, Colour{"GV", "giallo-verde"}, Colour{"MA", "marrone"}}) {
      add({.code = format("CAVO-FS17-%s-%s", section, colour.code),
           .description = format("Cavo unipolare FS17 %s mmq %s", section, colour.name), .family = "ELE",
           .subfamily = "CAVI", .group = "CU", .subgroup = "NAT", .productType = "SL", .origin = "CL", .unit = "MT",
           .brand = "ELETTRA", .customs = "85444995", .stat1 = "CONS", .weight = 0.012 * std::atof(section)});
    }
  }
  for (int a : {6, 10, 16, 20, 25, 32}) {
    add({.code = format("MTERM-1PN-%dA", a), .description = format("Interruttore magnetotermico 1P+N %d A", a),
         .family = "ELE", .subfamily = "PROT", .group = "PLA", .subgroup = "NAT", .productType = "PF", .origin = "PR",
         .brand = "ELETTRA", .customs = "85362010", .stat1 = "SPCL", .weight = 0.2});
  }
  for (int p : {2, 3, 5}) {
    add({.code = format("MORS-MOLLA-%dP", p), .description = format("Morsetto a molla %d poli", p), .family = "ELE",
         .subfamily = "MORS", .group = "PLA", .subgroup = "NAT", .productType = "SL", .origin = "AC",
         .brand = "ELETTRA", .customs = "85369010", .stat1 = "CONS", .weight = 0.01 * p});
  }
  for (const char* size : {"25X30", "40X40", "60X60"}) {
    add({.code = format("CANAL-%s", size), .description = format("Canalina in PVC %s mm barra 2 m", size),
         .family = "ELE", .subfamily = "CANA", .group = "PLA", .subgroup = "NAT", .productType = "SL", .origin = "AC",
         .unit = "MT", .brand = "ELETTRA", .customs = "39259080", .stat1 = "CONS", .weight = 0.4});
  }
  // Plumbing.
  struct Size {
    const char* code;
    const char* name;
  };
  for (Size size : {Size{"12", "1/2"}, Size{"34", "3/4"}, Size{"1", "1"}, Size{"114", "1 1/4"}}) {
    add({.code = format("VALV-SF-%s", size.code), .description = format("Valvola a sfera in ottone %s pollice", size.name),
         .family = "IDR", .subfamily = "VALV", .group = "OTT", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "IDROTEC", .customs = "84818081", .stat1 = "SPCL", .weight = 0.3});
  }
  for (Size size : {Size{"12", "1/2"}, Size{"34", "3/4"}, Size{"1", "1"}}) {
    add({.code = format("RACC-GOM-%s", size.code), .description = format("Raccordo a gomito in ottone %s pollice", size.name),
         .family = "IDR", .subfamily = "RACC", .group = "OTT", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "IDROTEC", .customs = "74122000", .stat1 = "NORM", .weight = 0.12});
  }
  for (int d : {16, 20, 26}) {
    add({.code = format("TUBO-MS-%d", d), .description = format("Tubo multistrato diametro %d mm rotolo 100 m", d),
         .family = "IDR", .subfamily = "TUBI", .group = "PLA", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .unit = "MT", .brand = "IDROTEC", .customs = "39172290", .stat1 = "CONS", .weight = 0.1});
  }
  for (const char* size : {"10X2", "15X2", "20X3", "25X3", "30X3", "40X4"}) {
    add({.code = format("OR-NBR-%s", size), .description = format("Guarnizione OR in NBR %s", size), .family = "IDR",
         .subfamily = "GUAR", .group = "GOMM", .subgroup = "NAT", .productType = "AC", .origin = "AC",
         .brand = "IDROTEC", .customs = "40169300", .stat1 = "CONS", .weight = 0.002});
  }
  // Paints.
  for (Colour colour : {Colour{"BI", "bianco"}, Colour{"NE", "nero"}, Colour{"RO", "rosso"}, Colour{"VE", "verde"},
                        Colour{"BL", "blu"}, Colour{"GR", "grigio"}}) {
    for (Size can : {Size{"075", "0,75 l"}, Size{"250", "2,5 l"}}) {
      add({.code = format("SMALTO-%s-%s", colour.code, can.code),
           .description = format("Smalto sintetico %s latta %s", colour.name, can.name), .family = "VER",
           .subfamily = "SMAL", .group = "CHIM", .subgroup = "NAT", .productType = "MP", .origin = "AC", .unit = "NR",
           .brand = "COLORIT", .customs = "32089091", .stat1 = "CONS", .weight = can.code[0] == '0' ? 0.9 : 3.0});
    }
  }
  for (Size can : {Size{"075", "0,75 l"}, Size{"250", "2,5 l"}}) {
    add({.code = format("FONDO-AR-%s", can.code), .description = format("Fondo antiruggine grigio latta %s", can.name),
         .family = "VER", .subfamily = "FOND", .group = "CHIM", .subgroup = "NAT", .productType = "MP", .origin = "AC",
         .unit = "NR", .brand = "COLORIT", .customs = "32089091", .stat1 = "CONS", .weight = can.code[0] == '0' ? 1.0 : 3.2});
  }
  for (Size can : {Size{"1", "1 l"}, Size{"5", "5 l"}}) {
    add({.code = format("DILUENTE-NITRO-%s", can.code), .description = format("Diluente nitro tanica %s", can.name),
         .family = "VER", .subfamily = "DILU", .group = "CHIM", .subgroup = "NAT", .productType = "MP", .origin = "AC",
         .unit = "NR", .brand = "COLORIT", .customs = "38140090", .stat1 = "CONS", .weight = can.code[0] == '1' ? 0.9 : 4.4});
  }
  // Packaging.
  for (const char* size : {"300X200X150", "400X300X200", "600X400X400"}) {
    add({.code = format("SCAT-%s", size), .description = format("Scatola in cartone onda doppia %s", size),
         .family = "IMB", .subfamily = "SCAT", .group = "CART", .subgroup = "NAT", .productType = "IM", .origin = "AC",
         .brand = "PACKLINE", .customs = "48191000", .stat1 = "CONS", .weight = 0.3});
  }
  add({.code = "PALLET-EPAL", .description = "Pallet EPAL 1200x800", .family = "IMB", .subfamily = "PALL",
       .group = "LEGN", .subgroup = "NAT", .productType = "IM", .origin = "AC", .brand = "PACKLINE",
       .customs = "44152020", .stat1 = "CONS", .weight = 25});
  for (int micron : {17, 23}) {
    add({.code = format("FILM-EST-%d", micron), .description = format("Film estensibile %d micron bobina 300 m", micron),
         .family = "IMB", .subfamily = "FILM", .group = "PLA", .subgroup = "NAT", .productType = "IM", .origin = "AC",
         .unit = "NR", .brand = "PACKLINE", .customs = "39202080", .stat1 = "CONS", .weight = 2.5});
  }
  for (Colour colour : {Colour{"AV", "avana"}, Colour{"TR", "trasparente"}}) {
    add({.code = format("NASTRO-%s-50", colour.code), .description = format("Nastro adesivo %s 50 mm x 66 m", colour.name),
         .family = "IMB", .subfamily = "NAST", .group = "PLA", .subgroup = "NAT", .productType = "IM", .origin = "AC",
         .unit = "NR", .brand = "PACKLINE", .customs = "39191080", .stat1 = "CONS", .weight = 0.25});
  }
  // Raw materials: no brand, which the purchasing body requires.
  for (int d : {10, 20, 30, 40, 50}) {
    add({.code = format("BARRA-C40-D%d", d), .description = format("Barra tonda acciaio C40 diametro %d mm", d),
         .family = "MPR", .subfamily = "BARR", .group = "ACC", .subgroup = "NAT", .productType = "MP", .origin = "AC",
         .unit = "KG", .customs = "72155000", .stat1 = "CONS", .weight = 1});
  }
  for (int s : {1, 2, 3}) {
    add({.code = format("LAMIERA-AL-S%d", s), .description = format("Lamiera in alluminio spessore %d mm", s),
         .family = "MPR", .subfamily = "LAMI", .group = "ALL", .subgroup = "NAT", .productType = "MP", .origin = "AC",
         .unit = "KG", .customs = "76061292", .stat1 = "CONS", .weight = 1});
  }
  for (Colour colour : {Colour{"NA", "naturale"}, Colour{"NE", "nero"}}) {
    add({.code = format("GRANULO-PP-%s", colour.code), .description = format("Granulo di polipropilene %s", colour.name),
         .family = "MPR", .subfamily = "GRAN", .group = "PLA", .subgroup = "NAT", .productType = "MP", .origin = "AC",
         .unit = "KG", .brand = "POLIMERI", .customs = "39021000", .stat1 = "CONS", .weight = 1});
  }
  // Fictitious items: charges, not goods; no classification and no production data.
  add({.code = "SPESE-TRASPORTO", .description = "Spese di trasporto", .unit = "NR", .fictitious = true});
  add({.code = "ART-GENERICO", .description = "Articolo generico (descrizione libera)", .fictitious = true});

  // States by position: every state, with draft and active items the most common.
  static constexpr int kStateCycle[] = {10, 10, 20, 40, 30, 10, 20, 40, 40, 50, 20, 30};
  for (std::size_t i = 0; i < items.size(); ++i) items[i].state = kStateCycle[i % std::size(kStateCycle)];
  return items;
}

// Company 2 repeats the first hex-head screws and bolts of company 1 under the same codes;
// its classification is hierarchical, so sub-family "TE" exists under two families.
std::vector<Item> companyTwoItems(const std::vector<Item>& companyOne) {
  std::vector<Item> items;
  int taken = 0;
  for (const Item& source : companyOne) {
    if (source.subfamily == nullptr) continue;
    bool screw = std::string_view(source.subfamily) == "TE" && taken < 20;
    bool bolt = std::string_view(source.subfamily) == "BULL" && taken >= 20 && taken < 30;
    if (!screw && !bolt) continue;
    Item item = source;
    item.company = 2;
    item.english.clear();
    item.subfamily = "TE";
    if (bolt) item.subgroup = "ZN";
    static constexpr int kStates[] = {10, 20, 40};
    item.state = kStates[taken % 3];
    items.push_back(std::move(item));
    ++taken;
  }
  return items;
}

struct Coded {
  const char* code;
  const char* description;
};

void writeCompanies(RowSink& sink) {
  auto& companies = sink.table("CG18_ANADITTABASE", {"CG18_DITTA", "CG18_RAGSOC", "CG18_PARTIVA", "CG18_CLASSGERARCHICA"});
  companies.insert({1, "Ferramenta Lombarda S.p.A.", "IT01234560157", "0"});
  companies.insert({2, "Meccanica Nord S.r.l.", "IT09876540961", "1"});
}

void writeClassifications(RowSink& sink) {
  auto simple = [&](const char* table, const char* prefix, const char* codeColumn, int company,
                    std::initializer_list<Coded> rows) {
    auto& t = sink.table(table, {std::string(prefix) + "_DITTA_CG18", std::string(prefix) + "_" + codeColumn,
                                 std::string(prefix) + "_DESCR"});
    for (const Coded& row : rows) t.insert({company, row.code, row.description});
  };
  for (int company : {1, 2}) {
    simple("PD20_TIPIPROD", "PD20", "TIPOPROD", company,
           {{"AC", "Articolo commerciale"}, {"PF", "Prodotto finito"}, {"SL", "Semilavorato"},
            {"MP", "Materia prima"}, {"IM", "Imballo"}});
    simple("PD21_PROVENIENZE", "PD21", "CODPROV", company,
           {{"AC", "Acquisto"}, {"PR", "Produzione interna"}, {"CL", "Conto lavoro"}});
    simple("MG53_FAMIGLIE", "MG53", "CODFAM", company,
           {{"VIT", "Viteria"}, {"BUL", "Bulloneria e dadi"}, {"RON", "Rondelle"}, {"UTE", "Utensileria"},
            {"ELE", "Materiale elettrico"}, {"IDR", "Idraulica"}, {"VER", "Vernici e diluenti"},
            {"IMB", "Imballaggi"}, {"MPR", "Materie prime"}, {"SIC", "Antinfortunistica"}});
    simple("MG64_MARCHE", "MG64", "CODMARCA", company,
           {{"FISSAFER", "Fissafer"}, {"VITEK", "Vitek"}, {"UTENSIL", "Utensil Pro"}, {"ELETTRA", "Elettra"},
            {"IDROTEC", "Idrotec"}, {"COLORIT", "Colorit"}, {"PACKLINE", "Packline"}, {"POLIMERI", "Polimeri Italia"}});
    simple("MG74_GRUSTAT1", "MG74", "CODGRUSTAT", company,
           {{"NORM", "Normalizzati"}, {"SPCL", "Speciali"}, {"CONS", "Materiale di consumo"}});
    simple("MG75_GRUSTAT2", "MG75", "CODGRUSTAT", company,
           {{"A", "Classe A - alta rotazione"}, {"B", "Classe B - media rotazione"}, {"C", "Classe C - bassa rotazione"}});
    simple("MG76_GRUSTAT3", "MG76", "CODGRUSTAT", company,
           {{"NAZ", "Fornitura nazionale"}, {"UE", "Fornitura comunitaria"}, {"EXTR", "Fornitura extra UE"}});
    simple("MG77_GRUSTAT4", "MG77", "CODGRUSTAT", company,
           {{"2023", "Introdotto nel 2023"}, {"2024", "Introdotto nel 2024"}, {"2025", "Introdotto nel 2025"}});
  }
  auto& fiscal = sink.table("MG61_GRUPPIFISCALI", {"MG61_DITTA_CG18", "MG61_CODGRUPFIS", "MG61_DESCR", "MG61_ALIQIVA"});
  for (int company : {1, 2}) {
    fiscal.insert({company, "IVA22", "Aliquota ordinaria 22%", Decimal{2200, 2}});
    fiscal.insert({company, "IVA10", "Aliquota ridotta 10%", Decimal{1000, 2}});
    fiscal.insert({company, "IVA4", "Aliquota minima 4%", Decimal{400, 2}});
    fiscal.insert({company, "ESENTE", "Esente art. 10", Decimal{0, 2}});
  }

  // Company 1: independent codes, parents left empty.
  auto& subfamilies = sink.table("MG54_SOTTOFAMIGLIE", {"MG54_DITTA_CG18", "MG54_CODFAM_MG53", "MG54_CODSFAM", "MG54_DESCR"});
  for (Coded row : {Coded{"TE", "Testa esagonale"}, Coded{"TCEI", "Testa cilindrica esagono incassato"},
                    Coded{"AUTF", "Autofilettanti"}, Coded{"BULL", "Bulloni"}, Coded{"DADI", "Dadi"},
                    Coded{"PIAN", "Rondelle piane"}, Coded{"ELAS", "Rondelle elastiche"}, Coded{"PUNT", "Punte"},
                    Coded{"FRES", "Frese"}, Coded{"MASC", "Maschi"}, Coded{"CHIA", "Chiavi"}, Coded{"CAVI", "Cavi"},
                    Coded{"PROT", "Protezione circuiti"}, Coded{"MORS", "Morsetti"}, Coded{"CANA", "Canaline"},
                    Coded{"VALV", "Valvole"}, Coded{"RACC", "Raccordi"}, Coded{"TUBI", "Tubi"},
                    Coded{"GUAR", "Guarnizioni"}, Coded{"SMAL", "Smalti"}, Coded{"FOND", "Fondi"},
                    Coded{"DILU", "Diluenti"}, Coded{"SCAT", "Scatole"}, Coded{"PALL", "Pallet"},
                    Coded{"FILM", "Film"}, Coded{"NAST", "Nastri adesivi"}, Coded{"BARR", "Barre"},
                    Coded{"LAMI", "Lamiere"}, Coded{"GRAN", "Granuli"}}) {
    subfamilies.insert({1, "", row.code, row.description});
  }
  auto& groups = sink.table("MG55_GRUPPI", {"MG55_DITTA_CG18", "MG55_CODFAM_MG53", "MG55_CODSFAM_MG54", "MG55_CODGRUPPO", "MG55_DESCR"});
  for (Coded row : {Coded{"ACC", "Acciaio"}, Coded{"INOX", "Acciaio inossidabile"}, Coded{"HSS", "Acciaio rapido"},
                    Coded{"MD", "Metallo duro"}, Coded{"CU", "Rame"}, Coded{"PLA", "Materie plastiche"},
                    Coded{"OTT", "Ottone"}, Coded{"GOMM", "Gomma"}, Coded{"CHIM", "Prodotti chimici"},
                    Coded{"CART", "Cartone"}, Coded{"LEGN", "Legno"}, Coded{"ALL", "Alluminio"}}) {
    groups.insert({1, "", "", row.code, row.description});
  }
  auto& subgroups = sink.table("MG56_SOTTOGRUPPI", {"MG56_DITTA_CG18", "MG56_CODFAM_MG53", "MG56_CODSFAM_MG54",
                                                    "MG56_CODGRUPPO_MG55", "MG56_CODSGRUPPO", "MG56_DESCR"});
  for (Coded row : {Coded{"ZN", "Zincato"}, Coded{"A2", "Inox A2"}, Coded{"BR", "Brunito"}, Coded{"NAT", "Naturale"},
                    Coded{"88", "Classe 8.8"}, Coded{"109", "Classe 10.9"}}) {
    subgroups.insert({1, "", "", "", row.code, row.description});
  }

  // Company 2: hierarchical codes; "TE" is a sub-family of both screws and bolts.
  subfamilies.insert({2, "VIT", "TE", "Viti a testa esagonale"});
  subfamilies.insert({2, "VIT", "TCEI", "Viti a testa cilindrica"});
  subfamilies.insert({2, "BUL", "TE", "Bulloni a testa esagonale"});
  groups.insert({2, "VIT", "TE", "ACC", "Viti TE in acciaio"});
  groups.insert({2, "VIT", "TE", "INOX", "Viti TE in acciaio inox"});
  groups.insert({2, "BUL", "TE", "ACC", "Bulloni TE in acciaio"});
  subgroups.insert({2, "VIT", "TE", "ACC", "ZN", "Viti TE acciaio zincate"});
  subgroups.insert({2, "VIT", "TE", "ACC", "BR", "Viti TE acciaio brunite"});
  subgroups.insert({2, "VIT", "TE", "INOX", "A2", "Viti TE inox A2"});
  subgroups.insert({2, "BUL", "TE", "ACC", "ZN", "Bulloni TE acciaio zincati"});
}

void writeUsers(RowSink& sink) {
  auto& users = sink.table("FW07_APPUSER", {"FW07_CODICE", "FW07_DESCRIZIONE", "FW07_EMAIL", "FW07_FLGATTIVO",
                                            "FW07_FLGSTATILIMITATI"});
  auto& states = sink.table("FW09_STATIUTENTE", {"FW09_ID_FW07", "FW09_INDSTATO_MG6W"});
  for (std::size_t i = 0; i < kUsers.size(); ++i) {
    const DemoUser& user = kUsers[i];
    std::string mail = user.code;
    for (char& c : mail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    users.insert({user.code, user.name, mail + "@ferramentalombarda.example", user.active ? 1 : 0,
                  user.onlyStates.empty() ? 0 : 1});
    for (int state : user.onlyStates) states.insert({static_cast<int>(i) + 1, state});
  }
  auto& groups = sink.table("FW06_GROUPUSR", {"FW06_CODICE", "FW06_DESCRIZIONE"});
  auto& members = sink.table("FW00_GRPUSRASSOC", {"FW00_ID_FW06", "FW00_ID_FW07"});
  for (std::size_t i = 0; i < kGroups.size(); ++i) {
    groups.insert({kGroups[i].code, kGroups[i].description});
    for (int user : kGroups[i].members) members.insert({static_cast<int>(i) + 1, user});
  }
}

std::string guidOf(const Item& item, std::size_t index) {
  return format("%08X-0000-4000-8000-%012zX", item.company, index + 1);
}

Variant text(const char* value) { return value ? Variant(value) : kNull; }

// Writes items with their descriptions, production and warehouse data, parametric states and
// attributes. Gaps come from the position, each with its own period, so they combine freely.
void writeItems(RowSink& sink, const std::vector<Item>& items) {
  auto& master = sink.table("MG66_ANAGRART",
                            {"MG66_DITTA_CG18", "MG66_CODART", "MG66_INDSTATO_MG6W", "MG66_FAM_MG53", "MG66_SFAM_MG54",
                             "MG66_GRUPPO_MG55", "MG66_SGRUPPO_MG56", "MG66_MARCA_MG64", "MG66_GRUPFIS_MG61",
                             "MG66_GRUSTAT1_MG74", "MG66_GRUSTAT2_MG75", "MG66_GRUSTAT3_MG76", "MG66_GRUSTAT4_MG77",
                             "MG66_GUID", "MG66_CODINTERNO", "MG66_INDFITTIZIO", "MG66_UMBASE", "MG66_PESONETTO",
                             "MG66_PESOLORDO", "MG66_VOLUME", "MG66_LUNGHEZZA", "MG66_LARGHEZZA", "MG66_ALTEZZA",
                             "MG66_BARCODE", "MG66_NOMENCLATURA", "MG66_NOTE", "MG66_FLGLOTTI", "MG66_FLGSCADENZA",
                             "MG66_DATAINS", "MG66_DATAULTMOD"});
  auto& descriptions = sink.table("MG87_ARTDESC", {"MG87_DITTA_CG18", "MG87_CODART_MG66", "MG87_OPZIONE_MG5E",
                                                   "MG87_LINGUA_MG52", "MG87_DESCART", "MG87_DESCESTESA"});
  auto& production = sink.table("PD18_ARTPROD", {"PD18_DITTA_CG18", "PD18_CODART_MG66", "PD18_TIPOPROD_PD20",
                                                 "PD18_CODPROV_PD21", "PD18_INDREVDISBA", "PD18_CODDISBA",
                                                 "PD18_LEADTIME", "PD18_LOTTORIORDINO", "PD18_LOTTOMINIMO"});
  auto& warehouse = sink.table("MG6M_ARTMAG",
                               {"MG6M_DITTA_CG18", "MG6M_CODART_MG66", "MG6M_SCORTA", "MG6M_PUNTORIORDINO",
                                "MG6M_UBICAZIONE", "MG6M_FLGLOTTI", "MG6M_FLGSCAD", "MG6M_FLGSERNUM", "MG6M_FLGPALLETS",
                                "MG6M_FLGBAGNOMAT", "MG6M_FLGESCLCONF", "MG6M_INDSCADLOTTO", "MG6M_SHELFLIFE",
                                "MG6M_INDUMSHELFLIFE", "MG6M_RETEST", "MG6M_INDUMRETEST", "MG6M_ANTICIPOSCAD",
                                "MG6M_INDUMANTICIPOSCAD", "MG6M_ANTICIPORETEST", "MG6M_INDUMANTICIPORETEST"});
  auto& parametric = sink.table("MG6S_STATIPARAM", {"MG6S_GUID_MG66", "MG6S_IDSTATO", "MG6S_DATAORA"});
  auto& attributes = sink.table("CO5L_ATTRIBUTIDEN", {"CO5L_GUID", "CO5L_MATERIALE", "CO5L_FINITURA", "CO5L_COLORE",
                                                      "CO5L_NORMA", "CO5L_CLASSERESISTENZA"});
  static constexpr const char* kAbc[] = {"A", "B", "C"};
  static constexpr const char* kSupply[] = {"NAZ", "NAZ", "UE", "NAZ", "EXTR"};
  static constexpr const char* kYear[] = {"2023", "2024", "2025", "2024"};

  for (std::size_t index = 0; index < items.size(); ++index) {
    const Item& item = items[index];
    const int i = static_cast<int>(index);
    const bool goods = !item.fictitious;
    std::string guid = guidOf(item, index);
    std::string family = item.family ? item.family : "";
    bool paint = family == "VER";

    Variant weight = kNull;
    if (goods && i % 9 != 4) weight = i % 11 == 7 ? Decimal{0, 3} : decimal(item.weight, 3);
    Variant gross = goods ? Variant(decimal(item.weight * 1.05 + 0.01, 3)) : kNull;
    Variant volume = kNull;
    if (goods && i % 8 != 5) volume = i % 10 == 3 ? Decimal{0, 3} : decimal(0.05 + (i % 40) * 0.125, 3);
    Variant barcode = goods && i % 5 != 3 ? Variant(format("80%011d", 12345 + i * 7919 % 99999999)) : kNull;
    Variant unit = i % 23 == 5 ? kNull : Variant(item.unit);
    Variant customs = goods && i % 7 != 2 ? text(item.customs) : kNull;
    Variant fiscal = goods && i % 13 != 6 ? Variant("IVA22") : kNull;
    Variant notes = kNull;
    if (item.state == 50 && i % 2 == 1) notes = "Sostituito da nuovo codice a catalogo; scorte da esaurire";
    Variant internal = goods && i % 4 != 0 ? Variant(format("I%06d", 100000 + i)) : kNull;
    Date inserted = Date::fromParts(2023 + i % 3, 1 + i % 12, 1 + i % 28, 8 + i % 9, (i * 7) % 60, 0);
    Date changed = Date::fromParts(2025, 1 + i % 6, 1 + (i * 3) % 28, 9, (i * 11) % 60, 0);

    master.insert({item.company, item.code, item.state, text(item.family), text(item.subfamily), text(item.group),
                   text(item.subgroup), text(item.brand), fiscal, text(item.stat1),
                   goods ? Variant(kAbc[i % 3]) : kNull, goods ? Variant(kSupply[i % 5]) : kNull,
                   goods ? Variant(kYear[i % 4]) : kNull, guid, internal, item.fictitious ? 1 : 0, unit, weight,
                   gross, volume, goods ? Variant(decimal(20 + i % 50 * 4.5, 2)) : kNull,
                   goods ? Variant(decimal(10 + i % 30 * 2.5, 2)) : kNull,
                   goods ? Variant(decimal(5 + i % 20 * 1.5, 2)) : kNull, barcode, customs, notes,
                   paint ? 1 : 0, paint ? 1 : 0, inserted, changed});

    Variant extended = kNull;
    if (i % 7 != 3) extended = item.description + " - scheda completa nel catalogo tecnico";
    descriptions.insert({item.company, item.code, "", "", item.description, extended});
    if (!item.english.empty()) descriptions.insert({item.company, item.code, "", "EN", item.english, kNull});

    if (goods && i % 37 != 36) {
      std::string type = item.productType ? item.productType : "";
      bool built = type == "PF" || type == "SL";
      Variant lead = kNull;
      if (i % 8 != 3) lead = i % 10 == 7 ? 0 : 5 + i % 20;
      Variant lot = i % 9 == 2 ? Variant(Decimal{0, 3}) : Variant(Decimal{100000 * (1 + i % 5), 3});
      production.insert({item.company, item.code, text(item.productType), text(item.origin),
                         built && i % 2 == 0 ? 1 : 0, built ? Variant("DB-" + item.code) : kNull, lead, lot,
                         Decimal{10000 * (1 + i % 3), 3}});
    }

    if (goods && i % 13 != 12) {
      std::string subfamily = item.subfamily ? item.subfamily : "";
      Variant stock = i % 4 == 1 ? Decimal{0, 3} : Decimal{10000 * (1 + i % 7), 3};
      Variant reorder = i % 5 == 0 ? Decimal{0, 3} : Decimal{25000 * (1 + i % 7), 3};
      Variant location = i % 6 == 5 ? kNull : Variant(format("A%02d-%02d-%d", 1 + i % 24, 1 + i % 12, 1 + i % 4));
      bool lots = paint || family == "MPR";
      warehouse.insert({item.company, item.code, stock, reorder, location, lots ? 1 : 0, paint ? 1 : 0,
                        subfamily == "PROT" ? 1 : 0, family == "IMB" ? 1 : 0, subfamily == "CAVI" ? 1 : 0,
                        i % 17 == 0 ? 1 : 0, paint ? 1 : 99, paint ? Variant(24) : kNull, paint ? 1 : 0,
                        subfamily == "GRAN" ? Variant(6) : kNull, subfamily == "GRAN" ? 1 : 0,
                        paint ? Variant(30) : kNull, 0, subfamily == "GRAN" ? Variant(15) : kNull, 0});
    }

    if (i % 4 == 2) parametric.insert({guid, 1 + i % 3, changed});
    if (item.material || paint) {
      attributes.insert({guid, text(item.material), text(item.finish), paint ? Variant("Vedi descrizione") : kNull,
                         text(item.norm), kNull});
    }
  }
}

// Ids of what writeBodies wrote: per body, its id, and per field and association theirs.
struct BodyIds {
  int body = 0;
  std::vector<int> fields;        // MG0P_ID per DemoBody::fields
  std::vector<int> associations;  // MG0Q_ID per DemoBody::associations
};

std::vector<BodyIds> writeBodies(RowSink& sink) {
  auto& bodies = sink.table("MG0M_ARGOMENTI_PASSAGGI",
                            {"MG0M_DITTA_CG18", "MG0M_ARGOMENTO", "MG0M_DESCARGOMENTO", "MG0M_TIPO_RESPONSABILE",
                             "MG0M_UTENTE_FW07", "MG0M_GRUPPO_FW06", "MG0M_STATOINI_MG6W", "MG0M_STATOFIN_MG6W"});
  auto& fields = sink.table("MG0P_CAMPIARG_PASSAGGI",
                            {"MG0P_ARGOMENTO_MG0M", "MG0P_CAMPO_MG0O", "MG0P_VALORE_OBBLIGATORIO", "MG0P_INDVALZERO",
                             "MG0P_VALIDAZ_MANUALE", "MG0P_KEY_GRID"});
  auto& associations = sink.table("MG0Q_ENTITARG_PASSAGGI",
                                  {"MG0Q_DITTA_CG18", "MG0Q_ARGOMENTO_MG0M", "MG0Q_TIPOPROD", "MG0Q_CODFAM_MG53",
                                   "MG0Q_MARCA_MG64", "MG0Q_KEY_GRID"});
  auto& exclusions = sink.table("MG0U_NOVALIDAZ_PASSAGGI", {"MG0U_IDENTITARG_MG0Q", "MG0U_IDCAMPOARG_MG0P"});

  std::vector<BodyIds> ids;
  int bodyId = 0, fieldId = 0, associationId = 0;
  for (const DemoBody& body : kBodies) {
    BodyIds current{++bodyId, {}, {}};
    bodies.insert({body.company, body.code, body.description, body.group ? 1 : 0,
                   body.user ? Variant(body.user) : kNull, body.group ? Variant(body.group) : kNull, body.startState,
                   body.endState});
    for (const DemoField& field : body.fields) {
      current.fields.push_back(++fieldId);
      fields.insert({bodyId, catalogueFieldId(field.field), field.required ? 1 : 0, field.zeroNotSignificant ? 1 : 0,
                     field.manual ? 1 : 0, gridKey(fieldId)});
    }
    for (const DemoAssociation& association : body.associations) {
      current.associations.push_back(++associationId);
      associations.insert({body.company, bodyId, text(association.productType), text(association.family),
                           text(association.brand), gridKey(associationId)});
      for (const char* excluded : association.excluded) {
        for (std::size_t f = 0; f < body.fields.size(); ++f) {
          if (std::string_view(body.fields[f].field) == excluded) exclusions.insert({associationId, current.fields[f]});
        }
      }
    }
    ids.push_back(std::move(current));
  }
  return ids;
}

bool sameCode(const char* a, const char* b) { return a && b && std::string_view(a) == b; }

// Whether a body governs an item: its start state, and an association matching the managed
// entities (product type and family for company 1, family alone for company 2).
bool governs(const DemoBody& body, const Item& item) {
  if (body.company != item.company || body.startState != item.state) return false;
  for (const DemoAssociation& association : body.associations) {
    bool typeMatches = item.company == 2 || sameCode(association.productType, item.productType);
    if (typeMatches && sameCode(association.family, item.family)) return true;
  }
  return false;
}

// Sign-offs for the items each body governs, in five patterns by position: all given, the
// last one missing, all withdrawn (0), the first one NULL, none at all. A missing required
// weight is also signed off on some items, which lets them pass.
void writeSignOffs(RowSink& sink, const std::vector<Item>& items, const std::vector<BodyIds>& ids) {
  auto& signOffs = sink.table("MG0R_VALIDAZMAN_PASSAGGI", {"MG0R_DITTA_CG18", "MG0R_CODART_MG66", "MG0R_ARGOMENTO_MG0M",
                                                           "MG0R_CAMPO_MG0O", "MG0R_VALIDATO"});
  for (std::size_t index = 0; index < items.size(); ++index) {
    const Item& item = items[index];
    const int i = static_cast<int>(index);
    for (std::size_t b = 0; b < kBodies.size(); ++b) {
      const DemoBody& body = kBodies[b];
      if (!governs(body, item)) continue;
      std::vector<int> manual;
      for (const DemoField& field : body.fields) {
        if (field.manual) manual.push_back(catalogueFieldId(field.field));
      }
      int pattern = (i * 7 + static_cast<int>(b) * 3) % 10;
      for (std::size_t m = 0; m < manual.size(); ++m) {
        Variant value = 1;
        if (pattern == 6 && m + 1 == manual.size()) continue;
        if (pattern == 7) value = 0;
        if (pattern == 8 && m == 0) value = kNull;
        if (pattern == 9) continue;
        signOffs.insert({item.company, item.code, ids[b].body, manual[m], value});
      }
      if (std::string_view(body.code) == "QUALITA" && i % 9 == 4 && i % 2 == 0) {
        signOffs.insert({item.company, item.code, ids[b].body, catalogueFieldId("MG66_PESONETTO"), 1});
      }
    }
  }
}

// A few past state changes, as the change-record object logs them.
void writeStateLog(RowSink& sink, const std::vector<Item>& items) {
  auto& log = sink.table("FW10_LOGSTATI", {"FW10_DITTA_CG18", "FW10_CODART_MG66", "FW10_STATOPREC", "FW10_STATONUOVO",
                                           "FW10_ID_FW07", "FW10_DATAORA", "FW10_DESCRIZIONE", "FW10_VALORI"});
  int written = 0;
  for (const Item& item : items) {
    if (item.state != 40 || item.company != 1 || written == 6) continue;
    ++written;
    log.insert({item.company, item.code, 30, 40, static_cast<int>(kNeri), Date::fromParts(2025, 3, 10 + written, 15, 20 + written, 0),
                "Modifica stato da Passaggio",
                "MG66_CODART=" + item.code + ";MG66_INDSTATO_MG6W=40"});
  }
}

}  // namespace

void writeDemo(RowSink& sink) {
  std::vector<Item> items = companyOneItems();
  std::vector<Item> second = companyTwoItems(items);
  items.insert(items.end(), second.begin(), second.end());

  writeCompanies(sink);
  writeItemStates(sink);
  writeClassifications(sink);
  writeUsers(sink);
  writeCatalogue(sink);
  writeManagedEntities(sink, 1, {"AZIENDA", "TIPO_PROD", "FAMIGLIA"});
  writeManagedEntities(sink, 2, {"AZIENDA", "FAMIGLIA"});
  writeItems(sink, items);
  std::vector<BodyIds> ids = writeBodies(sink);
  writeSignOffs(sink, items, ids);
  writeStateLog(sink, items);
  sink.flush();
}

void loadDemo(platform::db::Connection& connection) {
  for (const char* table : {"MG0M_ARGOMENTI_PASSAGGI", "MG66_ANAGRART", "FW07_APPUSER", "MG0O_CAMPI_PASSAGGI"}) {
    auto rows = connection.Open(std::string("SELECT COUNT(*) AS N FROM ") + table);
    if (rows->Field("N").toInteger() != 0) {
      throw std::runtime_error(std::string("i dati dimostrativi vanno in un database vuoto, ma ") + table + " contiene righe");
    }
  }
  ConnectionSink sink(connection);
  writeDemo(sink);
}

std::filesystem::path demoDatabasePath() {
  std::filesystem::path base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    throw std::runtime_error("né XDG_DATA_HOME né HOME sono impostate: nessun posto per il database dimostrativo");
  }
  return base / "passaggio" / "demo.db";
}

std::string ensureDemoDatabase() {
  std::filesystem::path path = demoDatabasePath();
  if (std::filesystem::exists(path)) return path.string();
  std::filesystem::create_directories(path.parent_path());
  try {
    createDemoDatabase(path, Existing::Refuse);
  } catch (const FileExistsError&) {
    // Another program created it meanwhile; its file is complete.
  }
  return path.string();
}

}  // namespace sql

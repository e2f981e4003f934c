// Look-up lists and decode queries run on the host database: known codes give their
// description, unknown ones no row, parents narrow hierarchical codes, and whatever the user
// types stays one literal.
#include <gmock/gmock.h>

#include "demo_fixture.h"
#include "platform/services/host_objects.h"
#include "platform/services/item_notifier.h"
#include "platform/services/lookups.h"

namespace platform::services::testing {
namespace {

using host::CodeKind;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

class LookupsTest : public DemoTest {
 protected:
  std::vector<std::string> column(const std::string& query, std::size_t index = 0) {
    std::vector<std::string> result;
    for (auto rows = db.Open(query); !rows->Eof(); rows->MoveNext()) result.push_back(rows->Field(index).toText());
    return result;
  }
  std::string decode(StandinGlobal& global, CodeKind kind, std::vector<std::string> parents, const std::string& code) {
    return value(global.Objects()->NewWarehouseDecode()->DecodeQuery(kind, parents, code));
  }
};

TEST_F(LookupsTest, EveryKindDecodesItsKnownCodesAndGivesNoRowForOthers) {
  auto global = signIn(1);
  struct Case {
    CodeKind kind;
    std::vector<std::string> parents;
    std::string code;
    std::string description;
  };
  const Case cases[] = {
      {CodeKind::Item, {}, "VITE-TE-M6X50-ZN", ""},
      {CodeKind::Family, {}, "VIT", "Viteria"},
      {CodeKind::SubFamily, {""}, "TCEI", "Testa cilindrica esagono incassato"},
      {CodeKind::Group, {"", ""}, "INOX", "Acciaio inossidabile"},
      {CodeKind::SubGroup, {"", "", ""}, "A2", "Inox A2"},
      {CodeKind::FiscalGroup, {}, "IVA22", "Aliquota ordinaria 22%"},
      {CodeKind::Brand, {}, "VITEK", "Vitek"},
      {CodeKind::Statistical1, {}, "NORM", "Normalizzati"},
      {CodeKind::Statistical2, {}, "B", "Classe B - media rotazione"},
      {CodeKind::Statistical3, {}, "UE", "Fornitura comunitaria"},
      {CodeKind::Statistical4, {}, "2024", "Introdotto nel 2024"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const std::string decoded = decode(*global, c.kind, c.parents, c.code);
    if (c.description.empty()) {
      EXPECT_NE(decoded, "<no row>");  // an item's description is generated
    } else {
      EXPECT_EQ(decoded, c.description);
    }
    EXPECT_EQ(decode(*global, c.kind, c.parents, "ZZZZ"), "<no row>");
    EXPECT_THAT(column(global->Objects()->NewWarehouseLookup()->List(c.kind, c.parents).query), Contains(c.code));
  }
}

TEST_F(LookupsTest, ParentsNarrowHierarchicalCodesWhenGiven) {
  auto global = signIn(2);
  EXPECT_EQ(decode(*global, CodeKind::SubFamily, {"VIT"}, "TE"), "Viti a testa esagonale");
  EXPECT_EQ(decode(*global, CodeKind::SubFamily, {"BUL"}, "TE"), "Bulloni a testa esagonale");
  EXPECT_EQ(decode(*global, CodeKind::SubFamily, {"RON"}, "TE"), "<no row>");
  EXPECT_EQ(decode(*global, CodeKind::SubFamily, {"BUL"}, "TCEI"), "<no row>");
  EXPECT_NE(decode(*global, CodeKind::SubFamily, {""}, "TE"), "<no row>");
  EXPECT_EQ(decode(*global, CodeKind::Group, {"BUL", "TE"}, "ACC"), "Bulloni TE in acciaio");
  EXPECT_EQ(decode(*global, CodeKind::Group, {"BUL", "TE"}, "INOX"), "<no row>");
  EXPECT_EQ(decode(*global, CodeKind::SubGroup, {"VIT", "TE", "ACC"}, "BR"), "Viti TE acciaio brunite");
  EXPECT_EQ(decode(*global, CodeKind::SubGroup, {"BUL", "TE", "ACC"}, "BR"), "<no row>");

  auto lookup = global->Objects()->NewWarehouseLookup();
  EXPECT_EQ(column(lookup->List(CodeKind::SubFamily, {"VIT"}).query), (std::vector<std::string>{"TCEI", "TE"}));
  EXPECT_EQ(column(lookup->List(CodeKind::Group, {"VIT", "TE"}).query, 1),
            (std::vector<std::string>{"Viti TE in acciaio", "Viti TE in acciaio inox"}));
  EXPECT_THROW(lookup->List(CodeKind::Family, {"VIT"}), std::invalid_argument);
}

TEST_F(LookupsTest, TypedQuotesAndBracketsStayInsideTheLiteral) {
  auto global = signIn(1);
  auto production = global->Objects()->NewProductionDecode();
  auto users = global->Objects()->NewUserGroupServices();
  for (const std::string code : {"O'NEIL", "[VIT]", "VIT'", "'; DELETE FROM MG53_FAMIGLIE; --", "]'[", "%"}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(decode(*global, CodeKind::Family, {}, code), "<no row>");
    EXPECT_EQ(decode(*global, CodeKind::SubGroup, {code, code, code}, code), "<no row>");
    EXPECT_EQ(value(global->Objects()->NewWarehouseLookup()->List(CodeKind::Group, {code, code}).query), "<no row>");
    EXPECT_TRUE(production->ProductTypeMissing(code));
    EXPECT_EQ(value(production->ProductType(code, nullptr).query), "<no row>");
    EXPECT_EQ(value(users->DecodeUser(code, nullptr).query), "<no row>");
    EXPECT_EQ(value(users->DecodeGroup(code, nullptr).query), "<no row>");
  }
  EXPECT_EQ(value("SELECT COUNT(*) FROM MG53_FAMIGLIE"), "20");

  db.Execute("INSERT INTO MG53_FAMIGLIE (MG53_DITTA_CG18, MG53_CODFAM, MG53_DESCR) VALUES (1, 'O''N', 'Con apice')");
  EXPECT_EQ(decode(*global, CodeKind::Family, {}, "O'N"), "Con apice");
}

TEST_F(LookupsTest, ProductTypesAndUsersListAndDecode) {
  auto global = signIn(1);
  auto production = global->Objects()->NewProductionDecode();
  EXPECT_FALSE(production->ProductTypeMissing("PF"));
  EXPECT_TRUE(production->ProductTypeMissing(""));

  // The field decodes by itself: the mapping sends the description column to the field given.
  auto field = std::make_shared<Object>();
  const host::Decode decoded = production->ProductType("PF", field);
  const Variant& pair = decoded.mapping.array().at(0);
  EXPECT_EQ(db.Open(decoded.query)->Field(pair.array().at(0).text()).toText(), "Prodotto finito");
  EXPECT_EQ(pair.array().at(1).object(), field);
  EXPECT_EQ(column(global->Objects()->NewProductionLookup()->ProductTypes().query).size(), 5u);

  // Inactive users are neither listed nor decoded.
  auto users = global->Objects()->NewUserGroupServices();
  const std::vector<std::string> listed = column(users->Users().query);
  EXPECT_EQ(listed.size(), 6u);
  EXPECT_THAT(listed, Not(Contains("ACOLOMBO")));
  EXPECT_EQ(value(users->DecodeUser("ACOLOMBO", nullptr).query), "<no row>");
  EXPECT_EQ(value(users->DecodeUser("FNERI", nullptr).query), "Francesca Neri (amministrazione)");
  EXPECT_EQ(column(users->Groups().query), (std::vector<std::string>{"ACQ", "AMM", "LOG", "QUAL"}));
}

using ItemNotifierTest = DemoTest;

TEST_F(ItemNotifierTest, ShowsTheItemOfTheCurrentCompanyAndReturnsWhenTheCardCloses) {
  auto global = signIn(2);
  auto notifier = global->Objects()->NewItemNotifier();
  notifier->SetValues(50, 1000);

  // What the user changes while the card is open is there when ShowItem returns.
  display->whileCardOpen([&](const host::ItemCard&) {
    db.Execute("UPDATE MG66_ANAGRART SET MG66_NOTE = 'vista' WHERE MG66_CODART = 'BULL-M10X40-88'");
  });
  notifier->ShowItem("BULL-M10X40-88");
  EXPECT_EQ(value("SELECT MG66_NOTE FROM MG66_ANAGRART WHERE MG66_CODART = 'BULL-M10X40-88'"), "vista");

  notifier->ShowItem("VITE-TE-M6X50-ZN");
  ASSERT_EQ(display->cards().size(), 2u);
  auto field = [](const host::ItemCard& card, const std::string& caption) {
    for (const auto& [name, text] : card.fields) {
      if (name == caption) return text;
    }
    return std::string("<missing>");
  };
  // Hierarchical codes decode under their parents; the same code in company 2 is another item.
  const host::ItemCard& bolt = display->cards()[0];
  EXPECT_EQ(field(bolt, "Stato articolo"), "40 - Attivo");
  EXPECT_EQ(field(bolt, "Sottofamiglia"), "TE - Bulloni a testa esagonale");
  EXPECT_EQ(field(bolt, "Peso netto"), "0.300");
  EXPECT_EQ(field(display->cards()[1], "Sottofamiglia"), "TE - Viti a testa esagonale");

  notifier->ShowItem("NON-ESISTE");
  ASSERT_EQ(display->messages().size(), 1u);
  EXPECT_THAT(display->messages()[0].text, HasSubstr("NON-ESISTE"));

  notifier->Shutdown();
  EXPECT_THROW(notifier->ShowItem("BULL-M10X40-88"), std::logic_error);
}

}  // namespace
}  // namespace platform::services::testing

// The enhanced query: fields registered with positional values, the ranges the user enters,
// and the decode and lookup requests it raises for them.
#include "platform/controls/enhanced_query.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/db/connection.h"

#include "tests/platform/controls/rows.h"

namespace platform::controls {
namespace {

class FilterTest : public ::testing::Test {
 protected:
  FilterTest() : filter("ADVQ_ARTICOLI") {
    filter.addField({"(Standard)", "Famiglia", "MG66_FAM_MG53", true, 3, true, true, false, false, false, false});
    filter.addField({"(Standard)", "Sottofamiglia", "MG66_SFAM_MG54", true, 4, true, true, false, false, false, false});
    filter.finish();
  }

  EnhancedQuery filter;
};

TEST(Filter, RefusesFieldsItCannotNameAndAnyAfterFinish) {
  EnhancedQuery filter("ADVQ");
  EXPECT_THROW(filter.addField({"(Standard)", "Famiglia"}), std::invalid_argument);
  filter.addField({"(Standard)", "Famiglia", "MG66_FAM_MG53"});
  EXPECT_THROW(filter.addField({"(Standard)", "Famiglia", "ALTRO"}), std::invalid_argument);
  filter.addField({"(Standard)", "famiglia", "MG66_FAM_MG53_BIS"});  // captions are exact
  EXPECT_EQ(filter.entries().size(), 2u);
  filter.finish();
  EXPECT_THROW(filter.addField({"(Standard)", "Marca", "MG66_MARCA_MG64"}), std::logic_error);
}

TEST_F(FilterTest, EnteredValuesAreDescribedByTheForm) {
  std::vector<std::string> asked;
  filter.onDecodeRequest.connect([&](const Variant& number, const Variant& caption, const Variant&,
                                     const Variant& first, std::string& firstBox, const Variant& second,
                                     std::string& secondBox) {
    asked.push_back(caption.toText() + " #" + number.toText());
    firstBox = first.toText().empty() ? "" : "descr " + first.toText();
    if (second.toText() == "F9") secondBox = "descr F9";  // an unknown code leaves its box alone
  });
  ASSERT_TRUE(filter.enterValues("Famiglia", Variant("F1"), Variant("F2")));
  ASSERT_TRUE(filter.enterValues("Famiglia", Variant(), Variant("F9")));
  const QueryField& family = *filter.findByCaption("Famiglia");
  EXPECT_EQ(family.firstDescription, "");
  EXPECT_EQ(family.secondDescription, "descr F9");
  EXPECT_EQ(filter.value("MG66_FAM_MG53", EnhancedQuery::kSecondValue), Variant("F9"));
  EXPECT_FALSE(filter.enterValues("famiglia", Variant("F1"), Variant()));
  EXPECT_EQ(asked, (std::vector<std::string>{"Famiglia #3", "Famiglia #3"}));
}

TEST_F(FilterTest, TheLookupIsAskedForOneEndOfTheRangeAndAPickIsDescribed) {
  filter.enterValues("Famiglia", Variant("F1"), Variant("F2"));
  std::vector<std::string> sql;
  filter.setQueryRunner([&](const std::string& text, const std::string&) {
    sql.push_back(text);
    return testing::makeRows({"CODICE"}, {{Variant("S1")}, {Variant("S2")}});
  });
  filter.onLookupRequest.connect([&](const Variant&, const Variant& caption, int end, std::string& query, Variant&,
                                     std::string& title, std::string&) {
    if (caption.toText() != "Sottofamiglia") return;  // no list for other fields
    query = "LIST SFAM OF " + filter.value("MG66_FAM_MG53", end).toText();
    title = "Sottofamiglie";
    filter.setLookupName("LK_SFAM");
  });
  int decodes = 0;
  filter.onDecodeRequest.connect(
      [&](const Variant&, const Variant&, const Variant&, const Variant&, std::string&, const Variant&, std::string&) {
        ++decodes;
      });

  EXPECT_FALSE(filter.openLookup("Famiglia", EnhancedQuery::kFirstValue).has_value());
  std::optional<PickList> list = filter.openLookup("Sottofamiglia", EnhancedQuery::kSecondValue);
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(sql, (std::vector<std::string>{"LIST SFAM OF F2"}));
  EXPECT_EQ(list->lookupName, "LK_SFAM");
  ASSERT_TRUE(filter.pick("Sottofamiglia", EnhancedQuery::kSecondValue, list->code(1)));
  EXPECT_EQ(filter.value("MG66_SFAM_MG54", EnhancedQuery::kSecondValue), Variant("S2"));
  EXPECT_EQ(decodes, 1);
}

}  // namespace
}  // namespace platform::controls

namespace platform::controls {
namespace {

// The attribute table's columns are the attributes; their conditions name only the alias the
// filter was registered with, and a filter whose attributes cannot be read says why.
TEST(FilterAttributes, AreTheTablesColumnsAndTheirConditionsUseTheAlias) {
  db::Connection connection;
  connection.Connect("sqlite::memory:");
  const auto registered = [&connection] {
    auto filter = std::make_unique<EnhancedQuery>("ADVQ");
    filter->setConnection(&connection);
    filter->addExtendedAttributes({"(Standard)", true, 5, "ALIAS_ATTR", ""});
    filter->finish();
    return filter;
  };
  const std::unique_ptr<EnhancedQuery> missing = registered();
  EXPECT_TRUE(missing->attributes().empty());
  EXPECT_NE(missing->attributesProblem().find("CO5L_ATTRIBUTIDEN"), std::string::npos) << missing->attributesProblem();
  EXPECT_THROW(missing->enterSetting("Attributo COLORE", Variant("X"), Variant()), std::invalid_argument);

  connection.Execute("CREATE TABLE CO5L_ATTRIBUTIDEN (CO5L_ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, "
                     "CO5L_GUID VARCHAR(36) NOT NULL, CO5L_COLORE VARCHAR(30) NULL, CO5L_PESO DECIMAL(8,3) NULL)");
  const std::unique_ptr<EnhancedQuery> filter = registered();
  std::vector<std::pair<std::string, bool>> offered;
  for (const QueryAttribute& attribute : filter->attributes()) offered.emplace_back(attribute.name, attribute.number);
  EXPECT_EQ(offered, (std::vector<std::pair<std::string, bool>>{{"COLORE", false}, {"PESO", true}}));
  EXPECT_TRUE(filter->attributesProblem().empty());

  filter->enterSetting("Attributo colore contiene", Variant("50%"), Variant("ignored"));
  filter->enterAttribute("CO5L_PESO", false, Variant("-1,5"), Variant("2"));
  EXPECT_EQ(filter->conditionText(),
            "AND ALIAS_ATTR.CO5L_COLORE >= '' AND ALIAS_ATTR.CO5L_COLORE LIKE '%50[%]%' AND "
            "ALIAS_ATTR.CO5L_PESO BETWEEN -1.5 AND 2");
  filter->clear();
  EXPECT_EQ(filter->conditionText(), "");
  EXPECT_THROW(EnhancedQuery("X").addExtendedAttributes({"(Standard)", true, 5, "A]; DROP", ""}), std::invalid_argument);
}

}  // namespace
}  // namespace platform::controls

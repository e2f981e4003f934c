// The item filter as a user fills it on the demo company: each setting narrows a run to the
// items a query written by hand selects, typed values mean what they say, and the codes it
// lists are the codes it describes.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <tuple>

#include "platform/controls/enhanced_query.h"
#include "platform/text/letter_case.h"
#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;

using Codes = std::set<std::string>;

Codes common(const Codes& a, const Codes& b) {
  Codes both;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::inserter(both, both.end()));
  return both;
}

Codes joined(Codes a, const Codes& b) {
  a.insert(b.begin(), b.end());
  return a;
}

class ItemFilterTest : public testing::ProcessingTest {
 protected:
  EnhancedQuery& filter() { return controls().get<EnhancedQuery>("ADVQ_ARTICOLI"); }

  //! The items a run with the filter as it stands puts into the working table.
  Codes run() {
    if (enabled("CMD_PARAM")) press("CMD_PARAM");
    m_display->clear();
    press("CMD_ELABORA");
    Codes codes;
    for (const auto& [code, row] : workingTable()) codes.insert(code);
    return codes;
  }

  Codes query(const std::string& where) {
    Codes codes;
    auto rows = form().m_connection->Open(
        "SELECT RTRIM(MG66_CODART) FROM MG66_ANAGRART "
        "LEFT JOIN PD18_ARTPROD ON PD18_DITTA_CG18 = MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART "
        "WHERE MG66_DITTA_CG18 = 1 " + where);
    for (; !rows->Eof(); rows->MoveNext()) codes.insert(rows->Field(std::size_t{0}).toText());
    return codes;
  }

  //! The items whose attribute row passes `where`, over CO5L_ATTRIBUTIDEN as A.
  Codes withAttributes(const std::string& where) {
    return query("AND MG66_GUID IN (SELECT CO5L_GUID FROM CO5L_ATTRIBUTIDEN AS A WHERE " + where + ")");
  }

  //! The setting refused, with the reason's text.
  std::string refusal(const std::string& setting, Variant first) {
    try {
      filter().enterSetting(setting, std::move(first), Variant());
    } catch (const std::invalid_argument& refused) {
      return refused.what();
    }
    return "(accepted)";
  }

  //! The items whose code equals, or whose description contains, `text` literally, letter
  //! case ignored: worked out here rather than by the database.
  Codes literally(const std::string& text, bool description) {
    Codes codes;
    auto rows = form().m_connection->Open(
        "SELECT RTRIM(MG66_CODART) AS C, MG87_DESCART AS D FROM MG66_ANAGRART LEFT JOIN MG87_ARTDESC "
        "ON MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = MG66_CODART AND MG87_OPZIONE_MG5E = '' "
        "AND MG87_LINGUA_MG52 = '' WHERE MG66_DITTA_CG18 = 1");
    const std::string wanted = platform::text::toUpper(text);
    for (; !rows->Eof(); rows->MoveNext()) {
      const std::string code = rows->Field("C").toText();
      const std::string upper = platform::text::toUpper(rows->Field("D").toText());
      if (description ? upper.find(wanted) != std::string::npos : platform::text::toUpper(code) == wanted) {
        codes.insert(code);
      }
    }
    return codes;
  }
};

TEST_F(ItemFilterTest, EachSettingNarrowsARunToWhatAHandWrittenQuerySelects) {
  open();
  const Codes all = run();
  struct Case {
    const char* caption;
    Variant first, second;
    Codes expected;
  };
  const Case cases[] = {
      {"Famiglia", "BUL", "RON", query("AND MG66_FAM_MG53 >= 'BUL' AND MG66_FAM_MG53 <= 'RON'")},
      {"Famiglia", "VIT", Variant(), query("AND MG66_FAM_MG53 = 'VIT'")},
      {"Descrizione articolo", "qualitÀ", Variant(), literally("QUALITÀ", true)},
      {"Stato articolo", "20", Variant(), query("AND MG66_INDSTATO_MG6W = 20")},
      {"Stato articolo", "10", "30", query("AND MG66_INDSTATO_MG6W >= 10 AND MG66_INDSTATO_MG6W <= 30")},
      {"Tipo prodotto", "AC", Variant(), query("AND PD18_TIPOPROD_PD20 = 'AC'")},
      {"Classificazione articoli fittizi", "sì", Variant(), query("AND MG66_INDFITTIZIO = 1")},
      {"Classificazione articoli fittizi", "N", Variant(), query("AND ISNULL(MG66_INDFITTIZIO, 0) = 0")},
      {"Stato parametrico articolo", "2", "3",
       query("AND MG66_GUID IN (SELECT MG6S_GUID_MG66 FROM MG6S_STATIPARAM WHERE MG6S_IDSTATO >= 2)")},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.caption) + " " + test.first.toText() + ".." + test.second.toText());
    filter().clear();
    ASSERT_TRUE(filter().enterValues(test.caption, test.first, test.second));
    ASSERT_FALSE(test.expected.empty());
    EXPECT_LT(test.expected.size(), all.size());
    EXPECT_EQ(run(), test.expected);
  }
}

TEST_F(ItemFilterTest, AUserWhoMayAssignSomeStatesChoosesAmongThemOnly) {
  open("GVERDI");  // may assign 30 and 40
  const auto list = filter().openLookup("Stato articolo", EnhancedQuery::kFirstValue);
  ASSERT_TRUE(list.has_value());
  Codes states;
  for (std::size_t row = 0; row < list->rows.size(); ++row) states.insert(list->code(row));
  EXPECT_EQ(states, (Codes{"30", "40"}));
  filter().enterValues("Stato articolo", "30", "40");
  EXPECT_EQ(run(), query("AND MG66_INDSTATO_MG6W IN (30, 40)"));
  filter().enterValues("Stato articolo", "20", Variant());
  EXPECT_EQ(run(), Codes{});
}

TEST_F(ItemFilterTest, ATypedValueSelectsWhatItLiterallySaysAndNeverFails) {
  open();
  const Variant items = scalar("SELECT COUNT(*) FROM MG66_ANAGRART");
  const char* values[] = {"O'Brien", "VITE[", "%", "_", "M6%", "x'; DELETE FROM MG66_ANAGRART; --", "]", "' OR '1'='1"};
  for (const char* caption : {"Codice articolo", "Descrizione articolo", "Stato articolo", "Stato parametrico articolo",
                              "Classificazione articoli fittizi"}) {
    for (const char* value : values) {
      SCOPED_TRACE(std::string(caption) + " " + value);
      filter().clear();
      ASSERT_TRUE(filter().enterValues(caption, value, Variant()));
      const Codes selected = run();
      EXPECT_TRUE(m_display->errors().empty());
      const bool description = std::string(caption) == "Descrizione articolo";
      const bool code = std::string(caption) == "Codice articolo";
      EXPECT_EQ(selected, description || code ? literally(value, description) : Codes{});
    }
  }
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG66_ANAGRART"), items);
}

TEST_F(ItemFilterTest, EveryListedCodeIsDescribedAndAnUnknownOneIsNot) {
  open();
  for (const char* caption : {"Codice articolo", "Famiglia", "Sottofamiglia", "Gruppo", "Sottogruppo", "Gruppo fiscale",
                              "Marca", "Gruppo statistico 1", "Gruppo statistico 2", "Gruppo statistico 3",
                              "Gruppo statistico 4"}) {
    SCOPED_TRACE(caption);
    filter().clear();
    const std::optional<PickList> list = filter().openLookup(caption, EnhancedQuery::kFirstValue);
    ASSERT_TRUE(list.has_value());
    ASSERT_FALSE(list->rows.empty());
    for (std::size_t row = 0; row < std::min<std::size_t>(list->rows.size(), 15); ++row) {
      ASSERT_TRUE(filter().pick(caption, EnhancedQuery::kFirstValue, list->code(row)));
      EXPECT_FALSE(filter().findByCaption(caption)->firstDescription.empty()) << list->code(row);
    }
    // The known code moves to the second end; the first no longer shows its description.
    filter().enterValues(caption, "NON-ESISTE", filter().findByCaption(caption)->first);
    EXPECT_EQ(filter().findByCaption(caption)->firstDescription, "");
    EXPECT_FALSE(filter().findByCaption(caption)->secondDescription.empty());
  }
  EXPECT_TRUE(m_display->errors().empty());

  // A sub-family list is narrowed by the family at the same end of the range: on the demo
  // company sub-families belong to no family, so a family set empties the list.
  filter().clear();
  filter().enterValues("Famiglia", Variant(), "VIT");
  EXPECT_TRUE(filter().openLookup("Sottofamiglia", EnhancedQuery::kSecondValue)->rows.empty());
  EXPECT_GT(filter().openLookup("Sottofamiglia", EnhancedQuery::kFirstValue)->rows.size(), 3u);
  EXPECT_FALSE(filter().openLookup("Codice interno", EnhancedQuery::kFirstValue).has_value());
}

TEST_F(ItemFilterTest, AttributesNarrowARunToWhatAHandWrittenQuerySelects) {
  open();
  const Codes all = run();
  using Setting = std::tuple<const char*, Variant, Variant>;
  struct Case {
    std::vector<Setting> settings;
    Codes expected;
  };
  const Case cases[] = {
      {{{"Attributo MATERIALE", "Acciaio inox A2", Variant()}}, withAttributes("A.CO5L_MATERIALE = 'Acciaio inox A2'")},
      {{{"Attributo materiale contiene", "INOX", Variant()}}, withAttributes("A.CO5L_MATERIALE LIKE '%inox%'")},
      {{{"Attributo NORMA", "UNI 5737", "UNI 5739"}},
       withAttributes("A.CO5L_NORMA >= 'UNI 5737' AND A.CO5L_NORMA <= 'UNI 5739'")},
      // Every finish there is: the items without an attribute row stay out.
      {{{"Attributo CO5L_FINITURA", "A", "ZZ"}}, withAttributes("A.CO5L_FINITURA IS NOT NULL")},
      {{{"Attributo MATERIALE contiene", "8.8", Variant()}, {"Attributo FINITURA", "Brunitura", Variant()},
        {"Famiglia", "VIT", Variant()}},
       common(withAttributes("A.CO5L_MATERIALE = 'Acciaio 8.8' AND A.CO5L_FINITURA = 'Brunitura'"),
              query("AND MG66_FAM_MG53 = 'VIT'"))},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::get<0>(test.settings.front()));
    filter().clear();
    for (const auto& [name, first, second] : test.settings) filter().enterSetting(name, first, second);
    ASSERT_FALSE(test.expected.empty());
    EXPECT_LT(test.expected.size(), all.size());
    EXPECT_EQ(run(), test.expected);
  }
}

TEST_F(ItemFilterTest, AnOddAttributeValueSelectsWhatItLiterallySays) {
  open();
  const std::string odd = "50% [rosso]; l'ultimo_";
  exec("UPDATE CO5L_ATTRIBUTIDEN SET CO5L_COLORE = '50% [rosso]; l''ultimo_' WHERE CO5L_ID = 1");
  const Codes oddOne = withAttributes("A.CO5L_ID = 1");
  ASSERT_EQ(oddOne.size(), 1u);
  const Variant items = scalar("SELECT COUNT(*) FROM MG66_ANAGRART");
  struct Case {
    const char* setting;
    const char* value;
    Codes expected;
  };
  const Case cases[] = {
      {"Attributo COLORE", odd.c_str(), oddOne},  {"Attributo COLORE contiene", "%", oddOne},
      {"Attributo COLORE contiene", "[ros", oddOne}, {"Attributo COLORE contiene", "o_", oddOne},
      {"Attributo COLORE contiene", "l'u", oddOne}, {"Attributo COLORE", "50%", {}},
      {"Attributo COLORE contiene", "_r", {}},      {"Attributo COLORE", "' OR '1'='1", {}},
      {"Attributo COLORE contiene", "x'; DELETE FROM MG66_ANAGRART; --", {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.setting) + " " + test.value);
    filter().clear();
    filter().enterSetting(test.setting, test.value, Variant());
    EXPECT_EQ(run(), test.expected);
    EXPECT_TRUE(m_display->errors().empty());
  }
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG66_ANAGRART"), items);
}

TEST_F(ItemFilterTest, OnlyTheAttributesTheTableDeclaresCanBeNamed) {
  open();
  filter().enterSetting("Attributo MATERIALE", "Acciaio", Variant());
  const std::string condition = filter().conditionText();
  struct Case {
    const char* setting;
    const char* says;
  };
  for (const Case& test : {Case{"Attributo COLOR", "l'attributo esteso COLOR non esiste; gli attributi sono MATERIALE, "
                                                   "FINITURA, COLORE, NORMA, CLASSERESISTENZA"},
                           Case{"Attributo CO'LORE", "\"CO'LORE\" non è il nome di un attributo"},
                           Case{"Attributo [COLORE]", "\"[COLORE]\" non è il nome di un attributo"},
                           Case{"Attributo CO5L_GUID", "l'attributo esteso CO5L_GUID non esiste"}}) {
    SCOPED_TRACE(test.setting);
    EXPECT_EQ(refusal(test.setting, "ROSSO").rfind(test.says, 0), 0u) << refusal(test.setting, "ROSSO");
    EXPECT_EQ(filter().conditionText(), condition);
  }

  // A company that adds an attribute finds it in the next console it opens; one it drops is
  // no longer offered.
  exec("DROP TABLE CO5L_ATTRIBUTIDEN");
  exec("CREATE TABLE CO5L_ATTRIBUTIDEN (CO5L_ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY, CO5L_GUID VARCHAR(36) NOT NULL, "
       "CO5L_DUREZZA DECIMAL(6,2) NULL, CO5L_FINITURA VARCHAR(30) NULL)");
  exec("INSERT INTO CO5L_ATTRIBUTIDEN (CO5L_GUID, CO5L_DUREZZA) SELECT MG66_GUID, 8.8 FROM MG66_ANAGRART "
       "WHERE MG66_DITTA_CG18 = 1 AND MG66_FAM_MG53 = 'VIT'");
  exec("INSERT INTO CO5L_ATTRIBUTIDEN (CO5L_GUID, CO5L_DUREZZA) SELECT MG66_GUID, 10.9 FROM MG66_ANAGRART "
       "WHERE MG66_DITTA_CG18 = 1 AND MG66_FAM_MG53 = 'BUL'");
  release();
  m_object = console(sql::connectionStringFor(m_file));
  m_object->ShowForm();
  EXPECT_EQ(refusal("Attributo MATERIALE", "Acciaio").rfind("l'attributo esteso MATERIALE non esiste", 0), 0u);
  EXPECT_EQ(refusal("Attributo DUREZZA contiene", "8").rfind("l'attributo DUREZZA è un numero", 0), 0u);
  const Codes screws = query("AND MG66_FAM_MG53 = 'VIT'");
  ASSERT_FALSE(screws.empty());
  for (const auto& [first, second, expected] : {std::tuple<const char*, const char*, Codes>{"8,8", "", screws},
                                                {"8.8", "10.9", joined(screws, query("AND MG66_FAM_MG53 = 'BUL'"))},
                                                {"8.8.", "", {}},
                                                {"otto", "", {}}}) {
    SCOPED_TRACE(std::string(first) + ".." + second);
    filter().clear();
    filter().enterSetting("Attributo durezza", first, *second ? Variant(second) : Variant());
    EXPECT_EQ(run(), expected);
    EXPECT_TRUE(m_display->errors().empty());
  }
}

TEST_F(ItemFilterTest, ACalledConsoleIgnoresTheFilter) {
  release();
  m_file = testing::demoCopy();
  m_object = console(sql::connectionStringFor(m_file));
  m_object->LetIsCalled(true);
  m_object->LetProperty("CodiceArticolo", Variant("VITE-TCEI-M4X10-ZN"));
  m_object->ShowForm();
  filter().enterValues("Famiglia", "UTE", Variant());
  EXPECT_EQ(run(), (Codes{"VITE-TCEI-M4X10-ZN"}));
}

}  // namespace
}  // namespace passaggio

// Edit fields as the user works them: typing, leaving, decoding a code into its description,
// opening the look-up and picking a code.
#include "platform/controls/edit_field.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "tests/platform/controls/rows.h"

namespace platform::controls {
namespace {

using testing::makeRows;

// Answers the decode and look-up queries from a small family table and records them.
struct FamilyQueries {
  std::vector<std::string> sql;
  QueryRunner runner() {
    return [this](const std::string& text, const std::string&) {
      sql.push_back(text);
      if (text.find("'F1'") != std::string::npos) return makeRows({"DESCR"}, {{Variant("Ferramenta")}});
      if (text.find("LIST") != std::string::npos) {
        return makeRows({"CODICE", "DESCR"}, {{Variant("F1"), Variant("Ferramenta")}, {Variant("F2"), Variant::null()}});
      }
      return makeRows({"DESCR"}, {});
    };
  }
};

class EditFieldTest : public ::testing::Test {
 protected:
  EditFieldTest()
      : form(FormDesign{"FRM", "Prova", 6000, 4000,
                        {{"TXT_FAM", ControlKind::EditField, "", 0, 0, 1000, 300, "Famiglia", 1, true, true,
                          {{"displayformat", Variant("Maiuscolo")}, {"maxchar", Variant(4)}, {"isdecode", Variant(true)},
                           {"descfield", Variant("LBL_DESC_FAM")}}},
                         {"LBL_DESC_FAM", ControlKind::Label, "", 1100, 0, 3000, 300, "", 2, true, true, {}},
                         {"TXT_DESC_FAM", ControlKind::EditField, "", 1100, 400, 3000, 300, "", 3, true, true, {}},
                         {"TXT_ALTRO", ControlKind::EditField, "", 0, 800, 1000, 300, "", 4, true, true, {}}}}),
        field(form.get<EditField>("TXT_FAM")) {
    field.setQueryRunner(queries.runner());
    field.onDecodeRequest.connect([this](bool&, std::string& query, Variant& mapping, std::string&) {
      query = "SELECT DESCR FROM FAMIGLIE WHERE CODICE = '" + field.text() + "'";
      mapping = decodeMapping;
    });
    field.onValidate.connect([this](bool&) { events.push_back("validate"); });
    field.onAfterItem.connect([this](bool&) { events.push_back("after-item " + field.text()); });
  }

  FamilyQueries queries;
  Form form;
  EditField& field;
  Variant decodeMapping;
  std::vector<std::string> events;
};

TEST_F(EditFieldTest, TypingIsShapedByTheFieldsSettings) {
  struct Case {
    const char* typed;
    bool numeric;
    const char* kept;
  };
  const Case cases[] = {
      {"ab1", false, "AB1"},
      {"abcdef", false, "ABCD"},          // cut at four characters
      {"\xC3\xA0" "bcde", false, "\xC3\x80" "BCD"},  // a two-byte letter counts as one, upper-cased too
      {"1a2,5x", true, "12,5"},           // a numeric field drops what is not a number
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.typed);
    field.setNumeric(test.numeric);
    ASSERT_TRUE(field.type(test.typed));
    EXPECT_EQ(field.text(), test.kept);
  }
}

TEST_F(EditFieldTest, LeavingValidatesEveryTimeButRunsAfterItemOnlyForAChangedCode) {
  ASSERT_TRUE(field.type("f1"));
  EXPECT_TRUE(field.leave());
  EXPECT_EQ(events, (std::vector<std::string>{"validate", "after-item F1"}));
  EXPECT_EQ(form.focus(), nullptr);

  events.clear();
  ASSERT_TRUE(field.setFocus());
  EXPECT_TRUE(field.leave());
  EXPECT_EQ(events, (std::vector<std::string>{"validate"}));
}

TEST_F(EditFieldTest, ACancelledValidationKeepsTheFocusAndSkipsDecodeAndAfterItem) {
  field.onValidate.connect([this](bool& cancel) {
    cancel = true;
    field.setFocus();  // what the console does after its message
  });
  ASSERT_TRUE(field.type("zz"));
  EXPECT_FALSE(field.leave());
  EXPECT_EQ(form.focus(), &field);
  EXPECT_TRUE(queries.sql.empty());
  EXPECT_EQ(events, (std::vector<std::string>{"validate"}));
  EXPECT_FALSE(form.get<EditField>("TXT_ALTRO").type("x"));
}

TEST_F(EditFieldTest, ACancelledAfterItemRunsAgainAtTheNextLeave) {
  int refusals = 1;
  field.onAfterItem.connect([&](bool& cancel) { cancel = refusals-- > 0; });
  ASSERT_TRUE(field.type("f1"));
  EXPECT_FALSE(field.leave());
  EXPECT_TRUE(field.isModified());
  EXPECT_TRUE(field.leave());
  EXPECT_EQ(std::count(events.begin(), events.end(), "after-item F1"), 2);
}

TEST_F(EditFieldTest, DecodeFillsTheDescriptionThroughTheMapping) {
  struct Case {
    const char* what;
    Variant mapping;
    const char* target;
  };
  const Case cases[] = {
      {"no mapping: the description field", Variant(), "LBL_DESC_FAM"},
      {"column by name, control by name", Variant(Variant::Array{Variant::Array{"DESCR", "TXT_DESC_FAM"}}),
       "TXT_DESC_FAM"},
      {"column by index, control as object",
       Variant(Variant::Array{
           Variant::Array{Variant(0), Variant(std::shared_ptr<Object>(form.reference("LBL_DESC_FAM")))}}),
       "LBL_DESC_FAM"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    form.get<Label>("LBL_DESC_FAM").setText("");
    form.get<EditField>("TXT_DESC_FAM").setText("");
    decodeMapping = test.mapping;
    ASSERT_TRUE(field.type("f1"));
    ASSERT_TRUE(field.leave());
    const Control& target = form.control(test.target);
    const std::string shown = dynamic_cast<const Label*>(&target) ? dynamic_cast<const Label&>(target).text()
                                                                  : dynamic_cast<const EditField&>(target).text();
    EXPECT_EQ(shown, "Ferramenta");
    field.setText("");
  }
}

TEST_F(EditFieldTest, AnUnknownCodeEmptiesTheDescriptionAndACancelledDecodeLeavesIt) {
  Label& description = form.get<Label>("LBL_DESC_FAM");
  ASSERT_TRUE(field.type("f1"));
  ASSERT_TRUE(field.leave());
  ASSERT_EQ(description.text(), "Ferramenta");

  ASSERT_TRUE(field.type("x9"));
  ASSERT_TRUE(field.leave());
  EXPECT_EQ(description.text(), "");

  description.setText("Ferramenta");
  field.onDecodeRequest.connect([](bool& cancel, std::string&, Variant&, std::string&) { cancel = true; });
  ASSERT_TRUE(field.type("x8"));
  ASSERT_TRUE(field.leave());
  EXPECT_EQ(description.text(), "Ferramenta");
  EXPECT_EQ(queries.sql.size(), 2u);
}

TEST_F(EditFieldTest, TheLookupListComesFromTheRequestAndAPickIsEnteredLikeTypedText) {
  field.onLookupRequest.connect([this](bool&, std::string& query, Variant& captions, std::string& title, std::string&) {
    query = "LIST FAMIGLIE";
    captions = Variant(Variant::Array{"Codice", "", "Descrizione", ""});  // caption and empty, per column
    title = "Famiglie";
    field.setLookupName("LK_FAMIGLIE");
  });
  std::optional<PickList> list = field.openLookup();
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(list->lookupName, "LK_FAMIGLIE");  // set by the handler while it ran
  EXPECT_EQ(list->captions, (std::vector<std::string>{"Codice", "Descrizione"}));
  ASSERT_EQ(list->rows.size(), 2u);

  ASSERT_TRUE(field.pick(list->code(0)));
  EXPECT_EQ(field.text(), "F1");
  EXPECT_EQ(form.get<Label>("LBL_DESC_FAM").text(), "Ferramenta");
  EXPECT_EQ(events, (std::vector<std::string>{"validate", "after-item F1"}));
  EXPECT_EQ(form.focus(), &field);  // picking keeps the caret in the field

  events.clear();
  ASSERT_TRUE(field.pick("F1"));  // the same code picked again is entered again
  EXPECT_EQ(events, (std::vector<std::string>{"validate", "after-item F1"}));

  // A cancelled request opens nothing, even with a query.
  field.onLookupRequest.connect([](bool& cancel, std::string&, Variant&, std::string&, std::string&) { cancel = true; });
  queries.sql.clear();
  EXPECT_FALSE(field.openLookup().has_value());
  EXPECT_TRUE(queries.sql.empty());
}

}  // namespace
}  // namespace platform::controls

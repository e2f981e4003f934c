// The field detail as a user meets it on the demo: which fields it lists for the chosen item
// and with which values, who may tick a sign-off and what a tick, a save, a row change, a
// page change or closing the console does with it; the texts and colours of both grids; and
// the item-code button.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "platform/controls/grid_navigator.h"
#include "platform/services/item_notifier.h"
#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::Colour;
using platform::controls::Grid;
using platform::controls::GridNavigator;
using platform::controls::rgb;
using platform::host::Answer;
using testing::Row;
using testing::trimmed;
using testing::value;

constexpr int kQualita = 1;   // MROSSI's
constexpr int kAcquisti = 2;  // group ACQ: LBIANCHI, SFERRARI
constexpr const char* kSavePrompt = "Salvare le modifiche effettuate sui visti?";

// FRESA-MD-D10 (state 10, AC, UTE) fails ACQUISTI only for want of the sample's sign-off.
constexpr const char* kUnsignedItem = "FRESA-MD-D10";

class FieldDetailTest : public testing::ProcessingTest {
 protected:
  //! A console left open keeps itself alive through the host: close it.
  void TearDown() override {
    release();
    ProcessingTest::TearDown();
  }

  Grid& items() { return controls().get<Grid>("GRD_ARTICOLI"); }
  Grid& detail() { return controls().get<Grid>("GRD_DATIART_CAMPI"); }
  bool save() { return controls().get<GridNavigator>("GRIDNAV_VIS_CAMPIART").press(GridNavigator::Button::Save); }

  //! Opens the console as `user`, runs statements on the fresh database, then processes.
  void processAs(const std::string& user, const std::vector<std::string>& setup = {}) {
    open(user);
    for (const std::string& sql : setup) exec(sql);
    ASSERT_TRUE(press("CMD_ELABORA"));
    ASSERT_TRUE(shown("FRAME_INTERROGAZ_RIS"));
  }

  //! The detail row of a body's field; fails the test when there is none.
  std::size_t rowOf(int body, const std::string& field) {
    for (std::size_t i = 0; i < detail().rowCount(); ++i) {
      const auto values = detail().rowValues(i);
      if (values["MG0M_ID"].toInteger() == body && trimmed(values["MG0O_CAMPO"].toText()) == field) return i;
    }
    ADD_FAILURE() << "no detail row for body " << body << " field " << field;
    return 0;
  }
  std::string detailValue(int body, const std::string& field, const char* column) {
    return value(detail().cellValue(rowOf(body, field), column));
  }
  void doubleClick(int body, const std::string& field) {
    ASSERT_TRUE(detail().doubleClick(rowOf(body, field), "MG0O_CAPTIONCAMPO"));
  }

  std::string verdict(const std::string& code, const char* column) { return value(workingTable().at(code).at(column)); }

  std::string stored(const std::string& code, int body, const std::string& field) {
    auto rows = form().m_connection->Open(
        "SELECT MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0R_CAMPO_MG0O "
        "WHERE MG0R_DITTA_CG18 = 1 AND MG0R_CODART_MG66 = '" + code + "' AND MG0R_ARGOMENTO_MG0M = " +
        std::to_string(body) + " AND MG0O_CAMPO = '" + field + "'");
    return rows->Eof() ? "none" : value(rows->Field(0));
  }

  //! The items grid's row of an item, as its record set holds it now.
  Row itemsRow(const std::string& code) {
    const auto values = items().rowValues(*items().findRowByKey(Variant(code)));
    Row row;
    for (std::size_t f = 0; f < values.fields().size(); ++f) row[values.fields()[f]] = values.values()[f];
    return row;
  }
};

TEST_F(FieldDetailTest, AnItemInNoBodysStartStateShowsAnEmptyDetailThatSavesNothing) {
  processAs("MROSSI");
  const std::string code = "DADO-M6-ZN";
  ASSERT_NE(trimmed(gridRows().front().at("CODART").toText()), code);
  exec("UPDATE " + form().m_itemTable + " SET INDSTATO_MG6W = 40 WHERE CODART = '" + code + "'");
  const long long signOffs = scalar("SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI").toInteger();
  choose(code);
  ASSERT_TRUE(detail().dataSource());
  EXPECT_EQ(detail().rowCount(), 0u);
  m_display->clear();
  EXPECT_TRUE(save());
  EXPECT_TRUE(m_display->shown().empty());
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0R_VALIDAZMAN_PASSAGGI").toInteger(), signOffs);
}

TEST_F(FieldDetailTest, ValuesComeFromTheirTablesWithoutQuotesAndCutToAHundredCharacters) {
  // 99 characters without the quotes, then a two-byte letter, then more: the cut keeps the
  // letter whole and drops the rest.
  const std::string head = "L'articolo sostituisce l'ARTICOLO-VECCHIO; ";
  std::string withoutQuotes = "Larticolo sostituisce lARTICOLO-VECCHIO; ";
  std::string note = head;
  while (withoutQuotes.size() < 99) {
    note += "x";
    withoutQuotes += "x";
  }
  note += "à e dopo il taglio altro testo ancora";
  std::string quoted;
  for (char c : note) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  processAs("", {"UPDATE MG66_ANAGRART SET MG66_NOTE = '" + quoted + "' "
                 "WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = 'DADO-M16-ZN'"});
  ASSERT_EQ(value(scalar("SELECT MG66_NOTE FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = 'DADO-M16-ZN'")),
            note);
  choose("DADO-M16-ZN");  // state 50: RIATTIVAZ asks for the notes
  EXPECT_EQ(detailValue(6, "MG66_NOTE", "VALORE_CAMPO"), withoutQuotes + "à");

  choose(kUnsignedItem);
  EXPECT_EQ(detailValue(kAcquisti, "MG66_MARCA_MG64", "VALORE_CAMPO"), "UTENSIL     ") << "a CHAR(12) as read";
  EXPECT_EQ(detailValue(kAcquisti, "PD18_LOTTORIORDINO", "VALORE_CAMPO"), "100") << "through the table's join";
  EXPECT_EQ(detailValue(kAcquisti, "PD18_CODPROV_PD21", "VALORE_CAMPO"), "AC");
  EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VALORE_CAMPO"), "") << "no table holds a document";
  // The screen shows a numeric field's value as a number; the text stays as read.
  EXPECT_TRUE(detail().cell(rowOf(kAcquisti, "PD18_LOTTORIORDINO"), "VALORE_CAMPO").number);
  EXPECT_FALSE(detail().cell(rowOf(kAcquisti, "PD18_CODPROV_PD21"), "VALORE_CAMPO").number);
  EXPECT_FALSE(detail().cell(rowOf(kAcquisti, "PD18_LOTTORIORDINO"), "MG0O_CAPTIONCAMPO").number);
}

TEST_F(FieldDetailTest, TickingARequiredFieldWithoutValueAsksFirstAndNoLeavesEverythingAsItWas) {
  // VITE-AF-3.5X19's reorder lot is 0, which ACQUISTI does not count as a value; made a field
  // to sign off, the detail shows it empty and ticking it takes a confirmation.
  processAs("SFERRARI", {"UPDATE MG0P_CAMPIARG_PASSAGGI SET MG0P_VALIDAZ_MANUALE = 1 WHERE MG0P_ARGOMENTO_MG0M = 2 "
                         "AND MG0P_CAMPO_MG0O = (SELECT MG0O_ID FROM MG0O_CAMPI_PASSAGGI WHERE MG0O_CAMPO = "
                         "'PD18_LOTTORIORDINO')"});
  choose("VITE-AF-3.5X19");
  const std::size_t lot = rowOf(kAcquisti, "PD18_LOTTORIORDINO");
  ASSERT_EQ(value(detail().cellValue(lot, "VALORE_CAMPO")), "0");
  EXPECT_EQ(detail().cell(lot, "VALORE_CAMPO").text, "");
  const std::string warning =
      "Attenzione si sta cercando di vistare un campo\r\nche richiede un Valore obbligatorio.\r\nProseguire?";

  m_display->clear();
  doubleClick(kAcquisti, "PD18_LOTTORIORDINO");  // answered No
  ASSERT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(m_display->messages()[0].text, warning);
  EXPECT_EQ(detailValue(kAcquisti, "PD18_LOTTORIORDINO", "VISTO"), "0");
  EXPECT_FALSE(form().m_signOffsChanged);

  // With another tick pending, No keeps the flag set.
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VISTO"), "0") << "was signed off: unticked";
  EXPECT_TRUE(form().m_signOffsChanged);
  doubleClick(kAcquisti, "PD18_LOTTORIORDINO");
  EXPECT_EQ(detailValue(kAcquisti, "PD18_LOTTORIORDINO", "VISTO"), "0");
  EXPECT_TRUE(form().m_signOffsChanged);

  m_display->clear();
  m_display->queue(Answer::kYes);
  doubleClick(kAcquisti, "PD18_LOTTORIORDINO");
  EXPECT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(detailValue(kAcquisti, "PD18_LOTTORIORDINO", "VISTO"), "1");
  EXPECT_EQ(detail().currentRow(), rowOf(kAcquisti, "PD18_LOTTORIORDINO")) << "the detail stays on the row";
  doubleClick(kAcquisti, "PD18_LOTTORIORDINO");  // unticking asks nothing
  EXPECT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(detailValue(kAcquisti, "PD18_LOTTORIORDINO", "VISTO"), "0");
  EXPECT_TRUE(m_display->errors().empty());
}

TEST_F(FieldDetailTest, ARowTheUserMayNotTickChangesNothingAndShowsNothing) {
  // ADMIN is not QUALITA's responsible user (MROSSI is), though he is in the QUAL group.
  processAs("");
  choose("DADO-M6-ZN");
  EXPECT_EQ(detailValue(kQualita, "DOC_SCHEDATECNICA", "METTI_VISTO"), "0");
  m_display->clear();
  doubleClick(kQualita, "DOC_SCHEDATECNICA");
  EXPECT_EQ(detailValue(kQualita, "DOC_SCHEDATECNICA", "VISTO"), "0");
  EXPECT_FALSE(form().m_signOffsChanged);
  EXPECT_TRUE(m_display->shown().empty());
  release();

  // MROSSI may tick QUALITA's rows, but not one that needs no sign-off, even a required one
  // without value.
  processAs("MROSSI");
  choose("BULL-M16X40-88");
  ASSERT_EQ(detailValue(kQualita, "MG66_PESONETTO", "VALORE_CAMPO"), "");
  EXPECT_EQ(detailValue(kQualita, "MG66_PESONETTO", "METTI_VISTO"), "1");
  m_display->clear();
  doubleClick(kQualita, "MG66_PESONETTO");
  EXPECT_EQ(detailValue(kQualita, "MG66_PESONETTO", "VISTO"), "0");
  EXPECT_FALSE(form().m_signOffsChanged);
  EXPECT_TRUE(m_display->shown().empty());
}

// A second ACQUISTI association matching the item lists its fields twice; a tick and a save
// must come out as with one association.
TEST_F(FieldDetailTest, AGroupMemberTicksAndTheNavigatorSavesAndReChecksTheItem) {
  const std::string neverSigned =
      std::string("DELETE FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_CODART_MG66 = '") + kUnsignedItem + "'";
  const std::string secondAssociation =
      "INSERT INTO MG0Q_ENTITARG_PASSAGGI (MG0Q_DITTA_CG18, MG0Q_ARGOMENTO_MG0M, MG0Q_TIPOPROD, MG0Q_CODFAM_MG53, "
      "MG0Q_KEY_GRID) VALUES (1, 2, 'AC', 'UTE', 'KEY_000000000000000099')";
  std::vector<Row> rechecked;
  for (const auto& setup : {std::vector<std::string>{neverSigned}, {neverSigned, secondAssociation}}) {
    SCOPED_TRACE(setup.size() == 1 ? "one association" : "two associations");
    processAs("SFERRARI", setup);  // in ACQ, ACQUISTI's responsible group; not a responsible user
    ASSERT_EQ(verdict(kUnsignedItem, "ACQUISTI"), "0");
    const std::string before = stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA");
    ASSERT_EQ(before, "none");
    choose(kUnsignedItem);
    EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "METTI_VISTO"), "1");
    doubleClick(kAcquisti, "DOC_CAMPIONATURA");
    EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VISTO"), "1");
    EXPECT_TRUE(form().m_signOffsChanged);
    EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), before) << "a tick alone stores nothing";

    EXPECT_TRUE(save());
    EXPECT_TRUE(m_display->errors().empty());
    EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), "1");
    EXPECT_EQ(verdict(kUnsignedItem, "ACQUISTI"), "1");
    const Row shownRow = itemsRow(kUnsignedItem);
    EXPECT_EQ(value(shownRow.at("ACQUISTI")), "1") << "the items grid reads the re-checked row";
    EXPECT_EQ(value(shownRow.at("NEW_STATO")), "20");
    EXPECT_EQ(items().currentRow(), items().findRowByKey(Variant(kUnsignedItem)));
    EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VISTO"), "1") << "the detail built again from what is stored";
    EXPECT_FALSE(form().m_signOffsChanged);
    Row row = workingTable().at(kUnsignedItem);
    row.erase("ID");
    rechecked.push_back(std::move(row));
  }
  ASSERT_EQ(rechecked.size(), 2u);
  for (const auto& [column, verdictOfOne] : rechecked[0]) {
    EXPECT_EQ(value(rechecked[1].at(column)), value(verdictOfOne)) << column;
  }
}

TEST_F(FieldDetailTest, LeavingAnItemWithUnsavedTicksAsksToSaveThem) {
  processAs("SFERRARI");
  const std::string before = stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA");
  choose(kUnsignedItem);
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  m_display->clear();
  choose("MASCH-M8");  // answered No: the tick is dropped
  ASSERT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(m_display->messages()[0].text, kSavePrompt);
  EXPECT_EQ(m_display->messages()[0].style, 4);
  EXPECT_EQ(m_display->messages()[0].title, form().Caption());
  EXPECT_FALSE(form().m_signOffsChanged);
  EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), before);
  m_display->clear();
  choose(kUnsignedItem);
  EXPECT_TRUE(m_display->messages().empty()) << "nothing left to save";
  EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VISTO"), "0");

  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  m_display->queue(Answer::kYes);
  choose("MASCH-M8");
  EXPECT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), "1");
  EXPECT_EQ(value(itemsRow(kUnsignedItem).at("ACQUISTI")), "1") << "the items are read again after the save";
  EXPECT_EQ(items().currentRow(), items().findRowByKey(Variant("MASCH-M8")));
  EXPECT_EQ(trimmed(detail().cellValue(0, "MG0M_ARGOMENTO").toText()), "ACQUISTI");
  EXPECT_EQ(detailValue(kAcquisti, "DOC_CAMPIONATURA", "VISTO"), "0") << "MASCH-M8's own sign-off";
  EXPECT_FALSE(form().m_signOffsChanged);

  // Going back to the parameters asks too.
  const std::string own = stored("MASCH-M8", kAcquisti, "DOC_CAMPIONATURA");
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  m_display->clear();
  press("CMD_PARAM");  // answered No
  ASSERT_EQ(m_display->messages().size(), 1u);
  EXPECT_EQ(m_display->messages()[0].text, kSavePrompt);
  EXPECT_FALSE(form().m_signOffsChanged);
  EXPECT_TRUE(shown("FRAME_INTERROGAZ"));
  EXPECT_EQ(stored("MASCH-M8", kAcquisti, "DOC_CAMPIONATURA"), own);
}

// Saving writes what is ticked now: an unticked stored sign-off becomes 0, a field ticked and
// unticked again before saving gets no row at all.
TEST_F(FieldDetailTest, SavingStoresTheTicksAsTheyAreNow) {
  processAs("SFERRARI", {std::string("DELETE FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_CODART_MG66 = '") +
                         kUnsignedItem + "'"});
  choose(kUnsignedItem);
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  EXPECT_TRUE(save());
  EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), "none");
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  EXPECT_TRUE(save());
  EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), "1");
  doubleClick(kAcquisti, "DOC_CAMPIONATURA");
  EXPECT_TRUE(save());
  EXPECT_EQ(stored(kUnsignedItem, kAcquisti, "DOC_CAMPIONATURA"), "0");
  EXPECT_EQ(verdict(kUnsignedItem, "ACQUISTI"), "0");
  EXPECT_EQ(verdict(kUnsignedItem, "NEW_STATO"), "NULL");
  EXPECT_TRUE(m_display->errors().empty());
}

TEST_F(FieldDetailTest, TheItemsGridShowsStateDescriptionsAndPaintsVerdictsOfTheCompanysBodiesOnly) {
  processAs("");
  const Colour fails = rgb(173, 207, 247), passes = rgb(255, 255, 255), doesNotApply = rgb(99, 105, 107);
  std::map<std::string, std::string> descriptions;
  for (auto rows = form().m_connection->Open("SELECT MG6W_INDSTATO, MG6W_DESCR FROM MG6W_STATIART"); !rows->Eof();
       rows->MoveNext()) {
    descriptions[rows->Field(0).toText()] = rows->Field(1).toText();
  }
  const char* bodies[] = {"QUALITA", "ACQUISTI", "LOGISTICA", "PRODUZIONE", "AMMINISTRAZ", "RIATTIVAZ"};
  std::set<std::string> verdictsSeen;
  bool emptyNewState = false;
  for (std::size_t row = 0; row < items().rowCount(); ++row) {
    const auto state = items().cell(row, "INDSTATO_MG6W");
    EXPECT_EQ(state.text, descriptions.at(state.value.toText()));
    const auto next = items().cell(row, "NEW_STATO");
    EXPECT_EQ(next.text, next.value.isNull() ? "" : descriptions.at(next.value.toText()));
    emptyNewState = emptyNewState || next.value.isNull();
    for (const char* body : bodies) {
      const auto cell = items().cell(row, body);
      const std::string v = cell.value.toText();
      verdictsSeen.insert(v);
      EXPECT_EQ(cell.back, v == "0" ? fails : v == "1" ? passes : doesNotApply) << body;
    }
    EXPECT_FALSE(items().cell(row, "DESCART").back.has_value());
  }
  EXPECT_EQ(verdictsSeen, (std::set<std::string>{"0", "1", "2"}));
  EXPECT_TRUE(emptyNewState);

  // A state without description shows empty; a column whose body now belongs to the other
  // company is not a body column of this one.
  exec("DELETE FROM MG6W_STATIART WHERE MG6W_INDSTATO = 10");
  exec("UPDATE MG0M_ARGOMENTI_PASSAGGI SET MG0M_DITTA_CG18 = 2 WHERE MG0M_ARGOMENTO = 'LOGISTICA'");
  const std::size_t row = *items().findRowByKey(Variant(kUnsignedItem));
  EXPECT_EQ(items().cell(row, "INDSTATO_MG6W").text, "");
  EXPECT_FALSE(items().cell(row, "LOGISTICA").back.has_value());
  EXPECT_TRUE(items().cell(row, "QUALITA").back.has_value());
}

TEST_F(FieldDetailTest, AFailedVerdictNamesEveryFieldThatFailsItAndTheDetailMarksEach) {
  // BARRA-C40-D20 fails ACQUISTI twice over: no brand, and the sample not signed off.
  processAs("");
  choose("BARRA-C40-D20");
  const std::size_t row = *items().findRowByKey(Variant("BARRA-C40-D20"));
  EXPECT_EQ(items().toolTip(row, "ACQUISTI"),
            "Non supera: campo obbligatorio senza valore: Marca; manca il visto di Campionatura approvata");
  for (const char* field : {"MG66_MARCA_MG64", "DOC_CAMPIONATURA"}) {
    EXPECT_EQ(detail().rowMark(rowOf(kAcquisti, field)).sign, "!") << field;
  }
  EXPECT_EQ(detail().rowMark(rowOf(kAcquisti, "PD18_LOTTORIORDINO")).sign, "");
}

TEST_F(FieldDetailTest, TheItemCodeButtonShowsTheItemThenChecksOnlyItsRowAgain) {
  // Both bolts fail QUALITA for want of a bar code alone; the user fills in both while the
  // first one's card is open, but only the first is checked again.
  processAs("");
  const std::string first = "BULL-M16X40-109", second = "BULL-M8X60-88";
  ASSERT_EQ(verdict(first, "QUALITA"), "0");
  ASSERT_EQ(verdict(second, "QUALITA"), "0");
  m_display->whileCardOpen([&](const platform::host::ItemCard&) {
    exec("UPDATE MG66_ANAGRART SET MG66_BARCODE = '8001234567890' WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART IN ('" +
         first + "', '" + second + "')");
  });
  const auto before = workingTable();
  const std::size_t row = *items().findRowByKey(Variant(first));
  ASSERT_TRUE(items().pressCellButton(row, "CODART"));

  ASSERT_EQ(m_display->cards().size(), 1u);
  EXPECT_EQ(m_display->cards()[0].title, "Articolo " + first);
  const auto notifier = std::dynamic_pointer_cast<platform::services::StandinItemNotifier>(form().m_itemNotifier);
  ASSERT_TRUE(notifier);
  EXPECT_EQ(notifier->values(), std::make_pair(50, 1000));
  const auto after = workingTable();
  EXPECT_EQ(value(after.at(first).at("QUALITA")), "1");
  EXPECT_EQ(value(after.at(first).at("NEW_STATO")), "20");
  for (const auto& [code, columns] : before) {
    if (code == first) continue;
    for (const auto& [column, v] : columns) EXPECT_EQ(value(after.at(code).at(column)), value(v)) << code << " " << column;
  }
  EXPECT_EQ(value(itemsRow(first).at("QUALITA")), "1") << "the grid reads the items again";
  EXPECT_EQ(items().currentRow(), row);
  EXPECT_FALSE(form().m_gridRefresh);
  EXPECT_TRUE(m_display->errors().empty());
}

}  // namespace
}  // namespace passaggio

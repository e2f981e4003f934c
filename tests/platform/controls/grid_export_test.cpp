// A grid taken out to a spreadsheet comes back through a CSV reader as the grid showed it.
#include "platform/controls/grid_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/platform/controls/rows.h"
#include "tests/support/csv.h"

namespace platform::controls {
namespace {

using passaggio::testing::CsvRecord;
using passaggio::testing::readCsv;

class GridExportTest : public ::testing::Test {
 protected:
  GridExportTest() : grid("GRD_ARTICOLI") {
    grid.setWrapper(GridWrapper{{}, nullptr, "CODART", 0});
    grid.addTextColumn("CODART", "Codice articolo", GridColumn::kTextKind, 1500);
    grid.addTextColumn("DESCR", "Descrizione; \"breve\"", GridColumn::kTextKind, 3000);
    grid.addTextColumn("STATO", "Stato", GridColumn::kTextKind, 800);
    grid.addTextColumn("ID", "Id", GridColumn::kTextKind, 0, false);
    grid.closeDefinition();
    grid.finish();
    // The form's say on a cell's text is what is exported.
    grid.onDisplayFormat.connect([](std::string& text, const std::string& field, const RowValues&) {
      if (field == "STATO" && text == "20") text = "20 - In validazione";
    });
    grid.setDataSource(testing::makeRows(
        {"CODART", "DESCR", "STATO", "ID"},
        {{Variant("VITE-M6"), Variant("Vite à testa esagonale, 6 mm; \"zincata\""), Variant(20), Variant(1)},
         {Variant("DADO\tM8"), Variant("prima riga\r\nseconda riga\nterza"), Variant::null(), Variant(2)},
         {Variant("ROND"), Variant(""), Variant(30), Variant(3)}}));
  }

  Grid grid;
};

TEST_F(GridExportTest, ASpreadsheetFileReadsBackAsTheGridShowsIt) {
  std::ostringstream out;
  writeSpreadsheetCsv(out, grid);
  const std::string file = out.str();
  ASSERT_EQ(file.substr(0, 3), "\xEF\xBB\xBF") << "a byte-order mark, so that accents open as UTF-8";
  const auto records = readCsv(std::string_view(file).substr(3), ';');
  const std::vector<CsvRecord> expected = {
      {"Codice articolo", "Descrizione; \"breve\"", "Stato"},
      {"VITE-M6", "Vite à testa esagonale, 6 mm; \"zincata\"", "20 - In validazione"},
      {"DADO\tM8", "prima riga\r\nseconda riga\nterza", std::nullopt},
      {"ROND", std::nullopt, "30"},
  };
  EXPECT_EQ(records, expected);
  EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST_F(GridExportTest, TheClipboardGetsTabSeparatedTextThatReadsBackTheSame) {
  const auto records = readCsv(tabSeparatedText(grid), '\t');
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[1][2], "20 - In validazione");
  EXPECT_EQ(records[2][0], "DADO\tM8") << "a tab inside a value is quoted";
  EXPECT_EQ(records[2][1], "prima riga\r\nseconda riga\nterza");
}

}  // namespace
}  // namespace platform::controls

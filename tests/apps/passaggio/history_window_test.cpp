// The history window in the desktop host: filtering the batches, undoing one after the
// question, and opening an item of a batch in a console.
#include "apps/passaggio/history_window.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

#include "tests/apps/passaggio/desktop_fixture.h"

namespace passaggio::desktop::testing {
namespace {

std::string cell(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item ? item->text().toStdString() : std::string("<none>");
}

TEST_F(DesktopTest, TheHistoryFiltersUndoesABatchOnYesAndOpensItsItems) {
  QMdiSubWindow* sub = openHistory(*m_window);
  ASSERT_NE(sub, nullptr);
  auto* history = qobject_cast<HistoryWindow*>(sub->widget());
  ASSERT_NE(history, nullptr);
  EXPECT_EQ(history->batches()->rowCount(), 6) << "the demo's changes, each a batch of its own";
  EXPECT_EQ(cell(*history->batches(), 0, 0), "6") << "newest first";

  history->itemFilter()->setText(QStringLiteral("VITE-TE-M6X50-ZN"));
  history->refresh();
  ASSERT_EQ(history->batches()->rowCount(), 1);
  ASSERT_EQ(history->items()->rowCount(), 1);
  EXPECT_EQ(cell(*history->items(), 0, 1), "30");
  EXPECT_EQ(cell(*history->items(), 0, 2), "40");

  m_display->queue(platform::host::kNo);
  QTest::mouseClick(history->undoButton(), Qt::LeftButton);
  EXPECT_EQ(history->batches()->rowCount(), 1) << "answered No: nothing moved";
  ASSERT_FALSE(m_display->messages().empty());
  EXPECT_NE(m_display->messages().back().text.find("1 articoli torneranno allo stato precedente, 0 saranno esclusi"),
            std::string::npos)
      << m_display->messages().back().text;

  m_display->queue({platform::host::kYes, platform::host::kOk});
  QTest::mouseClick(history->undoButton(), Qt::LeftButton);
  ASSERT_EQ(history->batches()->rowCount(), 2) << "the undo is a batch of its own";
  EXPECT_NE(cell(*history->batches(), 0, 5).find("Annullamento del lotto 1"), std::string::npos);
  EXPECT_EQ(cell(*history->batches(), 0, 2), "ADMIN");

  history->batches()->selectRow(0);
  ASSERT_EQ(history->items()->rowCount(), 1);
  EXPECT_EQ(cell(*history->items(), 0, 2), "30") << "back in its state before the batch";
  emit history->items()->cellDoubleClicked(0, 0);
  settle();
  EXPECT_EQ(m_window->consoles().size(), 1u) << "the item opens in a console";
}

}  // namespace
}  // namespace passaggio::desktop::testing

// The history of state changes in the desktop host: the batches newest first, filtered by
// item, user, dates and state, the items of the chosen batch below, the undo of a batch, and
// a console for an item on a double-click. Beside it the menu entries of the history and of
// the export of a console's results.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/display.h"
#include "platform/services/change_history.h"

class QLineEdit;
class QMenu;
class QMdiSubWindow;
class QPushButton;
class QTableWidget;

namespace platform::services {
class StandinHost;
}

namespace passaggio::desktop {

class MainWindow;

class HistoryWindow : public QWidget {
  Q_OBJECT

 public:
  //! `host` is signed in as the consoles are; questions and results go to `display`;
  //! `openItem` opens a console for one item.
  HistoryWindow(std::unique_ptr<platform::services::StandinHost> host, const std::string& connectionString,
                platform::host::Display& display, std::function<void(const std::string&)> openItem,
                QWidget* parent = nullptr);
  ~HistoryWindow() override;

  //! Reads the history again with the filters as typed.
  void refresh();
  //! Asks, then undoes the chosen batch.
  void undoChosen();

  QLineEdit* itemFilter() const { return m_item; }
  QTableWidget* batches() const { return m_batches; }
  QTableWidget* items() const { return m_items; }
  QPushButton* undoButton() const { return m_undo; }

 private:
  void showItemsOfChosen();
  long long chosenBatch() const;
  void say(const std::string& text, int style);

  std::unique_ptr<platform::services::StandinHost> m_host;
  std::shared_ptr<platform::db::Connection> m_connection;
  platform::host::Display& m_display;
  std::function<void(const std::string&)> m_openItem;
  std::vector<platform::services::HistoryRow> m_rows;
  QLineEdit* m_item;
  QLineEdit* m_user;
  QLineEdit* m_since;
  QLineEdit* m_until;
  QLineEdit* m_state;
  QTableWidget* m_batches;
  QTableWidget* m_items;
  QPushButton* m_undo;
};

//! Opens the history in the frame's MDI area: its subwindow, or null when it cannot open.
QMdiSubWindow* openHistory(MainWindow& window);
//! Saves the active console's items grid as a spreadsheet CSV, asking where.
void exportResults(MainWindow& window);
//! Adds "Storico cambi di stato..." (Ctrl+H) and "Esporta risultati..." (Ctrl+E) to `menu`.
void addHistoryEntries(MainWindow& window, QMenu& menu);

}  // namespace passaggio::desktop

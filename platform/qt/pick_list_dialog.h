// The pick list of a look-up: the rows under their captions, filtered as the user types
// (any column containing the text, letter case ignored). Enter or a double-click picks the
// highlighted row, Escape picks nothing; the arrows move through the rows from the filter.
#pragma once

#include <QDialog>

#include "platform/host/display.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace platform::qt {

class PickListDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PickListDialog(const host::PickListRequest& request, QWidget* parent = nullptr);

  //! The chosen row of the request, or -1 (nothing chosen, or the dialog is still open).
  int chosenRow() const { return m_chosen; }

  QLineEdit* filterEdit() const { return m_filter; }
  QTableView* table() const { return m_table; }

 public slots:
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void filterChanged(const QString& text);
  //! The request's row of the highlighted line, or -1.
  int highlightedRow() const;

  QStandardItemModel* m_rows;
  QSortFilterProxyModel* m_shown;
  QLineEdit* m_filter;
  QTableView* m_table;
  QLabel* m_count;
  QPushButton* m_choose;
  int m_chosen = -1;
};

}  // namespace platform::qt

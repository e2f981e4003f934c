// The pick list dialog.
#include "platform/qt/pick_list_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/qt/text.h"

namespace platform::qt {

PickListDialog::PickListDialog(const host::PickListRequest& request, QWidget* parent)
    : QDialog(parent), m_rows(new QStandardItemModel(this)), m_shown(new QSortFilterProxyModel(this)) {
  setWindowTitle(request.title.empty() ? QStringLiteral("Scelta") : toQString(request.title));

  std::size_t columns = request.captions.size();
  for (const auto& row : request.rows) columns = std::max(columns, row.size());
  QStringList captions;
  for (std::size_t i = 0; i < columns; ++i) {
    captions << (i < request.captions.size() ? toQString(request.captions[i]) : QString());
  }
  m_rows->setColumnCount(static_cast<int>(columns));
  m_rows->setHorizontalHeaderLabels(captions);
  for (const auto& row : request.rows) {
    QList<QStandardItem*> items;
    for (std::size_t i = 0; i < columns; ++i) {
      auto* item = new QStandardItem(i < row.size() ? toQString(row[i]) : QString());
      item->setEditable(false);
      items << item;
    }
    m_rows->appendRow(items);
  }
  m_shown->setSourceModel(m_rows);
  m_shown->setFilterKeyColumn(-1);
  m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);

  auto* layout = new QVBoxLayout(this);
  auto* search = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("&Cerca:"), this);
  m_filter = new QLineEdit(this);
  m_filter->setPlaceholderText(QStringLiteral("scrivere per filtrare le righe"));
  m_filter->setClearButtonEnabled(true);
  label->setBuddy(m_filter);
  search->addWidget(label);
  search->addWidget(m_filter, 1);
  layout->addLayout(search);

  m_table = new QTableView(this);
  m_table->setModel(m_shown);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setAlternatingRowColors(true);
  m_table->setWordWrap(false);
  m_table->setTabKeyNavigation(false);
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_table->resizeColumnsToContents();
  int wanted = 24;
  for (int column = 0; column < m_rows->columnCount(); ++column) {
    m_table->setColumnWidth(column, qBound(60, m_table->columnWidth(column) + 12, 320));
    wanted += m_table->columnWidth(column);
  }
  layout->addWidget(m_table, 1);

  auto* bottom = new QHBoxLayout;
  m_count = new QLabel(this);
  m_count->setStyleSheet(QStringLiteral("color: #505860;"));
  bottom->addWidget(m_count, 1);
  auto* buttons = new QDialogButtonBox(this);
  m_choose = buttons->addButton(QStringLiteral("&Scegli"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
  m_choose->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &PickListDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PickListDialog::reject);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(m_filter, &QLineEdit::textChanged, this, &PickListDialog::filterChanged);
  connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) accept();
  });
  m_filter->installEventFilter(this);
  m_table->installEventFilter(this);
  filterChanged({});
  resize(qBound(380, wanted, 900), 420);
  m_filter->setFocus();
}

void PickListDialog::filterChanged(const QString& text) {
  m_shown->setFilterFixedString(text);
  if (m_shown->rowCount() > 0) m_table->selectRow(0);
  m_count->setText(m_rows->rowCount() == 0 ? QStringLiteral("Nessuna riga")
                                           : QStringLiteral("%1 di %2 righe").arg(m_shown->rowCount()).arg(m_rows->rowCount()));
  m_choose->setEnabled(m_shown->rowCount() > 0);
}

int PickListDialog::highlightedRow() const {
  QModelIndex current = m_table->currentIndex();
  if (!current.isValid() && m_shown->rowCount() > 0) current = m_shown->index(0, 0);
  if (!current.isValid()) return -1;
  return m_shown->mapToSource(current).row();
}

void PickListDialog::accept() {
  const int row = highlightedRow();
  if (row < 0) return;  // nothing to pick: the list stays open
  m_chosen = row;
  QDialog::accept();
}

bool PickListDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    accept();
    return true;
  }
  if (watched == m_filter) {
    // Up and down move through the rows while the caret stays in the filter.
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QApplication::sendEvent(m_table, event);
        return true;
      default: break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace platform::qt

// The side bar's links.
#include "platform/qt/side_bar_widget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/qt/text.h"

namespace platform::qt {
namespace {

constexpr int kKeyRole = Qt::UserRole + 1;

// What the style sheet below puts around an item's caption.
constexpr int kItemPaddingX = 2 * 10 + 4;
constexpr int kItemPaddingY = 2 * 7;

// Links as tall as their caption needs, wrapped to the bar's width: a long caption goes on to
// a second line rather than ending in dots.
class WrappingDelegate : public QStyledItemDelegate {
 public:
  explicit WrappingDelegate(QListWidget& bar) : QStyledItemDelegate(&bar), m_bar(bar) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int width = m_bar.viewport()->width();
    const QRect text = option.fontMetrics.boundingRect(QRect(0, 0, std::max(1, width - kItemPaddingX), 1000),
                                                       Qt::TextWordWrap, index.data().toString());
    return {width, text.height() + kItemPaddingY};
  }

  // The focus mark: a dashed frame round the link the arrows reached, while the bar has the
  // caret (the style sheet's item focus state is not given to every link the caret is on).
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!m_bar.hasFocus() || index != m_bar.currentIndex()) return;
    painter->save();
    QPen pen(QColor(0xf2, 0xb6, 0x32), 1, Qt::DashLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
  }

 private:
  QListWidget& m_bar;
};

const char* const kStyle = R"(
QListWidget {
  background: #27476e;
  border: none;
  outline: none;
  padding-top: 8px;
}
QListWidget::item {
  color: #e8eef6;
  padding: 7px 10px;
  border-left: 4px solid transparent;
}
QListWidget::item:hover { background: #33598a; }
QListWidget::item:selected { background: #3d6aa3; color: white; border-left: 4px solid #f2b632; }
QListWidget::item:disabled { color: #8fa2bb; }
)";

}  // namespace

SideBarWidget::SideBarWidget(controls::SideBar& sideBar, ActionRunner run, QWidget* parent)
    : QListWidget(parent), m_sideBar(sideBar), m_run(std::move(run)) {
  setObjectName(QString::fromStdString(sideBar.name()));
  setStyleSheet(QString::fromLatin1(kStyle));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(true);
  setTextElideMode(Qt::ElideNone);
  setResizeMode(QListView::Adjust);
  setItemDelegate(new WrappingDelegate(*this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFrameShape(QFrame::NoFrame);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
  // A click follows the link at once; with the keyboard the arrows choose and Enter follows.
  connect(this, &QListWidget::itemClicked, this, &SideBarWidget::follow);
  syncFromSideBar();
}

void SideBarWidget::syncFromSideBar() {
  const bool show = m_sideBar.isInitialised();
  const auto& items = m_sideBar.items();
  bool same = count() == (show ? static_cast<int>(items.size()) : 0);
  for (int i = 0; same && i < count(); ++i) {
    same = item(i)->data(kKeyRole).toString() == toQString(items[static_cast<std::size_t>(i)].key) &&
           item(i)->text() == toQString(items[static_cast<std::size_t>(i)].caption);
  }
  if (!same) {
    const QSignalBlocker quiet(this);
    clear();
    if (show) {
      for (const controls::SideBarItem& link : items) {
        auto* entry = new QListWidgetItem(toQString(link.caption), this);
        entry->setData(kKeyRole, toQString(link.key));
        entry->setToolTip(toQString(link.caption));
      }
    }
  }
  const QSignalBlocker quiet(this);
  if (const int row = followedRow(); row >= 0) setCurrentRow(row);
  markFollowed();
}

int SideBarWidget::followedRow() const {
  for (int i = 0; i < count(); ++i) {
    if (item(i)->data(kKeyRole).toString() == m_followed) return i;
  }
  return -1;
}

void SideBarWidget::markFollowed() {
  const QSignalBlocker quiet(this);
  const int followed = followedRow();
  for (int i = 0; i < count(); ++i) item(i)->setSelected(i == followed);
}

QItemSelectionModel::SelectionFlags SideBarWidget::selectionCommand(const QModelIndex&, const QEvent*) const {
  return QItemSelectionModel::NoUpdate;
}

void SideBarWidget::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  // The focus mark starts on the page shown (the first link before any was followed).
  const int row = std::max(0, followedRow());
  if (row < count()) selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
}

void SideBarWidget::follow(QListWidgetItem* item) {
  if (item == nullptr) return;
  const QString key = item->data(kKeyRole).toString();
  bool followed = false;
  m_run([this, &key, &followed] { followed = m_sideBar.clickItem(toStdString(key)); });
  if (followed) m_followed = key;
  syncFromSideBar();
}

void SideBarWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      follow(currentItem());
      event->accept();
      return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      // The arrows move the focus mark only: the highlight stays on the page shown until
      // Enter or Space follows the link.
      const int row = currentRow() + (event->key() == Qt::Key_Up ? -1 : 1);
      if (row >= 0 && row < count()) selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
      event->accept();
      return;
    }
    default:
      QListWidget::keyPressEvent(event);
  }
}

}  // namespace platform::qt

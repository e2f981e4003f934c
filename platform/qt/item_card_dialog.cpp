// The item card.
#include "platform/qt/item_card_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/qt/text.h"

namespace platform::qt {

ItemCardDialog::ItemCardDialog(const host::ItemCard& card, QWidget* parent) : QDialog(parent) {
  const QString title = card.title.empty() ? QStringLiteral("Scheda articolo") : toQString(card.title);
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(title, this);
  QFont large = heading->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.2);
  heading->setFont(large);
  layout->addWidget(heading);

  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  for (const auto& [caption, value] : card.fields) {
    auto* shown = new QLineEdit(toQString(value), page);
    shown->setReadOnly(true);
    QPalette quiet = shown->palette();
    quiet.setColor(QPalette::Base, quiet.color(QPalette::Window));
    shown->setPalette(quiet);
    shown->setCursorPosition(0);
    shown->setMinimumWidth(260);
    form->addRow(toQString(caption) + QLatin1Char(':'), shown);
  }
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(page);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  layout->addWidget(scroll, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("&Chiudi"), QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  const int rows = static_cast<int>(card.fields.size());
  resize(460, qBound(180, 110 + rows * (fontMetrics().height() + 14), 640));
  close->setFocus();
}

}  // namespace platform::qt

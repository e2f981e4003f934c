// The error display.
#include "platform/qt/error_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/error_advice.h"
#include "platform/qt/heading.h"
#include "platform/qt/text.h"

namespace platform::qt {
namespace {

QLabel* wrapped(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

ErrorDialog::ErrorDialog(const host::ErrorRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request) {
  // The window's caption, which is what the user knows the program by; the title the module
  // gives is its own file's name, which tells the user nothing: it stays in the details.
  QString title = toQString(request.caption);
  if (title.isEmpty()) title = QApplication::applicationDisplayName();
  setWindowTitle(title);
  if (request.style & host::style::kSystemModal) setWindowModality(Qt::ApplicationModal);

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // the dialog grows and shrinks with the details

  auto* top = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(40, 40));
  icon->setAlignment(Qt::AlignTop);
  top->addWidget(icon);
  auto* texts = new QVBoxLayout;
  QString where = QStringLiteral("Si è verificato un errore");
  if (!request.procedure.empty()) where += QStringLiteral(" in %1").arg(toQString(request.procedure));
  texts->addWidget(heading(where, this));
  const std::optional<QString> advice = adviceFor(request.description);
  QLabel* description = wrapped(advice ? *advice : toDisplayLines(request.description), this);
  description->setMinimumWidth(420);
  texts->addWidget(description);
  QStringList about;  // where and who, in a quieter voice than what happened
  if (advice) about << QStringLiteral("Messaggio del database: %1").arg(toDisplayLines(request.description));
  if (!request.applicationTitle.empty()) about << QStringLiteral("Modulo: %1").arg(toQString(request.applicationTitle));
  if (!request.caption.empty()) about << QStringLiteral("Finestra: %1").arg(toQString(request.caption));
  if (request.number != 0 || !request.source.empty()) {
    QString code = QStringLiteral("Errore %1").arg(request.number);
    if (!request.source.empty()) code += QStringLiteral("  (%1)").arg(toQString(request.source));
    about << code;
  }
  if (!about.isEmpty()) {
    QLabel* quiet = wrapped(about.join(QLatin1Char('\n')), this);
    quiet->setStyleSheet(QStringLiteral("color: #505860;"));
    texts->addWidget(quiet);
  }
  top->addLayout(texts, 1);
  layout->addLayout(top);

  m_detailsButton = new QToolButton(this);
  m_detailsButton->setText(QStringLiteral("&Dettagli"));
  m_detailsButton->setCheckable(true);
  m_detailsButton->setAutoRaise(true);
  m_detailsButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  m_detailsButton->setArrowType(Qt::RightArrow);
  layout->addWidget(m_detailsButton);

  m_details = new QWidget(this);
  auto* details = new QVBoxLayout(m_details);
  details->setContentsMargins(0, 0, 0, 0);
  details->addWidget(heading(QStringLiteral("Istruzione SQL"), m_details));
  auto* sql = new QPlainTextEdit(m_details);
  sql->setReadOnly(true);
  sql->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  sql->setPlainText(request.sql.empty() ? QStringLiteral("(nessuna)") : toDisplayLines(request.sql));
  const int lines = qBound(3, static_cast<int>(sql->toPlainText().count(QLatin1Char('\n'))) + 2, 12);
  sql->setFixedHeight(lines * sql->fontMetrics().lineSpacing() + 2 * sql->frameWidth() + 8);
  sql->setMinimumWidth(560);
  details->addWidget(sql);
  details->addWidget(heading(QStringLiteral("Errori della connessione"), m_details));
  auto* errors = new QTableWidget(static_cast<int>(request.connectionErrors.size()), 4, m_details);
  errors->setHorizontalHeaderLabels(
      {QStringLiteral("Numero"), QStringLiteral("Nativo"), QStringLiteral("Origine"), QStringLiteral("Descrizione")});
  errors->verticalHeader()->hide();
  errors->setEditTriggers(QAbstractItemView::NoEditTriggers);
  errors->setSelectionBehavior(QAbstractItemView::SelectRows);
  errors->setWordWrap(false);
  for (int row = 0; row < errors->rowCount(); ++row) {
    const db::ErrorEntry& entry = request.connectionErrors[static_cast<std::size_t>(row)];
    errors->setItem(row, 0, new QTableWidgetItem(QString::number(entry.number)));
    errors->setItem(row, 1, new QTableWidgetItem(QString::number(entry.nativeError)));
    errors->setItem(row, 2, new QTableWidgetItem(toQString(entry.source)));
    auto* text = new QTableWidgetItem(toQString(entry.description));
    text->setToolTip(toQString(entry.description));
    errors->setItem(row, 3, text);
  }
  errors->resizeColumnsToContents();
  errors->horizontalHeader()->setStretchLastSection(true);
  errors->verticalHeader()->setDefaultSectionSize(errors->fontMetrics().height() + 6);
  const int shownRows = qBound(1, errors->rowCount(), 6);
  // Room for the horizontal scroll bar too: long descriptions need it, and without the room it
  // covers the only row.
  errors->setFixedHeight(errors->horizontalHeader()->sizeHint().height() +
                         shownRows * errors->verticalHeader()->defaultSectionSize() +
                         errors->horizontalScrollBar()->sizeHint().height() + 2 * errors->frameWidth());
  errors->setMinimumWidth(560);
  details->addWidget(errors);
  auto* copy = new QPushButton(QStringLiteral("&Copia negli appunti"), m_details);
  copy->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(reportText()); });
  details->addWidget(copy, 0, Qt::AlignLeft);
  layout->addWidget(m_details);
  m_details->hide();
  connect(m_detailsButton, &QToolButton::toggled, this, &ErrorDialog::showDetails);

  // In the order the answers are numbered, whatever the platform's habit for button boxes.
  auto* buttons = new QHBoxLayout;
  m_abort = new QPushButton(QStringLiteral("&Interrompi"), this);
  m_retry = new QPushButton(QStringLiteral("&Riprova"), this);
  m_ignore = new QPushButton(QStringLiteral("I&gnora"), this);
  buttons->addStretch(1);
  for (QPushButton* button : {m_abort, m_retry, m_ignore}) buttons->addWidget(button);
  buttons->addStretch(1);
  connect(m_abort, &QPushButton::clicked, this, [this] { done(host::kAbort); });
  connect(m_retry, &QPushButton::clicked, this, [this] { done(host::kRetry); });
  connect(m_ignore, &QPushButton::clicked, this, [this] { done(host::kIgnore); });
  m_abort->setToolTip(QStringLiteral("Interrompe l'operazione in corso (Esc)"));
  m_retry->setToolTip(QStringLiteral("Ripete l'istruzione non riuscita, per esempio dopo aver chiuso chi occupava il database"));
  m_ignore->setToolTip(QStringLiteral("Salta l'istruzione non riuscita e prosegue: il risultato può essere incompleto"));
  layout->addLayout(buttons);

  QPushButton* preferred = m_abort;
  if (request.style & host::style::kDefaultButton3) {
    preferred = m_ignore;
  } else if (request.style & host::style::kDefaultButton2) {
    preferred = m_retry;
  }
  for (QPushButton* button : {m_abort, m_retry, m_ignore}) button->setAutoDefault(false);
  preferred->setDefault(true);
  preferred->setFocus();
}

void ErrorDialog::showDetails(bool shown) {
  if (m_detailsButton->isChecked() != shown) m_detailsButton->setChecked(shown);  // comes back here
  m_detailsButton->setArrowType(shown ? Qt::DownArrow : Qt::RightArrow);
  m_details->setVisible(shown);
}

void ErrorDialog::reject() { done(host::kAbort); }

QString ErrorDialog::reportText() const {
  QStringList lines;
  lines << windowTitle();
  if (!m_request.applicationTitle.empty()) lines << QStringLiteral("Modulo: %1").arg(toQString(m_request.applicationTitle));
  if (!m_request.caption.empty()) lines << QStringLiteral("Finestra: %1").arg(toQString(m_request.caption));
  lines << QStringLiteral("Procedura: %1").arg(toQString(m_request.procedure));
  lines << QStringLiteral("Errore %1 (%2)").arg(m_request.number).arg(toQString(m_request.source));
  lines << toDisplayLines(m_request.description);
  if (!m_request.sql.empty()) lines << QString() << toDisplayLines(m_request.sql);
  for (const db::ErrorEntry& entry : m_request.connectionErrors) {
    lines << QStringLiteral("%1 | %2 | %3 | %4")
                 .arg(entry.number)
                 .arg(entry.nativeError)
                 .arg(toQString(entry.source), toQString(entry.description));
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace platform::qt

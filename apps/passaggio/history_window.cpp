// The history window and the menu entries beside it.
#include "apps/passaggio/history_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <charconv>

#include "apps/passaggio/main_window.h"
#include "apps/passaggio/mdi_windows.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/host/window_system.h"
#include "platform/qt/busy.h"
#include "platform/qt/grid_export_menu.h"
#include "platform/qt/text.h"
#include "platform/services/change_recorder.h"
#include "platform/services/global.h"
#include "platform/services/host_objects.h"
#include "platform/services/standin_host.h"
#include "platform/text/numbers.h"

namespace passaggio::desktop {
namespace {

namespace services = platform::services;
namespace style = platform::host::style;
using platform::qt::toQString;
using platform::qt::toStdString;

// Skipped items listed by name in the undo's question; the rest are counted.
constexpr std::size_t kSkippedListed = 10;

QTableWidget* makeTable(const QStringList& captions, QWidget* parent) {
  auto* table = new QTableWidget(0, static_cast<int>(captions.size()), parent);
  table->setHorizontalHeaderLabels(captions);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void setRow(QTableWidget& table, int row, const std::vector<std::string>& texts) {
  for (std::size_t column = 0; column < texts.size(); ++column) {
    table.setItem(row, static_cast<int>(column), new QTableWidgetItem(toQString(texts[column])));
  }
}

std::string stateText(const std::optional<long long>& state) { return state ? std::to_string(*state) : ""; }

std::string text(const QLineEdit& field) { return toStdString(field.text().trimmed()); }

// The skipped items of a plan, one line each with its reason.
std::string skippedLines(const services::UndoPlan& plan) {
  std::string lines;
  std::size_t listed = 0;
  for (const auto& item : plan.items) {
    if (item.skipped.empty()) continue;
    if (listed++ == kSkippedListed) {
      lines += "\n... e altri " + std::to_string(plan.skipped() - kSkippedListed);
      break;
    }
    lines += "\n" + item.item + ": " + item.skipped;
  }
  return lines;
}

}  // namespace

HistoryWindow::HistoryWindow(std::unique_ptr<services::StandinHost> host, const std::string& connectionString,
                             platform::host::Display& display, std::function<void(const std::string&)> openItem,
                             QWidget* parent)
    : QWidget(parent), m_host(std::move(host)), m_display(display), m_openItem(std::move(openItem)) {
  setObjectName(QStringLiteral("storico"));
  setWindowTitle(QStringLiteral("Storico cambi di stato"));
  // The undo writes through a connection that records changes as a console's does.
  m_connection = m_host->objects()->NewConnectionFactory()->NewConnection();
  m_connection->Connect(connectionString);

  const auto field = [this](const QString& placeholder) {
    auto* edit = new QLineEdit(this);
    edit->setPlaceholderText(placeholder);
    connect(edit, &QLineEdit::returnPressed, this, &HistoryWindow::refresh);
    return edit;
  };
  m_item = field(QStringLiteral("codice"));
  m_user = field(QStringLiteral("codice"));
  m_since = field(QStringLiteral("AAAA-MM-GG"));
  m_until = field(QStringLiteral("AAAA-MM-GG"));
  m_state = field(QStringLiteral("prima o dopo"));
  auto* search = new QPushButton(QStringLiteral("&Cerca"), this);
  connect(search, &QPushButton::clicked, this, &HistoryWindow::refresh);

  auto* filters = new QHBoxLayout;
  const auto addFilter = [&](const QString& caption, QLineEdit* edit) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(edit);
    filters->addWidget(label);
    filters->addWidget(edit, 1);
  };
  addFilter(QStringLiteral("&Articolo"), m_item);
  addFilter(QStringLiteral("&Utente"), m_user);
  addFilter(QStringLiteral("&Dal"), m_since);
  addFilter(QStringLiteral("A&l"), m_until);
  addFilter(QStringLiteral("&Stato"), m_state);
  filters->addWidget(search);

  m_batches = makeTable({QStringLiteral("Lotto"), QStringLiteral("Data e ora"), QStringLiteral("Utente"),
                         QStringLiteral("Articoli"), QStringLiteral("Passaggi"), QStringLiteral("Descrizione")},
                        this);
  m_items = makeTable({QStringLiteral("Articolo"), QStringLiteral("Stato precedente"), QStringLiteral("Stato nuovo"),
                       QStringLiteral("Descrizione")},
                      this);
  m_items->setToolTip(QStringLiteral("Doppio clic: apre l'articolo in una console"));
  connect(m_batches, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::showItemsOfChosen);
  connect(m_items, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (const QTableWidgetItem* code = m_items->item(row, 0)) m_openItem(toStdString(code->text()));
  });
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(m_batches);
  splitter->addWidget(m_items);

  m_undo = new QPushButton(QStringLiteral("A&nnulla passaggio"), this);
  m_undo->setEnabled(false);
  connect(m_undo, &QPushButton::clicked, this, &HistoryWindow::undoChosen);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_undo);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(splitter, 1);
  layout->addLayout(buttons);
  refresh();
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::refresh() {
  services::HistoryFilter filter;
  filter.item = text(*m_item);
  filter.user = text(*m_user);
  filter.since = text(*m_since);
  filter.until = text(*m_until);
  for (const std::string& date : {filter.since, filter.until}) {
    if (!date.empty() && !services::isHistoryDate(date)) {
      say("La data " + date + " non è valida: scriverla come AAAA-MM-GG.", style::kExclamation);
      return;
    }
  }
  if (const std::string state = text(*m_state); !state.empty()) {
    long long code = 0;
    const auto [end, error] = std::from_chars(state.data(), state.data() + state.size(), code);
    if (error != std::errc() || end != state.data() + state.size()) {
      say("Lo stato è un numero: " + state + " non lo è.", style::kExclamation);
      return;
    }
    filter.state = code;
  }
  const long long chosen = chosenBatch();
  try {
    platform::qt::WaitCursor wait;
    m_rows = services::historyRows(*m_connection, m_host->global()->companyCode(), filter);
  } catch (const std::exception& error) {
    say(std::string("Lo storico non si può leggere:\n") + error.what(), style::kCritical);
    return;
  }
  const auto summaries = services::summariseBatches(m_rows);
  const QSignalBlocker quiet(m_batches);
  m_batches->clearContents();
  m_batches->setRowCount(static_cast<int>(summaries.size()));
  int keep = summaries.empty() ? -1 : 0;
  for (std::size_t row = 0; row < summaries.size(); ++row) {
    const auto& batch = summaries[row];
    setRow(*m_batches, static_cast<int>(row),
           {std::to_string(batch.batch), batch.when, batch.user, platform::text::italianCount(batch.items), batch.moves,
            batch.description});
    if (batch.batch == chosen) keep = static_cast<int>(row);
  }
  m_batches->resizeColumnsToContents();
  if (keep >= 0) m_batches->selectRow(keep);
  showItemsOfChosen();
}

long long HistoryWindow::chosenBatch() const {
  const auto rows = m_batches->selectionModel()->selectedRows();
  if (rows.isEmpty()) return 0;
  return m_batches->item(rows.front().row(), 0)->text().toLongLong();
}

void HistoryWindow::showItemsOfChosen() {
  const long long batch = chosenBatch();
  m_undo->setEnabled(batch != 0);
  m_items->clearContents();
  m_items->setRowCount(0);
  for (const auto& row : m_rows) {
    if (row.batch != batch) continue;
    const int at = m_items->rowCount();
    m_items->insertRow(at);
    setRow(*m_items, at, {row.item, stateText(row.previous), stateText(row.next), row.description});
  }
  m_items->resizeColumnsToContents();
}

void HistoryWindow::undoChosen() {
  const long long batch = chosenBatch();
  if (batch == 0) return;
  try {
    const auto global = m_host->global();
    const long long company = global->companyCode();
    const services::UndoPlan plan =
        services::planUndo(*m_connection, company, batch, services::assignableStates(*global, m_connection));
    if (plan.moving() == 0) {
      say("Nessun articolo del lotto " + std::to_string(batch) +
              " può tornare allo stato precedente:" + skippedLines(plan),
          style::kExclamation);
      return;
    }
    const int answer = m_display.showMessage(
        {plan.question() + skippedLines(plan), style::kYesNo | style::kQuestion, "Annulla passaggio"});
    if (answer != platform::host::kYes) return;
    services::StandinChangeRecorder recorder(global, m_host->objects()->recorderSettings(company));
    services::UndoOutcome outcome;
    {
      platform::qt::WaitCursor wait;
      outcome = services::executeUndo(m_connection, recorder, company, plan);
    }
    std::string result = platform::text::italianCount(outcome.moved) + " articoli del lotto " + std::to_string(batch) +
                         " sono tornati allo stato precedente";
    result += outcome.batch ? " (lotto " + std::to_string(*outcome.batch) + ")." : ".";
    if (outcome.moved != plan.moving()) {
      result += "\n" + platform::text::italianCount(plan.moving() - outcome.moved) +
                " sono cambiati nel frattempo e sono rimasti dove sono.";
    }
    say(result, style::kInformation);
  } catch (const std::exception& error) {
    say(std::string("Il passaggio non si può annullare:\n") + error.what(), style::kCritical);
  }
  refresh();
}

void HistoryWindow::say(const std::string& text, int messageStyle) {
  m_display.showMessage({text, messageStyle | style::kOkOnly, "Storico cambi di stato"});
}

QMdiSubWindow* openHistory(MainWindow& window) {
  const SignInChoice& signIn = window.signIn();
  std::unique_ptr<HistoryWindow> history;
  try {
    auto host = std::make_unique<services::StandinHost>(
        services::StandinHostOptions{window.connectionString(), signIn.company, signIn.user, window.display(), {}, {}});
    history = std::make_unique<HistoryWindow>(std::move(host), window.connectionString(), *window.display(),
                                              [&window](const std::string& item) { window.openConsole(item); });
  } catch (const std::exception& error) {
    window.display()->showMessage(
        {std::string("Lo storico non si può aprire:\n") + error.what(), style::kCritical, "Storico cambi di stato"});
    return nullptr;
  }
  QMdiSubWindow* sub = window.mdiArea()->addSubWindow(history.release());
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->resize(900, 560);
  sub->show();
  return sub;
}

void exportResults(MainWindow& window) {
  // The active console, or the one opened last when another window is active.
  ConsoleSubWindow* console = window.activeConsole();
  if (console == nullptr && !window.consoles().empty()) console = window.consoles().back();
  platform::host::ModuleWindow* module = console ? console->moduleWindow() : nullptr;
  auto* grid = module ? dynamic_cast<platform::controls::Grid*>(module->Controls().find("GRD_ARTICOLI")) : nullptr;
  if (grid == nullptr || !grid->dataSource() || grid->dataSource()->RecordCount() == 0) {
    window.display()->showMessage({"Nessun risultato da esportare: elaborare prima gli articoli in una console.",
                                   style::kInformation, "Esporta risultati"});
    return;
  }
  platform::qt::exportGridToFile(&window, *grid, QStringLiteral("articoli.csv"));
}

void addHistoryEntries(MainWindow& window, QMenu& menu) {
  QAction* history = menu.addAction(QStringLiteral("S&torico cambi di stato..."));
  history->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  QObject::connect(history, &QAction::triggered, &window, [&window] { openHistory(window); });
  QAction* results = menu.addAction(QStringLiteral("Es&porta risultati..."));
  results->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  QObject::connect(results, &QAction::triggered, &window, [&window] { exportResults(window); });
}

}  // namespace passaggio::desktop

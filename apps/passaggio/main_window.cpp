// The desktop host's frame.
#include "apps/passaggio/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cstdlib>
#include <functional>

#include "apps/passaggio/history_window.h"
#include "platform/db/connection.h"
#include "platform/db/connection_string.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/host/module_loader.h"
#include "platform/qt/host_style.h"
#include "platform/qt/qt_display.h"
#include "platform/qt/text.h"
#include "platform/services/global.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"

namespace passaggio::desktop {
namespace {

using platform::qt::toQString;
using platform::qt::toStdString;

const QKeySequence kNewConsoleKey(Qt::CTRL | Qt::Key_N);
constexpr int kCascadeTwips = 450;  // 30 pixels at 96 dots per inch

}  // namespace

QIcon applicationIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x27, 0x47, 0x6e));
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), 3 * unit, 3 * unit);
    // Two boxes and the arrow from the first to the second state.
    painter.setBrush(QColor(0xe8, 0xee, 0xf6));
    painter.drawRect(QRectF(2.5 * unit, 5 * unit, 4 * unit, 6 * unit));
    painter.setBrush(QColor(0xf2, 0xb6, 0x32));
    painter.drawRect(QRectF(9.5 * unit, 5 * unit, 4 * unit, 6 * unit));
    QPen arrow(Qt::white, 1.4 * unit);
    painter.setPen(arrow);
    painter.drawLine(QPointF(6.5 * unit, 8 * unit), QPointF(9 * unit, 8 * unit));
    painter.drawLine(QPointF(7.8 * unit, 6.8 * unit), QPointF(9 * unit, 8 * unit));
    painter.drawLine(QPointF(7.8 * unit, 9.2 * unit), QPointF(9 * unit, 8 * unit));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

MainWindow::MainWindow(platform::host::LoadedModule& module, std::shared_ptr<platform::host::Display> display,
                       QWidget* parent)
    : QMainWindow(parent), m_module(module) {
  setWindowTitle(QString::fromUtf8(kConsoleCaption));
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(applicationIcon());
  platform::qt::installHostStyle();
  setWindowIcon(QApplication::windowIcon());
  m_display = display ? std::move(display) : std::make_shared<platform::qt::QtDisplay>(this);

  m_area = new QMdiArea(this);
  m_area->setObjectName(QStringLiteral("consoles"));
  m_area->setBackground(QColor(0x5d, 0x6b, 0x7c));
  m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_area);
  m_windows = std::make_unique<MdiWindows>(*m_area, *m_display);
  platform::host::InstallWindowSystem(m_windows.get());

  m_companyLabel = new QLabel(this);
  m_userLabel = new QLabel(this);
  m_databaseLabel = new QLabel(this);
  m_traceLabel = new QLabel(QStringLiteral("Traccia attiva"), this);
  m_traceLabel->setStyleSheet(QStringLiteral("color: #8a5a00; font-weight: bold;"));
  m_traceLabel->hide();
  for (QLabel* label : {m_traceLabel, m_companyLabel, m_userLabel, m_databaseLabel}) {
    label->setContentsMargins(6, 0, 6, 0);
    statusBar()->addPermanentWidget(label);
  }
  m_progress = platform::qt::statusBarProgress(*statusBar());
  m_windows->setProgress(m_progress);
  m_windows->setNotice(platform::qt::statusBarNotice(*statusBar()));
  addConsoleStatus();

  buildMenus();
  connect(m_area, &QMdiArea::subWindowActivated, this, &MainWindow::subWindowActivated);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
  resize(1280, 800);
  updateStatus();
  updateActions();
}

MainWindow::~MainWindow() {
  disconnect(qApp, nullptr, this, nullptr);
  // The subwindows hold the views of the consoles' forms: they go first, and each takes its
  // console and that console's host with it (consoleGone).
  for (QMdiSubWindow* window : m_area->subWindowList()) delete window;
  m_consoles.clear();
  if (platform::host::CurrentWindowSystem() == m_windows.get()) platform::host::InstallWindowSystem(nullptr);
}

void MainWindow::addConsoleStatus() {
  // The active console's counts on the left of the status bar; progress covers them while
  // a run works.
  auto* status = new QLabel(statusBar());
  status->setObjectName(QStringLiteral("consoleStatus"));
  status->setContentsMargins(6, 0, 6, 0);
  statusBar()->addWidget(status, 1);
  m_windows->setStatusLabel(status);
}

void MainWindow::buildMenus() {
  const auto add = [this](QMenu* menu, Command command, const QString& text, const QKeySequence& keys,
                          std::function<void()> handler) {
    QAction* action = menu->addAction(text);
    if (!keys.isEmpty()) action->setShortcut(keys);
    connect(action, &QAction::triggered, this, std::move(handler));
    m_actions[command] = action;
  };
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  add(file, Command::NewConsole, QStringLiteral("&Nuova console"), kNewConsoleKey, [this] { openConsole(); });
  add(file, Command::OpenItem, QStringLiteral("&Apri articolo..."), QKeySequence(Qt::CTRL | Qt::Key_O),
      [this] { askItem(); });
  // The history of state changes and the export of the results.
  addHistoryEntries(*this, *file);
  add(file, Command::CloseConsole, QStringLiteral("&Chiudi console"), QKeySequence(Qt::CTRL | Qt::Key_W),
      [this] { closeConsole(activeConsole()); });
  file->addSeparator();
  add(file, Command::Quit, QStringLiteral("&Esci"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
  add(edit, Command::ChangeCompany, QStringLiteral("Cambia &ditta..."), {}, [this] { changeCompany(); });
  add(edit, Command::ExportToOffice, QStringLiteral("&Esporta in Office"), {}, [this] { exportToOffice(); });

  QMenu* windows = menuBar()->addMenu(QStringLiteral("F&inestra"));
  connect(windows->addAction(QStringLiteral("&Sovrapponi")), &QAction::triggered, m_area, &QMdiArea::cascadeSubWindows);
  connect(windows->addAction(QStringLiteral("&Affianca")), &QAction::triggered, m_area, &QMdiArea::tileSubWindows);
  QAction* next = windows->addAction(QStringLiteral("S&uccessiva"));
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F6));
  connect(next, &QAction::triggered, m_area, &QMdiArea::activateNextSubWindow);
  listConsolesIn(*windows);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Strumenti"));
  add(tools, Command::Trace, QStringLiteral("&Traccia istruzioni..."), {}, [this] { showTrace(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
  add(help, Command::About, QStringLiteral("&Informazioni"), {}, [this] { about(); });
}

void MainWindow::setSignIn(const SignInChoice& choice) {
  m_signIn = choice;
  m_companyName.clear();
  try {
    for (const Company& company : readSignInOffer(choice.database).companies) {
      if (choice.company == company.code) m_companyName = company.name;
    }
  } catch (const std::exception&) {
    // The name is only shown; a database that cannot be read says so when a console opens.
  }
  updateStatus();
}

std::string MainWindow::connectionString() const {
  std::string connection = sql::connectionStringFor(m_signIn.database);
  if (!m_traceFile.empty()) connection += ";trace=" + m_traceFile;
  return connection;
}

void MainWindow::setTraceFile(const std::string& file) {
  m_traceFile = file;
  updateStatus();
}

ConsoleSubWindow* MainWindow::openConsole(const std::optional<std::string>& item) {
  Console console;
  {
    platform::qt::WaitCursor wait;
    m_progress("Apertura della console...", 0, 0);
    try {
      console.host = std::make_unique<platform::services::StandinHost>(platform::services::StandinHostOptions{
          connectionString(), m_signIn.company, m_signIn.user, m_display, {}, {}});
      // The console's statements may take long: the windows repaint between them.
      console.host->objects()->setAfterStatement(platform::qt::repaintNow);
      console.object = m_module.Create("CLSMG_PASSAGGIO");
    } catch (const std::exception& error) {
      m_progress("", 0, 0);
      showMessage(QStringLiteral("La console non si può aprire:\n") + toQString(error.what()),
                  platform::host::style::kCritical);
      return nullptr;
    }
    console.host->attach(*console.object);
    console.object->LetCaption(platform::Variant(kConsoleCaption));
    console.object->LetIsActive(true);
    console.object->LetWindowState(m_windowState);
    // Each new console a step below and to the right of the last, as windows cascade: left
    // and top at 0 leave the first one where the console puts itself.
    const int step = static_cast<int>(consoles().size() % 8) * kCascadeTwips;
    console.object->LetLeft(platform::Variant(step == 0 ? 0 : 100 + step));
    console.object->LetTop(platform::Variant(step == 0 ? 0 : 100 + step));
    if (item) {
      console.object->LetIsCalled(true);
      console.object->LetProperty("CodiceArticolo", platform::Variant(*item));
    }
    if (m_beforeShow) m_beforeShow(*console.object);
    m_windows->takeShown();
    console.object->ShowForm();
    m_progress("", 0, 0);
  }
  ConsoleSubWindow* shown = m_windows->takeShown();
  if (shown == nullptr) {
    console.object->CloseForm();
    showMessage(QStringLiteral("La console non si è aperta."), platform::host::style::kCritical);
    return nullptr;
  }
  nameConsole(*shown, item);
  shown->setCloseRequest([this, shown] {
    const auto found = m_consoles.find(shown);
    return found == m_consoles.end() || found->second.object->CloseForm().toBool();
  });
  connect(shown, &QObject::destroyed, this, [this, shown] { consoleGone(shown); });
  m_consoles.emplace(shown, std::move(console));
  m_order.push_back(shown);
  shown->setReady();
  updateActions();
  return shown;
}

bool MainWindow::closeConsole(ConsoleSubWindow* console) {
  if (console == nullptr || !console->isOpen()) return true;
  const bool closed = console->requestClose();
  updateActions();
  return closed;
}

bool MainWindow::closeAllConsoles() {
  bool all = true;
  for (ConsoleSubWindow* console : consoles()) all = closeConsole(console) && all;
  return all;
}

std::vector<ConsoleSubWindow*> MainWindow::consoles() const {
  std::vector<ConsoleSubWindow*> open;
  for (ConsoleSubWindow* console : m_order) {
    if (console->isOpen()) open.push_back(console);
  }
  return open;
}

ConsoleSubWindow* MainWindow::activeConsole() const {
  auto* console = qobject_cast<ConsoleSubWindow*>(m_area->currentSubWindow());
  return console != nullptr && console->isOpen() ? console : nullptr;
}

platform::services::StandinHost* MainWindow::hostOf(const ConsoleSubWindow* console) const {
  const auto found = m_consoles.find(console);
  return found == m_consoles.end() ? nullptr : found->second.host.get();
}

void MainWindow::consoleGone(ConsoleSubWindow* console) {
  std::erase(m_order, console);
  m_consoles.erase(console);  // the plug-in object first, then its host
  updateActions();
}

bool MainWindow::companyChangeRefused() {
  std::vector<ConsoleSubWindow*> asked = consoles();
  if (ConsoleSubWindow* active = activeConsole()) {
    std::erase(asked, active);
    asked.insert(asked.begin(), active);
  }
  for (ConsoleSubWindow* console : asked) {
    if (hostOf(console)->navigator()->RaiseBeforeChangeDitta()) return true;
  }
  return false;
}

bool MainWindow::exportRefused() {
  ConsoleSubWindow* active = activeConsole();
  return active != nullptr && hostOf(active)->navigator()->RaiseBeforeExportToOffice();
}

void MainWindow::subWindowActivated(QMdiSubWindow* window) {
  auto* console = qobject_cast<ConsoleSubWindow*>(window);
  if (console != nullptr && console->ready()) console->moduleWindow()->Activate();
  updateActions();
}

void MainWindow::focusChanged(QWidget* now) {
  bool taken = false;
  for (QWidget* widget = now; widget != nullptr && !taken; widget = widget->parentWidget()) {
    for (const QShortcut* shortcut : widget->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
      taken = taken || (shortcut->isEnabled() && shortcut->keys().contains(kNewConsoleKey));
    }
  }
  m_actions[Command::NewConsole]->setShortcut(taken ? QKeySequence() : kNewConsoleKey);
}

void MainWindow::askItem() {
  bool ok = false;
  const QString code = QInputDialog::getText(this, QStringLiteral("Apri articolo"),
                                             QStringLiteral("Codice dell'articolo da controllare:"), QLineEdit::Normal,
                                             QString(), &ok)
                           .trimmed();
  if (!ok || code.isEmpty()) return;
  if (!itemExists(toStdString(code))) {
    showMessage(QStringLiteral("L'articolo %1 non esiste nella ditta %2.").arg(code).arg(m_signIn.company.value_or(0)),
                platform::host::style::kExclamation);
    return;
  }
  openConsole(toStdString(code));
}

void MainWindow::changeCompany() {
  if (companyChangeRefused()) return;
  SignInOffer offer;
  try {
    offer = readSignInOffer(m_signIn.database);
  } catch (const std::exception& error) {
    showMessage(toQString(error.what()), platform::host::style::kCritical);
    return;
  }
  QStringList names;
  int current = 0;
  for (const Company& company : offer.companies) {
    if (m_signIn.company == company.code) current = static_cast<int>(names.size());
    names << QStringLiteral("%1 - %2").arg(company.code).arg(toQString(company.name));
  }
  bool ok = false;
  const QString chosen = QInputDialog::getItem(this, QStringLiteral("Cambia ditta"), QStringLiteral("Ditta:"), names,
                                               current, false, &ok);
  if (!ok) return;
  SignInChoice choice = m_signIn;
  choice.company = offer.companies.at(static_cast<std::size_t>(names.indexOf(chosen))).code;
  if (const auto refused = checkSignIn(choice, m_display)) {
    showMessage(toQString(*refused), platform::host::style::kExclamation);
    return;
  }
  rememberChoice(choice);
  setSignIn(choice);
}

void MainWindow::exportToOffice() {
  if (exportRefused()) return;
  showMessage(QStringLiteral("Nessuna console aperta: non c'è nulla da esportare."),
              platform::host::style::kInformation);
}

void MainWindow::showTrace() {
  QDialog dialog(this);
  dialog.setWindowTitle(QStringLiteral("Traccia istruzioni"));
  const char* variable = std::getenv("PASSAGGIO_SQL_TRACE");
  const QString process = variable != nullptr && *variable != '\0'
                              ? QStringLiteral("PASSAGGIO_SQL_TRACE: %1 (tutte le connessioni)").arg(toQString(variable))
                              : QStringLiteral("PASSAGGIO_SQL_TRACE non è impostata.");
  const QString session = m_traceFile.empty()
                              ? QStringLiteral("Nessuna traccia per le console di questa sessione.")
                              : QStringLiteral("Le console aperte da ora scrivono in %1.").arg(toQString(m_traceFile));
  auto* intro = new QLabel(
      QStringLiteral("La traccia scrive ogni istruzione inviata al database, una riga JSON per istruzione.\n\n%1\n%2")
          .arg(process, session),
      &dialog);
  intro->setWordWrap(true);
  intro->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* enable = new QCheckBox(QStringLiteral("&Traccia le console aperte da ora in poi nel file:"), &dialog);
  auto* file = new QLineEdit(toQString(m_traceFile), &dialog);
  file->setMinimumWidth(360);
  auto* browse = new QPushButton(QStringLiteral("&Sfoglia..."), &dialog);
  enable->setChecked(!m_traceFile.empty());
  const auto follow = [file, browse](bool on) {
    file->setEnabled(on);
    browse->setEnabled(on);
  };
  follow(enable->isChecked());
  connect(enable, &QCheckBox::toggled, &dialog, follow);
  connect(browse, &QPushButton::clicked, &dialog, [&dialog, file] {
    const QString chosen = QFileDialog::getSaveFileName(&dialog, QStringLiteral("File di traccia"), file->text(),
                                                        QStringLiteral("Tracce (*.jsonl);;Tutti i file (*)"));
    if (!chosen.isEmpty()) file->setText(chosen);
  });
  auto* note = new QLabel(QStringLiteral("Le console già aperte continuano come prima."), &dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* layout = new QGridLayout(&dialog);
  layout->addWidget(intro, 0, 0, 1, 2);
  layout->addWidget(enable, 1, 0, 1, 2);
  layout->addWidget(file, 2, 0);
  layout->addWidget(browse, 2, 1);
  layout->addWidget(note, 3, 0, 1, 2);
  layout->addWidget(buttons, 4, 0, 1, 2);
  if (dialog.exec() != QDialog::Accepted) return;
  setTraceFile(enable->isChecked() ? toStdString(file->text().trimmed()) : std::string());
}

void MainWindow::about() {
  QMessageBox::about(this, QStringLiteral("Informazioni"),
                     QStringLiteral("<h3>%1</h3><p>Versione %2</p>"
                                    "<p>Configura gli enti di validazione, controlla gli articoli, raccoglie "
                                    "i visti e porta gli articoli approvati nel nuovo stato.</p>"
                                    "<p>Modulo RUZU_PASSAGGIO, classe CLSMG_PASSAGGIO.</p>")
                         .arg(QString::fromUtf8(kConsoleCaption), QStringLiteral(PASSAGGIO_VERSION)));
}

void MainWindow::showMessage(const QString& text, int style) {
  m_display->showMessage({toStdString(text), style, kConsoleCaption});
}

void MainWindow::updateStatus() {
  const QString company = m_signIn.company ? QString::number(*m_signIn.company) : QStringLiteral("-");
  m_companyLabel->setText(QStringLiteral("Ditta: %1%2").arg(company, m_companyName.empty()
                                                                        ? QString()
                                                                        : QStringLiteral(" - ") + toQString(m_companyName)));
  m_userLabel->setText(QStringLiteral("Utente: %1").arg(toQString(m_signIn.user)));
  // A connection string may carry a password: the status bar shows it masked.
  const QString database = toQString(platform::db::withoutSecrets(m_signIn.database.string()));
  m_databaseLabel->setText(QStringLiteral("Database: %1").arg(database));
  m_databaseLabel->setToolTip(database);
  m_traceLabel->setVisible(!m_traceFile.empty());
  m_traceLabel->setToolTip(toQString(m_traceFile));
  setWindowTitle(m_signIn.company ? QStringLiteral("%1 - Ditta %2").arg(QString::fromUtf8(kConsoleCaption), company)
                                  : QString::fromUtf8(kConsoleCaption));
}

void MainWindow::updateActions() {
  const bool any = !consoles().empty();
  m_actions[Command::CloseConsole]->setEnabled(any);
  m_actions[Command::ExportToOffice]->setEnabled(any);
}

// --- Window placement and the consoles told apart ----------------------------------------

void MainWindow::placeOnScreen() {
  const QByteArray saved = QSettings().value(QStringLiteral("finestra/geometria")).toByteArray();
  if (!saved.isEmpty() && restoreGeometry(saved)) return;
  // The first time, the whole of the screen's free room, whatever its size.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect room = screen->availableGeometry();
  resize(room.size());
  move(room.topLeft());
  setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::nameConsole(ConsoleSubWindow& console, const std::optional<std::string>& item) {
  ++m_opened;
  QString suffix;
  if (item) {
    suffix = QStringLiteral(" - articolo %1").arg(toQString(*item));
  } else if (m_opened > 1) {
    suffix = QStringLiteral(" (%1)").arg(m_opened);
  }
  console.setTitleSuffix(suffix);
}

void MainWindow::listConsolesIn(QMenu& menu) {
  QAction* separator = menu.addSeparator();
  connect(&menu, &QMenu::aboutToShow, this, [this, &menu, separator] {
    const QList<QAction*> actions = menu.actions();
    for (qsizetype i = actions.indexOf(separator) + 1; i < actions.size(); ++i) delete actions[i];
    int number = 0;
    for (ConsoleSubWindow* console : consoles()) {
      ++number;
      QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(number).arg(console->windowTitle()));
      entry->setCheckable(true);
      entry->setChecked(console == activeConsole());
      connect(entry, &QAction::triggered, this, [this, console = QPointer<ConsoleSubWindow>(console)] {
        if (!console.isNull()) m_area->setActiveSubWindow(console);
      });
    }
    separator->setVisible(number > 0);
  });
}

bool MainWindow::itemExists(const std::string& code) const {
  try {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(m_signIn.database));
    std::string quoted;
    for (const char c : code) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    const bool found = !connection
                            .Open("SELECT 1 FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = " +
                                  std::to_string(m_signIn.company.value_or(0)) + " AND MG66_CODART = '" + quoted + "'")
                            ->Eof();
    connection.Close();
    return found;
  } catch (const std::exception&) {
    return true;  // the console opens and says what is wrong with the database
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!closeAllConsoles()) {
    event->ignore();
    return;
  }
  QSettings().setValue(QStringLiteral("finestra/geometria"), saveGeometry());
  event->accept();
}

}  // namespace passaggio::desktop

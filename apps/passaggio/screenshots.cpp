// passaggio-screenshots: takes the pictures of the desktop host for the documentation, off
// screen, by driving the real window as a user would (clicks and keys through QTest): the
// sign-in, the frame at two screen sizes, every page of the console, an association being
// changed with a pick list and the exclusions dialog, a refusal message and the error display
// of a console whose database went away after sign-in.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QTableView>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>

#include "apps/passaggio/history_window.h"
#include "apps/passaggio/main_window.h"
#include "apps/passaggio/sign_in.h"
#include "platform/host/module_loader.h"
#include "platform/qt/edit_field_widget.h"
#include "platform/qt/error_dialog.h"
#include "platform/qt/form_view.h"
#include "platform/qt/grid_table_model.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/navigator_widget.h"
#include "platform/qt/side_bar_widget.h"

namespace passaggio::desktop {
namespace {

QString g_folder;
int g_saved = 0;
bool g_expecting = false;     // a dialog is about to open on purpose
bool g_acting = false;        // a dialog that opened on purpose is being answered
QWidget* g_window = nullptr;  // the main window, once there is one

void settle(int ms = 30) {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  QTest::qWait(ms);
}

// A top-level window as the window manager would frame it: a title bar over its contents.
QImage framed(QWidget& window) {
  const QImage inside = window.grab().toImage();
  constexpr int kTitle = 26;
  QImage image(inside.width() + 2, inside.height() + kTitle + 1, QImage::Format_ARGB32);
  image.fill(QColor(0x3c, 0x46, 0x53));
  QPainter painter(&image);
  painter.drawImage(1, kTitle, inside);
  painter.setPen(Qt::white);
  QFont font = window.font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(10, 0, image.width() - 20, kTitle), Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
  return image;
}

// The main window with a dialog open over it, centred as it opens.
QImage withDialog(QWidget& window, QWidget& dialog) {
  QImage image = framed(window);
  const QImage top = framed(dialog);
  QPainter painter(&image);
  painter.fillRect(image.rect(), QColor(0, 0, 0, 40));
  painter.drawImage((image.width() - top.width()) / 2, (image.height() - top.height()) / 2, top);
  return image;
}

// The window with the tool tip of the first failing cell of a column open over it, where the
// pointer resting on the cell would open it.
QImage withToolTip(QWidget& window, platform::qt::GridView& grid, const QString& caption) {
  const QAbstractItemModel& model = *grid.model();
  for (int column = 0; column < model.columnCount(); ++column) {
    if (model.headerData(column, Qt::Horizontal).toString().compare(caption, Qt::CaseInsensitive) != 0 &&
        grid.tableModel().column(column).field != caption.toStdString()) {
      continue;
    }
    for (int row = 0; row < model.rowCount(); ++row) {
      const QString tip = model.index(row, column).data(Qt::ToolTipRole).toString();
      if (!tip.startsWith(QStringLiteral("Non supera"))) continue;
      grid.scrollTo(model.index(row, column));
      const QRect cell = grid.visualRect(model.index(row, column));
      const QPoint at = grid.viewport()->mapTo(&window, cell.center());
      QToolTip::showText(grid.viewport()->mapToGlobal(cell.center()), tip, grid.viewport());
      settle(100);
      QImage image = framed(window);
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->inherits("QTipLabel")) {
          // Where the window system puts it: beside the pointer, kept on the screen.
          const QImage tip = top->grab().toImage();
          QPainter painter(&image);
          painter.drawImage(std::min(at.x() + 8, image.width() - tip.width() - 4), at.y() + 26 + 20, tip);
        }
      }
      QToolTip::hideText();
      return image;
    }
  }
  std::cerr << "passaggio-screenshots: nessun esito negativo in " << caption.toStdString() << "\n";
  return framed(window);
}

void save(const QImage& image, const QString& name) {
  const QString path = g_folder + QLatin1Char('/') + name + QStringLiteral(".png");
  if (!image.save(path)) {
    std::cerr << "passaggio-screenshots: impossibile scrivere " << path.toStdString() << "\n";
    std::exit(1);
  }
  ++g_saved;
  std::cout << path.toStdString() << std::endl;
}

// Runs `act` on the modal dialog that opens next, once it is open.
void onNextDialog(std::function<void(QWidget&)> act, int attempts = 400) {
  g_expecting = true;
  QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
    if (QWidget* dialog = QApplication::activeModalWidget()) {
      g_expecting = false;
      g_acting = true;
      settle(10);
      act(*dialog);
      g_acting = false;
      return;
    }
    if (attempts > 0) return onNextDialog(std::move(act), attempts - 1);
    g_expecting = false;
  });
}

// The button of a dialog by its caption without the mnemonic.
QAbstractButton* button(QWidget& dialog, const QString& caption) {
  for (QAbstractButton* found : dialog.findChildren<QAbstractButton*>()) {
    if (found->text().remove(QLatin1Char('&')) == caption) return found;
  }
  return nullptr;
}

// A dialog nobody expected (an error of a page, a question) is pictured, reported and
// closed, so that the run goes on and the picture shows what happened. A question of Yes and
// No ignores Escape (it could lose work): it is answered No.
void watchUnexpectedDialogs() {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [] {
    static int count = 0;
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || g_expecting || g_acting) return;
    const QString name = QStringLiteral("imprevisto-%1").arg(++count);
    save(g_window != nullptr ? withDialog(*g_window, *dialog) : framed(*dialog), name);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) std::cerr << "messaggio: " << box->text().toStdString() << "\n";
    if (QAbstractButton* no = button(*dialog, QStringLiteral("No"))) {
      QTest::mouseClick(no, Qt::LeftButton);
    } else {
      QTest::keyClick(dialog, Qt::Key_Escape);
    }
  });
  timer->start(300);
}

// Keys reach the window's shortcuts and menus only while it is the active window; a window
// off screen loses that when dialogs come and go, or when it is resized.
void activate(QWidget& window) {
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) std::cerr << "passaggio-screenshots: la finestra non è attiva\n";
}

void shortcut(QWidget& window, Qt::Key key) {
  activate(window);
  QTest::keyClick(&window, key, Qt::ControlModifier);
}

// Opens a menu of the menu bar by its mnemonic and chooses an entry by its own.
void menuCommand(MainWindow& window, Qt::Key menu, Qt::Key entry, MainWindow::Command command) {
  activate(window);
  QTest::keyClick(&window, menu, Qt::AltModifier);
  settle();
  if (QWidget* popup = QApplication::activePopupWidget()) {
    QTest::keyClick(popup, entry);
  } else {
    window.action(command)->trigger();  // no keyboard focus to open menus with: choose it all the same
  }
}

void clickPage(platform::qt::FormView& view, const QString& key) {
  auto* bar = view.widget<platform::qt::SideBarWidget>("SDB_PASSAGGIO");
  for (int i = 0; bar != nullptr && i < bar->count(); ++i) {
    if (bar->item(i)->data(Qt::UserRole + 1).toString() != key) continue;
    bar->scrollToItem(bar->item(i));
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, bar->visualItemRect(bar->item(i)).center());
    settle(60);
    return;
  }
  std::cerr << "passaggio-screenshots: nella barra laterale manca " << key.toStdString() << "\n";
}

// The associations page: the exclusions dialog of the saved association shown, with one
// field unticked but not confirmed; then the association being changed, with the families'
// pick list open over it (F3) and the page once a family was picked from it.
void associationShots(QWidget& window, platform::qt::FormView& view) {
  clickPage(view, QStringLiteral("ENTITA_ARGOMENTI"));
  if (auto* exclusions = view.widget<QAbstractButton>("CMD_DETTAGLIO_NOVALIDAZ")) {
    onNextDialog([&window](QWidget& dialog) {
      if (auto* fields = dialog.findChild<QAbstractItemView*>()) {
        QAbstractItemModel& model = *fields->model();
        for (int column = 0; column < model.columnCount(); ++column) {
          if (model.headerData(column, Qt::Horizontal).toString() != QStringLiteral("Sel")) continue;
          const QModelIndex tick = model.index(0, column);
          QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, fields->visualRect(tick).center());
          settle();
        }
      }
      save(withDialog(window, dialog), QStringLiteral("campi-esclusi"));
      if (auto* close = button(dialog, QStringLiteral("Annulla"))) QTest::mouseClick(close, Qt::LeftButton);
    });
    QTest::mouseClick(exclusions, Qt::LeftButton);
    settle(100);
  }
  auto* family = view.widget<QLineEdit>("TXT_MG0Q_CODFAM_MG53");
  if (family == nullptr) return;
  QTest::mouseClick(family, Qt::LeftButton);
  family->selectAll();
  QTest::keyClicks(family, QStringLiteral("B"));
  onNextDialog([&window](QWidget& list) {
    save(withDialog(window, list), QStringLiteral("lista-famiglie"));
    QTest::keyClick(&list, Qt::Key_Return);
  });
  QTest::keyClick(family, Qt::Key_F3);
  settle(100);
  save(framed(window), QStringLiteral("pagina-entita-argomenti-modifica"));
}

// Types a code into an edit field and leaves it with Enter.
void enterCode(platform::qt::FormView& view, const char* name, const QString& code) {
  auto* field = view.widget<platform::qt::EditFieldWidget>(name);
  if (field == nullptr) {
    std::cerr << "passaggio-screenshots: manca il campo " << name << "\n";
    return;
  }
  field->setFocus();
  QTest::keyClicks(field, code);
  QTest::keyClick(field, Qt::Key_Return);
  settle(60);
}

void pressNavigator(platform::qt::FormView& view, const char* name, platform::controls::GridNavigator::Button which) {
  if (auto* navigator = view.widget<platform::qt::NavigatorWidget>(name)) {
    QTest::mouseClick(navigator->button(which), Qt::LeftButton);
  } else {
    std::cerr << "passaggio-screenshots: manca il navigatore " << name << "\n";
  }
  settle(60);
}

// The history after an apply: the console applies the new states (answering its question
// Yes), the history window shows the batch, the undo asks (answered No), and the results
// grid offers its export in its context menu.
void pictureHistory(MainWindow& window, ConsoleSubWindow& console) {
  clickPage(*console.formView(), QStringLiteral("INT_MOD_DATI"));
  auto* process = console.formView()->widget<QAbstractButton>("CMD_ELABORA");
  if (process == nullptr) return;
  QTest::mouseClick(process, Qt::LeftButton);
  settle(300);
  if (auto* grid = console.formView()->widget<QTableView>("GRD_ARTICOLI")) {
    QTimer::singleShot(200, [&window] {
      if (QWidget* menu = QApplication::activePopupWidget()) {
        QImage image = framed(window);
        QPainter painter(&image);
        painter.drawImage(menu->mapTo(menu->window(), QPoint()) + window.mapFromGlobal(menu->pos()) + QPoint(1, 26),
                          menu->grab().toImage());
        painter.end();
        save(image, QStringLiteral("esporta"));
        menu->close();
      }
    });
    emit grid->customContextMenuRequested(grid->viewport()->rect().center());
    settle(100);
  }
  // The question says how many items will move, and the summary what the apply did.
  onNextDialog([&window](QWidget& box) {
    save(withDialog(window, box), QStringLiteral("domanda-aggiorna-stati"));
    QAbstractButton* yes = button(box, QStringLiteral("Sì"));
    if (yes == nullptr) yes = button(box, QStringLiteral("Yes"));
    if (yes == nullptr) return;
    onNextDialog([&window](QWidget& summary) {
      save(withDialog(window, summary), QStringLiteral("riepilogo-passaggio"));
      QTest::keyClick(&summary, Qt::Key_Return);
    });
    QTest::mouseClick(yes, Qt::LeftButton);
  });
  if (auto* apply = console.formView()->widget<QAbstractButton>("CMD_AGGSTATI")) QTest::mouseClick(apply, Qt::LeftButton);
  settle(300);

  shortcut(window, Qt::Key_H);
  settle(200);
  auto* history = window.findChild<HistoryWindow*>();
  if (history == nullptr) {
    std::cerr << "passaggio-screenshots: lo storico non si è aperto\n";
    return;
  }
  history->parentWidget()->showMaximized();
  settle(100);
  save(framed(window), QStringLiteral("storico"));
  onNextDialog([&window](QWidget& box) {
    save(withDialog(window, box), QStringLiteral("annulla-passaggio"));
    if (QAbstractButton* no = button(box, QStringLiteral("No"))) QTest::mouseClick(no, Qt::LeftButton);
  });
  QTest::mouseClick(history->undoButton(), Qt::LeftButton);
  settle(100);
  history->parentWidget()->close();
  settle(100);
}

// --- The frame maximised on a 1366x768 screen ------------------------------------------------

// The screen as it is: the windows where they are (the main window, and a dialog over it where
// it opened), with their titles as the window manager would draw them.
QImage onScreen(QWidget& window, QWidget* dialog = nullptr) {
  const QScreen* screen = window.screen();
  QImage image(screen->geometry().size(), QImage::Format_ARGB32);
  image.fill(QColor(0x20, 0x24, 0x2a));
  QPainter painter(&image);
  for (QWidget* top : {&window, dialog}) {
    if (top == nullptr) continue;
    const QImage shot = framed(*top);
    painter.drawImage(top->geometry().topLeft() - QPoint(1, 26), shot);
  }
  return image;
}

// The main window maximised on the small screen, the console maximised in it: the results with
// the status bar saying that the ticks were saved; the exclusions dialog, the history and the
// sign-in each where it opens, centred on the window. The window stays maximised: the error
// display that comes last is pictured there too.
void smallScreenShots(MainWindow& window, ConsoleSubWindow& console) {
  window.showMaximized();
  console.showMaximized();
  settle(200);
  platform::qt::FormView& view = *console.formView();
  clickPage(view, QStringLiteral("INT_MOD_DATI"));
  auto* detail = view.widget<platform::qt::GridView>("GRD_DATIART_CAMPI");
  if (detail != nullptr && detail->isVisible()) {
    detail->setFocus();
    QTest::keyClick(detail, Qt::Key_S, Qt::ControlModifier);
    settle(100);
  }
  save(onScreen(window), QStringLiteral("finestra-1366x768"));

  clickPage(view, QStringLiteral("ENTITA_ARGOMENTI"));
  // The association changed above is let go: the exclusions are those of a saved one.
  pressNavigator(view, "GRIDNAV_ENTITA_ARG", platform::controls::GridNavigator::Button::Cancel);
  auto* exclusions = view.widget<QAbstractButton>("CMD_DETTAGLIO_NOVALIDAZ");
  if (exclusions != nullptr && exclusions->isEnabled()) {
    onNextDialog([&window](QWidget& dialog) {
      save(onScreen(window, &dialog), QStringLiteral("campi-esclusi-1366x768"));
      if (auto* close = button(dialog, QStringLiteral("Annulla"))) QTest::mouseClick(close, Qt::LeftButton);
    });
    QTest::mouseClick(exclusions, Qt::LeftButton);
    settle(100);
  }

  shortcut(window, Qt::Key_H);
  settle(200);
  if (auto* history = window.findChild<HistoryWindow*>()) {
    save(onScreen(window), QStringLiteral("storico-1366x768"));
    history->parentWidget()->close();
    settle(100);
  }

  SignInDialog signIn(window.signIn(), &window);
  signIn.show();
  settle(100);
  save(onScreen(window, &signIn), QStringLiteral("accesso-1366x768"));
  signIn.reject();
  settle(100);
}

int run(const std::filesystem::path& database, platform::host::LoadedModule& module) {
  // The sign-in, with a user chosen from the keyboard.
  SignInChoice choice{database, std::nullopt, {}};
  {
    SignInDialog dialog(choice);
    dialog.show();
    settle();
    QTest::keyClick(dialog.userBox(), Qt::Key_Down);
    settle();
    save(framed(dialog), QStringLiteral("accesso"));
    QTest::mouseClick(dialog.signInButton(), Qt::LeftButton);
    choice = dialog.choice();
  }
  if (const auto refused = checkSignIn(choice, nullptr)) {
    std::cerr << "passaggio-screenshots: accesso rifiutato: " << *refused << "\n";
    return 1;
  }

  MainWindow window(module);
  g_window = &window;
  watchUnexpectedDialogs();
  window.setSignIn(choice);
  window.resize(1366, 768);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  ConsoleSubWindow* console = window.openConsole();
  if (console == nullptr) return 1;
  settle(100);
  save(framed(window), QStringLiteral("console-1366x768"));

  const std::pair<const char*, const char*> pages[] = {
      {"ENTITA", "pagina-entita"},
      {"ARGOMENTI", "pagina-argomenti"},
      {"DETT_ARGOMENTI", "pagina-dett-argomenti"},
      {"ENTITA_ARGOMENTI", "pagina-entita-argomenti"},
      {"INT_MOD_DATI", "pagina-int-mod-dati"},
  };
  for (const auto& [key, name] : pages) {
    clickPage(*console->formView(), QString::fromLatin1(key));
    // The fields page shows the fields of a body chosen in its header.
    if (std::string_view(key) == "DETT_ARGOMENTI") enterCode(*console->formView(), "TXT_ARGOMENTO", QStringLiteral("QUALITA"));
    save(framed(window), QString::fromLatin1(name));
  }
  // The item page's filter filled in as a user does (each value confirmed with Enter, which shows
  // its description), then emptied again so that the run below takes every item.
  const std::pair<const char*, const char*> filter[] = {
      {"Famiglia.first", "BUL"}, {"Famiglia.second", "RON"}, {"Descrizione articolo.first", "zinc"},
      {"Marca.first", "VITEK"}, {"Stato articolo.first", "10"}, {"Stato articolo.second", "30"},
      {"Attributo MATERIALE.first", "inox"}};
  for (const auto& [edit, text] : filter) {
    if (auto* line = console->formView()->findChild<QLineEdit*>(QString::fromUtf8(edit))) {
      line->setFocus();
      QTest::keyClicks(line, QString::fromUtf8(text));
      QTest::keyClick(line, Qt::Key_Return);
    }
  }
  // The material is a text it contains: chosen from the keyboard beside the value.
  if (auto* match = console->formView()->findChild<QComboBox*>(QStringLiteral("Attributo MATERIALE.match"))) {
    match->setFocus();
    QTest::keyClick(match, Qt::Key_Down);
  }
  // Maximised, the page shows every field and the attributes below them.
  console->showMaximized();
  settle(100);
  save(framed(window), QStringLiteral("filtro"));
  console->showNormal();
  if (auto* clear = console->formView()->findChild<QPushButton*>(QStringLiteral("ADVQ_ARTICOLI.clear"))) {
    QTest::mouseClick(clear, Qt::LeftButton);
  }

  associationShots(window, *console->formView());
  // A new body saved with its start and end states left equal: the editor refuses it.
  {
    using Button = platform::controls::GridNavigator::Button;
    platform::qt::FormView& view = *console->formView();
    clickPage(view, QStringLiteral("ARGOMENTI"));
    pressNavigator(view, "GRIDNAV_ARGOMENTI", Button::New);
    enterCode(view, "TXT_MG0M_ARGOMENTO", QStringLiteral("COLLAUDO"));
    enterCode(view, "TXT_UTENTE_RESPONSABILE", QStringLiteral("FNERI"));
    onNextDialog([&window](QWidget& box) {
      save(withDialog(window, box), QStringLiteral("messaggio-argomenti"));
      QTest::keyClick(&box, Qt::Key_Return);
    });
    pressNavigator(view, "GRIDNAV_ARGOMENTI", Button::Save);
    pressNavigator(view, "GRIDNAV_ARGOMENTI", Button::Cancel);
  }

  window.resize(1920, 1080);
  settle(100);
  // The results page: a run on the item page, the first item current with its field detail.
  clickPage(*console->formView(), QStringLiteral("INT_MOD_DATI"));
  if (auto* process = console->formView()->widget<QAbstractButton>("CMD_ELABORA")) {
    QTest::mouseClick(process, Qt::LeftButton);
    settle(300);
    save(framed(window), QStringLiteral("risultati"));
    // Maximised, the grids take the room the window gained.
    console->showMaximized();
    settle(100);
    save(framed(window), QStringLiteral("risultati-massimizzata"));
    // On a small screen the code, the description and the verdicts still show; resting on a
    // verdict cell tells why.
    window.resize(1366, 768);
    settle(200);
    save(framed(window), QStringLiteral("risultati-1366x768"));
    if (auto* items = console->formView()->widget<platform::qt::GridView>("GRD_ARTICOLI")) {
      save(withToolTip(window, *items, QStringLiteral("ACQUISTI")), QStringLiteral("motivo-esito"));
      // Scrolled to the last verdicts, the code and the description stay.
      items->horizontalScrollBar()->setValue(items->horizontalScrollBar()->maximum());
      settle(100);
      save(framed(window), QStringLiteral("risultati-scorsi-1366x768"));
      items->horizontalScrollBar()->setValue(0);
    }
    console->showNormal();
    window.resize(1920, 1080);
    settle(100);
  }
  clickPage(*console->formView(), QStringLiteral("ENTITA"));
  save(framed(window), QStringLiteral("console-1920x1080"));
  // A second console, cascaded over the first.
  menuCommand(window, Qt::Key_F, Qt::Key_N, MainWindow::Command::NewConsole);
  settle(100);
  if (window.consoles().size() == 2) {
    clickPage(*window.consoles()[1]->formView(), QStringLiteral("ARGOMENTI"));
    save(framed(window), QStringLiteral("due-console-1920x1080"));
    shortcut(window, Qt::Key_W);
    settle(100);
  }
  window.resize(1366, 768);
  settle(100);

  // The console refuses a company change while it is open, and says so.
  onNextDialog([&window](QWidget& box) {
    save(withDialog(window, box), QStringLiteral("messaggio-cambia-ditta"));
    QTest::keyClick(&box, Qt::Key_Return);
  });
  menuCommand(window, Qt::Key_M, Qt::Key_D, MainWindow::Command::ChangeCompany);
  settle(100);
  pictureHistory(window, *console);
  smallScreenShots(window, *console);

  // A second console whose database goes away once it is signed in, before it opens its own
  // connection: the error display, with its details open; every later error is aborted.
  const std::filesystem::path moved = database.string() + ".spostato";
  window.setBeforeShow([&](platform::host::PluginObject&) { std::filesystem::rename(database, moved); });
  std::function<void(QWidget&)> answer;
  bool pictured = false;
  answer = [&](QWidget& dialog) {
    if (auto* error = qobject_cast<platform::qt::ErrorDialog*>(&dialog); error != nullptr && !pictured) {
      pictured = true;
      QTest::mouseClick(error->detailsButton(), Qt::LeftButton);
      settle();
      save(withDialog(window, dialog), QStringLiteral("errore"));
      save(onScreen(window, &dialog), QStringLiteral("errore-1366x768"));
    }
    if (auto* abort = button(dialog, QStringLiteral("Interrompi"))) {
      QTest::mouseClick(abort, Qt::LeftButton);
    } else {
      QTest::keyClick(&dialog, Qt::Key_Escape);
    }
    onNextDialog(answer, 20);
  };
  onNextDialog(answer);
  menuCommand(window, Qt::Key_F, Qt::Key_N, MainWindow::Command::NewConsole);
  settle(200);
  window.setBeforeShow({});
  if (std::filesystem::exists(moved)) std::filesystem::rename(moved, database);
  if (!pictured) std::cerr << "passaggio-screenshots: la finestra d'errore non si è aperta\n";

  // Quit from the keyboard: every console is asked to close.
  shortcut(window, Qt::Key_Q);
  settle(100);
  g_window = nullptr;
  if (!window.consoles().empty()) {
    std::cerr << "passaggio-screenshots: una console non si è chiusa\n";
    return 1;
  }
  return pictured ? 0 : 1;
}

}  // namespace
}  // namespace passaggio::desktop

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "uso: passaggio-screenshots CARTELLA DATABASE\n"
                 "salva le immagini della finestra nella cartella, lavorando su DATABASE (che modifica)\n";
    return 2;
  }
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("passaggio"));
  QApplication::setApplicationName(QStringLiteral("passaggio"));
  QApplication::setWindowIcon(passaggio::desktop::applicationIcon());
  passaggio::desktop::g_folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(passaggio::desktop::g_folder);

  std::error_code ignored;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ignored);
  platform::host::MemoryRegistry registry;
  platform::host::LoadedModule module((self.parent_path() / "RUZU_PASSAGGIO.so").string(), registry);
  const int result = passaggio::desktop::run(argv[2], module);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  if (!module.Unload()) std::cerr << "passaggio-screenshots: il modulo è ancora in uso\n";
  std::cout << passaggio::desktop::g_saved << " immagini\n";
  return result;
}

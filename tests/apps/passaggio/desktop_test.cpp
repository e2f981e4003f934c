// The desktop host with the real module: consoles as MDI children, pages through the side
// bar, the navigator's refusals, closing (refused or not), two consoles apart, and quitting.
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QPointer>
#include <fstream>
#include <regex>
#include <set>

#include "platform/qt/edit_field_widget.h"
#include "platform/qt/form_view.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/twips.h"
#include "platform/services/standin_host.h"
#include "tests/apps/passaggio/desktop_fixture.h"

namespace passaggio::desktop::testing {
namespace {

using platform::services::ScriptedDisplay;

constexpr const char* kFrames[] = {"FRAME_ENTITA",        "FRAME_ENTEVALIDAZIONE", "FRAME_ARG_ENTITA",
                                   "FRAME_DETTAGLIO_ARG", "FRAME_INTERROGAZ",      "FRAME_INTERROGAZ_RIS"};

std::vector<ScriptedDisplay::Shown> messagesTitled(const ScriptedDisplay& display, const std::string& title) {
  std::vector<ScriptedDisplay::Shown> found;
  for (const auto& shown : display.messages()) {
    if (shown.title == title) found.push_back(shown);
  }
  return found;
}

TEST_F(DesktopTest, ConsolesOpenAsSubwindowsPlacedAndSizedByTheirContainer) {
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  settle();
  EXPECT_EQ(m_window->mdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(console->windowTitle(), QString::fromUtf8(kConsoleCaption));
  EXPECT_FALSE(console->isMaximized());
  // The console leaves its position to the host (0), so its container puts it at 100 twips,
  // and gives it the form's outer width.
  const auto scale = platform::qt::TwipsScale::of(*console);
  EXPECT_EQ(console->pos(), QPoint(scale.toPixelsX(100), scale.toPixelsY(100)));
  EXPECT_EQ(console->width(), scale.toPixelsX(15330));
  EXPECT_TRUE(m_display->errors().empty()) << m_display->errors().front().description;

  ConsoleSubWindow* second = m_window->openConsole();
  ASSERT_NE(second, nullptr);
  settle();
  EXPECT_GT(second->pos().x(), console->pos().x()) << "a second console does not hide the first";
  EXPECT_GT(second->pos().y(), console->pos().y());

  m_window->setConsoleWindowState(2);
  ConsoleSubWindow* maximised = m_window->openConsole();
  ASSERT_NE(maximised, nullptr);
  settle();
  EXPECT_TRUE(maximised->isMaximized());
  EXPECT_EQ(m_window->activeConsole(), maximised);
}

TEST_F(DesktopTest, AConsoleOpenedOverAMaximisedOneFollowsItsWindowMaximisedAndRestored) {
  // The room the design leaves under the side bar: whatever the window's size, the side bar
  // follows the window's bottom edge at that distance.
  const auto roomUnderSideBar = [](ConsoleSubWindow& console) {
    const platform::qt::FormView& view = *console.formView();
    return view.height() - view.widgetFor("SDB_PASSAGGIO")->geometry().bottom();
  };
  m_window->setConsoleWindowState(2);
  ConsoleSubWindow* first = m_window->openConsole();
  ASSERT_NE(first, nullptr);
  settle();
  ASSERT_TRUE(first->isMaximized());
  const int room = roomUnderSideBar(*first);
  const int height = first->formView()->height();
  for (const bool forItem : {false, true}) {
    SCOPED_TRACE(forItem ? "an item's console" : "a new console");
    ConsoleSubWindow* console =
        forItem ? m_window->openConsole(std::string("FRESA-MD-D10")) : m_window->openConsole();
    ASSERT_NE(console, nullptr);
    settle();
    ASSERT_TRUE(console->isMaximized());
    EXPECT_EQ(console->formView()->height(), height);
    EXPECT_EQ(roomUnderSideBar(*console), room) << "maximised";
    console->showNormal();
    settle();
    EXPECT_EQ(roomUnderSideBar(*console), room) << "restored";
    console->resize(console->width(), console->height() + 60);
    settle();
    EXPECT_EQ(roomUnderSideBar(*console), room) << "restored and made taller";
  }
}

TEST_F(DesktopTest, EveryPageOfTheSideBarShowsItsFrameAndHidesTheOthers) {
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  platform::qt::FormView& view = *console->formView();
  const struct {
    const char* key;
    const char* frame;
  } pages[] = {
      {"ARGOMENTI", "FRAME_ENTEVALIDAZIONE"},   {"DETT_ARGOMENTI", "FRAME_DETTAGLIO_ARG"},
      {"ENTITA_ARGOMENTI", "FRAME_ARG_ENTITA"}, {"INT_MOD_DATI", "FRAME_INTERROGAZ"},
      {"ENTITA", "FRAME_ENTITA"},
  };
  for (const auto& page : pages) {
    SCOPED_TRACE(page.key);
    clickPage(view, QString::fromLatin1(page.key));
    settle();
    for (const char* frame : kFrames) {
      QWidget* widget = view.widgetFor(frame);
      ASSERT_NE(widget, nullptr) << frame;
      EXPECT_EQ(widget->isVisible(), std::string_view(frame) == page.frame) << frame;
    }
    const bool items = std::string_view(page.key) == "INT_MOD_DATI";
    EXPECT_EQ(view.widgetFor("CMD_ELABORA")->isVisible(), items);
  }
}

TEST_F(DesktopTest, TheSideBarsArrowsMoveTheFocusAndEnterSwitchesThePage) {
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  platform::qt::FormView& view = *console->formView();
  clickPage(view, QStringLiteral("ENTITA"));
  settle();
  auto* bar = view.widget<platform::qt::SideBarWidget>("SDB_PASSAGGIO");
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Down);
  settle();
  EXPECT_TRUE(view.widgetFor("FRAME_ENTITA")->isVisible());
  ASSERT_EQ(bar->selectedItems().size(), 1);
  EXPECT_EQ(bar->selectedItems()[0]->data(Qt::UserRole + 1).toString(), QStringLiteral("ENTITA"))
      << "the highlight stays on the page shown";
  // The focus mark, amber, is drawn round the link the arrow reached.
  const QImage shot = bar->viewport()->grab().toImage();
  const QRect marked = bar->visualItemRect(bar->item(1));
  int amber = 0;
  for (int x = marked.left(); x <= marked.right(); ++x) {
    amber += shot.pixelColor(x, marked.top() + 1) == QColor(0xf2, 0xb6, 0x32);
  }
  EXPECT_GT(amber, marked.width() / 4);
  QTest::keyClick(bar, Qt::Key_Return);
  settle();
  EXPECT_TRUE(view.widgetFor("FRAME_ENTEVALIDAZIONE")->isVisible());
  EXPECT_EQ(bar->selectedItems()[0]->data(Qt::UserRole + 1).toString(), QStringLiteral("ARGOMENTI"));
}

TEST_F(DesktopTest, F3OpensThePickListOfEveryLookUpFieldWhereTheCaretIs) {
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  platform::qt::FormView& view = *console->formView();
  const auto opensItsList = [&](QLineEdit& edit) {
    SCOPED_TRACE(edit.objectName().toStdString());
    QTest::mouseClick(&edit, Qt::LeftButton);
    m_display->clear();
    QTest::keyClick(&edit, Qt::Key_F3);
    settle();
    EXPECT_EQ(m_display->pickLists().size(), 1u);
  };
  int editors = 0;
  for (const char* page : {"ARGOMENTI", "DETT_ARGOMENTI", "ENTITA_ARGOMENTI"}) {
    clickPage(view, QString::fromLatin1(page));
    settle();
    for (auto* edit : view.findChildren<platform::qt::EditFieldWidget*>()) {
      if (!edit->field().isLookup() || !edit->isVisible() || !edit->isEnabled()) continue;
      opensItsList(*edit);
      ++editors;
    }
  }
  EXPECT_GE(editors, 5) << "the editors' code fields were tried";
  clickPage(view, QStringLiteral("INT_MOD_DATI"));
  settle();
  for (const char* filter : {"Famiglia.first", "Famiglia.second", "Marca.first", "Stato articolo.second"}) {
    auto* edit = view.findChild<QLineEdit*>(QString::fromLatin1(filter));
    ASSERT_NE(edit, nullptr) << filter;
    opensItsList(*edit);
  }
}

TEST_F(DesktopTest, AnOpenConsoleRefusesCompanyChangeAndExportAndSaysWhy) {
  EXPECT_FALSE(m_window->action(MainWindow::Command::ExportToOffice)->isEnabled());
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  EXPECT_TRUE(m_window->action(MainWindow::Command::ExportToOffice)->isEnabled());

  m_window->action(MainWindow::Command::ChangeCompany)->trigger();
  auto shown = messagesTitled(*m_display, kConsoleCaption);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].text.find("cambiare ditta"), std::string::npos) << shown[0].text;
  EXPECT_EQ(m_window->signIn().company, 1) << "the company stays";

  m_window->action(MainWindow::Command::ExportToOffice)->trigger();
  shown = messagesTitled(*m_display, kConsoleCaption);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(shown[1].text.find("esportazione"), std::string::npos) << shown[1].text;

  ASSERT_TRUE(m_window->closeConsole(console));
  settle();
  EXPECT_FALSE(m_window->companyChangeRefused()) << "nobody is left to refuse";
  EXPECT_FALSE(m_window->action(MainWindow::Command::ExportToOffice)->isEnabled());
}

TEST_F(DesktopTest, ASecondConsoleWorksOnAWorkingTableOfItsOwn) {
  const std::filesystem::path trace = m_file.string() + ".trace.jsonl";
  std::filesystem::remove(trace);
  m_window->setTraceFile(trace.string());
  ASSERT_NE(m_window->openConsole(), nullptr);
  ASSERT_NE(m_window->openConsole(), nullptr);
  EXPECT_EQ(m_window->consoles().size(), 2u);

  // Every statement of the two consoles went to the session's trace: the entity working
  // tables named there are two, one per console.
  std::ifstream in(trace);
  ASSERT_TRUE(in) << "the consoles opened after the trace was turned on trace";
  const std::regex table("##TableEntita_[A-Za-z0-9_]+");
  std::set<std::string> tables;
  for (std::string line; std::getline(in, line);) {
    for (auto it = std::sregex_iterator(line.begin(), line.end(), table); it != std::sregex_iterator(); ++it) {
      tables.insert(it->str());
    }
  }
  EXPECT_EQ(tables.size(), 2u);
  m_window->closeAllConsoles();
  settle();
  std::filesystem::remove(trace);
}

TEST_F(DesktopTest, CalledModeOpensTheConsoleForOneItemAndShowsItsCodeWhole) {
  ConsoleSubWindow* console = m_window->openConsole(std::string("FRESA-MD-D10"));
  ASSERT_NE(console, nullptr);
  settle();
  EXPECT_FALSE(console->formView()->widgetFor("FRAME_ENTITA")->isVisible());
  auto* items = console->formView()->widget<platform::qt::GridView>("GRD_ARTICOLI");
  ASSERT_NE(items, nullptr);
  ASSERT_EQ(items->model()->rowCount(), 1);
  EXPECT_GT(items->columnWidth(0), items->fontMetrics().horizontalAdvance(QStringLiteral("FRESA-MD-D10")));
}

TEST_F(DesktopTest, ConsolesAreToldApartAndListedAndAnUnknownItemOpensNone) {
  ConsoleSubWindow* first = m_window->openConsole();
  ConsoleSubWindow* second = m_window->openConsole();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first->windowTitle(), second->windowTitle());

  QMenu* windows = nullptr;
  for (QAction* menu : m_window->menuBar()->actions()) {
    if (menu->text() == QStringLiteral("F&inestra")) windows = menu->menu();
  }
  ASSERT_NE(windows, nullptr);
  emit windows->aboutToShow();
  QStringList listed;
  for (QAction* entry : windows->actions()) {
    if (entry->isCheckable()) listed << entry->text().section(QLatin1Char(' '), 1);
  }
  EXPECT_EQ(listed, (QStringList{first->windowTitle(), second->windowTitle()}));

  for (const auto& [code, opened] : {std::pair{"NON-ESISTE", false}, {"FRESA-MD-D10", true}}) {
    SCOPED_TRACE(code);
    m_display->clear();
    const std::size_t before = m_window->consoles().size();
    onNextDialog([code = code](QWidget& dialog) {
      QTest::keyClicks(dialog.findChild<QLineEdit*>(), QString::fromLatin1(code));
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    m_window->action(MainWindow::Command::OpenItem)->trigger();
    settle();
    EXPECT_EQ(m_window->consoles().size(), before + (opened ? 1 : 0));
    EXPECT_EQ(m_display->messages().size(), opened ? 0u : 1u);
    if (opened) {
      EXPECT_TRUE(m_window->consoles().back()->windowTitle().endsWith(QString::fromLatin1(code)));
    }
    EXPECT_TRUE(m_window->statusBar()->currentMessage().isEmpty());
  }
}

TEST_F(DesktopTest, TheKeyboardOpensAndClosesConsoles) {
  m_window->activateWindow();
  for (const auto& [key, consoles] : {std::pair{Qt::Key_N, 1u}, {Qt::Key_N, 2u}, {Qt::Key_W, 1u}}) {
    QTest::keyClick(m_window.get(), key, Qt::ControlModifier);
    settle();
    ASSERT_EQ(m_window->consoles().size(), consoles);
  }
}

TEST_F(DesktopTest, ARefusedCloseKeepsTheSubwindowAndQuittingAsksEveryConsole) {
  QPointer<ConsoleSubWindow> keeps = m_window->openConsole();
  ConsoleSubWindow* goes = m_window->openConsole();
  ASSERT_NE(keeps, nullptr);
  ASSERT_NE(goes, nullptr);
  m_window->hostOf(keeps)->scripts()->setCancelClose(true);
  keeps->close();  // the close box of the subwindow
  settle();
  ASSERT_FALSE(keeps.isNull());
  EXPECT_TRUE(keeps->isVisible());
  EXPECT_TRUE(keeps->isOpen());
  EXPECT_FALSE(m_window->closeConsole(keeps));

  m_window->action(MainWindow::Command::Quit)->trigger();
  settle();
  EXPECT_TRUE(m_window->isVisible()) << "one console refused: the program stays";
  ASSERT_EQ(m_window->consoles().size(), 1u);
  EXPECT_EQ(m_window->consoles()[0], keeps) << "the other one was closed all the same";
  EXPECT_EQ(m_window->mdiArea()->subWindowList().size(), 1);
  EXPECT_FALSE(m_module.CanUnload());

  m_window->hostOf(keeps)->scripts()->setCancelClose(false);
  m_window->action(MainWindow::Command::Quit)->trigger();
  settle();
  EXPECT_TRUE(keeps.isNull()) << "the subwindow goes with the console";
  EXPECT_FALSE(m_window->isVisible());
  EXPECT_TRUE(m_window->consoles().empty());
  m_window.reset();
  settle();
  EXPECT_TRUE(m_module.CanUnload()) << "nothing of the module outlives the window";
  EXPECT_TRUE(m_module.Unload());
}

}  // namespace
}  // namespace passaggio::desktop::testing

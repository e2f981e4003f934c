// Processing on the desktop, through the widgets alone: what the module decides is checked
// headless; here, that the views paint it and that clicks and the status bar reach it. A run
// from the process button, the verdicts the items grid paints, the field detail of the item
// clicked, ticking and saving a sign-off, and closing a console whose ticks were not saved.
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QApplication>
#include <QLineEdit>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/qt/grid_table_model.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/images.h"
#include "platform/qt/navigator_widget.h"
#include "tests/apps/passaggio/desktop_fixture.h"

namespace passaggio::desktop::testing {
namespace {

using platform::controls::GridNavigator;
using platform::qt::GridView;
namespace image = platform::qt::image_names;

constexpr const char* kSavePrompt = "Salvare le modifiche effettuate sui visti?";
// Fails ACQUISTI for want of the sample's sign-off alone; SFERRARI, in ACQUISTI's group, may give it.
constexpr const char* kUnsignedItem = "FRESA-MD-D10";
constexpr const char* kBuyer = "SFERRARI";

const QColor kFails(173, 207, 247);
const QColor kPasses(255, 255, 255);
const QColor kCanTick(189, 203, 0);

QModelIndex cellOf(const GridView& view, int row, std::string_view field) {
  const auto& model = view.tableModel();
  for (int section = 0; section < model.columnCount(); ++section) {
    if (model.column(section).field == field) return model.index(row, section);
  }
  ADD_FAILURE() << view.objectName().toStdString() << " has no column " << field;
  return {};
}

//! A cell's text as the view shows it, without the padding of fixed-width columns.
QString textOf(const GridView& view, int row, std::string_view field) {
  return cellOf(view, row, field).data(Qt::DisplayRole).toString().trimmed();
}

//! The row showing `text` in `field` (a hidden column counts); -1, and a failure, when none does.
int rowShowing(const GridView& view, std::string_view field, const QString& text) {
  for (int row = 0; row < view.model()->rowCount(); ++row) {
    if (textOf(view, row, field) == text) return row;
  }
  ADD_FAILURE() << view.objectName().toStdString() << ": no row shows " << text.toStdString() << " in " << field;
  return -1;
}

//! The name of the image a cell shows, as the image lists name them; "" for none.
std::string imageOf(const GridView& view, int row, std::string_view field) {
  const QVariant shown = cellOf(view, row, field).data(Qt::DecorationRole);
  if (!shown.canConvert<QPixmap>()) return "";
  const QImage pixels = shown.value<QPixmap>().toImage();
  for (std::string_view name : {image::kFail, image::kPass, image::kNotApplicable, image::kAllowed, image::kDenied}) {
    if (platform::qt::namedImage(name, 16, qApp->devicePixelRatio()).toImage() == pixels) return std::string(name);
  }
  return "an image of its own";
}

QColor backOf(const GridView& view, int row, std::string_view field) {
  return cellOf(view, row, field).data(Qt::BackgroundRole).value<QColor>();
}

//! Where the user clicks a cell, brought into view first as they would scroll to it.
QPoint pointOf(GridView& view, int row, std::string_view field) {
  const QModelIndex cell = cellOf(view, row, field);
  view.scrollTo(cell);
  return view.visualRect(cell).center();
}

void clickCell(GridView& view, int row, std::string_view field) {
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, pointOf(view, row, field));
  settle();
}

//! A double-click as the window system delivers it: a click, then the second press as a
//! double-click and its release. (QTest's own sends the double-click event alone.)
void doubleClickCell(GridView& view, int row, std::string_view field) {
  const QPoint at = pointOf(view, row, field);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
  settle();
}

class ProcessingWidgetsTest : public DesktopTest {
 protected:
  //! Opens a console as `user` (empty: ADMIN), goes to the items page and presses the process
  //! button; the results page must come.
  void processAs(const std::string& user) {
    if (!user.empty()) m_window->setSignIn({m_file, 1, user});
    m_console = m_window->openConsole();
    ASSERT_NE(m_console, nullptr);
    settle();
    clickPage(view(), QStringLiteral("INT_MOD_DATI"));
    settle();
    auto* button = view().widget<QPushButton>("CMD_ELABORA");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    ASSERT_TRUE(view().widgetFor("FRAME_INTERROGAZ_RIS")->isVisible());
  }

  //! Clicks an item's row in the items grid, away from the code's cell button.
  void choose(const char* code) {
    const int row = rowShowing(items(), "CODART", QString::fromLatin1(code));
    ASSERT_GE(row, 0);
    clickCell(items(), row, "DESCART");
    ASSERT_EQ(items().currentIndex().row(), row);
  }

  //! The detail row of a field, by its catalogue name.
  int detailRow(const char* field) { return rowShowing(detail(), "MG0O_CAMPO", QString::fromLatin1(field)); }

  //! Double-clicks a field's row in the detail, on its caption as the user would.
  void tick(const char* field) {
    const int row = detailRow(field);
    ASSERT_GE(row, 0);
    doubleClickCell(detail(), row, "MG0O_CAPTIONCAMPO");
  }

  std::string signOffShown(const char* field) { return imageOf(detail(), detailRow(field), "VISTO"); }
  std::string verdictShown(const char* code, const char* body) {
    return imageOf(items(), rowShowing(items(), "CODART", QString::fromLatin1(code)), body);
  }

  platform::qt::FormView& view() { return *m_console->formView(); }
  GridView& items() { return *view().widget<GridView>("GRD_ARTICOLI"); }
  GridView& detail() { return *view().widget<GridView>("GRD_DATIART_CAMPI"); }

  //! The stored ACQUISTI sign-off of an item's field: "1", "0", "NULL" or "none".
  std::string storedSignOff(const char* code, const char* field) {
    platform::db::Connection db;
    db.Connect(sql::connectionStringFor(m_file));
    auto rows = db.Open(std::string("SELECT MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI ") +
                        "INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0R_CAMPO_MG0O " +
                        "WHERE MG0R_DITTA_CG18 = 1 AND MG0R_ARGOMENTO_MG0M = 2 AND MG0R_CODART_MG66 = '" + code +
                        "' AND MG0O_CAMPO = '" + field + "'");
    const std::string stored = rows->Eof() ? "none" : rows->Field(0).isNull() ? "NULL" : rows->Field(0).toText();
    rows.reset();
    db.Close();
    return stored;
  }

  QPointer<ConsoleSubWindow> m_console;
};

TEST_F(ProcessingWidgetsTest, TheProcessButtonShowsTheVerdictsAndReportsEachBodyInTheStatusBar) {
  QStatusBar* bar = m_window->statusBar();
  std::vector<QString> reported;
  {
    QObject listening;
    QObject::connect(bar, &QStatusBar::messageChanged, &listening,
                     [&](const QString& text) { reported.push_back(text); });
    ASSERT_NO_FATAL_FAILURE(processAs(""));
  }
  EXPECT_EQ(items().model()->rowCount(), static_cast<int>(items().grid().rowCount()));
  EXPECT_EQ(QApplication::focusWidget(), &items()) << "the caret goes on to the results";

  // Passes both bodies of its state and moves on; the other fails ACQUISTI and stays.
  const int passing = rowShowing(items(), "CODART", QStringLiteral("VITE-TCEI-M4X10-ZN"));
  const int failing = rowShowing(items(), "CODART", QStringLiteral("VITE-AF-4.8X19"));
  ASSERT_GE(passing, 0);
  ASSERT_GE(failing, 0);
  EXPECT_EQ(imageOf(items(), passing, "ACQUISTI"), image::kPass);
  EXPECT_EQ(backOf(items(), passing, "ACQUISTI"), kPasses);
  EXPECT_EQ(imageOf(items(), passing, "LOGISTICA"), image::kNotApplicable);
  EXPECT_EQ(textOf(items(), passing, "NEW_STATO"), QStringLiteral("In validazione"));
  EXPECT_EQ(imageOf(items(), passing, "PERMESSO_AGGSTATO"), image::kAllowed);
  EXPECT_EQ(imageOf(items(), failing, "ACQUISTI"), image::kFail);
  EXPECT_EQ(backOf(items(), failing, "ACQUISTI"), kFails);
  EXPECT_EQ(imageOf(items(), failing, "PERMESSO_AGGSTATO"), "");

  // The bodies one by one, each with its count, and nothing left on the bar afterwards.
  const auto bodies = std::count_if(reported.begin(), reported.end(), [](const QString& text) {
    return text.startsWith(QStringLiteral("Controllo dell'ente"));
  });
  EXPECT_EQ(bodies, 6);
  EXPECT_TRUE(std::find(reported.begin(), reported.end(), QStringLiteral("Controllo dell'ente ACQUISTI...  2 di 6")) !=
              reported.end());
  EXPECT_TRUE(bar->currentMessage().isEmpty());
}

TEST_F(ProcessingWidgetsTest, TheStatusBarCountsTheRunAndTheApplySaysHowManyWillMoveAndDid) {
  ASSERT_NO_FATAL_FAILURE(processAs(""));
  const auto* status = m_window->statusBar()->findChild<QLabel*>(QStringLiteral("consoleStatus"));
  ASSERT_NE(status, nullptr);
  const QString found = QStringLiteral("%1 articoli trovati, ").arg(items().model()->rowCount());
  EXPECT_TRUE(status->text().startsWith(found)) << status->text().toStdString();
  EXPECT_TRUE(view().widgetFor("LGD_RISULTATI")->isVisible()) << "the legend explains the page";

  int permitted = 0;
  for (int row = 0; row < items().model()->rowCount(); ++row) {
    permitted += items().grid().cellValue(static_cast<std::size_t>(row), "PERMESSO_AGGSTATO").toText() == "1" ? 1 : 0;
  }
  const std::string moving = std::to_string(permitted);
  m_display->clear();
  m_display->queue(platform::host::kYes);
  QTest::mouseClick(view().widget<QPushButton>("CMD_AGGSTATI"), Qt::LeftButton);
  settle();
  ASSERT_EQ(m_display->messages().size(), 2u);
  EXPECT_EQ(m_display->messages()[0].text,
            "Sei sicuro di voler aggiornare gli stati articolo?\r\n" + moving + " articoli cambieranno stato.");
  EXPECT_EQ(m_display->messages()[1].text.rfind(moving + " articoli hanno cambiato stato.\r\n", 0), 0u)
      << m_display->messages()[1].text;
  EXPECT_TRUE(status->text().startsWith(QString::fromStdString(moving) + QStringLiteral(" articoli hanno cambiato stato")))
      << status->text().toStdString();
}

TEST_F(ProcessingWidgetsTest, TheResultsShowTheManagedClassificationColumnsAndWholeCodesWhateverThePathTaken) {
  // The demo manages the product type and the family: only their columns show, whether the
  // user pressed the process button as the console opened or after going through the pages.
  constexpr const char* kClassification[] = {"TIPOPROD_PD20", "CODFAM_MG53",   "CODSFAM_MG54",  "GRUPPO_MG55",
                                             "SGRUPPO_MG56",  "MARCA_MG64",    "GRUPFISC_MG61", "GRUSTAT1_MG74",
                                             "GRUSTAT2_MG75", "GRUSTAT3_MG76", "GRUSTAT4_MG77"};
  for (const bool throughThePages : {false, true}) {
    SCOPED_TRACE(throughThePages ? "through the pages" : "as the console opened");
    m_console = m_window->openConsole();
    ASSERT_NE(m_console, nullptr);
    settle();
    if (throughThePages) {
      clickPage(view(), QStringLiteral("ENTITA"));
      clickPage(view(), QStringLiteral("INT_MOD_DATI"));
      settle();
    }
    ASSERT_TRUE(view().widgetFor("CMD_ELABORA")->isVisible());
    QTest::mouseClick(view().widget<QPushButton>("CMD_ELABORA"), Qt::LeftButton);
    settle();
    std::vector<std::string> shown;
    for (const char* field : kClassification) {
      if (!items().isColumnHidden(cellOf(items(), 0, field).column())) shown.emplace_back(field);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"TIPOPROD_PD20", "CODFAM_MG53"}));
    int widest = 0;
    for (int row = 0; row < items().model()->rowCount(); ++row) {
      widest = std::max(widest, items().fontMetrics().horizontalAdvance(textOf(items(), row, "CODART")));
    }
    EXPECT_GT(items().columnWidth(cellOf(items(), 0, "CODART").column()), widest) << "no code is cut";
    m_window->closeConsole(m_console);
    settle();
  }
}

TEST_F(ProcessingWidgetsTest, AClickedItemShowsItsFieldsAndATickSavedFromTheNavigatorLetsItPass) {
  ASSERT_NO_FATAL_FAILURE(processAs(kBuyer));
  ASSERT_NE(textOf(items(), items().currentIndex().row(), "CODART"), QString::fromLatin1(kUnsignedItem));
  ASSERT_NO_FATAL_FAILURE(choose(kUnsignedItem));
  ASSERT_EQ(detail().model()->rowCount(), 4);
  EXPECT_EQ(cellOf(detail(), detailRow("MG66_MARCA_MG64"), "VALORE_CAMPO").data().toString(), QStringLiteral("UTENSIL"))
      << "shown without the blanks of its fixed width";
  EXPECT_EQ(signOffShown("DOC_CAMPIONATURA"), image::kFail);
  EXPECT_EQ(backOf(detail(), detailRow("DOC_CAMPIONATURA"), "VISTO"), kCanTick);

  const auto verdictTip = [&] {
    return cellOf(items(), rowShowing(items(), "CODART", QString::fromLatin1(kUnsignedItem)), "ACQUISTI")
        .data(Qt::ToolTipRole)
        .toString();
  };
  const auto markOf = [&](const char* field) {
    return detail().model()->headerData(detailRow(field), Qt::Vertical, Qt::DisplayRole).toString();
  };
  EXPECT_TRUE(verdictTip().startsWith(QStringLiteral("Non supera: manca il visto di "))) << verdictTip().toStdString();
  EXPECT_TRUE(detail().verticalHeader()->isVisible());
  EXPECT_EQ(markOf("DOC_CAMPIONATURA"), QStringLiteral("!")) << "the row that fails the item";
  EXPECT_EQ(markOf("MG66_MARCA_MG64"), QString());

  tick("DOC_CAMPIONATURA");
  EXPECT_EQ(signOffShown("DOC_CAMPIONATURA"), image::kPass);
  EXPECT_EQ(markOf("DOC_CAMPIONATURA"), QStringLiteral("*")) << "ticked, not saved";
  EXPECT_EQ(verdictShown(kUnsignedItem, "ACQUISTI"), image::kFail) << "a tick alone checks nothing again";

  auto* navigator = view().widget<platform::qt::NavigatorWidget>("GRIDNAV_VIS_CAMPIART");
  ASSERT_NE(navigator, nullptr);
  QToolButton* save = navigator->button(GridNavigator::Button::Save);
  ASSERT_TRUE(save->isVisible() && save->isEnabled());
  QTest::mouseClick(save, Qt::LeftButton);
  settle();
  EXPECT_TRUE(m_display->errors().empty());
  EXPECT_EQ(verdictShown(kUnsignedItem, "ACQUISTI"), image::kPass);
  EXPECT_EQ(items().currentIndex().row(), rowShowing(items(), "CODART", QString::fromLatin1(kUnsignedItem)))
      << "the item stays current";
  EXPECT_EQ(signOffShown("DOC_CAMPIONATURA"), image::kPass) << "the detail read again from what is stored";
  EXPECT_EQ(markOf("DOC_CAMPIONATURA"), QString());
  EXPECT_EQ(verdictTip(), QStringLiteral("Supera il controllo"));
}

TEST_F(ProcessingWidgetsTest, SpaceTicksTheCurrentFieldAndCtrlSSavesItSayingSoAndKeepingTheRows) {
  ASSERT_NO_FATAL_FAILURE(processAs(kBuyer));
  ASSERT_NO_FATAL_FAILURE(choose(kUnsignedItem));
  const int field = detailRow("DOC_CAMPIONATURA");
  ASSERT_GT(field, 0) << "not the first row, or keeping it would prove nothing";
  clickCell(detail(), field, "MG0O_CAPTIONCAMPO");
  QTest::keyClick(&detail(), Qt::Key_Space);
  settle();
  EXPECT_EQ(signOffShown("DOC_CAMPIONATURA"), image::kPass);
  m_display->clear();
  QTest::keyClick(&detail(), Qt::Key_S, Qt::ControlModifier);
  settle();
  EXPECT_EQ(storedSignOff(kUnsignedItem, "DOC_CAMPIONATURA"), "1");
  EXPECT_EQ(textOf(items(), items().currentIndex().row(), "CODART"), QString::fromLatin1(kUnsignedItem));
  EXPECT_EQ(detail().currentIndex().row(), field) << "the field the user was on";
  EXPECT_TRUE(m_display->messages().empty()) << "no box to dismiss";
  EXPECT_EQ(m_window->statusBar()->currentMessage(),
            QStringLiteral("Visti dell'articolo %1 salvati.").arg(QString::fromLatin1(kUnsignedItem)));
}

TEST_F(ProcessingWidgetsTest, TheDetailsNavigatorOffersOnlySaveAndTheGridsKeepTheirKeys) {
  ASSERT_NO_FATAL_FAILURE(processAs(kBuyer));
  auto* navigator = view().widget<platform::qt::NavigatorWidget>("GRIDNAV_VIS_CAMPIART");
  ASSERT_NE(navigator, nullptr);
  for (GridNavigator::Button button : GridNavigator::kButtons) {
    EXPECT_EQ(navigator->button(button)->isEnabled(), button == GridNavigator::Button::Save)
        << GridNavigator::buttonName(button);
  }
  // Page Down moves the items grid's row, as in every grid, instead of saving ticks.
  ASSERT_NO_FATAL_FAILURE(choose(kUnsignedItem));
  const int row = items().currentIndex().row();
  ASSERT_LT(row + 1, items().model()->rowCount());
  QTest::keyClick(&items(), Qt::Key_PageDown);
  settle();
  EXPECT_GT(items().currentIndex().row(), row);
}

TEST_F(ProcessingWidgetsTest, TheProcessButtonLooksUnavailableWhileItWorksEvenWhenTheRunFails) {
  m_console = m_window->openConsole();
  ASSERT_NE(m_console, nullptr);
  clickPage(view(), QStringLiteral("INT_MOD_DATI"));
  settle();
  platform::db::Connection db;
  db.Connect(sql::connectionStringFor(m_file));
  db.Execute("DROP TABLE MG66_ANAGRART");  // the run fails taking the items in
  db.Close();
  auto* button = view().widget<QPushButton>("CMD_ELABORA");
  std::vector<bool> enabledWhileWorking;
  {
    QObject listening;
    QObject::connect(m_window->statusBar(), &QStatusBar::messageChanged, &listening, [&](const QString& text) {
      if (!text.isEmpty()) enabledWhileWorking.push_back(button->isEnabled());
    });
    // By its mnemonic from a field: the button takes the console's focus as its work starts.
    QWidget* first = view().findChild<QLineEdit*>(QStringLiteral("Codice articolo.first"));
    QTest::mouseClick(first, Qt::LeftButton);
    QTest::keyClick(first, Qt::Key_E, Qt::AltModifier);
    QTest::qWait(250);
    settle();
  }
  ASSERT_FALSE(enabledWhileWorking.empty());
  EXPECT_EQ(std::count(enabledWhileWorking.begin(), enabledWhileWorking.end(), true), 0);
  EXPECT_FALSE(m_display->errors().empty());
  EXPECT_TRUE(button->isEnabled()) << "afterwards it shows what the console made of it";
}

//! Presses `key` on the focused widget until `done` holds (at most `times` presses).
void pressUntil(Qt::Key key, const std::function<bool()>& done, int times = 60) {
  for (int i = 0; i < times && !done(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), key);
    settle();
  }
}

TEST_F(ProcessingWidgetsTest, ADaysWorkGoesByTheKeyboardAlone) {
  m_window->setSignIn({m_file, 1, kBuyer});
  m_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  QTest::keyClick(m_window.get(), Qt::Key_N, Qt::ControlModifier);
  settle();
  ASSERT_EQ(m_window->consoles().size(), 1u);
  m_console = m_window->consoles()[0];
  EXPECT_EQ(QApplication::focusWidget(), view().findChild<QLineEdit*>(QStringLiteral("Codice articolo.first")))
      << "a new console takes the keyboard on its page's first field, not "
      << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");

  // A range of codes; the second value is still being typed when the mnemonic runs.
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("FRESA"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("FRESAZ"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::AltModifier);
  QTest::qWait(250);  // a mnemonic presses its button as a click does, a moment later
  settle();
  ASSERT_TRUE(view().widgetFor("FRAME_INTERROGAZ_RIS")->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), &items()) << "the run's results take the keyboard";
  for (int row = 0; row < items().model()->rowCount(); ++row) {
    EXPECT_TRUE(textOf(items(), row, "CODART").startsWith(QStringLiteral("FRESA"))) << "the filter as typed";
  }

  const int item = rowShowing(items(), "CODART", QString::fromLatin1(kUnsignedItem));
  pressUntil(Qt::Key_Down, [&] { return items().currentIndex().row() >= item; });
  ASSERT_EQ(items().currentIndex().row(), item);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &detail());
  const int field = detailRow("DOC_CAMPIONATURA");
  pressUntil(Qt::Key_Down, [&] { return detail().currentIndex().row() >= field; });
  QTest::keyClick(&detail(), Qt::Key_Space);
  QTest::keyClick(&detail(), Qt::Key_S, Qt::ControlModifier);
  settle();
  EXPECT_EQ(storedSignOff(kUnsignedItem, "DOC_CAMPIONATURA"), "1");

  // A focused button wears the ring: the highlight across its top, inside the border.
  auto* apply = view().widget<QPushButton>("CMD_AGGSTATI");
  const auto ringShown = [apply] {
    const QColor at = apply->grab().toImage().pixelColor(apply->width() / 2, 3);
    const QColor ring = apply->palette().color(QPalette::Highlight);
    return std::abs(at.red() - ring.red()) + std::abs(at.green() - ring.green()) +
               std::abs(at.blue() - ring.blue()) <
           60;
  };
  EXPECT_FALSE(ringShown());
  pressUntil(Qt::Key_Tab, [apply] { return apply->hasFocus(); }, 10);
  ASSERT_TRUE(apply->hasFocus());
  EXPECT_TRUE(ringShown());

  m_display->clear();
  m_display->queue(platform::host::kYes);
  QTest::keyClick(apply, Qt::Key_Space);
  settle();
  EXPECT_TRUE(m_display->errors().empty());
  ASSERT_FALSE(m_display->messages().empty()) << "the apply asks first";
  platform::db::Connection db;
  db.Connect(sql::connectionStringFor(m_file));
  EXPECT_FALSE(db.Open(std::string("SELECT 1 FROM FW10_LOGSTATI WHERE FW10_CODART_MG66 = '") + kUnsignedItem + "'")
                   ->Eof())
      << "the item moved on";
  db.Close();
}

TEST_F(ProcessingWidgetsTest, ClosingWithUnsavedTicksAsksAndSavesOnlyOnYes) {
  const std::string before = storedSignOff(kUnsignedItem, "DOC_CAMPIONATURA");
  ASSERT_NE(before, "1");
  struct Case {
    platform::host::Answer answer;
    bool fromMenu;  // the frame's close command, or the subwindow's own close
    std::string stored;
  };
  for (const Case& test : {Case{platform::host::kNo, false, before}, Case{platform::host::kYes, true, "1"}}) {
    SCOPED_TRACE(platform::services::answerName(test.answer));
    ASSERT_NO_FATAL_FAILURE(processAs(kBuyer));
    ASSERT_NO_FATAL_FAILURE(choose(kUnsignedItem));
    tick("DOC_CAMPIONATURA");
    ASSERT_EQ(signOffShown("DOC_CAMPIONATURA"), image::kPass);
    m_display->clear();
    m_display->queue(test.answer);
    if (test.fromMenu) {
      m_window->action(MainWindow::Command::CloseConsole)->trigger();
    } else {
      m_console->close();
    }
    settle();
    ASSERT_EQ(m_display->messages().size(), 1u);
    EXPECT_EQ(m_display->messages()[0].text, kSavePrompt);
    EXPECT_EQ(m_display->messages()[0].title, kConsoleCaption);
    EXPECT_TRUE(m_console.isNull()) << "the subwindow goes whatever the answer";
    EXPECT_TRUE(m_window->consoles().empty());
    EXPECT_EQ(storedSignOff(kUnsignedItem, "DOC_CAMPIONATURA"), test.stored);
  }
}

}  // namespace
}  // namespace passaggio::desktop::testing

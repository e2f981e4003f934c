// A form on the screen, used as a user would: typing and leaving fields, look-ups, clicks
// that the form may refuse, the keyboard's tab order and shortcuts, and widgets that follow
// the models' geometry and state.
#include "platform/qt/form_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "platform/controls/enhanced_query.h"
#include "platform/controls/label.h"
#include "platform/qt/busy.h"
#include "platform/qt/edit_field_widget.h"
#include "platform/qt/enhanced_query_widget.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/navigator_widget.h"
#include "platform/qt/side_bar_widget.h"
#include "tests/platform/qt/qt_testing.h"
#include "tests/platform/qt/test_form.h"

namespace platform::qt {
namespace {

using testing::settle;
using Events = std::vector<std::string>;

class FormViewTest : public ::testing::Test {
 protected:
  FormViewTest() : view(test.form, &display) {
    view.show();
    view.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
  }

  EditFieldWidget& codeEdit() { return *view.widget<EditFieldWidget>("TXT_CODICE"); }

  testing::TestForm test;
  testing::ScriptedDisplay display;
  FormView view;
};

TEST_F(FormViewTest, TypedTextGoesThroughTheFieldAndEnterLeavesIt) {
  codeEdit().setFocus(Qt::TabFocusReason);
  QTest::keyClicks(&codeEdit(), "a200xyzwvut");
  // The field keeps ten characters in upper case, and the line edit shows what it kept.
  EXPECT_EQ(test.code().text(), "A200XYZWVU");
  EXPECT_EQ(codeEdit().text(), QStringLiteral("A200XYZWVU"));
  codeEdit().selectAll();
  QTest::keyClicks(&codeEdit(), "a200");
  EXPECT_TRUE(test.events.empty());

  QTest::keyClick(&codeEdit(), Qt::Key_Return);
  settle();
  EXPECT_EQ(test.events, (Events{"validate A200", "after-item A200"}));
  EXPECT_EQ(view.widget<QLabel>("LBL_DESCR")->text(), QStringLiteral("Bullone esagonale"));
  EXPECT_EQ(QApplication::focusWidget(), view.widgetFor("CMB_STATO"));  // on to the next field
}

TEST_F(FormViewTest, AFieldThatRefusesToBeLeftKeepsTheCaretAndSwallowsClicksElsewhere) {
  test.refuseValidate = true;
  codeEdit().setFocus(Qt::TabFocusReason);
  QTest::keyClicks(&codeEdit(), "zz");
  QTest::keyClick(&codeEdit(), Qt::Key_Return);
  settle();
  EXPECT_EQ(test.events, (Events{"validate ZZ"}));
  EXPECT_EQ(QApplication::focusWidget(), &codeEdit());

  test.events.clear();
  auto* process = view.widget<QPushButton>("CMD_ELABORA");
  QTest::mouseClick(process, Qt::LeftButton);
  settle();
  EXPECT_EQ(test.events, (Events{"validate ZZ"}));  // asked once; the click did not count
  EXPECT_EQ(QApplication::focusWidget(), &codeEdit());
  EXPECT_TRUE(test.code().hasFocus());

  test.events.clear();
  QTest::keyClick(&codeEdit(), Qt::Key_Tab);
  settle();
  EXPECT_EQ(test.events, (Events{"validate ZZ"}));
  EXPECT_EQ(QApplication::focusWidget(), &codeEdit());

  test.refuseValidate = false;
  test.events.clear();
  QTest::mouseClick(process, Qt::LeftButton);
  settle();
  EXPECT_EQ(test.events, (Events{"validate ZZ", "after-item ZZ", "click CMD_ELABORA"}));
  EXPECT_TRUE(test.get<controls::Button>("CMD_ELABORA").hasFocus());
}

TEST_F(FormViewTest, F3ShowsTheLookUpListAndThePickedCodeIsEnteredInTheField) {
  display.pickAnswers = {2};
  codeEdit().setFocus(Qt::TabFocusReason);
  QTest::keyClick(&codeEdit(), Qt::Key_F3);
  settle();
  ASSERT_EQ(display.picks.size(), 1u);
  EXPECT_EQ(display.picks[0].rows[2], (std::vector<std::string>{"B300", "Rondella"}));
  EXPECT_EQ(codeEdit().text(), QStringLiteral("B300"));
  EXPECT_EQ(test.events, (Events{"validate B300", "after-item B300"}));
  EXPECT_EQ(view.widget<QLabel>("LBL_DESCR")->text(), QStringLiteral("Rondella"));
  EXPECT_EQ(QApplication::focusWidget(), &codeEdit());  // a pick keeps the caret in the field

  // Choosing nothing changes nothing.
  test.events.clear();
  QTest::keyClick(&codeEdit(), Qt::Key_F3);
  EXPECT_EQ(display.picks.size(), 2u);
  EXPECT_EQ(codeEdit().text(), QStringLiteral("B300"));
  EXPECT_TRUE(test.events.empty());
}

TEST_F(FormViewTest, AFailingLookUpIsShownAsAnErrorAndLeavesTheFieldAsItWas) {
  test.code().onLookupRequest.connect([](bool&, std::string& query, Variant&, std::string&, std::string&) {
    query = "SELECT CODART FROM ARTICOLI_MANCANTI";
  });
  codeEdit().setFocus(Qt::TabFocusReason);
  QTest::keyClicks(&codeEdit(), "a1");
  QTest::keyClick(&codeEdit(), Qt::Key_F3);
  ASSERT_EQ(display.errors.size(), 1u);
  EXPECT_EQ(display.errors[0].sql, "SELECT CODART FROM ARTICOLI_MANCANTI");
  EXPECT_FALSE(display.errors[0].connectionErrors.empty());
  EXPECT_TRUE(display.picks.empty());
  EXPECT_EQ(codeEdit().text(), QStringLiteral("A1"));
  EXPECT_EQ(QApplication::focusWidget(), &codeEdit());
}

TEST_F(FormViewTest, WidgetsArePlacedInTheirContainersAtTheDesignedTwips) {
  const TwipsScale& scale = view.scale();
  EXPECT_EQ(codeEdit().parentWidget(), view.widgetFor("GRB_FILTRO"));
  EXPECT_EQ(view.widgetFor("GRB_FILTRO")->parentWidget(), view.widgetFor("FRAME_ARTICOLI"));
  EXPECT_EQ(codeEdit().geometry(), scale.toPixels(1320, 330, 1800, 330));
  EXPECT_EQ(view.widgetFor("ZEP_RESIZEFORM"), nullptr);  // no widget for what is never seen

  // The program moves a control: the widget follows.
  test.code().setBounds(1320, 330, 2400, 330);
  EXPECT_EQ(codeEdit().width(), scale.toPixels(1320, 330, 2400, 330).width());
}

TEST_F(FormViewTest, ResizingTheWindowStretchesWhatTheResizeControlAnchors) {
  auto* grid = view.widgetFor("GRD_ARTICOLI");
  auto* close = view.widgetFor("CMD_CHIUDI");
  auto* filter = view.widgetFor("GRB_FILTRO");
  const QRect gridBefore = grid->geometry();
  const QRect closeBefore = close->geometry();
  const int filterHeight = filter->height();
  view.resize(view.width() + 150, view.height() + 90);
  settle();
  EXPECT_NEAR(grid->width(), gridBefore.width() + 150, 2);
  EXPECT_NEAR(grid->height(), gridBefore.height() + 90, 2);
  EXPECT_EQ(grid->pos(), gridBefore.topLeft());
  EXPECT_NEAR(close->x(), closeBefore.x() + 150, 2);  // follows the bottom-right corner
  EXPECT_NEAR(close->y(), closeBefore.y() + 90, 2);
  EXPECT_EQ(filter->height(), filterHeight);  // stretches across only
  EXPECT_NEAR(test.form.width(), view.scale().toTwipsX(view.width()), 1);
}

TEST_F(FormViewTest, WidgetsShowWhatTheProgramSetsOnTheModels) {
  test.get<controls::Button>("CMD_ELABORA").setEnabled(false);
  test.get<controls::Control>("GRB_FILTRO").setCaption("Selezione");
  test.get<controls::CheckBox>("CHK_ATTIVI").setValue(1);
  test.get<controls::Chooser>("CMB_STATO").setValue(Variant(20));
  test.code().setText("c400");
  EXPECT_FALSE(view.widgetFor("CMD_ELABORA")->isEnabled());
  EXPECT_EQ(view.widget<QGroupBox>("GRB_FILTRO")->title(), QStringLiteral("Selezione"));
  EXPECT_TRUE(view.widget<QCheckBox>("CHK_ATTIVI")->isChecked());
  EXPECT_EQ(view.widget<QComboBox>("CMB_STATO")->currentText(), QStringLiteral("Approvato"));
  EXPECT_EQ(codeEdit().text(), QStringLiteral("C400"));

  // Hiding a page hides what is on it; showing it brings it back.
  test.get<controls::Control>("FRAME_ARTICOLI").setVisible(false);
  EXPECT_FALSE(codeEdit().isVisible());
  test.get<controls::Control>("FRAME_ARTICOLI").setVisible(true);
  EXPECT_TRUE(codeEdit().isVisible());
}

TEST_F(FormViewTest, ChoosersAndCheckBoxesChangeTheirModelsAsTheUsersChoice) {
  auto* state = view.widget<QComboBox>("CMB_STATO");
  state->setFocus(Qt::TabFocusReason);
  QTest::keyClick(state, Qt::Key_Down);
  EXPECT_EQ(test.get<controls::Chooser>("CMB_STATO").value(), Variant(10));
  auto* active = view.widget<QCheckBox>("CHK_ATTIVI");
  QTest::mouseClick(active, Qt::LeftButton);
  EXPECT_EQ(test.get<controls::CheckBox>("CHK_ATTIVI").value(), 1);
  EXPECT_TRUE(active->isChecked());
  EXPECT_EQ(test.events, (Events{"validate ", "chooser 10", "check 1"}));  // the caret left the code field

  // A disabled model takes no click, whatever Qt would have toggled.
  test.get<controls::CheckBox>("CHK_ATTIVI").setEnabled(false);
  active->click();
  EXPECT_EQ(test.get<controls::CheckBox>("CHK_ATTIVI").value(), 1);
}

TEST_F(FormViewTest, AOneLineCaptionTooLongForItsBoxIsSetSmallerNotCut) {
  auto* label = view.widget<QLabel>("LBL_STATO");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->font().pointSizeF(), view.font().pointSizeF());
  test.get<controls::Control>("LBL_STATO").setCaption("Stato attuale:");
  EXPECT_LT(label->font().pointSizeF(), view.font().pointSizeF());
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
  test.get<controls::Control>("LBL_STATO").setCaption("Stato:");
  EXPECT_EQ(label->font().pointSizeF(), view.font().pointSizeF()) << "a caption that fits again is shown as designed";
}

TEST_F(FormViewTest, TheSideBarShowsItsLinksOnceInitialisedAndReportsTheClickedKey) {
  auto* bar = view.widget<SideBarWidget>("SDB_PAGINE");
  EXPECT_EQ(bar->count(), 0);
  test.get<controls::SideBar>("SDB_PAGINE").initialise(nullptr, true);
  ASSERT_EQ(bar->count(), 2);
  EXPECT_EQ(bar->item(1)->text(), QStringLiteral("Stati articolo"));
  QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, bar->visualItemRect(bar->item(1)).center());
  bar->setFocus(Qt::TabFocusReason);
  QTest::keyClick(bar, Qt::Key_Up);
  QTest::keyClick(bar, Qt::Key_Return);
  EXPECT_EQ(test.events, (Events{"side-bar STATI", "side-bar ARTICOLI"}));
}

TEST_F(FormViewTest, TabFollowsTheDesignedTabIndexAcrossContainers) {
  codeEdit().setFocus(Qt::TabFocusReason);
  std::vector<QString> order;
  for (int i = 0; i < 6; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    settle();
    order.push_back(QApplication::focusWidget()->objectName());
  }
  EXPECT_EQ(order, (std::vector<QString>{"CMB_STATO", "CHK_ATTIVI", "CMD_ELABORA", "GRD_ARTICOLI", "CMD_CHIUDI",
                                         "SDB_PAGINE"}));
  EXPECT_TRUE(test.get<controls::Button>("CMD_CHIUDI").hasFocus());  // the side bar takes no focus of the form's
}

TEST_F(FormViewTest, NavigatorButtonsAndShortcutsGoToTheNavigator) {
  auto* navigator = view.widget<NavigatorWidget>("GRIDNAV_ARTICOLI");
  codeEdit().setFocus(Qt::TabFocusReason);
  QTest::keyClick(&codeEdit(), Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&codeEdit(), Qt::Key_PageDown);
  navigator->button(controls::GridNavigator::Button::New)->click();
  EXPECT_EQ(test.events, (Events{"validate ", "navigator SAVE", "navigator NEXT", "navigator NEW"}));

  test.get<controls::GridNavigator>("GRIDNAV_ARTICOLI").switchOn(false);
  EXPECT_FALSE(navigator->button(controls::GridNavigator::Button::Save)->isEnabled());
  test.events.clear();
  QTest::keyClick(&codeEdit(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(test.events.empty());
}

TEST_F(FormViewTest, TheProgressIsClearedWhenDoneAndNestedWaitCursorsAreAllRestored) {
  QStatusBar bar;
  ProgressHook progress = statusBarProgress(bar);
  progress("Controllo enti", 3, 10);
  progress("", 0, 0);
  EXPECT_TRUE(bar.currentMessage().isEmpty());
  {
    WaitCursor outer;
    WaitCursor inner;
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(EnhancedQueryView, RangesAreEnteredOnLeavingAndPickedFromTheFieldsList) {
  db::Connection connection;
  connection.Connect("sqlite::memory:");
  connection.Execute("CREATE TABLE MARCHE (CODICE VARCHAR(10), DESCRIZIONE VARCHAR(40))");
  connection.Execute("INSERT INTO MARCHE VALUES ('ACME', 'Acme spa'), ('BETA', 'Beta srl')");
  controls::Form form(controls::FormDesign{
      "FRM_FILTRO", "Filtro", 9000, 2400,
      {{"ADVQ_ARTICOLI", controls::ControlKind::EnhancedQuery, "", 120, 120, 8700, 2100, "", 1, true, true, {}}}});
  auto& query = form.get<controls::EnhancedQuery>("ADVQ_ARTICOLI");
  query.setQueryRunner(controls::queryRunnerFor(connection));
  query.addField({Variant("(Standard)"), Variant("Codice articolo"), Variant("MG66_CODART")});
  query.addField({Variant("(Standard)"), Variant("Marca"), Variant("MG66_MARCA_MG64"), true, 2, true});  // a range
  query.finish();
  std::vector<std::string> lookups;
  query.onDecodeRequest.connect([](const Variant&, const Variant& caption, const Variant&, const Variant& first,
                                   std::string& firstDescription, const Variant& second,
                                   std::string& secondDescription) {
    if (caption.toText() != "Marca") return;
    firstDescription = first.toText().empty() ? "" : "marca " + first.toText();
    secondDescription = second.toText().empty() ? "" : "marca " + second.toText();
  });
  query.onLookupRequest.connect([&lookups](const Variant&, const Variant& caption, int end, std::string& sql,
                                           Variant&, std::string&, std::string&) {
    lookups.push_back(caption.toText() + " " + std::to_string(end));
    sql = "SELECT CODICE, DESCRIZIONE FROM MARCHE ORDER BY CODICE";
  });
  testing::ScriptedDisplay display;
  display.pickAnswers = {1};
  FormView view(form, &display);
  view.show();
  view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  auto* table = view.widget<EnhancedQueryWidget>("ADVQ_ARTICOLI");
  QLineEdit* from = table->valueEdit("Marca", controls::EnhancedQuery::kFirstValue);
  QLineEdit* to = table->valueEdit("Marca", controls::EnhancedQuery::kSecondValue);
  ASSERT_NE(from, nullptr);
  EXPECT_TRUE(to->isEnabled());
  EXPECT_FALSE(table->valueEdit("Codice articolo", controls::EnhancedQuery::kSecondValue)->isEnabled())
      << "a field of one value offers no second";

  from->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(from, "ACME");
  QTest::keyClick(from, Qt::Key_Tab);  // leaving the end enters the range
  EXPECT_EQ(query.value("MG66_MARCA_MG64", controls::EnhancedQuery::kFirstValue), Variant("ACME"));
  QTest::keyClick(to, Qt::Key_F3);
  EXPECT_EQ(lookups, (std::vector<std::string>{"Marca 1"}));
  EXPECT_EQ(query.value("MG66_MARCA_MG64", controls::EnhancedQuery::kSecondValue), Variant("BETA"));
  EXPECT_EQ(to->text(), QStringLiteral("BETA"));
  QStringList descriptions;
  for (QLabel* label : table->findChildren<QLabel*>()) {
    if (label->text().startsWith(QStringLiteral("marca"))) descriptions << label->text();
  }
  EXPECT_EQ(descriptions, (QStringList{"marca ACME", "marca BETA"}));
}

TEST(EnhancedQueryView, AttributesAreRowsOfTheirOwnThatTheClearAllEmptiesToo) {
  db::Connection connection;
  connection.Connect("sqlite::memory:");
  connection.Execute("CREATE TABLE CO5L_ATTRIBUTIDEN (CO5L_ID INT, CO5L_GUID VARCHAR(36), CO5L_COLORE VARCHAR(30), "
                     "CO5L_PESO DECIMAL(8,3))");
  controls::Form form(controls::FormDesign{
      "FRM_FILTRO", "Filtro", 9000, 2400,
      {{"ADVQ_ARTICOLI", controls::ControlKind::EnhancedQuery, "", 120, 120, 8700, 2100, "", 1, true, true, {}}}});
  auto& query = form.get<controls::EnhancedQuery>("ADVQ_ARTICOLI");
  query.setConnection(&connection);
  query.addField({Variant("(Standard)"), Variant("Marca"), Variant("MG66_MARCA_MG64"), true, 2, true});
  query.addExtendedAttributes({Variant("(Standard)"), true, 5, Variant("ATTR"), Variant("")});
  query.finish();
  testing::ScriptedDisplay display;
  FormView view(form, &display);
  view.show();
  view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
  auto* table = view.widget<EnhancedQueryWidget>("ADVQ_ARTICOLI");
  QLineEdit* from = table->attributeEdit("COLORE", controls::EnhancedQuery::kFirstValue);
  QLineEdit* to = table->attributeEdit("COLORE", controls::EnhancedQuery::kSecondValue);
  auto* match = table->findChild<QComboBox*>(QStringLiteral("Attributo COLORE.match"));
  ASSERT_NE(from, nullptr);
  ASSERT_NE(match, nullptr);
  EXPECT_FALSE(table->findChild<QComboBox*>(QStringLiteral("Attributo PESO.match"))->isEnabled())
      << "a number is a value or a range only";

  from->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(from, "ross");
  QTest::keyClick(from, Qt::Key_Tab);
  EXPECT_EQ(query.conditionText(), "AND ATTR.CO5L_COLORE = 'ross'");
  // F3 lists the values the attribute holds, each once.
  connection.Execute("INSERT INTO CO5L_ATTRIBUTIDEN (CO5L_COLORE) VALUES ('ROSSO'), (NULL), ('BLU'), ('BLU')");
  display.pickAnswers = {1};
  QTest::keyClick(to, Qt::Key_F3);
  EXPECT_EQ(query.conditionText(), "AND ATTR.CO5L_COLORE BETWEEN 'ross' AND 'ROSSO'");
  match->setCurrentIndex(1);
  emit match->activated(1);
  EXPECT_EQ(query.conditionText(), "AND ATTR.CO5L_COLORE >= '' AND ATTR.CO5L_COLORE LIKE '%ross%'");
  EXPECT_FALSE(to->isEnabled()) << "a contained text is one value";

  QTest::mouseClick(table->findChild<QPushButton*>(QStringLiteral("ADVQ_ARTICOLI.clear")), Qt::LeftButton);
  EXPECT_EQ(query.conditionText(), "");
  EXPECT_TRUE(from->text().isEmpty());
  EXPECT_EQ(match->currentIndex(), 0);
}

}  // namespace
}  // namespace platform::qt

// The display service's dialogs, answered by clicking and typing while they are open: the
// answer each button gives, default and escape buttons, the error display's details, and the
// pick list's filter.
#include "platform/qt/qt_display.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "platform/qt/error_dialog.h"
#include "platform/qt/item_card_dialog.h"
#include "platform/qt/pick_list_dialog.h"
#include "platform/qt/screenshot.h"
#include "tests/platform/qt/qt_testing.h"

namespace platform::qt {
namespace {

namespace style = host::style;
using testing::buttonCaptioned;
using testing::onNextDialog;

host::ErrorRequest failedStatement() {
  host::ErrorRequest request;
  request.applicationTitle = "Passaggio di stato";
  request.caption = "Passaggio di stato articoli";
  request.procedure = "ElaboraTabellaArticoli";
  request.style = 4370;
  request.number = db::kStatementErrorNumber;
  request.description = "no such column: MG66_PESO_NETTO";
  request.source = "passaggio.db.sqlite";
  request.sql = "UPDATE ##TableArticoli_7 SET ARG1 = 0\r\nWHERE MG66_PESO_NETTO IS NULL";
  request.connectionErrors = {
      {db::kStatementErrorNumber, "no such column: MG66_PESO_NETTO", "passaggio.db.sqlite", 1, "42S22"},
      {db::kStatementErrorNumber, "the statement was not run", "passaggio.db", 0, ""}};
  return request;
}

TEST(QtDisplay, AMessageBoxAnswersWithTheButtonClicked) {
  struct Case {
    int style;
    const char* click;
    int answer;
  };
  const Case cases[] = {
      {style::kOkOnly | style::kInformation, "OK", host::kOk},
      {style::kOkCancel, "Annulla", host::kCancel},
      {style::kAbortRetryIgnore | style::kCritical, "Riprova", host::kRetry},
      {style::kAbortRetryIgnore | style::kCritical, "Ignora", host::kIgnore},
      {style::kYesNoCancel | style::kQuestion, "Sì", host::kYes},
      {style::kYesNo | style::kQuestion, "No", host::kNo},
      {style::kRetryCancel | style::kExclamation, "Riprova", host::kRetry},
  };
  QtDisplay display;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.click);
    onNextDialog([&](QWidget& dialog) {
      QAbstractButton* button = buttonCaptioned(dialog, QString::fromUtf8(test.click));
      ASSERT_NE(button, nullptr);
      button->click();
    });
    EXPECT_EQ(display.showMessage({"Salvare le modifiche effettuate sui visti?", test.style, "Visti"}), test.answer);
  }
}

TEST(QtDisplay, TheStyleChoosesIconDefaultAndEscapeButtons) {
  struct Case {
    int style;
    QMessageBox::Icon icon;
    const char* preferred;
    int escape;  // the answer Escape gives
  };
  const Case cases[] = {
      {style::kYesNo | style::kQuestion, QMessageBox::Question, "Sì", host::kNo},
      {style::kYesNo | style::kQuestion | style::kDefaultButton2, QMessageBox::Question, "No", host::kNo},
      {style::kYesNoCancel | style::kExclamation | style::kDefaultButton3, QMessageBox::Warning, "Annulla",
       host::kCancel},
      {4370, QMessageBox::Critical, "Riprova", host::kAbort},
      {style::kOkOnly, QMessageBox::NoIcon, "OK", host::kOk},
  };
  QtDisplay display;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.style);
    onNextDialog([&](QWidget& dialog) {
      auto& box = static_cast<QMessageBox&>(dialog);
      EXPECT_EQ(box.icon(), test.icon);
      ASSERT_NE(box.defaultButton(), nullptr);
      EXPECT_EQ(box.defaultButton()->text().remove('&'), QString::fromUtf8(test.preferred));
      EXPECT_EQ(box.windowTitle(), QStringLiteral("Passaggio di stato"));  // no title: the application's
      EXPECT_EQ(box.text(), QStringLiteral("Riga uno\nRiga due\nFunzione: Prova"));
      QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(display.showMessage({"Riga uno\r\nRiga due\rFunzione: Prova", test.style, ""}), test.escape);
  }
}

TEST(QtDisplay, TheErrorDisplayAnswersAbortRetryOrIgnoreAndShowsTheDetails) {
  const host::ErrorRequest request = failedStatement();
  QtDisplay display;
  struct Case {
    const char* click;
    int answer;
  };
  for (const Case& test : {Case{"Interrompi", host::kAbort}, Case{"Riprova", host::kRetry}, Case{"Ignora", host::kIgnore},
                           Case{nullptr, host::kAbort}}) {
    SCOPED_TRACE(test.click == nullptr ? "Escape" : test.click);
    onNextDialog([&](QWidget& dialog) {
      auto& error = static_cast<ErrorDialog&>(dialog);
      EXPECT_TRUE(error.retryButton()->isDefault());  // 4370: the second button
      if (test.click == nullptr) return QTest::keyClick(&error, Qt::Key_Escape);
      buttonCaptioned(error, QString::fromUtf8(test.click))->click();
    });
    EXPECT_EQ(display.showError(request), test.answer);
  }

  ErrorDialog dialog(request);
  auto* sql = dialog.findChild<QPlainTextEdit*>();
  auto* errors = dialog.findChild<QTableWidget*>();
  ASSERT_NE(sql, nullptr);
  ASSERT_NE(errors, nullptr);
  dialog.show();
  EXPECT_FALSE(sql->isVisible());
  dialog.detailsButton()->click();
  EXPECT_TRUE(sql->isVisible());
  EXPECT_EQ(sql->toPlainText(), QStringLiteral("UPDATE ##TableArticoli_7 SET ARG1 = 0\nWHERE MG66_PESO_NETTO IS NULL"));
  ASSERT_EQ(errors->rowCount(), 2);
  EXPECT_EQ(errors->item(0, 0)->text(), QStringLiteral("-2147217900"));
  EXPECT_EQ(errors->item(0, 1)->text(), QStringLiteral("1"));
  EXPECT_EQ(errors->item(0, 2)->text(), QStringLiteral("passaggio.db.sqlite"));
  EXPECT_EQ(errors->item(1, 3)->text(), QStringLiteral("the statement was not run"));
  EXPECT_TRUE(dialog.reportText().contains(QStringLiteral("ElaboraTabellaArticoli")));
  EXPECT_TRUE(saveScreenshot(dialog, testing::screenshotPath("error_dialog")));
}

host::PickListRequest items() {
  return {"Articoli",
          {"Codice", "Descrizione"},
          {{"A100", "Vite a testa piana"}, {"A200", "Bullone esagonale"}, {"B300", "Rondella"}, {"C400", "Dado"}}};
}

TEST(QtDisplay, ThePickListFiltersAsTheUserTypesAndPicksTheRowOfTheRequest) {
  QtDisplay display;
  struct Case {
    const char* what;
    std::function<void(PickListDialog&)> act;
    int chosen;
  };
  const Case cases[] = {
      {"typed filter, Enter", [](PickListDialog& list) {
         QTest::keyClicks(list.filterEdit(), "rond");
         EXPECT_EQ(list.table()->model()->rowCount(), 1);
         QTest::keyClick(list.filterEdit(), Qt::Key_Return);
       }, 2},
      {"filter over any column, arrow down", [](PickListDialog& list) {
         QTest::keyClicks(list.filterEdit(), "A");  // codes A100, A200 and descriptions with an a
         QTest::keyClick(list.filterEdit(), Qt::Key_Down);
         QTest::keyClick(list.filterEdit(), Qt::Key_Enter);
       }, 1},
      {"double-click", [](PickListDialog& list) {
         QTableView* table = list.table();
         testing::doubleClick(table->viewport(), table->visualRect(table->model()->index(3, 1)).center());
       }, 3},
      {"Escape", [](PickListDialog& list) { QTest::keyClick(list.filterEdit(), Qt::Key_Escape); }, -1},
      {"nothing matches", [](PickListDialog& list) {
         QTest::keyClicks(list.filterEdit(), "zzz");
         QTest::keyClick(list.filterEdit(), Qt::Key_Return);  // stays open
         EXPECT_TRUE(list.isVisible());
         list.reject();
       }, -1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    onNextDialog([&](QWidget& dialog) { test.act(static_cast<PickListDialog&>(dialog)); });
    EXPECT_EQ(display.pick(items()), test.chosen);
  }
}

TEST(QtDisplay, TheItemCardShowsEveryFieldUntilClosed) {
  const host::ItemCard card{"Articolo A100", {{"Codice", "A100"}, {"Descrizione", "Vite a testa piana"},
                                               {"Stato", "In prova"}, {"Famiglia", "VITERIA"}}};
  QtDisplay display;
  onNextDialog([](QWidget& dialog) {
    QStringList values;
    for (QLineEdit* value : dialog.findChildren<QLineEdit*>()) values << value->text();
    EXPECT_EQ(values, (QStringList{"A100", "Vite a testa piana", "In prova", "VITERIA"}));
    buttonCaptioned(dialog, QStringLiteral("Chiudi"))->click();
  });
  display.showItemCard(card);

  ItemCardDialog dialog(card);
  EXPECT_TRUE(saveScreenshot(dialog, testing::screenshotPath("item_card")));
}

TEST(QtDisplay, Screenshots) {
  QtDisplay display;
  onNextDialog([](QWidget& dialog) {
    EXPECT_TRUE(saveScreenshot(dialog, testing::screenshotPath("message_box")));
    buttonCaptioned(dialog, QStringLiteral("No"))->click();
  });
  display.showMessage({"Attenzione si sta cercando di vistare un campo\r\nche richiede un Valore obbligatorio.\r\n"
                       "Proseguire?",
                       style::kYesNo | style::kQuestion, "Passaggio di stato articoli"});
  onNextDialog([](QWidget& dialog) {
    QTest::keyClicks(static_cast<PickListDialog&>(dialog).filterEdit(), "a");
    EXPECT_TRUE(saveScreenshot(dialog, testing::screenshotPath("pick_list")));
    static_cast<PickListDialog&>(dialog).reject();
  });
  display.pick(items());
  ErrorDialog error(failedStatement());
  EXPECT_TRUE(saveScreenshot(error, testing::screenshotPath("error_dialog_closed")));
}

}  // namespace
}  // namespace platform::qt

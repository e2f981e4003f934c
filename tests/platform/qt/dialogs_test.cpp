// The display service's dialogs, answered by clicking and typing while they are open: the
// answer each button gives, default and escape buttons, the error display's details, and the
// pick list's filter.
#include "platform/qt/qt_display.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "platform/qt/error_dialog.h"
#include "platform/qt/pick_list_dialog.h"
#include "tests/platform/qt/qt_testing.h"

namespace platform::qt {
namespace {

namespace style = host::style;
using testing::buttonCaptioned;
using testing::onNextDialog;

host::ErrorRequest failedStatement() {
  host::ErrorRequest request;
  request.applicationTitle = "RUZU_PASSAGGIO";
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

TEST(QtDisplay, AMessageBoxShowsTheStylesIconAndDefaultAndAnswersWithTheButtonUsed) {
  struct Case {
    int style;
    QMessageBox::Icon icon;
    const char* preferred;
    const char* click;  // null: Escape
    int answer;
  };
  const Case cases[] = {
      {style::kOkOnly, QMessageBox::NoIcon, "OK", "OK", host::kOk},
      {style::kOkOnly | style::kInformation, QMessageBox::Information, "OK", nullptr, host::kOk},
      {style::kOkCancel, QMessageBox::NoIcon, "OK", "Annulla", host::kCancel},
      {4370, QMessageBox::Critical, "Riprova", "Ignora", host::kIgnore},  // abort/retry/ignore, second default
      {4370, QMessageBox::Critical, "Riprova", nullptr, host::kAbort},
      {style::kYesNoCancel | style::kQuestion, QMessageBox::Question, "Sì", "Sì", host::kYes},
      {style::kYesNo | style::kQuestion, QMessageBox::Question, "Sì", "Sì", host::kYes},
      {style::kYesNo | style::kQuestion | style::kDefaultButton2, QMessageBox::Question, "No", "No", host::kNo},
      {style::kYesNoCancel | style::kExclamation | style::kDefaultButton3, QMessageBox::Warning, "Annulla", nullptr,
       host::kCancel},
      {style::kRetryCancel | style::kExclamation, QMessageBox::Warning, "Riprova", "Riprova", host::kRetry},
  };
  QtDisplay display;
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.style) + " " + (test.click ? test.click : "Escape"));
    onNextDialog([&](QWidget& dialog) {
      auto& box = static_cast<QMessageBox&>(dialog);
      EXPECT_EQ(box.icon(), test.icon);
      ASSERT_NE(box.defaultButton(), nullptr);
      EXPECT_EQ(box.defaultButton()->text().remove('&'), QString::fromUtf8(test.preferred));
      EXPECT_EQ(box.windowTitle(), QStringLiteral("Passaggio di stato"));  // no title: the application's
      EXPECT_EQ(box.text(), QStringLiteral("Riga uno\nRiga due\nFunzione: Prova"));
      if (test.click == nullptr) return QTest::keyClick(&box, Qt::Key_Escape);
      buttonCaptioned(box, QString::fromUtf8(test.click))->click();
    });
    EXPECT_EQ(display.showMessage({"Riga uno\r\nRiga due\rFunzione: Prova", test.style, ""}), test.answer);
  }
}

TEST(QtDisplay, EscapeDoesNotAnswerAYesNoQuestion) {
  // "Save the ticks?" has no Cancel: Escape must not stand for No and throw the ticks away.
  QtDisplay display;
  bool keptOpen = false;
  onNextDialog([&](QWidget& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    keptOpen = box.isVisible();
    buttonCaptioned(box, QStringLiteral("Sì"))->click();
  });
  EXPECT_EQ(display.showMessage({"Salvare?", style::kYesNo | style::kQuestion, ""}), host::kYes);
  EXPECT_TRUE(keptOpen);
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
  EXPECT_EQ(errors->item(1, 3)->text(), QStringLiteral("the statement was not run"));
  EXPECT_TRUE(dialog.reportText().contains(QStringLiteral("ElaboraTabellaArticoli")));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Passaggio di stato articoli")) << "not the module's file name";
}

TEST(QtDisplay, TheErrorDisplaySaysInItalianWhatTheUserCanDoAboutAKnownDatabaseError) {
  struct Case {
    const char* description;
    const char* advice;  // null: shown as it is
  };
  for (const Case& test : {Case{"database is locked", "Riprova"}, Case{"database disk image is malformed", "copia"},
                           Case{"no such column: MG66_PESO_NETTO", nullptr}}) {
    SCOPED_TRACE(test.description);
    host::ErrorRequest request = failedStatement();
    request.description = test.description;
    ErrorDialog dialog(request);
    QStringList shown;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) shown << label->text();
    const QString all = shown.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QString::fromUtf8(test.description))) << "the original stays: " << all.toStdString();
    if (test.advice != nullptr) {
      EXPECT_TRUE(all.contains(QString::fromUtf8(test.advice))) << all.toStdString();
    }
  }
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

}  // namespace
}  // namespace platform::qt

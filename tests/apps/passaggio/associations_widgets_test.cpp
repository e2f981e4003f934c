// The entity associations page on the desktop, through its widgets alone: the exclusions
// dialog opens as a real modal dialog over the console, a tick clicked in it and confirmed is
// stored; an unknown code typed into a classification field is refused and keeps the focus.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLineEdit>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/qt/form_dialog.h"
#include "tests/apps/passaggio/desktop_fixture.h"

namespace passaggio::desktop::testing {
namespace {

long long scalar(const std::filesystem::path& file, const std::string& sql) {
  platform::db::Connection connection;
  connection.Connect(sql::connectionStringFor(file));
  return connection.Open(sql)->Field(0).toInteger();
}

TEST_F(DesktopTest, TheExclusionsDialogIsModalOverTheConsoleAndACodeTypedWrongKeepsTheFocus) {
  ConsoleSubWindow* console = m_window->openConsole();
  ASSERT_NE(console, nullptr);
  platform::qt::FormView& view = *console->formView();
  clickPage(view, QStringLiteral("ENTITA_ARGOMENTI"));
  settle();

  // The first association (QUALITA on AC VIT): untick its first field and confirm.
  bool dialogSeen = false;
  onNextDialog([&](QWidget& dialog) {
    dialogSeen = qobject_cast<platform::qt::FormDialog*>(&dialog) != nullptr;
    auto* fields = dialog.findChild<QAbstractItemView*>();
    ASSERT_NE(fields, nullptr);
    QAbstractItemModel& model = *fields->model();
    for (int column = 0; column < model.columnCount(); ++column) {
      if (model.headerData(column, Qt::Horizontal).toString() != QStringLiteral("Sel")) continue;
      QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, fields->visualRect(model.index(0, column)).center());
    }
    settle();
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
      if (button->text().remove(QLatin1Char('&')) == QStringLiteral("Conferma")) QTest::mouseClick(button, Qt::LeftButton);
    }
  });
  auto* exclusions = view.widget<QAbstractButton>("CMD_DETTAGLIO_NOVALIDAZ");
  ASSERT_NE(exclusions, nullptr);
  QTest::mouseClick(exclusions, Qt::LeftButton);
  settle();
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "confirming closed the dialog";
  EXPECT_EQ(scalar(m_file, "SELECT COUNT(*) FROM MG0U_NOVALIDAZ_PASSAGGI WHERE MG0U_IDENTITARG_MG0Q = 1"), 1);

  auto* family = view.widget<QLineEdit>("TXT_MG0Q_CODFAM_MG53");
  ASSERT_NE(family, nullptr);
  m_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  family->setFocus(Qt::MouseFocusReason);
  family->selectAll();
  QTest::keyClicks(family, QStringLiteral("zzz"));
  QTest::keyClick(family, Qt::Key_Tab);
  settle();
  ASSERT_FALSE(m_display->messages().empty());
  EXPECT_EQ(m_display->messages().back().text, "Codice famiglia inesistente.");
  EXPECT_TRUE(family->hasFocus());
}

}  // namespace
}  // namespace passaggio::desktop::testing

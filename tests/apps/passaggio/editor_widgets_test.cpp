// The validation bodies and body fields pages on the desktop, through keys, clicks and the
// look-up key alone: the rules themselves are checked headless; here, that the widgets reach
// them and show what they decide.
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include "platform/host/display.h"
#include "platform/qt/edit_field_widget.h"
#include "platform/qt/grid_view.h"
#include "platform/qt/navigator_widget.h"
#include "tests/apps/passaggio/desktop_fixture.h"

namespace passaggio::desktop::testing {
namespace {

using platform::controls::GridNavigator;
using platform::qt::EditFieldWidget;

class EditorWidgetsTest : public DesktopTest {
 protected:
  void openPage(const char* key) {
    m_console = m_window->openConsole();
    ASSERT_NE(m_console, nullptr);
    settle();
    clickPage(view(), QString::fromLatin1(key));
    settle();
  }

  //! Types into a field and leaves it with Enter.
  void enter(const char* name, const char* text) {
    EditFieldWidget* field = edit(name);
    field->setFocus();
    QTest::keyClicks(field, QString::fromUtf8(text));
    QTest::keyClick(field, Qt::Key_Return);
    settle();
  }

  //! Chooses a chooser's entry from the keyboard: Home, then Down until it shows.
  void choose(const char* name, const char* entry) {
    auto* combo = view().widget<QComboBox>(name);
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < combo->count() && combo->currentText() != QString::fromUtf8(entry); ++i) {
      QTest::keyClick(combo, Qt::Key_Down);
    }
    ASSERT_EQ(combo->currentText(), QString::fromUtf8(entry));
    settle();
  }

  void press(const char* navigator, GridNavigator::Button button) {
    QTest::mouseClick(view().widget<platform::qt::NavigatorWidget>(navigator)->button(button), Qt::LeftButton);
    settle();
  }

  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& shown : m_display->messages()) {
      EXPECT_EQ(shown.style, platform::host::style::kExclamation);
      texts.push_back(shown.text);
    }
    m_display->clear();
    return texts;
  }

  platform::qt::FormView& view() { return *m_console->formView(); }
  EditFieldWidget* edit(const char* name) { return view().widget<EditFieldWidget>(name); }
  int rows(const char* grid) { return view().widget<platform::qt::GridView>(grid)->model()->rowCount(); }

  ConsoleSubWindow* m_console = nullptr;
};

TEST_F(EditorWidgetsTest, ABodyIsEnteredWithItsGroupRefusedForEqualStatesThenSaved) {
  openPage("ARGOMENTI");
  EXPECT_EQ(edit("TXT_MG0M_ARGOMENTO")->text(), "QUALITA");
  EXPECT_FALSE(edit("TXT_MG0M_ARGOMENTO")->isEnabled()) << "a saved body's code stays";
  const int before = rows("GRD_ARGOMENTI");

  press("GRIDNAV_ARGOMENTI", GridNavigator::Button::New);
  EXPECT_TRUE(edit("TXT_MG0M_ARGOMENTO")->hasFocus());
  enter("TXT_MG0M_ARGOMENTO", "collaudo");
  EXPECT_EQ(edit("TXT_MG0M_ARGOMENTO")->text(), "COLLAUDO");
  choose("CMB_MG0M_TIPO_RESPONSABILE", "Gruppo");
  EXPECT_FALSE(edit("TXT_UTENTE_RESPONSABILE")->isEnabled());
  EXPECT_TRUE(edit("TXT_GRUPPO_RESPONSABILE")->isEnabled());
  m_display->queuePick("AMM");
  edit("TXT_GRUPPO_RESPONSABILE")->setFocus();
  QTest::keyClick(edit("TXT_GRUPPO_RESPONSABILE"), Qt::Key_F3);
  settle();
  EXPECT_EQ(edit("TXT_GRUPPO_RESPONSABILE")->text(), "AMM");
  EXPECT_EQ(edit("TXT_DESC_GRUPPO_RESP")->text(), "Amministrazione");

  press("GRIDNAV_ARGOMENTI", GridNavigator::Button::Save);
  EXPECT_EQ(messages(), std::vector<std::string>{"Attenzione. Lo stato di partenza e di arrivo sono uguali.\r\n"
                                                 "Impossibile salvare la configurazione."});
  choose("CMB_MG0M_STATOINI_MG6W", "Attivo");
  choose("CMB_MG0M_STATOFIN_MG6W", "Obsoleto");
  press("GRIDNAV_ARGOMENTI", GridNavigator::Button::Save);
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_EQ(rows("GRD_ARGOMENTI"), before + 1);
  EXPECT_FALSE(edit("TXT_MG0M_ARGOMENTO")->isEnabled());
}

TEST_F(EditorWidgetsTest, ABodyIsChosenAndItsPendingItemsKeepItsFieldsAsTheyAre) {
  openPage("DETT_ARGOMENTI");
  EXPECT_EQ(rows("GRD_CAMPI_ARG"), 0);
  enter("TXT_ARGOMENTO", "qualita");
  EXPECT_EQ(edit("TXT_DESC_ARGOMENTO")->text(), "Controllo qualità");
  EXPECT_EQ(rows("GRD_CAMPI_ARG"), 5);
  EXPECT_FALSE(edit("TXT_ARGOMENTO")->isEnabled());

  press("GRIDNAV_CAMPI_ARG", GridNavigator::Button::New);
  m_display->queuePick("MG66_NOTE");
  QTest::keyClick(edit("TXT_CAMPO_ARG"), Qt::Key_F3);
  settle();
  EXPECT_EQ(edit("TXT_DESC_CAMPO")->text(), "Note");
  press("GRIDNAV_CAMPI_ARG", GridNavigator::Button::Save);
  EXPECT_EQ(messages(), std::vector<std::string>{"Impossibile modificare l'ente validazione QUALITA perchè risultano "
                                                 "articoli Pending.\r\nE' necessario validare tali articoli o "
                                                 "eliminare le semi validazioni."});
  press("GRIDNAV_CAMPI_ARG", GridNavigator::Button::Cancel);

  QTest::mouseClick(view().widget<QPushButton>("CMD_CHANGE_ARG"), Qt::LeftButton);
  settle();
  EXPECT_TRUE(edit("TXT_ARGOMENTO")->isEnabled());
  EXPECT_EQ(rows("GRD_CAMPI_ARG"), 0);
}

}  // namespace
}  // namespace passaggio::desktop::testing

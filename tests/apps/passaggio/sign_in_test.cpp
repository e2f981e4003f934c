// Signing in to the desktop host: what the dialog offers and remembers, which sign-ins are
// refused and what the user sees then, and the program started without a screen.
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>

#include "apps/passaggio/desktop_app.h"
#include "apps/passaggio/sign_in.h"
#include "tests/apps/passaggio/desktop_fixture.h"
#include "tests/support/program_run.h"

namespace passaggio::desktop::testing {
namespace {

class SignInTest : public ::testing::Test {
 protected:
  void SetUp() override { m_file = demoCopy(); }
  void TearDown() override { std::filesystem::remove(m_file); }
  std::filesystem::path m_file;
};

QStringList entries(const QComboBox& box) {
  QStringList texts;
  for (int i = 0; i < box.count(); ++i) texts << box.itemData(i).toString();
  return texts;
}

TEST_F(SignInTest, TheDialogOffersCompaniesAndActiveUsersAndRemembersTheLastChoice) {
  SignInChoice chosen;
  {
    SignInDialog dialog({m_file, std::nullopt, {}});
    EXPECT_TRUE(dialog.problem().isEmpty()) << dialog.problem().toStdString();
    EXPECT_EQ(entries(*dialog.companyBox()), (QStringList{"1", "2"}));
    const QStringList users = entries(*dialog.userBox());
    EXPECT_EQ(users.size(), 6);
    EXPECT_FALSE(users.contains("ACOLOMBO")) << "an inactive user is not offered";
    dialog.companyBox()->setCurrentIndex(1);
    dialog.userBox()->setCurrentIndex(users.indexOf("GVERDI"));
    chosen = dialog.choice();
  }
  ASSERT_FALSE(checkSignIn(chosen, nullptr).has_value());
  rememberChoice(chosen);

  SignInDialog again({m_file, std::nullopt, {}});
  EXPECT_EQ(again.companyBox()->currentData().toLongLong(), 2);
  EXPECT_EQ(again.userBox()->currentData().toString(), "GVERDI");
  EXPECT_EQ(rememberedDatabase(), m_file);

  // A database that is not there offers nothing and cannot be signed in to.
  again.databaseEdit()->setText(QString::fromStdString(m_file.string() + ".manca"));
  emit again.databaseEdit()->editingFinished();
  EXPECT_EQ(again.companyBox()->count(), 0);
  EXPECT_FALSE(again.signInButton()->isEnabled());
  EXPECT_FALSE(again.problem().isEmpty());
}

TEST_F(SignInTest, RefusedSignInsSayWhy) {
  const std::string missing = m_file.string() + ".manca";
  const struct {
    std::string database;
    std::optional<long long> company;
    const char* user;
    const char* says;
  } cases[] = {
      {m_file, 1, "ACOLOMBO", "non è attivo"},
      {m_file, 1, "NESSUNO", "non esiste"},
      {m_file, 99, "ADMIN", "La ditta 99 non esiste"},
      {missing, 1, "ADMIN", "non esiste"},
      {"sqlite:" + missing + ";busy_timeout=100", 1, "ADMIN", "non esiste"},
  };
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.database + " " + refused.user);
    SignInChoice choice{refused.database, refused.company, refused.user};
    EXPECT_NE(checkSignIn(choice, nullptr).value_or("").find(refused.says), std::string::npos);
  }
  SignInChoice byString{"sqlite:" + m_file.string() + ";busy_timeout=100", 1, "MROSSI"};
  EXPECT_FALSE(checkSignIn(byString, nullptr).has_value()) << "a connection string names the database too";

  SignInChoice defaults{m_file, std::nullopt, {}};
  ASSERT_FALSE(checkSignIn(defaults, nullptr).has_value());
  EXPECT_EQ(defaults.company, 1) << "the first company";
  EXPECT_EQ(defaults.user, "ADMIN") << "the first active user";
}

TEST_F(SignInTest, ARefusedUserFromTheCommandLineSeesWhyAndChoosesAgain) {
  Options options;
  options.database = m_file.string();
  options.user = "ACOLOMBO";
  QString warning;
  onNextDialog([&](QWidget& box) {
    warning = qobject_cast<QMessageBox*>(&box) ? qobject_cast<QMessageBox*>(&box)->text() : QString();
    QTest::keyClick(&box, Qt::Key_Return);
    onNextDialog([](QWidget& dialog) {
      auto* signIn = qobject_cast<SignInDialog*>(&dialog);
      if (signIn == nullptr) {
        dialog.close();
        return;
      }
      signIn->userBox()->setCurrentIndex(signIn->userBox()->findData("MROSSI"));
      QTest::mouseClick(signIn->signInButton(), Qt::LeftButton);
    });
  });
  const std::optional<SignInChoice> choice = signIn(options);
  EXPECT_TRUE(warning.contains("ACOLOMBO")) << warning.toStdString();
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->user, "MROSSI");
  EXPECT_EQ(choice->database, m_file);
}

TEST(DesktopProgram, WithoutAScreenItPointsToTheBatchHost) {
  const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::vector<std::pair<std::string, std::string>> saved;
  for (const char* name : names) {
    if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
    ::unsetenv(name);
  }
  const passaggio::testing::ScratchFolder folder;
  const auto outcome = folder.run(PASSAGGIO_DESKTOP_BINARY, {});
  const auto usage = folder.run(PASSAGGIO_DESKTOP_BINARY, {"--company", "uno"});
  for (const auto& [name, value] : saved) ::setenv(name.c_str(), value.c_str(), 1);

  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("Nessuno schermo disponibile"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.err.find("passaggio-batch"), std::string::npos) << outcome.err;
  EXPECT_EQ(usage.status, 2) << usage.err;
}

TEST(DesktopProgram, ReadsItsCommandLine) {
  const Options options = parseOptions({"--db", "sqlite:a.db;busy_timeout=100", "--company=2", "--user", "MROSSI",
                                        "--item", "VITE A"});
  EXPECT_EQ(options.database, "sqlite:a.db;busy_timeout=100");
  EXPECT_EQ(options.company, 2);
  EXPECT_EQ(options.user, "MROSSI");
  EXPECT_EQ(options.item, "VITE A");
  EXPECT_TRUE(parseOptions({"--help"}).help);

  const struct {
    std::vector<std::string> words;
    const char* says;
  } wrong[] = {
      {{"--company", "1x"}, "--company vuole un numero"},
      {{"--user", ""}, "--user vuole un codice utente"},
      {{"--verbose"}, "argomento sconosciuto --verbose"},
      {{"demo.db"}, "argomento sconosciuto demo.db"},
      {{"--db"}, "argomenti non validi"},
  };
  for (const auto& test : wrong) {
    SCOPED_TRACE(test.says);
    try {
      parseOptions(test.words);
      ADD_FAILURE() << "accepted";
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(test.says), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace passaggio::desktop::testing

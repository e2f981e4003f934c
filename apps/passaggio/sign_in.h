// Signing in: which database, company and user a session of the desktop host works as, what
// the database offers to choose from, and the dialog that asks for it at start.
#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform::host {
class Display;
}

namespace passaggio::desktop {

struct SignInChoice {
  std::filesystem::path database;
  std::optional<long long> company;  // none: the database's first company
  std::string user;                  // empty: the database's first active user
};

struct Company {
  long long code = 0;
  std::string name;
};

struct User {
  std::string code;
  std::string name;
};

//! What a database offers: its companies and its active users, in code and id order. Throws
//! the layer's DbError when the file cannot be read as a console database.
struct SignInOffer {
  std::vector<Company> companies;
  std::vector<User> users;
};
SignInOffer readSignInOffer(const std::filesystem::path& database);

//! Tries the sign-in as a console would be opened with it: the reason it is refused (unknown
//! or inactive user, unknown company, a file that is not a database), or nullopt when it is
//! accepted. A choice without company or user gets the database's defaults filled in.
std::optional<std::string> checkSignIn(SignInChoice& choice, std::shared_ptr<platform::host::Display> display);

//! The choice last made on a database (company and user), kept in the user's settings.
void rememberChoice(const SignInChoice& choice);
SignInChoice rememberedChoice(const std::filesystem::path& database);
//! The database last signed in to; empty when none.
std::filesystem::path rememberedDatabase();

class SignInDialog : public QDialog {
  Q_OBJECT

 public:
  //! Opens on `choice`: its database, and its company and user when the database offers them
  //! (otherwise the ones remembered for the database).
  explicit SignInDialog(const SignInChoice& choice, QWidget* parent = nullptr);

  SignInChoice choice() const;

  QLineEdit* databaseEdit() const { return m_database; }
  QComboBox* companyBox() const { return m_company; }
  QComboBox* userBox() const { return m_user; }
  QPushButton* signInButton() const { return m_signIn; }
  //! Why the database cannot be used; empty when it can.
  QString problem() const;

 private:
  void browse();
  //! Reads the companies and users of the database in the field again.
  void reload(const SignInChoice& preferred);

  QLineEdit* m_database;
  QComboBox* m_company;
  QComboBox* m_user;
  QLabel* m_problem;
  QPushButton* m_signIn;
};

}  // namespace passaggio::desktop

// Signing in and the sign-in dialog.
#include "apps/passaggio/sign_in.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "platform/db/connection.h"
#include "platform/db/db_error.h"
#include "platform/db/recordset.h"
#include "platform/text/ascii.h"
#include "platform/qt/text.h"
#include "platform/services/global.h"
#include "platform/services/standin_host.h"
#include "sql/database_file.h"

namespace passaggio::desktop {
namespace {

using platform::qt::toQString;
using platform::qt::toStdString;

// Settings are kept per database under a key made from its absolute path.
QString settingsGroup(const std::filesystem::path& database) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(database, ignored);
  const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(absolute.string()), QCryptographicHash::Sha1);
  return QStringLiteral("accesso/") + QString::fromLatin1(hash.toHex().left(16));
}

// A file name or a connection string naming a file that is not there. A malformed string
// is not "missing": opening it says what is wrong with it.
bool missingFile(const std::filesystem::path& database) {
  try {
    return sql::databaseNamed(database.string()).missing();
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

SignInOffer readSignInOffer(const std::filesystem::path& database) {
  platform::db::Connection connection;
  connection.Connect(sql::connectionStringFor(database));
  SignInOffer offer;
  for (auto rows = connection.Open("SELECT CG18_DITTA, CG18_RAGSOC FROM CG18_ANADITTABASE ORDER BY CG18_DITTA");
       !rows->Eof(); rows->MoveNext()) {
    offer.companies.push_back({rows->Field(0).toInteger(), std::string(platform::text::trimRight(rows->Field(1).toText(), " \t"))});
  }
  for (auto rows = connection.Open(
           "SELECT FW07_CODICE, FW07_DESCRIZIONE FROM FW07_APPUSER WHERE FW07_FLGATTIVO = 1 ORDER BY FW07_ID");
       !rows->Eof(); rows->MoveNext()) {
    offer.users.push_back({std::string(platform::text::trimRight(rows->Field(0).toText(), " \t")), std::string(platform::text::trimRight(rows->Field(1).toText(), " \t"))});
  }
  return offer;
}

std::optional<std::string> checkSignIn(SignInChoice& choice, std::shared_ptr<platform::host::Display> display) {
  if (missingFile(choice.database)) return "Il database " + choice.database.string() + " non esiste.";
  try {
    platform::services::StandinHost host(
        {sql::connectionStringFor(choice.database), choice.company, choice.user, std::move(display), {}, {}});
    choice.company = host.global()->companyCode();
    choice.user = host.global()->CurrentUser().code;
    return std::nullopt;
  } catch (const platform::services::SignInError& refused) {
    return refused.what();
  } catch (const platform::db::DbError& error) {
    return "Il database " + choice.database.string() + " non si può usare:\n" + error.what();
  }
}

void rememberChoice(const SignInChoice& choice) {
  QSettings settings;
  settings.setValue(QStringLiteral("accesso/database"), QString::fromStdString(choice.database.string()));
  const QString group = settingsGroup(choice.database);
  if (choice.company) settings.setValue(group + QStringLiteral("/ditta"), *choice.company);
  settings.setValue(group + QStringLiteral("/utente"), toQString(choice.user));
}

SignInChoice rememberedChoice(const std::filesystem::path& database) {
  QSettings settings;
  const QString group = settingsGroup(database);
  SignInChoice choice{database, std::nullopt, toStdString(settings.value(group + QStringLiteral("/utente")).toString())};
  bool ok = false;
  const long long company = settings.value(group + QStringLiteral("/ditta")).toLongLong(&ok);
  if (ok) choice.company = company;
  return choice;
}

std::filesystem::path rememberedDatabase() {
  return QSettings().value(QStringLiteral("accesso/database")).toString().toStdString();
}

SignInDialog::SignInDialog(const SignInChoice& choice, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Accesso - Passaggio di stato articoli"));
  auto* intro = new QLabel(QStringLiteral("Scegliere il database, la ditta e l'utente con cui lavorare."), this);
  intro->setWordWrap(true);

  m_database = new QLineEdit(toQString(choice.database.string()), this);
  m_database->setMinimumWidth(380);
  auto* browse = new QPushButton(QStringLiteral("&Sfoglia..."), this);
  auto* databaseRow = new QHBoxLayout;
  databaseRow->addWidget(m_database, 1);
  databaseRow->addWidget(browse);
  m_company = new QComboBox(this);
  m_user = new QComboBox(this);
  m_problem = new QLabel(this);
  m_problem->setWordWrap(true);
  m_problem->setStyleSheet(QStringLiteral("color: #b00020;"));
  m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  auto* databaseLabel = new QLabel(QStringLiteral("&Database:"), this);
  databaseLabel->setBuddy(m_database);
  form->addRow(databaseLabel, databaseRow);
  form->addRow(QStringLiteral("D&itta:"), m_company);
  form->addRow(QStringLiteral("&Utente:"), m_user);

  auto* buttons = new QDialogButtonBox(this);
  m_signIn = buttons->addButton(QStringLiteral("&Accedi"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
  m_signIn->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addSpacing(6);
  layout->addLayout(form);
  layout->addWidget(m_problem);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(browse, &QPushButton::clicked, this, &SignInDialog::browse);
  connect(m_database, &QLineEdit::editingFinished, this, [this] {
    const std::filesystem::path database = toStdString(m_database->text());
    reload(rememberedChoice(database));
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  // What the caller asked for wins over what was remembered.
  SignInChoice preferred = rememberedChoice(choice.database);
  if (choice.company) preferred.company = choice.company;
  if (!choice.user.empty()) preferred.user = choice.user;
  reload(preferred);
  m_user->setFocus();
}

SignInChoice SignInDialog::choice() const {
  SignInChoice choice{toStdString(m_database->text()), std::nullopt, toStdString(m_user->currentData().toString())};
  if (m_company->currentIndex() >= 0) choice.company = m_company->currentData().toLongLong();
  return choice;
}

QString SignInDialog::problem() const { return m_problem->text(); }

void SignInDialog::browse() {
  const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Scegli il database"), m_database->text(),
                                                    QStringLiteral("Database (*.db *.sqlite);;Tutti i file (*)"));
  if (file.isEmpty()) return;
  m_database->setText(file);
  reload(rememberedChoice(toStdString(file)));
}

void SignInDialog::reload(const SignInChoice& preferred) {
  m_company->clear();
  m_user->clear();
  QString problem;
  const std::filesystem::path database = toStdString(m_database->text());
  if (database.empty()) {
    problem = QStringLiteral("Indicare il file del database.");
  } else if (missingFile(database)) {
    problem = QStringLiteral("Il file non esiste.");
  } else {
    try {
      const SignInOffer offer = readSignInOffer(database);
      for (const Company& company : offer.companies) {
        m_company->addItem(QStringLiteral("%1 - %2").arg(company.code).arg(toQString(company.name)), company.code);
        if (preferred.company == company.code) m_company->setCurrentIndex(m_company->count() - 1);
      }
      for (const User& user : offer.users) {
        m_user->addItem(QStringLiteral("%1 - %2").arg(toQString(user.code), toQString(user.name)),
                        toQString(user.code));
        if (preferred.user == user.code) m_user->setCurrentIndex(m_user->count() - 1);
      }
      if (offer.companies.empty()) problem = QStringLiteral("Il database non ha ditte.");
      else if (offer.users.empty()) problem = QStringLiteral("Il database non ha utenti attivi.");
    } catch (const std::exception& error) {
      problem = QStringLiteral("Il file non è un database della console: ") + toQString(error.what());
    }
  }
  m_problem->setText(problem);
  m_problem->setVisible(!problem.isEmpty());
  m_signIn->setEnabled(problem.isEmpty());
}

}  // namespace passaggio::desktop

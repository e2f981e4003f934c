// What only the ODBC transport does: taking its options and credentials, and saying plainly
// why it could not connect, never with the password.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "platform/db/connection.h"
#include "platform/db/connection_string.h"
#include "platform/db/odbc/odbc_errors.h"
#include "tests/support/transports.h"

namespace platform::db {
namespace {

constexpr const char* kPassword = "Segreto-123";

// A TCP port that takes connections and never answers: a server that does not respond.
class SilentServer {
 public:
  SilentServer() : m_socket(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(m_socket, 4);
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
  }
  ~SilentServer() { ::close(m_socket); }
  int port() const { return m_port; }

 private:
  int m_socket;
  int m_port = 0;
};

std::string everything(const DbError& error, const Connection& connection) {
  std::string text = error.what();
  for (const ErrorEntry& entry : connection.Errors()) text += "\n" + entry.description;
  return text;
}

TEST(OdbcTest, FailuresToConnectSayWhichWithinTheLoginTimeoutAndNeverThePassword) {
  passaggio::testing::odbcConfigFolder();
  const SilentServer server;
  struct Case {
    std::string connection;
    const char* says;
  } cases[] = {
      {"odbc:DSN=nessuna;UID=sa;PWD=" + std::string(kPassword), "Origine dati ODBC non trovata"},
      {"odbc:Driver={Assente};Server=x;PWD={" + std::string(kPassword) + "}", "non è installato"},
      {"odbc:Driver=PassaggioFreeTDS;Server=127.0.0.1;Port=" + std::to_string(server.port()) +
           ";TDS_Version=7.4;UID=sa;PWD=" + kPassword + ";login_timeout=2",
       "non ha risposto entro 2 secondi"},
      // The password from the environment reaches the driver and is kept out of sight as well.
      {"odbc:Driver=PassaggioFreeTDS;Server=127.0.0.1;Port=" + std::to_string(server.port()) +
           ";TDS_Version=7.4;UID=sa;login_timeout=1",
       "non ha risposto entro 1 secondi"},
  };
  ::setenv("PASSAGGIO_DB_PASSWORD", kPassword, 1);
  for (const Case& test : cases) {
    Connection connection;
    const auto start = std::chrono::steady_clock::now();
    try {
      connection.Connect(test.connection);
      ADD_FAILURE() << "connected to " << test.connection;
    } catch (const DbError& error) {
      const std::string text = everything(error, connection);
      EXPECT_NE(text.find(test.says), std::string::npos) << text;
      EXPECT_EQ(text.find(kPassword), std::string::npos) << text;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << test.connection;
  }
  ::unsetenv("PASSAGGIO_DB_PASSWORD");

  // A login refused by the server: its record, as FreeTDS writes it, read plainly.
  odbc::Secrets secrets;
  secrets.add(kPassword);
  const DbError refused = odbc::connectError(
      {{"28000", 18456, std::string("[FreeTDS][SQL Server]Login failed for user 'sa' (") + kPassword + ")"}},
      std::string("Driver=FreeTDS;PWD=") + kPassword, 15, secrets);
  EXPECT_NE(refused.errors().front().description.find("utente o password non validi"), std::string::npos);
  for (const ErrorEntry& entry : refused.errors()) EXPECT_EQ(entry.description.find(kPassword), std::string::npos);
  // A connection lost under a statement, and every record of the failure kept.
  const DbError lost = odbc::statementError(
      {{"08S01", 20004, "[FreeTDS][SQL Server]Read from the server failed"}, {"01000", 0, "[FreeTDS]segue"}},
      "SELECT 1", "SELECT 1", secrets);
  ASSERT_EQ(lost.errors().size(), 2u);
  EXPECT_EQ(lost.errors().front().description.rfind("La connessione al database si è interrotta: ", 0), 0u);
  EXPECT_EQ(lost.errors().front().nativeError, 20004);
}

TEST(OdbcTest, OurOptionsLeaveTheOdbcStringAndCredentialsComeFromTheEnvironment) {
  const auto parsed = ConnectionString::parse("odbc:Driver={SQL Server;1};PWD={a;b};Dialect=SQLITE; trace = /t.jsonl");
  EXPECT_EQ(parsed.target, "Driver={SQL Server;1};PWD={a;b}");
  EXPECT_EQ(parsed.dialect(), "sqlite");
  EXPECT_EQ(parsed.option("trace"), "/t.jsonl");
  EXPECT_EQ(withoutSecrets(parsed.target), "Driver={SQL Server;1};PWD=***");
  EXPECT_EQ(secretsIn(parsed.target), std::vector<std::string>{"a;b"});
  EXPECT_EQ(ConnectionString::parse("odbc:DSN=x").dialect(), "tsql");
  EXPECT_THROW(ConnectionString::parse("odbc:DSN=x;dialect=oracle"), DbError);

  ::setenv("PASSAGGIO_DB_USER", "console", 1);
  ::setenv("PASSAGGIO_DB_PASSWORD", "p", 1);
  EXPECT_EQ(ConnectionString::parse("odbc:DSN=x").odbcConnectText(), "DSN=x;UID={console};PWD={p}");
  EXPECT_EQ(ConnectionString::parse("odbc:DSN=x;uid=u;Pwd=q").odbcConnectText(), "DSN=x;uid=u;Pwd=q")
      << "the string's own credentials win";
  ::unsetenv("PASSAGGIO_DB_USER");
  ::unsetenv("PASSAGGIO_DB_PASSWORD");
}

}  // namespace
}  // namespace platform::db

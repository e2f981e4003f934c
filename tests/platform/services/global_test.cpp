// Signing in, the company and user the global services report, the states a user may assign
// and the working-table suffixes.
#include <gmock/gmock.h>

#include <regex>

#include "demo_fixture.h"
#include "platform/services/host_objects.h"
#include "platform/services/standin_host.h"
#include "platform/services/utility.h"

namespace platform::services::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<long long> numbers(const Variant& array) {
  std::vector<long long> result;
  for (const Variant& value : array.array()) result.push_back(value.toInteger());
  return result;
}

using SignInTest = DemoTest;

// A typed user code stays one literal: it names no user rather than every one.
TEST_F(SignInTest, AUserCodeWithQuotesNamesNoUser) {
  EXPECT_THROW(signIn(1, "X' OR '1'='1"), SignInError);
  EXPECT_THROW(signIn(1, "ADMIN'--"), SignInError);
}

TEST_F(SignInTest, ReportsTheUserAndReadsTheCompanySettingAfresh) {
  auto global = signIn(2, "gverdi");
  EXPECT_EQ(global->CurrentUser().code, "GVERDI");
  EXPECT_TRUE(global->RestrictedStates());
  EXPECT_FALSE(signIn(1, "ADMIN")->RestrictedStates());

  EXPECT_EQ(global->CurrentCompany().code, Variant(2));
  EXPECT_EQ(global->CurrentCompany().hierarchicalSetting, "1");
  db.Execute("UPDATE CG18_ANADITTABASE SET CG18_CLASSGERARCHICA = '0' WHERE CG18_DITTA = 2");
  EXPECT_EQ(global->CurrentCompany().hierarchicalSetting, "0");
}

TEST_F(SignInTest, HostOpensOnTheFirstCompanyAndFirstActiveUserByDefault) {
  db.Execute("UPDATE FW07_APPUSER SET FW07_FLGATTIVO = 0 WHERE FW07_CODICE = 'ADMIN'");
  StandinHost host({connectionString, std::nullopt, "", display, folder() / "errori.log", Variant("MG")});
  EXPECT_EQ(host.global()->companyCode(), 1);
  EXPECT_EQ(host.global()->CurrentUser().code, "MROSSI");
}

using ItemStatesTest = DemoTest;

// The console hands over the negated restricted flag as "all states".
TEST_F(ItemStatesTest, RestrictedUsersGetTheirOwnStatesAndOthersAllOfThem) {
  auto connection = std::make_shared<db::Connection>();
  connection->Connect(connectionString);
  auto allowed = [&](const std::string& userCode) {
    auto global = signIn(1, userCode);
    auto service = global->Objects()->NewItemStateService();
    const host::UserInfo user = global->CurrentUser();
    service->Configure(connection, connectionString, Variant(user.id), Variant(user.code), Variant(user.name),
                       Variant(1), !global->RestrictedStates());
    return numbers(service->AllowedStates());
  };
  EXPECT_THAT(allowed("GVERDI"), ElementsAre(30, 40));
  EXPECT_THAT(allowed("ADMIN"), ElementsAre(10, 20, 30, 40, 50));

  StandinUtility utility;
  EXPECT_THAT(numbers(utility.ItemStates(*connection)), ElementsAre(10, 20, 30, 40, 50));

  // A restricted user with nothing listed may assign nothing; a service that opens its own
  // connection gives the same answers.
  db.Execute("DELETE FROM FW09_STATIUTENTE WHERE FW09_ID_FW07 = 4");
  StandinItemStates own;
  own.Configure(nullptr, connectionString, Variant(4), Variant("GVERDI"), Variant(""), Variant(1), false);
  EXPECT_EQ(own.AllowedStates().array().size(), 0u);
}

using UtilityTest = DemoTest;

TEST_F(UtilityTest, SuffixesDifferBetweenConsolesStayFixedAndNameWorkingTables) {
  StandinUtility first;
  StandinUtility second;
  const std::string suffix = first.Suffix();
  EXPECT_EQ(first.Suffix(), suffix);
  EXPECT_NE(second.Suffix(), suffix);
  EXPECT_TRUE(std::regex_match(suffix, std::regex("[A-Za-z0-9_]+"))) << suffix;

  for (StandinUtility* utility : {&first, &second}) {
    const std::string table = "##TableDatiArticolo_" + utility->Suffix();
    db.Execute("IF OBJECT_ID('TEMPDB.DBO." + table + "') IS NOT NULL DROP TABLE " + table);
    db.Execute("CREATE TABLE " + table + " (ID INT)");
    db.Execute("INSERT INTO " + table + " (ID) VALUES (1)");
  }
  EXPECT_EQ(value("SELECT COUNT(*) FROM ##TableDatiArticolo_" + second.Suffix()), "1");
}

}  // namespace
}  // namespace platform::services::testing

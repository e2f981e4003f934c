// The statement trace of a run: what support reads to see what the console sent, in order,
// byte for byte as the console composed it.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>

#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

class RunTraceTest : public testing::ProcessingTest {
 protected:
  // Opens the console tracing to a file, and forgets what first activation traced.
  void openTraced() {
    m_file = demoCopy();
    m_trace = m_file.string() + ".trace";
    std::filesystem::remove(m_trace);
    m_object = console(sql::connectionStringFor(m_file) + ";trace=" + m_trace);
    m_object->ShowForm();
    std::ofstream(m_trace, std::ios::trunc);
  }

  // The records of the console's own connection (the host traces its own too).
  std::vector<nlohmann::json> consoleRecords() const {
    std::vector<nlohmann::json> records;
    std::ifstream lines(m_trace);
    for (std::string line; std::getline(lines, line);) {
      auto record = nlohmann::json::parse(line);
      if (records.empty() || record["conn"] == records.front()["conn"]) records.push_back(std::move(record));
    }
    return records;
  }

  void TearDown() override {
    std::filesystem::remove(m_trace);
    ProcessingTest::TearDown();
  }

  std::string m_trace;
};

TEST_F(RunTraceTest, HoldsTheRunsStatementsInOrderExactlyAsComposed) {
  openTraced();
  press("CMD_ELABORA");
  const auto records = consoleRecords();
  ASSERT_GE(records.size(), 8u);
  const std::string t = form().m_itemTable;
  EXPECT_EQ(records[0]["sql"],
            "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) WHERE MG0L_DITTA_CG18 = 1      AND "
            "MG0L_ENTITA_SEL = 1 ");
  EXPECT_EQ(records[0]["kind"], "open");
  EXPECT_EQ(records[1]["sql"],
            "SELECT MG0M_ID , MG0M_ARGOMENTO , MG0M_DESCARGOMENTO , MG0M_STATOINI_MG6W , MG0M_STATOFIN_MG6W "
            "FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = 1 ");
  EXPECT_EQ(records[1]["rows"], 6);
  EXPECT_EQ(records[2]["sql"], "IF OBJECT_ID('TEMPDB.DBO." + t + "') IS NOT NULL DROP TABLE " + t);
  EXPECT_EQ(records[2]["kind"], "execute");
  // The working table: the fixed columns, then one verdict column per body in id order.
  const std::string body = "]        DECIMAL(1,0)        NOT NULL     DEFAULT(1),\r\n";
  EXPECT_EQ(records[3]["sql"], "CREATE TABLE " + t + " ( \r\n" +
                                   "   [ID]                    BIGINT IDENTITY(1,1) NOT NULL,\r\n"
                                   "   [CODART]                CHAR(25) COLLATE DATABASE_DEFAULT NOT NULL,\r\n"
                                   "   [DESCART]               CHAR(72) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [INDSTATO_MG6W]         DECIMAL(2,0)        NULL,\r\n"
                                   "   [TIPOPROD_PD20]         CHAR(2) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [CODFAM_MG53]           CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [CODSFAM_MG54]          CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUPPO_MG55]           CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [SGRUPPO_MG56]          CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [MARCA_MG64]            CHAR(12) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUPFISC_MG61]         CHAR(12) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUSTAT1_MG74]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUSTAT2_MG75]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUSTAT3_MG76]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [GRUSTAT4_MG77]         CHAR(4) COLLATE DATABASE_DEFAULT NULL,\r\n"
                                   "   [QUALITA" + body + "   [ACQUISTI" + body + "   [LOGISTICA" + body +
                                   "   [PRODUZIONE" + body + "   [AMMINISTRAZ" + body + "   [RIATTIVAZ" + body +
                                   "   [NEW_STATO]             DECIMAL(2,0)        NULL,\r\n"
                                   "   [PERMESSO_AGGSTATO]     DECIMAL(1,0)        NULL,\r\n"
                                   " ) ");
  EXPECT_EQ(t.rfind("##TableDatiArticolo_", 0), 0u);
  EXPECT_EQ(records[4]["sql"],
            "INSERT INTO " + t +
                " ( CODART , DESCART , INDSTATO_MG6W , TIPOPROD_PD20 , CODFAM_MG53 , CODSFAM_MG54 ,      GRUPPO_MG55 , "
                "SGRUPPO_MG56 , MARCA_MG64 , GRUPFISC_MG61 , GRUSTAT1_MG74 , GRUSTAT2_MG75 , GRUSTAT3_MG76 , "
                "GRUSTAT4_MG77 ) SELECT RTRIM(MG66_CODART) , MG87_DESCART , MG66_INDSTATO_MG6W , PD18_TIPOPROD_PD20 , "
                "MG66_FAM_MG53 , MG66_SFAM_MG54 ,      MG66_GRUPPO_MG55 , MG66_SGRUPPO_MG56 , MG66_MARCA_MG64 , "
                "MG66_GRUPFIS_MG61 , MG66_GRUSTAT1_MG74 , MG66_GRUSTAT2_MG75 ,      MG66_GRUSTAT3_MG76 , "
                "MG66_GRUSTAT4_MG77 FROM MG66_ANAGRART WITH (NOLOCK) LEFT OUTER JOIN MG87_ARTDESC WITH (NOLOCK) ON "
                "MG87_DITTA_CG18 = MG66_DITTA_CG18 AND MG87_CODART_MG66 = MG66_CODART AND MG87_OPZIONE_MG5E = '' AND "
                "MG87_LINGUA_MG52 = '' LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = "
                "MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART LEFT JOIN VFILTROSTATI AS VS66_FILTROSTATI WITH "
                "(NOLOCK) ON VS66_FILTROSTATI.V_GUID = MG66_GUID LEFT JOIN CO5L_ATTRIBUTIDEN AS MG66_ATTRIBESTESI "
                "WITH (NOLOCK) ON MG66_ATTRIBESTESI.CO5L_GUID = MG66_GUID WHERE MG66_DITTA_CG18 = 1 ");
  EXPECT_EQ(records[4]["rows"], 280) << "the fill's count is the number of items of the company";
  EXPECT_EQ(records[5]["sql"], "UPDATE " + t + " SET [QUALITA] = 1 FROM " + t + " ");
  EXPECT_NE(records[6]["sql"].get<std::string>().find("\r\n"), std::string::npos)
      << "the checks go out with their line ends";
  for (const auto& record : records) {
    EXPECT_TRUE(record.contains("sqlite")) << record["sql"];
    EXPECT_FALSE(record.contains("error")) << record["sql"];
  }
  // After the checks the rows the grid shows are read (the current item's detail follows).
  const auto items = std::find_if(records.begin(), records.end(), [&](const nlohmann::json& record) {
    return record["sql"].get<std::string>().rfind("SELECT * FROM " + t + " WHERE (", 0) == 0;
  });
  ASSERT_NE(items, records.end());
  EXPECT_GT(items - records.begin(), 10);
}

TEST_F(RunTraceTest, AFailingStatementShowsItsErrorInsteadOfRows) {
  openTraced();
  form().m_connection->InjectFault(3, "tempdb pieno");
  press("CMD_ELABORA");
  const auto records = consoleRecords();
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records[2]["error"][0]["description"], "tempdb pieno");
  EXPECT_FALSE(records[2].contains("rows"));
  EXPECT_EQ(m_display->errors().front().procedure, "CMD_ELABORA_ButtonClick");
}

}  // namespace
}  // namespace passaggio

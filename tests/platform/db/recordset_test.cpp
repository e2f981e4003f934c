// Record sets as the console's grids and editors use them: navigation, bookmarks, values as
// SQL Server returns them, and client-side edits written back by key.
#include "platform/db/recordset.h"

#include <gtest/gtest.h>

#include "platform/db/connection.h"
#include "tests/support/program_run.h"
#include "tests/support/transports.h"

namespace platform::db {
namespace {

// Over each transport, on a file of its own.
class RecordsetTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    m_connection.Connect(passaggio::testing::connectionFor(GetParam(), m_folder.file("art.db")));
    m_connection.Execute(
        "CREATE TABLE ART (ID INT IDENTITY(1,1) PRIMARY KEY, CODART CHAR(6) NOT NULL, "
        "STATO DECIMAL(2,0) NULL, PESO DECIMAL(7,3) NULL, NOTE VARCHAR(40) NULL)");
    m_connection.Execute(
        "INSERT INTO ART (CODART, STATO, PESO, NOTE) VALUES ('A1', 10, 1.5, 'uno'), ('A2', 20, NULL, NULL), "
        "('A3', 10, 0.25, 'tre')");
  }

  std::vector<std::string> codes(const char* sql) {
    std::vector<std::string> result;
    auto rows = m_connection.Open(sql);
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) result.push_back(rows->Field("CODART").toText());
    return result;
  }

  passaggio::testing::ScratchFolder m_folder;
  Connection m_connection;
};

TEST_P(RecordsetTest, MovesOverAllRowsWithBofAndEofAtTheEnds) {
  auto rows = m_connection.Open("SELECT * FROM ART ORDER BY ID");
  EXPECT_EQ(rows->RecordCount(), 3u);
  rows->MoveLast();
  rows->MoveNext();
  EXPECT_TRUE(rows->Eof());
  EXPECT_THROW(rows->MoveNext(), DbError);
  EXPECT_THROW(rows->Field("CODART"), DbError);
  rows->MoveFirst();
  rows->MovePrevious();
  EXPECT_TRUE(rows->Bof());
  rows->SetAbsolutePosition(2);
  const Recordset::Bookmark second = rows->GetBookmark();
  rows->MoveFirst();
  rows->MoveToBookmark(second);
  EXPECT_EQ(rows->Field(0), Variant(2));

  auto none = m_connection.Open("SELECT * FROM ART WHERE 1=0");
  EXPECT_TRUE(none->Bof() && none->Eof());
  EXPECT_EQ(none->FieldCount(), 5u) << "an empty result still names its columns";
}

TEST_P(RecordsetTest, ValuesComeBackAsSqlServerReturnsThem) {
  auto rows = m_connection.Open("SELECT CODART, STATO, PESO, NOTE, RTRIM(CODART) AS BARE FROM ART ORDER BY ID");
  EXPECT_EQ(rows->Field("CODART"), Variant("A1    ")) << "CHAR(n) comes back padded";
  EXPECT_EQ(rows->Field("BARE"), Variant("A1"));
  EXPECT_EQ(rows->Field("STATO").type(), Variant::Type::Integer);
  EXPECT_EQ(rows->Field("PESO").toText(), "1.500") << "DECIMAL(7,3) keeps its scale";
  EXPECT_EQ(rows->Column(0).declaredType, "CHAR(6)");
  EXPECT_EQ(rows->Column(0).baseTable, "ART");
  rows->MoveNext();
  EXPECT_TRUE(rows->Field("PESO").isNull());
  EXPECT_THROW(rows->Field("MANCA"), DbError);
  EXPECT_TRUE(rows->HasField("note"));
}

TEST_P(RecordsetTest, RequeryReadsRowsWrittenSinceAndGoesBackToTheFirst) {
  auto rows = m_connection.Open("SELECT * FROM ART WHERE STATO = 10 ORDER BY CODART");
  rows->MoveLast();
  m_connection.Execute("UPDATE ART SET STATO = 10 WHERE CODART = 'A2'");
  rows->Requery();
  EXPECT_EQ(rows->RecordCount(), 3u);
  EXPECT_EQ(rows->AbsolutePosition(), 1u);
}

TEST_P(RecordsetTest, BatchUpdateWritesChangesInsertsAndDeletesByKey) {
  auto rows = m_connection.Open("SELECT * FROM ART ORDER BY ID");
  rows->SetField("NOTE", Variant("cambiata"));
  rows->MoveNext();
  rows->Delete();
  rows->AddNew();
  rows->SetField("CODART", Variant("A9"));
  rows->SetField("STATO", Variant(30));
  EXPECT_TRUE(rows->HasPendingChanges());
  EXPECT_EQ(codes("SELECT CODART FROM ART ORDER BY ID"), (std::vector<std::string>{"A1    ", "A2    ", "A3    "}))
      << "nothing is written before the batch update";
  rows->UpdateBatch();
  EXPECT_FALSE(rows->HasPendingChanges());
  EXPECT_EQ(rows->Field("ID"), Variant(4)) << "the new row learns its identity, and stays current";
  EXPECT_EQ(codes("SELECT CODART FROM ART ORDER BY ID"), (std::vector<std::string>{"A1    ", "A3    ", "A9    "}));
  EXPECT_EQ(m_connection.Open("SELECT NOTE FROM ART WHERE ID = 1")->Field("NOTE"), Variant("cambiata"));
}

TEST_P(RecordsetTest, DeletingKeepsTheFollowingRowCurrentAfterTheBatchUpdate) {
  auto rows = m_connection.Open("SELECT * FROM ART ORDER BY ID");
  rows->Delete();
  rows->UpdateBatch();
  EXPECT_EQ(rows->Field("CODART"), Variant("A2    "));
  EXPECT_EQ(rows->AbsolutePosition(), 1u);
}

TEST_P(RecordsetTest, CancelBatchRestoresEveryPendingEditAndAResultWithoutKeyIsNotWritten) {
  auto rows = m_connection.Open("SELECT * FROM ART ORDER BY ID");
  rows->SetField("STATO", Variant(99));
  rows->MoveNext();
  rows->Delete();
  rows->AddNew();
  rows->CancelBatch();
  EXPECT_FALSE(rows->HasPendingChanges());
  EXPECT_EQ(rows->RecordCount(), 3u);
  EXPECT_EQ(rows->Field("STATO"), Variant(10));

  auto grouped = m_connection.Open("SELECT CODART, COUNT(*) AS N FROM ART GROUP BY CODART");
  grouped->SetField("N", Variant(5));
  EXPECT_THROW(grouped->UpdateBatch(), DbError);
}

// A working table whose verdicts the database keeps packed: what a grid sees and writes back
// is still its declared columns.
TEST_P(RecordsetTest, APackedWorkingTableShowsAndTakesItsDeclaredColumns) {
  m_connection.Execute(
      "CREATE TABLE ##W (ID BIGINT IDENTITY(1,1) NOT NULL, CODART CHAR(6) NOT NULL, E1 DECIMAL(1,0) NOT NULL "
      "DEFAULT(1), E2 DECIMAL(1,0) NOT NULL DEFAULT(1), E3 DECIMAL(1,0) NOT NULL DEFAULT(1), E4 DECIMAL(1,0) NOT "
      "NULL DEFAULT(1), NEW_STATO DECIMAL(2,0) NULL)");
  m_connection.Execute("INSERT INTO ##W (CODART, E2) SELECT CODART, 2 FROM ART");
  auto rows = m_connection.Open("SELECT * FROM ##W ORDER BY ID");
  ASSERT_EQ(rows->FieldCount(), 7u);
  EXPECT_EQ(rows->Column(3).name, "E2");
  EXPECT_EQ(rows->Column(3).declaredType, "DECIMAL(1,0)");
  EXPECT_EQ(rows->Column(3).baseTable, "##W");
  EXPECT_EQ(rows->Column(3).baseColumn, "E2");
  EXPECT_EQ(rows->Field("E2"), Variant(2));
  EXPECT_EQ(rows->Field("E2").type(), Variant::Type::Integer);
  rows->SetField("E3", Variant(0));
  rows->UpdateBatch();
  auto first = m_connection.Open("SELECT E2, E3, E4 FROM ##W WHERE ID = 1");
  EXPECT_EQ(first->Field("E2"), Variant(2));
  EXPECT_EQ(first->Field("E3"), Variant(0));
  EXPECT_EQ(first->Column(1).baseColumn, "E3");
}

INSTANTIATE_TEST_SUITE_P(Transports, RecordsetTest, ::testing::ValuesIn(passaggio::testing::kTransports));

}  // namespace
}  // namespace platform::db

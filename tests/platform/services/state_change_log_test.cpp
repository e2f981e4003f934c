// The change-record object as the console drives it after updating the item master: one log
// row per recorded item, with the previous state, the new one and the recorded columns.
#include <gmock/gmock.h>

#include "demo_fixture.h"
#include "platform/db/db_error.h"
#include "platform/services/host_objects.h"

namespace platform::services::testing {
namespace {

class RecorderTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    global = signIn(1, "FNERI");
    // A working table shaped as the console's, for the recorded select to join.
    db.Execute("CREATE TABLE ##Lavoro (ID INT, CODART VARCHAR(25), INDSTATO_MG6W INT, NEW_STATO INT, "
               "PERMESSO_AGGSTATO INT)");
  }

  //! Moves `item` of company 1 to `state` and records it as the console does.
  void moveAndRecord(host::ChangeRecorder& recorder, const std::string& item, int state) {
    db.Execute("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = " + std::to_string(state) +
               " WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = '" + item + "'");
    db.Execute("DELETE FROM ##Lavoro");
    db.Execute("INSERT INTO ##Lavoro VALUES (1, '" + item + "', 0, " + std::to_string(state) + ", 1)");
    std::shared_ptr<host::Cinterface> hostInterface;
    recorder.Initialise(hostInterface, 6, "", 0);
    recorder.SetEnabled(true);
    if (recorder.Status() == 1 || !recorder.RecordsChanges() || !recorder.RecordsStates()) return;
    auto row = db.Open("SELECT " + recorder.ColumnList() +
                       " FROM MG66_ANAGRART WITH (NOLOCK) INNER JOIN ##Lavoro ON MG66_CODART = CODART "
                       "WHERE MG66_DITTA_CG18 = 1 AND PERMESSO_AGGSTATO = 1 AND MG66_CODART = '" + item + "'");
    recorder.SetRecording(true);
    recorder.SetDescription("Modifica stato da Passaggio");
    recorder.Record(*row, 0, true);
  }

  std::vector<std::string> logOf(const std::string& item) {
    std::vector<std::string> rows;
    for (auto log = db.Open("SELECT FW10_DITTA_CG18, FW10_STATOPREC, FW10_STATONUOVO, FW10_ID_FW07, FW10_DESCRIZIONE, "
                            "FW10_VALORI, FW10_DATAORA FROM FW10_LOGSTATI WHERE FW10_CODART_MG66 = '" + item +
                            "' ORDER BY FW10_ID");
         !log->Eof(); log->MoveNext()) {
      std::string row;
      for (std::size_t i = 0; i + 1 < log->FieldCount(); ++i) row += log->Field(i).toText() + "|";
      row += log->Field(log->FieldCount() - 1).isNull() ? "no time" : "timed";
      rows.push_back(row);
    }
    return rows;
  }

  std::shared_ptr<StandinGlobal> global;
};

TEST_F(RecorderTest, WritesOneRowPerRecordWithThePreviousStateFromTheLog) {
  auto recorder = global->Objects()->NewChangeRecorder();
  const std::string item = "BARRA-C40-D10";
  moveAndRecord(*recorder, item, 40);
  moveAndRecord(*recorder, item, 20);
  EXPECT_EQ(logOf(item),
            (std::vector<std::string>{
                "1||40|5|Modifica stato da Passaggio|MG66_DITTA_CG18=1;MG66_CODART=BARRA-C40-D10;MG66_INDSTATO_MG6W=40|timed",
                "1|40|20|5|Modifica stato da Passaggio|MG66_DITTA_CG18=1;MG66_CODART=BARRA-C40-D10;MG66_INDSTATO_MG6W=20|timed",
            }));

  // An item already in the log continues from its last logged state.
  moveAndRecord(*global->Objects()->NewChangeRecorder(), "VITE-TE-M6X50-ZN", 50);
  EXPECT_THAT(logOf("VITE-TE-M6X50-ZN").back(), ::testing::StartsWith("1|40|50|5|"));
}

TEST_F(RecorderTest, RecordsCodesWithQuotes) {
  db.Execute("INSERT INTO MG66_ANAGRART (MG66_DITTA_CG18, MG66_CODART, MG66_INDSTATO_MG6W) VALUES (1, 'L''ARTICOLO', 10)");
  auto recorder = global->Objects()->NewChangeRecorder();
  std::shared_ptr<host::Cinterface> hostInterface;
  recorder->Initialise(hostInterface, 6, "", 0);
  recorder->SetEnabled(true);
  recorder->SetRecording(true);
  recorder->SetDescription("L'utente ha cambiato stato");
  auto row = db.Open("SELECT " + recorder->ColumnList() + " FROM MG66_ANAGRART WHERE MG66_CODART = 'L''ARTICOLO'");
  recorder->Record(*row, 0, true);
  EXPECT_EQ(logOf("L''ARTICOLO"),
            (std::vector<std::string>{"1||10|5|L'utente ha cambiato stato|"
                                      "MG66_DITTA_CG18=1;MG66_CODART=L'ARTICOLO;MG66_INDSTATO_MG6W=10|timed"}));
}

TEST_F(RecorderTest, CompanySettingsThatRecordNothingWriteNothing) {
  const std::string item = "BARRA-C40-D10";
  for (RecorderSettings settings : {RecorderSettings{1, true, true}, RecorderSettings{0, false, true},
                                    RecorderSettings{0, true, false}}) {
    global->standinObjects()->setRecorderSettings(1, settings);
    auto recorder = global->Objects()->NewChangeRecorder();
    moveAndRecord(*recorder, item, 40);
    // The recorder itself also honours them, whoever calls it.
    auto row = db.Open("SELECT " + recorder->ColumnList() + " FROM MG66_ANAGRART WHERE MG66_CODART = '" + item + "'");
    recorder->SetRecording(true);
    recorder->Record(*row, 0, true);
  }
  EXPECT_TRUE(logOf(item).empty());

  // Other companies keep the defaults.
  global->standinObjects()->setRecorderSettings(1, {});
  EXPECT_EQ(global->standinObjects()->recorderSettings(2).status, 0);
  moveAndRecord(*global->Objects()->NewChangeRecorder(), item, 40);
  EXPECT_EQ(logOf(item).size(), 1u);
}

TEST_F(RecorderTest, RaisesWhatGoesWrong) {
  auto recorder = global->Objects()->NewChangeRecorder();
  auto row = db.Open("SELECT " + recorder->ColumnList() + " FROM MG66_ANAGRART WHERE MG66_CODART = 'BARRA-C40-D10'");
  EXPECT_THROW(recorder->Record(*row, 0, true), std::logic_error);  // not initialised

  std::shared_ptr<host::Cinterface> hostInterface;
  recorder->Initialise(hostInterface, 6, "", 0);
  recorder->SetEnabled(true);
  recorder->SetRecording(true);
  global->database().InjectFault(2, "disco pieno");
  EXPECT_THROW(recorder->Record(*row, 0, true), db::DbError);

  auto none = db.Open("SELECT " + recorder->ColumnList() + " FROM MG66_ANAGRART WHERE MG66_CODART = 'NESSUNO'");
  EXPECT_THROW(recorder->Record(*none, 0, true), std::invalid_argument);
  auto withoutCode = db.Open("SELECT MG66_INDSTATO_MG6W FROM MG66_ANAGRART WHERE MG66_CODART = 'BARRA-C40-D10'");
  EXPECT_THROW(recorder->Record(*withoutCode, 0, true), db::DbError);
  EXPECT_TRUE(logOf("BARRA-C40-D10").empty());
}

}  // namespace
}  // namespace platform::services::testing

// passaggio-batch as an administrator or a script uses it: sign-in, the console's pages, and
// driver scripts, with what it prints and its exit status.
#include <gtest/gtest.h>

#include <fstream>

#include "sql/database_file.h"
#include "tests/support/csv.h"
#include "tests/support/program_run.h"

namespace {

using passaggio::testing::column;
using passaggio::testing::CsvRecord;
using passaggio::testing::Outcome;
using passaggio::testing::readCsv;
using passaggio::testing::text;

class BatchHost : public ::testing::Test {
 protected:
  BatchHost() { sql::createDemoDatabase(m_folder.path() / "demo.db", sql::Existing::Replace); }

  Outcome batch(std::vector<std::string> arguments, const std::string& input = {},
                const std::string& database = "demo.db") const {
    arguments.insert(arguments.begin(), {"--db", database});
    return m_folder.run(PASSAGGIO_BATCH_BINARY, arguments, input);
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_F(BatchHost, WhoamiShowsTheSignedInUserAndTheStatesTheyMayAssign) {
  const Outcome admin = batch({"whoami"});
  EXPECT_EQ(admin.status, 0) << admin.err;
  EXPECT_EQ(admin.out, "company,user_id,user_code,restricted,allowed_states\r\n1,1,ADMIN,0,10 20 30 40 50\r\n");
  EXPECT_EQ(admin.err, "") << "a clean start shows nothing";
  const Outcome restricted = batch({"--user", "GVERDI", "whoami"});
  EXPECT_EQ(restricted.out, "company,user_id,user_code,restricted,allowed_states\r\n1,4,GVERDI,1,30 40\r\n");
}

TEST_F(BatchHost, RefusesWhoCannotSignInWithAClearMessage) {
  std::ofstream(m_folder.path() / "note.db") << "appunti della riunione, non un database";
  const struct {
    std::vector<std::string> arguments;
    const char* says;
    const char* database = "demo.db";
  } cases[] = {
      {{"--user", "ACOLOMBO", "whoami"}, "non è attivo"},
      {{"--user", "O'BRIEN", "whoami"}, "non esiste"},  // a quote in a typed code is just a character
      {{"--user", "X]; DROP TABLE FW07_APPUSER --", "whoami"}, "non esiste"},
      {{"--company", "99", "whoami"}, "99"},
      {{"whoami"}, "non esiste", "manca.db"},
      {{"whoami"}, "non è un database", "note.db"},
      {{"whoami"}, "assente.db non esiste", "sqlite:assente.db;busy_timeout=10"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.says);
    const Outcome outcome = batch(test.arguments, {}, test.database);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(test.says), std::string::npos) << outcome.err;
  }
  EXPECT_EQ(batch({"whoami"}).status, 0) << "nothing was harmed";
  EXPECT_EQ(batch({"whoami"}, {}, "sqlite:demo.db;busy_timeout=10000;trace=t.jsonl").status, 0)
      << "a connection string names the database too";
  EXPECT_NE(std::ifstream(m_folder.path() / "t.jsonl").peek(), EOF) << "and its trace option is honoured";
}

TEST_F(BatchHost, WrongUsageExitsWithTwo) {
  const std::vector<std::vector<std::string>> wrong = {
      {}, {"vola"}, {"--on-error", "forse", "whoami"}, {"--company", "uno", "whoami"}, {"--company", "1x", "whoami"},
      {"--user", "", "whoami"}, {"--verbose", "whoami"}, {"run", "--item"}};
  for (const auto& arguments : wrong) {
    const Outcome outcome = batch(arguments);
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_NE(outcome.err.find("uso:"), std::string::npos);
  }
  EXPECT_EQ(m_folder.run(PASSAGGIO_BATCH_BINARY, {}).status, 2) << "no database";
  const Outcome help = m_folder.run(PASSAGGIO_BATCH_BINARY, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("uso: passaggio-batch"), std::string::npos);
}

TEST_F(BatchHost, PagesListTheSideBarAndEveryControlByPage) {
  const Outcome pages = batch({"pages"});
  EXPECT_EQ(pages.status, 0) << pages.err;
  for (const char* expected : {"ENTITA,Entità gestite", "INT_MOD_DATI,", "FRAME_ENTEVALIDAZIONE,GRD_ARGOMENTI,",
                               "FRAME_INTERROGAZ_RIS,GRD_ARTICOLI,", ",CMD_ELABORA,"}) {
    EXPECT_NE(pages.out.find(expected), std::string::npos) << expected;
  }
}

TEST_F(BatchHost, AScriptStopsAtTheFirstLineThatCannotBeCarriedOut) {
  const struct {
    const char* script;
    const char* input;
    const char* says;
  } cases[] = {
      {"-", "# the configuration pages are hidden at start\ntype TXT_ARGOMENTO QUALITA\n",
       "riga 2: TXT_ARGOMENTO non è visibile"},
      {"-", "answer yes\nclick CMD_NESSUNO\n", "riga 2: controllo sconosciuto CMD_NESSUNO"},
      {"nessuno.txt", "", "nessuno.txt"},
  };
  for (const auto& test : cases) {
    const Outcome outcome = batch({"script", test.script}, test.input);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(test.says), std::string::npos) << outcome.err;
  }
  const Outcome dump = batch({"script", "-"}, "dump CMD_ELABORA\n");
  EXPECT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out, "name,text,value,enabled,visible\r\nCMD_ELABORA,&Elabora,\"\",1,1\r\n");
}

TEST_F(BatchHost, TheFilterNarrowsTheRunFromTheCommandLineAndFromAScript) {
  const auto codes = [](const std::string& csv) {
    std::vector<std::string> rows;
    for (std::size_t at = csv.find("\r\n"); at != std::string::npos && at + 2 < csv.size(); at = csv.find("\r\n", at + 2)) {
      const std::size_t start = at + 2;
      rows.push_back(csv.substr(start, csv.find(',', start) - start));
    }
    return rows;
  };
  const Outcome all = batch({"run", "--display"});
  const Outcome brand = batch({"run", "--display", "--filter", "Marca=VITEK", "--filter=Famiglia=BUL..BUL"});
  ASSERT_EQ(brand.status, 0) << brand.err;
  EXPECT_LT(codes(brand.out).size(), codes(all.out).size());
  for (const std::string& code : codes(brand.out)) EXPECT_TRUE(code.starts_with("DADO") || code.starts_with("BULL")) << code;
  const Outcome scripted = batch({"script", "-"}, "page INT_MOD_DATI\nfilter Marca VITEK\nfilter Famiglia BUL BUL\n"
                                                  "click CMD_ELABORA\ndump GRD_ARTICOLI\n");
  EXPECT_EQ(codes(scripted.out), codes(brand.out)) << scripted.err;

  // An attribute, by the same syntax from both.
  const Outcome inox = batch({"run", "--display", "--filter", "Attributo MATERIALE contiene=inox"});
  ASSERT_EQ(inox.status, 0) << inox.err;
  EXPECT_FALSE(codes(inox.out).empty());
  EXPECT_LT(codes(inox.out).size(), codes(all.out).size());
  const Outcome inoxScripted = batch({"script", "-"}, "page INT_MOD_DATI\nfilter \"Attributo MATERIALE contiene\" inox\n"
                                                      "click CMD_ELABORA\ndump GRD_ARTICOLI\n");
  EXPECT_EQ(codes(inoxScripted.out), codes(inox.out)) << inoxScripted.err;
  const Outcome colour = batch({"run", "--filter", "Attributo COLOUR=ROSSO"});
  EXPECT_EQ(colour.status, 1);
  EXPECT_NE(colour.err.find("l'attributo esteso COLOUR non esiste"), std::string::npos) << colour.err;

  const Outcome unknown = batch({"detail", "DADO-AB-M6", "--filter", "marca=VITEK"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("il filtro non ha il campo marca"), std::string::npos) << unknown.err;
  EXPECT_EQ(batch({"run", "--filter", "Marca"}).status, 2);
}

TEST_F(BatchHost, AnUnwritableTraceIsReportedOnceAndFails) {
  const Outcome full = batch({"--trace", "/dev/full", "whoami"});
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.out.find("ADMIN"), std::string::npos) << "the command itself ran";
  EXPECT_NE(full.err.find("traccia /dev/full non scrivibile: "), std::string::npos) << full.err;
  EXPECT_EQ(full.err.find("traccia"), full.err.rfind("traccia")) << full.err;
}

TEST_F(BatchHost, ControlCharactersInItemValuesReachNoTerminal) {
  ASSERT_EQ(m_folder.run(PASSAGGIO_DB_BINARY, {"sql", "demo.db", "-c",
                                               "UPDATE MG66_ANAGRART SET MG66_UMBASE = 'PZ\x1b[2J' "
                                               "WHERE MG66_CODART = 'DADO-M8-A2'"})
                .status,
            0);
  const Outcome detail = batch({"detail", "DADO-M8-A2"});
  ASSERT_EQ(detail.status, 0) << detail.err;
  EXPECT_EQ(detail.out.find('\x1b'), std::string::npos);
  EXPECT_NE(detail.out.find("PZ\\x1B[2J"), std::string::npos) << detail.out;
  const Outcome unknown = batch({"detail", "DADO\x1b[2J"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err.find('\x1b'), std::string::npos) << unknown.err;
  EXPECT_NE(unknown.err.find("DADO\\x1B[2J"), std::string::npos) << unknown.err;
}

TEST_F(BatchHost, AnErrorAnsweredAbortStopsTheCommand) {
  // Without the states table the console fails to fill its state choosers while opening; the
  // processing and the apply would still work.
  const auto sql = [&](const std::string& text) { return m_folder.run(PASSAGGIO_DB_BINARY, {"sql", "demo.db", "-c", text}); };
  ASSERT_EQ(sql("DROP TABLE MG6W_STATIART").status, 0);
  const std::string count = "SELECT COUNT(*) AS N FROM FW10_LOGSTATI";
  const std::string logRows = sql(count).out;
  const Outcome apply = batch({"--yes", "apply"});
  EXPECT_EQ(apply.status, 1);
  EXPECT_EQ(apply.out, "");
  EXPECT_NE(apply.err.find("(abort)"), std::string::npos) << apply.err;
  EXPECT_EQ(apply.err.find("message:"), std::string::npos) << "no question was asked:\n" << apply.err;
  EXPECT_EQ(sql(count).out, logRows) << "no state was applied";
}

TEST_F(BatchHost, ASignoffThatTicksNothingSaysWhy) {
  const struct {
    std::vector<std::string> arguments;
    const char* says;
  } cases[] = {
      {{"signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"}, "QUALITA:DOC_SCHEDATECNICA di DADO-M8-A2 non spuntato: "
                                                               "l'utente ADMIN non è responsabile dell'ente QUALITA"},
      {{"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:MG66_UMBASE"}, "non è un campo a validazione manuale"},
      {{"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:NESSUNO"}, "non è nel dettaglio dell'articolo"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.says);
    const Outcome outcome = batch(test.arguments);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_NE(outcome.err.find(test.says), std::string::npos) << outcome.err;
  }
}

// Apply, see the batch in the history, undo it with an item changed in between, see the
// items back and the undo as a batch of its own.
TEST_F(BatchHost, AnAppliedBatchCanBeUndoneExceptWhatChangedSince) {
  const auto sql = [&](const std::string& text) { return m_folder.run(PASSAGGIO_DB_BINARY, {"sql", "demo.db", "-c", text}); };
  const auto stateOf = [&](const std::string& item) {
    const auto rows = readCsv(sql("SELECT MG66_INDSTATO_MG6W FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = '" + item + "'").out);
    return rows.size() == 2 ? text(rows[1][0]) : "<no row>";
  };
  const Outcome applying = batch({"--yes", "apply"});
  ASSERT_EQ(applying.status, 0);
  // The question and the summary carry their counts where the apply is printed.
  EXPECT_NE(applying.err.find("message: Sei sicuro di voler aggiornare gli stati articolo?\\r\\n62 articoli cambieranno "
                             "stato.\n"),
            std::string::npos)
      << applying.err;
  EXPECT_NE(applying.err.find("message: 62 articoli hanno cambiato stato.\\r\\n"), std::string::npos) << applying.err;
  const auto history = readCsv(batch({"history"}).out);
  ASSERT_GE(history.size(), 2u);
  const std::string applied = text(column(history[0], history[1], "lotto"));
  EXPECT_EQ(text(column(history[0], history[1], "utente")), "ADMIN");
  ASSERT_EQ(stateOf("DADO-M8-ZN"), "30");
  ASSERT_EQ(stateOf("BULL-M10X80-88"), "20");
  ASSERT_EQ(sql("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = 40 WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = 'DADO-M8-ZN'").status, 0);

  const Outcome asked = batch({"undo", applied});
  EXPECT_EQ(asked.status, 0) << asked.err;
  EXPECT_NE(asked.err.find("message: Annullare il lotto " + applied + "? 61 articoli torneranno allo stato precedente, "
                           "1 saranno esclusi."),
            std::string::npos)
      << asked.err;
  EXPECT_EQ(stateOf("BULL-M10X80-88"), "20") << "answered No: nothing moves";

  const Outcome undone = batch({"--yes", "undo", applied});
  ASSERT_EQ(undone.status, 0) << undone.err;
  const auto plan = readCsv(undone.out.substr(0, undone.out.find("\r\n\r\n") + 2));
  std::string skipped;
  for (std::size_t i = 1; i < plan.size(); ++i) {
    if (text(column(plan[0], plan[i], "esito")) != "annullato") skipped += text(plan[i][0]) + " " + text(plan[i][4]);
  }
  EXPECT_EQ(skipped, "DADO-M8-ZN escluso: è nello stato 40, non più nello stato 30 dato dal lotto");
  EXPECT_EQ(stateOf("BULL-M10X80-88"), "50");
  EXPECT_EQ(stateOf("DADO-M8-ZN"), "40");

  const auto after = readCsv(batch({"history", "--item", "BULL-M10X80-88"}).out);
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(text(column(after[0], after[1], "descrizione")), "Annullamento del lotto " + applied);
  EXPECT_NE(text(column(after[0], after[1], "lotto")), applied);
  EXPECT_EQ(text(column(after[0], after[2], "lotto")), applied);
  EXPECT_EQ(batch({"--yes", "undo", "999999"}).status, 1);
  EXPECT_EQ(batch({"history", "--since", "ieri"}).status, 2);
}

TEST_F(BatchHost, RunWritesTheGridForSpreadsheetsToAFile) {
  const Outcome run = batch({"run", "--output", "articoli.csv"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  std::ifstream in(m_folder.path() / "articoli.csv", std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(file.substr(0, 3), "\xEF\xBB\xBF");
  // An empty text and NULL are one to a spreadsheet.
  const auto texts = [](const std::vector<CsvRecord>& records) {
    std::vector<std::string> lines;
    for (const auto& record : records) {
      std::string line;
      for (const auto& field : record) line += text(field) + "|";
      lines.push_back(line);
    }
    return lines;
  };
  EXPECT_EQ(texts(readCsv(std::string_view(file).substr(3), ';')), texts(readCsv(batch({"run", "--display"}).out)))
      << "the texts --display prints";
  EXPECT_EQ(batch({"run", "--output", "/nessuna/cartella/articoli.csv"}).status, 1);
}

}  // namespace

TEST_F(BatchHost, AScriptWorksTheExclusionsDialogUntilItClosesThenGoesOnInTheConsole) {
  const std::string associate =
      "page ENTITA\nrow GRD_ENTITA 7\ncell GRD_ENTITA MG0L_ENTITA_SEL 1\nclick CMD_SAVE_ENTITA\n"
      "page ENTITA_ARGOMENTI\nnav GRIDNAV_ENTITA_ARG new\n"
      "click CMD_DETTAGLIO_NOVALIDAZ\n";
  const Outcome unsaved = batch({"script", "-"}, associate);
  EXPECT_EQ(unsaved.status, 1);
  EXPECT_NE(unsaved.err.find("riga 7"), std::string::npos) << "no exclusions before the association is saved";
  // The brand stays managed: that line came before the refusal.

  const std::string exclude =
      "type TXT_ENTITA_ARG PRODUZIONE\nleave TXT_ENTITA_ARG\npick TXT_MG0Q_TIPOPROD AC\n"
      "pick TXT_MG0Q_CODFAM_MG53 VIT\npick TXT_MG0Q_MARCA_MG64 FISSAFER\nnav GRIDNAV_ENTITA_ARG save\n"
      "click CMD_DETTAGLIO_NOVALIDAZ\nrow GRD_CAMPIARG 1\ncell GRD_CAMPIARG FLG_SEL 0\nclick CMD_CONFERMA\n"
      "dump TXT_DESC_MARCA\n";
  const Outcome saved = batch({"script", "-"}, "page ENTITA_ARGOMENTI\nnav GRIDNAV_ENTITA_ARG new\n" + exclude);
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(saved.out.find("TXT_DESC_MARCA,Fissafer"), std::string::npos) << "back in the console after the dialog";

  // Opened again, the dialog shows the field excluded; a script ending inside it closes it.
  const Outcome again = batch(
      {"script", "-"}, "page ENTITA_ARGOMENTI\nrow GRD_ENTITA_ARG KEY_000000000000000029\nclick CMD_DETTAGLIO_NOVALIDAZ\n"
      "dump GRD_CAMPIARG\n");
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out,
            "FLG_SEL,COD_CAMPO,DESC_CAMPO\r\n0,PD18_LEADTIME,Lead time (giorni)\r\n"
            "1,MG87_DESCESTESA,Descrizione estesa\r\n1,PD18_INDREVDISBA,Revisione distinta base\r\n");
}

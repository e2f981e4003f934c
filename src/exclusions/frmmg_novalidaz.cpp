// The field-exclusion dialog's procedures: its working table and grid, the ticks changed
// through SQL on the working table, and the confirmation that replaces the exclusions.
#include "src/exclusions/frmmg_novalidaz.h"

#include <array>
#include <string_view>

#include "platform/controls/button.h"
#include "platform/controls/grid.h"
#include "platform/controls/resize_control.h"
#include "platform/host/display.h"
#include "platform/host/services.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/sql_text.h"
#include "src/shell/form_designs.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using namespace platform::controls;
namespace style = platform::host::style;

constexpr const char* kWorkingTable = "#TBL_CAMPIVALIDAZ";
constexpr const char* kApplicationDescription = "Passaggio di stato articoli";
constexpr int kErrorDisplayStyle =
    style::kAbortRetryIgnore + style::kCritical + style::kDefaultButton2 + style::kSystemModal;
constexpr int kNoLogStyle = style::kAbortRetryIgnore + style::kCritical + style::kSystemModal;

// Every field of the body once: excluded (0) when the association has an exclusion row for
// it, else checked (1). An exclusion whose field has left the body still shows.
constexpr std::array<std::string_view, 46> kBuildTable = {
    " SELECT",
    "     MIN(FLG_SEL)                AS FLG_SEL",
    "     , ID_MG0P",
    "     , COD_CAMPO",
    "     , DESC_CAMPO",
    " INTO",
    "     <T>",
    " FROM",
    " (",
    "     SELECT",
    "         1                       AS FLG_SEL",
    "         , MG0P_ID               AS ID_MG0P",
    "         , MG0O_CAMPO            AS COD_CAMPO",
    "         , MG0O_CAPTIONCAMPO     AS DESC_CAMPO",
    "     FROM",
    "         MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)",
    "     INNER JOIN MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ON",
    "         MG0O_ID = MG0P_CAMPO_MG0O",
    "     WHERE",
    "         MG0P_ARGOMENTO_MG0M = <BODY>",
    "     UNION",
    "     SELECT",
    "         0                       AS FLG_SEL",
    "         , MG0P_ID               AS ID_MG0P",
    "         , MG0O_CAMPO            AS COD_CAMPO",
    "         , MG0O_CAPTIONCAMPO     AS DESC_CAMPO",
    "     FROM",
    "         MG0U_NOVALIDAZ_PASSAGGI WITH (NOLOCK)",
    "     INNER JOIN MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) ON",
    "         MG0Q_ID = MG0U_IDENTITARG_MG0Q",
    "     INNER JOIN MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) ON",
    "         MG0P_ID = MG0U_IDCAMPOARG_MG0P",
    "     INNER JOIN MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ON",
    "         MG0O_ID = MG0P_CAMPO_MG0O",
    "     WHERE",
    "         MG0Q_ID =<ID>",
    " ) AS CAMPIVALIDAZ",
    " GROUP BY",
    "     ID_MG0P",
    "     , COD_CAMPO",
    "     , DESC_CAMPO",
    "",
};

constexpr std::array<std::string_view, 6> kDeleteExclusions = {
    "          DELETE", " FROM", "     MG0U_NOVALIDAZ_PASSAGGI", " WHERE", "     MG0U_IDENTITARG_MG0Q =<ID>", "",
};

constexpr std::array<std::string_view, 14> kInsertExclusions = {
    "          INSERT INTO", "     MG0U_NOVALIDAZ_PASSAGGI", " (", "     MG0U_IDCAMPOARG_MG0P",
    "     , MG0U_IDENTITARG_MG0Q", " )", " SELECT", "     ID_MG0P", "     , <ID>", " FROM", "     <T>", " WHERE",
    "     FLG_SEL = 0", "",
};

constexpr std::string_view kTickAll = "          UPDATE     <T> SET     FLG_SEL = <NEW_VALUE>";
constexpr std::string_view kTickOne = "          UPDATE     <T> SET     FLG_SEL = <NEW_VALUE> WHERE     ID_MG0P = <ID>";

}  // namespace

FRMMG_NOVALIDAZ::FRMMG_NOVALIDAZ() : m_form(designFRMMG_NOVALIDAZ()) {
  auto& grid = m_form.get<Grid>("GRD_CAMPIARG");
  grid.onSelectAll.connect(
      [this](const std::string&, bool checked, bool& cancel) { GRD_CAMPIARG_SelectAllClickEXT(checked, cancel); });
  grid.onBeforeCellChange.connect([this](const std::string&, const std::string&, const Variant& current, bool& cancel) {
    GRD_CAMPIARG_BeforeCellChange(current, cancel);
  });
  m_form.get<Button>("CMD_CONFERMA").onClick.connect([this] { CMD_CONFERMA_ButtonClick(); });
  m_form.get<Button>("CMD_CHIUDI").onClick.connect([this] { CMD_CHIUDI_Click(); });
  auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM1");
  resize.onRegisterControls.connect([&resize] {
    resize.registerControl("GRD_CAMPIARG", 15);
    resize.registerControl("CMD_CHIUDI", 12);
    resize.registerControl("CMD_CONFERMA", 12);
  });
  resize.onBeforeResize.connect([](bool& proceed) { proceed = true; });
}

FRMMG_NOVALIDAZ::~FRMMG_NOVALIDAZ() = default;

void FRMMG_NOVALIDAZ::Show(int mode) {
  m_loaded = true;
  if (auto* windows = platform::host::CurrentWindowSystem()) {
    windows->Show(shared_from_this(), mode == 1);
  } else {
    Activate();
  }
}

void FRMMG_NOVALIDAZ::Activate() {
  // The dialog is built once per showing; coming back to it from a message changes nothing.
  if (m_activated) return;
  m_activated = true;
  Form_Activate();
}

bool FRMMG_NOVALIDAZ::RequestClose() {
  Unload();
  return true;
}

void FRMMG_NOVALIDAZ::Unload() {
  if (!m_loaded) return;
  Form_Unload();
  m_loaded = false;
  if (auto* windows = platform::host::CurrentWindowSystem()) windows->Closed(*this);
}

platform::db::Connection& FRMMG_NOVALIDAZ::Db() {
  if (!m_connection) {
    throw platform::db::makeError(platform::db::kConnectionErrorNumber, "La connessione al database non è aperta.",
                                  "passaggio.db");
  }
  return *m_connection;
}

void FRMMG_NOVALIDAZ::Form_Activate() {
  ErrorTrap trap = Trap("Form_Activate");
  if (!trap.step([&] { m_tableName = kWorkingTable; })) return;
  if (!trap.step([&] { INITRST(); })) return;
  if (!trap.step([&] { INITGRD(); })) return;
  if (!trap.step([&] {
        auto& resize = m_form.get<ResizeControl>("ZEP_RESIZEFORM1");
        resize.setHost(m_host);
        resize.takeInitialSizes();
      })) {
    return;
  }
}

void FRMMG_NOVALIDAZ::INITRST() {
  try {
    m_sql = sql::DropTable(m_tableName);
    Db().Execute(m_sql);
    const std::string body = m_bodyId.toText();
    const std::string association = m_associationId.toText();
    m_sql = sql::Compose(kBuildTable, {{"<T>", m_tableName}, {"<BODY>", body}, {"<ID>", association}});
    Db().Execute(m_sql);
    m_sql = " SELECT * FROM " + m_tableName + " ORDER BY ID_MG0P";
    m_rows = Db().Open(m_sql);
  } catch (const std::exception& error) {
    RaiseThrough("INITRST:", error);
  }
}

void FRMMG_NOVALIDAZ::INITGRD() {
  try {
    auto& grid = m_form.get<Grid>("GRD_CAMPIARG");
    grid.setWrapper(GridWrapper{m_host, m_rows, "ID_MG0P", 0});
    grid.resetColumns();
    grid.addTextColumn("ID_MG0P", "ID", GridColumn::kTextKind, 2500, false);
    grid.addCheckBoxColumn("FLG_SEL", "Sel", 750, Variant("1"), Variant("0"), true);
    grid.addTextColumn("COD_CAMPO", "Campo", GridColumn::kTextKind, 2700);
    grid.addTextColumn("DESC_CAMPO", "Descrizione campo", GridColumn::kTextKind, 4100);
    grid.finish();
    grid.setDataSource(m_rows);
  } catch (const std::exception& error) {
    RaiseThrough("INITGRD:", error);
  }
}

void FRMMG_NOVALIDAZ::UpdateTicks(const std::string& statement) {
  m_sql = statement;
  Db().Execute(m_sql);
  auto& rows = *m_rows;
  const bool onRow = !rows.Eof() && !rows.Bof();
  const std::size_t position = onRow ? rows.AbsolutePosition() : 0;
  rows.Requery();
  if (onRow && position <= rows.RecordCount()) rows.SetAbsolutePosition(position);
  m_form.get<Grid>("GRD_CAMPIARG").refresh();
}

void FRMMG_NOVALIDAZ::GRD_CAMPIARG_SelectAllClickEXT(bool checked, bool& cancel) {
  ErrorTrap trap = Trap("GRD_CAMPIARG_SelectAllClickEXT:");
  // The ticks change in the working table; the grid only shows them again.
  cancel = true;
  if (!trap.step([&] {
        UpdateTicks(sql::Fill(kTickAll, {{"<T>", m_tableName}, {"<NEW_VALUE>", checked ? "1" : "0"}}));
      })) {
    return;
  }
}

void FRMMG_NOVALIDAZ::GRD_CAMPIARG_BeforeCellChange(const Variant& current, bool& cancel) {
  ErrorTrap trap = Trap("GRD_CAMPIARG_BeforeCellChange:");
  cancel = true;
  if (!trap.step([&] {
        const std::string id = Set(m_rows).Field("ID_MG0P").toText();
        const bool ticked = DefaultSeVuoto(current, 0).toDouble() == 1;
        UpdateTicks(
            sql::Fill(kTickOne, {{"<T>", m_tableName}, {"<NEW_VALUE>", ticked ? "0" : "1"}, {"<ID>", id}}));
      })) {
    return;
  }
}

void FRMMG_NOVALIDAZ::CMD_CONFERMA_ButtonClick() {
  ErrorTrap trap = Trap("CMD_CONFERMA_ButtonClick:");
  const std::string association = m_associationId.toText();
  if (!trap.step([&] {
        m_sql = sql::Compose(kDeleteExclusions, {{"<ID>", association}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::Compose(kInsertExclusions, {{"<ID>", association}, {"<T>", m_tableName}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  Unload();
}

void FRMMG_NOVALIDAZ::CMD_CHIUDI_Click() { Unload(); }

void FRMMG_NOVALIDAZ::Form_Unload() {
  m_form.get<Grid>("GRD_CAMPIARG").setDataSource(nullptr);
  m_host.reset();
  m_log.reset();
  m_connection.reset();
  m_rows.reset();
}

int FRMMG_NOVALIDAZ::VisualizzaErrore(const std::string& procedure, const ErrorInfo& error) {
  if (!m_log) {
    auto* windows = platform::host::CurrentWindowSystem();
    if (windows == nullptr) return platform::host::kAbort;
    return windows->GetDisplay().showMessage({"Errore nella funzione: " + procedure, kNoLogStyle, FRMMG_PASSAGGIO::kApplicationTitle});
  }
  m_log->TakeError(error.number, error.description, error.source);
  if (m_connection) m_log->TakeConnectionErrors(m_connection->Errors(), m_sql);
  int inOut = 0;
  return m_log->ShowError(FRMMG_PASSAGGIO::kApplicationTitle, kApplicationDescription, procedure, kErrorDisplayStyle, inOut);
}

ErrorTrap FRMMG_NOVALIDAZ::Trap(const std::string& procedure) {
  return ErrorTrap(procedure,
                   [this](const std::string& name, const ErrorInfo& error) { return VisualizzaErrore(name, error); });
}

}  // namespace passaggio

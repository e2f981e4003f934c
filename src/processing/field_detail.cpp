// The field detail of the items grid's current item: the item field working table built for
// it (every field of the bodies of its state whose association matches it, with the item's
// value and its stored sign-off), the ticking of sign-offs by double-click, what the detail
// grid shows of its cells, and the navigator that saves the ticks.
#include <optional>

#include "platform/controls/grid.h"
#include "platform/host/display.h"
#include "platform/text/ascii.h"
#include "platform/text/utf8.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/for_each_row.h"
#include "src/common/progress_report.h"
#include "src/common/sql_text.h"
#include "src/processing/field_detail_statements.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::Colour;
using platform::controls::Grid;
using platform::controls::RowValues;
using platform::controls::rgb;
namespace s = field_detail_statements;

constexpr const char* kRequiredValueMissing =
    "Attenzione si sta cercando di vistare un campo\r\n"
    "che richiede un Valore obbligatorio.\r\n"
    "Proseguire?";
constexpr std::size_t kValueLength = 100;  // VALORE_CAMPO is a VARCHAR(100)

constexpr Colour kCannotTick = rgb(255, 211, 66);
constexpr Colour kCanTick = rgb(189, 203, 0);

// Item-master fields that hold a yes/no flag, shown as "No" / "Sì".
constexpr const char* kFlagFields[] = {"MG6M_FLGLOTTI",    "MG6M_FLGSCAD",     "MG6M_FLGSERNUM",  "MG6M_FLGPALLETS",
                                       "MG6M_FLGBAGNOMAT", "MG6M_FLGESCLCONF", "PD18_INDREVDISBA"};
// Fields that hold a unit of time, shown by name.
constexpr const char* kTimeUnitFields[] = {"MG6M_INDUMSHELFLIFE", "MG6M_INDUMRETEST", "MG6M_INDUMANTICIPOSCAD",
                                           "MG6M_INDUMANTICIPORETEST"};

// A flag of a row: 0 when missing.
double Flag(const Variant& value) { return DefaultSeVuoto(value, 0).toDouble(); }

// Whether a stored value is a zero: the text of a number that equals 0 ("0", "0.000").
bool IsZero(const std::string& text) {
  if (DefaultSeVuoto(Variant(text), "").toText().empty()) return false;
  try {
    return Variant(text).toDouble() == 0;
  } catch (const std::exception&) {
    return false;  // not a number
  }
}

// The value as the detail stores it: without single quotes, at most 100 characters (whole
// UTF-8 characters: a cut never splits one).
std::string StoredValue(const std::string& text) {
  std::string unquoted;
  for (const char c : text) {
    if (c != '\'') unquoted += c;
  }
  return std::string(platform::text::utf8Prefix(unquoted, kValueLength));
}

template <std::size_t N>
bool Among(const std::string& field, const char* const (&names)[N]) {
  for (const char* name : names) {
    if (field == name) return true;
  }
  return false;
}

}  // namespace

void FRMMG_PASSAGGIO::GRD_ARTICOLI_RowChanged() {
  ErrorTrap trap = Trap("GRD_ARTICOLI_RowChanged");
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  auto& detail = m_form.get<Grid>("GRD_DATIART_CAMPI");
  bool noItem = false;
  if (!trap.step([&] { noItem = !m_items || m_items->Eof(); })) return;
  if (noItem) {
    if (!trap.step([&] { detail.setDataSource(nullptr); })) return;
    return;
  }

  const std::string k = m_company.toText();
  std::string u;
  std::string c;
  if (!trap.step([&] { u = std::to_string(Global()->CurrentUser().id); })) return;
  if (!trap.step([&] { c = DefaultSeVuoto(m_items->Field("CODART"), "").toText(); })) return;

  if (!trap.step([&] { m_fieldTable = std::string(s::kFieldTablePrefix) + Set(m_utility).Suffix(); })) return;
  if (!trap.step([&] {
        m_sql = sql::DropTable(m_fieldTable);
        Db().Execute(m_sql);
      })) {
    return;
  }

  const std::string item = sql::Quoted(c);
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kBuild, {{"<U>", u},
                                      {"<F>", m_fieldTable},
                                      {"<T>", m_itemTable},
                                      {"<MATCH>", CondizioniEntita_TabellaDati()},
                                      {"<K>", k},
                                      {"<ITEM>", item}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kGroupDisplay, {{"<F>", m_fieldTable}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kRows, {{"<F>", m_fieldTable}});
        m_fieldDetail = Db().Open(m_sql);
      })) {
    return;
  }

  // The item's value of every field that a table holds, one query and one update each.
  const bool walked = forEachRow(trap, m_fieldDetail, [&] {
    bool readable = false;
    if (!trap.step([&] { readable = Flag(m_fieldDetail->Field("MG0N_ISTABLE")) == 1; })) return false;
    std::shared_ptr<platform::db::Recordset> value;
    if (readable && !trap.step([&] {
          const std::string join = DefaultSeVuoto(m_fieldDetail->Field("MG0N_JOIN_SQL"), "").toText();
          m_sql = sql::Fill(s::kValue, {{"<FIELD>", DefaultSeVuoto(m_fieldDetail->Field("MG0O_CAMPO"), "").toText()},
                                        {"<JOIN>", join.empty() ? join : join + " "},
                                        {"<K>", k},
                                        {"<ITEM>", item}});
          value = Db().Open(m_sql);
        })) {
      return false;
    }
    return !value || trap.step([&] {
      if (value->Eof()) return;
      m_sql = sql::Compose(s::kStoreValue,
                           {{"<F>", m_fieldTable},
                            {"<VALUE>", StoredValue(Set(m_utility).ToText(value->Field("VALORE")))},
                            {"<MG0P_ID>", DefaultSeVuoto(m_fieldDetail->Field("MG0P_ID"), 0).toText()}});
      Db().Execute(m_sql);
    });
  });
  if (!walked) return;
  if (!trap.step([&] { m_fieldDetail->Requery(); })) return;
  if (!trap.step([&] { detail.setDataSource(m_fieldDetail); })) return;

  // The ticks of the item just left were saved on the way here: the items grid shows its
  // new verdicts.
  if (m_signOffsChanged) {
    if (!trap.step([&] { m_gridRefresh = true; })) return;
    std::size_t position = 0;
    if (!trap.step([&] { position = m_items->AbsolutePosition(); })) return;
    if (!trap.step([&] { m_items->Requery(); })) return;
    if (!trap.step([&] {
          m_items->SetAbsolutePosition(position);
          items.refresh();
        })) {
      return;
    }
    if (!trap.step([&] { m_gridRefresh = false; })) return;
  }
  if (!trap.step([&] { m_signOffsChanged = false; })) return;
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_CellDblClick() {
  ErrorTrap trap = Trap("Err_GRD_DATIART_CAMPI_CellDblClick");
  auto& detail = m_form.get<Grid>("GRD_DATIART_CAMPI");
  bool mayTick = false;
  if (!trap.step([&] {
        mayTick = Flag(Set(m_fieldDetail).Field("METTI_VISTO")) == 1 &&
                  Flag(m_fieldDetail->Field("MG0P_VALIDAZ_MANUALE")) != 0;
      })) {
    return;
  }
  if (!mayTick) return;

  bool ticked = false;
  if (!trap.step([&] { ticked = Flag(m_fieldDetail->Field("VISTO")) != 0; })) return;
  // Ticking a required field that holds no value takes a confirmation.
  bool valueMissing = false;
  if (!trap.step([&] {
        if (ticked || Flag(m_fieldDetail->Field("MG0P_VALORE_OBBLIGATORIO")) != 1) return;
        const std::string stored = DefaultSeVuoto(m_fieldDetail->Field("VALORE_CAMPO"), "").toText();
        valueMissing = stored.empty() || (IsZero(stored) && Flag(m_fieldDetail->Field("MG0P_INDVALZERO")) == 1);
      })) {
    return;
  }
  if (valueMissing) {
    int answer = 0;
    if (!trap.step([&] {
          answer = MessaggioUtente(kRequiredValueMissing, platform::host::style::kYesNo, Variant(Caption()), "");
        })) {
      return;
    }
    if (answer == platform::host::kNo) return;
  }

  std::size_t position = 0;
  if (!trap.step([&] { position = m_fieldDetail->AbsolutePosition(); })) return;
  if (!trap.step([&] {
        m_sql = sql::Fill(s::kTick, {{"<F>", m_fieldTable},
                                     {"<TICK>", ticked ? "0" : "1"},
                                     {"<MG0P_ID>", DefaultSeVuoto(m_fieldDetail->Field("MG0P_ID"), 0).toText()}});
        Db().Execute(m_sql);
      })) {
    return;
  }
  if (!trap.step([&] { m_fieldDetail->Requery(); })) return;
  if (!trap.step([&] {
        m_fieldDetail->SetAbsolutePosition(position);
        detail.refresh();
      })) {
    return;
  }
  if (!trap.step([&] { m_signOffsChanged = true; })) return;
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_CellColour(const std::string& column, const RowValues& row,
                                                   std::optional<Colour>& colour) {
  if (column != "VISTO") return;
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    const bool cannotTick = Flag(row["METTI_VISTO"]) == 0 || Flag(row["MG0P_VALIDAZ_MANUALE"]) == 0;
    colour = cannotTick ? kCannotTick : kCanTick;
  });
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_DisplayFormat(std::string& text, const std::string& column,
                                                      const RowValues& row) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    if (column == "MG0M_TIPO_RESPONSABILE") {
      if (text == "0") text = "Utente";
      if (text == "1") text = "Gruppo";
    } else if (column == "MG0M_UTENTE_FW07") {
      text = Codice_Utente_DaID(row["MG0M_UTENTE_FW07"]);
    } else if (column == "MG0M_GRUPPO_FW06") {
      text = Codice_Gruppo_DaID(row["MG0M_GRUPPO_FW06"]);
    } else if (column == "MG0P_INDVALZERO") {
      if (text == "0") text = "No";
      if (text == "1") text = "Sì";
    } else if (column == "VALORE_CAMPO") {
      // A zero where zero is no value shows as no value; this comes before the names below.
      const double required = Set(m_utility).ToNumber(row["MG0P_VALORE_OBBLIGATORIO"]);
      const double zeroIsNoValue = m_utility->ToNumber(row["MG0P_INDVALZERO"]);
      if (required == 1 && zeroIsNoValue == 1 && IsZero(text)) {
        text.clear();
        return;
      }
      const std::string field = DefaultSeVuoto(row["MG0O_CAMPO"], "").toText();
      if (Among(field, kFlagFields)) {
        if (text == "0") text = "No";
        if (text == "1") text = "Sì";
      } else if (field == "MG6M_INDSCADLOTTO") {
        if (text == "0") text = "No";
        else if (text == "1") text = "Sì";
        else if (text == "99") text = "Come da parametri generali";
      } else if (Among(field, kTimeUnitFields)) {
        if (text == "0") text = "Giorni";
        else if (text == "1") text = "Mesi";
        else if (text == "2") text = "Anni";
      }
    }
  });
}

void FRMMG_PASSAGGIO::GRD_DATIART_CAMPI_NumberCell(bool& number, const std::string& column, const RowValues& row) {
  if (column != "VALORE_CAMPO") return;
  IgnoringErrors steps = Ignoring();
  steps.step([&] { number = IsCampoNumerico(row["MG0O_ID"]); });
}

void FRMMG_PASSAGGIO::GRIDNAV_VIS_CAMPIART_ButtonClick(bool& cancel, const std::string& /*button*/) {
  ErrorTrap trap = Trap("GRIDNAV_VIS_CAMPIART_ButtonClick");
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  auto& detail = m_form.get<Grid>("GRD_DATIART_CAMPI");
  if (!trap.step([&] { cancel = true; })) return;  // the navigator does nothing of its own
  bool fieldShown = false;
  if (!trap.step([&] { fieldShown = detail.dataSource() && !detail.dataSource()->Eof(); })) return;
  if (!fieldShown) return;

  std::size_t position = 0;
  std::optional<std::size_t> field;  // the detail's current row, kept across the save
  if (!trap.step([&] { position = Set(m_items).AbsolutePosition(); })) return;
  if (!trap.step([&] { field = detail.currentRow(); })) return;
  if (!trap.step([&] { items.setDataSource(nullptr); })) return;
  if (!trap.step([&] { AggiornaVisti(); })) return;
  if (!trap.step([&] { m_signOffsChanged = false; })) return;
  if (!trap.step([&] { m_gridRefresh = true; })) return;
  if (!trap.step([&] { m_items->Requery(); })) return;
  if (!trap.step([&] { m_items->SetAbsolutePosition(position); })) return;
  // Shown again, the current item's detail is built anew from the stored sign-offs.
  if (!trap.step([&] { items.setDataSource(m_items); })) return;
  if (!trap.step([&] { m_gridRefresh = false; })) return;
  if (!trap.step([&] {
        if (field && *field < detail.rowCount()) detail.setCurrentRow(*field);
      })) {
    return;
  }
  if (!trap.step([&] {
        const std::string code = DefaultSeVuoto(m_items->Field("CODART"), "").toText();
        reportDone("Visti dell'articolo " + std::string(platform::text::trimRight(code)) + " salvati.");
      })) {
    return;
  }
}

}  // namespace passaggio

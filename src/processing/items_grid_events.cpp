// What the items grid asks of the console while it shows the run's rows: state descriptions,
// verdict colours, the offer to save the ticks of the item being left, and the item-code
// button that opens the item's card and checks that one row again afterwards. All four
// ignore errors: a cell keeps what the grid would show, a failing step is skipped.
#include "platform/controls/grid.h"
#include "src/common/default_se_vuoto.h"
#include "src/common/sql_text.h"
#include "src/processing/verdict_colours.h"
#include "src/shell/frmmg_passaggio.h"

namespace passaggio {
namespace {

using platform::Variant;
using platform::controls::Colour;
using platform::controls::Grid;
constexpr std::string_view kStateDescription =
    "SELECT MG6W_DESCR FROM MG6W_STATIART WITH (NOLOCK) WHERE MG6W_INDSTATO = <STATE> ";
// Whether a column of the items grid is the verdict of one of the company's bodies.
constexpr std::string_view kIsBody =
    "SELECT 1 FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) "
    "WHERE MG0M_DITTA_CG18 = <K> "
    "     AND MG0M_ARGOMENTO = <CODE> ";

// What the item card is opened with, as the host's item service expects it.
constexpr int kItemCardFirst = 50;
constexpr int kItemCardSecond = 1000;

using verdict_colours::kDoesNotApply;
using verdict_colours::kFails;
using verdict_colours::kPasses;

// Before the current item changes: unsaved ticks are saved on Yes, or dropped. After a save
// the flag stays set, so that the row change re-reads the items with the new verdicts.
void OfferToSaveSignOffs(FRMMG_PASSAGGIO& form, IgnoringErrors& steps) {
  steps.step([&] {
    if (form.m_gridRefresh || !form.m_signOffsChanged) return;
    if (!form.SalvaVistiSeConfermato()) form.m_signOffsChanged = false;
  });
}

}  // namespace

void FRMMG_PASSAGGIO::GRD_ARTICOLI_DisplayFormat(std::string& text, const std::string& column) {
  if (column != "INDSTATO_MG6W" && column != "NEW_STATO") return;
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    m_sql = sql::Fill(kStateDescription, {{"<STATE>", text.empty() ? std::string("-1") : text}});
    const auto state = Db().Open(m_sql);
    text = state->Eof() ? std::string() : DefaultSeVuoto(state->Field("MG6W_DESCR"), "").toText();
  });
}

void FRMMG_PASSAGGIO::GRD_ARTICOLI_CellColour(const std::string& column, const Variant& value,
                                              std::optional<Colour>& colour) {
  IgnoringErrors steps = Ignoring();
  steps.step([&] {
    m_sql = sql::Fill(kIsBody, {{"<K>", m_company.toText()}, {"<CODE>", sql::Quoted(column)}});
    if (Db().Open(m_sql)->Eof()) return;
    if (DefaultSeVuoto(value, "").toText().empty()) return;
    const double verdict = value.toDouble();
    if (verdict == 0) colour = kFails;
    if (verdict == 1) colour = kPasses;
    if (verdict == 2) colour = kDoesNotApply;
  });
}

void FRMMG_PASSAGGIO::GRD_ARTICOLI_BeforeRowChange(bool& /*cancel*/) {
  IgnoringErrors steps = Ignoring();
  OfferToSaveSignOffs(*this, steps);
}

void FRMMG_PASSAGGIO::GRD_ARTICOLI_CellButton(const std::string& column, const Variant& value) {
  if (column != "CODART") return;
  IgnoringErrors steps = Ignoring();
  auto& items = m_form.get<Grid>("GRD_ARTICOLI");
  OfferToSaveSignOffs(*this, steps);
  steps.step([&] { Set(m_itemNotifier).SetHost(m_host); });
  steps.step([&] { Set(m_itemNotifier).SetValues(kItemCardFirst, kItemCardSecond); });
  // Returns when the user is done with the item: the check below sees what was changed.
  steps.step([&] { Set(m_itemNotifier).ShowItem(DefaultSeVuoto(value, "").toText()); });

  steps.step([&] { m_gridRefresh = true; });
  std::size_t position = 0;
  steps.step([&] { position = Set(m_items).AbsolutePosition(); });
  steps.step([&] { m_currentItemId = DefaultSeVuoto(Set(m_items).Field("ID"), 0).toInteger(); });
  steps.step([&] { ElaboraTabellaArticoli_SettaArgomentiOK(); });
  steps.step([&] { Set(m_items).Requery(); });
  steps.step([&] {
    Set(m_items).SetAbsolutePosition(position);
    items.refresh();
  });
  steps.step([&] { m_gridRefresh = false; });
}

}  // namespace passaggio

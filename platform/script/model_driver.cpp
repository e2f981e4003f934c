// Each script verb as the control models' user actions.
#include "platform/script/model_driver.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <stdexcept>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/enhanced_query.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/side_bar.h"
#include "platform/db/recordset_csv.h"
#include "platform/text/ascii.h"

namespace platform::script {
namespace {

using namespace platform::controls;

int answerCode(const Action& action) {
  static const std::map<std::string, int> kAnswers = {{"ok", 1},    {"cancel", 2}, {"abort", 3}, {"retry", 4},
                                                      {"ignore", 5}, {"yes", 6},   {"no", 7}};
  const auto found = kAnswers.find(text::lowerAscii(action.args[0]));
  if (found == kAnswers.end()) throw ScriptError(action.line, "risposta sconosciuta '" + action.args[0] + "'");
  return found->second;
}

GridNavigator::Button navigatorButton(const Action& action) {
  static const std::map<std::string, GridNavigator::Button> kButtons = {
      {"new", GridNavigator::Button::New},     {"save", GridNavigator::Button::Save},
      {"delete", GridNavigator::Button::Delete}, {"cancel", GridNavigator::Button::Cancel},
      {"first", GridNavigator::Button::First}, {"previous", GridNavigator::Button::Previous},
      {"next", GridNavigator::Button::Next},   {"last", GridNavigator::Button::Last}};
  const auto found = kButtons.find(text::lowerAscii(action.args[1]));
  if (found == kButtons.end()) throw ScriptError(action.line, "pulsante sconosciuto '" + action.args[1] + "'");
  return found->second;
}

int zeroOrOne(const Action& action, const std::string& word) {
  if (word != "0" && word != "1") throw ScriptError(action.line, "atteso 0 o 1, non '" + word + "'");
  return word == "1" ? 1 : 0;
}

void writeRecord(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << db::csvField(Variant(fields[i]));
  out << "\r\n";
}

// The current row of a grid, which the verbs that act on "the current row" need.
std::size_t currentRowOf(const Action& action, const Grid& grid) {
  const auto row = grid.currentRow();
  if (!row) throw ScriptError(action.line, grid.name() + " non ha una riga corrente");
  return *row;
}

}  // namespace

ModelDriver::ModelDriver(Form& form, Prompter& prompter, std::ostream& out)
    : m_form(form), m_prompter(prompter), m_out(out) {}

template <class T>
T& ModelDriver::usable(const Action& action, const std::string& name) {
  Control* control = m_form.find(name);
  if (control == nullptr) throw ScriptError(action.line, "controllo sconosciuto " + name);
  T* typed = dynamic_cast<T*>(control);
  if (typed == nullptr) {
    throw ScriptError(action.line, name + " è un " + std::string(control->typeName()) + ": '" + action.verb +
                                       "' non si applica");
  }
  if (!control->isShown()) throw ScriptError(action.line, name + " non è visibile");
  if (!control->isEnabled()) throw ScriptError(action.line, name + " è disabilitato");
  return *typed;
}

void ModelDriver::runAll(const std::vector<Action>& actions) {
  for (const Action& action : actions) run(action);
}

void ModelDriver::run(const Action& action) {
  const std::string& verb = action.verb;
  const auto refusedIf = [&](bool refused, const std::string& why) {
    if (refused) throw ScriptError(action.line, why);
  };
  if (verb == "answer") {
    m_prompter.QueueAnswer(answerCode(action));
  } else if (verb == "expect") {
    const std::string last = m_prompter.LastMessage();
    refusedIf(last.find(action.args[0]) == std::string::npos,
              "atteso un messaggio con \"" + action.args[0] + "\", l'ultimo mostrato è \"" + last + "\"");
  } else if (verb == "page") {
    auto* sideBar = dynamic_cast<SideBar*>(m_form.find("SDB_PASSAGGIO"));
    if (sideBar == nullptr) {
      for (const auto& control : m_form.controls()) {
        if ((sideBar = dynamic_cast<SideBar*>(control.get())) != nullptr) break;
      }
    }
    refusedIf(sideBar == nullptr, "il modulo non ha una barra laterale");
    refusedIf(!usable<SideBar>(action, sideBar->name()).clickItem(action.args[0]),
              "la barra laterale non ha la voce " + action.args[0]);
  } else if (verb == "type") {
    Control* control = m_form.find(action.args[0]);
    if (dynamic_cast<Chooser*>(control) != nullptr) {
      usable<Chooser>(action, action.args[0]).setText(action.args[1]);
    } else {
      auto& field = usable<EditField>(action, action.args[0]);
      refusedIf(!field.type(action.args[1]), "il campo " + action.args[0] + " non accetta il testo");
    }
  } else if (verb == "leave") {
    usable<EditField>(action, action.args[0]).leave();
  } else if (verb == "check") {
    auto& box = usable<CheckBox>(action, action.args[0]);
    if (box.value() != zeroOrOne(action, action.args[1])) box.click();
  } else if (verb == "click") {
    usable<Button>(action, action.args[0]).click();
  } else if (verb == "nav") {
    usable<GridNavigator>(action, action.args[0]).press(navigatorButton(action));
  } else if (verb == "row") {
    auto& grid = usable<Grid>(action, action.args[0]);
    std::optional<std::size_t> row;
    const std::string& which = action.args[1];
    if (std::all_of(which.begin(), which.end(), [](unsigned char c) { return std::isdigit(c); })) {
      // A number past any row, however long, is a row that does not exist.
      std::size_t number = 0;
      const auto [end, error] = std::from_chars(which.data(), which.data() + which.size(), number);
      if (error == std::errc() && number >= 1 && number <= grid.rowCount()) row = number - 1;
    } else {
      row = grid.findRowByKey(Variant(which));
    }
    refusedIf(!row, action.args[0] + " non ha la riga " + which);
    grid.setCurrentRow(*row);
  } else if (verb == "dblclick") {
    auto& grid = usable<Grid>(action, action.args[0]);
    const std::size_t row = currentRowOf(action, grid);
    const auto& columns = grid.columns();
    grid.doubleClick(row, columns.empty() ? std::string() : columns.front().field);
  } else if (verb == "cell") {
    auto& grid = usable<Grid>(action, action.args[0]);
    const std::size_t row = currentRowOf(action, grid);
    refusedIf(grid.column(action.args[1]) == nullptr, action.args[0] + " non ha la colonna " + action.args[1]);
    const bool wanted = zeroOrOne(action, action.args[2]) == 1;
    if (grid.cell(row, action.args[1]).checked != wanted) grid.clickCheckBox(row, action.args[1]);
  } else if (verb == "selectall") {
    auto& grid = usable<Grid>(action, action.args[0]);
    refusedIf(grid.column(action.args[1]) == nullptr, action.args[0] + " non ha la colonna " + action.args[1]);
    const GridColumn* column = grid.column(action.args[1]);
    refusedIf(!column->hasSelectAll, action.args[1] + " non ha la casella di selezione di tutte le righe");
    // The header box toggles: a user clicks it until it shows the state wanted.
    if (column->selectAllChecked != (zeroOrOne(action, action.args[2]) == 1)) grid.clickSelectAll(action.args[1]);
  } else if (verb == "lookup") {
    auto& field = usable<EditField>(action, action.args[0]);
    const auto list = field.openLookup();
    refusedIf(!list, action.args[0] + " non ha un elenco");
    writeRecord(m_out, list->captions);
    for (const auto& row : list->rows) {
      for (std::size_t i = 0; i < row.size(); ++i) m_out << (i ? "," : "") << db::csvField(row[i]);
      m_out << "\r\n";
    }
  } else if (verb == "pick") {
    auto& field = usable<EditField>(action, action.args[0]);
    refusedIf(!field.pick(action.args[1]), action.args[0] + ": il codice " + action.args[1] + " non è nell'elenco");
  } else if (verb == "filter") {
    const auto found = std::find_if(m_form.controls().begin(), m_form.controls().end(), [](const auto& control) {
      return dynamic_cast<EnhancedQuery*>(control.get()) != nullptr;
    });
    refusedIf(found == m_form.controls().end(), "il modulo non ha un filtro");
    auto& filter = usable<EnhancedQuery>(action, (*found)->name());
    const Variant second = action.args.size() > 2 ? Variant(action.args[2]) : Variant();
    try {
      filter.enterSetting(action.args[0], Variant(action.args[1]), second);
    } catch (const std::invalid_argument& refused) {
      throw ScriptError(action.line, refused.what());
    }
  } else if (verb == "dump") {
    Control* control = m_form.find(action.args[0]);
    refusedIf(control == nullptr, "controllo sconosciuto " + action.args[0]);
    if (dynamic_cast<Grid*>(control) != nullptr) {
      dumpGrid(action, action.args[0]);
    } else {
      dumpControl(action, action.args[0]);
    }
  }
}

void ModelDriver::dumpGrid(const Action&, const std::string& name) {
  const auto& grid = m_form.get<Grid>(name);
  std::vector<std::string> header;
  for (const auto& column : grid.columns()) {
    if (column.visible) header.push_back(column.field);
  }
  writeRecord(m_out, header);
  for (const auto& row : grid.displayedRows()) writeRecord(m_out, row);
}

void ModelDriver::dumpControl(const Action&, const std::string& name) {
  Control& control = m_form.control(name);
  std::string text;
  std::string value;
  if (auto* field = dynamic_cast<EditField*>(&control)) {
    text = value = field->text();
  } else if (auto* chooser = dynamic_cast<Chooser*>(&control)) {
    text = chooser->text();
    value = chooser->value().toText();
  } else if (auto* box = dynamic_cast<CheckBox*>(&control)) {
    text = control.caption();
    value = std::to_string(box->value());
  } else {
    text = control.caption();
  }
  writeRecord(m_out, {"name", "text", "value", "enabled", "visible"});
  writeRecord(m_out, {control.name(), text, value, control.isEnabled() ? "1" : "0", control.isShown() ? "1" : "0"});
}

}  // namespace platform::script

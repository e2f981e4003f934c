// Driver scripts: the user's whole vocabulary, one action per line, shared by the batch host,
// the tests and the desktop host's smoke tests. Blank lines and "#" comments are ignored.
//
//   page KEY                  click the side-bar item KEY
//   type CONTROL TEXT         type TEXT (the rest of the line) into an edit field or chooser
//   leave CONTROL             leave the field: validate, then after-item
//   check CONTROL 0|1         set a check box
//   click CONTROL             press a button
//   nav NAVIGATOR BUTTON      new, save, delete, cancel, first, previous, next, last
//   row GRID N|KEY            make row N (1-based) or the row with key KEY current
//   dblclick GRID             double-click the current row
//   cell GRID FIELD 0|1       change a check-box cell (through before-cell-change)
//   selectall GRID FIELD 0|1  the select-all box of a check-box column
//   lookup CONTROL            open the field's pick list and print it as CSV
//   pick CONTROL CODE         choose CODE from the field's pick list
//   answer yes|no|ok|cancel|abort|retry|ignore   the answer to the next question or error
//   dump GRID|CONTROL         print a grid's rows as displayed, or a control's state, as CSV
//   expect TEXT               fail unless the last message shown contains TEXT
//   filter CAPTION FIRST [SECOND]  set a field of the form's filter; a word with blanks, or
//                             an empty one, goes between double quotes
//
// A line that opens a modal dialog hands the lines after it to the dialog, until one of them
// closes it; the script then goes on in the window that opened it.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform::script {

struct Action {
  int line = 0;
  std::string verb;               // lower case
  std::vector<std::string> args;  // words; for type and expect, the rest of the line is the last
};

//! A line that cannot be carried out: its number and why.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& reason);
  int line() const { return m_line; }

 private:
  int m_line;
};

//! Reads a script; an unknown verb or a wrong number of words is a ScriptError.
std::vector<Action> parseScript(std::istream& in);

}  // namespace platform::script

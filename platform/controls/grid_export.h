// A grid's rows taken out to a spreadsheet: the texts the grid shows, under its captions.
#pragma once

#include <ostream>
#include <string>

#include "platform/controls/grid.h"

namespace platform::controls {

//! The visible columns as a CSV file that spreadsheets set to Italian open directly: UTF-8
//! with a byte-order mark, fields separated by semicolons, records ended by CR LF, a field
//! quoted (its quotes doubled) when it holds a semicolon, a quote or a line break.
void writeSpreadsheetCsv(std::ostream& out, const Grid& grid);

//! The same as tab-separated text, as a spreadsheet takes it from the clipboard.
std::string tabSeparatedText(const Grid& grid);

}  // namespace platform::controls

// Taking a grid out to a spreadsheet.
#include "platform/controls/grid_export.h"

#include <sstream>

#include "platform/text/ascii.h"

namespace platform::controls {
namespace {

// A field's text without the blanks a fixed-width column pads it with.
void writeField(std::ostream& out, std::string_view shown, char separator) {
  const std::string text(platform::text::trimRight(shown));
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) {
    out << text;
    return;
  }
  out << '"';
  for (const char c : text) {
    if (c == '"') out << '"';
    out << c;
  }
  out << '"';
}

void writeRecord(std::ostream& out, const std::vector<std::string>& fields, char separator) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out << separator;
    writeField(out, fields[i], separator);
  }
  out << "\r\n";
}

void writeTable(std::ostream& out, const Grid& grid, char separator) {
  std::vector<std::string> captions;
  for (const auto& column : grid.columns()) {
    if (column.visible) captions.push_back(column.caption);
  }
  writeRecord(out, captions, separator);
  grid.forEachDisplayedRow([&](const std::vector<std::string>& texts) { writeRecord(out, texts, separator); });
}

}  // namespace

void writeSpreadsheetCsv(std::ostream& out, const Grid& grid) {
  out << "\xEF\xBB\xBF";
  writeTable(out, grid, ';');
}

std::string tabSeparatedText(const Grid& grid) {
  std::ostringstream out;
  writeTable(out, grid, '\t');
  return out.str();
}

}  // namespace platform::controls

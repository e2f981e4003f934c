// A grid's way out to a spreadsheet on the screen: its context menu saves the rows as a CSV
// file or copies them to the clipboard, as the grid shows them.
#pragma once

#include <QString>

class QTableView;
class QWidget;

namespace platform::controls {
class Grid;
}

namespace platform::qt {

//! Gives `view` the context menu "Esporta in CSV..." and "Copia righe" for `grid`.
void addExportMenu(QTableView& view, const controls::Grid& grid);

//! Asks where to save, over `parent`, and writes the grid there as a spreadsheet CSV; says so
//! when the file cannot be written. False when nothing was written.
bool exportGridToFile(QWidget* parent, const controls::Grid& grid, const QString& suggestedName);

//! The grid's rows, tab-separated, to the clipboard.
void copyGridToClipboard(const controls::Grid& grid);

}  // namespace platform::qt

// The grids' export on the screen.
#include "platform/qt/grid_export_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTableView>
#include <fstream>

#include "platform/controls/grid_export.h"
#include "platform/qt/busy.h"
#include "platform/qt/text.h"

namespace platform::qt {

void addExportMenu(QTableView& view, const controls::Grid& grid) {
  view.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&view, &QWidget::customContextMenuRequested, &view, [&view, &grid](const QPoint& at) {
    QMenu menu(&view);
    menu.setObjectName(QStringLiteral("menuEsporta"));
    const bool rows = grid.dataSource() && grid.dataSource()->RecordCount() > 0;
    QAction* save = menu.addAction(QStringLiteral("Esporta in CSV..."));
    QAction* copy = menu.addAction(QStringLiteral("Copia righe"));
    save->setEnabled(rows);
    copy->setEnabled(rows);
    QAction* chosen = menu.exec(view.viewport()->mapToGlobal(at));
    if (chosen == save) exportGridToFile(&view, grid, toQString(grid.name()) + QStringLiteral(".csv"));
    if (chosen == copy) copyGridToClipboard(grid);
  });
}

bool exportGridToFile(QWidget* parent, const controls::Grid& grid, const QString& suggestedName) {
  const QString file =
      QFileDialog::getSaveFileName(parent, QStringLiteral("Esporta risultati"), QDir::home().filePath(suggestedName),
                                   QStringLiteral("CSV per fogli di calcolo (*.csv)"));
  if (file.isEmpty()) return false;
  WaitCursor wait;
  std::ofstream out(file.toStdString(), std::ios::binary | std::ios::trunc);
  if (out) controls::writeSpreadsheetCsv(out, grid);
  out.close();
  if (!out) {
    QMessageBox::warning(parent, QStringLiteral("Esporta risultati"), QStringLiteral("Impossibile scrivere ") + file);
    return false;
  }
  return true;
}

void copyGridToClipboard(const controls::Grid& grid) {
  QApplication::clipboard()->setText(toQString(controls::tabSeparatedText(grid)));
}

}  // namespace platform::qt

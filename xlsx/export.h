#pragma once
// Export of what a grid lists to an .xlsx workbook of one worksheet: the
// header, every listed row (groups expanded first) and the footer, in the
// grid's colours and fonts, with numbers and dates as native cell values.
#include <QFont>
#include <QString>

namespace grid {
class GridModel;
struct StyleSheet;
}  // namespace grid

namespace xlsx {

// Writes the workbook to workbookPath(chosenPath), replacing an existing
// file only once the new one is complete. The groups of the model are left
// expanded. gridFont is the font of the window that holds the grid, which
// data rows wear. The caller shows the hourglass and keeps the grid still.
// Raises wt::Error on any failure.
void exportGrid(grid::GridModel& model, const QString& chosenPath, const grid::StyleSheet& sheet,
                const QFont& gridFont);

}  // namespace xlsx

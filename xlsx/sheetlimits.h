#pragma once
// The size of one worksheet; a report that does not fit is refused before
// anything is written.
#include <QtGlobal>

namespace xlsx {

inline constexpr qint64 worksheetRows = 1048576;
inline constexpr qint64 worksheetColumns = 16384;

// Raises wt::Error when a sheet of that many rows and columns cannot exist.
void checkSheetSize(qint64 rows, qint64 columns);

}  // namespace xlsx

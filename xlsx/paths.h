#pragma once
// Where a workbook goes and what its one worksheet is called, derived from the
// path the user chose in the save dialog.
#include <QString>

namespace xlsx {

// The chosen path with the extension of its file name (text after the last
// ".", folders not considered) replaced by ".xlsx", or ".xlsx" appended.
QString workbookPath(const QString& chosen);

// The file name without folder and extension, made a valid worksheet name:
// characters a sheet name may not hold become blanks, at most 31 UTF-16 units,
// no apostrophe at either end; "Sheet1" when nothing is left.
QString sheetNameFor(const QString& path);

}  // namespace xlsx

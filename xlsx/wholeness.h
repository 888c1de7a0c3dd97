#pragma once
// libxlsxwriter does not check its writes to its own temporary files: when
// one fails (disk full, file-size limit) it still closes the workbook as if
// whole, with a part cut short. A written workbook is therefore read back
// before it may replace anything.
#include <QString>

namespace xlsx {

// Raises wt::Error naming the first defect: a zip container that does not
// hold together, a part that does not inflate to its recorded size and
// checksum, or an XML part that ends before its root element is closed.
void checkWorkbookWhole(const QString& path);

}  // namespace xlsx

#include "xlsx/sheetlimits.h"

#include <QLocale>

#include "core/errors.h"

namespace xlsx {
namespace {

QString count(qint64 n) { return QLocale(QLocale::English).toString(n); }

}  // namespace

void checkSheetSize(qint64 rows, qint64 columns) {
    if (rows > worksheetRows) {
        throw wt::Error(QStringLiteral("The report has %1 rows, more than the %2 rows a worksheet "
                                       "holds; filter it to fewer rows before exporting")
                            .arg(count(rows), count(worksheetRows)));
    }
    if (columns > worksheetColumns) {
        throw wt::Error(QStringLiteral("The report has %1 columns, more than the %2 columns a "
                                       "worksheet holds; hide columns before exporting")
                            .arg(count(columns), count(worksheetColumns)));
    }
}

}  // namespace xlsx

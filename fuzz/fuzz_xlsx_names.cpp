// The workbook path and sheet-name rules on arbitrary chosen paths: the path
// always ends in ".xlsx" and the sheet name is always one a workbook accepts.
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "xlsx/paths.h"

namespace {

bool isValidSheetName(const QString& name) {
    static const QString forbidden = QStringLiteral("[]:*?/\\");
    if (name.isEmpty() || name.size() > 31) return false;
    if (name.startsWith(u'\'') || name.endsWith(u'\'')) return false;
    for (const QChar c : name)
        if (forbidden.contains(c)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString chosen = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!xlsx::workbookPath(chosen).endsWith(QStringLiteral(".xlsx"))) std::abort();
    if (!isValidSheetName(xlsx::sheetNameFor(chosen))) std::abort();
    return 0;
}

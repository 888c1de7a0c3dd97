#include "xlsx/paths.h"

namespace xlsx {
namespace {

constexpr qsizetype sheetNameMaxUnits = 31;

qsizetype fileNameStart(const QString& path) { return path.lastIndexOf(u'/') + 1; }

// Without extension: up to the last "." of the file name, or all of it.
QString withoutExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot >= fileNameStart(path) ? path.left(dot) : path;
}

QString fileBaseName(const QString& path) {
    const QString stem = withoutExtension(path);
    return stem.mid(fileNameStart(stem));
}

// Control characters cannot stand in the workbook's XML at all; the others
// are the ones a spreadsheet program refuses in a sheet name.
bool forbiddenInSheetName(QChar c) {
    return c.unicode() < 0x20 || QStringView(u"*/:?[\\]").contains(c);
}

QString blankForbidden(QString name) {
    for (QChar& c : name) {
        if (forbiddenInSheetName(c)) c = u' ';
    }
    return name;
}

QString cutToSheetNameLength(const QString& name) {
    if (name.size() <= sheetNameMaxUnits) return name;
    const bool splitsPair = name.at(sheetNameMaxUnits - 1).isHighSurrogate();
    return name.left(splitsPair ? sheetNameMaxUnits - 1 : sheetNameMaxUnits);
}

QString trimApostrophes(QString name) {
    while (name.startsWith(u'\'')) name.remove(0, 1);
    while (name.endsWith(u'\'')) name.chop(1);
    return name;
}

}  // namespace

QString workbookPath(const QString& chosen) {
    return withoutExtension(chosen) + QStringLiteral(".xlsx");
}

QString sheetNameFor(const QString& path) {
    const QString name = trimApostrophes(cutToSheetNameLength(blankForbidden(fileBaseName(path))));
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

}  // namespace xlsx

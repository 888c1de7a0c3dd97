#include "workbookreader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QProcess>

namespace xlsxtest {

QJsonObject readWorkbook(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral(XLSX_READER_PYTHON), {QStringLiteral(XLSX_READER_SCRIPT), path});
    const bool finished = reader.waitForFinished(60000);
    const QByteArray output = reader.readAllStandardOutput();
    EXPECT_TRUE(finished && reader.exitCode() == 0) << reader.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(output).object();
}

QJsonObject cellAt(const QJsonObject& book, int row, int column) {
    return book[u"rows"][row][u"cells"][column].toObject();
}

QStringList rowValues(const QJsonObject& book, int row) {
    QStringList values;
    const QJsonArray cells = book[u"rows"][row][u"cells"].toArray();
    for (const QJsonValue& cell : cells) {
        const QJsonValue value = cell.toObject()[u"value"];
        values << (value.isDouble() ? QString::number(value.toDouble(), 'g', 15)
                                    : value.toVariant().toString());
    }
    return values;
}

void copyWithPartCutShort(const QString& from, const QString& to, const QString& part) {
    static const char* const program = R"(
import sys, zipfile
source, target, cut = sys.argv[1:4]
with zipfile.ZipFile(source) as old, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as new:
    for item in old.infolist():
        data = old.read(item.filename)
        new.writestr(item.filename, data[:-40] if item.filename == cut else data)
)";
    QProcess python;
    python.start(QStringLiteral(XLSX_READER_PYTHON), {"-c", program, from, to, part});
    ASSERT_TRUE(python.waitForFinished(60000) && python.exitCode() == 0)
        << python.readAllStandardError().toStdString();
}

int rowCount(const QJsonObject& book) { return int(book[u"rows"].toArray().size()); }

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace xlsxtest

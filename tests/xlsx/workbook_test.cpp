#include "xlsx/workbook.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <limits>

#include "core/errors.h"
#include "textprinting.h"
#include "workbookreader.h"
#include "xlsx/wholeness.h"

namespace {

using xlsx::CellLook;
using xlsx::Workbook;

class WorkbookTest : public ::testing::Test {
  protected:
    QString file() const { return dir.filePath("book.xlsx"); }
    QTemporaryDir dir;
};

TEST_F(WorkbookTest, ValuesKeepTheirKindAndFormat) {
    {
        Workbook book(file(), "Data", dir.path());
        const auto plain = book.format(CellLook{});
        const auto amount = book.format(CellLook{.numberFormat = "#,##0.00"});
        const auto date = book.format(CellLook{.numberFormat = "dd.mm.yyyy"});
        const auto moment = book.format(CellLook{.numberFormat = "dd.mm.yyyy hh:mm:ss"});
        book.writeText(0, 0, QString::fromUtf16(u"\u0218tef\u0103nescu & <Co>"), plain);
        book.writeNumber(0, 1, -1234.5, amount);
        book.writeDate(0, 2, QDate(2024, 2, 29), date);
        book.writeDateTime(0, 3, QDateTime(QDate(2024, 3, 1), QTime(13, 45, 10)), moment);
        book.writeBoolean(0, 4, true, plain);
        // What a cell cannot hold as a number or date is kept as text.
        book.writeNumber(0, 5, std::numeric_limits<double>::quiet_NaN(), amount);
        book.writeDate(0, 6, QDate(1899, 12, 31), date);
        book.close();
    }
    const QJsonObject read = xlsxtest::readWorkbook(file());
    EXPECT_EQ(read[u"sheets"].toArray(), QJsonArray{"Data"});
    const struct {
        const char* value;
        const char* type;
        const char* format;
    } expected[] = {
        {"\xC8\x98tef\xC4\x83nescu & <Co>", "s", "General"},
        {"-1234.5", "n", "#,##0.00"},
        {"2024-02-29T00:00:00", "d", "dd.mm.yyyy"},
        {"2024-03-01T13:45:10", "d", "dd.mm.yyyy hh:mm:ss"},
        {"true", "b", "General"},
        {"nan", "s", "#,##0.00"},
        {"31.12.1899", "s", "dd.mm.yyyy"},
    };
    const QStringList values = xlsxtest::rowValues(read, 0);
    ASSERT_EQ(values.size(), int(std::size(expected)));
    for (int i = 0; i < values.size(); ++i) {
        const QJsonObject cell = xlsxtest::cellAt(read, 0, i);
        EXPECT_EQ(values[i], QString::fromUtf8(expected[i].value)) << "column " << i;
        EXPECT_EQ(cell[u"type"].toString(), expected[i].type) << "column " << i;
        EXPECT_EQ(cell[u"format"].toString(), expected[i].format) << "column " << i;
    }
}

TEST_F(WorkbookTest, CellsWearTheirLook) {
    {
        Workbook book(file(), "Look", dir.path());
        const CellLook header{QColor("#316AC5"), QColor(Qt::white), "MS Sans Serif", 8, true, {}};
        const CellLook data{QColor("#D9EAF7"), QColor(Qt::black), "Tahoma", 8, false, {}};
        book.writeText(0, 0, "Partner", book.format(header));
        book.writeBlank(1, 0, book.format(data));
        book.close();
    }
    const QJsonObject read = xlsxtest::readWorkbook(file());
    const QJsonObject header = xlsxtest::cellAt(read, 0, 0);
    EXPECT_EQ(header[u"fill"].toString(), "FF316AC5");
    EXPECT_EQ(header[u"color"].toString(), "FFFFFFFF");
    EXPECT_EQ(header[u"font"].toString(), "MS Sans Serif");
    EXPECT_EQ(header[u"size"].toDouble(), 8);
    EXPECT_TRUE(header[u"bold"].toBool());
    // An empty cell keeps the row's background; black stays black, not "no colour".
    const QJsonObject blank = xlsxtest::cellAt(read, 1, 0);
    EXPECT_TRUE(blank[u"value"].isNull());
    EXPECT_EQ(blank[u"fill"].toString(), "FFD9EAF7");
    EXPECT_EQ(blank[u"color"].toString(), "FF000000");
    EXPECT_FALSE(blank[u"bold"].toBool());
}

TEST_F(WorkbookTest, ATextTooLongForACellIsRefusedAndNothingIsWritten) {
    {
        Workbook book(file(), "Long", dir.path());
        try {
            book.writeText(4, 2, QString(32768, u'x'), book.format(CellLook{}));
            FAIL() << "a text of 32,768 characters was accepted";
        } catch (const wt::Error& error) {
            EXPECT_TRUE(error.message().startsWith("The worksheet cannot take row 5, column 3: "))
                << error.message().toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(file()));
}

TEST_F(WorkbookTest, AFileThatCannotBeWrittenFailsTheClose) {
    Workbook book(dir.filePath("missing/book.xlsx"), "Sheet1", dir.path());
    book.writeNumber(0, 0, 1, book.format(CellLook{}));
    try {
        book.close();
        FAIL() << "closed into a missing folder";
    } catch (const wt::Error& error) {
        EXPECT_EQ(error.message(), "No such file or directory");
    }
}

}  // namespace

namespace {

class WholenessTest : public WorkbookTest {
  protected:
    void SetUp() override {
        Workbook book(file(), "Sheet1", dir.path());
        for (int row = 0; row < 200; ++row) {
            book.startRow(row, 0);
            book.writeText(row, 0, QString("Partner %1").arg(row), book.format(CellLook{}));
        }
        book.close();
    }
    QString defectOf(const QString& path) {
        try {
            xlsx::checkWorkbookWhole(path);
        } catch (const wt::Error& error) {
            return error.message();
        }
        return {};
    }
};

TEST_F(WholenessTest, AWholeWorkbookPasses) { EXPECT_EQ(defectOf(file()), QString()); }

TEST_F(WholenessTest, FindsWhatAFailedWriteLeaves) {
    const QString cut = dir.filePath("cut.xlsx");
    xlsxtest::copyWithPartCutShort(file(), cut, "xl/worksheets/sheet1.xml");
    EXPECT_EQ(defectOf(cut),
              "The workbook came out incomplete (xl/worksheets/sheet1.xml is cut short)");

    QFile truncated(dir.filePath("truncated.xlsx"));
    QFile::copy(file(), truncated.fileName());
    ASSERT_TRUE(truncated.resize(truncated.size() / 2));
    EXPECT_EQ(defectOf(truncated.fileName()),
              "The workbook came out incomplete (no zip directory)");

    // A changed byte inside the compressed sheet.
    QFile damaged(dir.filePath("damaged.xlsx"));
    QFile::copy(file(), damaged.fileName());
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    QByteArray bytes = damaged.readAll();
    const qsizetype sheet = bytes.indexOf("xl/worksheets/sheet1.xml");
    bytes[sheet + 200] = char(bytes[sheet + 200] ^ 0x55);
    damaged.seek(0);
    damaged.write(bytes);
    damaged.close();
    EXPECT_TRUE(defectOf(damaged.fileName())
                    .startsWith("The workbook came out incomplete (xl/worksheets/sheet1.xml: "))
        << defectOf(damaged.fileName()).toStdString();
}

}  // namespace

#include "xlsx/export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/dialogs.h"
#include "core/errors.h"
#include "grid/gridmodel.h"
#include "grid/memorysource.h"
#include "grid/style.h"
#include "textprinting.h"
#include "workbookreader.h"
#include "xlsx/paths.h"

namespace {

using grid::FieldType;

// A report-like grid: the partner, typed values, two summed amounts.
enum Column { Partner, DocDate, DocNumber, DelayDays, ValueRon, Rate, Bucket };

std::vector<grid::MemoryColumn> reportColumns() {
    return {{"partener", FieldType::Text},     {"data_doc", FieldType::Date},
            {"nr_doc", FieldType::Text},       {"nr_zile", FieldType::Integer},
            {"val_mon_lei", FieldType::Float}, {"curs", FieldType::Float},
            {"rest_1_30", FieldType::Float}};
}

std::vector<grid::ColumnDef> reportGridColumns() {
    return {{"Partner", "partener", 150},
            {"DocDate", "data_doc", 80},
            {"DocNumber", "nr_doc", 110},
            {"NoOfDelayDays", "nr_zile", 105},
            {"DocValue (RON)", "val_mon_lei", 100},
            {"ExchangeRate", "curs", 90},
            {"1-30 (repCurr) DaysDelay", "rest_1_30", 160}};
}

void addReportRows(grid::MemorySource& source) {
    const QVariant null;
    source.addRow({"ABC SRL", QDate(2024, 1, 15), "F1", 10, 1000.5, 4.9735, 200.0});
    source.addRow({"Beta SA", QDate(2024, 2, 1), "F2", 0, -250.25, 1.0, null});
    source.addRow({"ABC SRL", QDate(2024, 3, 3), "F3", 45, 2000.0, 4.97, 0.0});
    source.addRow({"Gamma", null, "F4", null, 99.99, 5.0, 10.0});
    source.addRow({"Beta SA", QDate(2023, 12, 31), "F5", 100, 10.0, 1.0, 5.5});
}

// The colours and fonts of the shared grid style that the export shows.
struct TestStyles {
    TestStyles() {
        const QFont sansBold = grid::designFont("MS Sans Serif", -11, true);
        header = {QColor("#316AC5"), QColor("#FFFFFF"), sansBold};
        footer = {QColor("#FFFFE1"), QColor("#000080"), sansBold};
        group = {QColor("#F1EFE2"), std::nullopt, std::nullopt};
        even = {QColor("#D9EAF7"), QColor("#000000"), std::nullopt};
        odd = {QColor("#BCDBF1"), QColor("#000000"), std::nullopt};
        sheet.setStyle(grid::StyleElement::Header, &header);
        sheet.setStyle(grid::StyleElement::Footer, &footer);
        sheet.setStyle(grid::StyleElement::Group, &group);
        sheet.setStyle(grid::StyleElement::ContentEven, &even);
        sheet.setStyle(grid::StyleElement::ContentOdd, &odd);
    }
    grid::Style header, footer, group, even, odd;
    grid::StyleSheet sheet;
};

// Any box or question during an export is a fault: it must ask nothing.
class NoDialogs : public wt::UserDialogs {
  public:
    void information(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    void error(const QString& text) override { ADD_FAILURE() << text.toStdString(); }
    bool confirm(const QString& text) override {
        ADD_FAILURE() << text.toStdString();
        return false;
    }
    std::optional<QString> saveFileName(const wt::SaveFileRequest&) override {
        ADD_FAILURE() << "save dialog";
        return std::nullopt;
    }
    int showModal(QDialog&) override {
        ADD_FAILURE() << "modal window";
        return 0;
    }
};

class ExportTest : public ::testing::Test {
  protected:
    ExportTest() : source(reportColumns()), model(source) {
        previousDialogs = wt::setDialogs(&noDialogs);
        addReportRows(source);
        source.reload();
        model.setLocale(QLocale(QLocale::English));
        model.setColumns(reportGridColumns());
        model.setFooterSums({{"val_mon_lei", ValueRon}, {"rest_1_30", Bucket}});
        model.setGroupSums({{"val_mon_lei", ValueRon}, {"rest_1_30", Bucket}});
    }
    ~ExportTest() override { wt::setDialogs(previousDialogs); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QJsonObject exportAndRead(const QString& name = "report.xlsx") {
        xlsx::exportGrid(model, path(name), styles.sheet, gridFont);
        return xlsxtest::readWorkbook(xlsx::workbookPath(path(name)));
    }

    NoDialogs noDialogs;
    wt::UserDialogs* previousDialogs = nullptr;
    QTemporaryDir dir;
    grid::MemorySource source;
    grid::GridModel model;
    TestStyles styles;
    const QFont gridFont = grid::designFont("Tahoma", -11);
};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList captions(const QJsonObject& book) { return xlsxtest::rowValues(book, 0); }

QString fill(const QJsonObject& book, int row, int column = 0) {
    return xlsxtest::cellAt(book, row, column)[u"fill"].toString();
}

TEST_F(ExportTest, TheHeaderHoldsTheShownColumnsInTheirOrderAndWidths) {
    model.moveColumn(Rate, 0);
    const QJsonObject book = exportAndRead();
    EXPECT_EQ(captions(book),
              (QStringList{"ExchangeRate", "Partner", "DocDate", "DocNumber", "NoOfDelayDays",
                           "DocValue (RON)", "1-30 (repCurr) DaysDelay"}));
    const QJsonObject widths = book[u"widths"].toObject();
    // 90, 150 and 80 pixels in the grid.
    EXPECT_LT(widths[u"A"].toDouble(), widths[u"B"].toDouble());
    EXPECT_GT(widths[u"A"].toDouble(), widths[u"C"].toDouble());
    EXPECT_EQ(book[u"freeze"].toString(), "A2");
    const QJsonObject header = xlsxtest::cellAt(book, 0, 0);
    EXPECT_EQ(header[u"fill"].toString(), "FF316AC5");
    EXPECT_EQ(header[u"color"].toString(), "FFFFFFFF");
    EXPECT_EQ(header[u"font"].toString(), "MS Sans Serif");
    EXPECT_TRUE(header[u"bold"].toBool());
}

TEST_F(ExportTest, WritesTheFilteredRowsAndFooterSumsOverJustThem) {
    model.setFilterValue(Partner, "%a");  // "Beta SA" twice and "Gamma"
    const QJsonObject book = exportAndRead();
    ASSERT_EQ(xlsxtest::rowCount(book), 5);
    for (int row = 1; row <= 3; ++row) {
        EXPECT_TRUE(xlsxtest::rowValues(book, row)[0].endsWith(u'a', Qt::CaseInsensitive));
    }
    EXPECT_EQ(xlsxtest::rowValues(book, 4), (QStringList{"", "", "", "", "-140.26", "", "15.5"}));
    EXPECT_NEAR(*model.footerSum(ValueRon), -140.26, 1e-9);
    const QJsonObject sum = xlsxtest::cellAt(book, 4, 4);
    EXPECT_EQ(sum[u"type"].toString(), "n");
    EXPECT_EQ(sum[u"format"].toString(), "#,##0.00;-#,##0.00");
    EXPECT_EQ(sum[u"fill"].toString(), "FFFFFFE1");
    EXPECT_EQ(sum[u"color"].toString(), "FF000080");
    EXPECT_TRUE(sum[u"bold"].toBool());
    EXPECT_EQ(fill(book, 4, 0), "FFFFFFE1");
}

TEST_F(ExportTest, NumbersAndDatesAreNativeValuesAndNullCellsEmpty) {
    const QJsonObject book = exportAndRead();
    const struct {
        int row;
        int column;
        const char* value;
        const char* type;
        const char* format;
    } cells[] = {
        {1, Partner, "ABC SRL", "s", "General"},
        {1, DocDate, "2024-01-15T00:00:00", "d", "dd.mm.yyyy"},
        {1, DelayDays, "10", "n", "0"},
        {1, ValueRon, "1000.5", "n", "#,##0.00##"},
        {1, Rate, "4.9735", "n", "#,##0.00##"},
        {2, ValueRon, "-250.25", "n", "#,##0.00##"},
        {2, Bucket, "", "n", "#,##0.00##"},
        {4, DocDate, "", "n", "dd.mm.yyyy"},
        {4, DelayDays, "", "n", "0"},
    };
    for (const auto& c : cells) {
        const QJsonObject cell = xlsxtest::cellAt(book, c.row, c.column);
        EXPECT_EQ(xlsxtest::rowValues(book, c.row)[c.column], c.value) << c.row << "," << c.column;
        EXPECT_EQ(cell[u"type"].toString(), c.type) << c.row << "," << c.column;
        EXPECT_EQ(cell[u"format"].toString(), c.format) << c.row << "," << c.column;
    }
    // An empty cell still wears its row's look.
    EXPECT_EQ(fill(book, 4, DocDate), "FFBCDBF1");
}

TEST_F(ExportTest, DataRowsAlternateByListedPositionInTheGridFont) {
    model.setSort({{ValueRon, true}});
    const QJsonObject book = exportAndRead();
    const QStringList expected{"FFD9EAF7", "FFBCDBF1", "FFD9EAF7", "FFBCDBF1", "FFD9EAF7"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(fill(book, row, Rate), expected[row - 1]) << "row " << row;
    }
    EXPECT_EQ(xlsxtest::rowValues(book, 1)[ValueRon], "2000");
    const QJsonObject cell = xlsxtest::cellAt(book, 1, Partner);
    EXPECT_EQ(cell[u"font"].toString(), "Tahoma");
    EXPECT_EQ(cell[u"size"].toDouble(), 8);
    EXPECT_EQ(cell[u"color"].toString(), "FF000000");
    EXPECT_FALSE(cell[u"bold"].toBool());
}

TEST_F(ExportTest, CollapsedGroupsAreWrittenWholeAndStayExpanded) {
    model.setGrouping({Partner});
    model.collapseAll();
    const QJsonObject book = exportAndRead();
    // Partner is shown as the group, so the first column holds the document date.
    ASSERT_EQ(xlsxtest::rowCount(book), model.rowCount() + 2);
    int dataRows = 0;
    for (int listed = 0; listed < model.rowCount(); ++listed) {
        const grid::ListedRow& row = model.row(listed);
        const int sheetRow = listed + 1;
        const int level = book[u"rows"][sheetRow][u"level"].toInt();
        switch (row.kind) {
            case grid::RowKind::Group:
                EXPECT_TRUE(model.isExpanded(listed));
                EXPECT_EQ(xlsxtest::rowValues(book, sheetRow)[0], model.groupCaption(listed));
                EXPECT_EQ(fill(book, sheetRow, 1), "FFF1EFE2");
                EXPECT_EQ(level, 0);
                break;
            case grid::RowKind::Data:
                ++dataRows;
                EXPECT_EQ(fill(book, sheetRow), row.position % 2 ? "FFBCDBF1" : "FFD9EAF7");
                EXPECT_EQ(level, 1);
                break;
            case grid::RowKind::GroupFooter:
                EXPECT_EQ(xlsxtest::cellAt(book, sheetRow, 3)[u"value"].toDouble(),
                          *model.groupSum(listed, ValueRon));
                EXPECT_EQ(level, 0);
                break;
        }
    }
    EXPECT_EQ(dataRows, 5);
    EXPECT_FALSE(book[u"summaryBelow"].toBool());
}

TEST_F(ExportTest, AnExistingWorkbookIsReplacedWithoutAQuestion) {
    writeFile(path("report.xlsx"), "an older workbook");
    const QJsonObject book = exportAndRead("report");
    EXPECT_EQ(xlsxtest::rowCount(book), 7);
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report.xlsx"});
}

TEST_F(ExportTest, TheSheetIsNamedAfterTheFile) {
    const QJsonObject book = exportAndRead("ReceivablesPayablesAgingAnalysis");
    EXPECT_EQ(book[u"sheets"].toArray(), QJsonArray{"ReceivablesPayablesAgingAnalysi"});
}

TEST_F(ExportTest, AnEmptyGridGivesTheHeaderAndAnEmptyFooter) {
    source.clear();
    source.reload();
    const QJsonObject book = exportAndRead();
    ASSERT_EQ(xlsxtest::rowCount(book), 2);
    EXPECT_EQ(captions(book).size(), 7);
    EXPECT_EQ(xlsxtest::rowValues(book, 1), QStringList(7, QString()));
}

TEST_F(ExportTest, ATargetThatCannotBeCreatedLeavesEverythingAsItWas) {
    writeFile(path("report"), "a file, not a folder");
    try {
        xlsx::exportGrid(model, path("report/aging.xlsx"), styles.sheet, gridFont);
        FAIL() << "exported below a plain file";
    } catch (const wt::Error& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Cannot create file \"%1\". Not a directory")
                                       .arg(path("report/aging.xlsx")));
    }
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report"});
}

// Holds the size a process may give a file, as a full disk would stop it.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &previous_); }

  private:
    rlimit previous_{};
};

TEST_F(ExportTest, AWriteThatFailsMidwayLeavesTheOldWorkbookAndNoTemporary) {
    writeFile(path("report.xlsx"), "the previous workbook");
    for (int i = 0; i < 3000; ++i) {
        source.addRow({QString("Partner %1").arg(i), QDate(2024, 1, 1).addDays(i % 300),
                       QString("F%1").arg(i), i, i * 1.25, 4.97, i * 0.5});
    }
    source.reload();
    try {
        const FileSizeLimit limit(16 * 1024);
        xlsx::exportGrid(model, path("report.xlsx"), styles.sheet, gridFont);
        FAIL() << "a write past the file-size limit was reported as success";
    } catch (const wt::Error& error) {
        EXPECT_EQ(
            error.message(),
            QStringLiteral("Cannot write file \"%1\". File too large").arg(path("report.xlsx")));
    }
    EXPECT_EQ(contentOf(path("report.xlsx")), "the previous workbook");
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report.xlsx"});
}

// As many rows as a sheet holds, computed instead of stored.
class CountingSource : public grid::DataSource {
  public:
    explicit CountingSource(int rows) : rows_(rows) {}
    int rowCount() const override { return rows_; }
    int columnCount() const override { return 1; }
    QString columnName(int) const override { return "n"; }
    FieldType columnType(int) const override { return FieldType::Integer; }
    bool isNull(int, int) const override { return false; }
    double number(int row, int) const override { return row; }
    qint64 integer(int row, int) const override { return row; }
    qint64 julianDay(int, int) const override { return 0; }
    qint64 msecs(int, int) const override { return 0; }
    bool boolean(int, int) const override { return false; }
    QString text(int, int) const override { return {}; }

  private:
    int rows_;
};

TEST_F(ExportTest, AReportLargerThanASheetIsRefusedBeforeAnythingIsWritten) {
    CountingSource rows(1048575);  // with the header and the footer, one too many
    grid::GridModel large(rows);
    large.setColumns({{"N", "n", 64}});
    writeFile(path("report.xlsx"), "the previous workbook");
    try {
        xlsx::exportGrid(large, path("report.xlsx"), styles.sheet, gridFont);
        FAIL() << "a report of 1,048,577 sheet rows was written";
    } catch (const wt::Error& error) {
        EXPECT_TRUE(
            error.message().startsWith("The report has 1,048,577 rows, more than the "
                                       "1,048,576 rows a worksheet holds"))
            << error.message().toStdString();
    }
    EXPECT_EQ(contentOf(path("report.xlsx")), "the previous workbook");
    EXPECT_EQ(xlsxtest::filesIn(dir.path()), QStringList{"report.xlsx"});
}

}  // namespace

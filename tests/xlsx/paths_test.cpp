#include "xlsx/paths.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "textprinting.h"
#include "xlsx/sheetlimits.h"

namespace {

struct Case {
    const char16_t* input;
    const char16_t* expected;
};

TEST(WorkbookPath, ChangesTheExtensionOfTheFileNameOnly) {
    const Case cases[] = {
        {u"report", u"report.xlsx"},
        {u"report.txt", u"report.xlsx"},
        {u"report.xlsx", u"report.xlsx"},
        {u"Q1.2024", u"Q1.xlsx"},
        {u"report.", u"report.xlsx"},
        {u"/a.b/report", u"/a.b/report.xlsx"},
        {u"/a.b/c.d/report.old", u"/a.b/c.d/report.xlsx"},
        {u"/home/u/Documents/ReceivablesPayablesAgingAnalysis.xlsx",
         u"/home/u/Documents/ReceivablesPayablesAgingAnalysis.xlsx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(xlsx::workbookPath(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.input).toStdString();
    }
}

TEST(SheetName, IsTheFileNameMadeValidForAWorksheet) {
    const Case cases[] = {
        {u"/home/u/ReceivablesPayablesAgingAnalysis.xlsx", u"ReceivablesPayablesAgingAnalysi"},
        {u"/a.b/report.xlsx", u"report"},
        {u"Q1.2024.xlsx", u"Q1.2024"},
        {u"a*b:c?d[e]f\\g.xlsx", u"a b c d e f g"},
        {u"'quoted'.xlsx", u"quoted"},
        {u"''it's''.xlsx", u"it's"},
        {u"tab\there.xlsx", u"tab here"},
        // The cut comes before the apostrophes go: 30 letters and a quote.
        {u"abcdefghijklmnopqrstuvwxyzABCD'efg.xlsx", u"abcdefghijklmnopqrstuvwxyzABCD"},
        // A surrogate pair at the cut is dropped whole, not split.
        {u"abcdefghijklmnopqrstuvwxyzABCD\U0001F600.xlsx", u"abcdefghijklmnopqrstuvwxyzABCD"},
        {u"\u0218tefan \u021Bar\u0103.xlsx", u"\u0218tefan \u021Bar\u0103"},
        {u"''.xlsx", u"Sheet1"},
        {u".xlsx", u"Sheet1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(xlsx::sheetNameFor(QString::fromUtf16(c.input)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.input).toStdString();
    }
}

TEST(SheetSize, RefusesMoreRowsOrColumnsThanAWorksheetHolds) {
    EXPECT_NO_THROW(xlsx::checkSheetSize(1048576, 16384));
    EXPECT_NO_THROW(xlsx::checkSheetSize(2, 0));
    try {
        xlsx::checkSheetSize(1048577, 18);
        FAIL() << "a sheet of 1,048,577 rows was accepted";
    } catch (const wt::Error& error) {
        EXPECT_EQ(error.message(),
                  "The report has 1,048,577 rows, more than the 1,048,576 rows a worksheet holds; "
                  "filter it to fewer rows before exporting");
    }
    EXPECT_THROW(xlsx::checkSheetSize(100, 16385), wt::Error);
}

}  // namespace

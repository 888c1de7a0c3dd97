// The result grid over the report: its columns, its sums and when it shows rows.
#include <QLocale>

#include "agingfixture.h"
#include "reports/aging/u_fAccountsPayableReceivableAging.h"

using namespace Qt::Literals::StringLiterals;

namespace agingtest {
namespace {

grid::GridModel& view() { return fAccountsPayableReceivableAging->cxGrid1DBTableView1; }

int columnCaptioned(const QString& caption) {
    for (int column = 0; column < view().columnCount(); ++column)
        if (view().columnDef(column).caption == caption) return column;
    ADD_FAILURE() << "no column " << caption.toStdString();
    return -1;
}

int listedRowOfGroup(const QString& partner) {
    for (int row = 0; row < view().rowCount(); ++row)
        if (view().row(row).kind == grid::RowKind::Group &&
            view().groupValue(row).toString() == partner)
            return row;
    ADD_FAILURE() << "no group " << partner.toStdString();
    return -1;
}

class ResultGridTest : public AgingTest {
  protected:
    void SetUp() override {
        AgingTest::SetUp();
        view().setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    }
};

TEST_F(ResultGridTest, ColumnsShowInTheirDesignedOrderAndWidths) {
    const std::vector<std::pair<QString, int>> expected = {
        {u"Partner"_s, 150},
        {u"DocDate"_s, 80},
        {u"DocType"_s, 65},
        {u"DocNumber"_s, 110},
        {u"RP"_s, 40},
        {u"DueDate"_s, 80},
        {u"NoOfDelayDays"_s, 105},
        {u"DocValue"_s, 90},
        {u"Curr."_s, 50},
        {u"ExchangeRate"_s, 90},
        {u"DocValue (RON)"_s, 100},
        {u"Amount (R/P)"_s, 100},
        {u"1-30 DaysDelay"_s, 110},
        {u"31-60 DaysDelay"_s, 110},
        {u"61-90 DaysDelay"_s, 110},
        {u"1-30 (repCurr) DaysDelay"_s, 160},
        {u"31-60 (repCurr) DaysDelay"_s, 160},
        {u"61-90 (repCurr) DaysDelay"_s, 160},
    };
    searchAtFixtureDay();
    std::vector<std::pair<QString, int>> shown;
    for (int column : view().visibleColumns()) {
        shown.emplace_back(view().columnDef(column).caption, view().columnDef(column).width);
        EXPECT_GE(view().sourceColumn(column), 0)
            << view().columnDef(column).fieldName.toStdString();
    }
    EXPECT_EQ(shown, expected);
}

// Fixture with the defaults: A1 1000 LEI (600 open, 1-30), B1 -250 LEI
// (61-90), G1 200 EUR at 4.9 (31-60, 5.00 at the month's end).
TEST_F(ResultGridTest, FooterAndGroupFootersSumUnderTheirColumnsOnly) {
    struct Case {
        QString caption;
        QString footer;
        QString alfaGroup;
    };
    const Case cases[] = {
        {u"DocValue (RON)"_s, u"1,730.00"_s, u"1,000.00"_s},
        {u"1-30 (repCurr) DaysDelay"_s, u"600.00"_s, u"600.00"_s},
        {u"31-60 (repCurr) DaysDelay"_s, u"1,000.00"_s, u"0.00"_s},
        {u"61-90 (repCurr) DaysDelay"_s, u"-250.00"_s, u"0.00"_s},
        {u"1-30 DaysDelay"_s, {}, {}},
        {u"31-60 DaysDelay"_s, {}, {}},
        {u"Amount (R/P)"_s, {}, {}},
    };
    searchAtFixtureDay();
    view().setGrouping({columnCaptioned(u"Partner"_s)});
    const int alfa = listedRowOfGroup(u"Alfa SRL"_s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        const int column = columnCaptioned(c.caption);
        EXPECT_EQ(view().footerSumText(column), c.footer);
        EXPECT_EQ(view().groupSumText(alfa, column), c.alfaGroup);
    }
}

TEST_F(ResultGridTest, RowsFollowTheReportQuery) {
    EXPECT_EQ(view().recordCount(), 0);
    searchAtFixtureDay();
    EXPECT_EQ(view().recordCount(), 3);
    exec(
        u"insert into doc_partener (partener, urm_incasare, tip_doc, tip_doc_fel, nr_doc, "
        u"data_doc, "
        "data_scadenta, moneda, curs, val_mon) values ('Beta PF', true, 'FCT', 'factura', 'B2', "
        "'2024-06-01', '2024-07-01', 'LEI', 1, 40)"_s);
    searchAtFixtureDay();
    EXPECT_EQ(view().recordCount(), 4);
    EXPECT_EQ(view().footerSumText(columnCaptioned(u"DocValue (RON)"_s)), u"1,770.00"_s);
    fAccountsPayableReceivableAging->close();
    EXPECT_EQ(view().recordCount(), 0);
    EXPECT_EQ(view().footerSumText(columnCaptioned(u"DocValue (RON)"_s)), QString());
}

}  // namespace
}  // namespace agingtest

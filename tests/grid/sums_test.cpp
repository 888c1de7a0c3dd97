// Sums in the footer and the group footers, and their display format.
#include "grid/sums.h"

#include <gtest/gtest.h>

#include "fixtures.h"

using namespace gridtest;

namespace {

TEST(FormatSum, ShowsGroupedDigitsAndTwoDecimals) {
    const QLocale us = usLocale();
    const QLocale romanian(QLocale::Romanian, QLocale::Romania);
    const struct {
        double value;
        QLocale locale;
        const char* expected;
    } cases[] = {
        {-1234.5, us, "-1,234.50"},
        {0.0, us, "0.00"},
        {98765.432, us, "98,765.43"},
        {-0.5, us, "-0.50"},
        {0.004, us, "0.00"},
        {-0.004, us, "0.00"},  // rounds to zero: no sign
        {-0.006, us, "-0.01"},
        {999.999, us, "1,000.00"},
        {-1234.5, romanian, "-1.234,50"},
        {1234.5, QLocale::c(), "1,234.50"},  // grouped even where the locale omits it
    };
    for (const auto& c : cases)
        EXPECT_EQ(grid::formatSum(c.value, c.locale).toStdString(), c.expected) << c.value;
}

TEST(Sum, StaysExactWhereNaiveAdditionLosesCents) {
    grid::Sum sum;
    for (double value : {1e15, 0.01, -1e15}) sum.add(value);
    EXPECT_DOUBLE_EQ(*sum.value(), 0.01);
    EXPECT_FALSE(grid::Sum().value().has_value());
}

// Two partners in two currencies, one value missing.
std::vector<std::vector<QVariant>> ledger() {
    return {
        {"Alfa", day(2024, 1, 1), 100.25, 1, "EUR", true},      // 0
        {"Beta", day(2024, 1, 2), -50.0, 2, "LEI", false},      // 1
        {"Alfa", day(2024, 1, 3), 10.0, 3, "LEI", true},        // 2
        {"Alfa", day(2024, 1, 4), QVariant(), 4, "EUR", true},  // 3
        {"Beta", day(2024, 1, 5), 1000.0, 5, "EUR", false},     // 4
    };
}

struct SummedGrid : DocumentGrid {
    SummedGrid() : DocumentGrid(ledger()) {
        // The value summed under its own column, and the days under "Curr.".
        model->setFooterSums({{"val", Value}, {"zile", Currency}});
        model->setGroupSums({{"val", Value}, {"zile", Currency}});
    }
};

TEST(FooterSums, CoverTheRowsThatPassTheFilter) {
    SummedGrid grid;
    EXPECT_EQ(grid.model->footerSumText(Value), "1,060.25");
    EXPECT_EQ(grid.model->footerSumText(Currency), "15.00");
    EXPECT_EQ(grid.model->footerSumText(Days), "") << "no item under this column";
    grid.model->setFilterValue(Currency, "eur");
    EXPECT_EQ(grid.model->footerSumText(Value), "1,100.25");
    grid.model->setFilterValue(Partner, "nobody");
    EXPECT_EQ(grid.model->footerSumText(Value), "") << "a sum over no rows is empty";
    EXPECT_FALSE(grid.model->footerSum(Value).has_value());
}

TEST(FooterSums, OfOnlyNullValuesIsEmpty) {
    SummedGrid grid;
    grid.model->setFilterValue(Days, "4");
    EXPECT_EQ(grid.model->footerSumText(Value), "");
    EXPECT_EQ(grid.model->footerSumText(Currency), "4.00");
}

TEST(GroupSums, ShowInEveryGroupFooterAndFollowTheFilter) {
    SummedGrid grid;
    grid.model->setGrouping({Partner});
    grid.model->expandAll();
    std::map<std::string, std::string> footers;
    for (int i = 0; i < grid.model->rowCount(); ++i)
        if (grid.model->row(i).kind == grid::RowKind::GroupFooter)
            footers[grid.model->groupValue(i).toString().toStdString()] =
                grid.model->groupSumText(i, Value).toStdString();
    EXPECT_EQ(footers,
              (std::map<std::string, std::string>{{"Alfa", "110.25"}, {"Beta", "950.00"}}));

    grid.model->setFilterValue(Currency, "LEI");
    std::vector<std::string> sums;
    for (int i = 0; i < grid.model->rowCount(); ++i)
        if (grid.model->row(i).kind == grid::RowKind::GroupFooter)
            sums.push_back(grid.model->groupSumText(i, Value).toStdString());
    EXPECT_EQ(sums, (std::vector<std::string>{"10.00", "-50.00"}));
}

TEST(GroupSums, NestAtEveryLevel) {
    SummedGrid grid;
    grid.model->setGrouping({Partner, Currency});
    grid.model->expandAll();
    std::vector<std::string> footers;
    for (int i = 0; i < grid.model->rowCount(); ++i)
        if (grid.model->row(i).kind == grid::RowKind::GroupFooter)
            footers.push_back(
                QStringLiteral("%1 %2 %3")
                    .arg(grid.model->row(i).level)
                    .arg(grid.model->groupValue(i).toString(), grid.model->groupSumText(i, Value))
                    .toStdString());
    EXPECT_EQ(footers,
              (std::vector<std::string>{"1 EUR 100.25", "1 LEI 10.00", "0 Alfa 110.25",
                                        "1 EUR 1,000.00", "1 LEI -50.00", "0 Beta 950.00"}));
}

}  // namespace

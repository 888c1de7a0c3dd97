// What the grid lists: sort order, groups with their footers, counting
// positions, focus and the navigator's information panel.
#include <gtest/gtest.h>

#include "fixtures.h"

using namespace gridtest;
using grid::RowKind;

namespace {

std::vector<std::vector<QVariant>> documents() {
    return {
        {"Zeta", day(2024, 1, 3), 5.0, 2, "EUR", true},   // 0
        {"alfa", day(2024, 1, 1), 1.0, 1, "LEI", false},  // 1
        {"Émile", day(2024, 1, 2), 5.0, 3, "EUR", true},  // 2
        {"alfa", day(2024, 1, 2), 2.0, 2, "EUR", true},   // 3
        {"Zeta", day(2024, 1, 1), 5.0, 1, "LEI", false},  // 4
    };
}

TEST(Sorting, FollowsTheUsersCollationAndKeepsTiesInSourceOrder) {
    DocumentGrid grid(documents());
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{0, 1, 2, 3, 4})) << "source order";
    grid.model->clickSort(Partner, false);
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 3, 2, 0, 4}));
    grid.model->clickSort(Partner, false);
    EXPECT_EQ(grid.model->sortOrder(Partner), grid::SortOrder::Descending);
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{0, 4, 2, 1, 3}));
    grid.model->clickSort(Value, false);
    EXPECT_EQ(grid.model->sortOrder(Partner), grid::SortOrder::None);
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 3, 0, 2, 4}));
}

TEST(Sorting, AddsFurtherKeysAndReversesThemInPlace) {
    DocumentGrid grid(documents());
    grid.model->clickSort(Value, false);
    grid.model->clickSort(DocDate, true);
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 3, 4, 2, 0}));
    grid.model->clickSort(DocDate, true);
    EXPECT_EQ(grid.model->sortOrder(Value), grid::SortOrder::Ascending);
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 3, 0, 2, 4}));
}

TEST(Sorting, PutsNullsFirstAscending) {
    auto rows = documents();
    rows.push_back({QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    DocumentGrid grid(rows);
    for (int column : {Partner, DocDate, Value, Days, Currency, Paid}) {
        grid.model->setSort({{column, false}});
        EXPECT_EQ(listedDataRows(*grid.model).front(), 5) << column;
        grid.model->setSort({{column, true}});
        EXPECT_EQ(listedDataRows(*grid.model).back(), 5) << column;
    }
}

TEST(Grouping, ListsGroupRowsDataAndFootersNested) {
    DocumentGrid grid(documents());
    grid.model->setGrouping({Currency, Partner});
    EXPECT_EQ(listing(*grid.model),
              (std::vector<std::string>{"G0 Curr. : EUR", "F0", "G0 Curr. : LEI", "F0"}))
        << "groups start collapsed, their footers still shown";
    grid.model->expandAll();
    EXPECT_EQ(listing(*grid.model),
              (std::vector<std::string>{"G0 Curr. : EUR", "G1 Partner : alfa", "D2 3", "F1",
                                        "G1 Partner : Émile", "D2 2", "F1", "G1 Partner : Zeta",
                                        "D2 0", "F1", "F0", "G0 Curr. : LEI", "G1 Partner : alfa",
                                        "D2 1", "F1", "G1 Partner : Zeta", "D2 4", "F1", "F0"}));
    grid.model->setExpanded(0, false);
    EXPECT_EQ(listing(*grid.model)[1], "F0");
    grid.model->setExpanded(0, true);
    EXPECT_EQ(listing(*grid.model)[1], "G1 Partner : alfa");
    grid.model->collapseAll();
    EXPECT_EQ(grid.model->rowCount(), 4);
}

TEST(Grouping, OrdersGroupsDescendingWhenTheirColumnIsSortedSo) {
    DocumentGrid grid(documents());
    grid.model->setGrouping({Currency});
    grid.model->clickSort(Currency, false);
    grid.model->clickSort(Currency, false);
    EXPECT_EQ(grid.model->groupCaption(0), "Curr. : LEI");
    grid.model->clickSort(Value, false);
    EXPECT_EQ(grid.model->sortOrder(Currency), grid::SortOrder::Descending)
        << "a sort by another column keeps the groups' order";
    grid.model->expandAll();
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 4, 3, 0, 2}));
}

TEST(Grouping, KeepsExpandedGroupsOverAFilterChange) {
    DocumentGrid grid(documents());
    grid.model->setGrouping({Currency});
    grid.model->setExpanded(2, true);  // LEI
    grid.model->setFilterValue(Partner, "zeta");
    EXPECT_EQ(listing(*grid.model),
              (std::vector<std::string>{"G0 Curr. : EUR", "F0", "G0 Curr. : LEI", "D1 4", "F0"}));
}

TEST(Grouping, HidesGroupedColumnsAndShowsThemAgainWhereDropped) {
    DocumentGrid grid(documents());
    grid.model->groupBy(Currency, 0);
    grid.model->groupBy(Partner, 0);
    EXPECT_EQ(grid.model->grouping(), (std::vector<int>{Partner, Currency}));
    EXPECT_EQ(grid.model->visibleColumns(), (std::vector<int>{DocDate, Value, Days, Paid}));
    grid.model->groupBy(Partner, 1);
    EXPECT_EQ(grid.model->grouping(), (std::vector<int>{Currency, Partner}));
    grid.model->ungroup(Currency, 1);
    EXPECT_EQ(grid.model->visibleColumns(),
              (std::vector<int>{DocDate, Currency, Value, Days, Paid}));
}

TEST(Positions, CountGroupRowsButNotFooters) {
    DocumentGrid grid(documents());
    grid.model->setGrouping({Currency});
    grid.model->expandAll();
    std::vector<int> positions;
    for (int i = 0; i < grid.model->rowCount(); ++i)
        positions.push_back(grid.model->row(i).position);
    // EUR group, three rows, footer, LEI group, two rows, footer.
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 3, -1, 4, 5, 6, -1}));
}

TEST(Positions, FollowTheListNotTheData) {
    DocumentGrid grid(documents());
    grid.model->clickSort(Value, false);
    grid.model->setFilterValue(Value, "5");
    for (int i = 0; i < grid.model->rowCount(); ++i) EXPECT_EQ(grid.model->row(i).position, i);
}

TEST(Navigator, ShowsTheFocusedRecordAndTheRecordCount) {
    DocumentGrid grid(documents());
    EXPECT_EQ(grid.model->navigatorText(), "1 of 5") << "the first row takes the focus";
    grid.model->setFocusedRow(2);
    EXPECT_EQ(grid.model->navigatorText(), "3 of 5");
    grid.model->setFilterValue(Value, "5");
    EXPECT_EQ(grid.model->navigatorText(), "2 of 3") << "the focused row stays focused";
    grid.model->setFilterValue(Value, "1");
    EXPECT_EQ(grid.model->navigatorText(), "1 of 1") << "a filtered-out focus goes to the top";
    grid.model->setFilterValue(Value, "7");
    EXPECT_EQ(grid.model->navigatorText(), "0 of 0");
    EXPECT_EQ(grid.model->focusedRow(), -1);
}

TEST(Navigator, CountsRecordsInCollapsedGroups) {
    DocumentGrid grid(documents());
    grid.model->setGrouping({Currency});
    grid.model->setFocusedRow(2);  // the LEI group, after three EUR records
    EXPECT_EQ(grid.model->navigatorText(), "4 of 5");
    grid.model->clickSort(Currency, false);
    grid.model->clickSort(Currency, false);
    EXPECT_EQ(grid.model->focusedRow(), 0) << "the focused group stays focused";
    EXPECT_EQ(grid.model->navigatorText(), "1 of 5");
}

TEST(Cells, ShowValuesInTheLocaleAndGiveTypedValues) {
    DocumentGrid grid({{"Alfa", day(2024, 12, 31), 1234.5, 7, "EUR", true},
                       {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}});
    const std::vector<std::string> first = {"Alfa", "12/31/2024", "1234.5", "7", "EUR", "True"};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(grid.model->cellText(0, column).toStdString(), first[size_t(column)]);
        EXPECT_EQ(grid.model->cellText(1, column), "");
        EXPECT_FALSE(grid.model->cellValue(1, column).isValid());
    }
    EXPECT_EQ(grid.model->cellValue(0, DocDate), day(2024, 12, 31));
    EXPECT_EQ(grid.model->cellValue(0, Value).typeId(), QMetaType::Double);
}

TEST(Source, ChangedRowsAreListedAnew) {
    DocumentGrid grid(documents());
    grid.model->setFilterValue(Partner, "alfa");
    grid.source->addRow({"ALFA", day(2024, 1, 9), 9.0, 9, "USD", false});
    grid.source->reload();
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{1, 3, 5}));
}

}  // namespace

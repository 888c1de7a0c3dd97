// The filter row and the header filter: which rows stay listed.
#include <gtest/gtest.h>

#include "fixtures.h"

using namespace gridtest;

namespace {

const QVariant null;

// Partners that differ by case, contain pattern and quoting characters, and
// one row of NULLs.
std::vector<std::vector<QVariant>> documents() {
    return {
        {"ABC", day(2024, 1, 15), 100.5, 10, "EUR", true},                 // 0
        {"abc", day(2024, 2, 1), -20.0, 0, "LEI", false},                  // 1
        {"Abcd Trading", day(2024, 1, 15), 1234.5, 45, "USD", true},       // 2
        {"ABC SRL", day(2024, 3, 10), 0.0, 5, "EUR", false},               // 3
        {"Beta [x] 'q' \\ end", day(2024, 1, 31), 7.25, 90, "LEI", true},  // 4
        {null, null, null, null, "EUR", null},                             // 5
        {"ÉTÉ SA", day(2024, 1, 31), 100.5, 45, "USD", true},              // 6
        {"a_b%c", day(2024, 2, 29), 3.0, 1, "eur", false},                 // 7
    };
}

struct FilterCase {
    const char* name;
    std::vector<std::pair<int, QVariant>> values;
    std::vector<int> expected;
};

const std::vector<FilterCase> filterCases = {
    {"equal text ignores case", {{Partner, "abc"}}, {0, 1}},
    {"pattern prefix", {{Partner, "abc%"}}, {0, 1, 2, 3}},
    {"pattern suffix ignores case", {{Partner, "%srl"}}, {3}},
    {"pattern contains", {{Partner, "%bc%"}}, {0, 1, 2, 3}},
    {"underscore is one character", {{Partner, "ab_"}}, {0, 1}},
    {"underscore needs a character", {{Partner, "abc_"}}, {}},
    {"percent alone keeps every text", {{Partner, "%"}}, {0, 1, 2, 3, 4, 6, 7}},
    {"percent and underscore in the data", {{Partner, "a_b%c"}}, {7}},
    {"non-ASCII case", {{Partner, "été sa"}}, {6}},
    {"brackets quotes backslash are plain", {{Partner, "beta [x] 'q' \\ end"}}, {4}},
    {"brackets are no character class", {{Partner, "[x]%"}}, {}},
    {"brackets inside a pattern", {{Partner, "%[x] 'q'%"}}, {4}},
    {"no partial match without pattern", {{Partner, "ab"}}, {}},
    {"float equal", {{Value, "100.5"}}, {0, 6}},
    {"negative float", {{Value, "-20"}}, {1}},
    {"zero", {{Value, "0"}}, {3}},
    {"thousands separator is no number", {{Value, "1,234.5"}}, {}},
    {"text under a number column", {{Value, "abc"}}, {}},
    {"pattern under a number column", {{Value, "100%"}}, {}},
    {"integer equal", {{Days, "45"}}, {2, 6}},
    {"integer written as float", {{Days, "45.0"}}, {2, 6}},
    {"date picked", {{DocDate, day(2024, 1, 15)}}, {0, 2}},
    {"date typed", {{DocDate, "1/31/2024"}}, {4, 6}},
    {"date not readable", {{DocDate, "31.13.2024"}}, {}},
    {"yes", {{Paid, true}}, {0, 2, 4, 6}},
    {"no", {{Paid, false}}, {1, 3, 7}},
    {"columns act together", {{Partner, "abc%"}, {Currency, "EUR"}}, {0, 3}},
    {"currency ignores case", {{Currency, "EUR"}}, {0, 3, 5, 7}},
    {"three columns", {{Partner, "%"}, {Currency, "usd"}, {Days, "45"}}, {2, 6}},
    {"emptied cell drops its condition",
     {{Partner, "abc"}, {Partner, ""}},
     {0, 1, 2, 3, 4, 5, 6, 7}},
    {"null drops its condition", {{Value, "3"}, {Value, null}}, {0, 1, 2, 3, 4, 5, 6, 7}},
};

class FilterRow : public ::testing::TestWithParam<bool> {};

TEST_P(FilterRow, KeepsTheRowsThatPassEveryColumn) {
    for (const FilterCase& c : filterCases) {
        DocumentGrid grid(documents(), GetParam());
        for (const auto& [column, value] : c.values) grid.model->setFilterValue(column, value);
        EXPECT_EQ(listedDataRows(*grid.model), c.expected) << c.name;
        EXPECT_EQ(grid.model->recordCount(), int(c.expected.size())) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(TextStorage, FilterRow, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Dictionary" : "PlainTexts"; });

TEST(FilterRow, ReadsNumbersInTheModelsLocale) {
    DocumentGrid grid(documents());
    grid.model->setLocale(QLocale(QLocale::Romanian, QLocale::Romania));
    grid.model->setFilterValue(Value, "1234,5");
    EXPECT_EQ(listedDataRows(*grid.model), std::vector<int>{2});
    grid.model->setFilterValue(Value, "1234.5");
    EXPECT_EQ(listedDataRows(*grid.model), std::vector<int>{});
}

TEST(FilterRow, EachChangeAppliesAtOnceAsTheUserTypes) {
    DocumentGrid grid(documents());
    const std::vector<std::pair<QString, std::vector<int>>> keystrokes = {
        {"a", {}}, {"ab", {}}, {"abc", {0, 1}}, {"abc%", {0, 1, 2, 3}}, {"abc%l", {3}}};
    for (const auto& [typed, expected] : keystrokes) {
        grid.model->setFilterValue(Partner, typed);
        EXPECT_EQ(listedDataRows(*grid.model), expected) << typed.toStdString();
    }
}

TEST(HeaderFilter, OffersTheDistinctValuesSortedWithBlanksFirst) {
    DocumentGrid grid(documents());
    const std::vector<QVariant> expected = {"eur", "EUR", "LEI", "USD"};
    EXPECT_EQ(grid.model->distinctValues(Currency), expected) << "no blanks in this column";
    const std::vector<QVariant> days = grid.model->distinctValues(Days);
    EXPECT_EQ(days, (std::vector<QVariant>{null, 0, 1, 5, 10, 45, 90}));
    EXPECT_EQ(grid.model->valueText(Currency, null), "(Blanks)");
}

TEST(HeaderFilter, KeepsCheckedValuesAndActsWithTheFilterRow) {
    DocumentGrid grid(documents());
    grid.model->setValueFilter(Currency, std::vector<QVariant>{"EUR", "USD"});
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{0, 2, 3, 5, 6}));
    grid.model->setFilterValue(Partner, "abc%");
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{0, 2, 3}));
    grid.model->setValueFilter(Partner, std::vector<QVariant>{null});
    EXPECT_EQ(listedDataRows(*grid.model), std::vector<int>{});
    grid.model->setFilterValue(Partner, "");
    EXPECT_EQ(listedDataRows(*grid.model), std::vector<int>{5});
    grid.model->setValueFilter(Partner, std::nullopt);
    grid.model->setValueFilter(Currency, std::nullopt);
    EXPECT_FALSE(grid.model->isFiltered());
    EXPECT_EQ(grid.model->recordCount(), 8);
}

TEST(HeaderFilter, ChecksNumbersAndDatesExactly) {
    DocumentGrid grid(documents());
    grid.model->setValueFilter(Value, std::vector<QVariant>{100.5, 3.0});
    EXPECT_EQ(listedDataRows(*grid.model), (std::vector<int>{0, 6, 7}));
    grid.model->setValueFilter(Value, std::nullopt);
    grid.model->setValueFilter(DocDate, std::vector<QVariant>{day(2024, 2, 29)});
    EXPECT_EQ(listedDataRows(*grid.model), std::vector<int>{7});
}

TEST(FilterDescription, PutsTheConditionInWords) {
    struct Case {
        std::vector<std::pair<int, QVariant>> values;
        std::optional<std::vector<QVariant>> currencies;
        QString expected;
    };
    const std::vector<Case> cases = {
        {{}, std::nullopt, ""},
        {{{Partner, "abc%"}, {Currency, "EUR"}},
         std::nullopt,
         "[Partner] like 'abc%' and [Curr.] = 'EUR'"},
        {{{Partner, "O'Neil"}}, std::nullopt, "[Partner] = 'O''Neil'"},
        {{{Value, "100.5"}, {Paid, true}}, std::nullopt, "[Value] = 100.5 and [Paid] = True"},
        {{{DocDate, day(2024, 1, 15)}}, std::nullopt, "[DocDate] = '1/15/2024'"},
        {{}, std::vector<QVariant>{"EUR", "USD"}, "[Curr.] in ('EUR', 'USD')"},
        {{}, std::vector<QVariant>{null}, "[Curr.] is blank"},
        {{}, std::vector<QVariant>{null, "LEI"}, "([Curr.] is blank or [Curr.] = 'LEI')"},
    };
    for (const Case& c : cases) {
        DocumentGrid grid(documents());
        for (const auto& [column, value] : c.values) grid.model->setFilterValue(column, value);
        grid.model->setValueFilter(Currency, c.currencies);
        EXPECT_EQ(grid.model->filterDescription().toStdString(), c.expected.toStdString());
        EXPECT_EQ(grid.model->isFiltered(), !c.expected.isEmpty());
    }
}

TEST(FilterDescription, ClearFilterDropsEveryCondition) {
    DocumentGrid grid(documents());
    grid.model->setFilterValue(Partner, "abc");
    grid.model->setValueFilter(Currency, std::vector<QVariant>{"EUR"});
    grid.model->clearFilter();
    EXPECT_EQ(grid.model->filterDescription(), "");
    EXPECT_EQ(grid.model->recordCount(), 8);
    EXPECT_FALSE(grid.model->filterValue(Partner).isValid());
}

}  // namespace

// The composition of an element's look and the shared style repository.
#include "grid/style.h"

#include <gtest/gtest.h>

#include "data/gridstyle.h"

namespace {

using grid::StyleElement;

const QFont gridFont = grid::designFont("Tahoma", -11);

TEST(Compose, TakesEachValueFromTheStyleWhereSetElseTheGrids) {
    const grid::Style colourOnly{QColor("#123456"), std::nullopt, std::nullopt};
    const grid::Style fontOnly{std::nullopt, std::nullopt, grid::designFont("Serif", -14, true)};
    grid::StyleSheet sheet;
    sheet.setStyle(StyleElement::Group, &colourOnly);
    sheet.setStyle(StyleElement::Header, &fontOnly);

    const grid::Look group = grid::compose(&sheet, StyleElement::Group, gridFont);
    EXPECT_EQ(group.background, QColor("#123456"));
    EXPECT_EQ(group.text, grid::standardLook(StyleElement::Group, gridFont).text);
    EXPECT_EQ(group.font, gridFont);

    const grid::Look header = grid::compose(&sheet, StyleElement::Header, gridFont);
    EXPECT_EQ(header.font.pixelSize(), 14);
    EXPECT_EQ(header.background, grid::standardLook(StyleElement::Header, gridFont).background);
    EXPECT_EQ(grid::compose(nullptr, StyleElement::Footer, gridFont).font, gridFont);
}

TEST(Compose, AlternatesRowsOnlyWhenTheSheetHasEvenOrOddStyles) {
    const grid::Style style{QColor(Qt::red), std::nullopt, std::nullopt};
    grid::StyleSheet plain;
    plain.setStyle(StyleElement::Content, &style);
    EXPECT_EQ(grid::contentElement(&plain, 1), StyleElement::Content);
    grid::StyleSheet alternating;
    alternating.setStyle(StyleElement::ContentOdd, &style);
    EXPECT_EQ(grid::contentElement(&alternating, 0), StyleElement::ContentEven);
    EXPECT_EQ(grid::contentElement(&alternating, 1), StyleElement::ContentOdd);
}

TEST(Repository, PaintsTheGridsElementsAsDesigned) {
    const TcxStyleRepository repository;
    const grid::StyleSheet& sheet = repository.GridTableViewStyleSheetDevExpress;
    EXPECT_EQ(sheet.caption, "DevExpress");
    const auto look = [&](StyleElement element) {
        return grid::compose(&sheet, element, gridFont);
    };

    EXPECT_EQ(look(StyleElement::ContentEven).background, QColor("#D9EAF7"));
    EXPECT_EQ(look(StyleElement::ContentOdd).background, QColor("#BCDBF1"));
    EXPECT_EQ(look(StyleElement::ContentOdd).font, gridFont) << "rows keep the grid's font";
    const grid::Look header = look(StyleElement::Header);
    EXPECT_EQ(header.background, QColor("#316AC5"));
    EXPECT_EQ(header.text, QColor(Qt::white));
    EXPECT_EQ(header.font.family(), "MS Sans Serif");
    EXPECT_TRUE(header.font.bold());
    EXPECT_EQ(header.font.pixelSize(), 11);
    const grid::Look footer = look(StyleElement::Footer);
    EXPECT_EQ(footer.background, QColor("#FFFFE1"));
    EXPECT_EQ(footer.text, QColor("#000080"));
    EXPECT_TRUE(footer.font.bold());

    const grid::Look focused = grid::selectionLook(&sheet, true, gridFont);
    EXPECT_EQ(focused.background, QColor("#316AC5"));
    EXPECT_EQ(focused.text, QColor(Qt::white));
    const grid::Look inactive = grid::selectionLook(&sheet, false, gridFont);
    EXPECT_EQ(inactive.background, QColor("#A4C4EB"));
    EXPECT_EQ(inactive.font, gridFont);
    for (int element = 0; element < grid::styleElementCount; ++element)
        EXPECT_NE(sheet.styles[size_t(element)], nullptr) << element;
}

TEST(Repository, ChangingAStyleChangesTheSheet) {
    TcxStyleRepository repository;
    repository.cxStyle7.background = QColor(Qt::green);
    EXPECT_EQ(
        grid::compose(&repository.GridTableViewStyleSheetDevExpress, StyleElement::Group, gridFont)
            .background,
        QColor(Qt::green));
}

}  // namespace

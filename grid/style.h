#pragma once
// The look of a grid: named styles (background, text colour, font, each
// optional) assigned to the grid's elements by a style sheet, and the rule
// that composes an element's look from its style and the grid's defaults.
#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <optional>

namespace grid {

struct Style {
    std::optional<QColor> background;
    std::optional<QColor> textColor;
    std::optional<QFont> font;
};

enum class StyleElement : int {
    Background,   // the empty area beyond the last row and column
    Content,      // data cells when the sheet has no even/odd styles
    ContentEven,  // data rows at even listed positions
    ContentOdd,   // data rows at odd listed positions
    FilterBox,    // the bar that shows the filter in words
    IncSearch,
    Footer,  // the footer row and every group footer
    Group,   // group rows
    GroupByBox,
    Header,
    Inactive,   // the selected row while the grid has no focus
    Indicator,  // the indicator column
    Preview,
    Selection,  // the selected row while the grid has the focus
};
inline constexpr int styleElementCount = 14;

// Assigns at most one style to each element. The sheet refers to styles it
// does not own, so that changing a style changes every grid wearing it.
struct StyleSheet {
    QString caption;
    std::array<const Style*, styleElementCount> styles{};

    const Style* style(StyleElement element) const { return styles[size_t(element)]; }
    void setStyle(StyleElement element, const Style* style) { styles[size_t(element)] = style; }
};

// What an element is painted with once every value is decided.
struct Look {
    QColor background;
    QColor text;
    QFont font;
};

// The grid's own look of an element, used for what a style leaves unset:
// the grid's font and the grid's standard colours.
Look standardLook(StyleElement element, const QFont& gridFont);
// Each value from the element's style where it is set, otherwise the grid's.
Look compose(const StyleSheet* sheet, StyleElement element, const QFont& gridFont);
// The element that paints a data row at a position of the listed rows
// (position 0 is the first listed row; group rows count).
StyleElement contentElement(const StyleSheet* sheet, int position);
// The selected row: colours of Selection (focused) or Inactive, in the font
// the row has without selection.
Look selectionLook(const StyleSheet* sheet, bool gridHasFocus, const QFont& rowFont);

// A font given as the form designer does: height -11 is 11 pixels at 96 dpi.
QFont designFont(const QString& family, int height, bool bold = false);
// Maps "MS Sans Serif" and "Tahoma", which Linux lacks, to a comparable
// installed sans serif face. Call once before the first grid paints.
void installFontSubstitutes();

}  // namespace grid

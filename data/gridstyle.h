#pragma once
// The one named set of colours and fonts that every data grid wears. dmCon
// holds it; the grids name its sheet and set no style of their own, so a
// change here changes every grid at once.
#include "grid/style.h"

struct TcxStyleRepository {
    TcxStyleRepository();
    TcxStyleRepository(const TcxStyleRepository&) = delete;  // the sheet points at the styles
    TcxStyleRepository& operator=(const TcxStyleRepository&) = delete;

    grid::Style cxStyle1;   // Background
    grid::Style cxStyle2;   // Content
    grid::Style cxStyle3;   // ContentEven
    grid::Style cxStyle4;   // ContentOdd
    grid::Style cxStyle5;   // FilterBox
    grid::Style cxStyle6;   // Footer
    grid::Style cxStyle7;   // Group
    grid::Style cxStyle8;   // GroupByBox
    grid::Style cxStyle9;   // Header
    grid::Style cxStyle10;  // Inactive
    grid::Style cxStyle11;  // IncSearch
    grid::Style cxStyle12;  // Indicator
    grid::Style cxStyle13;  // Preview
    grid::Style cxStyle14;  // Selection
    grid::StyleSheet GridTableViewStyleSheetDevExpress;
};

#pragma once
// The aging result grid's design: its columns and its sums.
#include <vector>

#include "grid/gridmodel.h"

namespace aging {

// The eighteen shown columns of the report, in display order.
std::vector<grid::ColumnDef> resultColumns();
// The four sums, the same in the footer and in every group footer: each
// under the column that shows the summed field.
std::vector<grid::SumItem> resultSums();

}  // namespace aging

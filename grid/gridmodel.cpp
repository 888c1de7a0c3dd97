#include "gridmodel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <set>

#include "columnindex.h"
#include "filter.h"
#include "format.h"
#include "sums.h"

namespace grid {

namespace {

constexpr int minimumColumnWidth = 10;

struct Group {
    int level = 0;
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int nextSibling = -1;
    std::uint32_t rank = 0;
    int begin = 0;  // range of the group's records in the filtered order
    int end = 0;
    bool expanded = false;
};

// Where the focus was, to find it again after the rows are listed anew.
struct FocusAnchor {
    RowKind kind = RowKind::Data;
    int dataRow = -1;
    std::vector<std::uint32_t> path;
};

struct SortColumn {
    int sourceColumn;
    bool descending;
};

}  // namespace

struct GridModel::Impl {
    explicit Impl(DataSource& source) : source(source), locale() {}

    DataSource& source;
    QLocale locale;
    std::vector<ColumnDef> columns;
    std::vector<int> bound;
    std::vector<int> order;
    std::vector<SortKey> sort;
    std::vector<int> grouping;
    std::vector<SumItem> footerItems;
    std::vector<SumItem> groupItems;
    std::vector<ColumnFilter> filters;

    // Caches, dropped whenever the source's rows change.
    std::vector<std::unique_ptr<ColumnIndex>> indexes;  // by source column
    std::vector<std::vector<std::uint8_t>> verdicts;    // by grid column; empty: stale
    std::vector<std::int32_t> permutation;              // the rows in listed order
    bool permutationValid = false;
    std::vector<std::uint8_t> passes;  // by row
    bool passesValid = false;
    // The grouping ranks and the summed values (NaN for NULL) in listed
    // order, a block per record, so the pass that builds groups and sums
    // reads memory in order however the rows are sorted.
    std::vector<std::uint32_t> sortedRanks;
    std::vector<double> rowSums;     // the same blocks by row, read once from the source
    std::vector<double> sortedSums;  // gathered from rowSums in listed order
    size_t sumSlots = 0;
    std::vector<int> footerSlot;  // slot of each item, -1 when nothing to sum
    std::vector<int> groupSlot;
    bool sumsValid = false;
    bool sortedSumsValid = false;

    // The outcome of the last listing.
    std::vector<std::int32_t> filtered;  // positions in the permutation that pass
    std::vector<Group> groups;
    int firstRoot = -1;
    int lastRoot = -1;
    std::vector<Sum> groupSums;  // groups x groupItems
    std::vector<Sum> footer;     // per footer item
    std::vector<ListedRow> rows;
    std::vector<std::int32_t> recordOfRow;
    int nextPosition = 0;
    bool expandedByDefault = false;
    std::set<std::vector<std::uint32_t>> toggled;  // group paths not in the default state
    int focused = -1;

    ColumnIndex& indexOfSource(int sourceColumn) {
        if (indexes.size() != size_t(source.columnCount()))
            indexes.resize(size_t(source.columnCount()));
        auto& index = indexes[size_t(sourceColumn)];
        if (!index) index = std::make_unique<ColumnIndex>(source, sourceColumn);
        return *index;
    }
    ColumnIndex& index(int column) { return indexOfSource(bound[size_t(column)]); }

    bool isBound(int column) const {
        return column >= 0 && column < int(columns.size()) && bound[size_t(column)] >= 0;
    }
    bool isGrouped(int column) const {
        return std::find(grouping.begin(), grouping.end(), column) != grouping.end();
    }
    SortOrder sortOrderOf(int column) const {
        for (const SortKey& key : sort)
            if (key.column == column)
                return key.descending ? SortOrder::Descending : SortOrder::Ascending;
        return SortOrder::None;
    }

    void dropCaches() {
        indexes.clear();
        sumsValid = false;
        for (auto& v : verdicts) v.clear();
        permutationValid = false;
        passesValid = false;
        toggled.clear();
    }
    void bindColumns() {
        bound.clear();
        for (const ColumnDef& column : columns) bound.push_back(source.indexOf(column.fieldName));
    }

    // Grouped columns first, then the sort keys; stable from the source order.
    std::vector<SortColumn> sortColumns() const {
        std::vector<SortColumn> keys;
        for (int column : grouping)
            keys.push_back({bound[size_t(column)], sortOrderOf(column) == SortOrder::Descending});
        for (const SortKey& key : sort)
            if (isBound(key.column) && !isGrouped(key.column))
                keys.push_back({bound[size_t(key.column)], key.descending});
        return keys;
    }

    void ensurePermutation();
    void sortRanks();
    void ensureSums();
    void gatherSums();
    void ensurePasses();
    void buildFiltered();
    void buildGroups();
    int openGroup(int level, int parent, std::uint32_t rank, int begin);
    void listRows();
    void listGroup(int group);
    void addRow(RowKind kind, int level, int dataRow, int group, int record);

    std::vector<std::uint32_t> pathOf(int group) const;
    FocusAnchor anchor() const;
    int find(const FocusAnchor& anchor) const;
    // Lists the rows and finds the focus again; true when the focus moved.
    bool relist(const FocusAnchor& anchor);
    std::optional<double> sumOf(const std::vector<SumItem>& items, const Sum* sums,
                                int column) const;
};

// One stable counting sort per key, from the last key to the first.
void GridModel::Impl::ensurePermutation() {
    if (permutationValid) return;
    const int rows = source.rowCount();
    permutation.resize(size_t(rows));
    std::iota(permutation.begin(), permutation.end(), 0);
    std::vector<std::uint32_t> rankOfRow(static_cast<size_t>(rows));
    std::vector<std::int32_t> sorted(static_cast<size_t>(rows));
    const std::vector<SortColumn> keys = sortColumns();
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        ColumnIndex& index = indexOfSource(key->sourceColumn);
        const std::vector<std::uint32_t>& rankOfId = index.rankOfIds(locale);
        const std::uint32_t top = index.rankCount() - 1;
        for (int row = 0; row < rows; ++row) {
            const std::uint32_t rank = rankOfId[index.idOfRow(row)];
            rankOfRow[size_t(row)] = key->descending ? top - rank : rank;
        }
        std::vector<std::int32_t> start(size_t(index.rankCount()) + 1, 0);
        for (std::int32_t row : permutation) ++start[rankOfRow[size_t(row)] + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (std::int32_t row : permutation) sorted[size_t(start[rankOfRow[size_t(row)]]++)] = row;
        permutation.swap(sorted);
    }
    sortRanks();
    sortedSumsValid = false;
    permutationValid = true;
}

void GridModel::Impl::sortRanks() {
    const size_t depth = grouping.size();
    sortedRanks.resize(permutation.size() * depth);
    for (size_t level = 0; level < depth; ++level) {
        ColumnIndex& ix = index(grouping[level]);
        const std::vector<std::uint32_t>& rankOfId = ix.rankOfIds(locale);
        for (size_t p = 0; p < permutation.size(); ++p)
            sortedRanks[p * depth + level] = rankOfId[ix.idOfRow(permutation[p])];
    }
}

void GridModel::Impl::ensureSums() {
    if (sumsValid) return;
    std::vector<int> fields;  // the source column of each slot
    const auto slotOf = [&](const SumItem& item) {
        const int column = source.indexOf(item.fieldName);
        if (column < 0) return -1;
        const FieldType type = source.columnType(column);
        if (type != FieldType::Float && type != FieldType::Integer) return -1;
        const auto found = std::find(fields.begin(), fields.end(), column);
        if (found != fields.end()) return int(found - fields.begin());
        fields.push_back(column);
        return int(fields.size()) - 1;
    };
    footerSlot.clear();
    groupSlot.clear();
    for (const SumItem& item : footerItems) footerSlot.push_back(slotOf(item));
    for (const SumItem& item : groupItems) groupSlot.push_back(slotOf(item));
    sumSlots = fields.size();
    const int rows = source.rowCount();
    rowSums.assign(size_t(rows) * sumSlots, std::numeric_limits<double>::quiet_NaN());
    for (size_t slot = 0; slot < sumSlots; ++slot)
        for (int row = 0; row < rows; ++row)
            if (!source.isNull(row, fields[slot]))
                rowSums[size_t(row) * sumSlots + slot] = source.number(row, fields[slot]);
    sumsValid = true;
    sortedSumsValid = false;
}

// Rows in source order read their blocks where they are: a copy in listed
// order would double the sums' memory for nothing.
void GridModel::Impl::gatherSums() {
    if (sortedSumsValid) return;
    sortedSumsValid = true;
    if (sortColumns().empty()) {
        sortedSums = {};
        return;
    }
    sortedSums.resize(rowSums.size());
    for (size_t p = 0; p < permutation.size(); ++p)
        std::copy_n(rowSums.begin() + std::ptrdiff_t(size_t(permutation[p]) * sumSlots), sumSlots,
                    sortedSums.begin() + std::ptrdiff_t(p * sumSlots));
}

void GridModel::Impl::ensurePasses() {
    if (passesValid) return;
    const int rows = source.rowCount();
    passes.assign(size_t(rows), 1);
    for (int column = 0; column < int(columns.size()); ++column) {
        if (!isBound(column) || !filters[size_t(column)].isActive()) continue;
        ColumnIndex& ix = index(column);
        auto& verdict = verdicts[size_t(column)];
        if (verdict.empty()) verdict = judge(ix, filters[size_t(column)], locale);
        for (int row = 0; row < rows; ++row) passes[size_t(row)] &= verdict[ix.idOfRow(row)];
    }
    // A row being edited or inserted stays listed until it is saved.
    const int editRow = source.editRow();
    if (source.editState() != EditState::Browse && editRow >= 0 && editRow < rows)
        passes[size_t(editRow)] = 1;
    passesValid = true;
}

void GridModel::Impl::buildFiltered() {
    filtered.clear();
    filtered.reserve(permutation.size());
    for (size_t p = 0; p < permutation.size(); ++p)
        if (passes[size_t(permutation[p])]) filtered.push_back(std::int32_t(p));
}

namespace {

// NULLs (and NaNs, which would spoil every sum) add nothing.
void addSums(Sum* sums, const std::vector<int>& slotOfItem, const double* values) {
    for (size_t item = 0; item < slotOfItem.size(); ++item) {
        const int slot = slotOfItem[item];
        if (slot >= 0 && !std::isnan(values[slot])) sums[item].add(values[slot]);
    }
}

}  // namespace

// One pass over the filtered records: a new group opens wherever a level's
// rank changes, and every record adds to the footer and its open groups.
void GridModel::Impl::buildGroups() {
    footer.assign(footerItems.size(), Sum());
    groups.clear();
    groupSums.clear();
    firstRoot = -1;
    lastRoot = -1;
    const size_t depth = grouping.size();
    const size_t items = groupItems.size();
    std::vector<int> open(depth, -1);
    const double* listedSums = sortedSums.empty() ? rowSums.data() : sortedSums.data();
    for (size_t i = 0; i < filtered.size(); ++i) {
        const size_t p = size_t(filtered[i]);
        const double* values = listedSums + p * sumSlots;
        const std::uint32_t* ranks = sortedRanks.data() + p * depth;
        addSums(footer.data(), footerSlot, values);
        size_t changed = depth;
        for (size_t level = 0; level < depth && changed == depth; ++level)
            if (open[level] < 0 || groups[size_t(open[level])].rank != ranks[level])
                changed = level;
        for (size_t level = changed; level < depth; ++level) {
            if (open[level] >= 0) groups[size_t(open[level])].end = int(i);
            open[level] =
                openGroup(int(level), level == 0 ? -1 : open[level - 1], ranks[level], int(i));
        }
        for (size_t level = 0; level < depth; ++level)
            addSums(groupSums.data() + size_t(open[level]) * items, groupSlot, values);
    }
    for (int group : open)
        if (group >= 0) groups[size_t(group)].end = int(filtered.size());
    for (int g = 0; g < int(groups.size()); ++g)
        groups[size_t(g)].expanded =
            expandedByDefault != (!toggled.empty() && toggled.count(pathOf(g)) != 0);
}

int GridModel::Impl::openGroup(int level, int parent, std::uint32_t rank, int begin) {
    const int added = int(groups.size());
    Group group;
    group.level = level;
    group.parent = parent;
    group.rank = rank;
    group.begin = begin;
    if (parent < 0) {
        if (lastRoot >= 0) groups[size_t(lastRoot)].nextSibling = added;
        if (firstRoot < 0) firstRoot = added;
        lastRoot = added;
    } else {
        Group& above = groups[size_t(parent)];
        if (above.lastChild >= 0) groups[size_t(above.lastChild)].nextSibling = added;
        if (above.firstChild < 0) above.firstChild = added;
        above.lastChild = added;
    }
    groups.push_back(group);
    groupSums.resize(groupSums.size() + groupItems.size());
    return added;
}

void GridModel::Impl::addRow(RowKind kind, int level, int dataRow, int group, int record) {
    const int position = kind == RowKind::GroupFooter ? -1 : nextPosition++;
    rows.push_back({kind, level, dataRow, group, position});
    recordOfRow.push_back(record);
}

void GridModel::Impl::listGroup(int g) {
    const Group& group = groups[size_t(g)];
    addRow(RowKind::Group, group.level, -1, g, group.begin);
    if (group.expanded) {
        if (group.firstChild < 0) {
            for (int i = group.begin; i < group.end; ++i)
                addRow(RowKind::Data, int(grouping.size()),
                       permutation[size_t(filtered[size_t(i)])], -1, i);
        } else {
            for (int child = group.firstChild; child >= 0;
                 child = groups[size_t(child)].nextSibling)
                listGroup(child);
        }
    }
    addRow(RowKind::GroupFooter, group.level, -1, g, group.begin);
}

void GridModel::Impl::listRows() {
    rows.clear();
    recordOfRow.clear();
    nextPosition = 0;
    if (grouping.empty()) {
        rows.reserve(filtered.size());
        recordOfRow.reserve(filtered.size());
        for (size_t i = 0; i < filtered.size(); ++i)
            addRow(RowKind::Data, 0, permutation[size_t(filtered[i])], -1, int(i));
        return;
    }
    for (int root = firstRoot; root >= 0; root = groups[size_t(root)].nextSibling) listGroup(root);
}

std::vector<std::uint32_t> GridModel::Impl::pathOf(int group) const {
    std::vector<std::uint32_t> path;
    for (int g = group; g >= 0; g = groups[size_t(g)].parent)
        path.push_back(groups[size_t(g)].rank);
    std::reverse(path.begin(), path.end());
    return path;
}

FocusAnchor GridModel::Impl::anchor() const {
    if (focused < 0 || focused >= int(rows.size())) return {RowKind::Data, -1, {}};
    const ListedRow& row = rows[size_t(focused)];
    if (row.kind == RowKind::Data) return {row.kind, row.dataRow, {}};
    return {row.kind, -1, pathOf(row.group)};
}

int GridModel::Impl::find(const FocusAnchor& anchor) const {
    for (int i = 0; i < int(rows.size()); ++i) {
        const ListedRow& row = rows[size_t(i)];
        if (row.kind != anchor.kind) continue;
        if (row.kind == RowKind::Data ? row.dataRow == anchor.dataRow
                                      : int(anchor.path.size()) == row.level + 1 &&
                                            groups[size_t(row.group)].rank == anchor.path.back() &&
                                            pathOf(row.group) == anchor.path)
            return i;
    }
    return rows.empty() ? -1 : 0;
}

bool GridModel::Impl::relist(const FocusAnchor& anchor) {
    listRows();
    const int before = focused;
    focused = find(anchor);
    return focused != before;
}

std::optional<double> GridModel::Impl::sumOf(const std::vector<SumItem>& items, const Sum* sums,
                                             int column) const {
    for (size_t item = 0; item < items.size(); ++item)
        if (items[item].column == column) return sums[item].value();
    return std::nullopt;
}

// ---------------------------------------------------------------------------

GridModel::GridModel(DataSource& source, QObject* parent)
    : QObject(parent), d_(std::make_unique<Impl>(source)) {
    connect(&source, &DataSource::rowsReset, this, [this] { sourceChanged(); });
    connect(&source, &DataSource::rowChanged, this, [this] { sourceChanged(); });
    connect(&source, &DataSource::editStateChanged, this, [this] {
        d_->passesValid = false;
        update();
    });
}

GridModel::~GridModel() = default;

DataSource& GridModel::source() const { return d_->source; }
const QLocale& GridModel::locale() const { return d_->locale; }

void GridModel::setLocale(const QLocale& locale) {
    d_->locale = locale;
    sourceChanged();
}

void GridModel::sourceChanged() {
    d_->bindColumns();
    d_->dropCaches();
    update();
}

void GridModel::update() {
    const FocusAnchor anchor = d_->anchor();
    d_->ensurePermutation();
    d_->ensureSums();
    d_->gatherSums();
    d_->ensurePasses();
    d_->buildFiltered();
    d_->buildGroups();
    announce(d_->relist(anchor));
}

void GridModel::relist() { announce(d_->relist(d_->anchor())); }

void GridModel::announce(bool focusMoved) {
    emit rowsChanged();
    if (focusMoved) emit focusedRowChanged(d_->focused);
}

// Columns ------------------------------------------------------------------

void GridModel::setColumns(std::vector<ColumnDef> columns) {
    d_->columns = std::move(columns);
    for (ColumnDef& column : d_->columns) column.width = std::max(column.width, minimumColumnWidth);
    d_->order.resize(d_->columns.size());
    std::iota(d_->order.begin(), d_->order.end(), 0);
    d_->filters.assign(d_->columns.size(), ColumnFilter());
    d_->verdicts.assign(d_->columns.size(), {});
    d_->sort.clear();
    d_->grouping.clear();
    d_->footerItems.clear();
    d_->groupItems.clear();
    d_->sumsValid = false;
    d_->bindColumns();
    d_->permutationValid = false;
    d_->passesValid = false;
    emit columnsChanged();
    emit filterChanged();
    update();
}

int GridModel::columnCount() const { return int(d_->columns.size()); }
const ColumnDef& GridModel::columnDef(int column) const { return d_->columns[size_t(column)]; }

FieldType GridModel::columnType(int column) const {
    return d_->isBound(column) ? d_->source.columnType(d_->bound[size_t(column)]) : FieldType::Text;
}

int GridModel::sourceColumn(int column) const {
    return d_->isBound(column) ? d_->bound[size_t(column)] : -1;
}

void GridModel::setColumnWidth(int column, int width) {
    d_->columns[size_t(column)].width = std::max(width, minimumColumnWidth);
    emit columnsChanged();
}

std::vector<int> GridModel::visibleColumns() const {
    std::vector<int> visible;
    for (int column : d_->order)
        if (!d_->isGrouped(column)) visible.push_back(column);
    return visible;
}

void GridModel::moveColumn(int column, int visualIndex) {
    std::vector<int>& order = d_->order;
    order.erase(std::find(order.begin(), order.end(), column));
    // The visual index counts shown columns only; find its place among all.
    const std::vector<int> visible = visibleColumns();
    const int clamped = std::clamp(visualIndex, 0, int(visible.size()));
    const auto place = clamped == int(visible.size())
                           ? order.end()
                           : std::find(order.begin(), order.end(), visible[size_t(clamped)]);
    order.insert(place, column);
    emit columnsChanged();
}

// Filter -------------------------------------------------------------------

void GridModel::setFilterValue(int column, const QVariant& value) {
    ColumnFilter& filter = d_->filters[size_t(column)];
    if (filter.value == value && filter.value.typeId() == value.typeId()) return;
    filter.value = value;
    d_->verdicts[size_t(column)].clear();
    d_->passesValid = false;
    emit filterChanged();
    update();
}

QVariant GridModel::filterValue(int column) const { return d_->filters[size_t(column)].value; }

std::vector<QVariant> GridModel::distinctValues(int column) const {
    if (!d_->isBound(column)) return {};
    ColumnIndex& index = d_->index(column);
    const std::vector<std::uint32_t>& rankOfId = index.rankOfIds(d_->locale);
    std::vector<std::uint32_t> ids;
    bool blanks = false;
    for (int row = 0; row < d_->source.rowCount() && !blanks; ++row)
        blanks = index.idOfRow(row) == 0;
    for (std::uint32_t id = 1; id < index.idCount(); ++id)
        if (index.isUsed(id)) ids.push_back(id);
    std::stable_sort(ids.begin(), ids.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return rankOfId[a] < rankOfId[b]; });
    std::vector<QVariant> values;
    if (blanks) values.emplace_back();
    for (std::uint32_t id : ids) values.push_back(valueOfId(index, id));
    return values;
}

QString GridModel::valueText(int column, const QVariant& value) const {
    if (!value.isValid() || value.isNull()) return QStringLiteral("(Blanks)");
    return formatValue(columnType(column), value, d_->locale);
}

void GridModel::setValueFilter(int column, std::optional<std::vector<QVariant>> checked) {
    d_->filters[size_t(column)].checked = std::move(checked);
    d_->verdicts[size_t(column)].clear();
    d_->passesValid = false;
    emit filterChanged();
    update();
}

std::optional<std::vector<QVariant>> GridModel::valueFilter(int column) const {
    return d_->filters[size_t(column)].checked;
}

bool GridModel::isFiltered() const {
    for (int column = 0; column < columnCount(); ++column)
        if (d_->isBound(column) && d_->filters[size_t(column)].isActive()) return true;
    return false;
}

QString GridModel::filterDescription() const {
    QStringList parts;
    for (int column : d_->order) {
        if (!d_->isBound(column)) continue;
        const QString part = describe(d_->columns[size_t(column)].caption, columnType(column),
                                      d_->filters[size_t(column)], d_->locale);
        if (!part.isEmpty()) parts << part;
    }
    return parts.join(QStringLiteral(" and "));
}

void GridModel::clearFilter() {
    d_->filters.assign(d_->columns.size(), ColumnFilter());
    for (auto& verdict : d_->verdicts) verdict.clear();
    d_->passesValid = false;
    emit filterChanged();
    update();
}

// Sort ---------------------------------------------------------------------

void GridModel::setSort(std::vector<SortKey> keys) {
    std::erase_if(keys, [&](const SortKey& key) { return !d_->isBound(key.column); });
    d_->sort = std::move(keys);
    d_->permutationValid = false;
    emit columnsChanged();
    update();
}

const std::vector<SortKey>& GridModel::sort() const { return d_->sort; }
SortOrder GridModel::sortOrder(int column) const { return d_->sortOrderOf(column); }

void GridModel::clickSort(int column, bool add) {
    std::vector<SortKey> keys = d_->sort;
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const SortKey& key) { return key.column == column; });
    const bool descending = found != keys.end() && !found->descending;
    if (add || d_->isGrouped(column)) {
        if (found != keys.end())
            found->descending = descending;
        else
            keys.push_back({column, false});
    } else {
        // The grouped columns keep their direction; the rest give way.
        std::erase_if(keys, [&](const SortKey& key) { return !d_->isGrouped(key.column); });
        keys.push_back({column, descending});
    }
    setSort(std::move(keys));
}

// Grouping -----------------------------------------------------------------

void GridModel::setGrouping(std::vector<int> columns) {
    std::vector<int> grouping;
    for (int column : columns)
        if (d_->isBound(column) &&
            std::find(grouping.begin(), grouping.end(), column) == grouping.end())
            grouping.push_back(column);
    d_->grouping = std::move(grouping);
    d_->toggled.clear();
    d_->permutationValid = false;
    emit columnsChanged();
    update();
}

const std::vector<int>& GridModel::grouping() const { return d_->grouping; }
int GridModel::levelCount() const { return int(d_->grouping.size()); }

void GridModel::groupBy(int column, int position) {
    std::vector<int> grouping = d_->grouping;
    std::erase(grouping, column);
    grouping.insert(grouping.begin() + std::clamp(position, 0, int(grouping.size())), column);
    setGrouping(std::move(grouping));
}

void GridModel::ungroup(int column, int visualIndex) {
    std::vector<int> grouping = d_->grouping;
    std::erase(grouping, column);
    setGrouping(std::move(grouping));
    if (visualIndex >= 0) moveColumn(column, visualIndex);
}

void GridModel::expandAll() {
    d_->expandedByDefault = true;
    d_->toggled.clear();
    for (Group& group : d_->groups) group.expanded = true;
    relist();
}

void GridModel::collapseAll() {
    d_->expandedByDefault = false;
    d_->toggled.clear();
    for (Group& group : d_->groups) group.expanded = false;
    relist();
}

bool GridModel::isExpanded(int listedRow) const {
    const ListedRow& r = row(listedRow);
    return r.group >= 0 && d_->groups[size_t(r.group)].expanded;
}

void GridModel::setExpanded(int listedRow, bool expanded) {
    const ListedRow& r = row(listedRow);
    if (r.kind != RowKind::Group || isExpanded(listedRow) == expanded) return;
    Group& group = d_->groups[size_t(r.group)];
    group.expanded = expanded;
    const std::vector<std::uint32_t> path = d_->pathOf(r.group);
    if (expanded == d_->expandedByDefault)
        d_->toggled.erase(path);
    else
        d_->toggled.insert(path);
    relist();
}

// Sums ---------------------------------------------------------------------

void GridModel::setFooterSums(std::vector<SumItem> items) {
    d_->footerItems = std::move(items);
    d_->sumsValid = false;
    update();
}

void GridModel::setGroupSums(std::vector<SumItem> items) {
    d_->groupItems = std::move(items);
    d_->sumsValid = false;
    update();
}

std::optional<double> GridModel::footerSum(int column) const {
    return d_->sumOf(d_->footerItems, d_->footer.data(), column);
}

std::optional<double> GridModel::groupSum(int listedRow, int column) const {
    const ListedRow& r = row(listedRow);
    if (r.group < 0) return std::nullopt;
    return d_->sumOf(d_->groupItems, d_->groupSums.data() + size_t(r.group) * d_->groupItems.size(),
                     column);
}

QString GridModel::footerSumText(int column) const {
    const std::optional<double> sum = footerSum(column);
    return sum ? formatSum(*sum, d_->locale) : QString();
}

QString GridModel::groupSumText(int listedRow, int column) const {
    const std::optional<double> sum = groupSum(listedRow, column);
    return sum ? formatSum(*sum, d_->locale) : QString();
}

// Listed rows --------------------------------------------------------------

int GridModel::rowCount() const { return int(d_->rows.size()); }
const ListedRow& GridModel::row(int listedRow) const { return d_->rows[size_t(listedRow)]; }

int GridModel::groupColumn(int listedRow) const {
    const ListedRow& r = row(listedRow);
    return r.group >= 0 ? d_->grouping[size_t(r.level)] : -1;
}

QVariant GridModel::groupValue(int listedRow) const {
    const ListedRow& r = row(listedRow);
    if (r.group < 0) return {};
    const int firstRecord =
        d_->permutation[size_t(d_->filtered[size_t(d_->groups[size_t(r.group)].begin)])];
    return d_->source.value(firstRecord, d_->bound[size_t(groupColumn(listedRow))]);
}

QString GridModel::groupCaption(int listedRow) const {
    const int column = groupColumn(listedRow);
    if (column < 0) return {};
    return d_->columns[size_t(column)].caption + QStringLiteral(" : ") +
           formatValue(columnType(column), groupValue(listedRow), d_->locale);
}

QVariant GridModel::cellValue(int listedRow, int column) const {
    const ListedRow& r = row(listedRow);
    if (r.kind != RowKind::Data || !d_->isBound(column)) return {};
    return d_->source.value(r.dataRow, d_->bound[size_t(column)]);
}

QString GridModel::cellText(int listedRow, int column) const {
    return formatValue(columnType(column), cellValue(listedRow, column), d_->locale);
}

int GridModel::recordCount() const { return int(d_->filtered.size()); }

// Focus --------------------------------------------------------------------

int GridModel::focusedRow() const { return d_->focused; }

void GridModel::setFocusedRow(int listedRow) {
    const int focused = d_->rows.empty() ? -1 : std::clamp(listedRow, 0, rowCount() - 1);
    if (focused == d_->focused) return;
    d_->focused = focused;
    emit focusedRowChanged(focused);
}

int GridModel::focusedDataRow() const {
    const int focused = d_->focused;
    return focused >= 0 && row(focused).kind == RowKind::Data ? row(focused).dataRow : -1;
}

int GridModel::recordIndex() const {
    return d_->focused < 0 ? 0 : d_->recordOfRow[size_t(d_->focused)] + 1;
}

QString GridModel::navigatorText() const {
    return QStringLiteral("%1 of %2").arg(recordIndex()).arg(recordCount());
}

int GridModel::listedRowOf(int dataRow) const {
    for (int i = 0; i < rowCount(); ++i)
        if (d_->rows[size_t(i)].kind == RowKind::Data && d_->rows[size_t(i)].dataRow == dataRow)
            return i;
    return -1;
}

}  // namespace grid

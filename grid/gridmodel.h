#pragma once
// What a grid lists: the rows of a DataSource after the filter, in sort
// order, grouped, with group rows, group footers and sums. The widget paints
// exactly this list and the export walks it, so both show the same rows.
//
// Everything derived is cached (per-column ranks, per-value filter verdicts,
// the sort permutation) so a filter keystroke, a sort or a grouping redoes
// only the step it changes, also over a million rows.
#include <QLocale>
#include <QObject>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "datasource.h"

namespace grid {

struct ColumnDef {
    QString caption;
    QString fieldName;  // the source column it shows
    int width = 64;     // pixels at 96 dpi
    QString name = {};  // the column's own name, e.g. "cxGrid1DBTableView1partener"
};

// A sum of a source column, shown under a grid column (index into the
// column definitions); the column summed need not be the one shown.
struct SumItem {
    QString fieldName;
    int column = -1;
};

struct SortKey {
    int column = -1;
    bool descending = false;
};
enum class SortOrder : std::uint8_t { None, Ascending, Descending };

enum class RowKind : std::uint8_t { Data, Group, GroupFooter };

struct ListedRow {
    RowKind kind = RowKind::Data;
    int level = 0;      // grouping depth: 0 for a top group, levels for data rows
    int dataRow = -1;   // the source row of a data row, else -1
    int group = -1;     // the group of a group row or group footer, else -1
    int position = -1;  // even/odd counting position; -1 for group footers
};

class GridModel : public QObject {
    Q_OBJECT
  public:
    explicit GridModel(DataSource& source, QObject* parent = nullptr);
    ~GridModel() override;

    DataSource& source() const;
    // Numbers and dates show in this locale (the user's by default).
    void setLocale(const QLocale& locale);
    const QLocale& locale() const;

    // Columns in order of definition; an unknown field name leaves the
    // column unbound (empty cells).
    void setColumns(std::vector<ColumnDef> columns);
    int columnCount() const;
    const ColumnDef& columnDef(int column) const;
    FieldType columnType(int column) const;
    int sourceColumn(int column) const;  // -1 when unbound
    void setColumnWidth(int column, int width);
    // The columns shown, in their current order; grouped columns are hidden.
    std::vector<int> visibleColumns() const;
    // Moves a column to a position among the shown columns.
    void moveColumn(int column, int visualIndex);

    // Filter row: a null or empty value drops the column's condition. A
    // QString is judged by the column's type (patterns with % and _ in text
    // columns, numbers read in the model's locale, dates in its date format);
    // a QDate or bool compares for equality.
    void setFilterValue(int column, const QVariant& value);
    QVariant filterValue(int column) const;
    // Header filter: the column's distinct values in sort order, a null
    // QVariant first when the column holds blanks; a row passes when its
    // value is one of the checked ones. nullopt drops the condition.
    std::vector<QVariant> distinctValues(int column) const;
    QString valueText(int column, const QVariant& value) const;  // "(Blanks)" for null
    void setValueFilter(int column, std::optional<std::vector<QVariant>> checked);
    std::optional<std::vector<QVariant>> valueFilter(int column) const;
    bool isFiltered() const;
    // The filter in words: [Partner] like 'abc%' and [Curr.] = 'EUR'.
    QString filterDescription() const;
    void clearFilter();

    // Sorting is stable: rows with equal keys keep their previous order.
    void setSort(std::vector<SortKey> keys);
    const std::vector<SortKey>& sort() const;
    SortOrder sortOrder(int column) const;
    // A header click: sorts by the column alone, or reverses it when it is
    // the sort already; with add, extends or reverses within the keys.
    void clickSort(int column, bool add);

    // Grouping: nested in the order given. Groups are ordered by their value,
    // descending when that column is sorted descending.
    void setGrouping(std::vector<int> columns);
    const std::vector<int>& grouping() const;
    // Puts a column into the grouping at a position (moving it when grouped).
    void groupBy(int column, int position);
    // Takes a column out of the grouping and shows it at a visual index (-1:
    // where it stood before it was grouped).
    void ungroup(int column, int visualIndex);
    void expandAll();
    void collapseAll();
    bool isExpanded(int listedRow) const;  // of a group row
    void setExpanded(int listedRow, bool expanded);

    // Sums: the footer items and the items of every group footer.
    void setFooterSums(std::vector<SumItem> items);
    void setGroupSums(std::vector<SumItem> items);
    // nullopt when no item is under the column or it summed no value.
    std::optional<double> footerSum(int column) const;
    // Of the group of a group row or group footer.
    std::optional<double> groupSum(int listedRow, int column) const;
    QString footerSumText(int column) const;  // formatSum or empty
    QString groupSumText(int listedRow, int column) const;

    // The listed rows, top to bottom.
    int rowCount() const;
    const ListedRow& row(int listedRow) const;
    int levelCount() const;
    // Group rows: the grouped column, its value, and "Partner : ABC SRL".
    int groupColumn(int listedRow) const;
    QVariant groupValue(int listedRow) const;
    QString groupCaption(int listedRow) const;
    // Data rows: the typed value (double, qint64, QDate, QDateTime, bool,
    // QString; null QVariant for NULL) and the text the grid shows.
    QVariant cellValue(int listedRow, int column) const;
    QString cellText(int listedRow, int column) const;
    // Data rows that pass the filter, whether collapsed or not.
    int recordCount() const;

    // Focus: a listed row, or -1 when nothing is listed.
    int focusedRow() const;
    void setFocusedRow(int listedRow);
    int focusedDataRow() const;  // source row, -1 unless a data row
    // 1-based position of the focused record among the filtered records in
    // listed order (a group row counts as its first record); 0 for none.
    int recordIndex() const;
    QString navigatorText() const;  // "3 of 120"
    // The listed row of a source row, -1 when it is not listed.
    int listedRowOf(int dataRow) const;

  signals:
    // The listed rows, their order or their sums changed.
    void rowsChanged();
    // Column order, widths, visibility or sort glyphs changed.
    void columnsChanged();
    void filterChanged();
    void focusedRowChanged(int listedRow);

  private:
    struct Impl;
    void sourceChanged();
    // Lists the rows anew after a change of the filter, sort or grouping.
    void update();
    // Lists the rows anew after groups were expanded or collapsed.
    void relist();
    void announce(bool focusMoved);

    std::unique_ptr<Impl> d_;
};

// Dates show in the locale's short format, always with a four-digit year.
QString displayDateFormat(const QLocale& locale);

// The sums' display format ",0.00;-,0.00": grouped digits, two decimals,
// "-" before a negative value, separators of the locale.
QString formatSum(double value, const QLocale& locale);

}  // namespace grid

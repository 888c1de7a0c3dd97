#pragma once
// The grid widget: group-by box, column headers, filter row, the rows, the
// footer, the filter box and the navigator, painted from a GridModel. Only
// the visible rows are painted, so a million listed rows cost nothing here.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "gridmodel.h"
#include "style.h"

class QLabel;

namespace grid {

class Navigator;
class GroupByBox;
class HeaderBar;
class FilterRowBar;
class FooterBar;
class FilterBoxBar;
class RowsView;
class ValueFilterPopup;
struct GridGeometry;

class DataGrid : public QWidget {
    Q_OBJECT
  public:
    explicit DataGrid(GridModel& model, QWidget* parent = nullptr);
    ~DataGrid() override;

    GridModel& model() const { return model_; }
    // The style sheet worn (not owned); nullptr paints the grid's own look.
    void setGridStyle(const StyleSheet* sheet);
    const StyleSheet* gridStyle() const { return sheet_; }
    // An element's look: its style over the grid's font and colours.
    Look look(StyleElement element) const;

    // Whole rows take the focus (true), or single cells.
    void setWholeRowSelection(bool wholeRow);
    bool wholeRowSelection() const { return wholeRow_; }
    // Down on the last row appends a row (on an editable source).
    void setAppendAllowed(bool allowed) { appendAllowed_ = allowed; }
    // The footer row with the footer sums; a grid without sums hides it.
    void setFooterVisible(bool visible);
    // The focused cell's column (index into the definitions); -1 in
    // whole-row mode.
    int focusedColumn() const;
    void setFocusedColumn(int column);

    // Actions behind the keys, the mouse and the navigator. They raise
    // wt::Error when the source refuses; event handlers run them through
    // wt::dispatch.
    void moveFocus(int listedRow);  // saves a pending change when leaving its row
    void moveFocusBy(int rows);
    void insertRecord();
    void appendRecord();
    void deleteRecord();  // after the grid's confirmation
    void editRecord();
    void postRecord();
    void cancelRecord();
    void refresh();
    void saveBookmark();
    void gotoBookmark();
    void showFilterEditor();
    void showValueFilter(int column);
    // Starts editing the focused cell (single-cell mode, editable source).
    void editCell();

    // The parts, for tests and for what paints or exports like the grid.
    QWidget* groupByBox() const;
    QWidget* header() const;
    QWidget* filterRow() const;
    QWidget* rowsArea() const;  // the viewport that paints the rows
    QWidget* footer() const;
    QWidget* filterBox() const;
    QWidget* filterBoxClearButton() const;
    Navigator* navigator() const { return navigator_; }
    QWidget* filterEditor(int column) const;
    QWidget* cellEditor() const;
    ValueFilterPopup* valueFilterPopup() const;
    // Geometry in the coordinates of the part named.
    QRect headerRect(int column) const;               // header
    QRect headerFilterButton(int column) const;       // header
    QRect groupByItemRect(int column) const;          // group-by box
    QRect cellRect(int listedRow, int column) const;  // rows area
    QRect expandButtonRect(int listedRow) const;      // rows area

  protected:
    bool event(QEvent* event) override;

  private:
    friend class GroupByBox;
    friend class HeaderBar;
    friend class FilterRowBar;
    friend class FooterBar;
    friend class FilterBoxBar;
    friend class RowsView;

    const GridGeometry& geometry() const { return *geometry_; }
    void layoutColumns();
    void rowsChanged();
    void focusChanged();
    void updateNavigator();
    void navigate(int button);
    bool isEditable() const;
    void commitCellEditor();
    void closeCellEditor();
    void toggleCheckCell(int listedRow, int column);
    void setCellValue(int dataRow, int column, const QVariant& value);

    // Header drags: a click sorts, a drag moves the column, groups it in the
    // box, or takes it out of the grouping.
    void pressColumn(int column, bool fromGroupBox, const QPoint& globalPos);
    void dragColumn(const QPoint& globalPos);
    void releaseColumn(const QPoint& globalPos, Qt::KeyboardModifiers modifiers);

    GridModel& model_;
    const StyleSheet* sheet_ = nullptr;
    bool wholeRow_ = true;
    bool appendAllowed_ = false;
    bool footerVisible_ = true;
    int focusedVisual_ = 0;
    int bookmark_ = -1;
    std::unique_ptr<GridGeometry> geometry_;
    GroupByBox* groupByBox_ = nullptr;
    RowsView* rows_ = nullptr;
    HeaderBar* header_ = nullptr;
    FilterRowBar* filterRow_ = nullptr;
    FooterBar* footer_ = nullptr;
    FilterBoxBar* filterBox_ = nullptr;
    Navigator* navigator_ = nullptr;
    QPointer<ValueFilterPopup> valuePopup_;

    struct ColumnDrag {
        int column = -1;
        bool fromGroupBox = false;
        bool moving = false;
        QPoint start;
    } drag_;
    QLabel* dragImage_ = nullptr;
};

}  // namespace grid

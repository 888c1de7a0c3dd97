#pragma once
// The parts a DataGrid is made of. They paint from the grid's model and
// geometry and hand every user action back to the grid.
#include <QAbstractScrollArea>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "datagrid.h"

class QLineEdit;
class QToolButton;
class QCheckBox;

namespace grid {

// Where the shown columns are: x from the start of the columns (after the
// group indentation), before horizontal scrolling.
struct ColumnSpan {
    int column;
    int left;
    int width;
};

struct GridGeometry {
    static constexpr int indicatorWidth = 12;
    static constexpr int levelIndent = 16;

    std::vector<ColumnSpan> spans;
    int indent = 0;
    int offset = 0;  // horizontal scroll position
    int rowHeight = 19;
    int headerHeight = 21;
    int footerHeight = 21;

    int columnsWidth() const;
    // Widget x of a content x (columns scroll, the indicator stays).
    int xOf(int contentX) const { return indicatorWidth + contentX - offset; }
    QRect spanRect(int visual, int top, int height) const;
    int visualOf(int column) const;
    int visualAt(int x) const;     // -1 outside the columns
    int insertionAt(int x) const;  // where a column dropped at x goes
};

// Paints one cell's text in a look, clipped to the cell.
void paintCellText(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment align);
Qt::Alignment alignmentOf(FieldType type);
// The footer's and the group footers' band with the sums under their columns.
void paintSumCells(QPainter& painter, const GridGeometry& geometry, const Look& look,
                   const QRect& band, const std::function<QString(int column)>& sumText);

class GroupByBox : public QWidget {
    Q_OBJECT
  public:
    GroupByBox(DataGrid& grid, QWidget* parent);
    QRect itemRect(int level) const;
    int insertionAt(const QPoint& pos) const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    DataGrid& grid_;
};

class HeaderBar : public QWidget {
    Q_OBJECT
  public:
    HeaderBar(DataGrid& grid, QWidget* parent);
    QRect columnRect(int visual) const;
    QRect filterButtonRect(int visual) const;

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent*) override;

  private:
    int resizeEdgeAt(int x) const;  // visual index whose right edge is at x, or -1
    void paintColumn(QPainter& painter, int visual, const Look& look);

    DataGrid& grid_;
    int resizing_ = -1;
    int resizeStartX_ = 0;
    int resizeStartWidth_ = 0;
    int hovered_ = -1;
};

class FilterRowBar : public QWidget {
    Q_OBJECT
  public:
    FilterRowBar(DataGrid& grid, QWidget* parent);
    // Editors are made once per column (by its type) and moved with the
    // columns; they are made anew when the columns change.
    void syncColumns();
    void place();
    void showValues();
    QWidget* editor(int column) const;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QWidget* makeEditor(int column);
    QWidget* makeDateEditor(int column);
    void apply(int column, const QVariant& value);

    DataGrid& grid_;
    std::map<int, QWidget*> editors_;
    std::vector<FieldType> types_;
};

class FooterBar : public QWidget {
    Q_OBJECT
  public:
    FooterBar(DataGrid& grid, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    DataGrid& grid_;
};

class FilterBoxBar : public QWidget {
    Q_OBJECT
  public:
    FilterBoxBar(DataGrid& grid, QWidget* parent);
    void showFilter();
    QToolButton* clearButton() const { return clear_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    DataGrid& grid_;
    QToolButton* clear_;
    QString text_;
};

// The rows, with the header and filter row above and the footer below
// placed in its margins so they scroll sideways with the rows.
class RowsView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit RowsView(DataGrid& grid);
    HeaderBar* header() const { return header_; }
    FilterRowBar* filterRow() const { return filterRow_; }
    FooterBar* footer() const { return footer_; }
    QLineEdit* cellEditor() const { return cellEditor_; }

    int firstRow() const;
    int visibleRows() const;  // rows that fit wholly
    int rowAt(int y) const;   // listed row under y, -1 below the last
    QRect rowRect(int listedRow) const;
    QRect cellRect(int listedRow, int visual) const;
    QRect expandButtonRect(int listedRow) const;
    void ensureVisible(int listedRow);
    void updateScrollBars();
    void placeParts();
    void openCellEditor(int listedRow, int visual, const QString& text);
    void closeCellEditor();
    int editorRow() const { return editorRow_; }
    int editorColumn() const { return editorColumn_; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void paintRow(QPainter& painter, int listedRow);
    void paintDataRow(QPainter& painter, int listedRow, const QRect& rect);
    void paintGroupRow(QPainter& painter, int listedRow, const QRect& rect);
    void paintGroupFooter(QPainter& painter, int listedRow, const QRect& rect);
    void paintIndicator(QPainter& painter, int listedRow, const QRect& rect);
    void paintIndent(QPainter& painter, int levels, const QRect& rect);
    void handleKey(QKeyEvent* event);
    void handleClick(QMouseEvent* event);
    bool handleGroupKey(int key);
    void moveAcross(int step);
    void advanceWithEnter();
    // Saves the cell editor's text into the row; false when refused.
    bool commitEditor();

    DataGrid& grid_;
    HeaderBar* header_;
    FilterRowBar* filterRow_;
    FooterBar* footer_;
    QLineEdit* cellEditor_ = nullptr;
    int editorRow_ = -1;
    int editorColumn_ = -1;
    bool committing_ = false;
};

}  // namespace grid

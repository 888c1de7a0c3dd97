#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "core/dispatch.h"
#include "glyphs.h"
#include "gridparts.h"

namespace grid {

namespace {

const QColor gridLine(0xA8, 0xBC, 0xD4);
constexpr int expandBoxSize = 9;

void paintCheck(QPainter& painter, const QRect& cell, bool checked, const QWidget* widget) {
    QStyleOptionButton option;
    option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    const QSize size(13, 13);
    option.rect = QRect(cell.center() - QPoint(size.width() / 2, size.height() / 2), size);
    widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
}

}  // namespace

RowsView::RowsView(DataGrid& grid)
    : QAbstractScrollArea(&grid),
      grid_(grid),
      header_(new HeaderBar(grid, this)),
      filterRow_(new FilterRowBar(grid, this)),
      footer_(new FooterBar(grid, this)) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
}

int RowsView::firstRow() const { return verticalScrollBar()->value(); }

int RowsView::visibleRows() const {
    return std::max(1, viewport()->height() / grid_.geometry().rowHeight);
}

int RowsView::rowAt(int y) const {
    const int row = firstRow() + y / grid_.geometry().rowHeight;
    return y >= 0 && row < grid_.model().rowCount() ? row : -1;
}

QRect RowsView::rowRect(int listedRow) const {
    const int height = grid_.geometry().rowHeight;
    return QRect(0, (listedRow - firstRow()) * height, viewport()->width(), height);
}

QRect RowsView::cellRect(int listedRow, int visual) const {
    const QRect row = rowRect(listedRow);
    return grid_.geometry().spanRect(visual, row.top(), row.height());
}

QRect RowsView::expandButtonRect(int listedRow) const {
    const QRect row = rowRect(listedRow);
    const int left =
        grid_.geometry().xOf(grid_.model().row(listedRow).level * GridGeometry::levelIndent);
    return QRect(left + 3, row.top() + (row.height() - expandBoxSize) / 2, expandBoxSize,
                 expandBoxSize);
}

void RowsView::ensureVisible(int listedRow) {
    if (listedRow < 0) return;
    QScrollBar* bar = verticalScrollBar();
    if (listedRow < bar->value())
        bar->setValue(listedRow);
    else if (listedRow >= bar->value() + visibleRows())
        bar->setValue(listedRow - visibleRows() + 1);
}

void RowsView::updateScrollBars() {
    const int rows = grid_.model().rowCount();
    verticalScrollBar()->setRange(0, std::max(0, rows - visibleRows()));
    verticalScrollBar()->setPageStep(visibleRows());
    verticalScrollBar()->setSingleStep(1);
    const int columnsArea = viewport()->width() - GridGeometry::indicatorWidth;
    horizontalScrollBar()->setRange(0, std::max(0, grid_.geometry().columnsWidth() - columnsArea));
    horizontalScrollBar()->setPageStep(std::max(1, columnsArea));
    horizontalScrollBar()->setSingleStep(20);
}

void RowsView::placeParts() {
    const GridGeometry& geometry = grid_.geometry();
    const int filterHeight = geometry.rowHeight + 2;
    setViewportMargins(0, geometry.headerHeight + filterHeight, 0, geometry.footerHeight);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - geometry.headerHeight - filterHeight,
                         area.width(), geometry.headerHeight);
    filterRow_->setGeometry(area.left(), area.top() - filterHeight, area.width(), filterHeight);
    footer_->setGeometry(area.left(), area.bottom() + 1, area.width(), geometry.footerHeight);
    filterRow_->place();
    updateScrollBars();
}

void RowsView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    placeParts();
}

void RowsView::scrollContentsBy(int, int) {
    grid_.geometry_->offset = horizontalScrollBar()->value();
    closeCellEditor();
    filterRow_->place();
    header_->update();
    footer_->update();
    viewport()->update();
}

// Painting -----------------------------------------------------------------

void RowsView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), grid_.look(StyleElement::Background).background);
    const int last = std::min(grid_.model().rowCount(), firstRow() + visibleRows() + 1);
    for (int row = firstRow(); row < last; ++row) paintRow(painter, row);
}

void RowsView::paintRow(QPainter& painter, int listedRow) {
    const QRect rect = rowRect(listedRow);
    painter.save();
    painter.setClipRect(
        QRect(GridGeometry::indicatorWidth, rect.top(), rect.width(), rect.height()));
    switch (grid_.model().row(listedRow).kind) {
        case RowKind::Data:
            paintDataRow(painter, listedRow, rect);
            break;
        case RowKind::Group:
            paintGroupRow(painter, listedRow, rect);
            break;
        case RowKind::GroupFooter:
            paintGroupFooter(painter, listedRow, rect);
            break;
    }
    painter.restore();
    paintIndicator(painter, listedRow, rect);
}

void RowsView::paintIndent(QPainter& painter, int levels, const QRect& rect) {
    const GridGeometry& geometry = grid_.geometry();
    if (levels <= 0) return;
    painter.fillRect(
        QRect(geometry.xOf(0), rect.top(), levels * GridGeometry::levelIndent, rect.height()),
        grid_.look(StyleElement::Group).background);
}

void RowsView::paintDataRow(QPainter& painter, int listedRow, const QRect& rect) {
    const GridModel& model = grid_.model();
    const GridGeometry& geometry = grid_.geometry();
    const ListedRow& row = model.row(listedRow);
    const Look plain = grid_.look(contentElement(grid_.gridStyle(), row.position));
    const Look selected = selectionLook(grid_.gridStyle(), hasFocus(), plain.font);
    const bool focusedRow = listedRow == model.focusedRow();
    paintIndent(painter, row.level, rect);
    painter.setFont(plain.font);
    for (int visual = 0; visual < int(geometry.spans.size()); ++visual) {
        const int column = geometry.spans[size_t(visual)].column;
        const QRect cell = geometry.spanRect(visual, rect.top(), rect.height());
        const bool isSelected = focusedRow && (grid_.wholeRow_ || visual == grid_.focusedVisual_);
        const Look& look = isSelected ? selected : plain;
        painter.fillRect(cell, look.background);
        painter.setPen(gridLine);
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        const FieldType type = model.columnType(column);
        if (type == FieldType::Boolean) {
            const QVariant value = model.cellValue(listedRow, column);
            if (value.isValid()) paintCheck(painter, cell, value.toBool(), this);
            continue;
        }
        painter.setPen(look.text);
        paintCellText(painter, cell, model.cellText(listedRow, column), alignmentOf(type));
    }
}

void RowsView::paintGroupRow(QPainter& painter, int listedRow, const QRect& rect) {
    const GridModel& model = grid_.model();
    const GridGeometry& geometry = grid_.geometry();
    const ListedRow& row = model.row(listedRow);
    paintIndent(painter, row.level, rect);
    const Look group = grid_.look(StyleElement::Group);
    const bool focused = listedRow == model.focusedRow();
    const Look look = focused ? selectionLook(grid_.gridStyle(), hasFocus(), group.font) : group;
    const int left = geometry.xOf(row.level * GridGeometry::levelIndent);
    const int right = std::max(geometry.xOf(geometry.columnsWidth()), rect.right());
    const QRect band(left, rect.top(), right - left, rect.height());
    painter.fillRect(band, look.background);
    painter.setPen(gridLine);
    painter.drawLine(band.bottomLeft(), band.bottomRight());
    paintExpandButton(painter, expandButtonRect(listedRow), model.isExpanded(listedRow),
                      QColor(0x60, 0x60, 0x60));
    painter.setFont(look.font);
    painter.setPen(look.text);
    // The caption stays in view when the rows are scrolled sideways.
    const int captionLeft =
        std::max(band.left() + expandBoxSize + 8,
                 GridGeometry::indicatorWidth + 4 + row.level * GridGeometry::levelIndent);
    paintCellText(painter,
                  QRect(captionLeft, band.top(), band.right() - captionLeft, band.height()),
                  model.groupCaption(listedRow), Qt::AlignLeft | Qt::AlignVCenter);
}

void RowsView::paintGroupFooter(QPainter& painter, int listedRow, const QRect& rect) {
    const GridModel& model = grid_.model();
    const GridGeometry& geometry = grid_.geometry();
    const int level = model.row(listedRow).level;
    paintIndent(painter, level + 1, rect);
    const int left = geometry.xOf((level + 1) * GridGeometry::levelIndent);
    const QRect band(left, rect.top(), geometry.xOf(geometry.columnsWidth()) - left, rect.height());
    paintSumCells(painter, geometry, grid_.look(StyleElement::Footer), band,
                  [&](int column) { return model.groupSumText(listedRow, column); });
}

void RowsView::paintIndicator(QPainter& painter, int listedRow, const QRect& rect) {
    const GridModel& model = grid_.model();
    const QRect cell(0, rect.top(), GridGeometry::indicatorWidth, rect.height());
    const Look look = grid_.look(StyleElement::Indicator);
    painter.fillRect(cell, look.background);
    painter.setPen(QColor(0, 0, 0, 0x50));
    painter.drawLine(cell.topRight(), cell.bottomRight());
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    if (listedRow != model.focusedRow()) return;
    const DataSource& source = model.source();
    const bool editing = source.editState() != EditState::Browse &&
                         model.row(listedRow).dataRow >= 0 &&
                         model.row(listedRow).dataRow == source.editRow();
    const IndicatorMark mark = !editing                                  ? IndicatorMark::Focused
                               : source.editState() == EditState::Insert ? IndicatorMark::Inserting
                                                                         : IndicatorMark::Editing;
    paintIndicatorMark(painter, cell, mark, look.text);
}

// Keys and mouse -------------------------------------------------------------

void RowsView::keyPressEvent(QKeyEvent* event) {
    wt::dispatch([&] { handleKey(event); });
}

bool RowsView::handleGroupKey(int key) {
    GridModel& model = grid_.model();
    const int focused = model.focusedRow();
    if (focused < 0 || model.row(focused).kind != RowKind::Group) return false;
    if (key == Qt::Key_Right || key == Qt::Key_Plus) {
        model.setExpanded(focused, true);
        return true;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Minus) {
        model.setExpanded(focused, false);
        return true;
    }
    return false;
}

void RowsView::moveAcross(int step) {
    if (grid_.wholeRow_) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + step * 20);
        return;
    }
    const int count = int(grid_.geometry().spans.size());
    grid_.focusedVisual_ = std::clamp(grid_.focusedVisual_ + step, 0, std::max(0, count - 1));
    grid_.focusChanged();
}

void RowsView::advanceWithEnter() {
    const int count = int(grid_.geometry().spans.size());
    if (!grid_.wholeRow_ && grid_.focusedVisual_ + 1 < count) {
        moveAcross(1);
        return;
    }
    grid_.moveFocusBy(1);
    if (!grid_.wholeRow_) {
        grid_.focusedVisual_ = 0;
        grid_.focusChanged();
    }
}

void RowsView::handleKey(QKeyEvent* event) {
    GridModel& model = grid_.model();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (handleGroupKey(key)) return;
    const bool atLastRow = model.focusedRow() >= model.rowCount() - 1;
    switch (key) {
        case Qt::Key_Up:
            return grid_.moveFocusBy(-1);
        case Qt::Key_Down:
            if (atLastRow && grid_.appendAllowed_ && grid_.isEditable())
                return grid_.appendRecord();
            return grid_.moveFocusBy(1);
        case Qt::Key_PageUp:
            return grid_.moveFocusBy(-visibleRows());
        case Qt::Key_PageDown:
            return grid_.moveFocusBy(visibleRows());
        case Qt::Key_Home:
            if (control || grid_.wholeRow_) return grid_.moveFocus(0);
            return moveAcross(-int(grid_.geometry().spans.size()));
        case Qt::Key_End:
            if (control || grid_.wholeRow_) return grid_.moveFocus(model.rowCount() - 1);
            return moveAcross(int(grid_.geometry().spans.size()));
        case Qt::Key_Left:
            return moveAcross(-1);
        case Qt::Key_Right:
            return moveAcross(1);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return advanceWithEnter();
        case Qt::Key_Escape:
            return grid_.cancelRecord();
        case Qt::Key_F2:
            return grid_.editCell();
        case Qt::Key_Insert:
            return grid_.insertRecord();
        case Qt::Key_Delete:
            if (control) return grid_.deleteRecord();
            break;
        case Qt::Key_Space:
            if (!grid_.wholeRow_ && model.focusedDataRow() >= 0 &&
                model.columnType(grid_.focusedColumn()) == FieldType::Boolean)
                return grid_.toggleCheckCell(model.focusedRow(), grid_.focusedColumn());
            break;
        default:
            break;
    }
    // Typing into a cell starts its editor with what was typed.
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && !grid_.wholeRow_ &&
        grid_.isEditable()) {
        grid_.editCell();
        if (cellEditor_) cellEditor_->setText(event->text());
    }
}

void RowsView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) wt::dispatch([&] { handleClick(event); });
}

void RowsView::handleClick(QMouseEvent* event) {
    GridModel& model = grid_.model();
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos.y());
    if (row < 0) return;
    if (model.row(row).kind == RowKind::Group &&
        expandButtonRect(row).adjusted(-2, -2, 2, 2).contains(pos)) {
        model.setExpanded(row, !model.isExpanded(row));
        return;
    }
    if (model.row(row).kind == RowKind::GroupFooter) return;
    const bool wasFocused = row == model.focusedRow();
    const int visual = grid_.geometry().visualAt(pos.x());
    const int previousVisual = grid_.focusedVisual_;
    grid_.moveFocus(row);
    if (grid_.wholeRow_ || visual < 0) return;
    grid_.focusedVisual_ = visual;
    grid_.focusChanged();
    const int column = grid_.geometry().spans[size_t(visual)].column;
    if (wasFocused && visual == previousVisual && model.columnType(column) == FieldType::Boolean &&
        model.row(row).kind == RowKind::Data)
        grid_.toggleCheckCell(row, column);
}

void RowsView::mouseDoubleClickEvent(QMouseEvent* event) {
    wt::dispatch([&] {
        GridModel& model = grid_.model();
        const int row = rowAt(event->position().toPoint().y());
        if (row < 0) return;
        if (model.row(row).kind == RowKind::Group)
            return model.setExpanded(row, !model.isExpanded(row));
        if (model.row(row).kind == RowKind::Data && !grid_.wholeRow_ &&
            model.columnType(grid_.focusedColumn()) != FieldType::Boolean)
            grid_.editCell();
    });
}

void RowsView::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    GridModel& model = grid_.model();
    wt::on(menu->addAction(QStringLiteral("Full Expand")), &QAction::triggered, this,
           [&model](bool) { model.expandAll(); });
    wt::on(menu->addAction(QStringLiteral("Full Collapse")), &QAction::triggered, this,
           [&model](bool) { model.collapseAll(); });
    menu->popup(event->globalPos());
}

void RowsView::focusInEvent(QFocusEvent*) { viewport()->update(); }
void RowsView::focusOutEvent(QFocusEvent*) { viewport()->update(); }

// The cell editor ------------------------------------------------------------

void RowsView::openCellEditor(int listedRow, int visual, const QString& text) {
    closeCellEditor();
    editorRow_ = listedRow;
    editorColumn_ = grid_.geometry().spans[size_t(visual)].column;
    cellEditor_ = new QLineEdit(viewport());
    cellEditor_->setFrame(false);
    cellEditor_->setAlignment(
        alignmentOf(grid_.model().columnType(grid_.geometry().spans[size_t(visual)].column)));
    cellEditor_->setText(text);
    cellEditor_->setGeometry(cellRect(listedRow, visual).adjusted(0, 0, -1, -1));
    cellEditor_->installEventFilter(this);
    cellEditor_->show();
    cellEditor_->setFocus();
    cellEditor_->selectAll();
}

void RowsView::closeCellEditor() {
    if (!cellEditor_) return;
    QLineEdit* editor = cellEditor_;
    cellEditor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    setFocus();
}

bool RowsView::commitEditor() {
    if (committing_) return false;
    committing_ = true;
    const bool committed = wt::dispatch([&] { grid_.commitCellEditor(); });
    committing_ = false;
    return committed;
}

bool RowsView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != cellEditor_) return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Escape:
                closeCellEditor();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Up:
            case Qt::Key_Down:
                if (commitEditor()) wt::dispatch([&] { handleKey(key); });
                return true;
            default:
                break;
        }
    }
    if (event->type() == QEvent::FocusOut) commitEditor();
    return false;
}

}  // namespace grid

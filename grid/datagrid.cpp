#include "datagrid.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/errors.h"
#include "core/number.h"
#include "filterpopups.h"
#include "format.h"
#include "gridparts.h"
#include "navigator.h"

namespace grid {

namespace {

bool isDataChanging(NavigatorButton button) {
    switch (button) {
        case NavigatorButton::Insert:
        case NavigatorButton::Delete:
        case NavigatorButton::Edit:
        case NavigatorButton::Post:
        case NavigatorButton::Cancel:
            return true;
        default:
            return false;
    }
}

qint64 readInteger(const QString& text, const QLocale& locale) {
    const std::optional<double> number = wt::tryReadFloat(text, locale);
    if (!number || *number != std::trunc(*number) || std::fabs(*number) > 9.2e18)
        throw wt::Error(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return qint64(*number);
}

// The value a typed cell text stands for in a column of the type; an empty
// text clears the value.
QVariant typedValue(FieldType type, const QString& text, const QLocale& locale) {
    if (text.isEmpty()) return {};
    switch (type) {
        case FieldType::Float:
            return wt::readFloat(text, locale);
        case FieldType::Integer:
            return readInteger(text, locale);
        case FieldType::Date:
        case FieldType::DateTime:
            if (const auto date = readDate(text, locale)) return *date;
            throw wt::Error(QStringLiteral("'%1' is not a valid date").arg(text));
        default:
            return text;
    }
}

}  // namespace

DataGrid::DataGrid(GridModel& model, QWidget* parent)
    : QWidget(parent), model_(model), geometry_(std::make_unique<GridGeometry>()) {
    groupByBox_ = new GroupByBox(*this, this);
    rows_ = new RowsView(*this);
    filterBox_ = new FilterBoxBar(*this, this);
    navigator_ = new Navigator(this);
    header_ = rows_->header();
    filterRow_ = rows_->filterRow();
    footer_ = rows_->footer();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(groupByBox_);
    layout->addWidget(rows_, 1);
    layout->addWidget(filterBox_);
    layout->addWidget(navigator_);
    setFocusProxy(rows_);

    connect(&model, &GridModel::rowsChanged, this, &DataGrid::rowsChanged);
    connect(&model, &GridModel::columnsChanged, this, &DataGrid::layoutColumns);
    connect(&model, &GridModel::focusedRowChanged, this, &DataGrid::focusChanged);
    connect(&model, &GridModel::filterChanged, this, [this] {
        filterRow_->showValues();
        filterBox_->showFilter();
        header_->update();
    });
    connect(&model.source(), &DataSource::editStateChanged, this, [this] {
        updateNavigator();
        rows_->viewport()->update();
    });
    wt::on(navigator_, &Navigator::clicked, this,
           [this](NavigatorButton button) { navigate(int(button)); });
    layoutColumns();
    rowsChanged();
}

// An open cell editor would otherwise be committed by its focus loss while
// the base widget tears the children down, after this grid is gone.
DataGrid::~DataGrid() { closeCellEditor(); }

void DataGrid::setGridStyle(const StyleSheet* sheet) {
    sheet_ = sheet;
    layoutColumns();
}

Look DataGrid::look(StyleElement element) const { return compose(sheet_, element, font()); }

void DataGrid::setWholeRowSelection(bool wholeRow) {
    wholeRow_ = wholeRow;
    rows_->viewport()->update();
}

int DataGrid::focusedColumn() const {
    if (wholeRow_ || geometry_->spans.empty()) return -1;
    return geometry_->spans[size_t(std::min(focusedVisual_, int(geometry_->spans.size()) - 1))]
        .column;
}

void DataGrid::setFocusedColumn(int column) {
    const int visual = geometry_->visualOf(column);
    if (visual < 0) return;
    focusedVisual_ = visual;
    focusChanged();
}

bool DataGrid::event(QEvent* event) {
    if (event->type() == QEvent::FontChange) layoutColumns();
    return QWidget::event(event);
}

void DataGrid::setFooterVisible(bool visible) {
    footerVisible_ = visible;
    layoutColumns();
}

void DataGrid::layoutColumns() {
    GridGeometry& geometry = *geometry_;
    geometry.spans.clear();
    int left = 0;
    for (int column : model_.visibleColumns()) {
        const int width = model_.columnDef(column).width;
        geometry.spans.push_back({column, left, width});
        left += width;
    }
    geometry.indent = model_.levelCount() * GridGeometry::levelIndent;
    geometry.rowHeight = QFontMetrics(font()).height() + 6;
    geometry.headerHeight = QFontMetrics(look(StyleElement::Header).font).height() + 8;
    geometry.footerHeight =
        footerVisible_ ? QFontMetrics(look(StyleElement::Footer).font).height() + 9 : 0;
    footer_->setVisible(footerVisible_);
    filterRow_->syncColumns();
    focusedVisual_ = std::clamp(focusedVisual_, 0, std::max(0, int(geometry.spans.size()) - 1));
    rows_->placeParts();
    groupByBox_->updateGeometry();
    groupByBox_->update();
    header_->update();
    footer_->update();
    rows_->viewport()->update();
}

void DataGrid::rowsChanged() {
    filterRow_->syncColumns();
    rows_->updateScrollBars();
    rows_->viewport()->update();
    footer_->update();
    filterBox_->showFilter();
    updateNavigator();
}

void DataGrid::focusChanged() {
    rows_->ensureVisible(model_.focusedRow());
    const int column = focusedColumn();
    if (column >= 0) {
        // Scroll sideways to the focused cell.
        const QRect cell = geometry_->spanRect(focusedVisual_, 0, 1);
        QScrollBar* bar = rows_->horizontalScrollBar();
        const int area = rows_->viewport()->width();
        if (cell.left() < GridGeometry::indicatorWidth)
            bar->setValue(bar->value() - (GridGeometry::indicatorWidth - cell.left()));
        else if (cell.right() > area)
            bar->setValue(bar->value() + std::min(cell.right() - area,
                                                  cell.left() - GridGeometry::indicatorWidth));
    }
    rows_->viewport()->update();
    updateNavigator();
}

bool DataGrid::isEditable() const { return !model_.source().isReadOnly(); }

void DataGrid::updateNavigator() {
    const DataSource& source = model_.source();
    const bool editing = source.editState() != EditState::Browse;
    const int focused = model_.focusedRow();
    const int rows = model_.rowCount();
    for (int i = 0; i < navigatorButtonCount; ++i) {
        const auto button = NavigatorButton(i);
        bool enabled = true;
        if (isDataChanging(button)) enabled = isEditable();
        if (button == NavigatorButton::Post || button == NavigatorButton::Cancel)
            enabled = enabled && editing;
        if (button == NavigatorButton::Delete || button == NavigatorButton::Edit)
            enabled = enabled && model_.focusedDataRow() >= 0;
        if (button == NavigatorButton::First || button == NavigatorButton::Prior ||
            button == NavigatorButton::PriorPage)
            enabled = focused > 0;
        if (button == NavigatorButton::Last || button == NavigatorButton::Next ||
            button == NavigatorButton::NextPage)
            enabled = focused >= 0 && focused < rows - 1;
        if (button == NavigatorButton::GotoBookmark) enabled = bookmark_ >= 0;
        navigator_->button(button)->setEnabled(enabled);
    }
    navigator_->info()->setText(model_.navigatorText());
}

void DataGrid::navigate(int button) {
    const int page = rows_->visibleRows();
    switch (NavigatorButton(button)) {
        case NavigatorButton::First:
            return moveFocus(0);
        case NavigatorButton::PriorPage:
            return moveFocusBy(-page);
        case NavigatorButton::Prior:
            return moveFocusBy(-1);
        case NavigatorButton::Next:
            return moveFocusBy(1);
        case NavigatorButton::NextPage:
            return moveFocusBy(page);
        case NavigatorButton::Last:
            return moveFocus(model_.rowCount() - 1);
        case NavigatorButton::Insert:
            return insertRecord();
        case NavigatorButton::Delete:
            return deleteRecord();
        case NavigatorButton::Edit:
            return editRecord();
        case NavigatorButton::Post:
            return postRecord();
        case NavigatorButton::Cancel:
            return cancelRecord();
        case NavigatorButton::Refresh:
            return refresh();
        case NavigatorButton::SaveBookmark:
            return saveBookmark();
        case NavigatorButton::GotoBookmark:
            return gotoBookmark();
        case NavigatorButton::Filter:
            return showFilterEditor();
    }
}

// Focus and editing ------------------------------------------------------------

void DataGrid::moveFocus(int listedRow) {
    if (model_.rowCount() == 0) return;
    int target = std::clamp(listedRow, 0, model_.rowCount() - 1);
    DataSource& source = model_.source();
    const ListedRow wanted = model_.row(target);
    if (source.editState() != EditState::Browse && wanted.dataRow != source.editRow()) {
        commitCellEditor();
        source.post();  // a refusal raises here and the focus stays on the row
        // Saving may list the rows anew; find the wanted one again.
        if (wanted.kind == RowKind::Data && model_.listedRowOf(wanted.dataRow) >= 0)
            target = model_.listedRowOf(wanted.dataRow);
    }
    model_.setFocusedRow(target);
}

void DataGrid::moveFocusBy(int rows) {
    const int count = model_.rowCount();
    if (count == 0 || rows == 0) return;
    const int step = rows > 0 ? 1 : -1;
    int target = std::clamp(model_.focusedRow() + rows, 0, count - 1);
    // Group footers take no focus: go on in the same direction, else back.
    while (target >= 0 && target < count && model_.row(target).kind == RowKind::GroupFooter)
        target += step;
    if (target < 0 || target >= count) {
        target = std::clamp(target, 0, count - 1);
        while (target >= 0 && target < count && model_.row(target).kind == RowKind::GroupFooter)
            target -= step;
    }
    if (target >= 0 && target < count) moveFocus(target);
}

void DataGrid::insertRecord() {
    if (!isEditable()) return;
    DataSource& source = model_.source();
    closeCellEditor();
    const int before = model_.focusedDataRow();
    source.insert(before >= 0 ? before : source.rowCount());
    model_.setFocusedRow(model_.listedRowOf(source.editRow()));
}

void DataGrid::appendRecord() {
    if (!isEditable()) return;
    DataSource& source = model_.source();
    closeCellEditor();
    source.append();
    model_.setFocusedRow(model_.listedRowOf(source.editRow()));
}

void DataGrid::deleteRecord() {
    if (!isEditable()) return;
    const int dataRow = model_.focusedDataRow();
    if (dataRow < 0 || !wt::dialogs().confirm(QStringLiteral("Delete record?"))) return;
    closeCellEditor();
    model_.source().remove(dataRow);
}

void DataGrid::editRecord() {
    if (!isEditable() || model_.focusedDataRow() < 0) return;
    model_.source().edit(model_.focusedDataRow());
}

void DataGrid::postRecord() {
    commitCellEditor();
    model_.source().post();
}

void DataGrid::cancelRecord() {
    closeCellEditor();
    model_.source().cancel();
}

void DataGrid::refresh() {
    closeCellEditor();
    model_.source().refresh();
}

void DataGrid::saveBookmark() {
    bookmark_ = model_.focusedDataRow();
    updateNavigator();
}

void DataGrid::gotoBookmark() {
    const int row = model_.listedRowOf(bookmark_);
    if (row >= 0) moveFocus(row);
}

void DataGrid::showFilterEditor() {
    FilterEditor editor(model_, this);
    if (wt::dialogs().showModal(editor) == QDialog::Accepted) editor.apply();
}

void DataGrid::showValueFilter(int column) {
    if (valuePopup_) valuePopup_->close();
    valuePopup_ = new ValueFilterPopup(model_, column, this);
    const int visual = geometry_->visualOf(column);
    const QRect button = header_->filterButtonRect(visual);
    valuePopup_->move(header_->mapToGlobal(
        QPoint(button.right() - valuePopup_->width() + 1, button.bottom() + 1)));
    valuePopup_->show();
}

void DataGrid::editCell() {
    const int row = model_.focusedRow();
    const int column = focusedColumn();
    if (!isEditable() || column < 0 || model_.focusedDataRow() < 0) return;
    if (model_.columnType(column) == FieldType::Boolean) return toggleCheckCell(row, column);
    focusChanged();
    rows_->openCellEditor(row, focusedVisual_, model_.cellText(row, column));
}

void DataGrid::commitCellEditor() {
    QLineEdit* editor = rows_->cellEditor();
    if (!editor) return;
    const int row = rows_->editorRow();
    const int column = rows_->editorColumn();
    if (row < model_.rowCount() && model_.row(row).kind == RowKind::Data &&
        editor->text() != model_.cellText(row, column)) {
        const QVariant value =
            typedValue(model_.columnType(column), editor->text(), model_.locale());
        setCellValue(model_.row(row).dataRow, column, value);
    }
    rows_->closeCellEditor();
}

void DataGrid::closeCellEditor() { rows_->closeCellEditor(); }

void DataGrid::toggleCheckCell(int listedRow, int column) {
    if (!isEditable() || model_.row(listedRow).kind != RowKind::Data) return;
    const QVariant value = model_.cellValue(listedRow, column);
    setCellValue(model_.row(listedRow).dataRow, column, !value.toBool());
}

void DataGrid::setCellValue(int dataRow, int column, const QVariant& value) {
    DataSource& source = model_.source();
    if (source.editState() != EditState::Browse && source.editRow() != dataRow) source.post();
    if (source.editState() == EditState::Browse) source.edit(dataRow);
    source.setValue(model_.sourceColumn(column), value);
}

// Column drags -----------------------------------------------------------------

void DataGrid::pressColumn(int column, bool fromGroupBox, const QPoint& globalPos) {
    drag_ = {column, fromGroupBox, false, globalPos};
}

void DataGrid::dragColumn(const QPoint& globalPos) {
    if (drag_.column < 0) return;
    if (!drag_.moving &&
        (globalPos - drag_.start).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!drag_.moving) {
        drag_.moving = true;
        if (!dragImage_) {
            dragImage_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
            dragImage_->setMargin(4);
        }
        const Look header = look(StyleElement::Header);
        dragImage_->setFont(header.font);
        dragImage_->setStyleSheet(QStringLiteral("background:%1;color:%2;border:1px solid black")
                                      .arg(header.background.name(), header.text.name()));
        dragImage_->setText(model_.columnDef(drag_.column).caption);
        dragImage_->adjustSize();
    }
    dragImage_->move(globalPos + QPoint(-dragImage_->width() / 2, -dragImage_->height() / 2));
    dragImage_->show();
}

void DataGrid::releaseColumn(const QPoint& globalPos, Qt::KeyboardModifiers modifiers) {
    const ColumnDrag drag = drag_;
    drag_ = ColumnDrag();
    if (dragImage_) dragImage_->hide();
    if (drag.column < 0) return;
    wt::dispatch([&] {
        if (!drag.moving) return model_.clickSort(drag.column, modifiers & Qt::ShiftModifier);
        const QPoint inBox = groupByBox_->mapFromGlobal(globalPos);
        if (groupByBox_->rect().contains(inBox))
            return model_.groupBy(drag.column, groupByBox_->insertionAt(inBox));
        const QPoint inHeader = header_->mapFromGlobal(globalPos);
        const QRect headerZone = header_->rect().adjusted(0, -8, 0, filterRow_->height());
        if (headerZone.contains(inHeader)) {
            int index = geometry_->insertionAt(inHeader.x());
            if (drag.fromGroupBox) return model_.ungroup(drag.column, index);
            const int current = geometry_->visualOf(drag.column);
            if (current >= 0 && current < index) --index;
            return model_.moveColumn(drag.column, index);
        }
        if (drag.fromGroupBox) model_.ungroup(drag.column, -1);
    });
}

// Parts ------------------------------------------------------------------------

QWidget* DataGrid::groupByBox() const { return groupByBox_; }
QWidget* DataGrid::header() const { return header_; }
QWidget* DataGrid::filterRow() const { return filterRow_; }
QWidget* DataGrid::rowsArea() const { return rows_->viewport(); }
QWidget* DataGrid::footer() const { return footer_; }
QWidget* DataGrid::filterBox() const { return filterBox_; }
QWidget* DataGrid::filterBoxClearButton() const { return filterBox_->clearButton(); }
QWidget* DataGrid::filterEditor(int column) const { return filterRow_->editor(column); }
QWidget* DataGrid::cellEditor() const { return rows_->cellEditor(); }
ValueFilterPopup* DataGrid::valueFilterPopup() const { return valuePopup_; }

QRect DataGrid::headerRect(int column) const {
    const int visual = geometry_->visualOf(column);
    return visual < 0 ? QRect() : header_->columnRect(visual);
}

QRect DataGrid::headerFilterButton(int column) const {
    const int visual = geometry_->visualOf(column);
    return visual < 0 ? QRect() : header_->filterButtonRect(visual);
}

QRect DataGrid::groupByItemRect(int column) const {
    const auto& grouping = model_.grouping();
    const auto found = std::find(grouping.begin(), grouping.end(), column);
    return found == grouping.end() ? QRect() : groupByBox_->itemRect(int(found - grouping.begin()));
}

QRect DataGrid::cellRect(int listedRow, int column) const {
    const int visual = geometry_->visualOf(column);
    return visual < 0 ? QRect() : rows_->cellRect(listedRow, visual);
}

QRect DataGrid::expandButtonRect(int listedRow) const { return rows_->expandButtonRect(listedRow); }

}  // namespace grid
